#include "classworkbook.h"

#include "evaluationtext.h"
#include "numtext.h"
#include "samplenotice.h"
#include "utf8text.h"
#include "vocabulary.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <random>
#include <system_error>
#endif

namespace tamrikcalc {

namespace w = tamrik::words;
using tamrik::Chance;

namespace {

constexpr unsigned kStudentColumns = 15;

// The chance columns of the summary, in the ranking's order.
constexpr Chance kCounted[] = {Chance::AboveMax, Chance::Clear,         Chance::Borderline,  Chance::Below,
                               Chance::NoData,   Chance::MissingScores, Chance::FailsMinimum};

std::string line(std::string_view heading) { return w::oneLine(heading); }

}  // namespace

ClassWorkbook::ClassWorkbook(const std::string& path, bool sample) : m_sample(sample)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    m_book = workbook_new_opt(path.c_str(), &options);
    if (!m_book) {
        m_error = "the workbook cannot be made";
        return;
    }
    m_students = workbook_add_worksheet(m_book, "ผลรายคน");
    m_summary = workbook_add_worksheet(m_book, "สรุปทั้งห้อง");
    m_bold = workbook_add_format(m_book);
    format_set_bold(m_bold);
    format_set_text_wrap(m_bold);
    m_figure = workbook_add_format(m_book);
    format_set_num_format(m_figure, "0.00");
    // Codes stay text when the cell is edited: "0013" keeps its zeros.
    m_textCell = workbook_add_format(m_book);
    format_set_num_format(m_textCell, "@");
    m_firstRow = headings(m_students, {line(w::kStudentId), line(w::kRowKind), line(w::kWishNumber), line(w::kRank),
                                       line(w::kCode), line(w::kUniversity), line(w::kFaculty), line(w::kComposite),
                                       line(w::kHighestPossible), line(w::kLastMin), line(w::kLastMax),
                                       line(w::kMarginPercent), line(w::kComparison), line(w::kNeededPoints),
                                       line(w::kNeededWays)});
    m_row = m_firstRow;
    worksheet_set_column(m_students, 0, 0, 14, m_textCell);
    worksheet_set_column(m_students, 1, 3, 10, nullptr);
    worksheet_set_column(m_students, 4, 4, 7, m_textCell);
    worksheet_set_column(m_students, 5, 6, 28, nullptr);
    worksheet_set_column(m_students, 7, 11, 11, m_figure);
    worksheet_set_column(m_students, 12, 12, 24, nullptr);
    worksheet_set_column(m_students, 13, 13, 10, m_figure);
    worksheet_set_column(m_students, 14, 14, 50, nullptr);
}

ClassWorkbook::~ClassWorkbook()
{
    if (m_book)
        workbook_close(m_book);  // an unfinished workbook: the caller throws its file away
}

void ClassWorkbook::text(lxw_worksheet* sheet, unsigned row, unsigned column, const std::string& value)
{
    if (value.empty())
        return;
    // Texts from the data as every output carries them; and never a formula.
    const std::string shown = tamrik::shownText(value);
    worksheet_write_string(sheet, row, static_cast<lxw_col_t>(column), shown.c_str(), nullptr);
}

unsigned ClassWorkbook::headings(lxw_worksheet* sheet, const std::vector<std::string>& titles)
{
    unsigned row = 0;
    if (m_sample) {
        const std::string notice = std::string("หมายเหตุ: ") + tamrik::kSampleNotice;
        worksheet_write_string(sheet, row++, 0, notice.c_str(), m_bold);
    }
    for (std::size_t c = 0; c < titles.size(); ++c)
        worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), titles[c].c_str(), m_bold);
    worksheet_freeze_panes(sheet, row + 1, 0);
    return row + 1;
}

void ClassWorkbook::add(const StudentRows& student)
{
    if (!m_book)
        return;
    for (const StudentRow& r : student.rows) {
        const tamrik::FacultyEvaluation& ev = r.ev;
        const unsigned row = m_row++;
        // A figure holds what it shows: two decimals, as every other output writes it.
        const auto number = [&](unsigned column, double value, lxw_format* format) {
            worksheet_write_number(m_students, row, static_cast<lxw_col_t>(column),
                                   format ? tamrik::shownValue(value, 2) : value, format);
        };
        const auto figureOr = [&](unsigned column, const std::optional<double>& value) {
            if (value)
                number(column, *value, m_figure);
        };
        text(m_students, row, 0, student.id);
        text(m_students, row, 1, std::string(rowKindLabel(r.kind)));
        if (r.wish)
            number(2, r.wish, nullptr);
        if (r.rank)
            number(3, static_cast<double>(r.rank), nullptr);
        text(m_students, row, 4, ev.facCode);
        text(m_students, row, 5, ev.university);
        text(m_students, row, 6, ev.name);
        if (!ev.ok()) {
            text(m_students, row, 12, ev.error);
            continue;
        }
        number(7, ev.total.earned, m_figure);
        number(8, ev.total.full, m_figure);
        if (ev.lastYear) {
            number(9, ev.lastYear->min, m_figure);
            number(10, ev.lastYear->max, m_figure);
        }
        figureOr(11, ev.marginPercent);
        text(m_students, row, 12, std::string(tamrik::chanceLabel(ev.chance)));
        if (ev.needed) {
            number(13, ev.needed->points, m_figure);
            text(m_students, row, 14, tamrik::neededText(*ev.needed));
        }

        Tally& tally = m_tallies[ev.facCode];
        tally.university = ev.university;
        tally.name = ev.name;
        (r.kind == RowKind::Wish ? tally.wished : tally.suggested) += 1;
        tally.byChance[static_cast<std::size_t>(ev.chance)] += 1;
    }
}

void ClassWorkbook::writeSummary()
{
    std::vector<std::string> titles{line(w::kCode), line(w::kUniversity), line(w::kFaculty), line(w::kWishedBy),
                                    line(w::kSuggestedTo)};
    for (const Chance chance : kCounted)
        titles.emplace_back(tamrik::chanceLabel(chance));
    unsigned row = headings(m_summary, titles);
    const unsigned first = row;
    worksheet_set_column(m_summary, 0, 0, 7, m_textCell);
    worksheet_set_column(m_summary, 1, 2, 28, nullptr);
    worksheet_set_column(m_summary, 3, static_cast<lxw_col_t>(titles.size() - 1), 12, nullptr);
    for (const auto& [code, tally] : m_tallies) {
        text(m_summary, row, 0, code);
        text(m_summary, row, 1, tally.university);
        text(m_summary, row, 2, tally.name);
        worksheet_write_number(m_summary, row, 3, tally.wished, nullptr);
        worksheet_write_number(m_summary, row, 4, tally.suggested, nullptr);
        for (std::size_t c = 0; c < std::size(kCounted); ++c)
            worksheet_write_number(m_summary, row, static_cast<lxw_col_t>(5 + c),
                                   tally.byChance[static_cast<std::size_t>(kCounted[c])], nullptr);
        ++row;
    }
    worksheet_autofilter(m_summary, first - 1, 0, row > first ? row - 1 : first - 1,
                         static_cast<lxw_col_t>(titles.size() - 1));
}

bool ClassWorkbook::close()
{
    if (!m_book)
        return false;
    worksheet_autofilter(m_students, m_firstRow - 1, 0, m_row > m_firstRow ? m_row - 1 : m_firstRow - 1,
                         kStudentColumns - 1);
    writeSummary();
    const lxw_error result = workbook_close(m_book);
    m_book = nullptr;
    if (result != LXW_NO_ERROR)
        m_error = lxw_strerror(result);
    return result == LXW_NO_ERROR;
}

WorkbookFile::WorkbookFile(bool sample)
{
#ifdef _WIN32
    // No file there that has no name and that the library can still open:
    // one in %TEMP%, which the library opens by its UTF-8 name (the
    // manifest's code page) and this object removes.
    std::error_code ec;
    std::random_device device;
    m_name = std::filesystem::temp_directory_path(ec) / ("tamrik-calc." + std::to_string(device()) + ".xlsx");
    m_file = _wfopen(m_name.c_str(), L"w+b");
    const std::string name = m_name.u8string();
#else
    // The file has no name, so nothing is left behind whatever ends the run;
    // the library reaches it through the process's own link to it.
    m_file = std::tmpfile();
    const std::string name = m_file ? "/proc/self/fd/" + std::to_string(fileno(m_file)) : std::string();
#endif
    if (!m_file) {
        m_error = std::string("no temporary file for the workbook: ") + std::strerror(errno);
        return;
    }
    m_book.emplace(name, sample);
    if (!m_book->ok())
        m_error = m_book->error();
}

WorkbookFile::~WorkbookFile()
{
    m_book.reset();
    if (m_file)
        std::fclose(m_file);
#ifdef _WIN32
    std::error_code ec;
    std::filesystem::remove(m_name, ec);
#endif
}

bool WorkbookFile::finish(const std::function<bool(std::string_view bytes)>& write)
{
    if (!m_book->close()) {
        m_error = m_book->error();
        return false;
    }
    std::string bytes;
    char buffer[1 << 16];
    std::rewind(m_file);
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0;)
        bytes.append(buffer, n);
    if (std::ferror(m_file)) {
        m_error = "the workbook's temporary file cannot be read";
        return false;
    }
    return write(bytes);
}

}  // namespace tamrikcalc
