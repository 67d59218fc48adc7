#include "colours.h"

#include <QWidget>

namespace tamrik {

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    // Line edits and combo boxes paint the Base role, labels and frames the
    // Window role: set both so every kind of control shows the colour.
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Disabled, QPalette::Base, colour);
    palette.setColor(QPalette::Disabled, QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor background(const QWidget* widget)
{
    return widget->palette().color(widget->backgroundRole() == QPalette::Base ? QPalette::Base : QPalette::Window);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

QColor textColour(const QWidget* widget) { return widget->palette().color(widget->foregroundRole()); }

}  // namespace tamrik
