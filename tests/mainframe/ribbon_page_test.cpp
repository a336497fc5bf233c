// The ribbon page over the program's first frame: a tab exported from the bar tree's context menu
// and imported back, and the tree's find with nothing to find; and the page's pure rules.
#include <gtest/gtest.h>

#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/ribbonpage/ribbon_command_captions.h"
#include "commandbars/ribbonpage/ribbon_property_page.h"
#include "commandbars/ribbonpage/ribbon_tree_items.h"
#include "commandbars/varnel_popup.h"
#include "mainframe/main_frame.h"
#include "platform/korvoui/ribbon.h"
#include "platform/win32/controls/listview.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using Action = platform::core::DialogAction;
using namespace ribbon_page;

constexpr const wchar_t* kTabFile = L"C:\\Users\\user\\Documents\\tab.xml";

class RibbonPageTest : public mainframetest::RunningFrameTest {
protected:
    KVRibbonBar* Ribbon() { return frame->GetRibbonBar(); }
    // Opens the page as the Home tab's customise menu item does; `whileOpen` acts in it.
    void OpenPage(std::function<void(HWND dialog, HWND page)> whileOpen) {
        s.user().expectMenuChoose(std::wstring(L"Настроить элемент..."));
        s.user().expectDialog(RibbonPropertyPage::kTemplateId, [&](HWND dialog) {
            whileOpen(dialog, ::GetDlgItem(dialog, static_cast<int>(RibbonPropertyPage::kTemplateId)));
            s.user().act(dialog, Action{Action::Kind::Ok, 0, {}});
        });
        ASSERT_EQ(s.user().rightClickControl(window, 1001), std::nullopt);
    }
    // A right-click on the bar tree's selected row, as the tree reports it.
    void RightClickBarTree(HWND page) {
        NMHDR header{};
        header.hwndFrom = ::GetDlgItem(page, RibbonPropertyPage::kBarTree);
        header.idFrom = RibbonPropertyPage::kBarTree;
        header.code = NM_RCLICK;
        ::SendMessageW(page, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
};

TEST_F(RibbonPageTest, ATabExportedFromTheTreeComesBackAsANewTabWithoutItsGuid) {
    const int tabs = Ribbon()->GetTabCount();
    VarnelPopup* pdm = Ribbon()->GetVarnelPopup();
    OpenPage([&](HWND dialog, HWND page) {
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Select, RibbonPropertyPage::kBarTree, L"View"}), std::nullopt);
        s.user().expectMenuChoose(static_cast<int>(RibbonPropertyPage::kExportTabCommand));
        s.user().expectFileChoose(kTabFile);
        RightClickBarTree(page);
        s.user().expectMenuChoose(std::wstring(L"Импорт..."));
        s.user().expectFileChoose(kTabFile);
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Click, RibbonPropertyPage::kImportExport, {}}), std::nullopt);
        // The bar tree shows the ribbon as it is now.
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Select, RibbonPropertyPage::kBarTree, L"View|Windows"}), std::nullopt);
    });
    ASSERT_EQ(Ribbon()->GetTabCount(), tabs + 1);
    auto* original = dynamic_cast<Korvo::UI::RibbonTab*>(Ribbon()->GetTab(1));
    auto* imported = dynamic_cast<Korvo::UI::RibbonTab*>(Ribbon()->GetTab(tabs));
    ASSERT_NE(original, nullptr);
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(imported->GetCaption(), original->GetCaption());
    EXPECT_NE(original->GetGuid(), GUID{});
    EXPECT_EQ(imported->GetGuid(), GUID{}) << "an imported tab never carries the identity it was written with";
    ASSERT_EQ(imported->GetGroupCount(), original->GetGroupCount());
    EXPECT_EQ(imported->GetGroup(0)->GetControls()->GetCount(), original->GetGroup(0)->GetControls()->GetCount());
    EXPECT_EQ(Ribbon()->GetVarnelPopup(), pdm) << "the PDM popup stays";
}

TEST_F(RibbonPageTest, FindNextWithoutMatchesLeavesTheFocusAndTheButtonFollowsTheText) {
    OpenPage([&](HWND dialog, HWND page) {
        HWND next = ::GetDlgItem(page, RibbonPropertyPage::kFindNext);
        EXPECT_FALSE(::IsWindowEnabled(next)) << "no search text, no find";
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Text, RibbonPropertyPage::kBarSearch, L"no such caption"}), std::nullopt);
        ASSERT_TRUE(::IsWindowEnabled(next));
        auto focus = [&] {
            HWND tree = ::GetDlgItem(page, RibbonPropertyPage::kBarTree);
            return ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
        };
        const LRESULT before = focus();
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Click, RibbonPropertyPage::kFindNext, {}}), std::nullopt);
        EXPECT_EQ(focus(), before);
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Click, RibbonPropertyPage::kClearBarSearch, {}}), std::nullopt);
        EXPECT_FALSE(::IsWindowEnabled(next));
    });
}

TEST_F(RibbonPageTest, AnotherPageOfTheSheetIsShownByItsTemplate) {
    OpenPage([&](HWND dialog, HWND) {
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Page, 21101, {}}), std::nullopt);
        EXPECT_NE(::GetDlgItem(dialog, 21101), nullptr);
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Page, 4711, {}}), std::wstring(L"the dialog shows no page 4711"));
    });
}

// ---- Rules --------------------------------------------------------------------------------------

CXTPControl* Button(int id, const wchar_t* caption) {
    auto* control = new CXTPControlButton;
    control->SetID(id);
    control->SetCaption(caption);
    return control;
}

TEST(RibbonPageCaptions, ServiceCommandsAndCaptionlessOnesAreLeftOutAndEqualCaptionsKeepTheirOrder) {
    std::vector<CommandText> commands;
    for (UINT id : {3002u, 35000u, 35003u, 1190u, 1199u, 10u, 11u, 12u, 13u, 14u})
        commands.push_back(CommandText{id, L"Description\nCommand " + CString(std::to_wstring(id).c_str())});
    commands[5].text = L"Run\n&Zoom";  // 10
    commands[6].text = L"Run\nA&pply";  // 11
    commands[7].text = L"Run\nZoom";    // 12: the same caption as 10, listed after it
    commands[8].text = L"";             // 13: no caption
    std::vector<UINT> made;
    const CaptionMap map = BuildSystemCaptions(commands, [&](UINT id) -> CXTPControl* {
        made.push_back(id);
        if (id == 14) return nullptr;  // the frame makes no control for it
        return Button(static_cast<int>(id), L"");
    });
    EXPECT_EQ(made, (std::vector<UINT>{10, 11, 12, 13, 14}));
    ASSERT_EQ(map.Entries().size(), 3u);
    EXPECT_EQ(map.Entries()[0].key, CString(L"Apply"));
    EXPECT_EQ(map.Entries()[1].control->GetID(), 10);
    EXPECT_EQ(map.Entries()[2].control->GetID(), 12);

    const CaptionMap user = BuildUserCaptions({Button(37001, L""), Button(37002, L"Apply")});
    ASSERT_EQ(user.Entries().size(), 2u);
    EXPECT_EQ(user.Entries()[0].key, CString(L"#37001")) << "'#' sorts before letters";
    const CaptionMap all = CaptionMap::Union(map, user);
    std::vector<int> ids;
    for (const CaptionEntry& entry : all.Entries()) ids.push_back(entry.control->GetID());
    EXPECT_EQ(ids, (std::vector<int>{37001, 11, 37002, 10, 12}));
}

TEST(RibbonPageCaptions, ASearchKeepsMatchesWithWhatIsBeneathAndThePopupsAbove) {
    auto* popup = new CXTPControlPopup;
    popup->SetCaption(L"Window");
    CXTPPopupBar* items = CXTPPopupBar::CreatePopupBar(nullptr);
    auto* inner = items->GetControls()->Add(xtpControlPopup, 0);
    inner->SetCaption(L"Arrange");
    CXTPPopupBar* deeper = CXTPPopupBar::CreatePopupBar(nullptr);
    CXTPControl* tile = deeper->GetControls()->Add(xtpControlButton, 1062);
    tile->SetCaption(L"&Tile");
    inner->SetCommandBar(deeper);
    deeper->InternalRelease();
    CXTPControl* other = items->GetControls()->Add(xtpControlButton, 1063);
    other->SetCaption(L"Cascade");
    popup->SetCommandBar(items);
    items->InternalRelease();

    auto found = CollectMatches({SearchRoot{popup, nullptr}}, Korvo::GetSearchableEquivalent(L"TILE"));
    EXPECT_EQ(found, (std::unordered_set<const CXTPControl*>{popup, inner, tile}));
    found = CollectMatches({SearchRoot{popup, nullptr}}, L"arrange");
    EXPECT_EQ(found, (std::unordered_set<const CXTPControl*>{popup, inner, tile})) << "a matching pop-up brings what it holds";
    EXPECT_TRUE(CollectMatches({SearchRoot{popup, nullptr}}, L"nothing").empty());
    popup->InternalRelease();
}

TEST(RibbonPageRules, TheAddButtonTakesTheAllowedPairsOnly) {
    CXTPControlButton plain;
    plain.SetID(57600);
    CXTPControlPopup popup;
    popup.SetID(904);
    using K = ItemKind;
    EXPECT_TRUE(AllowedForAdd(K::Control, &plain, K::Control));
    EXPECT_TRUE(AllowedForAdd(K::Control, &plain, K::Group));
    EXPECT_FALSE(AllowedForAdd(K::Control, &plain, K::Tab));
    EXPECT_FALSE(AllowedForAdd(K::Control, &plain, K::Separator)) << "a separator takes a control by dragging only";
    EXPECT_TRUE(AllowedForAdd(K::Control, &plain, K::ButtonSet));
    EXPECT_FALSE(AllowedForAdd(K::Control, &popup, K::ButtonSet)) << "only plain buttons join the popup tool bar";
    EXPECT_TRUE(AllowedForAdd(K::Group, nullptr, K::Tab));
    EXPECT_FALSE(AllowedForAdd(K::Tab, nullptr, K::Group));
    EXPECT_TRUE(AllowedForAdd(K::Separator, nullptr, K::Control));
    EXPECT_FALSE(AllowedForAdd(K::ButtonSet, nullptr, K::ButtonSet));
    EXPECT_FALSE(AllowedForAdd(K::None, nullptr, K::Control));
    for (UINT id : {3002u, 35000u, 35003u, 1190u, 1199u}) EXPECT_TRUE(IsServiceCommand(id)) << id;
    for (UINT id : {3001u, 35004u, 1189u, 1200u}) EXPECT_FALSE(IsServiceCommand(id)) << id;
}

}  // namespace
