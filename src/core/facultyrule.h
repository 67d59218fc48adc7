#pragma once
// A faculty's scoring rule as page 2 shows it, built from the six rule
// tables. Every number-bearing field is the very text its label shows; later
// steps read them back with Val, so the rounding of those texts is part of the
// rule (the special full score comes from the already rounded main weight).
//
// Data flow: RuleSource rows -> buildFacultyRule -> FacultyRule -> page 2
// labels. Placing rows, colours and tab order are the page's business.

#include "rulesource.h"
#include "scoreslots.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// Caption of Label_Con(0) when Rule0102 holds (the final blank is intended).
inline constexpr std::string_view kRule0102Text = "วิชา 01 และ 02 คะแนนรวมต้องมากกว่า 30% ";

// Start of the calculation line; the codes follow, each with " ; ".
inline constexpr std::string_view kCalcTextStart = "วิชาที่ใช้คำนวณคะแนน คือ ";

// The limits of a rule: rows the page holds, Facsubj's columns, and the
// entries of tableCRT and tableSUM (slots 1 to 9 of the calculation list).
inline constexpr std::size_t kMaxMainRows = 7;
inline constexpr std::size_t kMaxSpecRows = 3;
inline constexpr int kMaxFacultySubjects = 8;
inline constexpr int kMaxListEntries = 9;
// In tableCRT and tableSUM a code below 16 is a main subject; in tableSUM one
// of 61 or more stands for the either-of pair of tb6174.
inline constexpr double kFirstSpecialCode = 16;
inline constexpr double kFirstPairCode = 61;

struct FacultyRule {
    // One subject row of the page, main or special.
    struct SubjectRow {
        std::string SubCod;             // as stored in Facsubj, "01" to "51"
        std::string SubName;
        std::string MinPercent = "0";   // text of a number, "0" without a criterion
        std::string Weight = "0";       // special rows: "00", or "00.00" for a pair row
        bool WeightShown = true;        // false for the pair rows: the brace shows their weight
    };

    // The either-of pair of special subjects. Present only when at least one
    // special row belongs to it, which is exactly when the brace is shown.
    struct SubjectPair {
        std::string CodeA;              // first two characters of tb6174's SubCod
        std::string CodeB;              // characters 3 and 4
        std::string WeightText;         // the pair weight beside the brace, "00.00"
        std::vector<std::size_t> Rows;  // 1-based special rows of the pair, in row order
    };

    bool Rule0102 = false;              // subjects 01 and 02 together must exceed 30 %
    std::vector<SubjectRow> MainRows;   // at most 7, rows 1.. in Facsubj order
    std::vector<SubjectRow> SpecRows;   // at most 3
    std::string CriteriaText;           // "วิชา 04 ต้องมากกว่า 30 %; ..."
    bool CriteriaShown = false;         // the faculty has minimum criteria
    std::string CalcText;               // kCalcTextStart followed by "01 ; 02 ; "...
    std::array<std::string, 10> CalcSubjCode;  // slots 1 to 9 used, "-1" when empty
    std::string MaxMain;                // "0.00"
    std::string WMain;                  // "00"
    std::string MaxSP;                  // "00.00"
    float ScorePerPercent = 0.0f;       // Val(MaxMain) / Val(WMain) in single precision
    std::optional<SubjectPair> PairGroup;

    FacultyRule() { CalcSubjCode.fill("-1"); }
};

struct RuleLoadResult {
    std::optional<FacultyRule> rule;    // set when the load succeeded
    std::string error;                  // otherwise a Thai message naming the faculty and the fault
    bool ok() const { return rule.has_value(); }
};

// Reads the rule of faculty `selFacCode`: Table12, Facsubj (keyed by
// `facIdText`, the code box, which page 1 keeps equal to the chosen code),
// SubjectTable once per subject, tableCRT, tableSUM and tb6174 for each pair
// entry, in that order, one firstRow each. Never throws: a missing row, a
// missing or null value, a rule beyond the page's limits or an exception from
// the source ends the load with an error message instead of a rule.
RuleLoadResult buildFacultyRule(RuleSource& source, const std::string& selFacCode,
                                const std::string& facIdText);

// The text a newly placed score box of subject `code` gets back from
// ScoreByCode, formatted "0.00" (a remembered 0 too: it was typed); nothing
// when the slot holds -1, anything but a number from 0 to 100, or the code
// has no slot.
std::optional<std::string> restoredScoreText(const ScoreSlots& ScoreByCode,
                                             std::string_view code);

}  // namespace tamrik
