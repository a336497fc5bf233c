// The table of panes a main frame can have: which pane ids a stored layout may name, and how
// each pane the first frame makes shows: open or closed, its title, its icon and its group.
#include <map>
#include <sstream>

#include "mainframe/panes/docking_pane_manager.h"
#include "tests/mainframe/main_frame_test_support.h"
#include "tests/support/table_check.h"

namespace {

using namespace platform::harness;

class PaneTable : public SessionTest {};

TEST_F(PaneTable, LayoutsMayNameEveryPaneOfTheTableAndNoOther) {
    CKVDockingPaneManager manager;
    tablecheck::ExpectMembers<UINT>(
        "panes a layout may name",
        {1012, 1013, 1014, 1033, 1015, 1027, 1040, 1020, 1030, 1038, 1019, 1006, 1022, 1004, 1007, 1008, 1009,
         1025, 1034, 1011, 1010, 1029, 1031, 1032, 1036, 1039, 1003, 1005, 1017, 1023, 1021, 1035, 1028, 1041},
        // Beyond both ends and the gaps between.
        {1002, 1042, 1016, 1018, 1024, 1026, 1037, 0},
        [&](UINT id) { return manager.IsLayoutPaneKnown(id); });
}

TEST_F(PaneTable, TheFirstFrameShowsEachPaneWithItsTitleIconAndGroup) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    // The dump's lines without the window handle, by pane id.
    std::map<UINT, std::wstring> shown;
    std::wistringstream dump(s.inspect().dumpPanes(s.inspect().mainFrames().at(0)));
    for (std::wstring line; std::getline(dump, line);) {
        if (line.empty() || line[0] == L' ') continue;
        shown[static_cast<UINT>(std::stoul(line))] = line.substr(line.find(L' ') + 1, line.rfind(L" window") - line.find(L' ') - 1);
    }
    tablecheck::ExpectRows<UINT, std::wstring>(
        "the first frame's panes",
        {{1030, L"closed \"Конфигурации модели\" icon 816"},
         {1006, L"docked \"Model tree\" icon 785"},
         {1022, L"docked \"Элементы модели\" icon 795 group 1006"},
         {1004, L"docked \"Documents\" icon 783 group 1006 selected"},
         {1007, L"docked \"Properties\" icon 811 group 1006"},
         {1008, L"closed \"Tasks\" icon 4172 group 1006"},
         {1009, L"closed \"NC program\" icon 4226 group 1006"},
         {1011, L"closed \"Weld tree\" icon 813 group 1006"},
         {1029, L"closed \"Аннотации\" icon 815 group 1006"},
         {1031, L"closed \"Слои\" icon 817 group 1006"},
         {1039, L"closed \"Очередь построения\" icon 824 group 1006"},
         {1003, L"closed \"Bird's eye view\" icon 782"},
         {1005, L"closed \"Errors\" icon 4153 group 1003"},
         {1023, L"closed \"Структура сборки\" icon 796"},
         {1035, L"closed \"Типоразмеры\" icon 821 group 1030"},
         {1028, L"closed \"Поиск команды\" icon 799"}},
        [&](UINT id) { return shown[id]; });
    // The PDM explorer panes come with the PDM system's connection.
    EXPECT_EQ(shown.size(), 16u);
}

}  // namespace
