// The first main frame's fixed tables as a user meets them: the commands only full menus show,
// the key names its shortcuts are written with, the command ranges its update pass refuses, and
// the order in which its windows come to be.
#include <algorithm>

#include "tests/mainframe/main_frame_test_support.h"
#include "tests/support/table_check.h"

namespace {

using namespace platform::harness;
using tablecheck::ExpectMembers;
using tablecheck::ExpectRows;

class FrameTables : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        window = s.inspect().mainFrames().at(0);
        frame = mainframetest::frameOf(window);
        ASSERT_NE(frame, nullptr);
    }
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

    Session s;
    HWND window = nullptr;
    CMainFrame* frame = nullptr;
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
    // Tool-bar toggles before the list is built, frame commands, user commands, the window list.
    ExpectMembers<UINT>("refused commands", {700, 749, 7000, 7199, 37000, 37999, 65280, 65289},
                        {699, 750, 6999, 7200, 36999, 38000, 65279, 65290},
                        [&](UINT id) { return Refused(id); });
}

TEST_F(FrameTables, TheFramesWindowsComeInTheOrderOfItsCreationSteps) {
    const std::vector<std::wstring> children = mainframetest::childClasses(window);
    // The client, then the status line, the bars, the panes and the menu bar as their steps run.
    tablecheck::ExpectSteps("the frame's children", children,
                            {L"MDICLIENT", L"XTPStatusBar", L"XTPRibbon", L"XTPDockingPaneManager", L"XTPMenuBar",
                             L"XTPToolBar"});
}

}  // namespace
