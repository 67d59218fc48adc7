// Linked into a copy of the program's own main(): at the first turn of the
// event loop, after the start-up has shown its windows, closes them as the
// user would, so the entries file is gone again and the next run starts as
// a real one does, creating it.
#include <QApplication>
#include <QTimer>

namespace {

void CloseAtFirstTurn() { QTimer::singleShot(0, qApp, &QApplication::closeAllWindows); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(CloseAtFirstTurn)
