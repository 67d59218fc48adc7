#pragma once
// The About window: the splash's information on request, a line naming the
// rule data's year and build date, and an OK button that Enter and Esc both
// press. It blocks nothing, and it outlives the main window when that closes
// first.

#include "buildinfo.h"
#include "infopanel.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tamrik {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // dataLine: what DataInfoText gives for the open rule database, or
    // UnverifiedText for a database that does not record its build.
    explicit frmAbout(const QString& dataLine = QString(), const PanelData& data = {}, QWidget* parent = nullptr);

    // "ข้อมูลปีการศึกษา 2543 สร้างเมื่อ 2026-12-06"; without the year part when
    // the year is not known. The printed notes say the same.
    static QString DataInfoText(const QString& admissionYear, const QString& buildDate);
    // With UnverifiedText after it when the build recorded no content digest.
    static QString DataInfoText(const ruledb::BuildInfo& info);
    // "(ไม่ได้ตรวจสอบ)": nothing tells whether the data were changed since.
    static QString UnverifiedText();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    InfoPanel m_panel;
    QLabel* m_lblDataInfo;
    QPushButton* m_cmdOK;
};

}  // namespace tamrik
