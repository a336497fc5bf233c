// The kernel's form-factor files: sets read with their numbers and texts told apart, and a bad
// line refused as a whole with its file and line named; the resizable dialog's anchors.
#include <gtest/gtest.h>

#include "platform/harness.h"
#include "platform/kernel.h"
#include "tests/support/session_test.h"

namespace {

using Korvo::XmlDB::FormFactor::FormFactorSet;
using Korvo::XmlDB::FormFactor::ParseFormFactors;

TEST(MakerFormFactors, SetsKeepTheirOrderAndTellNumbersFromTexts) {
    const auto parsed = ParseFormFactors(
        "\xEF\xBB\xBF# sizes\r\n[Thin]\r\nThickness = 2\r\nMaterial = \"Steel 20\"\r\n\r\n; next\r\n[ Thick ]\r\n"
        "Thickness=-5.5e0\r\nNote = \"\"\r\n",
        L"a.kff");
    ASSERT_TRUE(std::holds_alternative<std::vector<FormFactorSet>>(parsed)) << std::get<std::wstring>(parsed);
    const auto& sets = std::get<std::vector<FormFactorSet>>(parsed);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].name, CString(L"Thin"));
    EXPECT_EQ(sets[1].name, CString(L"Thick"));
    ASSERT_EQ(sets[0].values.size(), 2u);
    EXPECT_TRUE(sets[0].values[0].second.IsNumeric());
    EXPECT_EQ(sets[0].values[0].second.GetNumber(), 2.0);
    EXPECT_FALSE(sets[0].values[1].second.IsNumeric());
    EXPECT_EQ(sets[0].values[1].second.GetString(), CString(L"Steel 20"));
    EXPECT_EQ(sets[1].values[0].second.GetNumber(), -5.5);
    EXPECT_EQ(sets[1].values[1].second.GetString(), CString());
    // An empty file has no form factors, and that is no fault.
    EXPECT_TRUE(std::get<std::vector<FormFactorSet>>(ParseFormFactors("", L"e.kff")).empty());
}

TEST(MakerFormFactors, ABadLineRefusesTheFileNamingFileAndLine) {
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"Thickness = 2\n", L"f.kff(1): a variable before the first form factor"},
        {"[A]\n[A]\n", L"f.kff(2): the form factor is named twice"},
        {"[A]\nx = 2\nx = 3\n", L"f.kff(3): the variable is given twice in this form factor"},
        {"[A]\nx = 2mm\n", L"f.kff(2): a value must be a number or a text in double quotes"},
        {"[A]\nx = \"a\"b\"\n", L"f.kff(2): a text value holds a double quote"},
        {"[A]\nx = 1e999\n", L"f.kff(2): a value must be a number or a text in double quotes"},
        {"[A\n", L"f.kff(1): a form factor's name must end with ']'"},
        {"[ ]\n", L"f.kff(1): a form factor needs a name"},
        {"[A]\n= 2\n", L"f.kff(2): a variable needs a name"},
        {"[A]\njust text\n", L"f.kff(2): expected 'NAME = VALUE' or '[FORM FACTOR]'"},
    };
    for (const auto& [text, problem] : cases) {
        const auto parsed = ParseFormFactors(text, L"f.kff");
        ASSERT_TRUE(std::holds_alternative<std::wstring>(parsed)) << text;
        EXPECT_EQ(std::get<std::wstring>(parsed), problem) << text;
    }
    static constexpr char kWithNul[] = "[A]\nx = \"a\0b\"\n";
    EXPECT_TRUE(std::holds_alternative<std::wstring>(ParseFormFactors(std::string_view(kWithNul, sizeof kWithNul - 1), L"f.kff")));
}

class MakerResizeDialog : public platform::harness::SessionTest {
protected:
    platform::harness::Session session;
};

TEST_F(MakerResizeDialog, AnchoredControlsFollowTheirShareOfTheChange) {
    CXTPResizeDialog dialog(202);
    ASSERT_TRUE(dialog.Create(202, nullptr));
    RECT before{};
    ::GetWindowRect(::GetDlgItem(dialog.GetSafeHwnd(), 1033), &before);
    RECT ok{};
    ::GetWindowRect(::GetDlgItem(dialog.GetSafeHwnd(), IDOK), &ok);
    EXPECT_TRUE(dialog.SetResize(1033, XTP_RESIZEPOINT{0, 0}, XTP_RESIZEPOINT{1, 1}));
    EXPECT_TRUE(dialog.SetResize(IDOK, XTP_RESIZEPOINT{1, 1}, XTP_RESIZEPOINT{1, 1}));
    EXPECT_FALSE(dialog.SetResize(4242, XTP_RESIZEPOINT{}, XTP_RESIZEPOINT{}));
    RECT window{};
    ::GetWindowRect(dialog.GetSafeHwnd(), &window);
    ::MoveWindow(dialog.GetSafeHwnd(), window.left, window.top, window.right - window.left + 40,
                 window.bottom - window.top + 30, TRUE);
    RECT after{};
    ::GetWindowRect(::GetDlgItem(dialog.GetSafeHwnd(), 1033), &after);
    EXPECT_EQ(after.left - before.left, 0);
    EXPECT_EQ((after.right - after.left) - (before.right - before.left), 40);
    EXPECT_EQ((after.bottom - after.top) - (before.bottom - before.top), 30);
    RECT movedOk{};
    ::GetWindowRect(::GetDlgItem(dialog.GetSafeHwnd(), IDOK), &movedOk);
    EXPECT_EQ(movedOk.left - ok.left, 40);
    EXPECT_EQ(movedOk.top - ok.top, 30);
    EXPECT_EQ(movedOk.right - movedOk.left, ok.right - ok.left);
    dialog.DestroyWindow();
}

}  // namespace
