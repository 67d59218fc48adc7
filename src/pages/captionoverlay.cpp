#include "captionoverlay.h"

#include "twips.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QTextLayout>
#include <QTextOption>

namespace tamrik {

namespace {

void PlaceOverCaptionPart(QLabel* overlay, const QLabel* caption, const QString& part)
{
    const QString text = caption->text();
    const int start = text.indexOf(part);
    if (start < 0 || part.isEmpty())
        return;

    // The lines as QLabel draws a plain caption: one text layout, lines one
    // leading apart, from the top left of the contents.
    const QRect contents = caption->contentsRect();
    QTextLayout layout(text, caption->font());
    QTextOption option;
    option.setWrapMode(caption->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(caption->font()).leading();
    qreal top = -leading;
    QRectF place;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(contents.width());
        top += leading;
        line.setPosition(QPointF(0, top));
        if (start >= line.textStart() && start < line.textStart() + line.textLength()) {
            const qreal left = line.cursorToX(start);
            const qreal right = line.cursorToX(start + part.size());
            place = QRectF(left, top, right - left, line.height());
        }
        top += line.height();
    }
    layout.endLayout();
    if (place.isNull())
        return;

    const QPoint origin = caption->geometry().topLeft() + contents.topLeft();
    const QRect pixels = place.toAlignedRect().translated(origin);
    setGeometryTwips(overlay, QRect(pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()),
                                    pixelsToTwips(pixels.width()), pixelsToTwips(pixels.height())));
    overlay->raise();
}

}  // namespace

void showOverCaptionPart(QLabel* overlay, const QLabel* caption, const QString& part, const QString& text)
{
    overlay->setText(text);
    overlay->setVisible(!text.isEmpty());
    // A hidden overlay needs no place; laying the caption out costs start-up time.
    if (!text.isEmpty())
        PlaceOverCaptionPart(overlay, caption, part);
}

}  // namespace tamrik
