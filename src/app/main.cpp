#include "emblem.h"
#include "frmsplash.h"
#include "frmtamrik.h"
#include "infopanel.h"
#include "messageservice.h"
#include "thaifonts.h"

#include <QApplication>
#include <QIcon>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamrik"));
    QApplication::setApplicationVersion(tamrik::VersionNumber());
    QApplication::setWindowIcon(QIcon(tamrik::EmblemPicture()));
    tamrik::InstallThaiFonts();

    tamrik::MessageBoxService messages;
    auto* window = new tamrik::FrmTamrik(QCoreApplication::applicationDirPath(),
                                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), messages);
    window->setAttribute(Qt::WA_DeleteOnClose);
    messages.setParent(window);
    if (!window->Load()) {
        delete window;
        return 1;
    }
    // The splash shows the main window, then comes up on top of it; the run
    // ends when the last window (main, splash or About) has closed.
    auto* splash = new tamrik::frmSplash();
    splash->Load(window);
    splash->show();
    return QApplication::exec();
}
