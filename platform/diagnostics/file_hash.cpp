#include <cstdint>
#include <string>

#include "platform/diagnostics.h"
#include "platform/win32/files/file.h"

namespace Korvo {

bool FileHash(LPCWSTR path, std::vector<BYTE>& hash) {
    std::string bytes;
    if (!path || platform::files::readAll(path, bytes) != 0) return false;
    // Eight independent 64-bit lanes, each seeded differently, give the 64 bytes.
    constexpr int kLanes = 8;
    hash.assign(kLanes * 8, 0);
    for (int lane = 0; lane < kLanes; ++lane) {
        std::uint64_t value = 0xcbf29ce484222325ull ^ (0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(lane + 1));
        for (const char c : bytes) {
            value ^= static_cast<unsigned char>(c);
            value *= 0x100000001b3ull;
        }
        value ^= bytes.size();
        for (int i = 0; i < 8; ++i) hash[static_cast<std::size_t>(lane * 8 + i)] = static_cast<BYTE>(value >> (8 * i));
    }
    return true;
}

}  // namespace Korvo
