// The first main frame's fixed tables as a user meets them: the commands only full menus show,
// the key names its shortcuts are written with, the command ranges its update pass refuses, and
// the order in which its windows come to be.
#include <algorithm>
#include <map>
#include <optional>

#include "platform/core/record.h"
#include "tests/mainframe/main_frame_test_support.h"
#include "tests/support/table_check.h"

namespace {

using namespace platform::harness;
using tablecheck::ExpectMembers;
using tablecheck::ExpectRows;

class FrameTables : public mainframetest::RunningFrameTest {
protected:
    // Whether a menu command sent to the frame was refused by its update pass.
    bool Refused(UINT id) {
        const std::wstring warning = L"disabled command " + std::to_wstring(id) + L" not executed";
        const std::size_t before = s.journal().entries().size();
        s.user().command(window, id);
        s.runUntilIdle();
        const auto& entries = s.journal().entries();
        for (std::size_t i = before; i < entries.size(); ++i)
            if (entries[i].line().find(warning) != std::wstring::npos) return true;
        return false;
    }
};

TEST_F(FrameTables, OnlyFullMenusShowTheHiddenCommandsFromFirstToLast) {
    CXTPCommandBars* bars = frame->GetCommandBars();
    ExpectMembers<int>("hidden commands", {1045, 57612, 8059, 1683, 1094, 1246},
                       {1044, 1046, 57611, 57613, 1245, 1247},
                       [&](int id) { return bars->IsControlHidden(id) != FALSE; });
}

TEST_F(FrameTables, ShortcutsNameEachKeyOfTheKeyTablesAndTheirNeighboursByCode) {
    CXTPShortcutManager* shortcuts = frame->GetCommandBars()->GetShortcutManager();
    ExpectRows<UINT, std::wstring>("key names",
                                   {// the modifiers, their "+" removed
                                    {17, L"Ctrl"}, {18, L"Alt"}, {16, L"Shift"},
                                    // the named keys
                                    {34, L"Page Down"}, {33, L"Page Up"}, {36, L"Home"}, {35, L"End"},
                                    {45, L"Insert"}, {46, L"Delete"}, {27, L"Esc"}, {32, L"Space"},
                                    // keys beyond each run keep the toolkit's own names
                                    {15, L"#15"}, {19, L"#19"}, {26, L"#26"}, {28, L"#28"}, {31, L"#31"},
                                    {37, L"#37"}, {44, L"#44"}, {47, L"#47"}},
                                   [&](UINT key) { return std::wstring(shortcuts->GetKeyNameText(key)); });
}

TEST_F(FrameTables, TheUpdatePassRefusesEachDisabledRangeFromEndToEnd) {
    // User commands (none registered) and pane toggles of panes the frame lacks (the two runs'
    // ends) are refused. Tool-bar toggles and tool-bar tabs past their lists do nothing and keep
    // their state, and the window menu's items keep theirs.
    // The find-command pane (799) exists, closed: its toggle shows it.
    ExpectMembers<UINT>("refused commands", {781, 826, 37000, 37999},
                        {699, 700, 749, 750, 780, 799, 810, 827, 6999, 7000, 7199, 7200, 36999, 38000, 65279, 65280, 65289, 65290},
                        [&](UINT id) { return Refused(id); });
}

TEST_F(FrameTables, TheFramesWindowsComeInTheOrderOfItsCreationSteps) {
    const std::vector<std::wstring> children = mainframetest::childClasses(window);
    // The client, then the status line, the panes, the menu bar and the ribbon as their steps run.
    tablecheck::ExpectSteps("the frame's children", children,
                            {L"MDICLIENT", L"XTPStatusBar", L"XTPDockingPaneManager", L"XTPMenuBar", L"XTPRibbon",
                             L"XTPToolBar"});
}

TEST_F(FrameTables, TheFirstFrameIsMadeStepByStepInItsOrder) {
    const std::wstring handle = platform::core::handleText(window);
    std::vector<std::wstring> lines;
    for (const auto& entry : s.journal().entries()) lines.push_back(entry.line());
    tablecheck::ExpectSteps("the first frame's creation", lines,
                            {L"call Korvo::UI::MainFrameState::loadDefault(", L"log 2 Constructed main window @",
                             L"window created " + handle, L"call UIModuleProxy::AdjustCommandBarsOptions(" + handle + L")",
                             L"call CXTPShortcutManager::SetAccelerators(1)",
                             L"call UIModuleProxy::SetupControlImage(",  // the ribbon's PDM popup
                             L"log 2 Initialized docking panes in", L"log 2 Initialized tool bars in",
                             L"call UIModuleProxy::RegisterMainFrame(" + handle + L")",
                             L"call UIModuleProxy::SetCommandBarsIconSize(" + handle, L"log 2 Created main frame in",
                             L"window shown " + handle});
}

// In ribbon mode the auto-menu bar's toggle is refused, and so are the view options without a
// document view; the bar toggles run; the ribbon switch shows checked while the ribbon is on.
TEST_F(FrameTables, TheFrameCommandsFollowTheirRulesAndTheRibbonSwitchShowsTheMode) {
    const auto checked = [&] {
        CCmdUI state;
        state.m_nID = 806;
        frame->OnCmdMsg(806, CN_UPDATE_COMMAND_UI, &state, nullptr);
        EXPECT_TRUE(state.m_stateEnabled);
        return state.m_stateCheck;
    };
    ExpectMembers<UINT>("refused frame commands", {800, 803, 804}, {801, 802, 805, 806, 807},
                        [&](UINT id) { return Refused(id); });
    const bool ribbon = frame->IsRibbonMode();
    EXPECT_EQ(checked(), ribbon ? 1 : 0);
    s.user().command(window, 806);
    s.runUntilIdle();
    EXPECT_EQ(frame->IsRibbonMode(), !ribbon);
    EXPECT_EQ(checked(), ribbon ? 0 : 1);
}

// The update pass as the tool-bars popup shows it: a tool-bar entry is checked while its bar
// shows; a pane toggle is enabled while the frame has the pane and checked while it is open.
TEST_F(FrameTables, TheToolBarsPopupShowsEachBarAndPaneAsItIs) {
    CXTPCommandBars* bars = frame->GetCommandBars();
    CXTPToolBar* bar = nullptr;
    for (int i = 0; i < bars->GetCount() && !bar; ++i)
        if (bars->GetAt(i)->GetType() == xtpBarTypeNormal && bars->GetAt(i)->IsVisible()) bar = bars->GetAt(i);
    ASSERT_NE(bar, nullptr);
    RECT rect{};
    bar->GetWindowRect(&rect);
    const POINT away{rect.left + 60, rect.top + 5};  // away from the fix item's border
    // Each item's state by id, from the popup the user sees ("" when enabled and unchecked).
    const auto states = [&](bool choose, int id) {
        const std::size_t before = s.journal().entries().size();
        if (choose)
            s.user().expectMenuChoose(id);
        else
            s.user().expectMenuDismiss();
        bars->ContextMenu(bar, away);
        s.runUntilIdle();
        std::map<int, std::wstring> shown;
        const auto& entries = s.journal().entries();
        for (std::size_t i = before; i < entries.size(); ++i) {
            std::wstring line = entries[i].line();
            if (line.rfind(L"menu ", 0) != 0 || line.find(L'"') == std::wstring::npos) continue;
            line = line.substr(5);
            line.erase(0, line.find_first_not_of(L" -"));
            const int item = std::stoi(line);
            const std::size_t close = line.rfind(L'"');
            shown[item] = close + 1 < line.size() ? line.substr(close + 2) : L"";
        }
        return shown;
    };
    std::map<int, std::wstring> shown = states(false, 0);
    tablecheck::ExpectRows<int, std::wstring>(
        "tool-bars popup",
        {{700, L"checked"}, {702, L""},                  // a shown and a hidden bar
         {785, L"checked"}, {816, L""}, {782, L""},  // an open pane and two closed ones
         {781, L"disabled"}, {799, L""}, {811, L"checked"}},
        [&](int id) { return shown.count(id) ? shown[id] : L"(absent)"; });

    // The other side of each rule: the bar hidden, the pane closed by the user.
    for (int i = 0; i < bars->GetCount(); ++i)
        if (bars->GetAt(i)->GetTitle() == L"Compact Panel") bars->GetAt(i)->SetVisible(FALSE);
    ASSERT_EQ(s.user().paneAction(window, 1006, User::PaneAction::Close), std::nullopt);
    shown = states(false, 0);
    tablecheck::ExpectRows<int, std::wstring>("tool-bars popup after the changes", {{700, L""}, {785, L""}},
                                              [&](int id) { return shown.count(id) ? shown[id] : L"(absent)"; });
}

}  // namespace
