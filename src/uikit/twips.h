#pragma once
// The one place where twips become pixels: 15 twips a pixel at
// 96 dpi. Pages state their geometry in twips. A widget placed here keeps its
// exact twips beside its pixel geometry, so placement arithmetic (a row below
// the row above) and tests work in twips without rounding drift.

#include <QRect>

class QWidget;

namespace tamrik {

constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

void setGeometryTwips(QWidget* widget, int left, int top, int width, int height);
void setGeometryTwips(QWidget* widget, const QRect& twips);
void moveTwips(QWidget* widget, int left, int top);
// Left, top, width and height in twips, relative to the parent: the twips it
// was placed at, or its pixel geometry in twips when something else moved it.
QRect geometryTwips(const QWidget* widget);

}  // namespace tamrik
