#pragma once
// A batch over threads: applicants are taken in blocks by whichever thread
// is free, and the blocks' rows are handed on strictly in applicant order,
// so the output is the same whatever the number of threads.

#include "applicantcsv.h"
#include "evaluation.h"

#include <functional>
#include <string_view>
#include <vector>

namespace tamrikcalc {

struct BatchSettings {
    std::size_t top = static_cast<std::size_t>(-1);  // rows kept per applicant
    unsigned jobs = 1;
};

// Calls `write` with the CSV rows (no header) of consecutive applicants, in
// order, and `progress` with the number of applicants done so far.
void RunBatch(const std::vector<tamrik::FacultyRecord>& faculties, const tamrik::ScoringContext& context,
              const std::vector<BatchApplicant>& applicants, const BatchSettings& settings,
              const std::function<void(std::string_view rows)>& write,
              const std::function<void(std::size_t done)>& progress = {});

}  // namespace tamrikcalc
