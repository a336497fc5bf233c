#include "platform/win32/png_check.h"

#include <array>
#include <cstdint>

namespace platform::win32 {
// Its own namespace: a unity batch shares one anonymous namespace among its files.
namespace png_check {
namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n", 8};
// A decoder's limit on either side (the format allows up to 2^31 - 1).
constexpr std::uint32_t kMaxSide = 0x7FFFFFFFu;

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr auto kCrcTable = makeCrcTable();

std::uint32_t crcOf(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes) c = kCrcTable[(c ^ static_cast<unsigned char>(byte)) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t bigEndian(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

bool validChunkName(std::string_view type) {
    for (const char c : type)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    return true;
}

// The bit depths each colour type allows.
bool validDepth(unsigned colourType, unsigned depth) {
    switch (colourType) {
        case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6: return depth == 8 || depth == 16;
        default: return false;
    }
}

}  // namespace
}  // namespace png_check

std::optional<SIZE> checkedPngSize(std::string_view bytes) {
    using namespace png_check;
    if (!bytes.starts_with(kSignature)) return std::nullopt;
    SIZE size{};
    unsigned colourType = 0;
    bool header = false, palette = false, data = false;
    for (std::size_t at = kSignature.size();;) {
        if (bytes.size() - at < 12) return std::nullopt;
        const std::uint32_t length = bigEndian(bytes, at);
        if (length > bytes.size() - at - 12) return std::nullopt;
        const std::string_view type = bytes.substr(at + 4, 4);
        const std::string_view body = bytes.substr(at + 8, length);
        if (!validChunkName(type)) return std::nullopt;
        const bool critical = (static_cast<unsigned char>(type[0]) & 0x20u) == 0;
        const bool crcRight = crcOf(bytes.substr(at + 4, 4 + length)) == bigEndian(bytes, at + 8 + length);
        at += 12 + length;
        if (critical && !crcRight) return std::nullopt;
        if (!header) {
            if (type != "IHDR" || length != 13) return std::nullopt;
            const std::uint32_t width = bigEndian(body, 0), height = bigEndian(body, 4);
            const auto depth = static_cast<unsigned char>(body[8]);
            colourType = static_cast<unsigned char>(body[9]);
            const bool methodsKnown = body[10] == 0 && body[11] == 0 && (body[12] == 0 || body[12] == 1);
            if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || !validDepth(colourType, depth) ||
                !methodsKnown) {
                return std::nullopt;
            }
            size = {static_cast<LONG>(width), static_cast<LONG>(height)};
            header = true;
            continue;
        }
        if (type == "IHDR") return std::nullopt;
        if (type == "IEND") return data ? std::optional<SIZE>(size) : std::nullopt;
        if (type == "IDAT") {
            // A palette picture's pixels are indices: its palette comes first.
            if (colourType == 3 && !palette) return std::nullopt;
            data = true;
        } else if (type == "PLTE") {
            // A grey picture's palette is passed over; a palette picture's must be whole and come
            // once, before the pixels.
            if (colourType == 0 || colourType == 4) continue;
            if (palette || data || length == 0 || length % 3 != 0 || length / 3 > 256) return std::nullopt;
            palette = true;
        } else if (critical) {
            return std::nullopt;  // a critical chunk no decoder knows
        }
    }
}

}  // namespace platform::win32
