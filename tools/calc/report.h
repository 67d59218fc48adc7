#pragma once
// What tamrik-calc writes: one faculty as a readable Thai block or a JSON
// object, the ranked list as a table, a JSON array or CSV rows. Figures are
// written with two decimals, as the summary page shows them; texts from the
// data as ShownText has them, and in CSV kept from reading as a formula.

#include "evaluation.h"

#include <string>
#include <vector>

namespace tamrikcalc {

std::string TextBlock(const tamrik::FacultyEvaluation& ev);
// `sample`: the rule data are a made-up sample; every object ends with its
// "sample" key, after "error".
std::string JsonObject(const tamrik::FacultyEvaluation& ev, bool sample);
std::string JsonArray(const std::vector<tamrik::FacultyEvaluation>& ranked, bool sample);
// The line that heads text output, and the note on standard error with CSV,
// while the rule data are a made-up sample.
std::string SampleLine();

// The ranked list: rank, code, university, faculty, composite, highest
// possible, last lowest, last highest, margin %, chance label.
std::string Table(const std::vector<tamrik::FacultyEvaluation>& ranked);

// CSV of the same columns, with an id column in front when `id` is given.
std::string CsvHeader(bool withId);
// Rows 1 to `count` of the ranked list (all when it holds fewer).
std::string CsvRows(const std::vector<tamrik::FacultyEvaluation>& ranked, std::size_t count,
                    const std::string* id = nullptr);


}  // namespace tamrikcalc
