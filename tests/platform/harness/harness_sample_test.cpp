// The bundled sample is data the start-up reads: it must parse cleanly and hold what start-up
// looks up, or the tour and every start-up test would run on placeholders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/text.h"
#include "platform/harness.h"
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
