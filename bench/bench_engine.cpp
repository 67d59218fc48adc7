// The engine on one core: every bundled faculty evaluated for an applicant
// (rules loaded once, as tamrik-calc --all and --batch do), and the rounding
// every figure goes through, as the pages do it (a text and back) and as the
// engine does it (the same value without the text).
#include "allfacultyrules.h"
#include "evaluation.h"
#include "numtext.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

std::string RuleDbPath()
{
    const char* path = std::getenv("TAMRIK_RULE_DB");
    return path ? path : "bin/ScoreRule.mdb";
}

struct Loaded {
    tamrik::ruledb::RuleDatabase db{RuleDbPath()};
    tamrik::ruledb::AllFacultyRules rules = tamrik::ruledb::LoadAllFacultyRules(db, "maxminScQor43");
    tamrik::ScoringContext context{"2.4397771456", "0.5519077994", tamrik::ruledb::LoadProbTable(db)};
};

const Loaded& Data()
{
    static const Loaded loaded;
    return loaded;
}

// Applicants that differ in every subject, so nothing is evaluated twice alike.
tamrik::Applicant ApplicantNumber(int n)
{
    tamrik::Applicant a;
    for (std::size_t k = 0; k < tamrik::kSubjectCount; ++k) {
        if ((k + static_cast<std::size_t>(n)) % 3 != 0)
            a.Scores[k] = 20 + static_cast<double>((k * 37 + static_cast<std::size_t>(n) * 11) % 8000) / 100;
    }
    a.Gpa = 1.5 + (n % 250) / 100.0;
    a.Pr = 1 + (n % 9800) / 100.0;
    return a;
}

// What --batch --top 4 does per applicant: every faculty scored and ranked,
// the best four written out in full.
void BM_EvaluateEveryFaculty(benchmark::State& state)
{
    const Loaded& data = Data();
    const tamrik::PreparedFaculties prepared(data.rules.faculties);
    tamrik::Evaluator evaluator(prepared);
    tamrik::EvaluateOptions options;
    options.needed = false;
    int n = 0;
    for (auto _ : state) {
        auto top = evaluator.rank(ApplicantNumber(n++), data.context, options, 4);
        benchmark::DoNotOptimize(top);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(data.rules.faculties.size()));
}
BENCHMARK(BM_EvaluateEveryFaculty)->Unit(benchmark::kMicrosecond);

// One faculty in full, as --faculty gives it, with the search for `needed`.
void BM_EvaluateOneWithNeeded(benchmark::State& state)
{
    const Loaded& data = Data();
    const tamrik::FacultyRecord& faculty = data.rules.faculties[12];
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(tamrik::Evaluate(faculty, ApplicantNumber(n++), data.context));
}
BENCHMARK(BM_EvaluateOneWithNeeded)->Unit(benchmark::kMicrosecond);

void BM_LoadAllFacultyRules(benchmark::State& state)
{
    const Loaded& data = Data();
    for (auto _ : state)
        benchmark::DoNotOptimize(tamrik::ruledb::LoadAllFacultyRules(data.db, "maxminScQor43"));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(data.rules.faculties.size()));
}
BENCHMARK(BM_LoadAllFacultyRules)->Unit(benchmark::kMillisecond);

// The rounding every figure goes through: a value to "0.00" and back.
void BM_FormatAndReadBack(benchmark::State& state)
{
    double v = 123.456;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tamrik::Val(tamrik::Format(v, "0.00")));
        v += 0.37;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatAndReadBack);

void BM_ShownValue(benchmark::State& state)
{
    double v = 123.456;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tamrik::ShownValue(v, 2));
        v += 0.37;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShownValue);

}  // namespace

BENCHMARK_MAIN();
