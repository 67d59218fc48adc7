#pragma once
// A batch over threads: applicants are read in blocks, in file order, by
// whichever thread is free, and the blocks' rows are handed on strictly in
// applicant order, so the output is the same whatever the number of threads.
// Only a few blocks are held at a time, whatever the number of applicants.

#include "applicantcsv.h"
#include "evaluator.h"

#include <functional>
#include <string_view>
#include <vector>

namespace tamrikcalc {

struct BatchSettings {
    std::size_t top = static_cast<std::size_t>(-1);  // rows kept per applicant
    unsigned jobs = 1;
};

// Fills `block` with the next applicants, `most` at a time (empty at the
// end); false when they cannot be read.
using NextApplicants = std::function<bool(std::vector<BatchApplicant>& block, std::size_t most)>;

struct BatchOutcome {
    bool done = false;     // every applicant's rows written
    unsigned threads = 0;  // the threads that ran beside the writing one
    unsigned wanted = 0;   // the threads asked for, no more than blocks of applicants
};

// Calls `write` with the CSV rows (no header) of consecutive applicants, in
// order, and `progress` with the number of applicants done so far. Stops when
// `write` or `next` returns false. The threads share the evaluator. A thread
// that cannot be started is gone without; with none, the calling thread
// computes the rows itself.
BatchOutcome RunBatch(const tamrik::Evaluator& evaluator, const tamrik::ScoringContext& context,
                      std::size_t applicants, const NextApplicants& next, const BatchSettings& settings,
                      const std::function<bool(std::string_view rows)>& write,
                      const std::function<void(std::size_t done)>& progress = {});

}  // namespace tamrikcalc
