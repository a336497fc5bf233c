// What a parameter edit asks of the kernel: its value list and the list button that opens it,
// the insert-variable dialog, the text modules and the angle notation, on a running program.
#include <gtest/gtest.h>

#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "platform/core/journal.h"
#include "platform/kernel.h"
#include "platform/mfc/framework_state.h"
#include "syspanel/parameter_controls.h"
#include "syspanel/sys_panel_toolbar.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using kveval::NumberParameter;

constexpr unsigned kLevel = 907;
constexpr unsigned kFontSize = 915;

TEST(EditValueList, IsAskedOnlyWithBothKeys) {
    platform::harness::Session s;
    EXPECT_EQ(LoadEditValueList(1016, 1023).GetSize(), 16);
    EXPECT_TRUE(LoadEditValueList(1016, -1).IsEmpty());
    EXPECT_TRUE(LoadEditValueList(0, 1023).IsEmpty());
    EXPECT_TRUE(LoadEditValueList(-1, -1).IsEmpty());
}

class EditServices : public syspaneltest::FrameTest {
protected:
    void SetUp() override {
        s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
        FrameTest::SetUp();
        document = openDocument(window, L"C:\\Work\\a.grb");
        ASSERT_NE(document, nullptr);
        ASSERT_TRUE(frame->SetSyspanelControls({{kLevel, 0, 0}, {kFontSize, 0, 0}}));
        frame->EnableSyspanelControl(kLevel, true);
        frame->EnableSyspanelControl(kFontSize, true);
        fontSize = ribbonEdit(kFontSize);
        level = ribbonEdit(kLevel);
        ASSERT_NE(fontSize, nullptr);
        ASSERT_NE(level, nullptr);
    }

    double numberOf(const std::optional<kveval::VariantParameter>& value) {
        return value && value->Get<NumberParameter>() ? value->Get<NumberParameter>()->value : -1.0;
    }

    CKvw32Doc* document = nullptr;
    CSyspanelEdit* fontSize = nullptr;
    CSyspanelEdit* level = nullptr;
};

TEST_F(EditServices, APickFromTheListButtonsMenuGoesToTheSelectionOrTheDefaults) {
    // Only the ribbon's font-size edit has the keys of a list.
    auto* panelFontSize = dynamic_cast<CSyspanelEdit*>(frame->GetSysPanelToolbar()->FindRegisteredControl(kFontSize));
    EXPECT_TRUE(!panelFontSize->GetSyspanelEditCtrl() || panelFontSize->GetSyspanelEditCtrl()->GetValueList().IsEmpty());
    const int a = s.kernel().addObject(document), b = s.kernel().addObject(document);
    s.kernel().select(document, {a, b});
    fontSize->SetEditText(L"11");
    s.user().expectMenuChoose(10);  // the tenth standard size
    ASSERT_EQ(s.user().clickListButton(window, kFontSize), std::nullopt);
    s.runUntilIdle();
    EXPECT_EQ(fontSize->GetEditText(), CString(L"12"));
    EXPECT_EQ(numberOf(s.kernel().objectParameter(document, a, "FontSize")), 12.0);
    EXPECT_EQ(numberOf(s.kernel().objectParameter(document, b, "FontSize")), 12.0);
    EXPECT_FALSE(fontSize->GetModify());  // applied
    // The menu showed the list with the current text's entry checked.
    EXPECT_GE(platform::core::journal().find("menu", L"9 \"11\" checked"), 0);

    // Nothing selected: the document's defaults take it; an empty edit takes an entry too.
    s.kernel().select(document, {});
    fontSize->SetEditText(L"");
    s.user().expectMenuChoose(L"2.5");
    ASSERT_EQ(s.user().clickListButton(window, kFontSize), std::nullopt);
    const auto defaults = s.kernel().defaultParameter(document, "FontSize");
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(numberOf(defaults[0]), 2.5);

    // A dismissed menu changes nothing; ids past the list are no entries.
    s.user().expectMenuDismiss();
    ASSERT_EQ(s.user().clickListButton(window, kFontSize), std::nullopt);
    EXPECT_EQ(fontSize->GetEditText(), CString(L"2.5"));
    EXPECT_FALSE(fontSize->GetSyspanelEditCtrl()->ExecuteCommand(17));
    EXPECT_FALSE(fontSize->GetSyspanelEditCtrl()->ExecuteCommand(501));
    EXPECT_EQ(fontSize->GetEditText(), CString(L"2.5"));
}

TEST_F(EditServices, TheListButtonIsThereOnlyForAWritableEnabledEditWithAList) {
    EXPECT_NE(s.user().clickListButton(window, kLevel), std::nullopt);  // no list
    EXPECT_NE(s.user().clickListButton(window, 4711), std::nullopt);
    fontSize->SetEnabled(FALSE);
    EXPECT_NE(s.user().clickListButton(window, kFontSize), std::nullopt);
    fontSize->SetEnabled(TRUE);
    fontSize->SetReadOnly(TRUE);
    EXPECT_NE(s.user().clickListButton(window, kFontSize), std::nullopt);
    fontSize->SetReadOnly(FALSE);
}

TEST_F(EditServices, TheListButtonSitsAtTheRightEndOfTheEditWindow) {
    ASSERT_NE(fontSize->GetSyspanelEditCtrl(), nullptr);
    CSyspanelEditCtrl& ctrl = *fontSize->GetSyspanelEditCtrl();
    CListButtonXP* button = ctrl.GetListButton().GetButton();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(ctrl.GetListButton().IsShown());
    RECT client{};
    ctrl.GetClientRect(&client);
    RECT place{};
    button->GetWindowRect(&place);
    POINT corners[] = {{place.left, place.top}, {place.right, place.bottom}};
    for (POINT& corner : corners) ScreenToClient(ctrl.GetSafeHwnd(), &corner);
    EXPECT_EQ(corners[0].x, client.right - client.bottom);  // as wide as the client area is high
    EXPECT_EQ(corners[0].y, 0);
    EXPECT_EQ(corners[1].x, client.right);
    EXPECT_EQ(corners[1].y, client.bottom);
    EXPECT_TRUE(ctrl.GetStyle() & WS_CLIPCHILDREN);

    // The user clicks it: the menu opens and the pick is applied.
    s.kernel().select(document, {});
    s.user().expectMenuChoose(L"36");
    ASSERT_EQ(s.user().clickListButton(window, kFontSize), std::nullopt);
    EXPECT_EQ(fontSize->GetEditText(), CString(L"36"));

    // Disabled with the edit; hidden for a read-only edit once the window is laid out again; the
    // same button comes back.
    fontSize->SetEnabled(FALSE);
    EXPECT_FALSE(button->IsWindowEnabled());
    fontSize->SetEnabled(TRUE);
    EXPECT_TRUE(button->IsWindowEnabled());
    fontSize->SetReadOnly(TRUE);
    RECT narrower = client;
    narrower.right -= 1;
    ctrl.MoveWindow(&narrower, FALSE);
    EXPECT_FALSE(ctrl.GetListButton().IsShown());
    fontSize->SetReadOnly(FALSE);
    ctrl.MoveWindow(&client, FALSE);
    EXPECT_EQ(ctrl.GetListButton().GetButton(), button);
    EXPECT_TRUE(ctrl.GetListButton().IsShown());
}

TEST_F(EditServices, F8InsertsAChosenVariableAndCancellingChangesNothing) {
    s.kernel().addVariable(document, L"width", 40.0);
    s.kernel().addVariable(document, L"h1", 2.0);
    level->SetEditText(L"3");
    s.user().expectVariable(std::nullopt);
    level->GetSyspanelEditCtrl()->SendMessage(WM_KEYDOWN, VK_F8, 1);
    EXPECT_EQ(level->GetEditText(), CString(L"3"));
    EXPECT_FALSE(level->GetModify());
    EXPECT_FALSE(level->IsFocused());

    s.user().expectVariable(L"h1");
    level->GetSyspanelEditCtrl()->SendMessage(WM_KEYDOWN, VK_F8, 1);
    EXPECT_EQ(level->GetEditText(), CString(L"h1"));
    EXPECT_TRUE(level->GetModify());
    EXPECT_TRUE(level->IsFocused());
    EXPECT_GE(platform::core::journal().find("dialog", L"choices \"width\" \"h1\""), 0);

    // Read-only, the command is not enabled and no dialog opens.
    level->SetReadOnly(TRUE);
    EXPECT_FALSE(level->GetSyspanelEditCtrl()->ExecuteCommand(2137));
}

TEST_F(EditServices, CtrlF8TakesATextModuleAndF11ReadsAnAngle) {
    level->SetEditText(L"M12");
    s.user().expectTextModule(std::nullopt);
    level->GetSyspanelEditCtrl()->SendMessage(WM_COMMAND, 2148, 0);  // Ctrl+F8
    EXPECT_EQ(level->GetEditText(), CString(L"M12"));
    s.user().expectTextModule(L"M12x1.5");
    level->GetSyspanelEditCtrl()->SendMessage(WM_COMMAND, 2148, 0);  // Ctrl+F8
    EXPECT_EQ(level->GetEditText(), CString(L"M12x1.5"));
    EXPECT_GE(platform::core::journal().find("dialog", L"text-module dialog, text \"M12\""), 0);

    level->SetModify(FALSE);
    level->SetEditText(L"12d30m");
    level->GetSyspanelEditCtrl()->SendMessage(WM_KEYDOWN, VK_F11, 1);
    EXPECT_EQ(level->GetEditText(), CString(L"12.5"));
    EXPECT_TRUE(level->GetModify());
    level->SetModify(FALSE);
    level->GetSyspanelEditCtrl()->SendMessage(WM_KEYDOWN, VK_F11, 1);  // a plain number is no angle notation
    EXPECT_EQ(level->GetEditText(), CString(L"12.5"));
    EXPECT_FALSE(level->GetModify());
}

}  // namespace
