// The ribbon page editing the live ribbon and the popup tool bar's sets, driven as a user: the
// bar tree's context menu, drags between the trees, the tick boxes.
#include <gtest/gtest.h>

#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/ribbonpage/popup_button_sets.h"
#include "commandbars/ribbonpage/ribbon_property_page.h"
#include "commandbars/ribbonpage/ribbon_tree_items.h"
#include "mainframe/main_frame.h"
#include "platform/korvoui/ribbon.h"
#include "platform/win32/window/cursor_position.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using Action = platform::core::DialogAction;
using namespace ribbon_page;

class RibbonPageEditingTest : public mainframetest::RunningFrameTest {
protected:
    void TearDown() override {
        Korvo::UI::PopupToolBarEditor::instance().Clear();
        mainframetest::RunningFrameTest::TearDown();
    }
    KVRibbonBar* Ribbon() { return frame->GetRibbonBar(); }
    void OpenPage(const std::function<void(HWND dialog, RibbonPropertyPage& page)>& whileOpen) {
        s.user().expectMenuChoose(std::wstring(L"Настроить элемент..."));
        s.user().expectDialog(RibbonPropertyPage::kTemplateId, [&](HWND dialog) {
            HWND page = ::GetDlgItem(dialog, static_cast<int>(RibbonPropertyPage::kTemplateId));
            whileOpen(dialog, *dynamic_cast<RibbonPropertyPage*>(CWnd::FromHandlePermanent(page)));
            s.user().act(dialog, Action{Action::Kind::Ok, 0, {}});
        });
        ASSERT_EQ(s.user().rightClickControl(window, 1001), std::nullopt);
    }
    static void Act(HWND dialog, Action::Kind kind, int id, const wchar_t* text) {
        ASSERT_EQ(platform::core::performDialogAction(dialog, Action{kind, id, text ? text : L"", {}}), std::nullopt) << (text ? text : L"");
    }
    // The bar tree's context menu on its focused row, answered with `command`.
    void Menu(RibbonPropertyPage& page, UINT command) {
        RECT rect{};
        ASSERT_TRUE(page.GetBarTree().GetItemRect(page.GetBarTree().GetFocusedItem(), rect));
        POINT point{60, rect.top + 4};
        ::ClientToScreen(page.GetBarTree().GetSafeHwnd(), &point);
        platform::win32::placeCursor(point);
        s.user().expectMenuChoose(static_cast<int>(command));
        NMHDR header{};
        header.hwndFrom = page.GetBarTree().GetSafeHwnd();
        header.idFrom = RibbonPropertyPage::kBarTree;
        header.code = NM_RCLICK;
        ::SendMessageW(page.GetSafeHwnd(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    static CXTPCoreTreeItem* Find(CXTPCoreTreeControl& tree, const wchar_t* path) {
        CXTPCoreTreeItem* found = nullptr;
        tree.ForEachItem([&](CXTPCoreTreeItem& item) {
            if (!found && item.GetPath() == CString(path)) found = &item;
        });
        return found;
    }
    // Drags the item of `from` onto the bar tree's row of `onto`, at `share` of its height.
    void Drag(CXTPCoreTreeControl& from, const wchar_t* item, RibbonPropertyPage& page, const wchar_t* onto, double share) {
        RECT rect{};
        ASSERT_TRUE(page.GetBarTree().GetItemRect(Find(page.GetBarTree(), onto), rect)) << onto;
        const POINT point{20, rect.top + static_cast<int>((rect.bottom - rect.top) * share)};
        s.user().expectDragChoose(page.GetBarTree().GetSafeHwnd(), point, false, L"bar tree");
        ASSERT_EQ(s.user().dragTreeItem(from.GetSafeHwnd(), item), std::nullopt);
    }
    CXTPRibbonGroup* Group(int tab, int group) { return Ribbon()->GetTab(tab)->GetGroup(group); }
};

TEST_F(RibbonPageEditingTest, DefaultTabsAndGroupsRemovedAreOnlyUntickedAndUserOnesGo) {
    auto* view = dynamic_cast<Korvo::UI::RibbonTab*>(Ribbon()->GetTab(1));
    ASSERT_NE(view, nullptr);
    view->SetDefaultDefinition(true);
    const int tabs = Ribbon()->GetTabCount();
    OpenPage([&](HWND dialog, RibbonPropertyPage& page) {
        Ribbon()->SetCurrentTab(view);
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, L"View");
        Menu(page, RibbonPropertyPage::kRemoveMenuCommand);
        EXPECT_TRUE(view->IsDisabledByUser());
        EXPECT_FALSE(view->IsVisible());
        EXPECT_EQ(Ribbon()->GetCurrentTab(), Ribbon()->GetTab(0)) << "the nearest visible tab before it is selected";
        EXPECT_FALSE(Find(page.GetBarTree(), L"View")->IsChecked());
        Act(dialog, Action::Kind::Check, RibbonPropertyPage::kBarTree, L"on");
        EXPECT_FALSE(view->IsDisabledByUser()) << "the tick brings it back";
        EXPECT_TRUE(view->IsVisible());
        Act(dialog, Action::Kind::Click, RibbonPropertyPage::kNewTab, nullptr);
        ASSERT_EQ(Ribbon()->GetTabCount(), tabs + 1);
        Menu(page, RibbonPropertyPage::kRemoveMenuCommand);
        EXPECT_EQ(Ribbon()->GetTabCount(), tabs) << "a tab the user made is deleted";
    });
}

TEST_F(RibbonPageEditingTest, ControlsMoveWithTheirSeparatorsAndPopupsFollowWhatTheyHold) {
    CXTPControls* document = Group(0, 0)->GetControls();
    document->GetAt(3)->SetBeginGroup(TRUE);  // "Save as" begins a group
    OpenPage([&](HWND dialog, RibbonPropertyPage& page) {
        // "Save as" goes before "Open": its mark stays with "Save all", "Open"'s mark goes to it.
        Drag(page.GetBarTree(), L"Home|Document|Save as", page, L"Home|Document|Open", 0.1);
        EXPECT_EQ(document->GetAt(1)->GetID(), 1093);
        EXPECT_EQ(document->GetAt(4)->GetID(), 1201);
        EXPECT_TRUE(document->GetAt(4)->GetBeginGroup()) << "the separator stays where the tree shows it";
        // A separator onto a control that already begins a group is refused.
        EXPECT_FALSE(page.MoveOrCopy(Find(page.GetBarTree(), L"Home|Document|Разделитель"),
                                     Find(page.GetBarTree(), L"Home|Document|Save all"), RibbonPropertyPage::kBefore,
                                     RibbonPropertyPage::kMove));
        // A command dropped on the middle of a plain button makes it a split pop-up holding it.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kCategoryCombo, L"Системные команды");
        Drag(page.GetCommandTree(), L"Cascade", page, L"Home|Document|Open", 0.5);
        CXTPControl* open = document->FindControl(1001);
        ASSERT_EQ(open->GetType(), xtpControlSplitButtonPopup);
        ASSERT_EQ(open->GetCommandBar()->GetControls()->GetCount(), 1);
        EXPECT_EQ(open->GetCommandBar()->GetControls()->GetAt(0)->GetID(), 1063);
        // One of two controls removed, it stays a pop-up.
        Drag(page.GetCommandTree(), L"Tile vertically", page, L"Home|Document|Open|Cascade", 0.9);
        ASSERT_EQ(open->GetCommandBar()->GetControls()->GetCount(), 2);
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, L"Home|Document|Open|Tile vertically");
        Menu(page, RibbonPropertyPage::kRemoveMenuCommand);
        EXPECT_EQ(document->FindControl(1001)->GetType(), xtpControlSplitButtonPopup);
        // Its last control removed, the pop-up is a plain button again.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, L"Home|Document|Open|Cascade");
        Menu(page, RibbonPropertyPage::kRemoveMenuCommand);
        open = document->FindControl(1001);
        EXPECT_EQ(open->GetType(), xtpControlButton);
        EXPECT_EQ(open->GetCommandBar(), nullptr);
        // Styles 3401 to 3405 are styles 0 to 4.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, L"Home|Document|Open");
        Menu(page, RibbonPropertyPage::kLastStyleCommand);
        EXPECT_EQ(document->FindControl(1001)->GetStyle(), xtpButtonIconAndCaptionBelow);
    });
}

TEST_F(RibbonPageEditingTest, AGroupMovedToAnotherTabKeepsWhatItIs) {
    auto* libraries = dynamic_cast<Korvo::UI::RibbonGroup*>(Group(0, 1));
    ASSERT_NE(libraries, nullptr);
    const GUID guid{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    libraries->SetGuid(guid);
    libraries->SetID(4242);
    std::vector<int> ids;
    for (int i = 0; i < libraries->GetCount(); ++i) ids.push_back(libraries->GetAt(i)->GetID());
    libraries->GetAt(1)->SetBeginGroup(TRUE);
    const int viewGroups = Ribbon()->GetTab(1)->GetGroupCount();
    OpenPage([&](HWND, RibbonPropertyPage& page) {
        Drag(page.GetBarTree(), L"Home|Libraries", page, L"View", 0.5);
        EXPECT_NE(Find(page.GetBarTree(), L"View|Libraries"), nullptr);
    });
    ASSERT_EQ(Ribbon()->GetTab(1)->GetGroupCount(), viewGroups + 1);
    auto* moved = dynamic_cast<Korvo::UI::RibbonGroup*>(Group(1, viewGroups));
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->GetCaption(), CString(L"Libraries"));
    EXPECT_EQ(moved->GetID(), 4242);
    EXPECT_EQ(moved->GetGuid(), guid);
    std::vector<int> movedIds;
    for (int i = 0; i < moved->GetCount(); ++i) movedIds.push_back(moved->GetAt(i)->GetID());
    EXPECT_EQ(movedIds, ids);
    EXPECT_TRUE(moved->GetAt(1)->GetBeginGroup());
    EXPECT_EQ(Ribbon()->GetTab(0)->GetGroup(1)->GetCaption(), CString(L"Parameters")) << "the group left its tab";
}

TEST_F(RibbonPageEditingTest, DropZonesFollowTheDraggedKindAndTheRowsParts) {
    OpenPage([&](HWND dialog, RibbonPropertyPage& page) {
        auto& bar = page.GetBarTree();
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kCategoryCombo, L"Системные команды");
        CXTPCoreTreeItem* cascade = Find(page.GetCommandTree(), L"Cascade");
        bar.EnsureVisible(Find(bar, L"Home|Parameters|Level"));
        bar.EnsureVisible(Find(bar, L"Home|Libraries|Open library"));
        auto at = [&](const CXTPCoreTreeItem& dragged, const wchar_t* onto, int y) -> int {
            RECT rect{};
            EXPECT_TRUE(bar.GetItemRect(Find(bar, onto), rect)) << onto;
            const auto place = page.DropPlace(dragged, POINT{30, rect.top + y});
            return place ? place->second : -1;
        };
        const int height = CXTPCoreTreeControl::kRowHeight;
        // A plain button: upper quarter before, middle half into, lower quarter after.
        EXPECT_EQ(at(*cascade, L"Home|Document|Open", 1), RibbonPropertyPage::kBefore);
        EXPECT_EQ(at(*cascade, L"Home|Document|Open", height / 2), RibbonPropertyPage::kInto);
        EXPECT_EQ(at(*cascade, L"Home|Document|Open", height - 1), RibbonPropertyPage::kAfter);
        // A control without a bar of its own to customise: halves.
        EXPECT_EQ(at(*cascade, L"Home|Parameters|Level", height / 2 - 1), RibbonPropertyPage::kBefore);
        EXPECT_EQ(at(*cascade, L"Home|Parameters|Level", height / 2 + 1), RibbonPropertyPage::kAfter);
        // Groups take controls into them; tabs take groups; a control never goes onto a tab.
        EXPECT_EQ(at(*cascade, L"Home|Document", 1), RibbonPropertyPage::kInto);
        EXPECT_EQ(at(*cascade, L"Home", height / 2), -1);
        CXTPCoreTreeItem* libraries = Find(bar, L"Home|Libraries");
        EXPECT_EQ(at(*libraries, L"View", 2), RibbonPropertyPage::kInto);
        EXPECT_EQ(at(*libraries, L"Home|Document", 2), RibbonPropertyPage::kBefore);
        EXPECT_EQ(at(*libraries, L"Home|Libraries|Open library", 2), -1) << "never onto its own descendant";
        EXPECT_EQ(at(*Find(bar, L"Home"), L"View", height - 2), RibbonPropertyPage::kAfter);
    });
}

TEST_F(RibbonPageEditingTest, SeparatorsMarksPassOnAndAreNeverLost) {
    CXTPControls* document = Group(0, 0)->GetControls();
    document->GetAt(2)->SetBeginGroup(TRUE);  // "Save"
    OpenPage([&](HWND dialog, RibbonPropertyPage& page) {
        // A command dropped on the lower half of the separator comes right after it, beginning
        // the group in place of "Save".
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kCategoryCombo, L"Системные команды");
        Drag(page.GetCommandTree(), L"Cascade", page, L"Home|Document|Разделитель", 0.8);
        ASSERT_EQ(document->GetAt(2)->GetID(), 1063);
        EXPECT_TRUE(document->GetAt(2)->GetBeginGroup());
        EXPECT_FALSE(document->GetAt(3)->GetBeginGroup());
        // Removing the control that begins the group hands the mark on.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, L"Home|Document|Cascade");
        Menu(page, RibbonPropertyPage::kRemoveMenuCommand);
        EXPECT_EQ(document->GetAt(2)->GetID(), 1029);
        EXPECT_TRUE(document->GetAt(2)->GetBeginGroup());
        // Removing one that does not begin a group leaves the next one's mark alone.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, L"Home|Document|Open");
        Menu(page, RibbonPropertyPage::kRemoveMenuCommand);
        EXPECT_TRUE(document->FindControl(1029)->GetBeginGroup());
        // The separator itself removed: the control after it no longer begins a group.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, L"Home|Document|Разделитель");
        Menu(page, RibbonPropertyPage::kRemoveMenuCommand);
        EXPECT_FALSE(document->FindControl(1029)->GetBeginGroup());
        EXPECT_EQ(Find(page.GetBarTree(), L"Home|Document|Разделитель"), nullptr);
    });
}

TEST_F(RibbonPageEditingTest, RenamingATabAndItsTagsGoThroughTheRenameDialog) {
    auto* view = dynamic_cast<Korvo::UI::RibbonTab*>(Ribbon()->GetTab(1));
    ASSERT_NE(view, nullptr);
    OpenPage([&](HWND dialog, RibbonPropertyPage& page) {
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, L"View");
        Action rename{Action::Kind::Text, 0, L"&Windows", {}};
        rename.controlKind = L"edit";
        s.user().expectDialog(std::wstring(L"CXTPRibbonRenameDialog"),
                              std::vector<Action>{rename, Action{Action::Kind::Ok, 0, {}, {}}});
        Menu(page, RibbonPropertyPage::kRenameMenuCommand);
        EXPECT_NE(Find(page.GetBarTree(), L"Windows"), nullptr) << "the item shows the name without its mark";
        Action tags{Action::Kind::Text, 0, L"drawing, part", {}};
        tags.controlKind = L"edit";
        s.user().expectDialog(std::wstring(L"CXTPRibbonRenameDialog"),
                              std::vector<Action>{tags, Action{Action::Kind::Ok, 0, {}, {}}});
        Menu(page, RibbonPropertyPage::kEditTagsCommand);
        // A new group goes into the selected tab.
        const int groups = view->GetGroupCount();
        Act(dialog, Action::Kind::Click, RibbonPropertyPage::kNew, nullptr);
        EXPECT_EQ(view->GetGroupCount(), groups + 1);
    });
    EXPECT_EQ(view->GetCaption(), CString(L"&Windows"));
    EXPECT_TRUE(view->HasTag(L"part"));
}

TEST(CoreTreeRows, OnlyRowsOfOpenParentsAreShownAndHit) {
    CXTPCoreTreeControl tree;
    CXTPCoreTreeItem* first = tree.AddItem(std::make_unique<CXTPCoreTreeItem>());
    CXTPCoreTreeItem* child = tree.AddItem(std::make_unique<CXTPCoreTreeItem>(), first);
    CXTPCoreTreeItem* second = tree.AddItem(std::make_unique<CXTPCoreTreeItem>());
    RECT rect{};
    EXPECT_FALSE(tree.GetItemRect(child, rect)) << "a closed parent hides its children";
    ASSERT_TRUE(tree.GetItemRect(second, rect));
    EXPECT_EQ(rect.top, CXTPCoreTreeControl::kRowHeight);
    first->SetExpanded(true);
    ASSERT_TRUE(tree.GetItemRect(second, rect));
    EXPECT_EQ(rect.top, 2 * CXTPCoreTreeControl::kRowHeight);
    EXPECT_EQ(tree.HitTest(POINT{5, CXTPCoreTreeControl::kRowHeight + 3}), child);
    EXPECT_EQ(tree.HitTest(POINT{5, 3 * CXTPCoreTreeControl::kRowHeight}), nullptr);
    EXPECT_EQ(tree.HitTest(POINT{5, -1}), nullptr);
    EXPECT_EQ(tree.DragItem(first), DROPEFFECT_NONE) << "a tree that is no drag source drags nothing";
}

// An editor that refuses every insertion.
class RefusingEditor : public Korvo::UI::PopupToolBarEditor {
public:
    int InsertButton(const SetKey&, const Korvo::UI::PopupToolBar::Button&, int) override { return -1; }
};

TEST_F(RibbonPageEditingTest, ButtonSetsTakePlainButtonsAtTheirPlacesAndMovesLeaveTheirSet) {
    auto& editor = Korvo::UI::PopupToolBarEditor::instance();
    editor.InsertButton(SetKey{1, 0, -1, 0}, {1063, 1}, -1);
    editor.InsertButton(SetKey{1, 0, -1, 0}, {1092, 1}, -1);
    editor.InsertButton(SetKey{0, 3, -1, 0x3}, {1062, 0}, -1);
    OpenPage([&](HWND dialog, RibbonPropertyPage& page) {
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kViewCombo, L"Popup toolbar");
        auto& bar = page.GetBarTree();
        const CString drawing = KVLoadString(43362);
        const CString objects = L"panels.dynamic_toolbar.objects.3 (несколько)";
        EXPECT_NE(Find(bar, drawing + L"|Cascade"), nullptr);
        // A pop-up cannot join a set.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kCategoryCombo, L"Текстовое меню");
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kCommandTree, L"Window");
        EXPECT_FALSE(page.MoveOrCopy(page.GetCommandTree().GetFocusedItem(), Find(bar, drawing), RibbonPropertyPage::kInto,
                                     RibbonPropertyPage::kCopy));
        // Before the second button: position 1.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kCategoryCombo, L"Системные команды");
        Drag(page.GetCommandTree(), L"Full screen", page, drawing + L"|Tile vertically", 0.2);
        // The set's first button dragged to the object set: it leaves its set.
        Drag(bar, drawing + L"|Cascade", page, objects, 0.5);
        EXPECT_EQ(Find(bar, drawing + L"|Cascade"), nullptr);
        // The show-in-panel flag toggled; a refused insertion keeps the old flag.
        Act(dialog, Action::Kind::Select, RibbonPropertyPage::kBarTree, (drawing + L"|Full screen").GetString());
        Menu(page, RibbonPropertyPage::kFlagCommand);
        Korvo::UI::PopupToolBarEditor* before = Korvo::UI::PopupToolBarEditor::Replace(new RefusingEditor);
        Menu(page, RibbonPropertyPage::kFlagCommand);
        delete Korvo::UI::PopupToolBarEditor::Replace(before);
        EXPECT_EQ(dynamic_cast<PopupToolBarButtonItem*>(bar.GetFocusedItem())->GetFlag(), 0);
    });
    std::vector<std::pair<UINT, BYTE>> views, multiple;
    editor.ForEachSet([&](const Korvo::UI::PopupToolBar::ButtonSet& set) {
        for (const auto& button : set.buttons) (set.key.viewType == 1 ? views : multiple).emplace_back(button.id, button.flag);
    });
    EXPECT_EQ(views, (std::vector<std::pair<UINT, BYTE>>{{1254, 0}, {1092, 1}}));
    EXPECT_EQ(multiple, (std::vector<std::pair<UINT, BYTE>>{{1062, 0}, {1063, 1}}));
}

TEST(ButtonSetCaptions, AnyObjectSubtypesSeveralObjectsAndUnknownViews) {
    EXPECT_EQ(ButtonSetCaption(SetKey{0, 0, -1, 0x1}), CString(L"panels.dynamic_toolbar.objects.any"));
    EXPECT_EQ(ButtonSetCaption(SetKey{0, 24, 3, 0x1}), CString(L"panels.dynamic_toolbar.objects.24_3"));
    EXPECT_EQ(ButtonSetCaption(SetKey{0, 24, -1, 0x3}),
              CString(L"panels.dynamic_toolbar.objects.24 (panels.dynamic_toolbar.objects.multiple)"));
    EXPECT_TRUE(ButtonSetCaption(SetKey{6, 0, -1, 0}).IsEmpty());
    const auto candidates = ButtonSetCandidates();
    EXPECT_EQ(candidates.size(), 5u + 73u * 2u);
    for (std::size_t i = 1; i < candidates.size(); ++i)
        EXPECT_LE(std::wstring_view(candidates[i - 1].caption), std::wstring_view(candidates[i].caption));
    // An editor identifies a set without the page's own flags; a button inserted again moves.
    Korvo::UI::PopupToolBarEditor editor;
    EXPECT_EQ(editor.InsertButton(SetKey{0, 3, -1, 0x1}, {10, 1}, -1), 0);
    EXPECT_EQ(editor.InsertButton(SetKey{0, 3, -1, 0x5}, {11, 1}, -1), 1);
    EXPECT_EQ(editor.InsertButton(SetKey{0, 3, -1, 0x4}, {11, 0}, 0), 0);
    EXPECT_LT(editor.InsertButton(SetKey{0, 3, -1, 0x1}, {12, 1}, 5), 0);
    EXPECT_LT(editor.InsertButton(SetKey{0, 3, -1, 0x1}, {0, 1}, -1), 0);
    int sets = 0;
    editor.ForEachSet([&](const Korvo::UI::PopupToolBar::ButtonSet& set) {
        ++sets;
        ASSERT_EQ(set.buttons.size(), 2u);
        EXPECT_EQ(set.buttons[0].id, 11u);
    });
    EXPECT_EQ(sets, 1);
    EXPECT_FALSE(editor.ChangeFlags(0, 3, -1, 0x2, 0x3)) << "bit 1 tells sets apart";
}

}  // namespace
