// tamrik-calc's writers on any bytes a faculty's texts or an applicant's id
// may hold. Properties: each text reads back from the CSV row (through the
// data tool's CSV reader) and from the JSON object (through a strict JSON
// reader below) as shownText has it, with a ' before a formula in the CSV;
// every output is well-formed UTF-8 without a control character but its
// line ends; shownText keeps text that needs nothing and is the same twice.
#include "csvfile.h"
#include "csvtext.h"
#include "report.h"
#include "textencoding.h"
#include "utf8text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// Valid UTF-8 by the data tool's own decoding, and nothing that moves a
// terminal's cursor or reorders its line.
void requireShowable(std::string_view text, bool lineEnds)
{
    require(!tamrik::decodeDataText(text).fromWindows874);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        require((b >= 0x20 && b != 0x7F) || b >= 0x80 || (lineEnds && b == '\n'));
        const auto next = [&](std::size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0; };
        require(!(b == 0xC2 && next(1) < 0xA0));
        require(!(b == 0xE2 && next(1) == 0x80 && next(2) >= 0xAA && next(2) <= 0xAE));
        require(!(b == 0xE2 && next(1) == 0x81 && next(2) >= 0xA6 && next(2) <= 0xA9));
    }
}

// A strict reader of the JSON the writer gives: objects, arrays, strings,
// numbers, true, false and null; an object's keys map to their values as
// texts, strings unescaped.
class Json {
public:
    explicit Json(std::string_view text) : m_text(text) {}

    std::map<std::string, std::string> object()
    {
        std::map<std::string, std::string> members;
        expect('{');
        if (peek() != '}') {
            do {
                const std::string key = string();
                expect(':');
                members[key] = value();
            } while (peek() == ',' && ++m_at);
        }
        expect('}');
        return members;
    }

    void end()
    {
        skipBlanks();
        require(m_at == m_text.size() || (m_at + 1 == m_text.size() && m_text[m_at] == '\n'));
    }

private:
    char peek()
    {
        skipBlanks();
        require(m_at < m_text.size());
        return m_text[m_at];
    }
    void expect(char c)
    {
        require(peek() == c);
        ++m_at;
    }
    void skipBlanks()
    {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\n'))
            ++m_at;
    }

    std::string string()
    {
        expect('"');
        std::string out;
        for (;;) {
            require(m_at < m_text.size());
            const char c = m_text[m_at++];
            require(static_cast<unsigned char>(c) >= 0x20);
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            require(m_at < m_text.size());
            const char e = m_text[m_at++];
            require(e == '"' || e == '\\');  // the only escapes a shown text needs
            out += e;
        }
    }

    std::string value()
    {
        const char c = peek();
        if (c == '"')
            return string();
        if (c == '{') {
            const std::size_t from = m_at;
            object();
            return std::string(m_text.substr(from, m_at - from));
        }
        if (c == '[') {
            const std::size_t from = ++m_at;
            if (peek() != ']') {
                for (value(); peek() == ','; ++m_at)
                    value();
            }
            expect(']');
            return std::string(m_text.substr(from - 1, m_at - from + 1));
        }
        const std::size_t from = m_at;
        for (const std::string_view word : {"null", "true", "false"}) {
            if (m_text.substr(m_at, word.size()) == word) {
                m_at += word.size();
                break;
            }
        }
        if (m_at == from)
            while (m_at < m_text.size() && std::string_view("-0123456789.").find(m_text[m_at]) != std::string_view::npos)
                ++m_at;
        require(m_at > from);
        return std::string(m_text.substr(from, m_at - from));
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

// The input cut into texts at each byte 0x00 followed by 0x00.
std::vector<std::string> texts(std::string_view data, std::size_t count)
{
    std::vector<std::string> out(count);
    std::size_t t = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\0' && i + 1 < data.size() && data[i + 1] == '\0' && t + 1 < count) {
            ++t;
            ++i;
        } else {
            out[t] += data[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> t = texts(std::string_view(reinterpret_cast<const char*>(data), size), 6);
    tamrik::FacultyEvaluation ev;
    ev.facCode = t[0];
    ev.university = t[1];
    ev.name = t[2];
    ev.years = {{t[3], 300, 400}};
    ev.minimums = {t[3]};
    ev.error = t[5];  // with an error, the figures are absent
    const std::string& id = t[4];

    for (const std::string& text : t) {
        const std::string shown = tamrik::shownText(text);
        requireShowable(shown, false);
        require(tamrik::shownText(shown) == shown);
        require((tamrik::firstUnshowable(text) == text.size()) == (shown == text));
    }

    const std::vector<tamrikcalc::StudentRow> ranked{{tamrikcalc::RowKind::Ranked, 0, 1, ev}};
    const std::string csv = tamrikcalc::csvRows(ranked, &id);
    requireShowable(csv, true);
    const std::vector<tamrik::CsvRecord> rows = tamrik::parseCsv(csv);
    require(rows.size() == 1 && rows[0].fields.size() == 11);
    const auto cell = [](const std::string& text) { return tamrik::spreadsheetText(tamrik::shownText(text)); };
    require(rows[0].fields[0] == cell(id));
    require(rows[0].fields[1] == "1");
    require(rows[0].fields[2] == cell(ev.facCode));
    require(rows[0].fields[3] == cell(ev.university));
    require(rows[0].fields[4] == cell(ev.name));
    if (!ev.ok())
        require(rows[0].fields[10] == cell(ev.error));

    const bool sample = size % 2 == 1;
    const std::string json = tamrikcalc::jsonObject(ev, sample);
    requireShowable(json, false);
    Json reader(json);
    std::map<std::string, std::string> members = reader.object();
    reader.end();
    require(members["faculty"] == tamrik::shownText(ev.facCode));
    require(members["university"] == tamrik::shownText(ev.university));
    require(members["name"] == tamrik::shownText(ev.name));
    require(members["sample"] == (sample ? "true" : "false"));
    if (!ev.ok())
        require(members["error"] == tamrik::shownText(ev.error));

    for (const std::string& text : {tamrikcalc::textBlock(ev), tamrikcalc::tableText(ranked)})
        requireShowable(text, true);
    return 0;
}
