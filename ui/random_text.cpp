#include "ui/random_text.h"

#include <chrono>
#include <mutex>
#include <random>
#include <utility>

namespace tarvo::ui {

namespace {

std::mutex generatorMutex;
std::mt19937_64 generator;

}  // namespace

void seedRandom() {
    std::random_device entropy;
    const auto ticks = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::seed_seq seeds{entropy(), entropy(), static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    std::lock_guard lock(generatorMutex);
    generator.seed(seeds);
}

double VORANDOM(std::optional<std::uint32_t> seed) {
    std::lock_guard lock(generatorMutex);
    if (seed && *seed != 0) generator.seed(*seed);
    // The top 53 bits as a fraction: every value is below 1.
    return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

std::string RETRANDOMSTRING2(std::uint16_t length, char lowest, char highest) {
    int low = static_cast<unsigned char>(lowest);
    int high = static_cast<unsigned char>(highest);
    if (high < low) std::swap(low, high);
    const int span = high - low + 1;
    std::string out;
    out.reserve(length);
    int previous = -1;
    for (std::uint16_t i = 0; i < length; ++i) {
        int k = static_cast<int>(VORANDOM() * span);
        while (k == previous && span > 1) k = static_cast<int>(VORANDOM() * span);
        out += static_cast<char>(low + k);
        previous = k;
    }
    return out;
}

std::string RETRANDOMSTRING(std::uint16_t length) { return RETRANDOMSTRING2(length, 'A', 'Z'); }

// Each byte is XORed with a running key that starts at c0; after a byte the key is that output
// byte XORed with its position. Keys are kept to a byte, as the bytes they produce.
std::string PASSENCRYPT(const std::string& text) {
    unsigned key = static_cast<unsigned>(VORANDOM(0) * 126 + 1);
    std::string out(1, static_cast<char>(key));
    out.reserve(text.size() + 1);
    unsigned position = 1;
    for (unsigned char byte : text) {
        key = (byte ^ key) & 0xFFu;
        out += static_cast<char>(key);
        key = (key ^ position++) & 0xFFu;
    }
    return out;
}

}  // namespace tarvo::ui
