#include "batchrun.h"

#include "report.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace tamrikcalc {

namespace {

constexpr std::size_t kBlock = 64;  // applicants a thread takes at a time

std::string rowsOf(tamrik::Evaluator& evaluator, const tamrik::ScoringContext& context, const BatchApplicant& a,
                   std::size_t top)
{
    tamrik::EvaluateOptions options;
    options.needed = false;
    return CsvRows(evaluator.rank(a.applicant, context, options, top), top, &a.id);
}

}  // namespace

void RunBatch(const std::vector<tamrik::FacultyRecord>& faculties, const tamrik::ScoringContext& context,
              const std::vector<BatchApplicant>& applicants, const BatchSettings& settings,
              const std::function<void(std::string_view rows)>& write,
              const std::function<void(std::size_t done)>& progress)
{
    const std::size_t blocks = (applicants.size() + kBlock - 1) / kBlock;
    std::vector<std::optional<std::string>> done(blocks);
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<std::size_t> next{0};

    const auto work = [&] {
        tamrik::Evaluator evaluator(faculties);
        for (std::size_t b; (b = next++) < blocks;) {
            std::string rows;
            for (std::size_t i = b * kBlock; i < std::min(applicants.size(), (b + 1) * kBlock); ++i)
                rows += rowsOf(evaluator, context, applicants[i], settings.top);
            {
                const std::lock_guard<std::mutex> lock(mutex);
                done[b] = std::move(rows);
            }
            ready.notify_all();
        }
    };
    std::vector<std::thread> threads;
    for (unsigned j = 0; j < std::max(1u, settings.jobs); ++j)
        threads.emplace_back(work);

    for (std::size_t b = 0; b < blocks; ++b) {
        std::string rows;
        {
            std::unique_lock<std::mutex> lock(mutex);
            ready.wait(lock, [&] { return done[b].has_value(); });
            rows = std::move(*done[b]);
            done[b].reset();
        }
        write(rows);
        if (progress)
            progress(std::min(applicants.size(), (b + 1) * kBlock));
    }
    for (std::thread& t : threads)
        t.join();
}

}  // namespace tamrikcalc
