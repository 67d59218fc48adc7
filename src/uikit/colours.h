#pragma once
// The program's colours, and the one way the program paints and reads a
// control's background, so tests can check what the user sees.

#include <QColor>

class QWidget;

namespace tamrik {

namespace Colour {
inline const QColor PaleYellow{255, 255, 192};  // a score box holding an accepted value
inline const QColor White{255, 255, 255};
inline const QColor Grey{0xE0, 0xE0, 0xE0};      // an entry field switched off
inline const QColor DarkRed{0x80, 0x00, 0x00};
inline const QColor LightGreen{0xC0, 0xFF, 0xC0};
inline const QColor LightOrange{0xFF, 0xE0, 0xC0};
inline const QColor LightYellow{0xFF, 0xFF, 0xC0};
inline const QColor LightRed{0xFF, 0xC0, 0xC0};
}  // namespace Colour

void setBackground(QWidget* widget, const QColor& colour);
QColor background(const QWidget* widget);
void setTextColour(QWidget* widget, const QColor& colour);
QColor textColour(const QWidget* widget);

}  // namespace tamrik
