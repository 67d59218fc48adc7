#include "twips.h"

#include <QVariant>
#include <QWidget>

namespace tamrik {
namespace {

const char* const TwipsProperty = "tamrikTwips";

QRect ToPixels(const QRect& twips)
{
    return {twipsToPixels(twips.x()), twipsToPixels(twips.y()), twipsToPixels(twips.width()),
            twipsToPixels(twips.height())};
}

}  // namespace

void setGeometryTwips(QWidget* widget, const QRect& twips)
{
    widget->setProperty(TwipsProperty, twips);
    widget->setGeometry(ToPixels(twips));
}

void setGeometryTwips(QWidget* widget, int left, int top, int width, int height)
{
    setGeometryTwips(widget, QRect(left, top, width, height));
}

void moveTwips(QWidget* widget, int left, int top)
{
    QRect twips = geometryTwips(widget);
    twips.moveTo(left, top);
    setGeometryTwips(widget, twips);
}

QRect geometryTwips(const QWidget* widget)
{
    const QVariant stored = widget->property(TwipsProperty);
    if (stored.isValid() && ToPixels(stored.toRect()) == widget->geometry())
        return stored.toRect();
    const QRect g = widget->geometry();
    return {pixelsToTwips(g.x()), pixelsToTwips(g.y()), pixelsToTwips(g.width()), pixelsToTwips(g.height())};
}

}  // namespace tamrik
