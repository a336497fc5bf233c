#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/mfc.h"
#include "tests/platform/text/text_format_support.h"
#include "tests/platform/text/text_printers.h"

namespace {

using format_test::clean;
using platform::format;

TEST(TextFormat, IntegersHonourFlagsWidthAndPrecision) {
    EXPECT_EQ(clean(L"[%5d|%-5d|%05d|%+d|% d]", 42, 42, 42, 42, 42), L"[   42|42   |00042|+42| 42]");
    EXPECT_EQ(clean(L"[%.3d|%8.3d|%-+6d|%05d]", 7, -7, 7, -42), L"[007|    -007|+7    |-0042]");
    EXPECT_EQ(clean(L"[%.0d|%x|%X|%#x|%#X|%o|%#o|%#x]", 0, 255, 255, 255, 255, 8, 8, 0),
              L"[|ff|FF|0xff|0XFF|10|010|0]");
    // '0' is ignored with a precision or with '-'.
    EXPECT_EQ(clean(L"[%08.3d|%-08d]", 5, 5), L"[     005|5       ]");
}

TEST(TextFormat, IntegersPrintAtTheirOwnWidth) {
    EXPECT_EQ(clean(L"%u", -1), L"4294967295");
    EXPECT_EQ(clean(L"%x", -1), L"ffffffff");
    EXPECT_EQ(clean(L"%d", 0xFFFFFFFFu), L"-1");
    EXPECT_EQ(clean(L"%lld", std::int64_t{-9000000000}), L"-9000000000");
    EXPECT_EQ(clean(L"%I64u", std::numeric_limits<std::uint64_t>::max()), L"18446744073709551615");
    EXPECT_EQ(clean(L"%lld", std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808");
    EXPECT_EQ(clean(L"%zu %lu %ld", std::size_t{12}, DWORD{4000000000u}, LONG{-3}), L"12 4000000000 -3");
    // Length modifiers that narrow do narrow, as printf would.
    EXPECT_EQ(clean(L"%hd %hhu %I32x", 70000, 300, 0x23456789u), L"4464 44 23456789");
    EXPECT_EQ(clean(L"Initialized in %lld.%03lld ms", 12LL, 5LL), L"Initialized in 12.005 ms");
    EXPECT_EQ(clean(L"%d %d", true, 'A'), L"1 65");
    // Types narrower than int are promoted as variadic arguments are.
    EXPECT_EQ(clean(L"%d %u %hu %d", WORD{65535}, SHORT{-1}, SHORT{-1}, BYTE{200}), L"65535 4294967295 65535 200");
}

TEST(TextFormat, HandlesAndPointersPrintTheirValue) {
    const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x00010010));
    EXPECT_EQ(clean(L"%p", window), L"0000000000010010");
    EXPECT_EQ(clean(L"%p", nullptr), L"0000000000000000");
}

TEST(TextFormat, StarTakesWidthAndPrecisionFromArguments) {
    EXPECT_EQ(clean(L"[%*d]", 5, 42), L"[   42]");
    EXPECT_EQ(clean(L"[%*d]", -5, 42), L"[42   ]");
    EXPECT_EQ(clean(L"[%.*f]", 2, 3.14159), L"[3.14]");
    EXPECT_EQ(clean(L"[%*.*s]", 6, 3, L"abcdef"), L"[   abc]");
    EXPECT_EQ(clean(L"[%.*s]", -1, L"abc"), L"[abc]");
}

TEST(TextFormat, FloatingPointUsesTheCLocale) {
    EXPECT_EQ(clean(L"%f", 1.5), L"1.500000");
    EXPECT_EQ(clean(L"[%8.3f|%-8.1f|%08.2f|%+.1f]", 3.14159, 2.25, -1.5, 2.0), L"[   3.142|2.2     |-0001.50|+2.0]");
    EXPECT_EQ(clean(L"%.2e|%E", 12345.678, 0.5), L"1.23e+04|5.000000E-01");
    EXPECT_EQ(clean(L"%g|%g|%G|%g", 0.0001, 100000.0, 1e-10, 1234567.0), L"0.0001|100000|1E-10|1.23457e+06");
    EXPECT_EQ(clean(L"%.0f|%#.0f", 3.0, 3.0), L"3|3.");
    EXPECT_EQ(clean(L"%f|%5.1f|%F", INFINITY, -INFINITY, NAN), L"inf| -inf|NAN");
    EXPECT_EQ(clean(L"%.1f", 2.0f), L"2.0");
}

TEST(TextFormat, StringConversionsPrintTheArgumentsText) {
    const CString text(L"Korvo");
    const std::wstring wide = L"wide";
    EXPECT_EQ(clean(L"%s|%ls|%S|%ws", text, L"literal", "narrow", wide), L"Korvo|literal|narrow|wide");
    EXPECT_EQ(clean(L"%S|%hs", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", "\xD0\x9F"), L"Привет|П");
    EXPECT_EQ(clean(L"[%-7s|%7s|%.3s]", L"ab", L"ab", L"abcdef"), L"[ab     |     ab|abc]");
    const wchar_t* none = nullptr;
    EXPECT_EQ(clean(L"%s", none), L"(null)");
    EXPECT_EQ(clean(L"%c%C%hc%lc%wc%c|100%%", L'Ж', 'A', 'b', L'c', L'd', 0x44), L"ЖAbcdD|100%");
    EXPECT_EQ(clean(L"%3c|%-3c|", L'x', L'y'), L"  x|y  |");
}

TEST(TextFormat, NarrowFormatsGiveUtf8) {
    EXPECT_EQ(platform::format("%s=%d (%S)", "key", 7, L"Ключ"), "key=7 (\xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87)");
    // In a narrow format the plain conversions are narrow and the capital ones wide.
    EXPECT_EQ(platform::format("%s|%S|%hs|%ls|%c|%C", "a", L"b", "c", L"d", 'e', L'f'), "a|b|c|d|e|f");
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

TEST(TextFormat, ExtraArgumentsAreIgnored) { EXPECT_EQ(clean(L"%d", 1, 2, L"three"), L"1"); }

TEST(TextFormat, AConversionThatDoesNotFitIsMarkedAndReported) {
    struct Case {
        std::wstring output;
        const wchar_t* marker;
    };
    const Case cases[] = {
        {format(L"value %d!", L"text"), L"value %!d(string)!"},
        {format(L"%s", 5), L"%!s(int)"},
        {format(L"%f", 5), L"%!f(int)"},
        {format(L"%d", 2.5), L"%!d(double)"},
        {format(L"%d and %d", 1), L"1 and %!d(missing)"},
        {format(L"%s", CString(L"x"), 1) + format(L"%lld", CString(L"y")), L"x%!lld(CString)"},
        {format(L"%y", 1), L"%!y(bad conversion)"},
        {format(L"50%"), L"50%!(incomplete)"},
        {format(L"%*d", L"w", 1), L"%!*(string)"},
        {format(L"%p", L"text"), L"%!p(string)"},
    };
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].output, cases[i].marker);
    // The report names the marker and the whole format, so the faulty call can be found.
    EXPECT_NE(failures[0].find(L"%!d(string)"), std::wstring::npos);
    EXPECT_NE(failures[0].find(L"\"value %d!\""), std::wstring::npos);
}

TEST(TextFormat, CapturedArgumentsOutliveTheirSources) {
    platform::FormatArgs args;
    {
        const CString temporary(L"gone");
        args = platform::makeFormatArgs(temporary, std::wstring(L"also gone"), 3);
    }
    EXPECT_EQ(platform::formatV(std::wstring_view(L"%s, %s, %d"), args), L"gone, also gone, 3");
}

}  // namespace
