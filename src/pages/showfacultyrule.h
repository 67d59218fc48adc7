#pragma once
// Writes a faculty rule that has been read whole into page 2: the previous
// rows cleared, one row per subject, criteria, calculation line, weights and
// the pair brace, the remembered scores put back (pale yellow, kept out of
// the leading tab places), the tab order and the frame arrangement. The
// caller builds the rule first, so a rule that cannot be read never leaves a
// half-drawn page.

#include "scoreslots.h"

#include <string>

class QLabel;

namespace tamrik {

class EntryBox;
struct FacultyRule;
struct SubjectControls;
struct SubjectRowState;
class TabSequence;

// The remembered score of the row's subject into its box, pale yellow; false,
// touching nothing, when the subject has none.
bool putBackScore(EntryBox* box, const QLabel* code, const ScoreSlots& ScoreByCode);

void showFacultyRule(const FacultyRule& rule, const ScoreSlots& ScoreByCode, SubjectControls& c,
                     TabSequence& tabs, SubjectRowState& state);

}  // namespace tamrik
