#pragma once
// The all-faculties window's controls carry their objectName and a Thai
// accessible name, which screen readers say and the tests look for.

#include <QString>

namespace tamrik {

template <typename W>
W* named(W* widget, const QString& name, const QString& accessibleName)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

}  // namespace tamrik
