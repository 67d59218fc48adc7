#pragma once
// A class file's run: each applicant's rows (wishes, then suggestions, or the
// ranking) computed on threads and written in file order as CSV, JSON or a
// workbook, with the notes on the wishes first.

#include "applicantcsv.h"
#include "calcoptions.h"
#include "calcoutput.h"
#include "studentrows.h"

#include <iosfwd>

namespace tamrikcalc {

struct ClassRun {
    const CalcOptions& options;
    ApplicantFile& applicants;  // checked
    std::size_t count;          // its applicants
    const tamrik::Evaluator& evaluator;
    const FacultyIndex& index;
    const tamrik::ScoringContext& context;
    bool sample;  // made-up rule data
};

// The exit status.
int runClass(const ClassRun& run, RowSettings settings, Output& out, std::ostream& err, bool progressToErr);

}  // namespace tamrikcalc
