#include "applicantcsv.h"

#include "calcoptions.h"
#include "csvfile.h"

#include <fstream>
#include <sstream>

namespace tamrikcalc {

namespace {

const char* const kFixedColumns[] = {"id", "gpa", "pr"};

class Reader {
public:
    explicit Reader(const std::string& fileName) : m_file(fileName) {}

    BatchInput read(std::string_view text)
    {
        std::vector<ruledbtool::CsvRecord> records;
        try {
            records = ruledbtool::ParseCsv(ruledbtool::DecodeDataText(text).utf8);
        } catch (const ruledbtool::CsvError& e) {
            m_out.errors.push_back(m_file + ":" + e.what());  // what() is LINE:COLUMN: message
            return std::move(m_out);
        }
        if (records.empty()) {
            error(1, 1, "no header: the first line must be id,gpa,pr followed by subject codes");
            return std::move(m_out);
        }
        readHeader(records.front());
        if (!m_out.errors.empty())
            return std::move(m_out);
        m_out.applicants.reserve(records.size() - 1);
        for (std::size_t r = 1; r < records.size(); ++r) {
            readApplicant(records[r]);
            // A record's texts go as soon as it is read: a national cohort's
            // cells would otherwise stay beside its applicants.
            std::vector<std::string>().swap(records[r].fields);
        }
        if (!m_out.errors.empty())
            m_out.applicants.clear();
        return std::move(m_out);
    }

private:
    void error(int line, std::size_t column, const std::string& message)
    {
        m_out.errors.push_back(m_file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message);
    }

    void readHeader(const ruledbtool::CsvRecord& header)
    {
        const auto& f = header.fields;
        for (std::size_t c = 0; c < 3; ++c) {
            if (c >= f.size() || f[c] != kFixedColumns[c])
                error(header.line, c + 1, std::string("column ") + std::to_string(c + 1) + " must be '"
                                              + kFixedColumns[c] + "'");
        }
        std::array<bool, tamrik::kSubjectCount> seen{};
        for (std::size_t c = 3; c < f.size(); ++c) {
            const std::optional<std::size_t> slot = SubjectSlot(f[c]);
            if (!slot) {
                error(header.line, c + 1, "'" + f[c] + "' is not a subject code 01-51");
            } else if (seen[*slot]) {
                error(header.line, c + 1, "subject " + f[c] + " has a column already");
            } else {
                seen[*slot] = true;
            }
            m_slots.push_back(slot.value_or(0));
        }
    }

    void readApplicant(const ruledbtool::CsvRecord& record)
    {
        const auto& f = record.fields;
        const std::size_t columns = 3 + m_slots.size();
        if (f.size() != columns) {
            error(record.line, std::min(f.size(), columns) + 1,
                  std::to_string(f.size()) + " cells where the header has " + std::to_string(columns));
            return;
        }
        BatchApplicant a;
        a.id = f[0];
        // An empty cell is a value not given, not a fault.
        const auto take = [&](std::size_t c, ValueCheck (*check)(const std::string&), std::optional<double>& into) {
            if (f[c].empty())
                return;
            const ValueCheck result = check(f[c]);
            if (result.value)
                into = result.value;
            else
                error(record.line, c + 1, result.error);
        };
        take(1, CheckGpa, a.applicant.Gpa);
        take(2, CheckPr, a.applicant.Pr);
        for (std::size_t c = 3; c < columns; ++c)
            take(c, CheckScore, a.applicant.Scores[m_slots[c - 3]]);
        m_out.applicants.push_back(std::move(a));
    }

    std::string m_file;
    std::vector<std::size_t> m_slots;  // per subject column
    BatchInput m_out;
};

}  // namespace

BatchInput ParseApplicantsCsv(std::string_view text, const std::string& fileName)
{
    return Reader(fileName).read(text);
}

BatchInput ReadApplicantsCsv(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        BatchInput input;
        input.errors.push_back(path + ": cannot open the file");
        return input;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return ParseApplicantsCsv(content.str(), path);
}

}  // namespace tamrikcalc
