// The frame tools at work in a running program: typed commands, the PDM panes by the PDM system's
// version and the pane-list rule, the "MainFrame" item's registry sub-keys, and the customise
// sheet's start page, locked windows and closing steps.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/kvw32_app.h"
#include "auxiliary/varnel_frame.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_profile_item.h"
#include "mainframe/statusline/status_line.h"
#include "mainframe/toolsengine/customize_sheet.h"
#include "mainframe/toolsengine/typed_commands.h"
#include "mainframe/toolsengine/varnel_windows.h"
#include "platform/kernel/profiles/module_states.h"
#include "platform/kernel/services/pdm_system.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/ui/key_command_control.h"
#include "platform/korvoui.h"
#include "platform/toolkit/commandbars/customize.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;
using Kind = platform::core::DialogAction::Kind;

TEST(TypedCommandKeys, LettersDigitsKeypadAndEscapeAreTakenFunctionKeysNever) {
    EXPECT_EQ(typed_commands::CharacterOfKey('L'), L'L');
    EXPECT_EQ(typed_commands::CharacterOfKey('7'), L'7');
    EXPECT_EQ(typed_commands::CharacterOfKey(101), L'5');  // keypad 5
    EXPECT_EQ(typed_commands::CharacterOfKey(96), L'0');
    EXPECT_EQ(typed_commands::CharacterOfKey(105), L'9');  // the last keypad digit
    EXPECT_EQ(typed_commands::CharacterOfKey(27), L'\x1b');
    for (UINT key : {0x70u, 0x74u, 0x87u, 0x20u, 0xBAu, 0x6Au}) EXPECT_FALSE(typed_commands::CharacterOfKey(key)) << key;
}

TEST(TypedCommandKeys, TheSearchEndsAtAKeyOfTheBuffersLengthInTheKernelsOrder) {
    const std::vector<std::pair<UINT, CString>> lineFirst{{1, L"line: draws"}, {2, L"LI: lists"}, {3, L"ARC"}};
    // "LI" also starts "LINE", listed before it: two matches, nothing runs.
    EXPECT_EQ(typed_commands::Matches(L"LI", lineFirst), (std::vector<UINT>{1, 2}));
    const std::vector<std::pair<UINT, CString>> shortFirst{{2, L"LI: lists"}, {1, L"LINE: draws"}};
    EXPECT_EQ(typed_commands::Matches(L"LI", shortFirst), (std::vector<UINT>{2}));
    EXPECT_EQ(typed_commands::Matches(L"LIN", lineFirst), (std::vector<UINT>{1}));
    EXPECT_TRUE(typed_commands::Matches(L"X", lineFirst).empty());
    EXPECT_TRUE(typed_commands::Matches(L"ARCS", lineFirst).empty());
}

class FrameToolsAtWork : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        frame = CKvw32App::Instance()->GetActiveMainFrame();
        ASSERT_NE(frame, nullptr);
    }
    void Press(unsigned key) {
        const auto refusal = s.user().pressKeyAt(frame->GetSafeHwnd(), nullptr, {key});
        ASSERT_FALSE(refusal) << platform::core::toUtf8(*refusal);
        s.runUntilIdle();
    }
    CString Prompt() { return frame->GetStatusLine().GetPromptText(); }

    Session s;
    CMainFrame* frame = nullptr;
};

TEST_F(FrameToolsAtWork, TypedKeysNarrowTheCommandsAndRunTheLastOneLeftWhenTheKernelCanRunIt) {
    auto& kernel = platform::kernel::control();
    kernel.commandStrings[2101] = L"LINE: Draws a line";
    kernel.commandStrings[2102] = L"LIGHT: Places a light";
    kernel.commandStrings[2103] = L"ARC: Draws an arc";
    Press('L');
    Press('I');
    EXPECT_EQ(Prompt(), CString(L">LI"));
    Press(0x74);  // F5 is not taken: the buffer stays
    EXPECT_EQ(Prompt(), CString(L">LI"));
    Press('N');
    EXPECT_EQ(Prompt(), CString(L"LINE: Draws a line"));
    // The buffer starts again; a command the kernel cannot run now only clears it.
    platform::kernel::keyCommandControl().unavailableCommands.insert(2103);
    Press('A');
    EXPECT_EQ(Prompt(), CString(L">"));
    Press('Q');  // no command
    EXPECT_EQ(Prompt(), CString(L">"));
    // Space with an empty buffer asks for the command list and is consumed.
    EXPECT_EQ(frame->PreTranslateKeyMessage(0x20), 1);
    EXPECT_EQ(frame->PreTranslateKeyMessage('L'), 0);  // a typed key is never consumed
    EXPECT_EQ(frame->PreTranslateKeyMessage(0x20), 0) << "Space after a typed key asks for nothing";
    // While the 3D part refuses typed keys, nothing is gathered.
    platform::kernel::keyCommandControl().keyboardCommandsRefused = true;
    Press('I');
    EXPECT_EQ(Prompt(), CString(L">L"));
    // Nor while the active document runs a command.
    platform::kernel::keyCommandControl().keyboardCommandsRefused = false;
    s.user().dde(L"[open(\"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\")]");
    s.runUntilIdle();
    CKvw32Doc* document = frame->GetActiveKorvoDocument();
    ASSERT_NE(document, nullptr);
    s.kernel().setInCommand(document, true);
    const CString before = Prompt();
    Press('I');
    EXPECT_EQ(Prompt(), before);
    s.kernel().setInCommand(document, false);
}

class PdmPanes : public FrameToolsAtWork {
protected:
    void SetUp() override {
        FrameToolsAtWork::SetUp();
        for (UINT id : {1012u, 1013u, 1014u, 1015u, 1019u, 1027u, 1033u, 1040u}) {
            if (frame->GetPaneManager().FindPane(id)) continue;
            ASSERT_NE(Korvo::UI::CreateDockingPane(&frame->GetPaneManager(), id, 0, L"PDM", RECT{0, 0, 200, 200}, 0),
                      nullptr);
        }
        for (int kind = CVarnelFrame::kDesktop; kind <= CVarnelFrame::kLibraryElements; ++kind)
            CKvw32App::Instance()->GetVarnelWindow(kind, false, true);
        KVPDMWorkMix::SetActive(true);
        for (UINT id : {1012u, 1013u, 1014u, 1015u, 1019u, 1027u, 1033u, 1040u}) frame->GetPaneManager().ClosePane(id);
    }
    bool Open(UINT id) { return !frame->GetPaneManager().FindPane(id)->IsClosed(); }
};

TEST_F(PdmPanes, BeforeVersion17FavoritesAreShownAndConfigurationSettingsNever) {
    platform::kernel::pdmSystemVersion() = L"16.5";
    frame->SetVarnelWindowBits(0xFF);
    frame->ShowVarnelWindows(true);
    EXPECT_TRUE(Open(1014));
    EXPECT_FALSE(Open(1033));
    EXPECT_TRUE(Open(1012));
    EXPECT_FALSE(Open(1019)) << "the assembly pane needs its contents";
    EXPECT_EQ(ListedVarnelPanes(), 0xFFu & ~0x02u & ~0x40u);
    EXPECT_TRUE(KVArePdmWindowsShown());
}

TEST_F(PdmPanes, FromVersion17ConfigurationSettingsReplaceFavoritesAndAListedPaneIsNotShownAgain) {
    platform::kernel::pdmSystemVersion() = L"17.0";
    frame->SetVarnelWindowBits(0x08 | 0x40 | 0x01);
    frame->ShowVarnelWindows(true);
    EXPECT_FALSE(Open(1014));
    EXPECT_TRUE(Open(1033));
    EXPECT_FALSE(Open(1013)) << "the frame's bits did not ask for the desktop pane";
    EXPECT_EQ(ListedVarnelPanes(), 0x41u);
    // Listed already (by this or another frame): the user's closing is left alone.
    frame->GetPaneManager().ClosePane(1012u);
    frame->SetVarnelWindowBits(frame->GetVarnelWindowBits() | 0x01);  // even when the frame asks for it
    frame->ShowVarnelWindows(true);
    EXPECT_FALSE(Open(1012));
}

TEST_F(PdmPanes, HidingClosesThePanesInOrderAndClearsTheListedBits) {
    frame->SetVarnelWindowBits(0xFF);
    frame->ShowVarnelWindows(true);
    ASSERT_NE(ListedVarnelPanes(), 0u);
    frame->ShowVarnelWindows(false);
    for (UINT id : {1012u, 1013u, 1014u, 1015u, 1019u, 1027u, 1033u, 1040u}) EXPECT_FALSE(Open(id)) << id;
    EXPECT_EQ(ListedVarnelPanes(), 0u);
    EXPECT_EQ(frame->GetVarnelWindowBits(), 0xFFu) << "the panes to show again stay asked for";
    EXPECT_FALSE(KVArePdmWindowsShown());
}

TEST_F(FrameToolsAtWork, TheProfileItemKeepsTheModulesStatesInItsSubKeysUnderMainFrame) {
    CMainFrameProfileItem item;
    item.SetOwningFrame(frame);
    KV3DState::State().text = L"3D saved";
    ASSERT_EQ(item.SaveState(), 0);
    const std::wstring mainFrame = s.registry().productKey() + L"\\MainFrame";
    for (const wchar_t* key : {L"\\Hidden Errors", L"\\PagesTabCtrl", L"\\ExpandedDialog", L"\\2D", L"\\3D"})
        EXPECT_TRUE(s.registry().hasValue(L"HKEY_CURRENT_USER", mainFrame + key, L"State")) << platform::core::toUtf8(key);
    EXPECT_EQ(s.registry().getString(L"HKEY_CURRENT_USER", mainFrame + L"\\3D", L"State"), std::wstring(L"3D saved"));
    KV3DState::State().text = L"changed";
    CKVTabCtrl::Defaults().text = L"changed";
    ASSERT_EQ(item.LoadState(), 0);
    EXPECT_EQ(KV3DState::State().text, L"3D saved");
    EXPECT_EQ(CKVTabCtrl::Defaults().text, L"page tabs at the bottom");
    item.SetOwningFrame(nullptr);
}

// A page made from template 782 as the ribbon page is, for the sheet's start page.
class RibbonStandIn : public CPropertyPage {
public:
    RibbonStandIn() : CPropertyPage(782) {
        platform::mfc::DialogTemplate page;
        page.id = 782;
        page.caption = L"Ribbon";
        page.size = SIZE{200, 100};
        SetInlineTemplate(page, std::wstring());
    }
};

TEST_F(FrameToolsAtWork, TheSheetOpensOnThePageItsModeNamesLocksTheFrameAndRunsTheClosingSteps) {
    LPARAM asked = -1;
    CustomizeSheet::SetRibbonPageFactory([&](CMainFrame&, const CustomizeSheet::RibbonPageRequest& request) {
        asked = request.value;
        return std::make_unique<RibbonStandIn>();
    });
    const HWND client = frame->m_hWndMDIClient;
    ASSERT_TRUE(::IsWindowEnabled(client));
    // A pane window disabled before the sheet stays so after it.
    const HWND modelTree = frame->GetPaneManager().FindPane(1006u)->GetChild();
    ASSERT_NE(modelTree, nullptr);
    ::EnableWindow(modelTree, FALSE);
    bool lockedWhileOpen = false;
    s.user().expectDialog(782u, [&](HWND dialog) {
        lockedWhileOpen = !::IsWindowEnabled(client) && !frame->GetCommandBars()->IsCustomizeMode();
        s.user().act(dialog, {Kind::Cancel, 0, {}});
    });
    const std::size_t from = s.journal().texts("call").size();
    frame->ShowCustomizeSheet(CustomizeSheet::kRibbonPageMode, 42);
    EXPECT_EQ(asked, 42);
    EXPECT_TRUE(lockedWhileOpen);
    EXPECT_TRUE(::IsWindowEnabled(client)) << "the document area takes input again";
    EXPECT_FALSE(::IsWindowEnabled(modelTree));
    EXPECT_EQ(CustomizeSheet::LastPageIndex(), 1) << "the ribbon page follows the tool-bar options page";
    const std::vector<std::wstring> called = s.journal().texts("call");
    EXPECT_GE(indexOf(std::vector<std::wstring>(called.begin() + static_cast<long>(from), called.end()),
                      L"ApplicationEventManager::Raise(1043)"),
              0);

    // Another mode opens on the first page: the tool-bar options page.
    s.user().expectDialog(783u, std::vector<platform::core::DialogAction>{{Kind::Cancel, 0, {}}});
    frame->ShowCustomizeSheet(0, 0);
    CustomizeSheet::SetRibbonPageFactory(nullptr);
    // The bars are in customise mode exactly while the commands page shows; its tab shows it.
    std::vector<bool> customising;
    s.user().expectDialog(783u, [&](HWND dialog) {
        CXTPCommandBars* bars = frame->GetCommandBars();
        customising.push_back(bars->IsCustomizeMode() != FALSE);
        EXPECT_FALSE(s.user().act(dialog, {Kind::Select, XTP_IDC_SHEET_TABS, L"9150"}));
        customising.push_back(bars->IsCustomizeMode() != FALSE);
        EXPECT_FALSE(s.user().act(dialog, {Kind::Select, 9101, L"New Menu"}));
        EXPECT_FALSE(s.user().act(dialog, {Kind::Select, 9102, L"New Menu"}));
        EXPECT_FALSE(s.user().act(dialog, {Kind::Select, XTP_IDC_SHEET_TABS, L"9151"}));
        customising.push_back(bars->IsCustomizeMode() != FALSE);
        EXPECT_FALSE(s.user().act(dialog, {Kind::Select, XTP_IDC_SHEET_TABS, L"9150"}));
        s.user().act(dialog, {Kind::Cancel, 0, {}});
    });
    frame->ShowCustomizeSheet(CustomizeSheet::kRibbonPageMode, 0);
    EXPECT_EQ(customising, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(frame->GetCommandBars()->IsCustomizeMode());
    EXPECT_EQ(CustomizeSheet::LastPageIndex(), 2) << "the commands page was shown last";
}

TEST(CustomizeSheetCommands, TheServiceCommandsStayOutOfAllCommands) {
    for (UINT id : {3002u, 35000u, 35003u, 1190u, 1199u}) EXPECT_TRUE(CustomizeSheet::IsServiceCommand(id)) << id;
    for (UINT id : {3001u, 35004u, 1189u, 1200u, 1001u}) EXPECT_FALSE(CustomizeSheet::IsServiceCommand(id)) << id;
}

}  // namespace
