#pragma once
// The About window: the splash's information on request, a line naming the
// rule data's year and build date, and an OK button that Enter and Esc both
// press. It blocks nothing, and it outlives the main window when that closes
// first.

#include "infopanel.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tamrik {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // dataLine: what dataInfoText gives for the open rule database, or
    // unverifiedText for a database that does not record its build
    // (programtexts.h).
    explicit frmAbout(const QString& dataLine = QString(), const PanelData& data = {}, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    InfoPanel m_panel;
    QLabel* m_lblDataInfo;
    QPushButton* m_cmdOK;
};

}  // namespace tamrik
