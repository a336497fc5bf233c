// The panel's parameter controls on a running program: what they show of a document's defaults
// and its selection, where a value the user types goes (the selected objects, the defaults, or a
// running command), and how the ribbon's twins and the panel bar both follow the kernel.
#include <gtest/gtest.h>

#include <cmath>

#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"
#include "syspanel/panel_parameters.h"
#include "syspanel/parameter_controls.h"
#include "syspanel/sys_panel_toolbar.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using kveval::NumberParameter;
using kveval::VariantParameter;
using platform::harness::calls;
using platform::harness::indexOf;

constexpr unsigned kLevel = 907;
constexpr unsigned kFontSize = 915;
constexpr unsigned kColour = 904;

class PanelValues : public syspaneltest::FrameTest {
protected:
    void SetUp() override {
        s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
        FrameTest::SetUp();
        document = openDocument(window, L"C:\\Work\\a.grb");
        ASSERT_NE(document, nullptr);
        // The kernel puts the parameter controls on the panel and enables them, as a command does.
        ASSERT_TRUE(frame->SetSyspanelControls({{kColour, 0, 0}, {kLevel, 0, 0}, {kFontSize, 0, 0}}));
        frame->EnableSyspanelControl(kLevel, true);
        frame->EnableSyspanelControl(kFontSize, true);
    }

    CString barText(unsigned id) { return dynamic_cast<CXTPControlEdit*>(onBar(id))->GetEditText(); }
    CString ribbonText(unsigned id) { return dynamic_cast<CXTPControlEdit*>(inRibbon(id))->GetEditText(); }
    std::optional<VariantParameter> levelOf(int object) { return s.kernel().objectParameter(document, object, "Level"); }
    double numberOf(const std::optional<VariantParameter>& value) {
        return value && value->Get<NumberParameter>() ? value->Get<NumberParameter>()->value : -1.0;
    }

    CKvw32Doc* document = nullptr;
};

TEST_F(PanelValues, ShowTheDefaultsOrWhatTheSelectionHasInCommon) {
    ASSERT_NE(onBar(kLevel), nullptr);
    ASSERT_NE(inRibbon(kLevel), nullptr);
    s.kernel().setDefaultParameter(document, "Level", NumberParameter{4.0, -1, 0});
    s.kernel().setDefaultParameter(document, "Color", kveval::ColorParameter{7, -1});
    s.kernel().raiseParameterEvent(document, 778);
    EXPECT_EQ(barText(kLevel), CString(L"4"));
    EXPECT_EQ(ribbonText(kLevel), CString(L"4"));
    EXPECT_EQ(*static_cast<const std::int32_t*>(dynamic_cast<IDataExchange*>(onBar(kColour))->GetValue()), 7);
    // A 3D view shows the defaults for 3D.
    constexpr unsigned kLayer = 911;
    const auto word = [&](CXTPControl* control) { return *static_cast<const std::int32_t*>(dynamic_cast<IDataExchange*>(control)->GetValue()); };
    document->GetDefaultParameters()->SetDefaultColor(kveval::ColorParameter{9, -1}, true);
    document->GetActiveKVView()->SetShows3D(true);
    s.kernel().raiseParameterEvent(document, 778);
    EXPECT_EQ(word(onBar(kColour)), 9);
    document->GetActiveKVView()->SetShows3D(false);
    s.kernel().setDefaultParameter(document, "Layer", std::int32_t{3});
    s.kernel().raiseParameterEvent(document, 778);
    EXPECT_EQ(word(onBar(kColour)), 7);
    EXPECT_EQ(word(inRibbon(kLayer)), 3);
    // The material control's own write (kind 0) refreshes none of them; another change does.
    s.kernel().setDefaultParameter(document, "Color", kveval::ColorParameter{8, -1});
    ApplicationEventManager::Instance().Raise(kEventObjectsPropertiesChanged, ObjectsPropertiesChangedArgs(0, document, nullptr, 0));
    EXPECT_EQ(word(onBar(kColour)), 7);
    ApplicationEventManager::Instance().Raise(kEventObjectsPropertiesChanged, ObjectsPropertiesChangedArgs(0, document, nullptr, 1));
    EXPECT_EQ(word(onBar(kColour)), 8);

    // Three objects: two agree within the tolerance, one has no level and does not count.
    const int a = s.kernel().addObject(document), b = s.kernel().addObject(document), c = s.kernel().addObject(document);
    s.kernel().setObjectParameter(document, a, "Level", NumberParameter{2.0, -1, 0});
    s.kernel().setObjectParameter(document, b, "Level", NumberParameter{2.0 + 5e-9, -1, 0});
    s.kernel().setObjectParameter(document, c, "Layer", std::int32_t{5});
    s.kernel().select(document, {a, -1, b, c});
    s.kernel().raiseParameterEvent(document, 783);
    EXPECT_EQ(barText(kLevel), CString(L"2"));
    EXPECT_EQ(word(inRibbon(kLayer)), 5);  // the one selected object with a layer
    EXPECT_EQ(ribbonText(kLevel), CString(L"2"));

    // Values that differ beyond it have nothing in common: the edit keeps what it shows.
    s.kernel().setObjectParameter(document, b, "Level", NumberParameter{2.0 + 2e-8, -1, 0});
    s.kernel().setObjectParameter(document, a, "Level", NumberParameter{9.0, -1, 0});
    s.kernel().raiseParameterEvent(document, 515);
    EXPECT_EQ(barText(kLevel), CString(L"2"));
    // An event flagged 0x20 and one in a command are not for the panel.
    s.kernel().setObjectParameter(document, b, "Level", NumberParameter{9.0, -1, 0});
    s.kernel().raiseParameterEvent(document, 515, 0x20);
    EXPECT_EQ(barText(kLevel), CString(L"2"));
    // The edit the user is typing in keeps its text; its twin follows.
    dynamic_cast<CXTPControlEdit*>(onBar(kLevel))->GetEditCtrl()->SetFocus();
    s.kernel().raiseParameterEvent(document, 515);
    EXPECT_EQ(barText(kLevel), CString(L"2"));
    EXPECT_EQ(ribbonText(kLevel), CString(L"9"));
    ::SetFocus(window);
    s.kernel().setInCommand(document, true);
    s.kernel().raiseParameterEvent(document, 515);
    EXPECT_EQ(barText(kLevel), CString(L"2"));
}

TEST_F(PanelValues, KernelValuesReachTheRibbonTwinAndTheBar) {
    frame->set_syspanel_doublevar(document->Cont2D(), kLevel, 5.5, -1);
    ASSERT_EQ(GetControlDocument(onBar(kLevel)), document->Cont2D());
    ASSERT_EQ(onBar(kLevel), frame->GetSysPanelToolbar()->FindRegisteredControl(kLevel));
    ASSERT_EQ(static_cast<const SysPanelValue*>(dynamic_cast<IDataExchange*>(onBar(kLevel))->GetValue())->value, 5.5);
    EXPECT_EQ(barText(kLevel), CString(L"5.5"));
    EXPECT_EQ(ribbonText(kLevel), CString(L"5.5"));
    double value = 0;
    ASSERT_TRUE(frame->UnpackSyspanelDoubleVar(kLevel, value));
    EXPECT_EQ(value, 5.5);
    // A value for a document the frame does not show is not taken by the edits.
    KVDocument other;
    frame->set_syspanel_doublevar(&other, kLevel, 8.0, -1);
    EXPECT_EQ(barText(kLevel), CString(L"5.5"));
    // A whole number for an edit is a plain measure, not a word read as a measure record.
    frame->set_syspanel_int(document->Cont2D(), kLevel, 3);
    EXPECT_EQ(barText(kLevel), CString(L"3"));
    EXPECT_EQ(ribbonText(kLevel), CString(L"3"));
    frame->SetSyspanelButtonStatus(kLevel, true, true);
    bool checked = false, disabled = false;
    ASSERT_TRUE(frame->GetSyspanelControlState(kLevel, checked, disabled));
    EXPECT_TRUE(checked);
    EXPECT_TRUE(disabled);
    EXPECT_FALSE(inRibbon(kLevel)->GetEnabled());
}

// The getters commit the text the edit shows: that text must read back as the very number.
TEST_F(PanelValues, EveryGetterGivesBackTheWholeNumberItWasGiven) {
    for (const double number : {1234567.89, 0.123456789, 2147483648.9, 123456789012345.6}) {
        frame->set_syspanel_doublevar(document->Cont2D(), kLevel, number, -1);
        double value = 0;
        ASSERT_TRUE(frame->UnpackSyspanelDoubleVar(kLevel, value));
        EXPECT_EQ(value, number) << barText(kLevel).GetString();
        EXPECT_EQ(static_cast<const SysPanelValue*>(dynamic_cast<IDataExchange*>(onBar(kLevel))->GetValue())->value, number);
        EXPECT_EQ(static_cast<const SysPanelValue*>(ribbonEdit(kLevel)->GetValue())->value, number);
    }
    frame->set_syspanel_doublevar(document->Cont2D(), kLevel, 1234567.89, -1);
    EXPECT_EQ(barText(kLevel), CString(L"1234567.89"));
    // A refused entry shows the stored number again, and that text is what the next read commits.
    frame->set_syspanel_doublevar(document->Cont2D(), kLevel, 2147483648.9, -1);
    s.user().expectBox(L"*neither a number*", platform::harness::Button::Ok);
    ASSERT_EQ(s.user().typeText(window, kLevel, L"1e400"), std::nullopt);
    double value = 0;
    ASSERT_TRUE(frame->UnpackSyspanelDoubleVar(kLevel, value));
    EXPECT_EQ(value, 2147483648.9);
}

TEST_F(PanelValues, TypingWritesToTheSelectionOrElseToTheDefaults) {
    const int a = s.kernel().addObject(document), b = s.kernel().addObject(document);
    s.kernel().select(document, {a, b});
    ASSERT_EQ(s.user().typeText(window, kLevel, L"7"), std::nullopt);  // the ribbon's twin
    EXPECT_EQ(numberOf(levelOf(a)), 7.0);
    EXPECT_EQ(numberOf(levelOf(b)), 7.0);

    s.kernel().select(document, {});
    ASSERT_EQ(s.user().typeText(window, kFontSize, L"2,5"), std::nullopt);
    // The default goes into the document's own containers.
    const auto defaults = s.kernel().defaultParameter(document, "FontSize");
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(numberOf(defaults[0]), 2.5);
    EXPECT_EQ(numberOf(levelOf(a)), 7.0);
}

TEST_F(PanelValues, ANumberBeyondTheDoubleRangeIsRefusedTypedOrSpun) {
    const int a = s.kernel().addObject(document);
    s.kernel().setObjectParameter(document, a, "Level", NumberParameter{3.0, -1, 0});
    s.kernel().select(document, {a});
    s.kernel().raiseParameterEvent(document, 783);
    // Refused as a text that is no number is: said, and the edit shows the value again.
    s.user().expectBox(L"*neither a number*", platform::harness::Button::Ok);
    ASSERT_EQ(s.user().typeText(window, kLevel, L"1e400"), std::nullopt);
    EXPECT_EQ(numberOf(levelOf(a)), 3.0);
    EXPECT_EQ(ribbonText(kLevel), CString(L"3"));
    s.kernel().select(document, {});
    s.user().expectBox(L"*neither a number*", platform::harness::Button::Ok);
    ASSERT_EQ(s.user().typeText(window, kLevel, L"-1e999"), std::nullopt);
    EXPECT_TRUE(std::isfinite(numberOf(s.kernel().defaultParameter(document, "Level").at(0))));

    // Spinning past the largest double changes nothing and writes no "inf" to be taken for a
    // variable's name later.
    CSyspanelEdit* edit = ribbonEdit(kLevel);
    edit->SetEditText(L"1.7976931348623157e308");
    edit->GetSyspanelEditCtrl()->SetSpinAction(CSyspanelEditCtrl::kSpinByOwnStep, 1e308);
    ASSERT_EQ(s.user().spin(window, kLevel, 1), std::nullopt);
    EXPECT_EQ(edit->GetEditText().Find(L"inf"), -1);
    EXPECT_TRUE(std::isfinite(static_cast<const SysPanelValue*>(edit->GetValue())->value));
    EXPECT_TRUE(s.kernel().dumpParameters().find(L"inf") == std::wstring::npos);
}

TEST_F(PanelValues, ANumberTheStyleRefusesGivesWayToTheStoredValueOnLeaving) {
    ASSERT_EQ(s.user().typeText(window, kFontSize, L"5"), std::nullopt);
    ASSERT_EQ(numberOf(s.kernel().defaultParameter(document, "FontSize").at(0)), 5.0);
    // The font size is never negative: leaving puts the default text in its place, which is an
    // entry too: committed with a document it names no variable, so the edit shows its value
    // again, and that is what is written.
    ASSERT_EQ(s.user().typeText(window, kFontSize, L"-3"), std::nullopt);
    EXPECT_EQ(ribbonText(kFontSize), CString(L"5"));
    EXPECT_EQ(numberOf(s.kernel().defaultParameter(document, "FontSize").at(0)), 5.0);
}

int g_commandRuns = 0;
double g_commandValue = 0.0;

int readLevel(CKvw32Doc*) {
    ++g_commandRuns;
    auto* frame = dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetActiveMainFrame()->AsWindow());
    if (const auto* value = static_cast<const SysPanelValue*>(frame->GetSyspanelControlData(kLevel)))
        g_commandValue = value->value;
    return 1;
}

TEST_F(PanelValues, InsideACommandTheCommandReadsTheTypedValue) {
    ASSERT_TRUE(KVCommandContainer::Instance().RegisterCommand(
        new KVDocumentCommand(kLevel, L"ReadLevel", &readLevel, nullptr, KVCommandFlags()), kLevel));
    const int a = s.kernel().addObject(document);
    s.kernel().setObjectParameter(document, a, "Level", NumberParameter{1.0, -1, 0});
    s.kernel().select(document, {a});
    s.kernel().setInCommand(document, true);
    ASSERT_EQ(s.user().typeText(window, kLevel, L"12.5"), std::nullopt);
    s.runUntilIdle();
    EXPECT_EQ(g_commandRuns, 1);
    EXPECT_EQ(g_commandValue, 12.5);
    EXPECT_EQ(numberOf(levelOf(a)), 1.0);  // the command decides what to do with it
}

TEST_F(PanelValues, ANameBecomesAVariableInOneUndoBlock) {
    ASSERT_EQ(s.user().typeText(window, kLevel, L"h1"), std::nullopt);
    const auto journal = calls(s);
    const auto start = indexOf(journal, L"KVDocument::start_undo_block(0, 210)");
    const auto create = indexOf(journal, L"KVDocument::create_real_var(\"h1\", 0)");
    const auto end = indexOf(journal, L"KVDocument::end_undo_block()");
    ASSERT_GE(start, 0);
    EXPECT_LT(start, create);
    EXPECT_LT(create, end);
    EXPECT_EQ(document->GetUndoMode(), 0);
    const auto defaults = s.kernel().defaultParameter(document, "Level");
    ASSERT_FALSE(defaults.empty());
    ASSERT_NE(defaults[0].Get<NumberParameter>(), nullptr);
    EXPECT_EQ(defaults[0].Get<NumberParameter>()->variable, 0);
    EXPECT_EQ(ribbonText(kLevel), CString(L"h1"));

    // A document already collecting undo steps keeps its block: the edit opens and closes none.
    document->Cont2D()->start_undo_block(0, 1);
    const auto collecting = calls(s).size();
    ASSERT_EQ(s.user().typeText(window, kLevel, L"h2"), std::nullopt);
    const auto inBlock = calls(s);
    EXPECT_EQ(document->GetUndoMode(), 1);
    EXPECT_EQ(indexOf(std::vector<std::wstring>(inBlock.begin() + static_cast<long>(collecting), inBlock.end()),
                      L"start_undo_block"),
              -1);
    document->Cont2D()->end_undo_block();
    ASSERT_EQ(s.user().typeText(window, kLevel, L"h1"), std::nullopt);

    // Typing the bound name again changes nothing and opens no block.
    const auto before = calls(s).size();
    ASSERT_EQ(s.user().typeText(window, kLevel, L"h1"), std::nullopt);
    const auto after = calls(s);
    EXPECT_EQ(indexOf(std::vector<std::wstring>(after.begin() + static_cast<long>(before), after.end()),
                      L"start_undo_block"),
              -1);

    // A text that can be no variable is refused once; the binding stays.
    s.user().expectBox(L"*STATIC*", platform::harness::Button::Ok);
    ASSERT_EQ(s.user().typeText(window, kLevel, L"1+"), std::nullopt);
    EXPECT_EQ(ribbonText(kLevel), CString(L"h1"));
}

}  // namespace

namespace {

// The edit window as a user drives it: its context menu, its keys and its spin buttons, each
// ending with the mouse leaving the edit, which writes a changed value.
TEST_F(PanelValues, TheEditWindowsMenuKeysAndSpinButtonsReachTheSelection) {
    const int a = s.kernel().addObject(document);
    s.kernel().select(document, {a});
    ASSERT_EQ(s.user().typeText(window, kLevel, L"4"), std::nullopt);
    EXPECT_EQ(numberOf(levelOf(a)), 4.0);

    // Nothing selected in the edit: Cut, Copy and Clear are grey; the value-exchange, formula,
    // measuring and function entries are gone; the spin-buttons entry comes checked.
    s.user().expectMenuChoose(57642);  // select all
    ASSERT_EQ(s.user().editContextMenu(window, kLevel), std::nullopt);
    const std::vector<std::wstring> items = s.journal().texts("menu");
    const auto item = [&](std::wstring_view needle) { return indexOf(items, needle); };
    EXPECT_GE(item(L"57634 \"Copy\" disabled"), 0);
    EXPECT_GE(item(L"57635 \"Cut\" disabled"), 0);
    EXPECT_GE(item(L"57632 \"Delete\" disabled"), 0);
    EXPECT_GE(item(L"57637 \"Paste\""), 0);
    EXPECT_GE(item(L"2810 \"Spin buttons\" checked"), 0);
    for (const wchar_t* gone : {L"2143 ", L"2144 ", L"2146 ", L"2147 ", L"2142 ", L"2140 ", L"2232 ", L"1114 ",
                                L"1955 ", L"1964 ", L"2138 ", L"2493 ", L"Functions"})
        EXPECT_LT(item(gone), 0) << std::wstring(gone);

    // F6, F9, F12 and Alt+F9 do nothing; the level is unchanged.
    for (const platform::harness::User::Key key : {platform::harness::User::Key{VK_F6}, platform::harness::User::Key{VK_F9},
                                                   platform::harness::User::Key{VK_F12},
                                                   platform::harness::User::Key{VK_F9, false, true}})
        ASSERT_EQ(s.user().pressKey(window, kLevel, key), std::nullopt);
    EXPECT_EQ(ribbonText(kLevel), CString(L"4"));

    // The spin buttons step the level and leaving the edit writes it.
    ASSERT_EQ(s.user().spin(window, kLevel, 3), std::nullopt);
    EXPECT_EQ(ribbonText(kLevel), CString(L"7"));
    EXPECT_EQ(numberOf(levelOf(a)), 7.0);

    // Hidden spin buttons cannot be clicked.
    s.user().expectMenuChoose(2810);
    ASSERT_EQ(s.user().editContextMenu(window, kLevel), std::nullopt);
    EXPECT_NE(s.user().spin(window, kLevel, 1), std::nullopt);
}

}  // namespace
