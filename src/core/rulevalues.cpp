#include "rulevalues.h"

#include "facultyrule.h"
#include "numtext.h"
#include "rulenames.h"
#include "rulesource.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tamrik {

namespace {

bool isWhole(const std::optional<double>& v, double low, double high)
{
    return v && *v >= low && *v <= high && std::floor(*v) == *v;
}

class Faults {
public:
    explicit Faults(const ValueRow& row) : m_row(row) {}

    // The count in `column` when it is a whole number from `low` to `high`.
    std::optional<int> count(const char* column, int low, int high)
    {
        const auto n = m_row.number(column);
        if (isWhole(n, low, high))
            return static_cast<int>(*n);
        add(column, std::string(column) + " must be a whole number from " + std::to_string(low) + " to "
                        + std::to_string(high));
        return std::nullopt;
    }

    void add(std::string column, std::string message) { m_faults.push_back({std::move(column), std::move(message)}); }
    std::vector<ValueFault> take() { return std::move(m_faults); }

private:
    const ValueRow& m_row;
    std::vector<ValueFault> m_faults;
};

void criteria(const ValueRow& row, Faults& faults)
{
    const auto n = faults.count(kNumSub, 0, kMaxListEntries);
    for (int k = 1; n && k <= *n; ++k) {
        const auto score = row.number(entryScoreColumn(k));
        if (!(score && *score >= 0 && *score <= 10000))
            faults.add(entryScoreColumn(k).str(), "the minimum must be 0 to 100 % (0 to 10000)");
    }
}

void calculation(const ValueRow& row, Faults& faults)
{
    const auto n = faults.count(kNumSub, 1, kMaxListEntries);
    for (int k = 1; n && k <= *n; ++k) {
        const std::string code = row.text(entryCodeColumn(k));
        const auto value = wholeNumber(code);
        if (!value || *value < kFirstSpecialCode)
            continue;  // a main subject counts 100 points: its score is not read
        const auto score = row.number(entryScoreColumn(k));
        if (!(score && *score > 0 && std::isfinite(*score)))
            faults.add(entryScoreColumn(k).str(), "the full score of entry " + code + " must be above 0");
    }
    const auto total = row.number(kTotSco);
    if (!(total && *total > 0 && std::isfinite(*total)))
        faults.add(kTotSco, "TotSco must be a number above 0");
}

void range(const ValueRow& row, Faults& faults)
{
    const auto high = row.number(kScMax);
    const auto low = row.number(kScMin);
    if (!(high && *high >= 0))
        faults.add(kScMax, "the highest score must be a number, 0 or more");
    if (!(low && *low >= 0))
        faults.add(kScMin, "the lowest score must be a number, 0 or more");
    if (high && low && *low > *high)
        faults.add(kScMin, "the lowest score is above the highest");
}

const char* const kTablesWithRules[] = {kTable12, kFacsubj, kSubjectTable, kTableCRT, kTableSUM, kZi2Prob};

}  // namespace

bool hasValueRules(std::string_view table, bool rangeTable)
{
    return rangeTable || std::any_of(std::begin(kTablesWithRules), std::end(kTablesWithRules),
                                     [&](const char* name) { return sameColumnName(name, table); });
}

std::vector<ValueFault> ruleValueFaults(std::string_view table, bool rangeTable, const ValueRow& row)
{
    Faults faults(row);
    if (rangeTable) {
        range(row, faults);
    } else if (sameColumnName(table, kTable12)) {
        // Only 2 means anything, but a text would pass for "no rule" unseen.
        if (!row.number(kNumSub))
            faults.add(kNumSub, "NumSub must be a number");
    } else if (sameColumnName(table, kFacsubj)) {
        faults.count(kNumSubj, 1, kMaxFacultySubjects);
    } else if (sameColumnName(table, kSubjectTable)) {
        const auto type = row.number(kSubTyp);
        if (!type || (*type != 0 && *type != 1))
            faults.add(kSubTyp, "SubTyp must be 0 (main) or 1 (special)");
    } else if (sameColumnName(table, kTableCRT)) {
        criteria(row, faults);
    } else if (sameColumnName(table, kTableSUM)) {
        calculation(row, faults);
    } else if (sameColumnName(table, kZi2Prob)) {
        const auto prob = row.number(kProb);
        if (!(prob && *prob >= 0 && *prob <= 1))
            faults.add(kProb, "Prob of key " + row.text(kZi) + " is not a probability (0 to 1)");
    }
    return faults.take();
}

}  // namespace tamrik
