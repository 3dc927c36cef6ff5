#pragma once
// The random source of the sample templates: a small generator whose sequence is fixed by its
// seed on every platform and compiler (the standard distributions are not), so one seed always
// gives the same files.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvo::sampledata {

class SampleRandom {
public:
    // A stream of its own for each template, so the rows of one do not shift those of another.
    SampleRandom(uint64_t seed, std::string_view stream) : state_(seed) {
        for (char c : stream) state_ = (state_ ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    }

    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 … n-1 (0 when n is 0).
    uint32_t below(uint64_t n) { return n == 0 ? 0 : static_cast<uint32_t>(next() % n); }
    // lo … hi, both included.
    int between(int lo, int hi) { return lo + static_cast<int>(below(static_cast<uint64_t>(hi - lo) + 1)); }
    // True with the chance of percent in a hundred.
    bool percent(unsigned percent) { return below(100) < percent; }
    template <class T>
    const T& pick(const std::vector<T>& values) { return values[below(values.size())]; }

private:
    uint64_t state_;
};

}  // namespace tarvo::sampledata
