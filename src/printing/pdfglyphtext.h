#pragma once
// Gives back the text of what Qt's PDF writer printed. The writer maps a glyph
// to text only through the font's character map, so the glyphs that shaping
// substitutes (the TLWG faces' lowered or shifted tone marks, ญ and ฐ without
// their tails) read as nothing, and the SARA AM it splits in two reads as
// NIKHAHIT and SARA AA. Here every text block the writer made is wrapped in
// a marked span carrying the text it shows (/ActualText), and the fonts'
// ToUnicode maps learn the substituted glyphs, for readers that ignore spans.

#include <QByteArray>
#include <QString>
#include <vector>

namespace tamrik {

// One glyph run as it was drawn, in drawing order: the text it shows and, per
// glyph, the text of a glyph the font's character map does not reach ("" for
// the others).
struct RunText {
    QString text;
    std::vector<QString> glyphText;
};

// The PDF with its text blocks, in page order, paired with `runs`. A document
// that is not laid out as Qt writes it, or whose blocks do not pair with the
// runs one to one, comes back as it was.
QByteArray withRunTexts(const QByteArray& pdf, const std::vector<RunText>& runs);

}  // namespace tamrik
