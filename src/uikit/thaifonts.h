#pragma once
// Faces with Thai glyphs for the faces the design names. Debian's TLWG fonts
// stand in: Loma for MS Sans Serif (labels, boxes, buttons), Garuda for
// CordiaUPC (page titles) and Arial (the product name), Norasi for Times New
// Roman (the pair brace).

#include <QFont>

namespace tamrik {

// Maps the design's face names to the TLWG faces and sets the application
// font. Call once, after the QApplication exists.
void InstallThaiFonts();

QFont SansFont(qreal pointSize, bool bold = false);    // MS Sans Serif
QFont TitleFont(qreal pointSize, bool bold = true);    // CordiaUPC
QFont ProductFont(qreal pointSize, bool bold = true);  // Arial
QFont SerifFont(qreal pointSize);                      // Times New Roman

}  // namespace tamrik
