// The frame's commands and messages where the console cannot reach them: the fates of a DDE
// command, a close inside a nested loop, the PDM commands by item state, the PDM pane bits and
// torn-off popups.
#include "commandbars/tab_tool_bar.h"
#include "mainframe/main_frame_commands.h"
#include "platform/core/record.h"
#include "tests/mainframe/main_frame_test_support.h"
#include "tests/support/table_check.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";

class FrameCommands : public mainframetest::RunningFrameTest {
protected:
    std::vector<std::wstring> LinesFrom(std::size_t from) {
        std::vector<std::wstring> lines;
        const auto& entries = s.journal().entries();
        for (std::size_t i = from; i < entries.size(); ++i) lines.push_back(entries[i].line());
        return lines;
    }
    // The journal lines since `from` that contain `text`.
    int Count(std::size_t from, const std::wstring& text) {
        int count = 0;
        for (const std::wstring& line : LinesFrom(from)) count += line.find(text) != std::wstring::npos ? 1 : 0;
        return count;
    }
    bool Opened() { return !s.kernel().openedDocuments().empty(); }
    std::wstring OpenCommand() { return std::wstring(L"[open(\"") + kBracket + L"\")]"; }
    bool Enabled(UINT id) {
        CCmdUI state;
        state.m_nID = id;
        frame->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        return state.m_stateEnabled != FALSE;
    }
};

// Enabled: the command runs. Disabled in a modal state: it waits and runs when the last modal
// state ends. Disabled otherwise (a box of another loop is open) or empty: dropped, and the
// acknowledgement says so. Every acknowledgement comes before the command runs.
TEST_F(FrameCommands, DdeRunsQueuesOrIsDroppedAndTheAcknowledgementSaysWhich) {
    std::size_t from = s.journal().entries().size();
    s.user().dde(L"");
    s.runUntilIdle();
    EXPECT_EQ(Count(from, L"dde ack negative"), 1) << "an empty command";

    frame->BeginModalState();
    frame->EnableWindow(FALSE);
    from = s.journal().entries().size();
    s.user().dde(OpenCommand());
    s.runUntilIdle();
    EXPECT_EQ(Count(from, L"dde ack positive"), 1);
    EXPECT_FALSE(Opened()) << "queued while the modal state lasts";
    frame->EndModalState();
    frame->EnableWindow(TRUE);
    s.runUntilIdle();
    EXPECT_TRUE(Opened()) << "replayed when the modal state ended";

    // A box open over the frame (here one of File Close's questions) disables it without a modal
    // state: a command that arrives meanwhile is dropped.
    s.kernel().setModified(CKvw32App::Instance()->GetCurrentDocument(), true);
    s.user().expectBox(L"Save changes*", [&](const BoxRequest&) {
        const std::size_t before = s.journal().entries().size();
        s.user().dde(L"[open(\"C:\\Users\\user\\Documents\\Samples\\Gear.png\")]");
        s.kernel().pumpMessages();
        EXPECT_EQ(Count(before, L"dde ack negative"), 1) << "dropped while the box is open";
        return Button::Cancel;
    });
    s.user().command(window, 57602);
    s.runUntilIdle();
    EXPECT_EQ(s.kernel().openedDocuments().size(), 1u) << "the dropped command never runs";
    EXPECT_TRUE(CKvw32App::Instance()->GetPendingDdeCommands().empty());
    s.kernel().setModified(CKvw32App::Instance()->GetCurrentDocument(), false);
}

// A close that reaches the frame inside a dialog's loop waits for the outer loop; the dialog's
// loop still reaches its user though the close keeps coming back meanwhile.
TEST_F(FrameCommands, ACloseInsideANestedLoopIsPostedAgainAndRunsAfterIt) {
    const HWND second = s.kernel().newMainFrame();
    ASSERT_NE(second, nullptr);
    using platform::core::DialogAction;
    s.user().expectDialog(std::wstring(L"dialogs.window_list"),
                          std::vector<DialogAction>{DialogAction{DialogAction::Kind::Cancel, 0, {}}});
    const std::size_t from = s.journal().entries().size();
    s.user().command(second, 61217);
    PostMessageW(second, WM_CLOSE, 0, 0);
    s.runUntilIdle();
    const std::wstring handle = platform::core::handleText(second);
    tablecheck::ExpectSteps("closing from inside the window list", LinesFrom(from),
                            {L"log 2 Closing main window " + handle, L"dialog cancel", L"dialog ended 2",
                             L"log 2 Closing main window " + handle, L"window destroyed " + handle});
    EXPECT_EQ(s.inspect().mainFrames().size(), 1u);
}

// The PDM document commands follow the item's state: submit and revert while it is taken for
// editing, neither once it is checked in; editing stays off for a document the viewer blocks.
TEST_F(FrameCommands, PdmCommandsFollowTheItemsState) {
    s.kernel().setPdmConnected(true);
    s.kernel().pdmManageFile(kBracket, false);
    s.user().dde(OpenCommand());
    s.runUntilIdle();
    s.kernel().pdmSetItemState(kBracket, 3);
    EXPECT_FALSE(Enabled(2929)) << "the viewer blocks editing";
    EXPECT_FALSE(Enabled(2930));
    EXPECT_FALSE(Enabled(2938));
    s.kernel().pdmSetItemState(kBracket, 2);
    EXPECT_TRUE(Enabled(2930));
    EXPECT_TRUE(Enabled(2938));
    // Submitting checks the item in.
    s.user().command(window, 2930);
    s.runUntilIdle();
    EXPECT_FALSE(Enabled(2930));
    // Without the PDM system nothing is enabled.
    s.kernel().pdmSetItemState(kBracket, 2);
    s.kernel().setPdmConnected(false);
    EXPECT_FALSE(Enabled(2930));
    EXPECT_FALSE(Enabled(2938));
}

// Reverting asks first; "No" keeps the document open and the item as it was.
TEST_F(FrameCommands, RevertAsksAndNoChangesNothing) {
    s.kernel().setPdmConnected(true);
    s.kernel().pdmManageFile(kBracket, false);
    s.user().dde(OpenCommand());
    s.runUntilIdle();
    s.kernel().pdmSetItemState(kBracket, 2);
    s.user().expectBox(L"Отменить изменения документа*", Button::No);
    const std::size_t from = s.journal().entries().size();
    s.user().command(window, 2938);
    s.runUntilIdle();
    EXPECT_EQ(Count(from, L"KVPDMItem::Revert"), 0);
    EXPECT_EQ(s.kernel().documentTitles().size(), 1u);
    EXPECT_TRUE(Enabled(2938));
}

// The open-PDM-panes bits: a pane shown sets its bit, a pane closed clears it, a disconnect
// records which PDM panes are open; other panes leave the bits alone.
TEST_F(FrameCommands, PdmPaneBitsFollowShownClosedAndDisconnect) {
    EXPECT_EQ(FramePdmPaneBit(1012), 1);
    EXPECT_EQ(FramePdmPaneBit(1040), 128);
    EXPECT_EQ(FramePdmPaneBit(1016), 0);
    // The PDM panes come with the connection; the program's own showing is put aside.
    std::wstring answer;
    ASSERT_TRUE(Kernel::pdmWork(L"ConnectPdm", {}, answer));
    s.runUntilIdle();
    for (const UINT id : {1012u, 1013u, 1014u, 1015u, 1019u, 1027u, 1033u, 1040u}) frame->GetPaneManager().ClosePane(id);
    s.runUntilIdle();
    frame->SetVarnelWindowBits(0);
    CXTPDockingPane* pane = frame->GetPaneManager().FindPane(1014);  // made closed by the connection
    ASSERT_NE(pane, nullptr);
    frame->GetPaneManager().ShowPane(pane, FALSE);
    s.runUntilIdle();
    EXPECT_EQ(frame->GetVarnelWindowBits(), 8u);
    frame->GetPaneManager().ClosePane(pane);
    s.runUntilIdle();
    EXPECT_EQ(frame->GetVarnelWindowBits(), 0u);
    frame->GetPaneManager().ShowPane(pane, FALSE);
    frame->SetVarnelWindowBits(0x41);  // 1012 and 1033 were open before
    frame->OnChangeVarnelConnectionState(false);
    EXPECT_EQ(frame->GetVarnelWindowBits(), 8u) << "only the pane open now";
}

// A torn-off popup loses its spacer; the display-mode popup torn off takes its ten buttons in
// their own order.
TEST_F(FrameCommands, TornOffPopupsLoseTheSpacerOrTakeTheDisplayOrder) {
    CXTPCommandBars* bars = frame->GetCommandBars();
    CXTPToolBar* spaced = bars->Add(L"Torn", xtpBarTop);
    ASSERT_NE(spaced, nullptr);
    for (int id : {1236, 2135, 1202}) spaced->GetControls()->Add(xtpControlButton, id);
    SendMessageW(window, XTPWM_TEAROFFDONE, 0, reinterpret_cast<LPARAM>(spaced));
    EXPECT_EQ(spaced->GetControls()->GetCount(), 2);
    EXPECT_EQ(spaced->GetControls()->FindControl(1202), nullptr);

    CXTPToolBar* modes = bars->Add(L"Modes", xtpBarTop);
    for (int id : {1352, 1348, 1353, 1338, 1350, 1346, 1351, 1347, 1336, 1349, 1337, 1338})
        modes->GetControls()->Add(xtpControlButton, id);
    SendMessageW(window, XTPWM_TEAROFFDONE, 0, reinterpret_cast<LPARAM>(modes));
    std::vector<int> ids;
    for (int i = 0; i < modes->GetControls()->GetCount(); ++i) ids.push_back(modes->GetControls()->GetAt(i)->GetID());
    EXPECT_EQ(ids, (std::vector<int>{1346, 1347, 1348, 1349, 1350, 1351, 1352, 1353, 1336, 1337}));
    // Each button tells what it does, and the bar is exactly as wide as its buttons.
    for (int i = 0; i < modes->GetControls()->GetCount(); ++i) {
        const CXTPControl* button = modes->GetControls()->GetAt(i);
        EXPECT_EQ(button->GetTooltip(), CMainFrame::PopupButtonTooltip(static_cast<UINT>(button->GetID())));
    }
    RECT placed{};
    modes->GetWindowRect(&placed);
    EXPECT_EQ(placed.right - placed.left, 10 * modes->GetButtonSize().cx);
}

// A tool bar asking for a group's popup gets a popup tool bar of the group's registered commands
// and the spacer, which the user may tear off at width 400; tearing it off drops the spacer.
TEST_F(FrameCommands, AGroupPopupHoldsItsRegisteredCommandsAndTheSpacerTearOffRemoves) {
    CXTPToolBar* asking = frame->GetCommandBars()->Add(L"Asking", xtpBarTop);
    ASSERT_NE(asking, nullptr);
    const std::vector<UINT> group = {1027, 2036, 1093, 1265, 2054, 1201, 1036, 1039};
    XTP_COMMANDBARS_CREATECONTROL request;
    request.nID = 1093;
    request.bToolBar = TRUE;
    request.pCommandBar = asking;
    ASSERT_TRUE(SendMessageW(window, XTPWM_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&request)));
    ASSERT_NE(request.pControl, nullptr);
    EXPECT_EQ(request.pControl->GetType(), xtpControlSplitButtonPopup);
    auto* bar = dynamic_cast<CXTPPopupBar*>(request.pControl->GetCommandBar());
    ASSERT_NE(bar, nullptr);
    std::vector<UINT> expected;
    for (UINT id : group)
        if (KVCommandContainer::Instance().IsRegistered(id)) expected.push_back(id);
    EXPECT_FALSE(expected.empty());
    expected.push_back(1202);
    std::vector<UINT> ids;
    for (int i = 0; i < bar->GetControls()->GetCount(); ++i) ids.push_back(static_cast<UINT>(bar->GetControls()->GetAt(i)->GetID()));
    EXPECT_EQ(ids, expected);
    EXPECT_TRUE(bar->IsTearOffPopup());
    EXPECT_EQ(bar->GetTearOffId(), 1093u);
    EXPECT_EQ(bar->GetTearOffWidth(), 400);
    EXPECT_EQ(bar->GetWidth(), 10000);

    CXTPToolBar* torn = frame->GetCommandBars()->Add(L"Torn", xtpBarTop);
    for (UINT id : ids) torn->GetControls()->Add(xtpControlButton, static_cast<int>(id));
    SendMessageW(window, XTPWM_TEAROFFDONE, 0, reinterpret_cast<LPARAM>(torn));
    EXPECT_EQ(torn->GetControls()->GetCount(), static_cast<int>(ids.size()) - 1);
    EXPECT_EQ(torn->GetControls()->FindControl(1202), nullptr);
    request.pControl->InternalRelease();

    // An id of no group and no fixed popup is left to the toolkit.
    XTP_COMMANDBARS_CREATECONTROL other;
    other.nID = 4711;
    other.bToolBar = TRUE;
    other.pCommandBar = asking;
    EXPECT_FALSE(SendMessageW(window, XTPWM_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&other)));
}

// A document view that remembers the tabbed bar's tab keeps which of its two tabs was chosen
// last in the kernel's options; another tab, or a view that does not remember, leaves it.
TEST_F(FrameCommands, TheLastOfTheTwoRememberedToolBarTabsIsKept) {
    s.user().dde(OpenCommand());
    s.runUntilIdle();
    CKVTabToolBar* tabs = frame->GetTabToolBar();
    CKVView* view = frame->GetActiveKorvoView();
    ASSERT_NE(tabs, nullptr);
    ASSERT_NE(view, nullptr);
    const UINT buttons[] = {57600};
    const int first = tabs->AddOriginalTab(L"First", buttons, 1, 0, true,
                                           GUID{0x921ACC19, 0x6449, 0x482A, {0x8E, 0x3E, 0xF5, 0xCF, 0xB8, 0x22, 0x5D, 0xAB}});
    const int second = tabs->AddOriginalTab(L"Second", buttons, 1, 0, true,
                                            GUID{0x7E18D530, 0xB63A, 0x4B30, {0x90, 0xF7, 0x2A, 0xBE, 0xC8, 0x36, 0xDD, 0xD0}});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, first);
    int& last = GetSettings().lastToolBarTab;
    const auto choose = [&](int tab) {
        s.user().command(window, 7000 + static_cast<UINT>(tab));
        s.runUntilIdle();
        EXPECT_EQ(tabs->GetCurSel(), tab);
    };
    last = 7;
    choose(second);
    EXPECT_EQ(last, 7) << "the view does not remember";
    view->SetRememberingToolBarTab(true);
    choose(second);
    EXPECT_EQ(last, 1);
    choose(first);
    EXPECT_EQ(last, 0);
    int own = 0;
    while (own < first && !tabs->GetItem(own)->visible) ++own;
    last = 7;
    choose(own);
    EXPECT_EQ(last, 7) << "a tab of its own";
    view->SetRememberingToolBarTab(false);
    last = 0;
}

// Help for a command: ids of the topic range show topic (id & 0xFFFF) x 100; the end of the
// range is no topic.
TEST_F(FrameCommands, CommandHelpShowsTopicsOnlyInsideTheirRange) {
    std::size_t from = s.journal().entries().size();
    EXPECT_EQ(SendMessageW(window, 0x0365, 0, 0x1000C), 1);
    EXPECT_GE(Count(from, L"1200"), 1) << "topic 1200";
    from = s.journal().entries().size();
    SendMessageW(window, 0x0365, 0, 0x20000);
    EXPECT_EQ(Count(from, L"topic 0"), 0);
}

}  // namespace

namespace {

// The find-command pane floats centred under its button, held inside the work area.
TEST(FindCommandPlacement, CentredUnderTheButtonAndHeldInsideTheWorkArea) {
    const RECT work{0, 0, 1920, 1040};
    RECT r = FindCommandPaneRect(RECT{900, 100, 940, 126}, SIZE{400, 300}, work);
    EXPECT_EQ(r.left, 720);
    EXPECT_EQ(r.top, 126);
    EXPECT_EQ(r.right - r.left, 400);
    // Near the left edge the left stays at 0; near the right and bottom it moves back inside.
    r = FindCommandPaneRect(RECT{10, 100, 30, 126}, SIZE{400, 300}, work);
    EXPECT_EQ(r.left, 0);
    r = FindCommandPaneRect(RECT{1880, 900, 1910, 926}, SIZE{400, 300}, work);
    EXPECT_EQ(r.right, 1920);
    EXPECT_EQ(r.bottom, 1040);
    // Larger than the work area: as large as the work area.
    r = FindCommandPaneRect(RECT{900, 100, 940, 126}, SIZE{3000, 2000}, work);
    EXPECT_EQ(r.right - r.left, 1920);
    EXPECT_EQ(r.bottom - r.top, 1040);
    EXPECT_EQ(r.top, 0);
}

}  // namespace
