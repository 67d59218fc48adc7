#pragma once
// The applicants of a batch: a CSV file with a header id,gpa,pr followed by
// subject codes in any order; an empty cell is a subject not taken (or no
// GPA or PR). Every bad cell is reported, as FILE:LINE:COLUMN: message.

#include "evaluation.h"

#include <string>
#include <string_view>
#include <vector>

namespace tamrikcalc {

struct BatchApplicant {
    std::string id;
    tamrik::Applicant applicant;
};

struct BatchInput {
    std::vector<BatchApplicant> applicants;
    std::vector<std::string> errors;  // nothing may be computed when there is one
};

BatchInput ParseApplicantsCsv(std::string_view text, const std::string& fileName);
BatchInput ReadApplicantsCsv(const std::string& path);

}  // namespace tamrikcalc
