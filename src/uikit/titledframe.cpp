#include "titledframe.h"

#include <QPainter>
#include <QStyle>

namespace tamrik {
namespace {

constexpr int TitleLeft = 8;
const QColor BorderGrey{0xA0, 0xA0, 0xA0};

}  // namespace

TitledFrame::TitledFrame(const QString& caption, const Look& look, QWidget* parent)
    : QGroupBox(caption, parent), m_look(look)
{
}

void TitledFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The toolkit sizes a caption's place for the caption and one blank, and
    // centres the caption in it.
    const QFontMetrics metrics(font());
    const int captionWidth = metrics.size(Qt::TextShowMnemonic, title() + QLatin1Char(' ')).width();
    const QRect titleRect(TitleLeft, 0, captionWidth + 2 * m_look.titlePadding, metrics.height());

    painter.save();
    if (!title().isEmpty())
        painter.setClipRegion(QRegion(rect()).subtracted(titleRect));
    painter.setPen(BorderGrey);
    const QRectF border = QRectF(rect()).adjusted(0.5, m_look.borderTop + 0.5, -0.5, -0.5);
    if (m_look.cornerRadius > 0) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawRoundedRect(border, m_look.cornerRadius, m_look.cornerRadius);
    } else {
        painter.drawRect(border);
    }
    painter.restore();

    style()->drawItemText(&painter, titleRect.adjusted(m_look.titlePadding, 0, -m_look.titlePadding, 0),
                          Qt::AlignCenter, palette(), isEnabled(), title(), QPalette::WindowText);
}

}  // namespace tamrik
