// The load of every faculty against the faculty-by-faculty load page 1 runs
// and against the load of one faculty, on the bundled data and on a damaged
// copy; every year's range; and `needed` on every bundled faculty: the score
// it gives reaches last year's lowest, 0.01 less does not; the name filter
// against find() on every bundled name.
#include "chance.h"
#include "evaluator.h"
#include "facultyloader.h"
#include "facultymatch.h"
#include "numtext.h"
#include "ruletables.h"
#include "searchkey.h"
#include "tempfolder.h"
#include "wholetables.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>

using namespace tamrik;
using namespace tamrik::ruledb;
using tamrik::rangeTableNames;

namespace {

std::string BundledDb()
{
    const char* path = std::getenv("TAMRIK_RULE_DB");
    return path ? path : "";
}

// A copy of the bundled database changed by `sql`.
std::string ChangedCopy(const test::TempFolder& folder, const char* sql)
{
    const std::string copy = (folder.path() / "ScoreRule.mdb").string();
    std::filesystem::copy_file(BundledDb(), copy);
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(copy.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    return copy;
}

// Everything page 2 shows of a rule, as one text.
std::string Shown(const RuleLoadResult& r)
{
    if (!r.ok())
        return "error: " + r.error;
    const FacultyRule& f = *r.rule;
    std::string s = std::to_string(f.Rule0102) + "|" + f.CriteriaText + "|" + f.CalcText + "|" + f.MaxMain + "|"
                    + f.WMain + "|" + f.MaxSP + "|" + std::to_string(f.ScorePerPercent);
    for (const auto* rows : {&f.MainRows, &f.SpecRows}) {
        for (const auto& row : *rows)
            s += "|" + row.SubCod + " " + row.SubName + " " + row.MinPercent + " " + row.Weight
                 + (row.WeightShown ? "" : " in pair");
    }
    for (const std::string& code : f.CalcSubjCode)
        s += "," + code;
    if (f.PairGroup)
        s += "|pair " + f.PairGroup->CodeA + f.PairGroup->CodeB + " " + f.PairGroup->WeightText;
    return s;
}

std::string Shown(const std::vector<YearRange>& years)
{
    std::string s;
    for (const YearRange& y : years)
        s += y.year + " " + numberText(y.min) + "-" + numberText(y.max) + ";";
    return s;
}

// Each faculty as page 1 would load it, and as the load of that one faculty gives it.
void ExpectSameAsFacultyByFaculty(const std::string& path)
{
    const RuleDatabase db(path);
    const std::vector<FacultyRecord> all = loadFaculties(db, "maxminScQor43");
    ASSERT_EQ(all.size(), 125u);
    DatabaseRuleSource source(db);
    for (const FacultyRecord& f : all) {
        EXPECT_EQ(Shown(f.load), Shown(buildFacultyRule(source, f.facCode, f.facCode))) << f.facCode;
        const auto range = lookupLastYearRange(db, "maxminScQor43", f.facCode);
        ASSERT_EQ(f.lastYear.has_value(), range.has_value()) << f.facCode;
        if (range) {
            EXPECT_EQ(f.lastYear->min, range->ScMin);
            EXPECT_EQ(f.lastYear->max, range->ScMax);
        }
        const std::optional<FacultyRecord> one = loadFaculty(db, "maxminScQor43", f.facCode);
        ASSERT_TRUE(one) << f.facCode;
        EXPECT_EQ(one->university + "|" + one->name, f.university + "|" + f.name);
        EXPECT_EQ(Shown(one->load), Shown(f.load)) << f.facCode;
        EXPECT_EQ(Shown(one->years), Shown(f.years)) << f.facCode;
        EXPECT_EQ(one->lastYear.has_value(), f.lastYear.has_value()) << f.facCode;
    }
    EXPECT_FALSE(loadFaculty(db, "maxminScQor43", "0126"));
}

}  // namespace

TEST(FacultyLoader, BuildsWhatTheFacultyByFacultyLoadBuilds)
{
    if (BundledDb().empty())
        GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
    ExpectSameAsFacultyByFaculty(BundledDb());

    // Faculty 0005 loses its Table12 row; Facsubj loses a column, so its
    // whole read fails and each faculty's own read reports the fault; tb6174
    // loses the pair column.
    const test::TempFolder folder;
    const std::string damaged = ChangedCopy(folder, "DELETE FROM Table12 WHERE FacCode='0005';"
                                                    "ALTER TABLE Facsubj DROP COLUMN Sub8;"
                                                    "ALTER TABLE tb6174 DROP COLUMN SubCod;");
    ExpectSameAsFacultyByFaculty(damaged);

    // An unbuilt rule comes after every other faculty, with page 1's message.
    const test::TempFolder other;
    const RuleDatabase db(ChangedCopy(other, "DELETE FROM Table12 WHERE FacCode='0005';"));
    const Evaluator evaluator(loadFaculties(db, "maxminScQor43"));
    const auto ranked = evaluator.rank(Applicant{}, ScoringContext{"2.44", "0.55", loadProbTable(db)}).evaluations(Detail::Needed);
    EXPECT_EQ(ranked.back().facCode, "0005");
    EXPECT_EQ(ranked.back().error, "ไม่สามารถโหลดเกณฑ์ของคณะรหัส 0005 ได้: ไม่พบข้อมูลของคณะในตาราง Table12");
    EXPECT_TRUE(ranked[ranked.size() - 2].ok());
}

TEST(FacultyLoader, EveryYearOfTheDatabase)
{
    if (BundledDb().empty())
        GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
    const test::TempFolder folder;
    const RuleDatabase db(ChangedCopy(
        folder, "DROP TABLE IF EXISTS maxminScQor41; DROP TABLE IF EXISTS maxminScQor42;"
                "CREATE TABLE maxminScQor42 AS SELECT FacCode, ScMax - 10 AS ScMax, ScMin - 20 AS ScMin FROM maxminScQor43;"
                "CREATE TABLE maxminScQor41 AS SELECT FacCode, ScMax - 30 AS ScMax, ScMin - 40 AS ScMin FROM maxminScQor43"
                " WHERE FacCode <> '0013';"
                "CREATE TABLE maxminScQor4x AS SELECT * FROM maxminScQor43;"));
    EXPECT_EQ(rangeTableNames(db), (std::vector<std::string>{"maxminScQor41", "maxminScQor42", "maxminScQor43"}));

    const std::vector<FacultyRecord> all = loadFaculties(db, "maxminScQor42");
    const FacultyRecord& f = all[12];
    ASSERT_EQ(f.facCode, "0013");
    ASSERT_EQ(f.years.size(), 2u);  // no row in 2541
    EXPECT_EQ(f.years[0].year, "2542");
    EXPECT_DOUBLE_EQ(f.years[0].min, 346.60);
    EXPECT_DOUBLE_EQ(f.years[0].max, 438.71);
    EXPECT_EQ(f.years[1].year, "2543");
    ASSERT_TRUE(f.lastYear);
    EXPECT_EQ(f.lastYear->year, "2542");
    EXPECT_EQ(all[0].years.size(), 3u);
}

TEST(Needed, ReachesLastYearsLowestAndNotOneHundredthLess)
{
    if (BundledDb().empty())
        GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
    const RuleDatabase db(BundledDb());
    const Evaluator evaluator(loadFaculties(db, "maxminScQor43"));
    const ScoringContext context{"2.4397771456", "0.5519077994", loadProbTable(db)};
    Applicant base;
    for (std::size_t k = 0; k < kSubjectCount; ++k)
        base.Scores[k] = 45 + static_cast<double>(k % 5);
    base.Scores[44] = std::nullopt;  // 45 of the either-of pair absent
    base.Gpa = 2.5;
    base.Pr = 40;

    const auto total = [&](std::size_t f, const Applicant& a) {
        return hundredths(evaluator.evaluate(f, a, context, Detail::Figures).total.earned);
    };
    int checked = 0;
    int unreachable = 0;
    for (std::size_t f = 0; f < evaluator.faculties().size(); ++f) {
        const FacultyEvaluation ev = evaluator.evaluate(f, base, context, Detail::Needed);
        if (!ev.needed)
            continue;
        const std::int64_t lowest = hundredths(ev.lastYear->min);
        EXPECT_EQ(hundredths(ev.needed->points), lowest - hundredths(ev.total.earned));
        // One value changed at a time, at the value given and 0.01 below it.
        const auto expectEdge = [&](const std::optional<double>& value, double top,
                                    const std::function<void(Applicant&, double)>& set, const std::string& what) {
            Applicant a = base;
            if (!value) {
                set(a, top);
                EXPECT_LT(total(f, a), lowest) << ev.facCode << " " << what;
                ++unreachable;
                return;
            }
            set(a, *value);
            EXPECT_GE(total(f, a), lowest) << ev.facCode << " " << what;
            set(a, *value - 0.01);
            EXPECT_LT(total(f, a), lowest) << ev.facCode << " " << what;
            ++checked;
        };
        for (const auto& [code, score] : ev.needed->subjects)
            expectEdge(score, 100, [&](Applicant& a, double v) { a.Scores[std::stoul(code) - 1] = v; }, code);
        expectEdge(ev.needed->gpa, 4, [](Applicant& a, double v) { a.Gpa = v; }, "GPA");
        expectEdge(ev.needed->pr, 99.99, [](Applicant& a, double v) { a.Pr = v; }, "PR");
    }
    EXPECT_GT(checked, 100);
    EXPECT_GT(unreachable, 10);
}

// The name filter finds a text wherever find() would, in every bundled name:
// keys cut from names at each letter, one to four letters long, and keys in
// no name at all.
TEST(FacultyMatch, FindsAKeyWhereverFindDoes)
{
    if (BundledDb().empty())
        GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
    const RuleDatabase db(BundledDb());
    SUNameFaculties faculties(db);
    std::vector<std::pair<std::string, std::string>> keyed;  // university, name
    std::vector<std::string> keys = {"ศาสตร์ศาสตร์", "x", "มหาวิทยาลัยx"};
    for (const SUNameFaculties::Names& f : faculties.names()) {
        keyed.emplace_back(searchKey(f.university), searchKey(f.name));
        const std::string& name = keyed.back().second;
        std::vector<std::size_t> letters;  // where each UTF-8 character starts
        for (std::size_t i = 0; i < name.size(); ++i) {
            if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80)
                letters.push_back(i);
        }
        letters.push_back(name.size());
        for (std::size_t a = 0; a + 1 < letters.size() && keys.size() < 4000; a += 3) {
            for (std::size_t b = a + 1; b < letters.size() && b <= a + 4; ++b)
                keys.push_back(name.substr(letters[a], letters[b] - letters[a]));
        }
    }
    ASSERT_GT(keyed.size(), 100u);
    std::size_t found = 0;
    for (const std::string& key : keys) {
        const FacultyFilterSettings filter{{}, key, false};
        for (const auto& [university, name] : keyed) {
            const bool expected = name.find(key) != std::string::npos || university.find(key) != std::string::npos;
            ASSERT_EQ(facultyKeysMatch(filter, university, name), expected) << key << " in " << name;
            found += expected ? 1 : 0;
        }
    }
    EXPECT_GT(found, keys.size());  // most keys are in more than their own name
}
