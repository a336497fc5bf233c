#include <gtest/gtest.h>

#include <cwchar>
#include <unordered_set>

#include "platform/core/journal.h"
#include "platform/mfc.h"
#include "tests/platform/text/text_printers.h"

namespace {

TEST(TextCString, PositionsOutOfRangeAreSafe) {
    const CString s(L"abcabc");
    EXPECT_EQ(s.Find(L'c'), 2);
    EXPECT_EQ(s.Find(L'c', 3), 5);
    EXPECT_EQ(s.Find(L'c', 6), -1);
    EXPECT_EQ(s.Find(L'c', -1), -1);
    EXPECT_EQ(s.Find(L"bc", 2), 4);
    EXPECT_EQ(s.Find(L"bc", 100), -1);
    EXPECT_EQ(s.Find(L""), -1);
    EXPECT_EQ(s.ReverseFind(L'a'), 3);
    EXPECT_EQ(s.ReverseFind(L'z'), -1);
    EXPECT_EQ(CString().ReverseFind(L'a'), -1);
    EXPECT_EQ(s.FindOneOf(L"xyc"), 2);
    EXPECT_EQ(s.FindOneOf(L""), -1);

    EXPECT_EQ(s.Mid(4), L"bc");
    EXPECT_EQ(s.Mid(10), L"");
    EXPECT_EQ(s.Mid(-3, 2), L"ab");
    EXPECT_EQ(s.Mid(4, 100), L"bc");
    EXPECT_EQ(s.Mid(1, -1), L"");
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Left(100), L"abcabc");
    EXPECT_EQ(s.Right(2), L"bc");
    EXPECT_EQ(s.Right(100), L"abcabc");
    EXPECT_EQ(s.GetAt(99), L'\0');
    EXPECT_EQ(s[-1], L'\0');

    CString edit(L"abc");
    edit.SetAt(7, L'x');
    EXPECT_EQ(edit.Delete(99), 3);
    EXPECT_EQ(edit.Insert(99, L"de"), 5);
    EXPECT_EQ(edit.Insert(-4, L'_'), 6);
    EXPECT_EQ(edit, L"_abcde");
    EXPECT_EQ(edit.Delete(1, 100), 1);
    EXPECT_EQ(edit, L"_");
}

TEST(TextCString, TokenizeSkipsEmptyTokensAndEndsWithMinusOne) {
    const CString list(L";;alpha, beta;;gamma;");
    int position = 0;
    std::vector<CString> tokens;
    for (CString token = list.Tokenize(L";, ", position); position != -1; token = list.Tokenize(L";, ", position)) {
        tokens.push_back(token);
    }
    EXPECT_EQ(tokens, (std::vector<CString>{L"alpha", L"beta", L"gamma"}));
    position = 100;
    EXPECT_EQ(list.Tokenize(L";", position), L"");
    EXPECT_EQ(position, -1);
}

TEST(TextCString, ReplaceRemoveAndTrimReportWhatTheyChanged) {
    CString s(L"aaaa");
    EXPECT_EQ(s.Replace(L"aa", L"b"), 2);
    EXPECT_EQ(s, L"bb");
    EXPECT_EQ(s.Replace(L"", L"x"), 0);
    EXPECT_EQ(s.Replace(L"b", L"long"), 2);
    EXPECT_EQ(s, L"longlong");
    EXPECT_EQ(s.Replace(L'o', L'0'), 2);
    EXPECT_EQ(s.Remove(L'l'), 2);
    EXPECT_EQ(s, L"0ng0ng");
    EXPECT_EQ(s.Replace(L"zz", L"y"), 0);

    CString padded(L" \t value\r\n ");
    EXPECT_EQ(padded.Trim(), L"value");
    CString quoted(L"\"'x'\"");
    EXPECT_EQ(quoted.Trim(L"\"'"), L"x");
    CString slashes(L"\\\\path\\\\");
    EXPECT_EQ(slashes.TrimRight(L'\\'), L"\\\\path");
    EXPECT_EQ(slashes.TrimLeft(L'\\'), L"path");
    CString blank(L"   ");
    EXPECT_EQ(blank.Trim(), L"");
    EXPECT_EQ(CString(L"a.b.c").SpanExcluding(L"."), L"a");
    EXPECT_EQ(CString(L"123abc").SpanIncluding(L"0123456789"), L"123");
}

TEST(TextCString, CaseRulesUseTheFixedTables) {
    EXPECT_EQ(CString(L"$Материал2").CompareNoCase(L"$МАТЕРИАЛ2"), 0);
    EXPECT_EQ(CString(L"Ger").CompareNoCase(L"GER"), 0);
    EXPECT_GT(CString(L"Ger").Compare(L"GER"), 0);
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_GT(CString(L"abcd").CompareNoCase(L"ABC"), 0);
    CString mixed(L"Ёлка Straße");
    EXPECT_EQ(CString(mixed).MakeUpper(), L"ЁЛКА STRAßE");
    EXPECT_EQ(mixed.MakeLower(), L"ёлка straße");
    // Collation: letters first, then lower case before upper case.
    EXPECT_LT(CString(L"apple").Collate(L"Banana"), 0);
    EXPECT_LT(CString(L"abc").Collate(L"Abc"), 0);
    EXPECT_GT(CString(L"Abc").Collate(L"abc"), 0);
    EXPECT_EQ(CString(L"abc").Collate(L"abc"), 0);
}

TEST(TextCString, BuffersFormattingAndConcatenation) {
    CString s;
    wcscpy(s.GetBuffer(16), L"written");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 7);
    wchar_t* buffer = s.GetBufferSetLength(3);
    buffer[0] = L'W';
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, L"Wri");

    s.Format(L"%s has %d items", CString(L"List"), 3);
    EXPECT_EQ(s, L"List has 3 items");
    s.AppendFormat(L" (%.1f%%)", 12.5);
    EXPECT_EQ(s, L"List has 3 items (12.5%)");

    const CString joined = L"[" + CString(L"a") + L'b' + L"c" + CString(L'-', 2) + L"]";
    EXPECT_EQ(joined, L"[abc--]");
    EXPECT_TRUE(CString(L"x") == L"x");
    EXPECT_TRUE(L"x" == CString(L"x"));
    EXPECT_TRUE(CString(L"x") != L"y");
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_EQ(CString(nullptr), L"");
    EXPECT_EQ(CString(static_cast<const wchar_t*>(nullptr)), L"");
    EXPECT_EQ(CString("\xD0\x96"), L"Ж");
    EXPECT_EQ(std::wcslen(static_cast<LPCWSTR>(joined)), 7u);

    std::unordered_set<CString> set{CString(L"one"), CString(L"one"), CString(L"two")};
    EXPECT_EQ(set.size(), 2u);
}

TEST(TextCString, LoadStringGoesThroughTheInstalledTable) {
    platform::setStringLoader([](UINT id) -> std::optional<std::wstring> {
        if (id == 57344) return L"Korvo CAD";
        if (id == 100) return L"%s v%u";
        return std::nullopt;
    });
    CString s(L"previous");
    EXPECT_TRUE(s.LoadString(57344));
    EXPECT_EQ(s, L"Korvo CAD");
    EXPECT_FALSE(s.LoadString(41005));
    EXPECT_TRUE(s.IsEmpty());
    s.Format(100u, L"Kernel", 18u);
    EXPECT_EQ(s, L"Kernel v18");
    platform::setStringLoader(nullptr);
    EXPECT_FALSE(s.LoadString(57344));
}

TEST(TextCString, StringArrayGrowsAndRefusesBadIndexes) {
    CStringArray array;
    array.Add(L"first");
    array.SetAtGrow(3, L"fourth");
    ASSERT_EQ(array.GetSize(), 4);
    EXPECT_EQ(array[1], L"");
    EXPECT_EQ(array.GetAt(3), L"fourth");
    array.RemoveAt(1, 2);
    EXPECT_EQ(array.GetSize(), 2);
    EXPECT_TRUE(platform::core::takeFailures().empty());

    EXPECT_EQ(array.GetAt(5), L"");
    array.SetAt(-1, L"x");
    EXPECT_EQ(platform::core::takeFailures().size(), 2u);
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
}

}  // namespace
