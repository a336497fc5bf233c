// The selection-filter sets: the table's shape, switching between sets (refusals included), the
// looks a set gives its buttons, and the selection area laid out before the filter buttons.
#include <algorithm>
#include <set>
#include <vector>

#include "platform/kernel/ui/control.h"
#include "syspanel/filter_sets.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using syspaneltest::PanelTest;

const std::vector<int> kParameterRow = {1079, 911, 1044, 907, 910, 909, 2031, 904};

std::vector<int> idsOn(CSysPanelToolbar* bar) {
    std::vector<int> ids;
    for (int index = 0; index < bar->GetControls()->GetCount(); ++index) ids.push_back(bar->GetControls()->GetAt(index)->GetID());
    return ids;
}

std::vector<int> joined(std::vector<int> first, const std::vector<int>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(FilterSetTable, ThirtySixUniqueSetsEachEndedWithinItsRecord) {
    const auto sets = FilterSets::All();
    ASSERT_EQ(sets.size(), 36u);
    std::set<int> ids;
    for (const FilterSets::Record& record : sets) {
        EXPECT_TRUE(ids.insert(record[0]).second) << record[0];
        const auto members = FilterSets::MembersOf(record);
        EXPECT_LT(members.size(), 30u) << record[0];  // the end marker stands inside the record
        EXPECT_EQ(record[members.size() + 1], -1) << record[0];
        // Every look a set gives is of a filter button the set lists, but for the three its looks
        // add (2741 in set 32, 2720 in set 18, 2718 in set 19), each once (set 32 gives 2706 first
        // and again in the order of set 5).
        const std::set<std::pair<int, int>> added = {{32, 2741}, {18, 2720}, {19, 2718}};
        std::multiset<int> looked;
        for (const FilterSets::ButtonLook& look : FilterSets::LooksOf(record[0])) {
            EXPECT_TRUE(Korvo::UI::IsFilterButtonId(look.id)) << record[0] << " " << look.id;
            const bool listed = std::find(members.begin(), members.end(), look.id) != members.end();
            EXPECT_TRUE(listed || added.contains({record[0], look.id})) << record[0] << " " << look.id;
            looked.insert(look.id);
        }
        for (const int id : looked) EXPECT_EQ(looked.count(id), record[0] == 32 && id == 2706 ? 2u : 1u) << record[0] << " " << id;
    }
    // The fixed command icons: two of their own, every other command the icon of its own number.
    for (const auto& [command, icon] : FilterSets::FixedCommandIcons())
        EXPECT_EQ(icon, command == 2792 ? 41064u : command == 2791 ? 43162u : command) << command;
    EXPECT_EQ(FilterSets::Find(99), nullptr);
    const auto six = FilterSets::MembersOf(*FilterSets::Find(6));
    EXPECT_EQ(std::vector<int>(six.begin(), six.end()),
              (std::vector<int>{1289, 1290, 1291, 0, 1292, 1293, 1294, 1295, 0, 1298, 0, 1320, 0, 1296, 0, 1297, 0, 1327,
                                904, 906, 914, 915}));
}

TEST_F(PanelTest, SetFiveShowsItsMembersWithTheSelectionAreaBeforeTheFilterButtons) {
    ASSERT_TRUE(bar->SwitchSelectionFilterSet(5));
    EXPECT_EQ(bar->GetCurrentFilterSet(), 5);
    const std::vector<int> area = {1250, 1869, 2796, 2797, 2799, 1870, 1871,
                                   2701, 2702, 2703, 2704, 2705, 2706, 2707, 2708, 2709};
    EXPECT_EQ(idsOn(bar), joined(kParameterRow, area));
    CXTPControls* controls = bar->GetControls();
    EXPECT_TRUE(controls->FindControl(2796)->GetBeginGroup());  // the member list's separator
    EXPECT_TRUE(controls->FindControl(1870)->GetBeginGroup());
    EXPECT_TRUE(controls->FindControl(1870)->GetEnabled());
    EXPECT_EQ(controls->FindControl(1871)->GetFlags() & xtpFlagManualUpdate, xtpFlagManualUpdate);
    EXPECT_TRUE(controls->FindControl(2701)->GetBeginGroup());
    EXPECT_FALSE(controls->FindControl(2702)->GetBeginGroup());
    EXPECT_EQ(controls->FindControl(2705)->GetIconId(), 4139);
    EXPECT_EQ(controls->FindControl(2705)->GetTooltip(), CString(L"Ellipses"));
    EXPECT_EQ(bar->GetLayoutLockCount(), 0u);
    // Commands get their fixed icons, only when they have none.
    EXPECT_EQ(bars->GetImageManager()->Lookup(2792, 16)->GetResourceID(), 41064u);
    EXPECT_EQ(bars->GetImageManager()->Lookup(1250, 16)->GetResourceID(), 1250u);
    EXPECT_NE(platform::harness::indexOf(platform::harness::logs(s), L"2 Switched system panel to selection filter set #5"), -1);

    // Set 0: the parameters alone, and the selection area goes with the last filter button.
    ASSERT_TRUE(bar->SwitchSelectionFilterSet(0));
    EXPECT_EQ(idsOn(bar), kParameterRow);
    EXPECT_EQ(bar->GetG1Button()->GetControls(), nullptr);
}

TEST_F(PanelTest, TheCurrentSetAnUnknownOneAndARefusedListLeaveTheBarAsItIs) {
    ASSERT_TRUE(bar->SwitchSelectionFilterSet(13));
    CXTPControl* first = bar->GetControls()->GetAt(0);
    bar->SetFilterButtonText(2713, 999, L"Changed");
    const std::vector<int> shown = idsOn(bar);
    const std::size_t logged = platform::harness::logs(s).size();

    EXPECT_TRUE(bar->SwitchSelectionFilterSet(13));  // no rebuild, no looks applied, no log
    EXPECT_EQ(bar->GetControls()->GetAt(0), first);
    EXPECT_EQ(bar->GetControls()->FindControl(2713)->GetTooltip(), CString(L"Changed"));
    EXPECT_FALSE(bar->SwitchSelectionFilterSet(99));
    EXPECT_EQ(idsOn(bar), shown);
    s.faults().failAt(L"CXTPCommandBar::SetButtons");
    EXPECT_FALSE(bar->SwitchSelectionFilterSet(5));
    EXPECT_EQ(bar->GetCurrentFilterSet(), 13);
    EXPECT_EQ(idsOn(bar), shown);
    EXPECT_EQ(platform::harness::logs(s).size(), logged);
}

TEST_F(PanelTest, ASetsLooksMayAddButtonsItDoesNotListAndLeaveOthersAtTheirDefaults) {
    platform::kernel::overrideString(16445, L"Table cells");
    ASSERT_TRUE(bar->SwitchSelectionFilterSet(32));
    std::vector<int> ids = idsOn(bar);
    const auto at = [&](int id) { return std::find(ids.begin(), ids.end(), id) - ids.begin(); };
    EXPECT_EQ(at(2741), at(2740) + 1);  // by its ordinal, before the set-5 buttons
    EXPECT_EQ(at(2701), at(2741) + 1);
    EXPECT_EQ(bar->GetControls()->FindControl(2741)->GetIconId(), 40930);
    EXPECT_EQ(bar->GetControls()->FindControl(2739)->GetTooltip(), CString(L"Элементы схемы"));

    ASSERT_TRUE(bar->SwitchSelectionFilterSet(18));
    CXTPControl* marks = bar->GetControls()->FindControl(2720);
    ASSERT_NE(marks, nullptr);
    EXPECT_EQ(bar->GetControls()->IndexOf(marks), bar->GetControls()->IndexOf(bar->GetControls()->FindControl(2719)) + 1);
    auto* pictures = dynamic_cast<Korvo::UI::SelectionFilterButton*>(bar->GetControls()->FindControl(2719));
    EXPECT_EQ(pictures->GetIconId(), pictures->GetDefaultIconId());
    EXPECT_EQ(pictures->GetTooltip(), pictures->GetDefaultTooltip());

    ASSERT_TRUE(bar->SwitchSelectionFilterSet(45));
    EXPECT_EQ(bar->GetControls()->FindControl(2715)->GetIconId(), 4130);
    EXPECT_EQ(bar->GetControls()->FindControl(2715)->GetTooltip(), CString(L"Lines"));
    ASSERT_TRUE(bar->SwitchSelectionFilterSet(28));
    EXPECT_EQ(bar->GetControls()->FindControl(2716)->GetTooltip(), CString(L"Table cells"));
    ASSERT_TRUE(bar->SwitchSelectionFilterSet(23));
    EXPECT_EQ(bar->GetControls()->FindControl(2717)->GetIconId(), 980);

    // Icon 0 takes a button off the bar; for one that is not there it does nothing.
    bar->SetFilterButtonText(2717, 0, L"Gone");
    EXPECT_EQ(bar->GetControls()->FindControl(2717), nullptr);
    bar->SetFilterButtonText(2717, 0, L"Gone");
    EXPECT_EQ(bar->GetControls()->FindControl(2717), nullptr);
}

TEST_F(PanelTest, GeometricTypesArePlacedInTheirOrderAtOnceOrByTheNextLayout) {
    ASSERT_TRUE(bar->SwitchSelectionFilterSet(43));
    const TGeomClass all{2};
    const int circles = bar->GetGeometricTypeButton(2)->GetGeometricType();
    const int points = bar->GetGeometricTypeButton(0)->GetGeometricType();
    bar->SetGeometricTypeState(circles, &all, true);
    bar->SetGeometricTypeState(points, nullptr, true);
    CXTPControls* controls = bar->GetControls();
    const int start = controls->IndexOf(controls->FindControl(1870));
    EXPECT_EQ(controls->GetAt(start - 2), bar->GetGeometricTypeButton(0));
    EXPECT_EQ(controls->GetAt(start - 1), bar->GetGeometricTypeButton(2));
    EXPECT_EQ(bar->GetGeometricTypeButton(2)->GetIconId(), static_cast<int>(Korvo::UI::GetGeometricTypes()[2].allIcon));

    // Inside a batch the button waits for the layout at its end.
    const int lines = bar->GetGeometricTypeButton(1)->GetGeometricType();
    bar->LockLayout();
    bar->SetGeometricTypeState(lines, nullptr, true);
    EXPECT_EQ(bar->GetGeometricTypeButton(1)->GetControls(), nullptr);
    bar->UnlockLayout();
    EXPECT_EQ(controls->IndexOf(bar->GetGeometricTypeButton(1)), controls->IndexOf(controls->FindControl(1870)) - 1);

    // The last filter button gone, the area goes but for the geometric buttons; with 1870 and
    // 1871 left on the bar the area's own buttons go before 1870.
    bar->LockLayout();
    for (unsigned id : {2704u, 2706u, 2703u}) bar->SetFilterButtonText(id, 0, nullptr);
    bar->UnlockLayout();
    EXPECT_EQ(controls->FindControl(1870), nullptr);
    EXPECT_EQ(bar->GetG1Button()->GetControls(), nullptr);
    EXPECT_NE(controls->IndexOf(bar->GetGeometricTypeButton(0)), -1);
    bar->LockLayout();
    controls->Add(xtpControlButton, 1870);
    controls->Add(xtpControlButton, 1871);
    bar->ShowRegisteredControl(2703, true);
    bar->UnlockLayout();
    const std::vector<int> ids = idsOn(bar);
    EXPECT_EQ(std::vector<int>(ids.end() - 6, ids.end()), (std::vector<int>{2796, 2797, 2799, 1870, 1871, 2703}));
}

TEST_F(PanelTest, SelectionModeButtonsFollowTheFramesSelectionFilters) {
    bar->ShowSelectionModeButtons(false);
    EXPECT_TRUE(bar->GetG1Button()->IsVisible());
    EXPECT_FALSE(bar->GetLazyGeometryButton()->IsVisible());
    EXPECT_FALSE(bar->GetSelectionModePopup()->IsVisible());
    bar->ShowSelectionModeButtons(true);
    EXPECT_TRUE(bar->GetLazyGeometryButton()->IsVisible());
    EXPECT_TRUE(bar->GetSelectionModePopup()->IsVisible());
}

}  // namespace
