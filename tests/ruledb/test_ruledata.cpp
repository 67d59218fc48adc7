// The bundled data set in the built ScoreRule.mdb: the rules data/README.md
// states. The faculty kinds the window tests rely on fail those tests when missing.
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
    std::string pair;                 // the tb6174 SubCod
    std::map<std::string, int> rows;  // rule table -> its rows for this faculty
    double totSco = -1;
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

TEST(RuleData, BundledDataIsConsistent)
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
        faculties[code];
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
    forRows("Table12", [](Faculty&, const QueryResult&) {});
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

    for (auto& [code, f] : faculties) {
        SCOPED_TRACE(code);
        for (const char* table : {"Table12", "Facsubj", "tableCRT", "tableSUM"})
            EXPECT_EQ(f.rows[table], 1) << table;
        EXPECT_TRUE(!f.mains.empty() && f.mains.size() <= 7 && f.specials.size() <= 3);
        // tableSUM counts every subject once (a pair through its entry 61 or
        // more) and TotSco is 10 x the full scores.
        std::vector<std::string> counted, subjects = f.mains;
        subjects.insert(subjects.end(), f.specials.begin(), f.specials.end());
        double fullScore = 0;
        for (const auto& [sub, sco] : f.entries) {
            if (std::stoi(sub) >= 61 && f.pair.size() == 4)
                counted.insert(counted.end(), {f.pair.substr(0, 2), f.pair.substr(2)});
            else
                counted.push_back(sub);
            fullScore += std::stoi(sub) < 16 ? 100 : sco / 100;
        }
        std::sort(subjects.begin(), subjects.end());
        std::sort(counted.begin(), counted.end());
        EXPECT_EQ(counted, subjects);
        EXPECT_DOUBLE_EQ(f.totSco, 10 * fullScore);
        for (const auto& criterion : f.criteria)
            EXPECT_EQ(std::count(subjects.begin(), subjects.end(), criterion.first), 1) << criterion.first;
    }

    // The normal table whole, as GPA points need it for any GPA.
    EXPECT_EQ(db.query("SELECT * FROM Zi2Prob;").rowCount(), 4501u);
    EXPECT_NEAR(LookupProb(db, "1.960").value_or(0), 0.9750, 5e-5);
}

}  // namespace
