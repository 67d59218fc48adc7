#include "report.h"

#include "csvtext.h"
#include "evaluationtext.h"
#include "numtext.h"
#include "samplenotice.h"
#include "utf8text.h"
#include "vocabulary.h"

#include <algorithm>
#include <array>

namespace tamrikcalc {

using tamrik::Chance;
using tamrik::FacultyEvaluation;

namespace {

std::string figure(double v) { return tamrik::Format(v, "0.00"); }

std::string figureOr(const std::optional<double>& v, const char* none)
{
    return v ? figure(*v) : std::string(none);
}

// JSON appended to one text as it is written. Shown texts hold no control
// character: only quotes and backslashes need escaping.
class Json {
public:
    explicit Json(std::string& out) : m_out(out) {}

    Json& raw(std::string_view text)
    {
        m_out += text;
        return *this;
    }
    Json& string(std::string_view text)
    {
        std::string replaced;
        std::string_view shown = text;
        if (tamrik::firstUnshowable(text) != text.size()) {
            replaced = tamrik::shownText(text);
            shown = replaced;
        }
        m_out += '"';
        for (const char ch : shown) {
            if (ch == '"' || ch == '\\')
                m_out += '\\';
            m_out += ch;
        }
        m_out += '"';
        return *this;
    }
    Json& figure(double v) { return raw(tamrik::Format(v, "0.00")); }
    Json& figureOr(const std::optional<double>& v) { return v ? figure(*v) : raw("null"); }
    Json& earned(const tamrik::Earned& e)
    {
        return raw("{\"earned\": ").figure(e.earned).raw(", \"full\": ").figure(e.full).raw("}");
    }
    Json& range(const tamrik::YearRange& r)
    {
        return raw("{\"min\": ").figure(r.min).raw(", \"max\": ").figure(r.max).raw("}");
    }
    template <typename T, typename Write>
    Json& list(const std::vector<T>& items, const char* open, const char* close, Write write)
    {
        raw(open);
        for (std::size_t i = 0; i < items.size(); ++i)
            write(raw(i ? ", " : ""), items[i]);
        return raw(close);
    }
    Json& needed(const tamrik::Needed& n)
    {
        raw("{\"points\": ").figure(n.points).raw(", \"subjects\": ");
        list(n.subjects, "{", "}", [](Json& json, const auto& s) { json.string(s.first).raw(": ").figureOr(s.second); });
        return raw(", \"gpa\": ").figureOr(n.gpa).raw(", \"pr\": ").figureOr(n.pr).raw("}");
    }
    Json& object(const FacultyEvaluation& ev, bool sample);

private:
    std::string& m_out;
};

Json& Json::object(const FacultyEvaluation& ev, bool sample)
{
    const char* const sampleKey = sample ? ", \"sample\": true}" : ", \"sample\": false}";
    raw("{\"faculty\": ").string(ev.facCode).raw(", \"university\": ").string(ev.university);
    raw(", \"name\": ").string(ev.name);
    if (!ev.ok()) {
        for (const char* key : {"main", "special", "gpa", "pr", "total", "last_year", "years", "minimums", "missing",
                                "margin", "chance", "needed"})
            raw(", \"").raw(key).raw("\": null");
        return raw(", \"error\": ").string(ev.error).raw(sampleKey);
    }
    raw(", \"main\": ").earned(ev.main).raw(", \"special\": ").earned(ev.special);
    raw(", \"gpa\": ").earned(ev.gpa).raw(", \"pr\": ").earned(ev.pr).raw(", \"total\": ").earned(ev.total);
    raw(", \"last_year\": ");
    if (ev.lastYear)
        range(*ev.lastYear);
    else
        raw("null");
    raw(", \"years\": ");
    list(ev.years, "{", "}", [](Json& json, const tamrik::YearRange& r) { json.string(r.year).raw(": ").range(r); });
    raw(", \"minimums\": ").list(ev.minimums, "[", "]", [](Json& json, const std::string& m) { json.string(m); });
    raw(", \"missing\": ").list(ev.missing, "[", "]", [](Json& json, const std::string& m) { json.string(m); });
    raw(", \"margin\": ");
    if (ev.marginPoints)
        raw("{\"points\": ").figure(*ev.marginPoints).raw(", \"percent\": ").figureOr(ev.marginPercent).raw("}");
    else
        raw("null");
    raw(", \"chance\": ").string(tamrik::chanceKey(ev.chance));
    raw(", \"needed\": ");
    if (ev.needed)
        needed(*ev.needed);
    else
        raw("null");
    return raw(", \"error\": null").raw(sampleKey);
}

// Columns of display: Thai vowel and tone marks above and below take none.
std::size_t displayWidth(std::string_view text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = c;
        if (len == 3 && i + 2 < text.size())
            cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6)
                 | (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
        const bool mark = cp == 0x0E31 || (cp >= 0x0E34 && cp <= 0x0E3A) || (cp >= 0x0E47 && cp <= 0x0E4E);
        width += mark ? 0 : 1;
        i += len;
    }
    return width;
}

std::string padRight(const std::string& text, std::size_t width)
{
    const std::size_t w = displayWidth(text);
    return text + std::string(w < width ? width - w : 0, ' ');
}

std::string padLeft(const std::string& text, std::size_t width)
{
    const std::size_t w = displayWidth(text);
    return std::string(w < width ? width - w : 0, ' ') + text;
}

constexpr std::size_t kTextColumns[] = {1, 2, 3, 9};  // code, university, faculty, chance (or the error)

// The ten columns of a ranked row: the rank and figures written into
// `written`, the texts left where they lie unless they need replacing.
std::array<std::string_view, 10> rowViews(const FacultyEvaluation& ev, std::size_t rank,
                                          std::array<std::string, 10>& written)
{
    written[0] = rank ? std::to_string(rank) : std::string();
    std::array<std::string_view, 10> views{written[0], ev.facCode, ev.university, ev.name, "", "", "", "", "",
                                           ev.error};
    if (ev.ok()) {
        written[4] = figure(ev.total.earned);
        written[5] = figure(ev.total.full);
        written[6] = ev.lastYear ? figure(ev.lastYear->min) : "";
        written[7] = ev.lastYear ? figure(ev.lastYear->max) : "";
        written[8] = figureOr(ev.marginPercent, "");
        for (std::size_t c = 4; c <= 8; ++c)
            views[c] = written[c];
        views[9] = tamrik::chanceLabel(ev.chance);
    }
    for (const std::size_t c : kTextColumns) {
        if (tamrik::firstUnshowable(views[c]) != views[c].size()) {
            written[c] = tamrik::shownText(views[c]);
            views[c] = written[c];
        }
    }
    return views;
}

// The same as texts of their own, for a CSV row.
std::vector<std::string> rowCells(const FacultyEvaluation& ev, std::size_t rank)
{
    std::array<std::string, 10> written;
    const std::array<std::string_view, 10> views = rowViews(ev, rank, written);
    std::vector<std::string> cells(views.begin(), views.end());
    for (const std::size_t c : kTextColumns)
        cells[c] = tamrik::spreadsheetText(std::move(cells[c]));
    return cells;
}

// The evaluation with every text it holds as shownText has it.
FacultyEvaluation shownEvaluation(FacultyEvaluation ev)
{
    for (std::string* text : {&ev.facCode, &ev.university, &ev.name, &ev.error})
        *text = tamrik::shownText(*text);
    for (auto* list : {&ev.minimums, &ev.missing}) {
        for (std::string& text : *list)
            text = tamrik::shownText(text);
    }
    for (tamrik::YearRange& range : ev.years)
        range.year = tamrik::shownText(range.year);
    if (ev.lastYear)
        ev.lastYear->year = tamrik::shownText(ev.lastYear->year);
    if (ev.needed) {
        for (auto& subject : ev.needed->subjects)
            subject.first = tamrik::shownText(subject.first);
    }
    return ev;
}

const char* const kColumns[] = {"rank", "code", "university", "faculty", "composite", "highest_possible",
                                "last_min", "last_max", "margin_percent", "chance"};
// After them when the class file has wishes.
const char* const kWishColumns[] = {"kind", "wish", "needed"};

}  // namespace

std::string jsonObject(const FacultyEvaluation& ev, bool sample)
{
    std::string out;
    Json(out).object(ev, sample);
    return out;
}

void writeJsonArray(const std::vector<StudentRow>& ranked, bool sample,
                    const std::function<void(std::string_view piece)>& write)
{
    constexpr std::size_t kPiece = 64 * 1024;
    std::string out = "[";
    Json json(out);
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        json.raw(i ? ",\n " : "\n ").object(ranked[i].ev, sample);
        if (out.size() >= kPiece) {
            write(out);
            out.clear();
        }
    }
    out += ranked.empty() ? "]\n" : "\n]\n";
    write(out);
}

std::string jsonRows(const StudentRows& student, bool sample)
{
    std::string out;
    Json json(out);
    for (const StudentRow& row : student.rows) {
        json.raw(",\n {\"id\": ").string(student.id).raw(", \"rank\": ");
        json.raw(row.rank ? std::to_string(row.rank) : "null").raw(", \"kind\": ").string(rowKindKey(row.kind));
        json.raw(", \"wish\": ").raw(row.wish ? std::to_string(row.wish) : "null").raw(", ");
        const std::size_t at = out.size();
        json.object(row.ev, sample);
        out.erase(at, 1);  // the object's own brace: its keys follow these
    }
    return out;
}

std::string sampleLine() { return std::string("หมายเหตุ: ") + tamrik::kSampleNotice + "\n"; }

std::string textBlock(const FacultyEvaluation& given)
{
    const FacultyEvaluation ev = shownEvaluation(given);
    std::string out = "คณะรหัส " + ev.facCode + "  " + ev.name + "  " + ev.university + "\n";
    if (!ev.ok())
        return out + ev.error + "\n";
    namespace w = tamrik::words;
    const auto row = [](std::string_view caption, const tamrik::Earned& e) {
        return padRight(std::string(caption), 20) + padLeft(figure(e.earned), 10) + padLeft(figure(e.full), 10) + "\n";
    };
    out += padRight("", 20) + padLeft(std::string(w::kEarned), 10) + padLeft(std::string(w::kFull), 10) + "\n";
    out += row(w::kMainSubjects, ev.main) + row(w::kSpecialSubjects, ev.special) + row(w::kFromGpa, ev.gpa)
           + row(w::kFromPr, ev.pr) + row(w::kTotal, ev.total);
    if (ev.lastYear)
        out += "คะแนนสูงสุด-ต่ำสุด ปี " + ev.lastYear->year + "  ต่ำสุด " + figure(ev.lastYear->min) + "  สูงสุด "
               + figure(ev.lastYear->max) + "\n";
    else
        out += "ไม่มีคะแนนสูงสุด-ต่ำสุดของปีก่อน\n";
    for (const tamrik::YearRange& r : ev.years)
        out += "  ปี " + r.year + "  ต่ำสุด " + figure(r.min) + "  สูงสุด " + figure(r.max) + "\n";
    for (const std::string& message : ev.minimums)
        out += "เกณฑ์ขั้นต่ำ:" + message + "\n";
    if (!ev.missing.empty()) {
        out += std::string(w::kMissingSubjects);
        for (std::size_t i = 0; i < ev.missing.size(); ++i)
            out += (i ? ", " : " ") + ev.missing[i];
        out += "\n";
    }
    if (ev.marginPoints)
        out += tamrik::marginText(ev.marginPoints, ev.marginPercent) + "\n";
    out += std::string(w::kComparisonInFull) + ": " + std::string(tamrik::chanceLabel(ev.chance)) + " ("
           + std::string(tamrik::chanceKey(ev.chance)) + ")\n";
    if (ev.needed) {
        out += "ยังขาดอีก " + figure(ev.needed->points) + " คะแนน; ถึงคะแนนต่ำสุดปีก่อนได้ด้วยอย่างใดอย่างหนึ่ง:\n";
        for (const auto& [code, score] : ev.needed->subjects)
            out += "  วิชา " + code + " ได้ " + figureOr(score, "(100 ก็ไม่พอ)") + "\n";
        out += "  GPA " + figureOr(ev.needed->gpa, "(4.00 ก็ไม่พอ)") + "\n";
        out += "  PR " + figureOr(ev.needed->pr, "(99.99 ก็ไม่พอ)") + "\n";
    }
    out += "(" + std::string(w::kResultNotice) + ")\n";
    return out;
}

std::string tableText(const std::vector<StudentRow>& ranked)
{
    namespace w = tamrik::words;
    const std::string headings[] = {w::oneLine(w::kRank),           w::oneLine(w::kCode),
                                    w::oneLine(w::kUniversity),     w::oneLine(w::kFaculty),
                                    w::oneLine(w::kComposite),      w::oneLine(w::kHighestPossible),
                                    w::oneLine(w::kLastMin),        w::oneLine(w::kLastMax),
                                    w::oneLine(w::kMarginPercent),  w::oneLine(w::kComparison)};
    constexpr std::size_t kCells = 10;
    // Row 0 is the headings; each cell is measured once. The cells' texts
    // are kept one after another in one buffer: at 9,999 faculties a string
    // and a view of each would be megabytes more.
    struct Cell {
        std::size_t end;    // in texts
        std::size_t width;  // as displayed
    };
    const std::size_t count = ranked.size() + 1;
    std::string texts;
    texts.reserve(count * 256);  // a university's and a faculty's name and the figures
    std::vector<Cell> cells;
    cells.reserve(count * kCells);
    std::array<std::size_t, kCells> widths{};
    std::array<std::string, kCells> written;
    for (std::size_t r = 0; r < count; ++r) {
        std::array<std::string_view, kCells> row;
        if (r == 0)
            std::copy(std::begin(headings), std::end(headings), row.begin());
        else
            row = rowViews(ranked[r - 1].ev, ranked[r - 1].rank, written);
        for (std::size_t c = 0; c < kCells; ++c) {
            texts += row[c];
            cells.push_back({texts.size(), displayWidth(row[c])});
            widths[c] = std::max(widths[c], cells.back().width);
        }
    }
    // Texts stand to the left, figures to the right; the last column is not padded.
    const auto padOf = [&](std::size_t c, std::size_t width) {
        return c == kCells - 1 || width >= widths[c] ? 0 : widths[c] - width;
    };
    std::size_t bytes = texts.size() + count * (2 * (kCells - 1) + 1);
    for (std::size_t i = 0; i < cells.size(); ++i)
        bytes += padOf(i % kCells, cells[i].width);
    std::string out;
    out.reserve(bytes);
    std::size_t at = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t c = i % kCells;
        const bool text = c == 2 || c == 3 || c == kCells - 1;
        const std::size_t pad = padOf(c, cells[i].width);
        if (c)
            out += "  ";
        if (!text)
            out.append(pad, ' ');
        out.append(texts, at, cells[i].end - at);
        at = cells[i].end;
        if (text)
            out.append(pad, ' ');
        if (c == kCells - 1)
            out += '\n';
    }
    return out;
}

std::string csvHeader(bool withId, bool withWishes)
{
    std::vector<std::string> fields;
    if (withId)
        fields.emplace_back("id");
    fields.insert(fields.end(), std::begin(kColumns), std::end(kColumns));
    if (withWishes)
        fields.insert(fields.end(), std::begin(kWishColumns), std::end(kWishColumns));
    return tamrik::csvLine(fields) + "\n";
}

std::string csvRows(const std::vector<StudentRow>& rows, const std::string* id, bool withWishes)
{
    std::string out;
    const std::string idCell = id ? tamrik::spreadsheetText(tamrik::shownText(*id)) : std::string();
    for (const StudentRow& row : rows) {
        std::vector<std::string> cells = rowCells(row.ev, row.rank);
        if (id)
            cells.insert(cells.begin(), idCell);
        if (withWishes) {
            cells.emplace_back(rowKindKey(row.kind));
            cells.push_back(row.wish ? std::to_string(row.wish) : std::string());
            cells.push_back(row.ev.needed ? figure(row.ev.needed->points) : std::string());
        }
        out += tamrik::csvLine(cells) + "\n";
    }
    return out;
}

}  // namespace tamrikcalc
