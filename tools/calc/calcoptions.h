#pragma once
// The command line of tamrik-calc, read into what to do. Every fault is
// collected, so one run lists them all; any fault means nothing is computed.

#include "applicant.h"

#include <optional>
#include <string>
#include <vector>

namespace tamrikcalc {

enum class Mode { Faculty, All, Batch, Version, Help };
enum class Format { Text, Json, Csv, Xlsx };

struct CalcOptions {
    Mode mode = Mode::Help;
    Format format = Format::Text;
    std::optional<std::string> db;
    std::optional<std::string> param;
    tamrik::Applicant applicant;
    std::string faculty;                  // as given to --faculty
    std::vector<std::string> faculties;   // --faculty with --batch: the codes it lists
    std::string batchFile;
    std::optional<std::string> output;    // -o
    std::optional<std::size_t> top;
    std::optional<unsigned> jobs;
    std::string university;               // --university
    std::string match;                    // --match
    bool eligibleOnly = false;            // --eligible-only
    bool csvBom = false;                  // --csv-bom
};

struct ParsedOptions {
    CalcOptions options;
    std::vector<std::string> errors;  // one line each; nothing to run when not empty
};

ParsedOptions parseCalcOptions(const std::vector<std::string>& args);

// A subject score, GPA or PR as text: a number as a whole, at most two
// decimals, within its range; otherwise the message saying what is wrong.
struct ValueCheck {
    std::optional<double> value;
    std::string error;
};
ValueCheck checkScore(const std::string& text);
ValueCheck checkGpa(const std::string& text);
ValueCheck checkPr(const std::string& text);

// A faculty code as typed or as a spreadsheet left it: a number of up to
// five digits is the code of four with its leading zeros ("13" is 0013, and
// `lostZeros` is set); any other text is taken as it stands, blanks at either
// end aside.
std::string facultyCodeOf(const std::string& text, bool* lostZeros = nullptr);

extern const char* const kUsage;

}  // namespace tamrikcalc
