// The rule load fed random rows through a RuleSource: every table, column and
// value the load asks for comes from the input, mostly from a vocabulary of
// likely and hostile values. Property: the load either fails with a message,
// or gives a main weight in (0, 90] and full scores and weights that are
// finite and not negative.
#include "facultyrule.h"
#include "numtext.h"
#include "rulesource.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

using namespace tamrik;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// The rule's figures on stderr, so a failing input tells what it loaded.
void print(const FacultyRule& rule)
{
    std::fprintf(stderr, "WMain %s MaxMain %s MaxSP %s ScorePerPercent %g", rule.WMain.c_str(),
                 rule.MaxMain.c_str(), rule.MaxSP.c_str(), static_cast<double>(rule.ScorePerPercent));
    for (const FacultyRule::SubjectRow& row : rule.SpecRows)
        std::fprintf(stderr, " special %s weight %s", row.SubCod.c_str(), row.Weight.c_str());
    if (rule.PairGroup)
        std::fprintf(stderr, " pair weight %s", rule.PairGroup->WeightText.c_str());
    std::fprintf(stderr, "\n");
}

const char* const kVocabulary[] = {
    "0", "1", "2", "3", "4", "5", "7", "8", "9", "10", "01", "02", "03", "04", "05", "16", "41", "45",
    "46", "51", "52", "61", "70", "4546", "0145", "2000", "2550", "3000", "20000", "6000", "7000",
    "-6000", "1e-320", "1e308", "1e999", "nan", "inf", "-1", "", " 7", "100", "abc", "00", "0.5",
};

std::vector<std::string> Columns(std::string_view table)
{
    if (table == "Table12")
        return {"NumSub"};
    if (table == "Facsubj")
        return {"NumSubj", "Sub1", "Sub2", "Sub3", "Sub4", "Sub5", "Sub6", "Sub7", "Sub8"};
    if (table == "SubjectTable")
        return {"SubTyp", "SubName"};
    if (table == "tb6174")
        return {"SubCod"};
    std::vector<std::string> columns{"NumSub"};
    for (int k = 1; k <= 9; ++k) {
        columns.push_back("SubCod0" + std::to_string(k));
        columns.push_back("Sco0" + std::to_string(k));
    }
    if (table == "tableSUM")
        columns.push_back("TotSco");
    return columns;
}

class FuzzedSource : public RuleSource {
public:
    explicit FuzzedSource(FuzzedDataProvider& data) : m_data(data) {}

    std::optional<RuleRow> firstRow(std::string_view table, std::string_view, std::string_view) override
    {
        if (m_data.ConsumeIntegralInRange<int>(0, 31) == 0)
            return std::nullopt;
        RuleRow row;
        for (const std::string& column : Columns(table)) {
            const int pick = m_data.ConsumeIntegralInRange<int>(0, std::size(kVocabulary) + 2);
            if (pick < static_cast<int>(std::size(kVocabulary)))
                row.set(column, std::string(kVocabulary[pick]));
            else if (pick == static_cast<int>(std::size(kVocabulary)))
                row.set(column, m_data.ConsumeRandomLengthString(24));
            else if (pick == static_cast<int>(std::size(kVocabulary)) + 1)
                row.set(column, std::nullopt);
            // else: the column is missing
        }
        return row;
    }

private:
    FuzzedDataProvider& m_data;
};

// A figure shown or computed with: finite and not negative.
bool isFigure(const std::string& text)
{
    const double v = Val(text);
    return v >= 0 && v < std::numeric_limits<double>::max();
}

bool holdsItsFigures(const FacultyRule& rule)
{
    const double w = Val(rule.WMain);
    bool ok = w > 0 && w <= 90 && isFigure(rule.MaxMain) && isFigure(rule.MaxSP) &&
              std::isfinite(rule.ScorePerPercent) && rule.ScorePerPercent >= 0;
    for (const FacultyRule::SubjectRow& row : rule.SpecRows)
        ok = ok && isFigure(row.Weight);
    return ok && (!rule.PairGroup || isFigure(rule.PairGroup->WeightText));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    FuzzedSource source(provider);
    const RuleLoadResult result = buildFacultyRule(source, "0001", "0001");
    if (!result.ok()) {
        require(!result.error.empty());
        return 0;
    }
    if (!holdsItsFigures(*result.rule)) {
        print(*result.rule);
        std::abort();
    }
    return 0;
}
