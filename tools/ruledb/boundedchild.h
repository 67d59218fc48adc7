#pragma once
// Work that may run away (a library reading a damaged file) done in a child
// process under limits of its own, so that it cannot take the machine's
// memory or time with it. The result comes back as bytes through a pipe.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ruledbtool {

struct ChildLimits {
    std::uint64_t memoryBytes = 0;  // address space beyond what the process holds at the fork
    unsigned cpuSeconds = 0;
};

// The bytes `work` returned in the child; nothing when the child did not end
// normally (out of memory, out of time, killed) or returned more than the
// memory limit. The child's own stderr is silenced: a library's complaints
// about the damage it meets are no use to the maintainer.
std::optional<std::string> runBounded(const std::function<std::string()>& work, const ChildLimits& limits);

}  // namespace ruledbtool
