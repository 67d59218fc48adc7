#include "pdfglyphtext.h"

#include <QHash>
#include <QList>
#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

namespace tamrik {
namespace {

// An object of the file, from its "N 0 obj" to the next object.
struct ObjectSpan {
    int id = 0;
    qsizetype begin = 0;
    qsizetype end = 0;
};

struct PdfFile {
    std::vector<ObjectSpan> objects;  // in file order
    qsizetype table = 0;              // the cross-reference table's entries
    qsizetype trailer = 0;
    qsizetype startxref = 0;
    int size = 0;
};

constexpr qsizetype kEntrySize = 20;  // "0000012345 00000 n \n"

// Reads the cross-reference table Qt writes: one section from object 0.
std::optional<PdfFile> ReadLayout(const QByteArray& pdf)
{
    PdfFile file;
    file.startxref = pdf.lastIndexOf("startxref");
    if (file.startxref < 0)
        return std::nullopt;
    bool ok = false;
    const qsizetype xref = pdf.mid(file.startxref + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    const qsizetype line = pdf.indexOf('\n', xref + 5);
    if (!ok || !pdf.mid(xref).startsWith("xref\n0 ") || line < 0)
        return std::nullopt;
    file.size = pdf.mid(xref + 7, line - xref - 7).trimmed().toInt(&ok);
    file.table = line + 1;
    file.trailer = file.table + file.size * kEntrySize;
    if (!ok || file.size < 1 || !pdf.mid(file.trailer).startsWith("trailer"))
        return std::nullopt;
    for (int id = 1; id < file.size; ++id) {
        const QByteArray entry = pdf.mid(file.table + id * kEntrySize, kEntrySize);
        if (entry.at(17) != 'n')
            continue;
        const qsizetype at = entry.left(10).toLongLong(&ok);
        if (!ok || !pdf.mid(at).startsWith(QByteArray::number(id) + " 0 obj"))
            return std::nullopt;
        file.objects.push_back({id, at, 0});
    }
    std::sort(file.objects.begin(), file.objects.end(),
              [](const ObjectSpan& a, const ObjectSpan& b) { return a.begin < b.begin; });
    for (std::size_t i = 0; i < file.objects.size(); ++i)
        file.objects[i].end = i + 1 < file.objects.size() ? file.objects[i + 1].begin : xref;
    return file;
}

// The object a key of a dictionary refers to: "/Contents 8 0 R".
std::optional<int> RefAfter(const QByteArray& body, const QByteArray& key)
{
    const qsizetype at = body.indexOf(key + ' ');
    if (at < 0)
        return std::nullopt;
    const QList<QByteArray> words = body.mid(at + key.size() + 1, 24).simplified().split(' ');
    bool ok = false;
    const int id = words.value(0).toInt(&ok);
    if (!ok || words.value(1) != "0" || !words.value(2).startsWith('R'))
        return std::nullopt;
    return id;
}

class Rewriter {
public:
    Rewriter(const QByteArray& pdf, PdfFile file) : m_pdf(pdf), m_file(std::move(file))
    {
        for (const ObjectSpan& object : m_file.objects)
            m_spans.insert(object.id, object);
    }

    QByteArray body(int id) const
    {
        if (m_bodies.contains(id))
            return m_bodies.value(id);
        const auto span = m_spans.constFind(id);
        return span == m_spans.cend() ? QByteArray() : m_pdf.mid(span->begin, span->end - span->begin);
    }

    // The data of a stream object, inflated.
    std::optional<QByteArray> stream(int id) const
    {
        const QByteArray object = body(id);
        const qsizetype begin = object.indexOf(">>\nstream\n");
        const qsizetype end = object.lastIndexOf("\nendstream");
        if (begin < 0 || end < begin + 10)
            return std::nullopt;
        const QByteArray data = object.mid(begin + 10, end - begin - 10);
        if (!object.left(begin).contains("/FlateDecode"))
            return data;
        const QByteArray inflated = qUncompress(QByteArray(4, '\0') + data);
        if (inflated.isEmpty() && !data.isEmpty())
            return std::nullopt;
        return inflated;
    }

    // Puts new data in a stream object, compressed as the old, and its length
    // where the dictionary keeps it.
    void setStream(int id, const QByteArray& data)
    {
        const QByteArray object = body(id);
        const qsizetype begin = object.indexOf(">>\nstream\n");
        const qsizetype end = object.lastIndexOf("\nendstream");
        QByteArray dictionary = object.left(begin);
        const QByteArray stored = dictionary.contains("/FlateDecode") ? qCompress(data).mid(4) : data;
        const QByteArray length = QByteArray::number(stored.size());
        if (const auto lengthObject = RefAfter(dictionary, "/Length")) {
            m_bodies.insert(*lengthObject, QByteArray::number(*lengthObject) + " 0 obj\n" + length + "\nendobj\n");
        } else {
            const qsizetype at = dictionary.indexOf("/Length ") + 8;
            qsizetype digits = at;
            while (digits < dictionary.size() && std::isdigit(static_cast<unsigned char>(dictionary.at(digits))))
                ++digits;
            dictionary.replace(at, digits - at, length);
        }
        m_bodies.insert(id, dictionary + ">>\nstream\n" + stored + object.mid(end));
    }

    std::vector<int> pageContents() const
    {
        std::vector<int> contents;
        for (const ObjectSpan& object : m_file.objects) {
            const QByteArray page = body(object.id);
            if (page.contains("/Type /Page\n")) {
                if (const auto id = RefAfter(page, "/Contents"))
                    contents.push_back(*id);
            }
        }
        return contents;
    }

    QByteArray write() const
    {
        QByteArray out = m_pdf.left(m_file.objects.empty() ? m_file.trailer : m_file.objects.front().begin);
        QHash<int, qsizetype> offsets;
        for (const ObjectSpan& object : m_file.objects) {
            offsets.insert(object.id, out.size());
            out += body(object.id);
        }
        const qsizetype xref = out.size();
        out += "xref\n0 " + QByteArray::number(m_file.size) + '\n';
        for (int id = 0; id < m_file.size; ++id) {
            QByteArray entry = m_pdf.mid(m_file.table + id * kEntrySize, kEntrySize);
            if (offsets.contains(id))
                entry.replace(0, 10, QByteArray::number(offsets.value(id)).rightJustified(10, '0'));
            out += entry;
        }
        out += m_pdf.mid(m_file.trailer, m_file.startxref - m_file.trailer);
        out += "startxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
        return out;
    }

private:
    const QByteArray& m_pdf;
    PdfFile m_file;
    QHash<int, ObjectSpan> m_spans;
    QHash<int, QByteArray> m_bodies;  // the objects rewritten
};

QByteArray Utf16Hex(const QString& text)
{
    QByteArray hex;
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex;
}

using GlyphTexts = std::map<int, std::map<ushort, QString>>;  // font object -> glyph code -> text

// Wraps each BT ... ET block in a span with the text of its run, and notes the
// text of the glyphs the run says the font's map lacks. Qt writes each glyph
// as "x y Td <code> Tj" on a line of its own, the font as "/F<object> size Tf".
bool MarkBlocks(QByteArray& content, const std::vector<RunText>& runs, std::size_t& next, GlyphTexts& glyphTexts)
{
    QByteArray out;
    out.reserve(content.size() * 2);
    int font = -1;
    std::vector<ushort> codes;
    for (const QByteArray& line : content.split('\n')) {
        if (line == "BT") {
            if (next >= runs.size())
                return false;
            // No text at all is "<>": a lone byte-order mark might read as one.
            const QString& text = runs[next].text;
            out += "/Span <</ActualText <" + (text.isEmpty() ? QByteArray() : "FEFF" + Utf16Hex(text)) + ">>> BDC\n";
            codes.clear();
        } else if (line.startsWith("/F") && line.contains(" Tf")) {
            font = line.mid(2, line.indexOf(' ') - 2).toInt();
        } else if (line.endsWith("> Tj")) {
            const qsizetype open = line.lastIndexOf('<');
            codes.push_back(line.mid(open + 1, line.size() - open - 5).toUShort(nullptr, 16));
        }
        out += line;
        out += '\n';
        if (line == "ET") {
            if (next >= runs.size())
                return false;
            const RunText& run = runs[next++];
            if (codes.size() == run.glyphText.size()) {
                for (std::size_t i = 0; i < codes.size(); ++i) {
                    if (!run.glyphText[i].isEmpty())
                        glyphTexts[font].emplace(codes[i], run.glyphText[i]);
                }
            }
            out += "EMC\n";
        }
    }
    out.chop(1);  // the split's last piece had no line end
    content = out;
    return true;
}

// The font's ToUnicode map, as Qt writes it (bfrange sections of single
// targets or arrays), written again as bfchar entries with `added` over it.
std::optional<QByteArray> CompletedMap(const QByteArray& map, const std::map<ushort, QString>& added)
{
    const qsizetype first = map.indexOf("beginbfrange");
    const qsizetype end = map.indexOf("endcmap");
    if (first < 0 || end < first)
        return std::nullopt;
    const qsizetype head = map.lastIndexOf('\n', first) + 1;
    std::map<ushort, QByteArray> targets;  // hex UTF-16
    for (const QByteArray& line : map.mid(head, end - head).split('\n')) {
        QList<QByteArray> codes;
        for (qsizetype at = line.indexOf('<'); at >= 0; at = line.indexOf('<', at + 1))
            codes << line.mid(at + 1, line.indexOf('>', at) - at - 1);
        if (codes.size() < 3)
            continue;
        const int from = codes[0].toUShort(nullptr, 16);
        const int to = codes[1].toUShort(nullptr, 16);
        const int target = codes[2].toUShort(nullptr, 16);
        for (int code = from; code <= to; ++code) {
            targets[static_cast<ushort>(code)] =
                line.contains('[') ? codes.value(2 + code - from)
                                   : QByteArray::number(target + code - from, 16).rightJustified(4, '0').toUpper();
        }
    }
    for (const auto& [code, text] : added)
        targets[code] = Utf16Hex(text);
    // A section holds at most 100 entries.
    QByteArray entries, section;
    int inSection = 0;
    const auto endSection = [&] {
        entries += QByteArray::number(inSection) + " beginbfchar\n" + section + "endbfchar\n";
        section.clear();
        inSection = 0;
    };
    for (const auto& [code, hex] : targets) {
        section += '<' + QByteArray::number(code, 16).rightJustified(4, '0').toUpper() + "> <" + hex + ">\n";
        if (++inSection == 100)
            endSection();
    }
    if (inSection > 0)
        endSection();
    return map.left(head) + entries + map.mid(end);
}

}  // namespace

QByteArray withRunTexts(const QByteArray& pdf, const std::vector<RunText>& runs)
{
    const auto layout = ReadLayout(pdf);
    if (!layout)
        return pdf;
    Rewriter file(pdf, *layout);
    std::size_t next = 0;
    GlyphTexts glyphTexts;
    for (const int id : file.pageContents()) {
        auto content = file.stream(id);
        if (!content || !MarkBlocks(*content, runs, next, glyphTexts))
            return pdf;
        file.setStream(id, *content);
    }
    if (next != runs.size())
        return pdf;
    for (const auto& [font, added] : glyphTexts) {
        const auto map = RefAfter(file.body(font), "/ToUnicode");
        const auto text = map ? file.stream(*map) : std::nullopt;
        const auto completed = text ? CompletedMap(*text, added) : std::nullopt;
        if (completed)
            file.setStream(*map, *completed);
    }
    return file.write();
}

}  // namespace tamrik
