#include "printtext.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>
#include <utility>

namespace tamrik {
namespace {

// Lines placed as QPainter::drawText places them with Qt::TextWordWrap: each
// after the font's leading, from a whole device unit. Returns the height.
qreal LayOut(QTextLayout& layout, qreal width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const QFontMetricsF metrics(layout.font());
    if (layout.text().isEmpty())
        return metrics.height();
    const qreal leading = metrics.leading();
    qreal height = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height = qCeil(height + leading);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

QString LineText(QString text)
{
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

}  // namespace

int PrintedText::draw(QPainter& painter, const QRect& box, const QString& text)
{
    const QString shown = LineText(text);
    QTextLayout layout(shown, painter.font(), painter.device());
    const qreal height = LayOut(layout, box.width());
    for (int from = 0; from < shown.size();) {
        const int to = std::max(layout.nextCursorPosition(from), from + 1);
        const QString cluster = shown.mid(from, to - from);
        bool first = true;
        for (const QGlyphRun& run : layout.glyphRuns(from, to - from)) {
            if (run.glyphIndexes().isEmpty())
                continue;
            drawCluster(painter, box.topLeft(), run, first ? cluster : QString(), cluster);
            first = false;
        }
        from = to;
    }
    return qCeil(height);
}

void PrintedText::drawCluster(QPainter& painter, const QPointF& origin, const QGlyphRun& run, const QString& text,
                              const QString& cluster)
{
    // A reader gives a span's text the extent from its first glyph's origin
    // to its last glyph's advance: a mark drawn last, pulled left over its
    // base, would end the span short and open a gap in the word. So the marks
    // after the last glyph that advances go in a span of no text of their
    // own. The glyphs keep their order, which readers that take the text from
    // the glyphs alone depend on.
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(glyphs);
    const std::vector<QString> texts = glyphTexts(run.rawFont(), glyphs, cluster);
    qsizetype split = glyphs.size();
    while (split > 1 && !(advances[split - 1].x() > 0))
        --split;
    if (split == 1 && !(advances[0].x() > 0))
        split = glyphs.size();
    for (const auto& [from, to] : {std::pair{qsizetype(0), split}, std::pair{split, glyphs.size()}}) {
        if (from == to)
            continue;
        QGlyphRun part = run;
        part.setGlyphIndexes(glyphs.mid(from, to - from));
        part.setPositions(positions.mid(from, to - from));
        painter.drawGlyphRun(origin, part);
        m_runs.push_back({from == 0 ? text : QString(),
                          std::vector<QString>(texts.begin() + from, texts.begin() + to)});
    }
}

int PrintedText::height(QPainter& painter, int width, const QString& text)
{
    QTextLayout layout(LineText(text), painter.font(), painter.device());
    return qCeil(LayOut(layout, width));
}

std::vector<QString> PrintedText::glyphTexts(const QRawFont& font, const QList<quint32>& glyphs,
                                             const QString& cluster)
{
    // The writer maps a glyph back to the first BMP character the font's map
    // gives it, a private-use one too (the TLWG faces map their shifted marks
    // there): such a glyph reads as nothing.
    const QString face = font.familyName() + QLatin1Char('/') + font.styleName();
    auto mapped = m_mappedGlyphs.find(face);
    if (mapped == m_mappedGlyphs.end()) {
        QString bmp;
        for (char16_t c = 1; c < 0xFFFF; ++c) {
            if (!QChar::isSurrogate(c))
                bmp.append(QChar(c));
        }
        const QList<quint32> reached = font.glyphIndexesForString(bmp);
        QSet<quint32> seen, readable;
        for (qsizetype i = 0; i < reached.size(); ++i) {
            if (!seen.contains(reached[i])) {
                seen.insert(reached[i]);
                if (bmp.at(i).category() != QChar::Other_PrivateUse)
                    readable.insert(reached[i]);
            }
        }
        mapped = m_mappedGlyphs.insert(face, readable);
    }
    std::vector<QString> texts(static_cast<std::size_t>(glyphs.size()));
    std::vector<std::size_t> substituted;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i] != 0 && !mapped->contains(glyphs[i]))
            substituted.push_back(static_cast<std::size_t>(i));
    }
    // The characters whose own glyph is not among the cluster's: the
    // substituted glyphs stand for them, one each when they pair up.
    QStringList unshown;
    for (const char32_t c : cluster.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        if (!glyphs.contains(font.glyphIndexesForString(character).value(0)))
            unshown << character;
    }
    if (substituted.empty() || unshown.isEmpty())
        return texts;
    if (substituted.size() == static_cast<std::size_t>(unshown.size())) {
        for (std::size_t i = 0; i < substituted.size(); ++i)
            texts[substituted[i]] = unshown[static_cast<qsizetype>(i)];
    } else {
        texts[substituted.front()] = unshown.join(QString());
    }
    return texts;
}

}  // namespace tamrik
