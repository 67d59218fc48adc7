#pragma once
// Where an export goes: the save dialog in the program, a fixed answer in
// tests. An empty answer means the user cancelled.

#include <QString>
#include <functional>

class QWidget;

namespace tamrik {

using SaveFileChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& suggestedName, const QString& filter)>;

SaveFileChooser DialogSaveFileChooser();

}  // namespace tamrik
