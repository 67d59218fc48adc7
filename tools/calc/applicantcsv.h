#pragma once
// The applicants of a batch: a CSV file with a header id,gpa,pr followed by
// subject codes in any order; an empty cell is a subject not taken (or no
// GPA or PR). The file is never held whole: a first pass reports every bad
// cell, as FILE:LINE:COLUMN: message, and counts the applicants; a second
// pass hands them on a block at a time.

#include "csvstream.h"
#include "evaluation.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tamrikcalc {

struct BatchApplicant {
    std::string id;
    tamrik::Applicant applicant;
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

private:
    void readHeader(const tamrik::CsvRecord& header);
    std::optional<BatchApplicant> readApplicant(const tamrik::CsvRecord& record);
    void fault(int line, std::size_t column, const std::string& message);
    void startPass();

    std::string m_path;
    std::optional<CsvStream> m_stream;
    std::vector<std::size_t> m_slots;  // per subject column
    std::function<void(const std::string&)> m_report;
    bool m_faulty = false;
    bool m_secondPass = false;
    std::size_t m_count = 0;  // applicants the check found
    std::size_t m_handed = 0;
    std::string m_error;
};

}  // namespace tamrikcalc
