#include "frmsplash.h"

#include "twips.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace tamrik {

frmSplash::frmSplash(const PanelData& data, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_panel(buildInfoPanel(this, QStringLiteral("lblVersion"), data)),
      m_Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(InfoPanelWidthTwips), twipsToPixels(m_panel.heightTwips));
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setSingleShot(true);
    connect(m_Timer1, &QTimer::timeout, this, &QWidget::close);
}

void frmSplash::Load(QWidget* mainWindow)
{
    m_panel.version->setText(versionText());
    mainWindow->show();
    QRect place = rect();
    place.moveCenter(mainWindow->frameGeometry().center());
    move(place.topLeft());
    m_Timer1->start(ShowMilliseconds);
}

void frmSplash::mousePressEvent(QMouseEvent* event)
{
    // Reaches here from the window itself and from Frame1; the labels and
    // the picture keep their clicks.
    event->accept();
    close();
}

bool frmSplash::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        close();
    return QWidget::event(event);
}

}  // namespace tamrik
