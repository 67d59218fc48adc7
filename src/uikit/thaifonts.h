#pragma once
// Faces with Thai glyphs for the Windows faces the layout names. On Linux
// Debian's TLWG fonts stand in: Loma for MS Sans Serif (labels, boxes,
// buttons), Garuda for CordiaUPC (page titles) and Arial (the product name),
// Norasi for Times New Roman (the pair brace). On Windows the Windows faces
// when present (thaifaces.h).

#include <QFont>

namespace tamrik {

// Chooses the faces (on Windows, loading the carried ones it needs from the
// fonts folder beside the program) and sets the application font. Call once,
// after the QApplication exists.
void installThaiFonts();

QFont sansFont(qreal pointSize, bool bold = false);    // MS Sans Serif
QFont titleFont(qreal pointSize, bool bold = true);    // CordiaUPC
// The large titles of pages 3 and 4. Garuda is much taller than CordiaUPC at
// the same size: 20 points keep its marks below the line inside the title.
QFont pageTitleFont();
QFont productFont(qreal pointSize, bool bold = true);  // Arial
QFont serifFont(qreal pointSize);                      // Times New Roman

}  // namespace tamrik
