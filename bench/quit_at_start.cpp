// Linked into a copy of the program's own main(): ends the run at the first
// turn of the event loop, after the start-up has shown its windows.
#include <QCoreApplication>
#include <QTimer>

namespace {

void QuitAtFirstTurn() { QTimer::singleShot(0, qApp, &QCoreApplication::quit); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(QuitAtFirstTurn)
