#pragma once
// Indexes [0, count) split into one contiguous share per thread, the calling
// thread taking the first, and those of any thread that could not be started. `work(begin, end)` must touch only what its own
// indexes own; small counts are not worth a thread and run in place.

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace tamrik {

template <typename Work>
void ShareWork(std::size_t count, unsigned threads, const Work& work)
{
    constexpr std::size_t kLeast = 512;  // below this a thread costs more than it saves
    const std::size_t shares = std::clamp<std::size_t>(count / kLeast, 1, std::max(1u, threads));
    const auto share = [&work, count, shares](std::size_t s) { work(count * s / shares, count * (s + 1) / shares); };
    std::vector<std::thread> helpers;
    std::size_t started = 1;
    try {
        for (; started < shares; ++started)
            helpers.emplace_back(share, started);
    } catch (const std::system_error&) {
        // No thread to be had: the calling thread takes the shares left over.
    }
    share(0);
    for (std::size_t s = started; s < shares; ++s)
        share(s);
    for (std::thread& t : helpers)
        t.join();
}

}  // namespace tamrik
