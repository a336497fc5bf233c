// An icon's picture is checked, not decoded: the check takes the pictures the graphics library
// decodes, with the library's size, and refuses the damaged ones the library refuses.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/harness/embedded_sample.h"
#include "platform/kvgc/picture_codec.h"
#include "platform/win32/png_check.h"

namespace png_check_test {

using platform::win32::checkedPngSize;

void putBig(std::string& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t crc(const std::string& bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        c ^= static_cast<unsigned char>(byte);
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

std::string chunk(const std::string& type, const std::string& body) {
    std::string bytes;
    putBig(bytes, static_cast<std::uint32_t>(body.size()));
    bytes += type + body;
    putBig(bytes, crc(type + body));
    return bytes;
}

std::string header(std::uint32_t width, std::uint32_t height, int depth, int colourType) {
    std::string body;
    putBig(body, width);
    putBig(body, height);
    body += {static_cast<char>(depth), static_cast<char>(colourType), 0, 0, 0};
    return chunk("IHDR", body);
}

// Filtered rows as one zlib stream of stored blocks.
std::string pixelData(const std::string& rows) {
    std::string stream = "\x78\x01";
    stream += '\x01';  // the last block, stored
    const auto length = static_cast<std::uint16_t>(rows.size());
    stream += {static_cast<char>(length & 0xFF), static_cast<char>(length >> 8), static_cast<char>(~length & 0xFF),
               static_cast<char>((~length >> 8) & 0xFF)};
    stream += rows;
    std::uint32_t a = 1, b = 0;
    for (const char byte : rows) {
        a = (a + static_cast<unsigned char>(byte)) % 65521;
        b = (b + a) % 65521;
    }
    putBig(stream, b << 16 | a);
    return chunk("IDAT", stream);
}

const std::string kSignature{"\x89PNG\r\n\x1a\n", 8};
const std::string kEnd = chunk("IEND", "");

// A 2x2 picture of each colour type the check is asked about, rows filtered with "none".
const std::string kGrey = kSignature + header(2, 2, 8, 0) + pixelData({0, 10, 20, 0, 30, 40}) + kEnd;
const std::string kPalette = kSignature + header(3, 1, 8, 3) + chunk("PLTE", std::string("\xFF\0\0\0\xFF\0", 6)) +
                             pixelData({0, 0, 1, 0}) + kEnd;
const std::string kColour = kSignature + header(1, 2, 8, 2) + pixelData({0, 1, 2, 3, 0, 4, 5, 6}) + kEnd;

void expectTakenAsTheLibraryTakesIt(const std::string& bytes, const std::string& what) {
    SCOPED_TRACE(what);
    const auto library = platform::kvgc::decodePictureWithLibrary(bytes, L".png");
    ASSERT_TRUE(library);
    const auto size = checkedPngSize(bytes);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->cx, library->width);
    EXPECT_EQ(size->cy, library->height);
}

TEST(PngCheck, TakesTheShippedIconsAndEachColourTypeWithTheLibrarysSize) {
    int icons = 0;
    for (const auto& [path, bytes] : platform::harness::embeddedSampleFiles()) {
        if (!path.ends_with(".png")) continue;
        expectTakenAsTheLibraryTakesIt(std::string(bytes), std::string(path));
        ++icons;
    }
    EXPECT_GE(icons, 7);

    expectTakenAsTheLibraryTakesIt(kGrey, "grey");
    expectTakenAsTheLibraryTakesIt(kPalette, "palette");
    expectTakenAsTheLibraryTakesIt(kColour, "colour");
    platform::kvgc::Picture picture{5, 3, std::vector<std::uint32_t>(15, 0x80123456u)};
    expectTakenAsTheLibraryTakesIt(*platform::kvgc::encodePicture(picture, L".png"), "written by the library");

    // An ancillary chunk with a wrong checksum is passed over; so is a grey picture's palette.
    std::string text = chunk("tEXt", std::string("Comment\0x", 9));
    text[text.size() - 1] ^= 1;
    expectTakenAsTheLibraryTakesIt(kSignature + header(2, 2, 8, 0) + text + pixelData({0, 10, 20, 0, 30, 40}) + kEnd,
                                   "damaged ancillary chunk");
    expectTakenAsTheLibraryTakesIt(kSignature + header(2, 2, 8, 0) + chunk("PLTE", std::string(6, '\x7F')) +
                                       pixelData({0, 10, 20, 0, 30, 40}) + kEnd,
                                   "grey picture with a palette");
}

TEST(PngCheck, RefusesWhatTheLibraryRefuses) {
    std::string flippedHeader = kGrey;
    flippedHeader[kSignature.size() + 8 + 3] ^= 1;  // the width changes under its checksum
    const std::string greyBody = header(2, 2, 8, 0) + pixelData({0, 10, 20, 0, 30, 40});
    const std::vector<std::pair<std::string, std::string>> refused{
        {"empty", ""},
        {"signature only", kSignature},
        {"no signature", kGrey.substr(1)},
        {"damaged header", flippedHeader},
        {"zero width", kSignature + header(0, 2, 8, 0) + pixelData({0, 0}) + kEnd},
        {"depth the colour type lacks", kSignature + header(2, 2, 4, 2) + pixelData({0, 1, 0, 2}) + kEnd},
        {"data first", kSignature + pixelData({0, 10, 20}) + header(2, 2, 8, 0) + kEnd},
        {"no data", kSignature + header(2, 2, 8, 0) + kEnd},
        {"palette missing", kSignature + header(3, 1, 8, 3) + pixelData({0, 0, 1, 0}) + kEnd},
        {"palette cut", kSignature + header(3, 1, 8, 3) + chunk("PLTE", "\xFF\0\0\0") + pixelData({0, 0, 1, 0}) + kEnd},
        {"unknown critical chunk", kSignature + greyBody + chunk("QQQQ", "x") + kEnd},
        {"cut before the end", kGrey.substr(0, kGrey.size() - kEnd.size())},
        {"cut inside the data", kGrey.substr(0, kSignature.size() + 25 + 10)},
    };
    for (const auto& [what, bytes] : refused) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(checkedPngSize(bytes));
        EXPECT_FALSE(platform::kvgc::decodePictureWithLibrary(bytes, L".png"));
    }
}

}  // namespace png_check_test
