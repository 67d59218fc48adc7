#include "summarypage.h"

#include "controls.h"
#include "session.h"
#include "thaifonts.h"

#include <QLabel>
#include <QPushButton>

namespace tamrik {

SummaryPage::SummaryPage(Session& session, QWidget* parent) : QFrame(parent), m_session(session)
{
    QLabel* title = MakeLabel(this, ArrayName(QStringLiteral("LabelHead"), 1), QStringLiteral("สรุปคะแนน"),
                              QRect(360, 360, 5535, 735));
    title->setFont(TitleFont(28));
    m_F4CmdBack = MakeButton(this, QStringLiteral("F4CmdBack"), QStringLiteral("ย้อนกลับ"), QRect(7200, 6240, 1935, 495));
    m_F4CmdNext = MakeButton(this, QStringLiteral("F4CmdNext"), QStringLiteral("ไปหน้าแรก"), QRect(9240, 6240, 1935, 495));
    connect(m_F4CmdBack, &QPushButton::clicked, this, &SummaryPage::backClicked);
    connect(m_F4CmdNext, &QPushButton::clicked, this, &SummaryPage::firstPageClicked);
}

}  // namespace tamrik
