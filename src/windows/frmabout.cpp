#include "frmabout.h"

#include "controls.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace tamrik {
namespace {

constexpr int ButtonStripTwips = 600;

}  // namespace

frmAbout::frmAbout(const QString& dataLine, const PanelData& data, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      m_panel(buildInfoPanel(this, QStringLiteral("Label1"), data)),
      // In the strip beside OK, below the panel, so the panel keeps its layout.
      m_lblDataInfo(makeLabel(this, QStringLiteral("lblDataInfo"), dataLine,
                              QRect(240, m_panel.heightTwips, InfoPanelWidthTwips - 1800, 435),
                              Qt::AlignLeft | Qt::AlignVCenter)),
      m_cmdOK(makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"),
                         QRect(InfoPanelWidthTwips - 1440, m_panel.heightTwips, 1320, 435)))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tamrik"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(InfoPanelWidthTwips), twipsToPixels(m_panel.heightTwips + ButtonStripTwips));
    m_panel.version->setText(versionText());
    // Only a click on the window itself closes it, not one on the frame.
    m_panel.Frame1->setAttribute(Qt::WA_NoMousePropagation);
    // Enter presses the default button; Esc rejects, which closes too.
    m_cmdOK->setDefault(true);
    m_cmdOK->setFocus();
    connect(m_cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

void frmAbout::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

}  // namespace tamrik
