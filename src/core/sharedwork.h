#pragma once
// Indexes [0, count) split into one contiguous share per thread, the calling
// thread taking the first. `work(begin, end)` must touch only what its own
// indexes own; small counts are not worth a thread and run in place.

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace tamrik {

template <typename Work>
void ShareWork(std::size_t count, unsigned threads, const Work& work)
{
    constexpr std::size_t kLeast = 512;  // below this a thread costs more than it saves
    const std::size_t shares = std::clamp<std::size_t>(count / kLeast, 1, std::max(1u, threads));
    std::vector<std::thread> helpers;
    for (std::size_t s = 1; s < shares; ++s)
        helpers.emplace_back([&work, count, shares, s] { work(count * s / shares, count * (s + 1) / shares); });
    work(0, count / shares);
    for (std::thread& t : helpers)
        t.join();
}

}  // namespace tamrik
