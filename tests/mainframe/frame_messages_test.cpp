// What reaches a main frame besides its commands, as the kernel, the toolkit and Windows send it:
// the change of the active command, moves the PDM client follows, the kernel's notice, the colour
// books at the cursor, the tool-bar mode popup, tab tool-bar refreshes and the tab settings kept
// in the profile.
#include "commandbars/tab_tool_bar.h"
#include "platform/core/record.h"
#include "syspanel/sys_panel_toolbar.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
constexpr UINT kKernelNotice = 1265;

class FrameMessages : public mainframetest::RunningFrameTest {
protected:
    int Count(std::size_t from, const std::wstring& text) {
        int count = 0;
        const auto& entries = s.journal().entries();
        for (std::size_t i = from; i < entries.size(); ++i) count += entries[i].line().find(text) != std::wstring::npos;
        return count;
    }
    CKvw32Doc* Open() {
        s.user().dde(std::wstring(L"[open(\"") + kBracket + L"\")]");
        s.runUntilIdle();
        return CKvw32App::Instance()->GetCurrentDocument();
    }
    int IntVar(int id) {
        int value = -1;
        EXPECT_TRUE(frame->UnpackSyspanelIntVar(id, value)) << id;
        return value;
    }
};

// The layer, level and priority go back to 0 when a command ends in the 3D part's 3D state, but
// not while its own operation runs, nor for the filter sets whose commands keep them. The running
// command is asked whether it can go on in the view.
TEST_F(FrameMessages, TheEndOfACommandResetsTheParametersOnlyWhereNothingKeepsThem) {
    CKvw32Doc* document = Open();
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(frame->SetSyspanelControls({{907, 0, 0}, {909, 0, 0}, {911, 0, 0}}));
    auto giveValues = [&] {
        ASSERT_TRUE(frame->set_syspanel_intvar(document->Cont2D(), 907, 4, -1));
        ASSERT_TRUE(frame->set_syspanel_intvar(document->Cont2D(), 909, 6, -1));
        ASSERT_TRUE(frame->set_syspanel_int(document->Cont2D(), 911, 2));
    };
    auto layer = [&] {
        int value = -1;
        EXPECT_TRUE(frame->GetSyspanelControlIntValue(911, value));
        return value;
    };
    const std::size_t from = s.journal().entries().size();
    s.kernel().setCommandRunning(document, true);
    EXPECT_EQ(Count(from, L"call CKVView::TestTerminateCommand(true)"), 1) << "the running command sees its view";

    s.kernel().set3DState(true, true);
    giveValues();
    EXPECT_EQ(IntVar(907), 4);
    s.kernel().setCommandRunning(document, false);
    EXPECT_EQ(IntVar(907), 4) << "the 3D part's own operation keeps the values";

    s.kernel().set3DState(false, false);
    s.kernel().setCommandRunning(document, false);
    EXPECT_EQ(IntVar(907), 4) << "outside the 3D state the values stay";

    s.kernel().set3DState(true, false);
    s.kernel().setCommandRunning(document, false);
    EXPECT_EQ(IntVar(907), 0);
    EXPECT_EQ(IntVar(909), 0);
    EXPECT_EQ(layer(), 0);

    giveValues();
    ASSERT_TRUE(frame->SetSelectionFilterSet(13));
    s.kernel().setCommandRunning(document, false);
    EXPECT_EQ(IntVar(907), 4) << "filter set 13 keeps the values";
    EXPECT_EQ(layer(), 2);
    s.kernel().set3DState(false, false);
}

// Moves and size changes reach the PDM client while the program works inside the PDM system;
// the kernel's notice goes to the 3D part and is answered 0.
TEST_F(FrameMessages, TheFramesMovesReachThePdmClientAndTheKernelsNoticeThe3DPart) {
    std::size_t from = s.journal().entries().size();
    ::SetWindowPos(window, nullptr, 40, 40, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Count(from, L"KVPDMClient::OnMainWindowMoved"), 0) << "no PDM client without the PDM system";
    s.kernel().setPdmConnected(true);
    from = s.journal().entries().size();
    ::SetWindowPos(window, nullptr, 60, 60, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ::SetWindowPos(window, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    const std::wstring moved = L"call KVPDMClient::OnMainWindowMoved(" + platform::core::handleText(window) + L")";
    EXPECT_EQ(Count(from, moved), 2) << "a move and a size change";
    s.kernel().setPdmConnected(false);

    from = s.journal().entries().size();
    EXPECT_EQ(::SendMessageW(window, kKernelNotice, 3, 4), 0);
    EXPECT_EQ(Count(from, L"call CKVCom_Is3D::OnMainFrameNotice(" + platform::core::handleText(window) + L", 3, 4)"), 1);
}

// The colour books open where the user last pointed; the colour chosen there becomes the
// colour control's value (shifted into its place).
class ColourBookListener : public TypedApplicationEventListener<kEventColourBookSelection> {
public:
    void OnApplicationEvent(UINT, const ApplicationEventArgs& args) override {
        auto& selection = const_cast<AlterColorSelectArgs&>(static_cast<const AlterColorSelectArgs&>(args));
        cursor = selection.cursor;
        folder = selection.folder;
        selection.chosen = true;
        selection.color = 0x123456;
    }
    POINT cursor{};
    CString folder;
};

TEST_F(FrameMessages, ColourBooksOpenAtTheCursorAndTheirChoiceBecomesTheColour) {
    ASSERT_NE(Open(), nullptr);
    ColourBookListener listener;
    ASSERT_FALSE(s.user().mouse(window, POINT{300, 200}, User::MouseAction::Move));
    s.runUntilIdle();
    POINT expected{300, 200};
    ::ClientToScreen(window, &expected);
    s.user().command(window, 2031);
    s.runUntilIdle();
    EXPECT_EQ(listener.cursor.x, expected.x);
    EXPECT_EQ(listener.cursor.y, expected.y);
    EXPECT_EQ(listener.folder.Right(11), CString(L"ColorBooks\\"));
    int colour = 0;
    ASSERT_TRUE(frame->GetSyspanelControlIntValue(904, colour));
    EXPECT_EQ(colour, 0x12345600);
}

// The tool-bar mode popup lists the tabbed tool bar's tabs as they are when it opens, each with
// the key that selects it; hiding the shown tab makes the bar show the first visible one.
TEST_F(FrameMessages, TheToolBarModePopupFollowsTheTabsAndAHiddenTabGivesWay) {
    CKVTabToolBar* tabBar = frame->GetTabToolBar();
    ASSERT_NE(tabBar, nullptr);
    // Every tab brings its own mode popup; only the one of the tab shown is on the bar.
    auto modePopup = [&] {
        return dynamic_cast<CXTPControlPopup*>(tabBar->GetControls()->FindControl(xtpControlError, 1075, TRUE, FALSE));
    };
    CXTPControlPopup* popup = modePopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetCategory(), tabBar->GetItem(tabBar->GetCurSel())->caption);
    const std::size_t tabs = static_cast<std::size_t>(tabBar->GetItemCount());
    const UINT addedButtons[] = {57600};
    ASSERT_GE(tabBar->AddOriginalTab(L"Added later", addedButtons, 1, 0, true, GUID{1, 2, 3, {}}), 0);
    std::vector<std::wstring> lines;
    s.user().expectMenu([&](const std::vector<std::wstring>& menu) {
        lines = menu;
        return 0u;
    });
    popup->OpenPopup();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), L"7008 Added later");
    EXPECT_EQ(lines.size(), tabs + 1) << "one item per tab";
    CXTPControls* items = popup->GetCommandBar()->GetControls();
    CXTPShortcutManager* shortcuts = frame->GetCommandBars()->GetShortcutManager();
    int withKeys = 0;
    for (int i = 0; i < items->GetCount(); ++i) {
        const int key = tabBar->GetAccelKey(i);
        EXPECT_EQ(items->GetAt(i)->GetShortcutText().IsEmpty(), key == 0) << i;
        if (key == 0) continue;
        ++withKeys;
        EXPECT_EQ(items->GetAt(i)->GetShortcutText(), shortcuts->FindShortcutText(7000 + static_cast<UINT>(i)));
    }
    EXPECT_GT(withKeys, 0) << "the sample's tabs have keys";

    const int shown = tabBar->GetCurSel();
    ASSERT_GE(shown, 0);
    int firstOther = -1;
    for (int i = 0; i < static_cast<int>(tabs) && firstOther < 0; ++i)
        if (i != shown && tabBar->GetItem(i)->visible) firstOther = i;
    ASSERT_GE(firstOther, 0);
    tabBar->SetItemVisible(shown, false);
    EXPECT_EQ(tabBar->GetCurSel(), firstOther);
    // Only the controls of the tab now shown stay on the bar.
    const CString category = tabBar->GetItem(firstOther)->caption;
    int visible = 0;
    for (int i = 0; i < tabBar->GetControls()->GetCount(); ++i) {
        const CXTPControl* control = tabBar->GetControls()->GetAt(i);
        if (!control->IsVisible()) continue;
        ++visible;
        EXPECT_EQ(control->GetCategory(), category) << i;
    }
    EXPECT_GT(visible, 0);
    ASSERT_NE(modePopup(), nullptr) << "the tab now shown has its mode popup";
    EXPECT_EQ(modePopup()->GetCategory(), category);
}

// The document tabs' settings are kept in the profile when the last frame closes and when the
// Windows session ends, and the next start reads them back.
TEST_F(FrameMessages, TheTabSettingsOutliveTheProgramBySessionEndAndByClosing) {
    const std::wstring section = s.registry().productKey() + L"\\TabClient";
    frame->GetTabClient().SetTabPosition(xtpTabPositionLeft);
    for (const auto& answer : s.user().logoff()) EXPECT_TRUE(answer.agreed);
    s.runUntilIdle();
    EXPECT_EQ(s.registry().getDword(L"HKEY_CURRENT_USER", section, L"TabPosition"), 1u) << "saved as the session ends";
}

TEST_F(FrameMessages, ClosingTheLastFrameKeepsTheTabSettingsAndAFloatingPropertiesPaneIsFitted) {
    const std::wstring section = s.registry().productKey() + L"\\TabClient";
    const HWND second = s.kernel().newMainFrame();
    ASSERT_NE(second, nullptr);
    CXTPDockingPane* properties = frame->GetPaneManager().FindPane(1007);
    ASSERT_NE(properties, nullptr);
    frame->GetPaneManager().FloatPane(properties, RECT{100, 100, 400, 500});
    std::size_t from = s.journal().entries().size();
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    s.runUntilIdle();
    EXPECT_EQ(Count(from, L"call Korvo::UI::PropertiesWindow::UpdateFloatingSize()"), 1);
    EXPECT_FALSE(s.registry().hasValue(L"HKEY_CURRENT_USER", section, L"TabPosition")) << "not the last frame";

    CMainFrame* last = mainframetest::frameOf(second);
    last->GetTabClient().SetTabPosition(xtpTabPositionBottom);
    from = s.journal().entries().size();
    ::PostMessageW(second, WM_CLOSE, 0, 0);
    s.runUntilIdle();
    EXPECT_EQ(Count(from, L"UpdateFloatingSize"), 0) << "a docked properties pane is left as it is";
    EXPECT_EQ(s.registry().getDword(L"HKEY_CURRENT_USER", section, L"TabPosition"), 2u);
}

// What the toolkit asks the frame to make: the filter-configuration button anywhere, the
// theme popup as a button popup on a tool bar and as a plain submenu in a menu, and a group's
// popup only for a tool bar.
TEST_F(FrameMessages, ControlsAskedForTakeTheirFormFromWhereTheyGo) {
    auto ask = [&](UINT id, BOOL toolBar, CXTPCommandBar* bar) {
        XTP_COMMANDBARS_CREATECONTROL request;
        request.nID = id;
        request.bToolBar = toolBar;
        request.pCommandBar = bar;
        const LRESULT handled = ::SendMessageW(window, XTPWM_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&request));
        EXPECT_EQ(handled != 0, request.pControl != nullptr) << id;
        return request.pControl;
    };
    CXTPControl* filters = ask(2438, FALSE, nullptr);
    EXPECT_NE(dynamic_cast<Korvo::UI::SelectionFilterConfigurationButton*>(filters), nullptr);
    EXPECT_EQ(filters ? filters->GetID() : 0, 2438);

    CKVTabToolBar* toolBar = frame->GetTabToolBar();
    CXTPControl* onBar = ask(2851, TRUE, toolBar);
    ASSERT_NE(onBar, nullptr);
    EXPECT_EQ(onBar->GetType(), xtpControlButtonPopup);
    CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    CXTPControl* inMenu = ask(2851, FALSE, menu);
    ASSERT_NE(inMenu, nullptr);
    EXPECT_EQ(inMenu->GetType(), xtpControlPopup);

    EXPECT_EQ(ask(1093, FALSE, menu), nullptr) << "a group's popup is for tool bars only";
    CXTPControl* group = ask(1093, TRUE, toolBar);
    EXPECT_NE(group, nullptr);
    for (CXTPControl* made : {filters, onBar, inMenu, group})
        if (made) made->InternalRelease();
    menu->InternalRelease();
}

// A resource the toolkit's hook cannot have is reported to the UI module, and the message still
// reaches the frame.
TEST_F(FrameMessages, AResourceFailureInTheToolkitsHookIsReportedAndTheMessageGoesOn) {
    s.faults().failAt(L"CXTPCommandBarsFrameHook::OnHookMessage 1265");
    const std::size_t from = s.journal().entries().size();
    EXPECT_EQ(::SendMessageW(window, kKernelNotice, 1, 2), 0);
    EXPECT_EQ(Count(from, L"call UIModuleProxy::ReportResourceFailure("), 1);
    EXPECT_EQ(Count(from, L"call CKVCom_Is3D::OnMainFrameNotice("), 1) << "the frame handles the message as usual";
}

class SavedTabSettings : public SessionTest {
protected:
    Session s;
};

TEST_F(SavedTabSettings, AFrameStartsWithTheTabSettingsTheLastRunKept) {
    const std::wstring section = s.registry().productKey() + L"\\TabClient";
    s.registry().setDword(L"HKEY_CURRENT_USER", section, L"TabPosition", 3);
    s.registry().setDword(L"HKEY_CURRENT_USER", section, L"NewWindowItem", 1);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    CMainFrame* frame = mainframetest::frameOf(s.inspect().mainFrames().at(0));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetTabClient().GetTabPosition(), xtpTabPositionRight);
    EXPECT_TRUE(frame->GetTabClient().IsNewWindowItemShown());
}

}  // namespace
