#pragma once
// What page 2 keeps of the loaded rule besides its labels: the row counters
// and the calculation list. The rule load writes it; the score entry and the
// check read it.

#include <array>
#include <string>

namespace tamrik {

struct SubjectRowState {
    // Rows in use plus one; both 0 until the first load.
    int NextMainRow = 0;
    int NextSpecRow = 0;
    std::array<std::string, 10> CalcSubjCode;

    SubjectRowState() { CalcSubjCode.fill("-1"); }
    int mainCount() const { return NextMainRow > 0 ? NextMainRow - 1 : 0; }
    int specialCount() const { return NextSpecRow > 0 ? NextSpecRow - 1 : 0; }
};

}  // namespace tamrik
