// What the user waits for: opening the rule database at start-up (with its
// quick_check, table checks and content digest), Next on page 1 (the whole rule load, six
// tables), a keystroke in a GPA box (one normal-table lookup) and the range
// look-up of the summary, on the bundled rule database.
#include "contentcheck.h"
#include "facultyrule.h"
#include "gpapr.h"
#include "ruletables.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string RuleDbPath()
{
    const char* path = std::getenv("TAMRIK_RULE_DB");
    return path ? path : "bin/ScoreRule.mdb";
}

const tamrik::ruledb::RuleDatabase& Db()
{
    static const tamrik::ruledb::RuleDatabase db(RuleDbPath());
    return db;
}

int FacultyCount() { return static_cast<int>(Db().query("SELECT * FROM SUName;").rowCount()); }

std::string Code(int n)
{
    char code[16];
    std::snprintf(code, sizeof code, "%04d", n);
    return code;
}

void BM_OpenRuleDatabase(benchmark::State& state)
{
    for (auto _ : state) {
        const tamrik::ruledb::RuleDatabase db(RuleDbPath());
        tamrik::ruledb::requireRuleTables(db);
    }
}
BENCHMARK(BM_OpenRuleDatabase)->Unit(benchmark::kMillisecond);

// The parts of the above: opening with the whole-file check (or the digest that stands for it) alone, the
// content digest alone, and the value checks that a database without a
// digest gets instead.
void BM_OpenWithWholeFileCheck(benchmark::State& state)
{
    for (auto _ : state)
        const tamrik::ruledb::RuleDatabase db(RuleDbPath());
}
BENCHMARK(BM_OpenWithWholeFileCheck)->Unit(benchmark::kMillisecond);

void BM_ContentDigest(benchmark::State& state)
{
    const tamrik::ruledb::BuildInfo info;
    for (auto _ : state)
        benchmark::DoNotOptimize(tamrik::ruledb::contentDigest(Db(), info));
}
BENCHMARK(BM_ContentDigest)->Unit(benchmark::kMillisecond);

void BM_ValueChecks(benchmark::State& state)
{
    for (auto _ : state)
        tamrik::ruledb::requireUsableValues(Db());
}
BENCHMARK(BM_ValueChecks)->Unit(benchmark::kMillisecond);

void BM_RuleLoadEveryFaculty(benchmark::State& state)
{
    const int count = FacultyCount();
    tamrik::ruledb::DatabaseRuleSource source(Db());
    for (auto _ : state) {
        for (int n = 1; n <= count; ++n) {
            const std::string code = Code(n);
            auto result = tamrik::buildFacultyRule(source, code, code);
            benchmark::DoNotOptimize(result);
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["per_load"] = benchmark::Counter(static_cast<double>(state.iterations() * count),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RuleLoadEveryFaculty)->Unit(benchmark::kMillisecond);

void BM_GpaKeystroke(benchmark::State& state)
{
    const tamrik::ProbLookup lookup = [](const std::string& key) { return tamrik::ruledb::lookupProb(Db(), key); };
    float gpa = 2.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tamrik::GpaToProb(gpa, "2.4397771456", "0.5519077994", lookup));
        gpa = gpa >= 4.0f ? 0.01f : gpa + 0.01f;
    }
}
BENCHMARK(BM_GpaKeystroke)->Unit(benchmark::kMicrosecond);

void BM_LastYearRange(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tamrik::ruledb::lookupLastYearRange(Db(), "maxminScQor43", "0001"));
}
BENCHMARK(BM_LastYearRange)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
