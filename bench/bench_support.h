#pragma once
// Small helpers of the benchmark programs: sizes from the environment and elapsed seconds.

#include <chrono>
#include <cstdint>
#include <cstdlib>

namespace tarvo::bench {

// The number in the environment variable, or the fallback when it is unset or empty.
inline uint32_t envCount(const char* name, uint32_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace tarvo::bench
