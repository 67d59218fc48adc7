#include "applicantcsv.h"

#include "calcoptions.h"
#include "subjectcheck.h"

#include <algorithm>
#include <array>

namespace tamrikcalc {

namespace {

const char* const kFixedColumns[] = {"id", "gpa", "pr"};
const char* const kChanged = ": the file changed while it was read; nothing is written";

// 1 to 8 for a column wish1 to wish8, else 0.
int wishNumber(const std::string& column)
{
    if (column.size() != 5 || column.compare(0, 4, "wish") != 0 || column[4] < '1'
        || column[4] > static_cast<char>('0' + kMostWishes))
        return 0;
    return column[4] - '0';
}

}  // namespace

ApplicantFile::ApplicantFile(std::string path) : m_path(std::move(path)) {}

ApplicantFile::~ApplicantFile() = default;

const std::string& ApplicantFile::error() const { return m_error; }

std::string ApplicantFile::wishNotes(const std::function<bool(const std::string& code)>& known) const
{
    std::string notes;
    const auto at = [&](const Place& place) {
        return "tamrik-calc: " + m_path + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) + ": ";
    };
    if (m_lostZeros)
        notes += at(m_firstLostZeros.place) + "wish '" + m_firstLostZeros.given + "' is read as faculty "
                 + m_firstLostZeros.code + "; " + std::to_string(m_lostZeros)
                 + (m_lostZeros == 1 ? " wish code had lost its" : " wish codes had lost their")
                 + " leading zeros: the column was saved as numbers; save it as text\n";
    for (const auto& [code, place] : m_wishCodes) {
        if (!known(code))
            notes += at(place) + "no faculty '" + code + "' in the rule database; the wish is listed with a note\n";
    }
    return notes;
}

void ApplicantFile::fault(int line, std::size_t column, const std::string& message)
{
    m_faulty = true;
    if (m_report)
        m_report(m_path + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message);
}

std::optional<std::size_t> ApplicantFile::check(const std::function<void(const std::string& fault)>& report)
{
    m_report = report;
    try {
        m_stream.emplace(m_path);
        const std::optional<tamrik::CsvRecord> header = m_stream->next();
        if (!header) {
            fault(1, 1, "no header: the first line must be id,gpa,pr followed by subject codes and wish1-wish8");
            return std::nullopt;
        }
        readHeader(*header);
        if (m_faulty)
            return std::nullopt;
        while (const std::optional<tamrik::CsvRecord> record = m_stream->next()) {
            readApplicant(*record);
            ++m_count;
        }
    } catch (const tamrik::FileError& e) {
        m_faulty = true;
        report(e.what());
    }
    m_report = nullptr;
    if (m_faulty)
        return std::nullopt;
    return m_count;
}

void ApplicantFile::startPass()
{
    m_secondPass = true;
    m_stream->rewind();
    m_slots.clear();
    if (const auto header = m_stream->next())
        readHeader(*header);
    else
        m_faulty = true;
}

bool ApplicantFile::next(std::vector<BatchApplicant>& block, std::size_t most)
{
    block.clear();
    try {
        if (!m_secondPass)
            startPass();
        while (!m_faulty && block.size() < most && m_handed < m_count) {
            const std::optional<tamrik::CsvRecord> record = m_stream->next();
            if (!record)
                break;
            std::optional<BatchApplicant> applicant = readApplicant(*record);
            if (applicant)
                block.push_back(std::move(*applicant));
            ++m_handed;
        }
        if (!m_faulty && block.size() < most && m_handed < m_count)
            m_faulty = true;  // fewer than the check counted
    } catch (const tamrik::FileError&) {
        m_faulty = true;
    }
    if (m_faulty)
        m_error = m_path + kChanged;
    return !m_faulty;
}

bool ApplicantFile::atEnd()
{
    try {
        if (m_stream->next())
            m_faulty = true;
    } catch (const tamrik::FileError&) {
        m_faulty = true;
    }
    if (m_faulty)
        m_error = m_path + kChanged;
    return !m_faulty;
}

void ApplicantFile::readHeader(const tamrik::CsvRecord& header)
{
    m_wishOf.clear();
    const auto& f = header.fields;
    for (std::size_t c = 0; c < 3; ++c) {
        if (c >= f.size() || f[c] != kFixedColumns[c])
            fault(header.line, c + 1,
                  std::string("column ") + std::to_string(c + 1) + " must be '" + kFixedColumns[c] + "'");
    }
    std::array<bool, tamrik::kSubjectCount> seen{};
    std::array<bool, kMostWishes + 1> seenWish{};
    for (std::size_t c = 3; c < f.size(); ++c) {
        const int wish = wishNumber(f[c]);
        m_wishOf.push_back(wish);
        if (wish) {
            if (seenWish[static_cast<std::size_t>(wish)])
                fault(header.line, c + 1, f[c] + " has a column already");
            seenWish[static_cast<std::size_t>(wish)] = true;
            m_slots.push_back(0);
            continue;
        }
        const std::optional<std::size_t> slot = tamrik::scoreSlot(f[c]);
        if (!slot) {
            fault(header.line, c + 1, "'" + f[c] + "' is not a subject code 01-51 or wish1-wish8");
        } else if (seen[*slot]) {
            fault(header.line, c + 1, "subject " + f[c] + " has a column already");
        } else {
            seen[*slot] = true;
        }
        m_slots.push_back(slot.value_or(0));
    }
}

std::optional<BatchApplicant> ApplicantFile::readApplicant(const tamrik::CsvRecord& record)
{
    const auto& f = record.fields;
    const std::size_t columns = 3 + m_slots.size();
    if (f.size() != columns) {
        fault(record.line, std::min(f.size(), columns) + 1,
              std::to_string(f.size()) + " cells where the header has " + std::to_string(columns));
        return std::nullopt;
    }
    BatchApplicant a;
    a.id = f[0];
    bool good = true;
    // An empty cell is a value not given, not a fault.
    const auto take = [&](std::size_t c, ValueCheck (*check)(const std::string&), std::optional<double>& into) {
        if (f[c].empty())
            return;
        const ValueCheck result = check(f[c]);
        if (result.value) {
            into = result.value;
        } else {
            good = false;
            fault(record.line, c + 1, result.error);
        }
    };
    take(1, checkGpa, a.applicant.Gpa);
    take(2, checkPr, a.applicant.Pr);
    for (std::size_t c = 3; c < columns; ++c) {
        if (!m_wishOf[c - 3]) {
            take(c, checkScore, a.applicant.Scores[m_slots[c - 3]]);
            continue;
        }
        bool lostZeros = false;
        std::string code = facultyCodeOf(f[c], &lostZeros);
        if (code.empty())
            continue;
        const Place place{record.line, c + 1};
        if (lostZeros && !m_secondPass && m_lostZeros++ == 0)
            m_firstLostZeros = {place, f[c], code};
        if (!m_secondPass)
            m_wishCodes.emplace(code, place);
        a.wishes.push_back({m_wishOf[c - 3], std::move(code)});
    }
    std::sort(a.wishes.begin(), a.wishes.end());
    if (!good)
        return std::nullopt;
    return a;
}

}  // namespace tamrikcalc
