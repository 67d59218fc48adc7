#pragma once
// The controls of page 2, grouped as the rows and lines the page shows, and
// the one place that builds them: each with its objectName, caption, type
// size and place in twips. Rows of like controls are arrays whose
// element 0 is the hidden template row the placed rows are measured from.
// Placing and emptying rows is subjectrowplacement's; what the boxes do is
// the score entry's.

#include "subjectcheck.h"

#include <QString>
#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace tamrik {

class EntryBox;

struct SubjectControls {
    static constexpr int MainRows = 8;  // template + at most 7 main subjects
    static constexpr int SpecRows = 4;  // template + at most 3 special subjects

    QGroupBox* Frame_MAIN_subj = nullptr;
    QGroupBox* FrameSpecSUBJ = nullptr;
    QGroupBox* FrameCond = nullptr;

    std::array<QLabel*, MainRows> Label_SubID{};
    std::array<QLabel*, MainRows> Label_NAME_SUBJ{};
    std::array<EntryBox*, MainRows> Text_SC_main{};
    std::array<QLabel*, MainRows> Label_main_min{};
    QLabel* Label_WMain = nullptr;
    QLabel* Label_MaxMain = nullptr;
    QLabel* Label_main_total_sc = nullptr;

    std::array<QLabel*, SpecRows> Label_SubjID_Sp{};
    std::array<QLabel*, SpecRows> Label_name_sp{};
    std::array<EntryBox*, SpecRows> Text_sp_sc{};
    std::array<QLabel*, SpecRows> Label_spec_min{};
    std::array<QLabel*, SpecRows> Label_spec_W{};
    QLabel* Label_MaxSP = nullptr;
    QLabel* Label_spec_total_sc = nullptr;
    QLabel* F2LabelSign6174 = nullptr;  // the brace of the either-of pair
    QLabel* F2LabelWsign = nullptr;     // the pair's weight beside it

    std::array<QLabel*, 3> Label_Con{};  // 01+02 rule, criteria, calculation subjects

    QPushButton* F2CmdBack = nullptr;
    QPushButton* F2CmdNext = nullptr;

    // Rows 1 to count as the check and the subtotals read them.
    std::vector<SubjectRow> mainRowData(int count) const;
    std::vector<SubjectRow> specialRowData(int count) const;
};

// Builds every control of page 2 on `page`, in its place.
SubjectControls buildSubjectControls(QWidget* page);

}  // namespace tamrik
