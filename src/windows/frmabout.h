#pragma once
// The About window: the splash's information on request, with an OK button
// that Enter and Esc both press. It blocks nothing, and it outlives the main
// window when that closes first.

#include "infopanel.h"

#include <QDialog>

class QPushButton;

namespace tamrik {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    InfoPanel m_panel;
    QPushButton* m_cmdOK;
};

}  // namespace tamrik
