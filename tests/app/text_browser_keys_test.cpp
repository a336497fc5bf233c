// The hot keys of the text browsers as the kernel's menu shows them, named as the kernel names
// keys: letters and digits by themselves, F1 to F24 and the edit keys by name, every other key by
// its code; each range at its ends and the first key beyond each end.
#include <map>

#include "app/kvw32_app.h"
#include "tests/app/app_test_support.h"
#include "tests/support/table_check.h"

namespace {

using namespace platform::harness;

class TextBrowserKeys : public SessionTest {};

TEST_F(TextBrowserKeys, MenuTextsNameEachKeyRangeToItsEnds) {
    const std::vector<tablecheck::Row<unsigned, std::wstring>> keys = {
        {0x1B, L"Esc"},    {0x2E, L"Delete"}, {0x2F, L"Key 47"}, {0x30, L"0"},      {0x39, L"9"},
        {0x3A, L"Key 58"}, {0x40, L"Key 64"}, {0x41, L"A"},      {0x5A, L"Z"},      {0x5B, L"Key 91"},
        {0x6F, L"Key 111"}, {0x70, L"F1"},    {0x87, L"F24"},    {0x88, L"Key 136"},
    };
    std::wstring ini;
    for (const auto& key : keys) {
        const std::wstring code = std::to_wstring(key.key);
        ini += L"[B" + code + L"]\nDLL=B" + code + L".dll\nChar=" + code + L"\nText=" + code + L"\n";
    }
    Session s;
    s.files().writeIni(L"TextBrowsers.ini", ini);
    s.start();
    ASSERT_EQ(s.startResult(), 1);

    CStringArray texts;
    KorvoServerAppProxy::Instance()->GetTextBrowserMenuTexts(texts, false);  // uncut: every browser
    std::map<unsigned, std::wstring> shown;
    for (int i = 0; i < texts.GetSize(); ++i) {
        const std::wstring text(texts[i]);
        const std::size_t tab = text.find(L'\t');
        ASSERT_NE(tab, std::wstring::npos) << apptest::Utf8(text);
        shown[static_cast<unsigned>(std::stoul(text.substr(0, tab)))] = text.substr(tab + 1);
    }
    tablecheck::ExpectRows("hot-key names", keys, [&](unsigned key) { return shown[key]; });
}

}  // namespace
