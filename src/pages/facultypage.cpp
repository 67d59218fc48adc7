#include "facultypage.h"

#include "controls.h"
#include "session.h"
#include "thaifonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tamrik {

FacultyPage::FacultyPage(Session& session, const HeaderLabels& header, QWidget* parent)
    : QFrame(parent), m_session(session), m_header(header)
{
    QLabel* title = MakeLabel(this, ArrayName(QStringLiteral("F1Label"), 3),
                              QStringLiteral("เลือกมหาวิทยาลัยและคณะ หรือใส่รหัสคณะ"), QRect(240, 240, 7000, 495));
    title->setFont(SansFont(18));
    m_F1CmdChange = MakeButton(this, QStringLiteral("F1CmdChange"), QStringLiteral("เปลี่ยนผู้ใช้"),
                               QRect(9240, 5640, 1935, 495));
    m_F1CmdNext = MakeButton(this, QStringLiteral("F1CmdNext"), QStringLiteral("หน้าต่อไป"),
                             QRect(9240, 6240, 1935, 495));
    m_F1CmdNext->setEnabled(false);
    connect(m_F1CmdNext, &QPushButton::clicked, this, &FacultyPage::nextClicked);
    connect(m_F1CmdChange, &QPushButton::clicked, this, &FacultyPage::changeUserClicked);
}

void FacultyPage::FillAtStartup() {}

QString FacultyPage::facIdText() const { return QString::fromStdString(m_SelFacCode); }

}  // namespace tamrik
