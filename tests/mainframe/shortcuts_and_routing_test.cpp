// Keys that become commands through the frame's shortcuts (its command bars, the auto-menu and
// frameless bars) and the order in which a command passes the kernel's action log, its editing
// module and the add-on applications before the frame handles it.
#include "mainframe/frameless_bars.h"
#include "platform/kernel/ui/control.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
constexpr UINT kStatusLineCommand = 801;

class ShortcutsAndRouting : public mainframetest::RunningFrameTest {
protected:
    void SetUp() override {
        mainframetest::RunningFrameTest::SetUp();
        s.user().dde(std::wstring(L"[open(\"") + kBracket + L"\")]");
        s.runUntilIdle();
        ASSERT_FALSE(s.user().activateDocument(kBracket).has_value());
        s.runUntilIdle();
        view = frame->GetActiveKorvoView();
        ASSERT_NE(view, nullptr);
    }
    bool StatusShown() { return frame->GetStatusLine().IsWindowVisible() != FALSE; }
    // Ctrl+`key` pressed in `target` (focused first).
    void PressCtrl(HWND target, unsigned key) {
        User::Key pressed;
        pressed.virtualKey = key;
        pressed.control = true;
        ASSERT_FALSE(s.user().pressKeyAt(window, target, pressed).has_value());
        s.runUntilIdle();
    }
    int Count(std::size_t from, const std::wstring& text) {
        int count = 0;
        const auto& entries = s.journal().entries();
        for (std::size_t i = from; i < entries.size(); ++i)
            count += entries[i].line().find(text) != std::wstring::npos ? 1 : 0;
        return count;
    }
    CKVView* view = nullptr;
};

// A key of the frame's table runs its command from the view, but not while the running command
// asks for the keys itself, nor from an edit box; the shortcuts are on again afterwards.
TEST_F(ShortcutsAndRouting, AShortcutRunsItsCommandUnlessTheCommandOrAnEditBoxWantsTheKey) {
    CXTPShortcutManager* shortcuts = frame->GetCommandBars()->GetShortcutManager();
    shortcuts->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'K', static_cast<WORD>(kStatusLineCommand)});
    ASSERT_TRUE(StatusShown());
    PressCtrl(view->GetSafeHwnd(), 'K');
    EXPECT_FALSE(StatusShown()) << "Ctrl+K hides the status line";
    PressCtrl(view->GetSafeHwnd(), 'J');
    EXPECT_FALSE(StatusShown()) << "a key without an entry runs nothing";

    // The modifiers must be those of the entry: K alone is typing.
    User::Key plain;
    plain.virtualKey = 'K';
    ASSERT_FALSE(s.user().pressKeyAt(window, view->GetSafeHwnd(), plain).has_value());
    s.runUntilIdle();
    EXPECT_FALSE(StatusShown());

    CDocument* document = view->GetDocument();
    s.kernel().setRunningCommandTakesKeys(true);
    s.kernel().setInCommand(document, true);
    PressCtrl(view->GetSafeHwnd(), 'K');
    EXPECT_FALSE(StatusShown()) << "the running command takes the key";
    EXPECT_FALSE(shortcuts->IsShortcutsDisabled()) << "off only while the key was translated";
    s.kernel().setInCommand(document, false);
    PressCtrl(view->GetSafeHwnd(), 'K');
    EXPECT_TRUE(StatusShown()) << "the command ended: the key is a shortcut again";

    // An edit box keeps its keys whatever they are.
    CWnd edit;
    ASSERT_TRUE(edit.Create(L"EDIT", nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 20}, view, 4712, nullptr));
    PressCtrl(edit.GetSafeHwnd(), 'K');
    EXPECT_TRUE(StatusShown());
    edit.DestroyWindow();

    // A running command's edit in the selection-filter tool bar keeps only the typing keys.
    Korvo::UI::FramelessToolBar* filters = frame->GetFramelessToolBar(frameless_bars::kSelectionFilter);
    ASSERT_NE(filters, nullptr);
    ASSERT_NE(filters->GetSafeHwnd(), nullptr);
    CWnd commandEdit;
    ASSERT_TRUE(commandEdit.Create(L"EDIT", nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 20}, filters, 4713, nullptr));
    PressCtrl(commandEdit.GetSafeHwnd(), 'K');
    EXPECT_FALSE(StatusShown()) << "Ctrl+K is no typing key";
    commandEdit.DestroyWindow();
}

// Keys the frame's own bars do not know go on to the auto-menu bars and then to the frameless
// bars; a suppressed key reaches neither.
TEST_F(ShortcutsAndRouting, TheAutoMenuAndFramelessBarsTranslateWhatTheFrameLeaves) {
    CXTPCommandBars* autoMenu = frame->GetAutoMenuBars();
    CXTPCommandBars* frameless = frame->GetFramelessToolBars();
    ASSERT_NE(autoMenu, nullptr);
    ASSERT_NE(frameless, nullptr);
    autoMenu->GetShortcutManager()->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'Q', static_cast<WORD>(kStatusLineCommand)});
    frameless->GetShortcutManager()->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'W', static_cast<WORD>(kStatusLineCommand)});
    PressCtrl(view->GetSafeHwnd(), 'Q');
    EXPECT_FALSE(StatusShown()) << "the auto-menu bars' key";
    PressCtrl(view->GetSafeHwnd(), 'W');
    EXPECT_TRUE(StatusShown()) << "the frameless bars' key";

    s.kernel().setRunningCommandTakesKeys(true);
    s.kernel().setInCommand(view->GetDocument(), true);
    PressCtrl(view->GetSafeHwnd(), 'W');
    EXPECT_TRUE(StatusShown()) << "the frameless bars' shortcuts are off with the frame's";
    EXPECT_FALSE(frameless->GetShortcutManager()->IsShortcutsDisabled());
}

// A command passes the action log (an auto-menu button by its hint), then the editing module and
// the add-on applications, the first that takes it ending its way.
TEST_F(ShortcutsAndRouting, ACommandIsLoggedAndTheEditingModuleAndAddOnsMayTakeIt) {
    std::size_t from = s.journal().entries().size();
    frame->SendMessage(WM_COMMAND, kStatusLineCommand, 0);
    EXPECT_FALSE(StatusShown());
    EXPECT_EQ(Count(from, L"CKvw32Doc::PushAction(\"Bracket.grb\", command 801, \"\")"), 1);

    s.kernel().setEditingModuleCommands({kStatusLineCommand});
    from = s.journal().entries().size();
    frame->SendMessage(WM_COMMAND, kStatusLineCommand, 0);
    EXPECT_FALSE(StatusShown()) << "the editing module took it";
    EXPECT_EQ(Count(from, L"PushAction(\"Bracket.grb\", command 801"), 1) << "logged before the module takes it";
    EXPECT_EQ(Count(from, L"LTModuleProxy::OnCommand(801) = true"), 1);

    s.kernel().setEditingModuleCommands({});
    kvio::IniFile installed;
    installed.LoadFromText(L"[KVOPT]\n", L"Applications.ini");
    ASSERT_TRUE(CKVApplicationManager::LoadInstalledApplications(installed));
    s.kernel().setAddOnCommands(L"KVOPT", {kStatusLineCommand});
    from = s.journal().entries().size();
    frame->SendMessage(WM_COMMAND, kStatusLineCommand, 0);
    EXPECT_FALSE(StatusShown()) << "the add-on took it";
    EXPECT_EQ(Count(from, L"CKVApplication::OnWndMsgAddon(\"KVOPT\", WM_COMMAND 801)"), 1);
    s.kernel().setAddOnCommands(L"KVOPT", {});
    frame->SendMessage(WM_COMMAND, kStatusLineCommand, 0);
    EXPECT_TRUE(StatusShown());

    // An auto-menu button is logged by its hint.
    platform::kernel::control().autoMenuController = true;
    platform::kernel::control().autoMenuHints[6001] = L"Pick a point";
    from = s.journal().entries().size();
    frame->SendMessage(WM_COMMAND, 6001, 0);
    EXPECT_EQ(Count(from, L"PushAction(\"Bracket.grb\", command 6001, \"Pick a point\")"), 1);
}

}  // namespace
