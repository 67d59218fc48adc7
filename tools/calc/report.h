#pragma once
// What tamrik-calc writes: one faculty as a readable Thai block or a JSON
// object, the ranked list as a table, a JSON array or CSV rows. Figures are
// written with two decimals, as the summary page shows them; texts from the
// data as shownText has them, and in CSV kept from reading as a formula.

#include "evaluation.h"
#include "studentrows.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrikcalc {

std::string textBlock(const tamrik::FacultyEvaluation& ev);
// `sample`: the rule data are a made-up sample; every object ends with its
// "sample" key, after "error".
std::string jsonObject(const tamrik::FacultyEvaluation& ev, bool sample);
// The ranked list as a JSON array, handed to `write` a piece at a time: at
// 9,999 faculties the whole text is megabytes.
void writeJsonArray(const std::vector<StudentRow>& ranked, bool sample,
                    const std::function<void(std::string_view piece)>& write);
// A student's rows for the batch's JSON array: each the faculty's object with
// "id", "rank", "kind" and "wish" in front, and each preceded by ",\n ".
std::string jsonRows(const StudentRows& student, bool sample);
// The line that heads text output, and the note on standard error with CSV,
// while the rule data are a made-up sample.
std::string sampleLine();

// The ranked list: rank, code, university, faculty, composite, highest
// possible, last lowest, last highest, margin %, chance label.
std::string tableText(const std::vector<StudentRow>& ranked);

// CSV of the same columns, with an id column in front when `id` is given,
// and with `withWishes` kind, wish and needed (the points) after them.
std::string csvHeader(bool withId, bool withWishes = false);
std::string csvRows(const std::vector<StudentRow>& rows, const std::string* id = nullptr, bool withWishes = false);


}  // namespace tamrikcalc
