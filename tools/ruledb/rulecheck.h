#pragma once
// Everything the program relies on in the rule data, checked at once over a
// whole data set, so that a maintainer meets a broken rule here and not an
// applicant in the window. Where the program has the logic (the rule load,
// the GPA share's key), the check runs that logic rather than a copy of it.

#include "dataset.h"
#include "scoringparams.h"

#include <string>
#include <vector>

namespace ruledbtool {

struct Problem {
    std::string table;
    std::string row;     // the CSV line, or the faculty code (the row's key) for a database
    std::string column;
    std::string message;
};

// "TABLE:ROW:COLUMN: message"; "-" stands for a row or column the problem
// has none of.
std::string problemLine(const Problem& problem);

struct CheckReport {
    std::vector<Problem> problems;
    std::string summary;  // one line: what was checked
};

// `params` gives the mean and SD whose GPA keys Zi2Prob must hold; when
// `paramGiven`, the range table it names must exist too.
CheckReport checkRuleData(const DataSet& data, const tamrik::ScoringParams& params, bool paramGiven);

}  // namespace ruledbtool
