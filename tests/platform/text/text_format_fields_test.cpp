#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/mfc.h"
#include "tests/platform/text/text_format_support.h"
#include "tests/platform/text/text_printers.h"

namespace {

using format_test::clean;
using format_test::refused;
using platform::format;

TEST(TextFormatFields, EachLengthReadsTheArgumentSizeWindowsGivesIt) {
    const std::int64_t big = -9000000000;
    const std::uint64_t huge = 0x123456789ABCDEFull;
    EXPECT_EQ(clean(L"%lld|%llu|%I64d|%I64u|%I64x|%I64X", big, huge, big, huge, huge, huge),
              L"-9000000000|81985529216486895|-9000000000|81985529216486895|123456789abcdef|123456789ABCDEF");
    EXPECT_EQ(clean(L"%zd|%zu|%Iu|%Id|%jd|%td", std::ptrdiff_t{-2}, std::size_t{3}, std::size_t{4}, INT_PTR{-5},
                    std::intmax_t{6}, std::ptrdiff_t{7}),
              L"-2|3|4|-5|6|7");
    // long is 32 bits on Windows: %ld and %lx take a LONG or a DWORD.
    EXPECT_EQ(clean(L"%ld|%lu|%lx|%I32d", LONG{-1}, DWORD{4000000000u}, ULONG{255}, INT{9}), L"-1|4000000000|ff|9");
    EXPECT_EQ(clean(L"%f|%lf|%Lf|%e", 1.5, 1.5, 1.5, 0.25f), L"1.500000|1.500000|1.500000|2.500000e-01");

    // A value of the wrong size is refused, visibly, whichever way round.
    EXPECT_EQ(refused(L"took %d ms", big), L"took %!d(int64) ms");
    EXPECT_EQ(refused(L"%u items", std::size_t{3}), L"%!u(uint64) items");
    EXPECT_EQ(refused(L"%x", huge), L"%!x(uint64)");
    EXPECT_EQ(refused(L"%ld", big), L"%!ld(int64)");
    EXPECT_EQ(refused(L"%lld", 5), L"%!lld(int)");
    EXPECT_EQ(refused(L"%I64u", DWORD{5}), L"%!I64u(uint)");
    EXPECT_EQ(refused(L"%zu", 5u), L"%!zu(uint)");
    EXPECT_EQ(refused(L"%I32x", huge), L"%!I32x(uint64)");
    EXPECT_EQ(refused(L"%*d", std::size_t{4}, 1), L"%!*(uint64)");
    // Handles are pointers: %p, never an integer conversion; and %p takes nothing else.
    const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10010));
    EXPECT_EQ(refused(L"0x%08x", window), L"0x%!x(pointer)");
    EXPECT_EQ(refused(L"%p", std::uintptr_t{16}), L"%!p(uint64)");
    // Lengths that mean nothing for a conversion.
    EXPECT_EQ(refused(L"%Ld", 1), L"%!Ld(bad conversion)");
    EXPECT_EQ(refused(L"%lp", window), L"%!lp(bad conversion)");
    EXPECT_EQ(refused(L"%lls", L"x"), L"%!lls(bad conversion)");
    EXPECT_EQ(refused(L"%hf", 1.0), L"%!hf(bad conversion)");
    // The arguments after a refused one still line up with their conversions.
    EXPECT_EQ(refused(L"%d|%s|%d", big, L"next", 7), L"%!d(int64)|next|7");
}

TEST(TextFormatFields, StringsAndCharactersAreNarrowOrWideAsTheirFieldSays) {
    const CString text(L"Korvo");
    EXPECT_EQ(clean(L"%s|%S|%hs|%ls|%ws|%hS|%lS", text, "n1", "n2", L"w1", L"w2", "n3", L"w3"),
              L"Korvo|n1|n2|w1|w2|n3|w3");
    EXPECT_EQ(clean(L"%c|%C|%hc|%lc|%wc|%c|%C", L'a', 'b', 'c', L'd', L'e', 0x46, 0x47), L"a|b|c|d|e|F|G");

    EXPECT_EQ(refused(L"%s", "narrow"), L"%!s(string)");
    EXPECT_EQ(refused(L"%S", text), L"%!S(CString)");
    EXPECT_EQ(refused(L"%hs", L"wide"), L"%!hs(string)");
    EXPECT_EQ(refused(L"%ls", "narrow"), L"%!ls(string)");
    EXPECT_EQ(refused(L"%c", 'n'), L"%!c(char)");
    EXPECT_EQ(refused(L"%C", L'w'), L"%!C(wchar_t)");
    EXPECT_EQ(refused(L"%hc", L'w'), L"%!hc(wchar_t)");
    EXPECT_EQ(refused(L"%lc", 'n'), L"%!lc(char)");
    EXPECT_EQ(refused(L"%c", 1.0), L"%!c(double)");

    // A narrow format swaps the plain and capital fields; h, l and w keep their meaning.
    EXPECT_EQ(format("%s|%S|%c|%C|%hs|%ws", "a", L"b", 'c', L'd', "e", L"f"), "a|b|c|d|e|f");
    EXPECT_TRUE(platform::core::takeFailures().empty());
    EXPECT_EQ(format("%s", L"wide"), "%!s(string)");
    EXPECT_EQ(format("%C", 'c'), "%!C(char)");
    EXPECT_EQ(platform::core::takeFailures().size(), 2u);
}

TEST(TextFormatFields, FloatingPointIsExactAtAnyPrecision) {
    const std::wstring point5 = L"1.5";
    EXPECT_EQ(clean(L"%.511f", 1.5), point5 + std::wstring(510, L'0'));
    EXPECT_EQ(clean(L"%.600f", 1.5), point5 + std::wstring(599, L'0'));
    EXPECT_EQ(clean(L"%.1200e", 1.5), point5 + std::wstring(1199, L'0') + L"e+00");
    EXPECT_EQ(clean(L"%#.700g", 1.5), point5 + std::wstring(698, L'0'));
    EXPECT_EQ(clean(L"%.700g", 0.1), L"0.1000000000000000055511151231257827021181583404541015625");
    EXPECT_EQ(clean(L"%.60f", 0.1), L"0.100000000000000005551115123125782702118158340454101562500000");

    // The largest magnitude, and the smallest whose 751 significant digits end the expansion.
    const std::wstring large = clean(L"%.3000f", 1e300);
    ASSERT_EQ(large.size(), 301u + 1u + 3000u);
    EXPECT_TRUE(large.starts_with(L"1000000000000000052504760255204420248704"));
    EXPECT_EQ(large.find_first_not_of(L'0', 302), std::wstring::npos);
    const std::wstring tiny = clean(L"%.760e", 5e-324);
    EXPECT_TRUE(tiny.starts_with(L"4.94065645841246544176568792868221372365059802614324764425585"));
    EXPECT_TRUE(tiny.ends_with(L"334472656250000000000e-324"));
    const std::wstring tinier = clean(L"%.2000e", 5e-324);
    EXPECT_EQ(tinier, tiny.substr(0, tiny.size() - 5) + std::wstring(2000 - 760, L'0') + L"e-324");

    // Hexadecimal, with the runtime's 13 digits unless a precision says otherwise.
    EXPECT_EQ(clean(L"%a|%A|%a|%a", 1.0, -0.5, 0.0, 5e-324),
              L"0x1.0000000000000p+0|-0X1.0000000000000P-1|0x0.0000000000000p+0|0x0.0000000000001p-1022");
    EXPECT_EQ(clean(L"%.1a|%.0a|%.0a|%#.0a|%.2a", 1.0, 1.5, 2.5, 1.0, 1.999), L"0x1.0p+0|0x2p+0|0x1p+1|0x1.p+0|0x2.00p+0");
    EXPECT_EQ(clean(L"%.16a|%012.1a", 1.0, 3.0), L"0x1.0000000000000000p+0|0x00001.8p+1");
}

TEST(TextFormatFields, WidthsAndPrecisionsAreBoundedWhereverTheyComeFrom) {
    // Within the bound, printed in full.
    EXPECT_EQ(clean(L"%100000d", 7).size(), 100000u);
    EXPECT_EQ(clean(L"%*d", -100000, 7), L"7" + std::wstring(99999, L' '));
    const std::wstring widest = clean(L"%.100000f", 1e308);
    EXPECT_EQ(widest.size(), 309u + 1u + 100000u);
    EXPECT_EQ(widest.find_first_not_of(L"0123456789."), std::wstring::npos);

    // Beyond it, refused; the argument is still used up so the next conversion lines up.
    EXPECT_EQ(refused(L"%99999999d|%d", 1, 2), L"%!d(width over 100000)|2");
    EXPECT_EQ(refused(L"%.99999999999999999999f|%d", 1.0, 2), L"%!f(precision over 100000)|2");
    EXPECT_EQ(refused(L"%*d|%d", 100001, 1, 2), L"%!d(width over 100000)|2");
    EXPECT_EQ(refused(L"%*d|%d", INT_MIN, 1, 2), L"%!d(width over 100000)|2");
    EXPECT_EQ(refused(L"%.*s|%d", INT_MAX, L"x", 2), L"%!s(precision over 100000)|2");
    // A negative precision from an argument is no precision at all.
    EXPECT_EQ(clean(L"%.*f", INT_MIN, 0.5), L"0.500000");
}

}  // namespace
