// The engine on one core over the rule database TAMRIK_RULE_DB names: every
// faculty evaluated for an applicant (rules loaded once, as tamrik-calc --all
// and --batch and the all-faculties window do), bare, ranked and the best four
// written out; one faculty with what it needs; the load; and the rounding
// every figure goes through, as the pages do it (a text and back) and as the
// engine does it (the same value without the text).
#include "evaluator.h"
#include "facultyloader.h"
#include "numtext.h"
#include "wholetables.h"

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
    tamrik::Evaluator evaluator{tamrik::loadFaculties(db, "maxminScQor43")};
    tamrik::ScoringContext context{"2.4397771456", "0.5519077994", tamrik::loadProbTable(db)};
    std::int64_t faculties() const { return static_cast<std::int64_t>(evaluator.faculties().size()); }
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

// `work` for one applicant after another, counting every faculty of each.
template <typename Work>
void ForEveryApplicant(benchmark::State& state, Work work)
{
    const Loaded& data = Data();
    int n = 0;
    for (auto _ : state)
        work(data, ApplicantNumber(n++));
    state.SetItemsProcessed(state.iterations() * data.faculties());
}

// Every faculty scored for an applicant, none put in order: the engine's
// bare evaluation.
void BM_ScoreEveryFaculty(benchmark::State& state)
{
    ForEveryApplicant(state, [](const Loaded& data, const tamrik::Applicant& a) {
        benchmark::DoNotOptimize(data.evaluator.rank(a, data.context, 0));
    });
}
BENCHMARK(BM_ScoreEveryFaculty)->Unit(benchmark::kMicrosecond);

// What a score edited in the all-faculties window asks of the engine: every
// faculty scored again and ranked.
void BM_RankEveryFaculty(benchmark::State& state)
{
    ForEveryApplicant(state, [](const Loaded& data, const tamrik::Applicant& a) {
        benchmark::DoNotOptimize(data.evaluator.rank(a, data.context));
    });
}
BENCHMARK(BM_RankEveryFaculty)->Unit(benchmark::kMicrosecond);

// What --batch --top 4 does per applicant: every faculty scored and ranked,
// the best four written out in full.
void BM_RankAndWriteOutTopFour(benchmark::State& state)
{
    ForEveryApplicant(state, [](const Loaded& data, const tamrik::Applicant& a) {
        benchmark::DoNotOptimize(data.evaluator.rank(a, data.context, 4).evaluations(tamrik::Detail::Figures));
    });
}
BENCHMARK(BM_RankAndWriteOutTopFour)->Unit(benchmark::kMicrosecond);

// One faculty in full, as --faculty gives it, with the search for `needed`.
void BM_EvaluateOneWithNeeded(benchmark::State& state)
{
    const Loaded& data = Data();
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(data.evaluator.evaluate(12, ApplicantNumber(n++), data.context, tamrik::Detail::Needed));
}
BENCHMARK(BM_EvaluateOneWithNeeded)->Unit(benchmark::kMicrosecond);

void BM_LoadFaculties(benchmark::State& state)
{
    const Loaded& data = Data();
    for (auto _ : state)
        benchmark::DoNotOptimize(tamrik::loadFaculties(data.db, "maxminScQor43"));
    state.SetItemsProcessed(state.iterations() * data.faculties());
}
BENCHMARK(BM_LoadFaculties)->Unit(benchmark::kMillisecond);

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
        benchmark::DoNotOptimize(tamrik::shownValue(v, 2));
        v += 0.37;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShownValue);

}  // namespace

BENCHMARK_MAIN();
