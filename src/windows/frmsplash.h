#pragma once
// The start-up window: brings up the main window, then stands on top of it
// until its timer runs out, it is clicked, or it loses the focus. It never
// comes back once closed, and its closing leaves the main window alone.

#include "infopanel.h"

#include <QWidget>

class QTimer;

namespace tamrik {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int ShowMilliseconds = 5000;

    explicit frmSplash(const PanelData& data = {}, QWidget* parent = nullptr);

    // The window's load: shows the version, shows mainWindow (whose own
    // start-up has already run), centres itself over it and starts Timer1.
    // The caller shows the splash afterwards.
    void Load(QWidget* mainWindow);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    InfoPanel m_panel;
    QTimer* m_Timer1;
};

}  // namespace tamrik
