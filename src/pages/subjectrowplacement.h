#pragma once
// Placing page 2's subject rows below the template row, the brace of the
// either-of pair, the frame arrangement, and emptying the rows again. Each
// row is measured from the current place of the row above it, so rows are
// placed in order 1, 2, 3.

namespace tamrik {

struct SubjectControls;
class TabSequence;

// Shows main row n (1 to 7) below row n - 1; its box takes tab place n - 1.
void PlaceMainRow(SubjectControls& c, TabSequence& tabs, int n);
// Shows special row n (1 to 3) below row n - 1; its box takes tab place
// (nextMainRow - 1) + n, counted with the main rows placed so far.
void PlaceSpecRow(SubjectControls& c, TabSequence& tabs, int n, int nextMainRow);
// Puts the brace so that it ends at special row i and covers it and the row
// above, and centres the pair weight on it. For row 1 there is no row two
// above to measure from: the brace keeps its top.
void PlacePairBrace(SubjectControls& c, int i);
// Empties (white) and hides the rows in use, special rows first; minimum and
// weight captions go back to "0". Emptying a box is a change like typing.
void ClearSubjectRows(SubjectControls& c, int mainCount, int specialCount);
// Without special rows the conditions take the special block's place.
void arrangeFrames(SubjectControls& c, int specialCount);

}  // namespace tamrik
