// tamrik-calc --all over the bundled rule database, as text and as JSON: the
// same ranking in both, ordered by its rules, with the real figures of a few
// faculties. That what is needed is the least that reaches last year's
// lowest is checked on every faculty in tests/engine/test_facultyloader.
#include "calcmain.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <tuple>

namespace {

using Args = std::vector<std::string>;

// Every chance state turns up for this applicant: scores for most subjects,
// subject 43 below the minimum some faculties set, none for a few subjects that
// some faculties count.
const std::string kScores = "01=70,02=62,03=70,04=55,05=60,06=50,07=58,08=61,09=50,41=62,42=55,43=15,44=48,45=60,"
                            "46=52,47=50,48=40";

std::string runCalc(Args args)
{
    const Args applicant = {"--scores", kScores, "--gpa", "3.1", "--pr", "80"};
    const char* db = std::getenv("TAMRIK_RULE_DB");
    args.insert(args.begin(), {"--db", db ? db : ""});
    args.insert(args.end(), applicant.begin(), applicant.end());
    tamrik::test::TempFolder folder;
    std::ostringstream out, err;
    EXPECT_EQ(tamrikcalc::runCalc(args, folder.path(), out, err, false), 0) << err.str();
    return out.str();
}

// The text after `"key": ` in one JSON object written on one line.
std::string JsonField(const std::string& object, const std::string& key)
{
    const std::string mark = "\"" + key + "\": ";
    const std::size_t at = object.find(mark);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + mark.size();
    return object.substr(from, object.find_first_of(",}", from) - from);
}

struct Ranked {
    std::string code, chance;
    std::optional<double> marginPercent;
    std::string object;
};

std::vector<Ranked> JsonRanking(const std::string& json)
{
    std::vector<Ranked> rows;
    std::istringstream lines(json);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(" {\"faculty\": ", 0) != 0)
            continue;
        Ranked row;
        row.code = JsonField(line, "faculty").substr(1, 4);
        const std::string chance = JsonField(line, "chance");
        row.chance = chance.substr(1, chance.size() - 2);
        const std::size_t margin = line.find("\"margin\": {");
        if (margin != std::string::npos)
            row.marginPercent = std::stod(JsonField(line.substr(margin), "percent"));
        row.object = line;
        rows.push_back(row);
    }
    return rows;
}

// A text row's words from the end: the label, then the figures.
std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

TEST(TamrikCalcAll, TextAndJsonRankEveryFacultyByTheSameRules)
{
    if (!std::getenv("TAMRIK_RULE_DB"))
        GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
    const std::vector<Ranked> ranking = JsonRanking(runCalc({"--all", "--json"}));
    ASSERT_EQ(ranking.size(), 125u);

    // The states in their order; within one the margin descending, none
    // last; equal ones by code. Every state turns up, and each code once.
    const std::map<std::string, int> stateOrder = {{"above_max", 0}, {"clear", 1},     {"borderline", 2},
                                                   {"below", 3},     {"no_data", 4},   {"missing_scores", 5},
                                                   {"fails_minimum", 6}};
    const auto key = [&](const Ranked& row) {
        return std::make_tuple(stateOrder.at(row.chance), row.marginPercent ? -*row.marginPercent : HUGE_VAL, row.code);
    };
    std::set<std::string> states;
    for (std::size_t i = 0; i < ranking.size(); ++i) {
        ASSERT_EQ(stateOrder.count(ranking[i].chance), 1u) << ranking[i].object;
        states.insert(ranking[i].chance);
        if (i > 0) {
            EXPECT_LT(key(ranking[i - 1]), key(ranking[i])) << ranking[i - 1].code << " before " << ranking[i].code;
        }
    }
    EXPECT_EQ(states.size(), stateOrder.size());

    // The text: the notice, the heading, then the same faculties in the same
    // order, numbered, with the JSON's figures.
    const std::string text = runCalc({"--all"});
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("หมายเหตุ: ", 0), 0u);
    std::getline(lines, line);
    EXPECT_EQ(Words(line).front(), "อันดับ");
    for (std::size_t i = 0; i < ranking.size(); ++i) {
        ASSERT_TRUE(std::getline(lines, line));
        const std::vector<std::string> words = Words(line);
        // Without last year's range, its three columns are blank.
        const std::size_t composite = words.size() - (ranking[i].marginPercent ? 6 : 3);
        ASSERT_GE(composite, 4u) << line;
        EXPECT_EQ(words[0], std::to_string(i + 1));
        EXPECT_EQ(words[1], ranking[i].code);
        const std::string& json = ranking[i].object;
        const std::string total = json.substr(json.find("\"total\": "));
        EXPECT_EQ(words[composite], JsonField(total, "earned")) << line;
        EXPECT_EQ(words[composite + 1], JsonField(total, "full")) << line;
        if (ranking[i].marginPercent) {
            const std::string last = json.substr(json.find("\"last_year\": "));
            EXPECT_EQ(words[words.size() - 4], JsonField(last, "min")) << line;
            EXPECT_EQ(words[words.size() - 3], JsonField(last, "max")) << line;
            EXPECT_EQ(std::stod(words[words.size() - 2]), *ranking[i].marginPercent) << line;
        }
    }
    EXPECT_FALSE(std::getline(lines, line)) << line;

    // Faculty 0013 clears last year's lowest; 0001 falls short of it by 29.30.
    EXPECT_NE(text.find("  40  0013  "), std::string::npos);
    EXPECT_NE(text.find("437.14        666.66     366.60     448.71         10.58  ผ่านคะแนนต่ำสุดปีก่อน\n"), std::string::npos);
    const auto json = [&](const std::string& code) {
        for (const Ranked& row : ranking)
            if (row.code == code)
                return row.object;
        return std::string();
    };
    EXPECT_NE(json("0001").find("\"total\": {\"earned\": 561.92, \"full\": 882.36}, \"last_year\": {\"min\": 591.22, "
                                "\"max\": 711.72}"),
              std::string::npos);
    EXPECT_NE(json("0123").find("\"needed\": {\"points\": 24.41, \"subjects\": {\"01\": 94.41, \"02\": 86.41, \"03\": "
                                "94.41, \"04\": 79.41, \"07\": 82.41, \"08\": 85.41, \"42\": 67.03}, \"gpa\": null, "
                                "\"pr\": null}"),
              std::string::npos);
    EXPECT_NE(json("0087").find("\"missing\": [\"29\"]"), std::string::npos);
    EXPECT_EQ(JsonField(json("0013"), "needed"), "null");
}

}  // namespace
