// The bundled sample is data the start-up reads: it must parse cleanly and hold what start-up
// looks up, or the tour and every start-up test would run on placeholders.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/kernel/accelerators.h"
#include "platform/kernel/ui/control.h"
#include "platform/textcore.h"

namespace platform::harness {
namespace {

TEST(HarnessSample, StringTableParsesCleanlyAndHoldsTheStartUpStrings) {
    Session session;
    const auto bytes = session.files().read(session.files().programFile(L"strings.tsv"));
    ASSERT_TRUE(bytes.has_value());
    std::vector<std::wstring> warnings;
    const auto table = platform::kernel::parseStringTable(*bytes, L"strings.tsv", &warnings);
    EXPECT_TRUE(warnings.empty()) << (warnings.empty() ? std::string() : platform::core::toUtf8(warnings[0]));
    for (UINT id : {13u, 14u, 994u, 996u, 999u, 1000u, 13654u, 13655u, 57344u}) {
        EXPECT_TRUE(table.contains(id)) << id;
    }
    // The crash-restore message takes exactly one path.
    const std::wstring message = table.at(13655);
    EXPECT_EQ(message.find(L"%s"), message.rfind(L"%"));
}

TEST(HarnessSample, AcceleratorTableParsesCleanlyAndHoldsTheFramesKeys) {
    Session session;
    const auto bytes = session.files().read(session.files().programFile(L"accelerators.tsv"));
    ASSERT_TRUE(bytes.has_value());
    std::vector<std::wstring> warnings;
    const auto tables = platform::kernel::parseAcceleratorTables(*bytes, L"accelerators.tsv", &warnings);
    EXPECT_TRUE(warnings.empty()) << (warnings.empty() ? std::string() : platform::core::toUtf8(warnings[0]));
    ASSERT_TRUE(tables.contains(1));
    std::vector<std::pair<WORD, WORD>> keys;
    for (const ACCEL& entry : tables.at(1)) keys.emplace_back(entry.key, entry.cmd);
    for (const auto& wanted : {std::pair<WORD, WORD>{'O', 1001}, {'S', 1029}, {'P', 1027}, {0x70, 57670}})
        EXPECT_NE(std::find(keys.begin(), keys.end(), wanted), keys.end()) << wanted.first << " " << wanted.second;
}

TEST(HarnessSample, RussianTableTranslatesEveryKeyTheShellShows) {
    Session session;
    Korvo::I18n::SetLanguage(L"Rus");
    for (const wchar_t* key : {L"panes.model_elements", L"panes.model_configurations", L"panels.ribbon", L"main_menu.file",
                               L"docs_menu.title", L"File not found", L"prompts.critical_error",
                               L"BackgroundTasks.ButtonGroup.PauseBtn.Hint", L"commands.tooltip_keyboard_call"})
        EXPECT_TRUE(Korvo::I18n::TryTranslate(key).has_value()) << platform::core::toUtf8(key);
    EXPECT_TRUE(session.takeFailures().empty());
}

TEST(HarnessSample, RussianTableTranslatesTheModuleMessages) {
    Session session;
    Korvo::I18n::SetLanguage(L"Rus");
    for (const wchar_t* key : {L"Incorrect version of \"%s\" (%u.%u.%u.%u)", L"Cannot load module \"%s\""}) {
        EXPECT_TRUE(Korvo::I18n::TryTranslate(key).has_value());
    }
    EXPECT_EQ(Korvo::I18n::FormatTranslation(L"Cannot load module \"%s\"", L"KVTEXT.dll"),
              CString(L"Не удалось загрузить модуль \"KVTEXT.dll\""));
    EXPECT_TRUE(session.takeFailures().empty());
}

}  // namespace
}  // namespace platform::harness
