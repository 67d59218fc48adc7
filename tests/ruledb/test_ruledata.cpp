// Checks the bundled data set in the built ScoreRule.mdb: what the program
// relies on in the rows (codes without gaps, a complete rule for every
// faculty, weights that add up) and the faculties that data/README.md names
// for each kind of rule.
#include "ruletables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <set>

using namespace tamrik::ruledb;

namespace {

struct Faculty {
    std::string code, uname, fname;
    double table12 = -1;
    std::vector<std::string> mains, specials;  // in Facsubj order, split by SubTyp
    std::vector<std::pair<std::string, double>> criteria, entries;
    double totSco = 0;
    std::string pair;  // first tb6174 SubCod, empty when none
    bool hasCrt = false, hasSum = false, inRange = false;
};

struct Data {
    std::map<std::string, std::pair<std::string, int>> subjects;  // code -> name, SubTyp
    std::vector<Faculty> faculties;                                 // SUName order
    std::size_t facsubjRows = 0, table12Rows = 0, crtRows = 0, sumRows = 0;
    std::string problem;  // first inconsistency met while loading
};

std::string slot(const char* prefix, int k)
{
    return prefix + std::string(k < 10 ? "0" : "") + std::to_string(k);
}

std::vector<std::pair<std::string, double>> entriesOf(QueryResult& rs)
{
    std::vector<std::pair<std::string, double>> list;
    const int n = static_cast<int>(rs.field("NumSub").toNumber());
    for (int k = 1; k <= n; ++k)
        list.emplace_back(rs.field(slot("SubCod", k)).toText(), rs.field(slot("Sco", k)).toNumber());
    return list;
}

Data load(const RuleDatabase& db)
{
    Data data;
    for (QueryResult rs = db.query("SELECT * FROM SubjectTable;"); !rs.EOF_(); rs.MoveNext())
        data.subjects[rs.field("SubCod").toText()] = {rs.field("SubName").toText(),
                                                      static_cast<int>(rs.field("SubTyp").toNumber())};
    std::map<std::string, std::size_t> index;
    for (QueryResult rs = db.query("SELECT * FROM SUName;"); !rs.EOF_(); rs.MoveNext()) {
        Faculty f;
        f.code = rs.field("FacCode").toText();
        f.uname = rs.field("UName").toText();
        f.fname = rs.field("FacName").toText();
        index[f.code] = data.faculties.size();
        data.faculties.push_back(f);
    }
    const auto facultyOf = [&](QueryResult& rs) -> Faculty* {
        const auto found = index.find(rs.field("FacCode").toText());
        if (found == index.end()) {
            data.problem = "a rule row for the unknown faculty " + rs.field("FacCode").toText();
            return nullptr;
        }
        return &data.faculties[found->second];
    };
    for (QueryResult rs = db.query("SELECT * FROM Table12;"); !rs.EOF_(); rs.MoveNext(), ++data.table12Rows)
        if (Faculty* f = facultyOf(rs))
            f->table12 = rs.field("NumSub").toNumber();
    for (QueryResult rs = db.query("SELECT * FROM Facsubj;"); !rs.EOF_(); rs.MoveNext(), ++data.facsubjRows) {
        Faculty* f = facultyOf(rs);
        const int n = static_cast<int>(rs.field("NumSubj").toNumber());
        for (int k = 1; f && k <= 8; ++k) {
            const DbValue v = rs.field("Sub" + std::to_string(k));
            if (v.isNull() != (k > n))
                data.problem = f->code + ": Sub" + std::to_string(k) + " does not agree with NumSubj";
            if (k > n || v.isNull())
                continue;
            const auto subject = data.subjects.find(v.toText());
            if (subject == data.subjects.end())
                data.problem = f->code + ": no subject " + v.toText();
            else
                (subject->second.second == 0 ? f->mains : f->specials).push_back(v.toText());
        }
    }
    for (QueryResult rs = db.query("SELECT * FROM tableCRT;"); !rs.EOF_(); rs.MoveNext(), ++data.crtRows)
        if (Faculty* f = facultyOf(rs)) {
            f->criteria = entriesOf(rs);
            f->hasCrt = true;
        }
    for (QueryResult rs = db.query("SELECT * FROM tableSUM;"); !rs.EOF_(); rs.MoveNext(), ++data.sumRows)
        if (Faculty* f = facultyOf(rs)) {
            f->entries = entriesOf(rs);
            f->totSco = rs.field("TotSco").toNumber();
            f->hasSum = true;
        }
    for (QueryResult rs = db.query("SELECT * FROM tb6174;"); !rs.EOF_(); rs.MoveNext())
        if (Faculty* f = facultyOf(rs); f && f->pair.empty())
            f->pair = rs.field("SubCod").toText();
    for (Faculty& f : data.faculties)
        f.inRange = LookupLastYearRange(db, "maxminScQor43", f.code).has_value();
    return data;
}

bool contains(const std::vector<std::string>& list, const std::string& code)
{
    return std::find(list.begin(), list.end(), code) != list.end();
}

class RuleData : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const char* path = std::getenv("TAMRIK_RULE_DB");
        if (!path || !*path)
            return;
        s_db = std::make_unique<RuleDatabase>(path);
        s_data = std::make_unique<Data>(load(*s_db));
    }
    static void TearDownTestSuite()
    {
        s_data.reset();
        s_db.reset();
    }
    void SetUp() override
    {
        if (!s_db)
            GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
        ASSERT_EQ(s_data->problem, "");
    }
    static const Data& data() { return *s_data; }

    static std::unique_ptr<RuleDatabase> s_db;
    static std::unique_ptr<Data> s_data;
};
std::unique_ptr<RuleDatabase> RuleData::s_db;
std::unique_ptr<Data> RuleData::s_data;

TEST_F(RuleData, FacultyCodesRunFrom0001WithoutGaps)
{
    const auto& faculties = data().faculties;
    ASSERT_GE(faculties.size(), 80u);
    for (std::size_t i = 0; i < faculties.size(); ++i) {
        char expected[24];
        std::snprintf(expected, sizeof expected, "%04zu", i + 1);
        EXPECT_EQ(faculties[i].code, expected);
    }
}

TEST_F(RuleData, UniversitiesStandTogetherWithDistinctFacultyNames)
{
    std::set<std::string> finished;
    std::set<std::string> names;
    std::string current;
    for (const Faculty& f : data().faculties) {
        if (f.uname != current) {
            EXPECT_TRUE(finished.insert(current).second || current.empty()) << current;
            EXPECT_EQ(finished.count(f.uname), 0u) << f.code << " " << f.uname << " comes back";
            current = f.uname;
            names.clear();
        }
        EXPECT_TRUE(names.insert(f.fname).second) << f.code << " repeats " << f.fname;
    }
    EXPECT_GE(finished.size() + 1, 12u);
}

TEST_F(RuleData, EveryFacultyHasOneRowInEachRuleTable)
{
    const std::size_t n = data().faculties.size();
    EXPECT_EQ(data().table12Rows, n);
    EXPECT_EQ(data().facsubjRows, n);
    EXPECT_EQ(data().crtRows, n);
    EXPECT_EQ(data().sumRows, n);
    for (const Faculty& f : data().faculties) {
        EXPECT_GE(f.table12, 0) << f.code;
        EXPECT_TRUE(f.hasCrt && f.hasSum) << f.code;
    }
}

TEST_F(RuleData, SubjectsRunFrom01To51AndMainsAreBelow16)
{
    ASSERT_EQ(data().subjects.size(), 51u);
    int k = 1;
    for (const auto& [code, subject] : data().subjects) {
        EXPECT_EQ(code, slot("", k++));
        EXPECT_FALSE(subject.first.empty()) << code;
        EXPECT_EQ(subject.second, std::stoi(code) < 16 ? 0 : 1) << code;
    }
}

TEST_F(RuleData, SubjectsFitThePage)
{
    for (const Faculty& f : data().faculties) {
        EXPECT_GE(f.mains.size(), 1u) << f.code << ": a main weight is needed";
        EXPECT_LE(f.mains.size(), 7u) << f.code;
        EXPECT_LE(f.specials.size(), 3u) << f.code;
    }
}

TEST_F(RuleData, CalculationListCoversTheSubjectsAndWeightsAddUp)
{
    for (const Faculty& f : data().faculties) {
        SCOPED_TRACE(f.code);
        ASSERT_LE(f.entries.size(), 9u);
        ASSERT_GE(f.entries.size(), f.mains.size());
        std::vector<std::string> counted;
        double fullScore = 0;
        for (std::size_t k = 0; k < f.entries.size(); ++k) {
            const auto& [code, sco] = f.entries[k];
            const int number = std::stoi(code);
            EXPECT_EQ(number < 16, k < f.mains.size()) << "main entries come first, one per main subject";
            if (number >= 61) {
                EXPECT_EQ(k + 1, f.entries.size()) << "the pair entry comes last";
                ASSERT_EQ(f.pair.size(), 4u) << "a pair entry needs its tb6174 row";
                counted.push_back(f.pair.substr(0, 2));
                counted.push_back(f.pair.substr(2, 2));
            } else {
                counted.push_back(code);
            }
            fullScore += number < 16 ? 100 : sco / 100;
        }
        std::vector<std::string> subjects = f.mains;
        subjects.insert(subjects.end(), f.specials.begin(), f.specials.end());
        std::sort(subjects.begin(), subjects.end());
        std::sort(counted.begin(), counted.end());
        EXPECT_EQ(counted, subjects);
        EXPECT_DOUBLE_EQ(f.totSco, 10 * fullScore);
    }
}

TEST_F(RuleData, CriteriaNameTheFacultysOwnSubjects)
{
    for (const Faculty& f : data().faculties) {
        ASSERT_LE(f.criteria.size(), 9u) << f.code;
        for (const auto& [code, sco] : f.criteria) {
            EXPECT_TRUE(contains(f.mains, code) || contains(f.specials, code)) << f.code << " " << code;
            EXPECT_GT(sco, 0) << f.code;
            EXPECT_LT(sco, 10000) << f.code;
        }
    }
}

TEST_F(RuleData, RangeRowsBelongToFacultiesAndLowIsBelowHigh)
{
    std::set<std::string> codes;
    for (const Faculty& f : data().faculties)
        codes.insert(f.code);
    for (QueryResult rs = s_db->query("SELECT * FROM maxminScQor43;"); !rs.EOF_(); rs.MoveNext()) {
        const std::string code = rs.field("FacCode").toText();
        EXPECT_EQ(codes.count(code), 1u) << code;
        EXPECT_GT(rs.field("ScMin").toNumber(), 0) << code;
        EXPECT_LT(rs.field("ScMin").toNumber(), rs.field("ScMax").toNumber()) << code;
    }
}

TEST_F(RuleData, NormalTableHasEveryKeyUpTo4500)
{
    EXPECT_EQ(s_db->query("SELECT * FROM Zi2Prob;").rowCount(), 4501u);
    EXPECT_EQ(LookupProb(*s_db, "0.000"), 0.5);
    EXPECT_NEAR(LookupProb(*s_db, "1.960").value_or(0), 0.9750, 5e-5);
    EXPECT_NEAR(LookupProb(*s_db, "4.403").value_or(0), 1.0, 1e-5);
    EXPECT_TRUE(LookupProb(*s_db, "4.500"));
    EXPECT_FALSE(LookupProb(*s_db, "4.501"));
    EXPECT_FALSE(LookupProb(*s_db, "1.96"));
}

// ---------------------------------------------------------------- the kinds data/README.md lists

bool pairOnRows(const Faculty& f, std::size_t first)
{
    return f.pair.size() == 4 && f.specials.size() > first
           && f.specials[first - 1] == f.pair.substr(0, 2) && f.specials[first] == f.pair.substr(2, 2);
}

struct KindCase {
    const char* name;
    const char* code;
    std::function<bool(const Faculty&)> holds;
    friend void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }
};

class DocumentedKind : public RuleData, public testing::WithParamInterface<KindCase> {};

TEST_P(DocumentedKind, Holds)
{
    const auto& faculties = data().faculties;
    const auto found = std::find_if(faculties.begin(), faculties.end(),
                                    [&](const Faculty& f) { return f.code == GetParam().code; });
    ASSERT_NE(found, faculties.end());
    EXPECT_TRUE(GetParam().holds(*found));
}

const auto criterionBelow16 = [](const Faculty& f, bool main) {
    return std::any_of(f.criteria.begin(), f.criteria.end(),
                       [&](const auto& c) { return (std::stoi(c.first) < 16) == main; });
};
const auto workedExample = [](const Faculty& f) {
    using Entries = std::vector<std::pair<std::string, double>>;
    return f.entries == Entries{{"01", 10000}, {"02", 10000}, {"03", 10000}, {"04", 10000}, {"41", 20000}}
           && f.totSco == 6000 && f.criteria == Entries{{"04", 3000}, {"41", 2000}};
};

INSTANTIATE_TEST_SUITE_P(
    RuleData, DocumentedKind,
    testing::Values(
        KindCase{"Rule0102_0008", "0008", [](const Faculty& f) { return f.table12 == 2 && contains(f.mains, "02"); }},
        KindCase{"NoRule0102_0001", "0001", [](const Faculty& f) { return f.table12 != 2; }},
        KindCase{"CriteriaMainOnly_0001", "0001",
                 [](const Faculty& f) { return criterionBelow16(f, true) && !criterionBelow16(f, false); }},
        KindCase{"CriteriaSpecialOnly_0006", "0006",
                 [](const Faculty& f) { return !criterionBelow16(f, true) && criterionBelow16(f, false); }},
        KindCase{"CriteriaBoth_0013", "0013",
                 [](const Faculty& f) { return criterionBelow16(f, true) && criterionBelow16(f, false); }},
        KindCase{"NoCriteria_0003", "0003", [](const Faculty& f) { return f.criteria.empty(); }},
        KindCase{"NoSpecial_0002", "0002", [](const Faculty& f) { return f.specials.empty(); }},
        KindCase{"OneSpecial_0001", "0001", [](const Faculty& f) { return f.specials.size() == 1; }},
        KindCase{"TwoSpecials_0048", "0048", [](const Faculty& f) { return f.specials.size() == 2 && f.pair.empty(); }},
        KindCase{"ThreeSpecials_0051", "0051",
                 [](const Faculty& f) { return f.specials.size() == 3 && f.pair.empty(); }},
        KindCase{"PairRows12_0059", "0059",
                 [](const Faculty& f) { return pairOnRows(f, 1) && f.pair == "4546" && f.totSco == 6000; }},
        KindCase{"PairRows12_0067", "0067",
                 [](const Faculty& f) { return pairOnRows(f, 1) && f.specials.size() == 3; }},
        KindCase{"PairRows23_0015", "0015", [](const Faculty& f) { return pairOnRows(f, 2); }},
        KindCase{"SevenMains_0002", "0002", [](const Faculty& f) { return f.mains.size() == 7; }},
        KindCase{"SevenMainsAndSpecial_0003", "0003",
                 [](const Faculty& f) { return f.mains.size() == 7 && f.specials.size() == 1; }},
        KindCase{"TotSco7000FourMains_0006", "0006",
                 [](const Faculty& f) { return f.totSco == 7000 && f.mains.size() == 4; }},
        KindCase{"WorkedExample_0013", "0013", workedExample},
        KindCase{"MissingRange_0037", "0037", [](const Faculty& f) { return !f.inRange; }},
        KindCase{"MissingRange_0113", "0113", [](const Faculty& f) { return !f.inRange; }},
        KindCase{"InRange_0001", "0001", [](const Faculty& f) { return f.inRange; }},
        KindCase{"QuoteInName_0037", "0037",
                 [](const Faculty& f) { return f.fname.find('\'') != std::string::npos; }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
