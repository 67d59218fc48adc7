#pragma once
// Which face draws each kind of text on Windows: the faces the layout was
// made with when Windows has them, Tahoma (on every Windows since XP, with
// Thai) in their place, and the TLWG faces the program carries when the
// machine has no Thai face at all.

#include <QString>
#include <QStringList>

namespace tamrik {

struct ThaiFaces {
    QString sans;     // labels, boxes, buttons (Thai)
    QString title;    // page titles (Thai)
    QString product;  // the product name (Latin)
    QString serif;    // the pair brace (a Latin sign)
};

// The TLWG faces by their own names, as Debian has them installed.
ThaiFaces tlwgFaces();

// `families`: every installed face; `thaiFamilies`: those with Thai glyphs.
ThaiFaces windowsFaces(const QStringList& families, const QStringList& thaiFamilies);

// The carried font files (in the program's fonts folder) that the faces
// need: none when Windows has a face for every kind of text.
QStringList carriedFontFiles(const ThaiFaces& faces);

}  // namespace tamrik
