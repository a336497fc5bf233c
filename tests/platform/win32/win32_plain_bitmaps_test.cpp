// Bitmap files read without the graphics library: every form the plain reader takes gives the
// library's pixels exactly, and every other form is still the library's to decode.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/harness/embedded_sample.h"
#include "platform/kvgc/picture_codec.h"
#include "platform/kvgc/plain_bitmap.h"

namespace {

using platform::kvgc::Picture;

void putLittle(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A bitmap file with the plain header, `palette` (0x00RRGGBB) and the pixel data as given.
std::string bitmapFile(int width, int height, int bits, int compression, const std::vector<std::uint32_t>& palette,
                       const std::string& data) {
    const auto dataOffset = static_cast<std::uint32_t>(14 + 40 + palette.size() * 4);
    std::string bytes = "BM";
    putLittle(bytes, dataOffset + static_cast<std::uint32_t>(data.size()), 4);
    putLittle(bytes, 0, 4);
    putLittle(bytes, dataOffset, 4);
    putLittle(bytes, 40, 4);
    putLittle(bytes, static_cast<std::uint32_t>(width), 4);
    putLittle(bytes, static_cast<std::uint32_t>(height), 4);
    putLittle(bytes, 1, 2);
    putLittle(bytes, static_cast<std::uint32_t>(bits), 2);
    putLittle(bytes, static_cast<std::uint32_t>(compression), 4);
    putLittle(bytes, static_cast<std::uint32_t>(data.size()), 4);
    putLittle(bytes, 2835, 4);
    putLittle(bytes, 2835, 4);
    // A palette as long as the bit count allows is given by a count of zero.
    const bool fullPalette = bits <= 8 && palette.size() == (std::size_t{1} << bits);
    putLittle(bytes, fullPalette ? 0 : static_cast<std::uint32_t>(palette.size()), 4);
    putLittle(bytes, 0, 4);
    for (const std::uint32_t colour : palette) putLittle(bytes, colour, 4);
    return bytes + data;
}

std::string raw(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) bytes.push_back(static_cast<char>(value));
    return bytes;
}

const std::vector<std::uint32_t> kFourColours{0x102030u, 0xF0E0D0u, 0x00FF00u, 0x7D7D7Du};

// The plain reader took the file, and both ways of decoding agree with and without a background.
void expectReadAsTheLibraryReadsIt(const std::string& bytes, const std::string& what) {
    SCOPED_TRACE(what);
    const auto taken = platform::kvgc::readPlainBitmap(bytes, false);
    ASSERT_TRUE(taken);
    // The check that decides a file is taken, without its pixels, takes the same files.
    const auto size = platform::kvgc::plainBitmapSize(bytes);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->cx, taken->width);
    EXPECT_EQ(size->cy, taken->height);
    for (const std::optional<std::uint32_t> background : {std::optional<std::uint32_t>{}, std::optional<std::uint32_t>{0xFFFFFFu}}) {
        const auto plain = platform::kvgc::decodePicture(bytes, L".bmp", background);
        const auto library = platform::kvgc::decodePictureWithLibrary(bytes, L".bmp", background);
        ASSERT_TRUE(plain);
        ASSERT_TRUE(library);
        EXPECT_EQ(plain->width, library->width);
        EXPECT_EQ(plain->height, library->height);
        EXPECT_EQ(plain->pixels, library->pixels);
    }
}

TEST(PlainBitmaps, TheShippedBannersAndEveryTakenFormGiveTheLibrarysPixels) {
    int banners = 0;
    for (const auto& [path, bytes] : platform::harness::embeddedSampleFiles()) {
        if (!path.ends_with(".bmp")) continue;
        expectReadAsTheLibraryReadsIt(std::string(bytes), std::string(path));
        ++banners;
    }
    EXPECT_GE(banners, 2);

    // Uncompressed palette rows of odd widths, each padded to four bytes, bottom row first.
    expectReadAsTheLibraryReadsIt(bitmapFile(3, 2, 8, 0, kFourColours, raw({0, 1, 2, 0, 3, 2, 1, 0})), "8 bits");
    expectReadAsTheLibraryReadsIt(bitmapFile(5, 2, 4, 0, kFourColours, raw({0x01, 0x23, 0x10, 0, 0x32, 0x10, 0x30, 0})),
                                  "4 bits");
    expectReadAsTheLibraryReadsIt(bitmapFile(9, 2, 1, 0, {0x000000u, 0xFFFFFFu}, raw({0xA5, 0x80, 0, 0, 0x5A, 0x00, 0, 0})),
                                  "1 bit");
    expectReadAsTheLibraryReadsIt(bitmapFile(2, 1, 1, 0, {0x0000FFu, 0xFF0000u}, raw({0x40, 0, 0, 0})), "full palette");
    expectReadAsTheLibraryReadsIt(bitmapFile(3, 2, 24, 0, {}, raw({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3,
                                                                   2, 1, 0, 0, 0})),
                                  "24 bits");

    // Runs, literal stretches of odd length (padded to two bytes) and ends of rows and picture.
    expectReadAsTheLibraryReadsIt(bitmapFile(5, 2, 8, 1, kFourColours, raw({2, 1, 0, 3, 2, 0, 3, 0, 0, 0, 5, 3, 0, 1})),
                                  "8-bit runs");
    expectReadAsTheLibraryReadsIt(bitmapFile(5, 2, 4, 2, kFourColours, raw({5, 0x12, 0, 0, 0, 3, 0x32, 0x10, 2, 0x33, 0, 1})),
                                  "4-bit runs");

    // The library's own writing of a picture.
    Picture picture{7, 3, {}};
    for (int i = 0; i < 21; ++i) picture.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 0x0A0B0C));
    const std::string written = *platform::kvgc::encodePicture(picture, L".bmp");
    if (platform::kvgc::readPlainBitmap(written, false)) {
        expectReadAsTheLibraryReadsIt(written, "written by the library");
    }
    EXPECT_EQ(platform::kvgc::decodePicture(written, L".bmp")->pixels, picture.pixels);
}

TEST(PlainBitmaps, FormsLeftUnsetOrUnknownAreStillTheLibrarysToDecode) {
    const std::vector<std::pair<std::string, std::string>> declined{
        // A jump over pixels, a row cut short and a missing end mark leave pixels unset.
        {"jump", bitmapFile(4, 2, 8, 1, kFourColours, raw({2, 1, 0, 2, 2, 1, 4, 3, 0, 1}))},
        {"short row", bitmapFile(4, 2, 8, 1, kFourColours, raw({2, 1, 0, 0, 4, 3, 0, 1}))},
        {"no end", bitmapFile(2, 1, 8, 1, kFourColours, raw({2, 1}))},
        // A run past the row's end, an index past the palette, truncated rows.
        {"overlong run", bitmapFile(2, 2, 8, 1, kFourColours, raw({3, 1, 0, 0, 2, 1, 0, 1}))},
        {"index past the palette", bitmapFile(2, 1, 8, 0, kFourColours, raw({0, 9, 0, 0}))},
        {"truncated", bitmapFile(2, 2, 8, 0, kFourColours, raw({0, 1, 0, 0}))},
        // Forms it does not take: top-down rows, 32 and 16 bits, bit fields.
        {"top-down", bitmapFile(2, -1, 8, 0, kFourColours, raw({0, 1, 0, 0}))},
        {"32 bits", bitmapFile(1, 1, 32, 0, {}, raw({1, 2, 3, 0x80}))},
        {"16 bits", bitmapFile(2, 1, 16, 0, {}, raw({1, 2, 3, 4}))},
        {"bit fields", bitmapFile(1, 1, 32, 3, {0x00FF0000u, 0x0000FF00u, 0x000000FFu}, raw({1, 2, 3, 4}))},
        {"header only", bitmapFile(1, 1, 8, 0, kFourColours, "").substr(0, 30)},
        // Wider than the library takes, though few pixels in all.
        {"too wide", bitmapFile((1 << 20) + 8, 1, 1, 0, {0x000000u, 0xFFFFFFu}, std::string(((1 << 20) + 8 + 31) / 32 * 4, '\0'))},
    };
    for (const auto& [what, bytes] : declined) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(platform::kvgc::readPlainBitmap(bytes, false));
        EXPECT_FALSE(platform::kvgc::plainBitmapSize(bytes));
        const auto decoded = platform::kvgc::decodePicture(bytes, L".bmp");
        const auto library = platform::kvgc::decodePictureWithLibrary(bytes, L".bmp");
        ASSERT_EQ(decoded.has_value(), library.has_value());
        if (decoded) {
            EXPECT_EQ(decoded->pixels, library->pixels);
        }
    }
}

}  // namespace
