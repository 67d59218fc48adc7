#include "batchrun.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace tamrikcalc {

namespace {

constexpr std::size_t kBlock = 64;        // applicants a thread takes at a time
constexpr std::size_t kBlocksAhead = 2;   // blocks a thread may finish before the one written next

}  // namespace

BatchOutcome runBatch(std::size_t applicants, const NextApplicants& next, unsigned jobs,
                      const EvaluateBlock& evaluate, const std::function<bool(BlockOutput& block)>& write,
                      const std::function<void(std::size_t done)>& progress)
{
    BatchOutcome outcome;
    const std::size_t blocks = (applicants + kBlock - 1) / kBlock;
    outcome.wanted = static_cast<unsigned>(std::min<std::size_t>(std::max(1u, jobs), blocks));
    const std::size_t window = kBlocksAhead * std::max(1u, outcome.wanted);
    std::vector<std::optional<BlockOutput>> done(window);  // block b's rows at b % window
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t taken = 0;
    std::size_t written = 0;
    bool stop = false;

    // Reading is in file order, one thread at a time; a thread waits while
    // the block it would take could not be held until its turn comes.
    const auto take = [&](std::vector<BatchApplicant>& block, std::size_t& index) {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return stop || taken < written + window; });
        if (stop || taken == blocks)
            return false;
        if (!next(block, kBlock) || block.empty()) {
            stop = true;
            changed.notify_all();
            return false;
        }
        index = taken++;
        return true;
    };
    const auto work = [&] {
        std::vector<BatchApplicant> block;
        for (std::size_t b; take(block, b);) {
            BlockOutput rows = evaluate(block);
            {
                const std::lock_guard<std::mutex> lock(mutex);
                done[b % window] = std::move(rows);
            }
            changed.notify_all();
        }
    };

    std::vector<std::thread> threads;
    try {
        while (threads.size() < outcome.wanted)
            threads.emplace_back(work);
    } catch (const std::system_error&) {  // out of threads or memory for one: the others go on
    }
    outcome.threads = static_cast<unsigned>(threads.size());

    bool wroteAll = true;
    while (written < blocks && wroteAll) {
        BlockOutput rows;
        if (threads.empty()) {
            std::vector<BatchApplicant> block;
            std::size_t b = 0;
            if (!take(block, b))
                break;
            rows = evaluate(block);
        } else {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return stop || done[written % window].has_value(); });
            if (!done[written % window])
                break;
            rows = std::move(*done[written % window]);
            done[written % window].reset();
        }
        wroteAll = write(rows);
        {
            const std::lock_guard<std::mutex> lock(mutex);
            ++written;
            stop = stop || !wroteAll;
        }
        changed.notify_all();
        if (progress && wroteAll)
            progress(std::min(applicants, written * kBlock));
    }
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stop = true;
    }
    changed.notify_all();
    for (std::thread& t : threads)
        t.join();
    outcome.done = written == blocks && wroteAll;
    return outcome;
}

}  // namespace tamrikcalc
