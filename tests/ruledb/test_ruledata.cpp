// The bundled data set in the built ScoreRule.mdb: the faculty kinds the
// window tests rely on. Its consistency is `tamrik-ruledb check`'s, run by the build.
#include "ruletables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

using namespace tamrik::ruledb;

namespace {

using Entries = std::vector<std::pair<std::string, double>>;  // SubCod, Sco

struct Faculty {
    std::string name, pair;           // pair: the tb6174 SubCod
    std::map<std::string, int> rows;  // rule table -> its rows for this faculty
    double table12 = -1, totSco = -1;
    std::vector<std::string> mains, specials;  // Facsubj order, split by SubTyp
    Entries criteria, entries;
};

std::string Slot(const char* prefix, int k)
{
    return prefix + std::string(k < 10 ? "0" : "") + std::to_string(k);
}

Entries EntriesOf(const QueryResult& rs)
{
    Entries list;
    for (int k = 1; k <= rs.field("NumSub").toNumber(); ++k)
        list.emplace_back(rs.field(Slot("SubCod", k)).toText(), rs.field(Slot("Sco", k)).toNumber());
    return list;
}

TEST(RuleData, BundledDataHasTheKindsTheWindowTestsUse)
{
    const char* path = std::getenv("TAMRIK_RULE_DB");
    if (!path || !*path)
        GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
    const RuleDatabase db(path);
    std::map<std::string, int> subjectType;  // SubCod -> SubTyp
    for (QueryResult rs = db.query("SELECT * FROM SubjectTable;"); !rs.EOF_(); rs.MoveNext())
        subjectType[rs.field("SubCod").toText()] = static_cast<int>(rs.field("SubTyp").toNumber());
    ASSERT_EQ(subjectType.size(), 51u);
    EXPECT_EQ(subjectType.rbegin()->first, "51");

    std::map<std::string, Faculty> faculties;
    for (QueryResult rs = db.query("SELECT * FROM SUName;"); !rs.EOF_(); rs.MoveNext()) {
        char code[16];
        std::snprintf(code, sizeof code, "%04zu", faculties.size() + 1);
        ASSERT_EQ(rs.field("FacCode").toText(), code) << "codes run from 0001 without gaps";
        faculties[code].name = rs.field("FacName").toText();
    }
    ASSERT_EQ(faculties.size(), 125u);

    const auto forRows = [&](const char* table, const std::function<void(Faculty&, const QueryResult&)>& read) {
        for (QueryResult rs = db.query(std::string("SELECT * FROM ") + table + ";"); !rs.EOF_(); rs.MoveNext()) {
            const auto found = faculties.find(rs.field("FacCode").toText());
            ASSERT_NE(found, faculties.end()) << table << " row for " << rs.field("FacCode").toText();
            ++found->second.rows[table];
            read(found->second, rs);
        }
    };
    forRows("Table12", [](Faculty& f, const QueryResult& rs) { f.table12 = rs.field("NumSub").toNumber(); });
    forRows("Facsubj", [&](Faculty& f, const QueryResult& rs) {
        for (int k = 1; k <= rs.field("NumSubj").toNumber(); ++k) {
            const std::string code = rs.field("Sub" + std::to_string(k)).toText();
            ASSERT_EQ(subjectType.count(code), 1u) << "no subject " << code;
            (subjectType[code] == 0 ? f.mains : f.specials).push_back(code);
        }
    });
    forRows("tableCRT", [](Faculty& f, const QueryResult& rs) { f.criteria = EntriesOf(rs); });
    forRows("tableSUM", [](Faculty& f, const QueryResult& rs) {
        f.entries = EntriesOf(rs);
        f.totSco = rs.field("TotSco").toNumber();
    });
    forRows("tb6174", [](Faculty& f, const QueryResult& rs) { f.pair = rs.field("SubCod").toText(); });

    // The kinds the window tests use (data/README.md, "Faculties by kind").
    EXPECT_EQ(faculties["0001"].criteria, (Entries{{"04", 3000}, {"07", 2550}}));
    EXPECT_EQ(faculties["0002"].mains.size(), 7u);
    EXPECT_TRUE(faculties["0002"].specials.empty());
    EXPECT_EQ(faculties["0008"].table12, 2);
    EXPECT_EQ(faculties["0013"].entries,
              (Entries{{"01", 10000}, {"02", 10000}, {"03", 10000}, {"04", 10000}, {"41", 20000}}));
    EXPECT_EQ(faculties["0013"].criteria, (Entries{{"04", 3000}, {"41", 2000}}));
    EXPECT_EQ(faculties["0013"].totSco, 6000);
    const auto pairOnRows = [&](const char* code, std::size_t first) {
        const Faculty& f = faculties[code];
        return f.specials.size() > first && f.specials[first - 1] + f.specials[first] == f.pair;
    };
    EXPECT_TRUE(pairOnRows("0059", 1) && faculties["0059"].pair == "4546");
    EXPECT_TRUE(pairOnRows("0015", 2) && faculties["0015"].specials.size() == 3);
    EXPECT_NE(faculties["0037"].name.find('\''), std::string::npos);
    EXPECT_FALSE(LookupLastYearRange(db, "maxminScQor43", "0037"));
    const auto range = LookupLastYearRange(db, "maxminScQor43", "0002");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->ScMax, 738.86);
    EXPECT_EQ(range->ScMin, 608.49);

    EXPECT_EQ(db.query("SELECT * FROM Zi2Prob;").rowCount(), 4501u);
    EXPECT_NEAR(LookupProb(db, "1.960").value_or(0), 0.9750, 5e-5);
}

}  // namespace
