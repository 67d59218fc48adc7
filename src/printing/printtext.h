#pragma once
// Text on a printed page, laid out as QPainter::drawText lays out a word-wrapped
// text, but drawn one grapheme cluster at a time: each cluster becomes a glyph
// run of its own, recorded with its text, so that the PDF can say which
// characters each group of glyphs shows (see pdfglyphtext.h).

#include "pdfglyphtext.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

class QGlyphRun;
class QPainter;
class QPointF;
class QRawFont;
class QRect;

namespace tamrik {

class PrintedText {
public:
    // Draws `text` in the painter's font, wrapped at box's width, from its top
    // left corner; returns the height it took.
    int draw(QPainter& painter, const QRect& box, const QString& text);
    // The height draw() would take.
    static int height(QPainter& painter, int width, const QString& text);

    const std::vector<RunText>& runs() const { return m_runs; }

private:
    void drawCluster(QPainter& painter, const QPointF& origin, const QGlyphRun& run, const QString& text,
                     const QString& cluster);
    std::vector<QString> glyphTexts(const QRawFont& font, const QList<quint32>& glyphs, const QString& cluster);

    std::vector<RunText> m_runs;
    QHash<QString, QSet<quint32>> m_mappedGlyphs;  // per face: the glyphs the writer maps to text
};

}  // namespace tamrik
