#pragma once
// One faculty's figures with the working behind them, as a printout shows
// them: every subject row, both subtotals, the GPA through its z key and table
// probability, the PR band, the composite, the highest possible and the range
// of each year. Every figure is already the text to print, so the printout
// holds exactly the digits the window showed.

#include "facultyrule.h"
#include "gpaworking.h"
#include "summary.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tamrik {

struct WorkingRow {
    std::string code, name, score, minimum, weight;
    bool special = false;
};

struct YearFigures {
    std::string year, min, max;  // "2543", "591.22", "711.72"
};

struct WorkingSheet {
    std::string facCode, faculty, university;
    std::vector<WorkingRow> rows;
    std::string mainWeight;  // the main subjects' weight together, "60"
    std::string mainEarned, mainFull, specialEarned, specialFull;
    std::string gpaTyped, gpaEarned, gpaFull;  // "3.25", points, full points
    std::string gpaMean, gpaSd, gpaZ, gpaKey, gpaTableProb, gpaFraction;
    std::string prTyped, prBand, prFraction, prEarned, prFull;
    std::string total, highest;
    std::string lastYear, lastMin, lastMax;  // the year the parameters name
    std::vector<YearFigures> years;          // every year the database holds
    std::string chance;                      // the label
    std::string chanceRule;                  // the rule that gave it
    std::string margin;                      // against last year's lowest
    bool partial = false;                    // subjects without a score: total and margin are no final figures
};

// The subject rows of a rule with the remembered scores ("" where none), the
// minimum as a percentage and a special row's weight (a main row's is the
// main subjects' weight together, left empty on the row), and that main weight.
void fillRows(WorkingSheet& sheet, const FacultyRule& rule, const ScoreSlots& ScoreByCode);

// Fills the GPA and PR working of a sheet from the typed digits: "-" for a
// step that was not reached.
void fillGpaWorking(WorkingSheet& sheet, std::string_view GpaDigits, std::string_view meanText,
                    std::string_view sdText, const ProbLookup& lookup);
void fillPrWorking(WorkingSheet& sheet, std::string_view PrDigits);

// Page 4's figures, exactly as its labels show them.
void fillSummaryFigures(WorkingSheet& sheet, const SummaryTexts& texts);

}  // namespace tamrik
