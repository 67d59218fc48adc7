#pragma once
// One student's rows in a class's results: each wish in the student's order,
// then the best faculties the student did not wish for; or, for a class file
// without wishes, the student's ranking as it stands.

#include "applicantcsv.h"
#include "evaluator.h"
#include "facultymatch.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tamrikcalc {

enum class RowKind { Ranked, Wish, Suggestion };

struct StudentRow {
    RowKind kind = RowKind::Ranked;
    int wish = 0;            // 1 to 8 for a wish
    std::size_t rank = 0;    // the faculty's place in the student's whole ranking; 0: none (no such faculty)
    tamrik::FacultyEvaluation ev;
};

struct StudentRows {
    std::string id;
    std::vector<StudentRow> rows;
};

// What a student's rows hold besides the wishes.
struct RowSettings {
    std::size_t top = tamrik::kEveryFaculty;  // the most rows beside the wishes
    std::vector<bool> listed;                 // per faculty: the name filters and --faculty let it be listed
    tamrik::FacultyFilterSettings filter;     // for --eligible-only
    bool wishes = false;                      // the class file has wish columns: rows are wishes and suggestions
    tamrik::Detail detail = tamrik::Detail::Figures;
};

// Faculty codes to the evaluator's indexes, made once for a run.
using FacultyIndex = std::unordered_map<std::string, std::size_t>;
FacultyIndex facultyIndex(const tamrik::Evaluator& evaluator);

// One applicant's rows: each wish in order (a code no faculty has, with a
// note in the place of the label), then the best faculties listed that the
// applicant did not wish for, at most `top` of them.
StudentRows studentRows(const tamrik::Evaluator& evaluator, const FacultyIndex& index,
                        const tamrik::ScoringContext& context, const BatchApplicant& applicant,
                        const RowSettings& settings);

// "ranked", "wish", "suggestion": the kind's key in CSV and JSON.
std::string_view rowKindKey(RowKind kind);
// The kind as the workbook and the text name it.
std::string_view rowKindLabel(RowKind kind);

}  // namespace tamrikcalc
