#include "frmtamrik.h"
#include "messageservice.h"
#include "thaifonts.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamrik"));
    QApplication::setApplicationVersion(QStringLiteral(TAMRIK_VERSION));
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
    window->show();
    return QApplication::exec();
}
