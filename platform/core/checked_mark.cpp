#include "platform/core/checked_mark.h"

#include <sys/xattr.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace platform::core {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;  // odd: multiplying by it loses nothing

// A lane fed two words: a bijection of the lane for fixed words, and of each word for the
// other fixed, so a lane fed one word that differs ends differently.
std::uint64_t step(std::uint64_t lane, std::uint64_t first, std::uint64_t second = 0) {
    return std::rotl((lane ^ first) * kMultiplier, 29) ^ second;
}

std::uint64_t wordAt(const char* at) {
    std::uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The final mix of murmur's 64-bit hash, another bijection.
std::uint64_t mix(std::uint64_t value) {
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDull;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ull;
    return value ^ (value >> 33);
}

}  // namespace

std::uint64_t textFingerprint(std::string_view text) {
    // Four lanes, so that the multiplications of neighbouring words overlap.
    std::uint64_t lanes[4] = {0x243F6A8885A308D3ull, 0x13198A2E03707344ull, 0xA4093822299F31D0ull, 0x082EFA98EC4E6C89ull};
    const char* at = text.data();
    const char* const end = at + text.size();
    for (; end - at >= 64; at += 64) {
        for (int lane = 0; lane < 4; ++lane) lanes[lane] = step(lanes[lane], wordAt(at + 16 * lane), wordAt(at + 16 * lane + 8));
    }
    for (int lane = 0; end - at > 0; lane = (lane + 1) % 4, at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, static_cast<std::size_t>(std::min<std::ptrdiff_t>(end - at, 8)));
        lanes[lane] = step(lanes[lane], word);
    }
    std::uint64_t fingerprint = mix(text.size());
    for (const std::uint64_t lane : lanes) fingerprint = step(fingerprint, mix(lane));
    return mix(fingerprint);
}

bool hasCheckedMark(const std::string& file, const char* attribute, std::string_view text) {
    std::uint64_t stored = 0;
    if (::getxattr(file.c_str(), attribute, &stored, sizeof stored) != static_cast<ssize_t>(sizeof stored)) return false;
    return stored == textFingerprint(text);
}

void setCheckedMark(const std::string& file, const char* attribute, std::string_view text) {
    const std::uint64_t fingerprint = textFingerprint(text);
    // Failing (no extended attributes there, a file that may not be changed) leaves the file
    // unmarked, which only costs the next load a whole check.
    (void)::setxattr(file.c_str(), attribute, &fingerprint, sizeof fingerprint, 0);
}

}  // namespace platform::core
