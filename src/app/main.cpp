#include "appstyle.h"
#include "datafolder.h"
#include "emblem.h"
#include "frmsplash.h"
#include "frmtamrik.h"
#include "messageservice.h"
#include "programtexts.h"
#include "qtext.h"
#include "qttranslation.h"
#include "thaifonts.h"

#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamrik"));
    QApplication::setApplicationVersion(tamrik::versionNumber());
    QApplication::setWindowIcon(QIcon(tamrik::emblemPicture()));
    tamrik::installAppStyle();
    tamrik::installThaiFonts();
    tamrik::installQtTranslation();

    tamrik::MessageBoxService messages;
    const std::filesystem::path programFolder =
        tamrik::findProgramFolder(tamrik::pathFromQString(QCoreApplication::applicationDirPath()));
    auto* window = new tamrik::FrmTamrik(tamrik::qStringFromPath(programFolder),
                                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), messages);
    window->setAttribute(Qt::WA_DeleteOnClose);
    messages.setParent(window);
    if (!window->Load()) {
        delete window;
        return 1;
    }
    // The splash shows the main window, then comes up on top of it; the run
    // ends when the last window (main, splash or About) has closed.
    auto* splash = new tamrik::frmSplash(tamrik::panelDataOf(window->session()));
    splash->Load(window);
    splash->show();
    const int status = QApplication::exec();
#ifndef TAMRIK_FULL_EXIT
    // Every file is written and closed by the time the last window has gone;
    // taking down each control and library one by one only keeps the user
    // waiting. Not while the program owns the clipboard: X11 hands it to the
    // clipboard manager as the application object goes.
    if (!QGuiApplication::clipboard()->ownsClipboard()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
#endif
    return status;
}
