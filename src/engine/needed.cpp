#include "needed.h"

#include "chance.h"
#include "numtext.h"

namespace tamrik {

namespace {

constexpr int kTopScore = 10000;  // 100.00 in hundredths
constexpr int kTopPr = 9999;      // 99.99

// A value as typed into a two-decimal box and read back.
double typed(int hundredths)
{
    return shownValue(hundredths / 100.0, 2);
}

// The smallest whole number of hundredths in [from, to] for which `reaches`
// holds, searching a calculation that only grows with its input.
template <typename Reaches>
std::optional<int> smallestReaching(int from, int to, Reaches reaches)
{
    if (!reaches(to))
        return std::nullopt;
    while (from < to) {
        const int mid = from + (to - from) / 2;
        if (reaches(mid))
            to = mid;
        else
            from = mid + 1;
    }
    return from;
}

std::optional<double> inPoints(const std::optional<int>& hundredths)
{
    return hundredths ? std::optional<double>(*hundredths / 100.0) : std::nullopt;
}

}  // namespace

std::optional<float> GpaShares::at(int hundredths)
{
    m_shares.resize(kTop + 1);
    Share& share = m_shares[static_cast<std::size_t>(hundredths)];
    if (!share.known) {
        share.fraction = gpaFraction(typed(hundredths), m_context.meanText, m_context.sdText, m_context.prob);
        share.known = true;
    }
    return share.fraction;
}

Needed neededFor(const FacultyPath& path, const ApplicantEntries& entries, GpaShares& gpaShares,
                 std::int64_t lowest, double composite)
{
    Needed needed;
    needed.points = static_cast<double>(lowest - hundredths(composite)) / 100;
    const auto reaches = [&](const RowValues& values, const std::optional<float>& gpa, const std::optional<float>& pr) {
        return hundredths(path.composite(values, gpa, pr)) >= lowest;
    };

    // A score typed as h hundredths comes back into its box as the same value.
    std::array<double, kSubjectCount> value = entries.value;
    for (std::size_t i = 0; i < path.countedCodes().size(); ++i) {
        const std::size_t slot = path.countedSlots()[i];
        const auto found = smallestReaching(0, kTopScore, [&](int h) {
            value[slot] = typed(h);
            return reaches(path.restore(value), entries.gpaFraction, entries.prFraction);
        });
        value[slot] = entries.value[slot];
        needed.subjects.emplace_back(path.countedCodes()[i], inPoints(found));
    }

    const RowValues values = path.restore(entries.value);
    needed.gpa = inPoints(smallestReaching(1, GpaShares::kTop, [&](int h) {
        return reaches(values, gpaShares.at(h), entries.prFraction);
    }));
    needed.pr = inPoints(smallestReaching(1, kTopPr, [&](int h) {
        return reaches(values, entries.gpaFraction, prFraction(typed(h)));
    }));
    return needed;
}

}  // namespace tamrik
