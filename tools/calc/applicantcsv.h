#pragma once
// The applicants of a batch: a CSV file with a header id,gpa,pr followed by
// subject codes and wish1 to wish8 in any order; an empty cell is a subject
// not taken, no wish (or no GPA or PR). The file is never held whole: a
// first pass reports every bad cell, as FILE:LINE:COLUMN: message, and counts
// the applicants; a second pass hands them on a block at a time.

#include "csvstream.h"
#include "applicant.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tamrikcalc {

inline constexpr int kMostWishes = 8;

struct Wish {
    int number = 0;    // 1 to 8: the column wish1 to wish8
    std::string code;  // as facultyCodeOf reads the cell
    bool operator<(const Wish& other) const { return number < other.number; }
};

struct BatchApplicant {
    std::string id;
    tamrik::Applicant applicant;
    std::vector<Wish> wishes;  // in the applicant's order
};

class ApplicantFile {
public:
    explicit ApplicantFile(std::string path);
    ~ApplicantFile();
    ApplicantFile(const ApplicantFile&) = delete;
    ApplicantFile& operator=(const ApplicantFile&) = delete;

    // The first pass: every fault goes to `report` as it is found. The number
    // of applicants, or nothing after any fault.
    std::optional<std::size_t> check(const std::function<void(const std::string& fault)>& report);

    // The second pass: the next applicants in file order, `most` at a time,
    // into `block` (emptied first; empty at the end). False when the file no
    // longer reads as it did in the check: error() then says how.
    bool next(std::vector<BatchApplicant>& block, std::size_t most);
    // After the last block: false, with error(), when records are left over.
    bool atEnd();
    const std::string& error() const;

    // After the check: whether the header has wish columns, and the notes on
    // the wishes, a line each: codes that lost their leading zeros (said
    // once, with the cause) and each code no faculty has, where first seen.
    bool hasWishes() const { return std::any_of(m_wishOf.begin(), m_wishOf.end(), [](int w) { return w > 0; }); }
    std::string wishNotes(const std::function<bool(const std::string& code)>& known) const;
    bool isWished(const std::string& code) const { return m_wishCodes.count(code) > 0; }

private:
    void readHeader(const tamrik::CsvRecord& header);
    std::optional<BatchApplicant> readApplicant(const tamrik::CsvRecord& record);
    void fault(int line, std::size_t column, const std::string& message);
    void startPass();

    std::string m_path;
    std::optional<CsvStream> m_stream;
    struct Place {
        int line = 0;
        std::size_t column = 0;
    };
    std::vector<std::size_t> m_slots;  // per column after id,gpa,pr: the subject's slot
    std::vector<int> m_wishOf;         // ... or the wish's number
    std::map<std::string, Place> m_wishCodes;  // every code wished for, where first
    std::size_t m_lostZeros = 0;
    struct {
        Place place;
        std::string given, code;
    } m_firstLostZeros;
    std::function<void(const std::string&)> m_report;
    bool m_faulty = false;
    bool m_secondPass = false;
    std::size_t m_count = 0;  // applicants the check found
    std::size_t m_handed = 0;
    std::string m_error;
};

}  // namespace tamrikcalc
