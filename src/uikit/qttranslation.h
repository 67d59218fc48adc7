#pragma once
// Qt's own texts in Thai: the file dialogs, the message boxes' buttons and
// the menus of line edits and scroll bars. Qt ships no Thai translation, so
// the program carries one (translations/qtbase_th.ts, built in).

namespace tamrik {

// Installs the translation for the whole program, whatever the system's
// language: every other text the user reads is Thai. Call once, after the
// QApplication exists and before any window is made.
void installQtTranslation();

}  // namespace tamrik
