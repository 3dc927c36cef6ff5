#pragma once
// Small helpers of the benchmark programs: sizes from the environment, elapsed and processor
// seconds.

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace tarvo::bench {

// The number in the environment variable, or the fallback when it is unset or empty.
inline uint32_t envCount(const char* name, uint32_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double processCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Elapsed time and the process's processor time: on a shared machine the second shows the
// program's own work when other jobs stretch the first.
struct Timing {
    double wall = 0, cpu = 0;
};

// The best of no run yet, and the best of two: each measure's smaller value.
inline constexpr Timing kNoRunYet{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
inline Timing fastest(const Timing& a, const Timing& b) { return {std::min(a.wall, b.wall), std::min(a.cpu, b.cpu)}; }

class Stopwatch {
public:
    Timing read() const { return {secondsSince(wall_), processCpuSeconds() - cpu_}; }

private:
    std::chrono::steady_clock::time_point wall_ = std::chrono::steady_clock::now();
    double cpu_ = processCpuSeconds();
};

}  // namespace tarvo::bench
