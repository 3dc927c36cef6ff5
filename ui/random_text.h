#pragma once
// Random numbers and texts, and the scrambling of values the retail database keeps encoded.
// Texts here are byte strings in the retail database's single-byte code page.

#include <cstdint>
#include <optional>
#include <string>

namespace tarvo::ui {

// Starts the random sequence from the clock and the system's entropy, so that every run differs.
void seedRandom();

// A random number from 0 up to but not including 1. A non-zero seed first restarts the sequence
// from that seed (the same seed gives the same numbers); no seed or 0 continues the sequence.
double VORANDOM(std::optional<std::uint32_t> seed = std::nullopt);

// length random characters with codes from lowest to highest (bytes, either order); no two
// neighbours are equal unless the range holds a single character.
std::string RETRANDOMSTRING2(std::uint16_t length, char lowest, char highest);

// length random capital letters A to Z, no two neighbours equal.
std::string RETRANDOMSTRING(std::uint16_t length);

// The text encoded with a random first byte c0 (code 1..126), one byte longer than the text. Byte i
// (from 1) decodes as out[i] ^ out[i-1] ^ ((i-1) & 0xFF). Output bytes can be any value 0..255,
// zero included: callers store them raw in the field.
std::string PASSENCRYPT(const std::string& text);

}  // namespace tarvo::ui
