#include "subjectcheck.h"

#include "numtext.h"
#include "subtotals.h"

#include <cmath>

namespace tamrik {

namespace {

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// 30 % of the 200 points of subjects 01 and 02 together.
constexpr double kRule0102Least = 60.0;

void checkMinimums(const std::vector<SubjectRow>& rows, SubjectCheckResult& result)
{
    for (const SubjectRow& row : rows) {
        if (belowMinimum(scoreValue(row.score), Val(row.minimum))) {
            result.failed = true;
            result.messages.push_back("   วิชา " + row.code + " " + row.name + " ไม่ผ่านเกณฑ์ขั้นต่ำ "
                                      + row.minimum + " % ");
        }
    }
}

void remember(const std::vector<SubjectRow>& rows, ScoreSlots& ScoreByCode)
{
    for (const SubjectRow& row : rows) {
        const auto slot = scoreSlot(row.code);
        if (!slot)
            continue;
        // An empty box is no score at all, unlike a typed 0.
        const std::optional<double> score = scoreNumber(row.score);
        ScoreByCode[*slot] = score ? numberText(*score) : "-1";
    }
}

}  // namespace

bool rule0102Fails(double first, double second)
{
    return second + first < kRule0102Least;
}

SubjectCheckResult checkSubjectScores(const std::vector<SubjectRow>& mainRows,
                                      const std::vector<SubjectRow>& specialRows, bool rule0102Shown)
{
    SubjectCheckResult result;
    if (rule0102Shown) {
        const double first = mainRows.size() > 0 ? scoreValue(mainRows[0].score) : 0.0;
        const double second = mainRows.size() > 1 ? scoreValue(mainRows[1].score) : 0.0;
        if (rule0102Fails(first, second)) {
            result.failed = true;
            result.messages.push_back("  ไม่ผ่านเกณฑ์!!  วิชา 01 , 02 คะแนนรวมน้อยกว่า 30 % ");
        }
    }
    checkMinimums(mainRows, result);
    checkMinimums(specialRows, result);
    return result;
}

std::optional<std::size_t> scoreSlot(std::string_view code)
{
    // Codes as the tables hold them, "01" to "51", without reading a number.
    if (code.size() == 2 && isAsciiDigit(code[0]) && isAsciiDigit(code[1])) {
        const auto n = static_cast<std::size_t>((code[0] - '0') * 10 + (code[1] - '0'));
        return n >= 1 && n <= kSubjectCount ? std::optional<std::size_t>(n - 1) : std::nullopt;
    }
    const std::optional<double> number = wholeNumber(code);
    if (!number || *number < 1 || *number > kSubjectCount || std::floor(*number) != *number)
        return std::nullopt;
    return static_cast<std::size_t>(*number) - 1;
}

void rememberScores(const std::vector<SubjectRow>& mainRows, const std::vector<SubjectRow>& specialRows,
                    ScoreSlots& ScoreByCode)
{
    remember(mainRows, ScoreByCode);
    remember(specialRows, ScoreByCode);
}

}  // namespace tamrik
