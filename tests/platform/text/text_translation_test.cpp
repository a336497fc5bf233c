#include <gtest/gtest.h>

#include "platform/compression.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/textcore.h"
#include "platform/win32/files/file.h"
#include "tests/platform/text/text_printers.h"

namespace {

void writeTable(const wchar_t* language, const std::string& text) {
    const CString folder = KVAppendProgramPath(L"i18n");
    ASSERT_EQ(platform::files::createDirectories(folder.view()), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic((folder + L"\\" + language + L".tsv").view(), text), 0u);
}

TEST(TextTranslation, TranslatesFromTheLanguagesTableAndFallsBackToTheKey) {
    writeTable(L"Rus",
               "# UI texts\n"
               "prompts.critical_error\t\xD0\x9A\xD1\x80\xD0\xB8\xD1\x82\xD0\xB8\xD1\x87\xD0\xB5\xD1\x81\xD0\xBA\xD0\xB0\xD1\x8F "
               "\xD0\xBE\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0\r\n"
               "File not found\tFile is missing\n"
               "escapes\tone\\ttwo\\nthree\\\\four C:\\Work\n"
               "empty\t\n"
               "File not found\tsecond text is ignored\n"
               "key\\twith a tab\tends in a backslash\\\n"
               "mixed\t\\q\\n\\\\\\x\n");
    Korvo::I18n::SetLanguage(L"Rus");
    EXPECT_EQ(Korvo::I18n::Translate(L"prompts.critical_error"), L"Критическая ошибка");
    EXPECT_EQ(Korvo::I18n::Translate(L"File not found"), L"File is missing");
    EXPECT_EQ(Korvo::I18n::Translate(L"escapes"), L"one\ttwo\nthree\\four C:\\Work");
    EXPECT_EQ(Korvo::I18n::Translate(L"no.such.key"), L"no.such.key");
    // Keys are unescaped as texts are; a backslash before anything else, or last, stays.
    EXPECT_EQ(Korvo::I18n::Translate(L"key\twith a tab"), L"ends in a backslash\\");
    EXPECT_EQ(Korvo::I18n::Translate(L"mixed"), L"\\q\n\\\\x");

    CString text(L"unchanged");
    EXPECT_FALSE(Korvo::I18n::TryTranslate(L"no.such.key", text));
    EXPECT_EQ(text, L"unchanged");
    EXPECT_FALSE(Korvo::I18n::TryTranslate(L"no.such.key").has_value());
    // A key with an empty text is present: it translates to the empty string.
    ASSERT_TRUE(Korvo::I18n::TryTranslate(L"empty", text));
    EXPECT_EQ(text, L"");

    const auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(L"Rus.tsv(6): key \"File not found\" repeated"), std::wstring::npos);
}

TEST(TextTranslation, FormatTranslationUsesTheTextAsFormat) {
    writeTable(L"Eng", "Incorrect version of \"%s\" (%u.%u.%u.%u)\tModule \"%s\" has version %u.%u.%u.%u\n");
    Korvo::I18n::SetLanguage(L"Eng");
    EXPECT_EQ(Korvo::I18n::FormatTranslation(L"Incorrect version of \"%s\" (%u.%u.%u.%u)", L"KV3DSE.dll", 18u, 0u,
                                             20u, 1u),
              L"Module \"KV3DSE.dll\" has version 18.0.20.1");
    // Without an entry the key itself is the format.
    EXPECT_EQ(Korvo::I18n::FormatTranslation(L"icon_sizes.%u", 24u), L"icon_sizes.24");
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

TEST(TextTranslation, ChangingTheLanguageReloadsAndAMissingTableIsReported) {
    writeTable(L"Rus", "greeting\tПривет\n");
    writeTable(L"Ger", "greeting\tHallo\n");
    Korvo::I18n::SetLanguage(L"Rus");
    EXPECT_EQ(Korvo::I18n::Translate(L"greeting"), L"Привет");
    Korvo::I18n::SetLanguage(L"Ger");
    EXPECT_EQ(Korvo::I18n::GetLanguage(), L"Ger");
    EXPECT_EQ(Korvo::I18n::Translate(L"greeting"), L"Hallo");
    Korvo::I18n::SetLanguage(L"Fra");
    EXPECT_EQ(Korvo::I18n::Translate(L"greeting"), L"greeting");
    const auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(L"i18n\\Fra.tsv not found"), std::wstring::npos);
}

}  // namespace
