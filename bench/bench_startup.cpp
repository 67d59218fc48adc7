// The main window's whole start-up (the database opened, its quick_check and
// table checks, page 1 filled, the files), shown and closed at the first turn
// of the event loop. Runs in a temporary folder with a link to the build's
// rule database, so the build's own folder is left as it was and no time goes
// into copying the database.
#include "appstyle.h"
#include "frmtamrik.h"
#include "messageservice.h"
#include "qttranslation.h"
#include "thaifonts.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tamrik::installAppStyle();
    tamrik::installThaiFonts();
    tamrik::installQtTranslation();
    QTemporaryDir folder;
    QFile::link(QCoreApplication::applicationDirPath() + QStringLiteral("/ScoreRule.mdb"),
                folder.filePath(QStringLiteral("ScoreRule.mdb")));
    tamrik::MessageBoxService messages;
    tamrik::FrmTamrik window(folder.path(), folder.filePath(QStringLiteral("fallback")), messages);
    if (!window.Load())
        return 1;
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
