#pragma once
// What it takes to reach last year's lowest, one thing at a time: for each
// counted subject, and for the GPA and the PR, the smallest value a box can
// hold (two decimals) that alone brings the composite to it. The composite
// only grows with each of them, so each value is found by bisection over the
// values a box can hold, each tried as the pages would score it.

#include "facultypath.h"

#include <cstdint>

namespace tamrik {

// `lowest` is last year's lowest in hundredths, above the applicant's `composite`.
Needed neededFor(const FacultyPath& path, const ApplicantEntries& entries, const ScoringContext& context,
                 std::int64_t lowest, double composite);

}  // namespace tamrik
