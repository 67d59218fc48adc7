#pragma once
// A batch over threads: applicants are read in blocks, in file order, by
// whichever thread is free, and the blocks' rows are handed on strictly in
// applicant order, so the output is the same whatever the number of threads.
// Only a few blocks are held at a time, whatever the number of applicants.

#include "applicantcsv.h"
#include "studentrows.h"

#include <functional>
#include <string_view>
#include <vector>

namespace tamrikcalc {

// What a block of applicants comes to: the text written for them, or their
// rows for a writer that takes rows.
struct BlockOutput {
    std::string text;
    std::vector<StudentRows> students;
};
using EvaluateBlock = std::function<BlockOutput(const std::vector<BatchApplicant>& block)>;

// Fills `block` with the next applicants, `most` at a time (empty at the
// end); false when they cannot be read.
using NextApplicants = std::function<bool(std::vector<BatchApplicant>& block, std::size_t most)>;

struct BatchOutcome {
    bool done = false;     // every applicant's rows written
    unsigned threads = 0;  // the threads that ran beside the writing one
    unsigned wanted = 0;   // the threads asked for, no more than blocks of applicants
};

// Calls `evaluate` on `jobs` threads and `write` with what it gave for
// consecutive blocks of applicants, in order, and `progress` with the number
// of applicants done so far. Stops when `write` or `next` returns false. A
// thread that cannot be started is gone without; with none, the calling
// thread evaluates the blocks itself.
BatchOutcome runBatch(std::size_t applicants, const NextApplicants& next, unsigned jobs,
                      const EvaluateBlock& evaluate, const std::function<bool(BlockOutput& block)>& write,
                      const std::function<void(std::size_t done)>& progress = {});

}  // namespace tamrikcalc
