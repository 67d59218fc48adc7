#include "messageservice.h"

#include <QMessageBox>

namespace tamrik {

void MessageBoxService::show(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("แจ้งข้อความ"), text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);  // messages carry names from the rule database
    box.exec();
}

}  // namespace tamrik
