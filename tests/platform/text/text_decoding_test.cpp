// Decoding the bytes of text files: UTF-8 with its two-byte characters taken on their own short
// way and everything else on the general one, and the split into lines at every kind of break.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/compression/text_decoding.h"
#include "platform/core/text.h"

namespace {

using platform::core::fromUtf8;

TEST(TextDecoding, TwoByteCharactersAndWhatOnlyLooksLikeThem) {
    // Cyrillic, accented Latin and the lowest and highest two-byte characters, among ASCII.
    EXPECT_EQ(fromUtf8("\xD0\x9A\xD0\xBE\xD1\x80\xD0\xB2\xD0\xBE"), L"\u041A\u043E\u0440\u0432\u043E");
    EXPECT_EQ(fromUtf8("caf\xC3\xA9 \xC2\x80\xDF\xBF!"), L"caf\u00E9 " + std::wstring(1, wchar_t{0x80}) + L"\u07FF!");
    // Three and four bytes still go the general way.
    EXPECT_EQ(fromUtf8("\xE2\x82\xAC \xF0\x9F\x98\x80"), std::wstring(L"\u20AC ") + static_cast<wchar_t>(0x1F600));
    // Overlong forms (lead bytes 0xC0 and 0xC1) are not characters: each byte is read as
    // Windows-1252, as is a lead byte without its continuation or at the very end.
    EXPECT_EQ(fromUtf8("\xC0\x80"), L"\u00C0\u20AC");
    EXPECT_EQ(fromUtf8("\xC1\xBF"), L"\u00C1\u00BF");
    EXPECT_EQ(fromUtf8("\xD0" "A"), L"\u00D0A");
    EXPECT_EQ(fromUtf8("\xD0\xD0\x9A"), L"\u00D0\u041A");
    EXPECT_EQ(fromUtf8("end\xD0"), L"end\u00D0");
    EXPECT_EQ(fromUtf8(""), L"");
}

TEST(TextDecoding, LinesEndAtEveryKindOfBreak) {
    using Lines = std::vector<std::wstring_view>;
    using platform::compression::splitLines;
    EXPECT_EQ(splitLines(L"one\ntwo\r\nthree\rfour"), (Lines{L"one", L"two", L"three", L"four"}));
    // A final break ends the last line and starts none; blank lines stay, "\n\r" is two breaks.
    EXPECT_EQ(splitLines(L"a\n\nb\n"), (Lines{L"a", L"", L"b"}));
    EXPECT_EQ(splitLines(L"a\n\rb"), (Lines{L"a", L"", L"b"}));
    EXPECT_EQ(splitLines(L"\r\n\r\n"), (Lines{L"", L""}));
    EXPECT_EQ(splitLines(L"last\r"), (Lines{L"last"}));
    EXPECT_TRUE(splitLines(L"").empty());
    // Characters above the breaks but below the space are text.
    EXPECT_EQ(splitLines(L"tab\there\x0Bvt\x0C"), (Lines{L"tab\there\x0Bvt\x0C"}));
}

}  // namespace
