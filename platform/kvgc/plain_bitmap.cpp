#include "platform/kvgc/plain_bitmap.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace platform::kvgc {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRunLength8 = 1;
constexpr std::uint32_t kRunLength4 = 2;

std::uint32_t little(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Writes pixels into a picture's rows, bottom row first as the file stores them, a run at a time,
// noting how many were set: a run-length picture may skip pixels, and what the library puts
// there is its own. A dry canvas writes every row into one row of scratch instead, so a file is
// checked by exactly the reading that makes its pixels, without the memory of the picture.
class Canvas {
public:
    Canvas(Picture& picture, std::uint32_t opacity, bool dry) : picture_(picture), opacity_(opacity), dry_(dry) {
        if (dry_) scratch_.resize(static_cast<std::size_t>(picture_.width));
        else picture_.pixels.assign(pixelCount(), 0);
    }

    std::uint32_t opacity() const { return opacity_; }
    // Whether what is put into a span is kept: a dry canvas only checks, so nothing need be put.
    bool keeps() const { return !dry_; }

    // The pixels `x` to `x + count - 1` of a row, or null when they do not all lie in the picture.
    std::uint32_t* span(int x, int fileRow, int count) {
        if (x < 0 || count < 0 || count > picture_.width - x || fileRow < 0 || fileRow >= picture_.height) return nullptr;
        set_ += static_cast<std::size_t>(count);
        if (dry_) return scratch_.data() + x;
        const auto row = static_cast<std::size_t>(picture_.height - 1 - fileRow);
        return picture_.pixels.data() + row * static_cast<std::size_t>(picture_.width) + static_cast<std::size_t>(x);
    }

    bool complete() const { return set_ == pixelCount(); }

private:
    std::size_t pixelCount() const { return static_cast<std::size_t>(picture_.width) * static_cast<std::size_t>(picture_.height); }

    Picture& picture_;
    std::uint32_t opacity_;
    bool dry_;
    std::vector<std::uint32_t> scratch_;
    std::size_t set_ = 0;
};

// The palette's colours as pixels (0x00RRGGBB with the picture's opacity byte).
struct Palette {
    std::vector<std::uint32_t> pixels;

    bool has(unsigned index) const { return index < pixels.size(); }
};

// Uncompressed rows, each padded to four bytes.
bool readRows(std::string_view data, int bits, const Palette& palette, Canvas& canvas, int width, int height) {
    const std::size_t stride = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
    if (data.size() < stride * static_cast<std::size_t>(height)) return false;
    const unsigned mask = (1u << (bits % 24)) - 1;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(data.data()) + stride * static_cast<std::size_t>(y);
        std::uint32_t* out = canvas.span(0, y, width);
        if (bits == 24 && !canvas.keeps()) continue;  // every byte is a colour
        for (int x = 0; x < width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            if (bits == 24) {
                out[x] = canvas.opacity() | std::uint32_t{row[ux * 3 + 2]} << 16 | std::uint32_t{row[ux * 3 + 1]} << 8 | row[ux * 3];
                continue;
            }
            const unsigned char byte = row[ux * static_cast<std::size_t>(bits) / 8];
            const int shift = 8 - bits - static_cast<int>(ux * static_cast<std::size_t>(bits) % 8);
            const unsigned index = (byte >> shift) & mask;
            if (!palette.has(index)) return false;
            out[x] = palette.pixels[index];
        }
    }
    return true;
}

// Run lengths of 8-bit or 4-bit palette indexes, as pairs: a count and what to repeat, or a zero
// and an escape (end of row, end of picture, a jump, or a stretch of literal indexes).
bool readRuns(std::string_view data, int bits, const Palette& palette, Canvas& canvas) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    std::size_t at = 0;
    int x = 0, y = 0;
    while (at + 2 <= data.size()) {
        const int count = bytes[at];
        const unsigned char value = bytes[at + 1];
        at += 2;
        if (count > 0) {
            // One index repeated, or two alternating (the high half first).
            const unsigned first = bits == 8 ? value : value >> 4u, second = bits == 8 ? value : value & 0x0Fu;
            std::uint32_t* out = canvas.span(x, y, count);
            if (!out || !palette.has(first) || !palette.has(second)) return false;
            if (canvas.keeps()) {
                if (first == second) {
                    std::fill_n(out, count, palette.pixels[first]);
                } else {
                    for (int i = 0; i < count; ++i) out[i] = palette.pixels[i % 2 == 0 ? first : second];
                }
            }
            x += count;
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            return false;  // a jump leaves pixels unset
        } else {
            const std::size_t length = bits == 8 ? value : (value + 1u) / 2;
            const std::size_t padded = (length + 1) / 2 * 2;
            std::uint32_t* out = canvas.span(x, y, value);
            if (!out || at + padded > data.size()) return false;
            for (int i = 0; i < value; ++i) {
                const unsigned char byte = bytes[at + static_cast<std::size_t>(bits == 8 ? i : i / 2)];
                const unsigned index = bits == 8 ? byte : (i % 2 == 0 ? byte >> 4u : byte & 0x0Fu);
                if (!palette.has(index)) return false;
                out[i] = palette.pixels[index];
            }
            x += value;
            at += padded;
        }
    }
    return false;  // no end-of-picture mark
}

// The picture of the file, its pixels left empty when `dry`.
std::optional<Picture> readPicture(std::string_view bytes, bool onBackground, bool dry) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != "BM") return std::nullopt;
    const std::uint32_t dataOffset = little(bytes, 10, 4);
    if (little(bytes, 14, 4) != kInfoHeaderSize) return std::nullopt;
    const auto width = static_cast<std::int32_t>(little(bytes, 18, 4));
    const auto height = static_cast<std::int32_t>(little(bytes, 22, 4));
    const std::uint32_t planes = little(bytes, 26, 2), bits = little(bytes, 28, 2), compression = little(bytes, 30, 4);
    const std::uint32_t coloursUsed = little(bytes, 46, 4);
    // Top-down rows, and sizes the library refuses, are left to it.
    if (planes != 1 || width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        std::int64_t{width} * height > kMaxPicturePixels)
        return std::nullopt;
    const bool palettised = bits == 1 || bits == 4 || bits == 8;
    const bool formKnown = (compression == kUncompressed && (palettised || bits == 24)) ||
                           (compression == kRunLength8 && bits == 8) || (compression == kRunLength4 && bits == 4);
    if (!formKnown || dataOffset > bytes.size()) return std::nullopt;

    const std::uint32_t opacity = onBackground ? 0 : 0xFF000000u;
    Palette palette;
    if (palettised) {
        const std::uint32_t entries = coloursUsed == 0 ? 1u << bits : coloursUsed;
        const std::size_t paletteAt = kFileHeaderSize + kInfoHeaderSize;
        if (entries > (1u << bits) || paletteAt + std::size_t{entries} * 4 > dataOffset) return std::nullopt;
        for (std::uint32_t i = 0; i < entries; ++i) palette.pixels.push_back(opacity | little(bytes, paletteAt + std::size_t{i} * 4, 3));
    }

    Picture picture;
    picture.width = width;
    picture.height = height;
    Canvas canvas(picture, opacity, dry);
    const std::string_view data = bytes.substr(dataOffset);
    const bool read = compression == kUncompressed ? readRows(data, static_cast<int>(bits), palette, canvas, width, height)
                                                   : readRuns(data, static_cast<int>(bits), palette, canvas);
    if (!read || !canvas.complete()) return std::nullopt;
    return picture;
}

}  // namespace

std::optional<Picture> readPlainBitmap(std::string_view bytes, bool onBackground) { return readPicture(bytes, onBackground, false); }

std::optional<SIZE> plainBitmapSize(std::string_view bytes) {
    const std::optional<Picture> picture = readPicture(bytes, false, true);
    if (!picture) return std::nullopt;
    return SIZE{picture->width, picture->height};
}

}  // namespace platform::kvgc
