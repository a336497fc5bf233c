#include <gtest/gtest.h>

#include <string>
#include <unordered_set>

#include "platform/compression.h"
#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"
#include "tests/platform/text/text_printers.h"

namespace {

const wchar_t* const kFolder = L"C:\\Data";

std::wstring writeFile(const wchar_t* name, std::string_view bytes) {
    EXPECT_EQ(platform::files::createDirectories(kFolder), 0u);
    const std::wstring path = std::wstring(kFolder) + L"\\" + name;
    EXPECT_EQ(platform::files::writeAllAtomic(path, bytes), 0u);
    return path;
}

kvio::IniFile parse(const wchar_t* text) {
    kvio::IniFile ini;
    ini.LoadFromText(text, L"test.ini");
    return ini;
}

TEST(TextIniFile, AnEmptyValueIsReadAsEmptyOnlyAnAbsentKeyTakesTheDefault) {
    const auto ini = parse(L"[SETTINGS]\nCompany=\nSplash=\nMetric = 0\n");
    EXPECT_TRUE(ini.HasKey(L"SETTINGS", L"Company"));
    EXPECT_EQ(ini.GetString(L"SETTINGS", L"Company", L"Velmora"), L"");
    EXPECT_EQ(ini.GetString(L"SETTINGS", L"RegistryName", L"Korvo CAD 18.0"), L"Korvo CAD 18.0");
    EXPECT_EQ(ini.GetString(L"Other", L"Company", L"Velmora"), L"Velmora");
    // As the Windows profile functions read numbers: an empty value takes the default too.
    EXPECT_EQ(ini.GetInt(L"SETTINGS", L"Splash", 1), 1);
    EXPECT_EQ(ini.GetInt(L"SETTINGS", L"Metric", 1), 0);
    EXPECT_EQ(ini.GetInt(L"SETTINGS", L"Macros", 1), 1);
}

TEST(TextIniFile, SectionsAndKeysAreCaseInsensitiveAndTheFirstOccurrenceWins) {
    const auto ini = parse(
        L"[Settings]\n"
        L"Language=Ger\n"
        L"language=Rus\n"
        L"[ТЕКСТ]\n"
        L"Ключ=значение\n"
        L"[SETTINGS]\n"
        L"LANGUAGE=Eng\n"
        L"Extra=1\n");
    EXPECT_EQ(ini.GetString(L"SETTINGS", L"LANGUAGE"), L"Ger");
    EXPECT_EQ(ini.GetString(L"settings", L"language"), L"Ger");
    EXPECT_EQ(ini.GetString(L"текст", L"КЛЮЧ"), L"значение");
    // A repeated section adds its new keys to the first one.
    EXPECT_EQ(ini.GetInt(L"Settings", L"Extra"), 1);
    EXPECT_EQ(ini.GetSectionNames(), (std::vector<CString>{L"Settings", L"ТЕКСТ"}));
    EXPECT_EQ(ini.GetKeyNames(L"SETTINGS"), (std::vector<CString>{L"Language", L"Extra"}));
    EXPECT_TRUE(ini.HasSection(L"settings"));
    EXPECT_FALSE(ini.HasSection(L"Missing"));
    EXPECT_TRUE(ini.GetKeyNames(L"Missing").empty());
}

TEST(TextIniFile, ValuesAreReadAsTheWindowsProfileFunctionsReadThem) {
    const auto ini = parse(
        L"; comment\n"
        L"# another comment\n"
        L"[S]\n"
        L"  Padded  =   value with spaces   \r\n"
        L"Quoted=\"  kept  \"\n"
        L"Single='x'\n"
        L"Half=\"open\n"
        L"Path=C:\\Program Files\\a=b.ini\n"
        L"Number=12abc\n"
        L"Hex=0x10\n"
        L"Negative=-5\n"
        L"Plus=+7\n"
        L"Text=abc\n"
        L"Huge=99999999999\n");
    EXPECT_EQ(ini.GetString(L"S", L"Padded"), L"value with spaces");
    EXPECT_EQ(ini.GetString(L"S", L"Quoted"), L"  kept  ");
    EXPECT_EQ(ini.GetString(L"S", L"Single"), L"x");
    EXPECT_EQ(ini.GetString(L"S", L"Half"), L"\"open");
    EXPECT_EQ(ini.GetString(L"S", L"Path"), L"C:\\Program Files\\a=b.ini");
    EXPECT_EQ(ini.GetInt(L"S", L"Number", 9), 12);
    EXPECT_EQ(ini.GetInt(L"S", L"Hex", 9), 0);
    EXPECT_EQ(ini.GetInt(L"S", L"Negative", 9), -5);
    EXPECT_EQ(ini.GetInt(L"S", L"Plus", 9), 7);
    EXPECT_EQ(ini.GetInt(L"S", L"Text", 9), 0);
    EXPECT_EQ(ini.GetInt(L"S", L"Huge", 9), static_cast<int>(99999999999LL & 0xFFFFFFFF));
    EXPECT_TRUE(platform::core::journal().texts("warning").empty());
}

TEST(TextIniFile, ABadLineIsReportedWithFileAndLineAndTheRestIsRead) {
    const std::wstring path = writeFile(L"Korvo.ini", "[SETTINGS]\nCompany=Velmora\nthis is not a setting\n=orphan\n"
                                                      "[Broken\nKey=in broken\n[SETTINGS]\nRegistryName=Korvo\n");
    kvio::IniFile ini;
    ASSERT_TRUE(ini.Load(path.c_str()));
    EXPECT_EQ(ini.GetString(L"SETTINGS", L"Company"), L"Velmora");
    EXPECT_EQ(ini.GetString(L"SETTINGS", L"RegistryName"), L"Korvo");
    // An unterminated header still opens its section, so its keys do not land in the one before.
    EXPECT_EQ(ini.GetString(L"Broken", L"Key"), L"in broken");
    EXPECT_FALSE(ini.HasKey(L"SETTINGS", L"Key"));

    const auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 4u);
    EXPECT_EQ(warnings[0], L"C:\\Data\\Korvo.ini(3): line is not a section, a key=value pair or a comment, ignored: "
                           L"\"this is not a setting\"");
    EXPECT_NE(warnings[1].find(L"Korvo.ini(4): key name missing"), std::wstring::npos);
    EXPECT_NE(warnings[2].find(L"Korvo.ini(5): section header without ']'"), std::wstring::npos);
    EXPECT_NE(warnings[3].find(L"Korvo.ini(7): section repeated"), std::wstring::npos);
}

TEST(TextIniFile, KeysBeforeAnySectionAreReportedAndIgnored) {
    const auto ini = parse(L"Loose=1\n[S]\nKey=2\n");
    EXPECT_EQ(ini.GetInt(L"S", L"Key"), 2);
    EXPECT_EQ(ini.GetSectionNames().size(), 1u);
    const auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(L"test.ini(1): key outside any section"), std::wstring::npos);
}

TEST(TextIniFile, EncodingsFollowTheByteOrderMark) {
    const std::wstring text = L"[Тест]\r\nИмя=Значение\r\n";
    std::string utf16be;
    for (const char c : platform::core::toUtf16Le(text)) utf16be += c;
    for (std::size_t i = 0; i + 1 < utf16be.size(); i += 2) std::swap(utf16be[i], utf16be[i + 1]);

    const std::wstring paths[] = {
        writeFile(L"utf8bom.ini", "\xEF\xBB\xBF" + platform::core::toUtf8(text)),
        writeFile(L"utf8.ini", platform::core::toUtf8(text)),
        writeFile(L"utf16le.ini", "\xFF\xFE" + platform::core::toUtf16Le(text)),
        writeFile(L"utf16be.ini", "\xFE\xFF" + utf16be),
    };
    for (const auto& path : paths) {
        kvio::IniFile ini;
        ASSERT_TRUE(ini.Load(path.c_str())) << platform::core::toUtf8(path);
        EXPECT_EQ(ini.GetString(L"тест", L"имя"), L"Значение") << platform::core::toUtf8(path);
    }
    // Without a mark, bytes that are not UTF-8 are Windows-1252.
    kvio::IniFile legacy;
    ASSERT_TRUE(legacy.Load(writeFile(L"legacy.ini", "[S]\nName=Caf\xE9 \x80\n").c_str()));
    EXPECT_EQ(legacy.GetString(L"S", L"Name"), L"Café €");
}

TEST(TextIniFile, AMissingFileLoadsNothing) {
    kvio::IniFile ini;
    EXPECT_FALSE(ini.Load(L"C:\\Nowhere\\missing.ini"));
    EXPECT_FALSE(ini.IsLoaded());
    EXPECT_EQ(ini.GetString(L"S", L"K", L"default"), L"default");
    EXPECT_EQ(ini.GetInt(L"S", L"K", 5), 5);
}

TEST(TextPaths, ProgramPathsResolveRelativeNamesOnly) {
    const CString folder = platform::core::config().programFolder.c_str();
    EXPECT_EQ(KVGetProgramPath(), folder);
    EXPECT_EQ(KVAppendProgramPath(L"TextBrowsers.ini"), folder + L"\\TextBrowsers.ini");
    EXPECT_EQ(KVAppendProgramPath(L".\\UserIcons\\a.ico", 0, true), folder + L"\\UserIcons\\a.ico");
    EXPECT_EQ(KVAppendProgramPath(L"D:\\States\\default.xml"), L"D:\\States\\default.xml");
    EXPECT_EQ(KVAppendProgramPath(L"\\\\server\\share\\x.ini"), L"\\\\server\\share\\x.ini");
    EXPECT_EQ(KVAppendProgramPath(L"\\rooted.ini"), L"\\rooted.ini");
}

TEST(TextPaths, ExtensionsComeFromTheFileNameOnly) {
    EXPECT_EQ(Korvo::GetFileExtension(L"C:\\Work\\part.grb"), L".grb");
    EXPECT_EQ(Korvo::GetFileExtension(L"C:\\Work.d\\part"), L"");
    EXPECT_EQ(Korvo::GetFileExtension(L"archive.tar.GZ"), L".GZ");
    EXPECT_EQ(Korvo::GetFileExtension(L"C:name.txt"), L".txt");
    EXPECT_EQ(Korvo::GetFileExtension(nullptr), L"");
    EXPECT_EQ(kvio::FileNamePart(L"C:\\a/b\\c.txt"), L"c.txt");
    EXPECT_TRUE(kvio::IsRelativePath(L"a\\b"));
    EXPECT_FALSE(kvio::IsRelativePath(L"c:\\a"));
    EXPECT_EQ(kvio::JoinPath(L"C:\\", L"\\x"), L"C:\\x");
}

TEST(TextPaths, SharedPathNamesCompareAndHashIgnoringCase) {
    const SharedPathName a(L"C:\\Work\\Деталь.grb");
    const SharedPathName b(CString(L"c:\\WORK\\деталь.GRB"));
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a < b || b < a);
    EXPECT_EQ(std::hash<SharedPathName>{}(a), std::hash<SharedPathName>{}(b));
    std::unordered_set<SharedPathName> set{a, b, SharedPathName(L"C:\\Other.grb")};
    EXPECT_EQ(set.size(), 2u);
    EXPECT_TRUE(SharedPathName().IsNull());
    EXPECT_EQ(a.GetPath(), L"C:\\Work\\Деталь.grb");
}

TEST(TextPaths, FlagsCacheBlocksNest) {
    EXPECT_EQ(SharedPathNameFlagsCacheBlock::Depth(), 0);
    {
        SharedPathNameFlagsCacheBlock outer;
        {
            SharedPathNameFlagsCacheBlock inner;
            EXPECT_EQ(SharedPathNameFlagsCacheBlock::Depth(), 2);
        }
        EXPECT_EQ(SharedPathNameFlagsCacheBlock::Depth(), 1);
    }
    EXPECT_EQ(SharedPathNameFlagsCacheBlock::Depth(), 0);
}

}  // namespace
