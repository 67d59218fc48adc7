#include "subjectpage.h"

#include "controls.h"
#include "session.h"
#include "thaifonts.h"

#include <QLabel>
#include <QPushButton>

namespace tamrik {

SubjectPage::SubjectPage(Session& session, QWidget* parent) : QFrame(parent), m_session(session)
{
    QLabel* title = MakeLabel(this, ArrayName(QStringLiteral("Label4"), 3),
                              QStringLiteral("ใส่คะแนนวิชาหลักและวิชาเฉพาะ"), QRect(120, 120, 5535, 375));
    title->setFont(SansFont(18));
    m_F2CmdBack = MakeButton(this, QStringLiteral("F2CmdBack"), QStringLiteral("ย้อนกลับ"), QRect(7200, 6240, 1935, 495));
    m_F2CmdNext = MakeButton(this, QStringLiteral("F2CmdNext"), QStringLiteral("หน้าต่อไป"), QRect(9240, 6240, 1935, 495));
}

bool SubjectPage::LoadRule(const std::string&, const std::string&) { return false; }

}  // namespace tamrik
