#include "twips.h"

#include <QVariant>
#include <QWidget>

namespace tamrik {
namespace {

const char* const TwipsProperty = "tamrikTwips";

QRect ToPixels(const QRect& twips)
{
    return {TwipsToPixels(twips.x()), TwipsToPixels(twips.y()), TwipsToPixels(twips.width()),
            TwipsToPixels(twips.height())};
}

}  // namespace

void SetGeometryTwips(QWidget* widget, const QRect& twips)
{
    widget->setProperty(TwipsProperty, twips);
    widget->setGeometry(ToPixels(twips));
}

void SetGeometryTwips(QWidget* widget, int left, int top, int width, int height)
{
    SetGeometryTwips(widget, QRect(left, top, width, height));
}

void MoveTwips(QWidget* widget, int left, int top)
{
    QRect twips = GeometryTwips(widget);
    twips.moveTo(left, top);
    SetGeometryTwips(widget, twips);
}

QRect GeometryTwips(const QWidget* widget)
{
    const QVariant stored = widget->property(TwipsProperty);
    if (stored.isValid() && ToPixels(stored.toRect()) == widget->geometry())
        return stored.toRect();
    const QRect g = widget->geometry();
    return {PixelsToTwips(g.x()), PixelsToTwips(g.y()), PixelsToTwips(g.width()), PixelsToTwips(g.height())};
}

}  // namespace tamrik
