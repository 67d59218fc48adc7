#pragma once
// Pages 2 to 4 for one faculty's rule, prepared once: the rows as page 2 lays
// them out (only their score boxes change from one applicant to the next) and
// every caption of the rule read back as a number, so that scoring an
// applicant works on the box values alone: the subtotals, the check and the
// summary's figures, each the Val of the caption the pages would show.
//
// Flow: Applicant -> ApplicantEntries (the boxes the pages would restore,
// worked out once for every faculty) -> RowValues of one rule -> Figures.

#include "applicant.h"
#include "evaluation.h"
#include "subjectcheck.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamrik {

// What the pages hold for one applicant: the score box each subject's row
// would get back, and the GPA and PR shares.
struct ApplicantEntries {
    ScoreSlots box;                             // "" where nothing is restored
    std::array<double, kSubjectCount> value{};  // Val of each box
    std::array<bool, kSubjectCount> scored{};   // the applicant has a score for the subject
    std::optional<float> gpaFraction;
    std::optional<float> prFraction;
};

ApplicantEntries entriesOf(const Applicant& applicant, const ScoringContext& context);

struct Figures {
    Earned main, special, gpa, pr, total;
};

// The score box values of one rule's rows, in row order.
struct RowValues {
    std::array<double, kMaxMainRows> main{};
    std::array<double, kMaxSpecRows> special{};
};

// Read-only once made; keeps what scoring needs of the rule, taking its
// texts rather than copying them.
class FacultyPath {
public:
    explicit FacultyPath(FacultyRule&& rule);

    // The rows' box values for the values of the 51 boxes.
    RowValues restore(const std::array<double, kSubjectCount>& value) const;

    // Whether a score the applicant has falls below its minimum (or 01 and 02
    // together below theirs, both scored). A subject with no score yet fails
    // nothing: it is missing.
    bool failsCheck(const RowValues& values, const ApplicantEntries& entries) const;
    // Page 2's check with its messages, over the box texts of the subjects
    // that have a score.
    SubjectCheckResult check(const ApplicantEntries& entries) const;

    // Counted codes without a score, in calculation order (a member of the
    // either-of pair only when its partner, counted too, has none either),
    // then the other subjects with a minimum and no score.
    std::vector<std::string> missing(const ApplicantEntries& entries) const;
    bool anyMissing(const ApplicantEntries& entries) const;

    // Page 4's figures: buildSummary's captions read back, each earned figure
    // the Val of its "0.00" text.
    Figures figures(const RowValues& values, const std::optional<float>& gpaFraction,
                    const std::optional<float>& prFraction) const;
    // The composite alone, as figures() gives it.
    double composite(const RowValues& values, const std::optional<float>& gpaFraction,
                     const std::optional<float>& prFraction) const;

    // The composite's full mark, as page 4 shows it.
    double highest() const { return m_highest; }

    // The codes the subtotals count, in calculation order, and their slots.
    const std::vector<std::string>& countedCodes() const { return m_counted; }
    const std::vector<std::size_t>& countedSlots() const { return m_countedSlots; }

private:
    struct Shares {
        double main, special, gpa, pr;
    };
    Shares shares(const RowValues& values, const std::optional<float>& gpaFraction,
                  const std::optional<float>& prFraction) const;
    bool isMissing(const ApplicantEntries& entries, std::size_t counted) const;
    bool isScored(const ApplicantEntries& entries, const std::optional<std::size_t>& slot) const
    {
        return slot && entries.scored[*slot];
    }
    std::optional<std::size_t> partnerOf(const FacultyRule& rule, const std::string& code) const;

    // What page 2's check shows of each row, main rows first.
    struct RowText {
        std::string code, name, minimum;
    };
    std::vector<RowText> m_rows;
    std::size_t m_mainRows = 0, m_specialRows = 0;
    bool m_rule0102 = false;
    float m_scorePerPercent = 0.0f;
    // Each row's slot (nothing for a code without one), minimum and weight.
    std::array<std::optional<std::size_t>, kMaxMainRows> m_mainSlots{};
    std::array<std::optional<std::size_t>, kMaxSpecRows> m_specialSlots{};
    std::array<double, kMaxMainRows> m_mainMinimums{};
    std::array<double, kMaxSpecRows> m_specialMinimums{}, m_specialWeights{};
    std::vector<std::size_t> m_mainOrder, m_specialOrder;
    std::vector<std::string> m_counted;
    std::vector<std::size_t> m_countedSlots;
    std::vector<std::optional<std::size_t>> m_partners;
    // The rows whose minimum a missing score leaves undecided, beyond the
    // counted codes: their code and slot.
    std::vector<std::pair<std::string, std::optional<std::size_t>>> m_uncountedMinimums;
    double m_wMain = 0;
    std::array<double, 3> m_full{};  // main, special, GPA and PR each
    double m_highest = 0;
};

}  // namespace tamrik
