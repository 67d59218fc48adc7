#pragma once
// The check of page 2's subject scores against the faculty's minimums, and
// the remembering of the typed scores by subject code. Both work on the row
// texts as the page shows them; the page gathers them, shows the messages in
// the order given and switches pages.

#include "scoreslots.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// One subject row of page 2, as its controls show it.
struct SubjectRow {
    std::string code;     // caption of the code label, "01" to "51"
    std::string name;     // caption of the name label
    std::string score;    // text of the score box
    std::string minimum;  // caption of the minimum label, exactly as shown
};

struct SubjectCheckResult {
    bool failed = false;
    std::vector<std::string> messages;  // one per failed criterion, in showing order
};

// rule0102Shown: the 01+02 rule label is visible. The rule adds main rows 1
// and 2 whatever their codes; a missing row reads as an empty box.
SubjectCheckResult checkSubjectScores(const std::vector<SubjectRow>& mainRows,
                                      const std::vector<SubjectRow>& specialRows, bool rule0102Shown);

// The check's two tests on the values of the boxes, for a caller that holds
// them already: subjects 01 and 02 together (the first two main rows), and
// one row against its minimum.
bool rule0102Fails(double first, double second);
inline bool belowMinimum(double score, double minimum) { return score < minimum; }

// The ScoreByCode slot of a subject code: "01" is slot 0, "51" slot 50. Only
// a text that is a whole number from 1 to 51 has one, and that is what a
// subject code is, for the window and both tools alike.
std::optional<std::size_t> scoreSlot(std::string_view code);

// Writes every row's score (main rows, then special rows) into its code's
// slot as the text of a number: 85.00 as 85, 0.00 as 0; an empty box, or one
// holding no number, as "-1" (none). A row whose code has no slot is skipped.
void rememberScores(const std::vector<SubjectRow>& mainRows, const std::vector<SubjectRow>& specialRows,
                    ScoreSlots& ScoreByCode);

}  // namespace tamrik
