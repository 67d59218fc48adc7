#pragma once
// What it takes to reach last year's lowest, one thing at a time: for each
// counted subject, and for the GPA and the PR, the smallest value a box can
// hold (two decimals) that alone brings the composite to it. The composite
// only grows with each of them, so each value is found by bisection over the
// values a box can hold, each tried as the pages would score it.

#include "facultypath.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace tamrik {

// The GPA share of each GPA a box can hold, 0.01 to 4.00, under one set of
// parameters, each worked out when first asked for: the search for every
// faculty asks for the same few.
class GpaShares {
public:
    static constexpr int kTop = 400;  // 4.00 in hundredths

    explicit GpaShares(ScoringContext context) : m_context(std::move(context)) {}
    std::optional<float> at(int hundredths);

private:
    struct Share {
        bool known = false;
        std::optional<float> fraction;
    };
    ScoringContext m_context;
    std::vector<Share> m_shares;  // by hundredths, made on the first question
};

// `lowest` is last year's lowest in hundredths, above the applicant's `composite`.
Needed neededFor(const FacultyPath& path, const ApplicantEntries& entries, GpaShares& gpaShares,
                 std::int64_t lowest, double composite);

}  // namespace tamrik
