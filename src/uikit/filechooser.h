#pragma once
// Where an export goes, and which file is opened: the file dialogs in the
// program, a fixed answer in tests. An empty answer means the user cancelled.

#include <QString>
#include <functional>

class QWidget;

namespace tamrik {

using SaveFileChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& suggestedName, const QString& filter)>;

SaveFileChooser dialogSaveFileChooser();

using OpenFileChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;

OpenFileChooser dialogOpenFileChooser();

}  // namespace tamrik
