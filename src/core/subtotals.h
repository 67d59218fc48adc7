#pragma once
// The two live subtotals under page 2's subject rows and the range check of a
// score box, over the texts the rows show. The page calls these on every text
// change and on leaving a box, and writes the results back.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// One subject row as the subtotals see it.
struct SubtotalRow {
    std::string code;    // caption of the code label
    std::string score;   // text of the score box
    std::string weight;  // caption of Label_spec_W; unused for main rows
};

struct Subtotal {
    double value = 0.0;          // MainTotalScore or SpecTotalScore
    std::string caption = "0";   // the total label's caption; "0" when no row counted
};

// Sum of the main scores whose codes stand in slots 1 to nMain of
// CalcSubjCode (nMain = mainRows.size()), once per matching slot. The running
// total is carried through its "0.00" caption, so each partial sum is rounded
// before the next score is added; the final value is not rounded.
Subtotal mainSubtotal(const std::vector<SubtotalRow>& mainRows,
                      const std::array<std::string, 10>& CalcSubjCode);

// Points of the special scores whose codes stand in slots 1 to nMain + nSpecial:
// score / WMain x MaxMain / 100 x row weight, summed in single precision.
// With a main weight that reads as 0 nothing can be worked out and the result
// is 0 with caption "0".
Subtotal specSubtotal(const std::vector<SubtotalRow>& specialRows, std::size_t nMain,
                      const std::array<std::string, 10>& CalcSubjCode, std::string_view wMainCaption,
                      std::string_view maxMainCaption);

// The same two sums over numbers, for a caller that evaluates one rule many
// times: `order` holds the rows a subtotal adds, in the order it adds them
// (a row once for each slot 1 to lastCalcSlot of CalcSubjCode that holds its
// code), `scores` and `weights` the Val of each row's score and weight
// caption. The values are those of mainSubtotal and specSubtotal, which are
// these applied to the row texts.
std::vector<std::size_t> subtotalOrder(const std::vector<std::string_view>& rowCodes, std::size_t lastCalcSlot,
                                       const std::array<std::string, 10>& CalcSubjCode);
double mainSubtotalValue(const std::vector<std::size_t>& order, const double* scores);
double specSubtotalValue(const std::vector<std::size_t>& order, const double* scores, const double* weights,
                         double wMain, double maxMain);

// The codes the two subtotals count, in calculation order, each once: a main
// row's code in slots 1 to nMain, a special row's in slots 1 to nMain + nSpecial.
std::vector<std::string> countedCodes(const std::vector<std::string_view>& mainCodes,
                                      const std::vector<std::string_view>& specialCodes,
                                      const std::array<std::string, 10>& CalcSubjCode);

// Message shown when a score box holds a value outside 0 to 100 (the blanks at
// both ends are intended).
inline constexpr std::string_view kScoreRangeMessage =
    " คะแนนต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 100 ";

// A subject score is a percentage: 0 to 100, both ends included.
inline bool inScoreRange(double value) { return value >= 0 && value <= 100; }

// What a score box's text counts for in the subtotals and the minimums: its
// scoreNumber, or 0, as an empty box, for a text that is no number.
double scoreValue(std::string_view text);

struct ScoreBoxCheck {
    bool valid = true;        // false: show kScoreRangeMessage and focus the box again
    std::string text;         // the box's new text (empty when not valid)
    bool paleYellow = false;  // background: pale yellow, else white
};

// The check when a score box loses the focus. An empty (or blank) box is
// valid and stays empty; a scoreNumber from 0 to 100 is valid and rewritten
// "0.00"; anything else, a text that is no number included, is refused.
ScoreBoxCheck checkScoreBox(std::string_view text);

}  // namespace tamrik
