#include "gpaprpage.h"

#include "controls.h"
#include "session.h"
#include "thaifonts.h"

#include <QLabel>
#include <QPushButton>

namespace tamrik {

GpaPrPage::GpaPrPage(Session& session, QWidget* parent) : QFrame(parent), m_session(session)
{
    QLabel* title = MakeLabel(this, ArrayName(QStringLiteral("LabelHead"), 0), QStringLiteral("GPA และ PR"),
                              QRect(240, 360, 5535, 735));
    title->setFont(TitleFont(28));
    m_F3CmdBack = MakeButton(this, QStringLiteral("F3CmdBack"), QStringLiteral("ย้อนกลับ"), QRect(7200, 6240, 1935, 495));
    m_F3CmdNext = MakeButton(this, QStringLiteral("F3CmdNext"), QStringLiteral("หน้าต่อไป"), QRect(9240, 6240, 1935, 495));
}

void GpaPrPage::EnterGpaPrPage(float) {}

}  // namespace tamrik
