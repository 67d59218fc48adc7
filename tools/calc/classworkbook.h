#pragma once
// A class's results as an Excel workbook a school opens as it is: a sheet
// with a row per student and wish or suggestion, and a sheet counting, for
// each faculty any student wished for or was suggested, how many students
// stand at each label. Thai headings, codes as text, figures as numbers shown
// with two decimals, the heading row frozen and filtered. Rows are written
// as they come, so a class of any size takes little memory.

#include "studentrows.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace tamrikcalc {

class ClassWorkbook {
public:
    // `sample`: the rule data are made up; every sheet says so above its headings.
    ClassWorkbook(const std::string& path, bool sample);
    ~ClassWorkbook();
    ClassWorkbook(const ClassWorkbook&) = delete;
    ClassWorkbook& operator=(const ClassWorkbook&) = delete;

    bool ok() const { return m_book != nullptr; }
    void add(const StudentRows& student);
    // Writes the summary and the file; false with error() when it cannot.
    bool close();
    const std::string& error() const { return m_error; }

private:
    struct Tally {
        std::string university, name;
        int wished = 0, suggested = 0;
        std::array<int, 7> byChance{};  // by tamrik::Chance
    };
    unsigned headings(lxw_worksheet* sheet, const std::vector<std::string>& titles);
    void writeSummary();
    void text(lxw_worksheet* sheet, unsigned row, unsigned column, const std::string& value);

    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_students = nullptr;
    lxw_worksheet* m_summary = nullptr;
    lxw_format* m_bold = nullptr;
    lxw_format* m_figure = nullptr;
    lxw_format* m_textCell = nullptr;
    bool m_sample = false;
    unsigned m_firstRow = 0;  // the students' first row under the headings
    unsigned m_row = 0;       // the next row of the students' sheet
    std::map<std::string, Tally> m_tallies;  // by code
    std::string m_error;
};

// A class workbook in an unnamed temporary file (the library writes a file
// by name), copied whole to where the output goes once it is complete.
class WorkbookFile {
public:
    explicit WorkbookFile(bool sample);
    ~WorkbookFile();
    WorkbookFile(const WorkbookFile&) = delete;
    WorkbookFile& operator=(const WorkbookFile&) = delete;

    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    ClassWorkbook& book() { return *m_book; }
    // Closes the workbook and hands its bytes to `write`; false when either fails.
    bool finish(const std::function<bool(std::string_view bytes)>& write);

private:
    std::FILE* m_file = nullptr;
#ifdef _WIN32
    std::filesystem::path m_name;  // removed with this object
#endif
    std::optional<ClassWorkbook> m_book;
    std::string m_error;
};

}  // namespace tamrikcalc
