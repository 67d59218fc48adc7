#include "filechooser.h"

#include <QDir>
#include <QFileDialog>

namespace tamrik {

SaveFileChooser dialogSaveFileChooser()
{
    return [](QWidget* parent, const QString& caption, const QString& suggestedName, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, QDir::home().filePath(suggestedName), filter);
    };
}

OpenFileChooser dialogOpenFileChooser()
{
    return [](QWidget* parent, const QString& caption, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, QDir::homePath(), filter);
    };
}

}  // namespace tamrik
