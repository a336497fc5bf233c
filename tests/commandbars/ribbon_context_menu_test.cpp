// The ribbon's own right-click menus.
#include <limits>
#include <utility>
#include <vector>

#include "platform/core/text.h"
#include "commandbars/gallery/library_gallery.h"
#include "tests/commandbars/ribbon_frame.h"
#include "tests/support/table_check.h"

namespace {

using namespace ribbontest;
using platform::core::toUtf8;

std::string lastMenu(platform::harness::Session& s) {
    std::string text;
    for (const auto& entry : s.journal().entries()) {
        const std::wstring line = entry.line();
        if (line.rfind(L"menu ", 0) != 0 || line.rfind(L"menu answer", 0) == 0) continue;
        if (line.find(L" items") != std::wstring::npos) text.clear();
        text += toUtf8(line) + "\n";
    }
    return text;
}

TEST_F(RibbonFrameTest, AControlsMenuOffersQuickAccessToolBarsStylesAndTheGroupsEntries) {
    auto* bar = dynamic_cast<CKVToolBar*>(bars->Add(L"Drawing", xtpBarTop, RUNTIME_CLASS(CKVToolBar)));
    bar->SetBarID(220);
    dynamic_cast<Korvo::UI::RibbonGroup*>(home->GetGroup(0))->SetDefaultDefinition(true);
    home->SetDefaultDefinition(true);
    s.user().expectMenuChoose(L"Drawing");
    EXPECT_EQ(s.user().rightClick(frame->GetSafeHwnd(), kKernelCommand), std::nullopt);
    const std::string menu = lastMenu(s);
    EXPECT_NE(menu.find("9606 \"Добавить на панель быстрого доступа\""), std::string::npos) << menu;
    EXPECT_NE(menu.find("\"Добавить на панель инструментов\" >"), std::string::npos) << menu;
    EXPECT_NE(menu.find("0 \"Автоматически\" checked"), std::string::npos) << menu;
    EXPECT_NE(menu.find("\"Настроить группу...\""), std::string::npos) << menu;
    EXPECT_NE(menu.find("---- 0 \"Восстановить группу\""), std::string::npos) << menu;
    EXPECT_NE(menu.find("  0 \"Восстановить вкладку\""), std::string::npos) << menu;
    EXPECT_EQ(menu.find("---- 0 \"Восстановить вкладку\""), std::string::npos) << menu;
    // Chosen: a copy of the control on the tool bar.
    CXTPControl* copy = bar->GetControls()->FindControl(kKernelCommand);
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->GetBeginGroup());
}

TEST_F(RibbonFrameTest, AddToQuickAccessPutsTheControlOnTheQuickAccessBarOnce) {
    ASSERT_EQ(ribbon->GetQuickAccessControls()->FindControl(kKernelCommand), nullptr);
    for (int times = 0; times < 2; ++times) {
        s.user().expectMenuChoose(9606);
        EXPECT_EQ(s.user().rightClick(frame->GetSafeHwnd(), kKernelCommand), std::nullopt);
        s.runUntilIdle();
    }
    const std::wstring after = s.inspect().dumpRibbon(frame->GetSafeHwnd());
    const std::size_t quick = after.find(L"quick access\n");
    ASSERT_NE(quick, std::wstring::npos) << platform::core::toUtf8(after);
    const std::wstring shown = after.substr(quick, after.find(L"ribbon controls\n") - quick);
    EXPECT_EQ(shown.find(L"\n  681 "), shown.rfind(L"\n  681 ")) << "added once: " << platform::core::toUtf8(shown);
    EXPECT_NE(shown.find(L"\n  681 button \"Create library\""), std::wstring::npos) << platform::core::toUtf8(shown);
    CXTPControl* copy = ribbon->GetQuickAccessControls()->FindControl(kKernelCommand);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->IsVisible());
}

TEST_F(RibbonFrameTest, SystemPanelControlsGetNoQuickAccessAndCustomizeModeGetsNothing) {
    home->GetGroup(0)->Add(xtpControlButton, 950)->SetCaption(L"Panel");
    s.runUntilIdle();
    ribbon->EnableControl(950, true);
    s.user().expectMenuDismiss();
    EXPECT_EQ(s.user().rightClick(frame->GetSafeHwnd(), 950), std::nullopt);
    const std::string menu = lastMenu(s);
    EXPECT_EQ(menu.find("9606"), std::string::npos) << menu;
    EXPECT_EQ(menu.find("Добавить на панель инструментов"), std::string::npos) << menu;
    EXPECT_NE(menu.find("Вид элемента"), std::string::npos) << menu;

    // The first and last ids of the system panel's range against the first ones outside it.
    for (int id : {903, 904, 999, 1000}) {
        home->GetGroup(0)->Add(xtpControlButton, id)->SetCaption(L"Edge");
        ribbon->EnableControl(id, true);
    }
    s.runUntilIdle();
    tablecheck::ExpectMembers<int>("controls offered for quick access", {903, 1000}, {904, 999}, [&](int id) {
        s.user().expectMenuDismiss();
        EXPECT_EQ(s.user().rightClick(frame->GetSafeHwnd(), id), std::nullopt) << id;
        return lastMenu(s).find("9606") != std::string::npos;
    });

    bars->SetCustomizeMode(TRUE);
    const std::size_t before = s.journal().entries().size();
    EXPECT_EQ(s.user().rightClick(frame->GetSafeHwnd(), 950), std::nullopt);
    for (std::size_t i = before; i < s.journal().entries().size(); ++i)
        EXPECT_NE(s.journal().entries()[i].line().rfind(L"menu ", 0), 0u);
}

TEST_F(RibbonFrameTest, TheEmptyGroupAreaShowsTheGroupsMenuThatSwitchesGroupsOff) {
    const RECT edit = ribbon->GetGroupRect(home->GetGroup(1));
    // On a group the layout did not define: its customise item, and no reset item.
    s.user().expectMenuDismiss();
    ::SendMessageW(ribbon->GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(edit.right - 3), static_cast<WORD>(edit.bottom - 3)));
    const std::string onGroup = lastMenu(s);
    EXPECT_NE(onGroup.find(toUtf8(std::wstring(Korvo::I18n::Translate(L"panels.ribbon.customize.group").view()))), std::string::npos) << onGroup;
    EXPECT_EQ(onGroup.find(toUtf8(std::wstring(Korvo::I18n::Translate(L"panels.ribbon.reset_group").view()))), std::string::npos) << onGroup;
    s.user().expectMenuChoose(L"Edit");
    ::SendMessageW(ribbon->GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(edit.right + 50), static_cast<WORD>(edit.top + 10)));
    const std::string menu = lastMenu(s);
    EXPECT_NE(menu.find("\"Edit\" checked"), std::string::npos) << menu;
    EXPECT_EQ(menu.find("\"File\""), std::string::npos) << menu;  // no GUID: cannot be switched off
    EXPECT_FALSE(home->GetGroup(1)->IsVisible());
    EXPECT_TRUE(dynamic_cast<Korvo::UI::RibbonGroup*>(home->GetGroup(1))->IsDisabledByUser());
}

// A control's style menu: five styles in order, the last one caption only; each is checked while
// the control has it, and choosing one gives the control that style.
TEST_F(RibbonFrameTest, AControlsStyleMenuOffersFiveStylesEndingWithCaptionOnly) {
    CXTPControl* control = home->GetGroup(0)->GetControls()->FindControl(kKernelCommand);
    ASSERT_NE(control, nullptr);
    s.user().expectMenuChoose(L"Только подпись");
    EXPECT_EQ(s.user().rightClick(frame->GetSafeHwnd(), kKernelCommand), std::nullopt);
    EXPECT_EQ(control->GetStyle(), xtpButtonCaption) << lastMenu(s);

    CXTPPopupBar* menu = ribbon->CreateContextMenu(control);
    CXTPControls* styles = nullptr;
    for (int i = 0; i < menu->GetControls()->GetCount(); ++i)
        if (menu->GetControls()->GetAt(i)->GetCaption() == L"Вид элемента")
            styles = menu->GetControls()->GetAt(i)->GetCommandBar()->GetControls();
    ASSERT_NE(styles, nullptr);
    const std::vector<std::pair<std::wstring, XTPButtonStyle>> expected{
        {L"Автоматически", xtpButtonAutomatic},     {L"Значок и подпись снизу", xtpButtonIconAndCaptionBelow},
        {L"Значок и подпись", xtpButtonIconAndCaption}, {L"Только значок", xtpButtonIcon},
        {L"Только подпись", xtpButtonCaption}};
    ASSERT_EQ(styles->GetCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < styles->GetCount(); ++i) {
        CXTPControl* item = styles->GetAt(i);
        EXPECT_EQ(std::wstring(item->GetCaption().GetString()), expected[static_cast<std::size_t>(i)].first) << i;
        EXPECT_EQ(item->GetChecked() != FALSE, i == styles->GetCount() - 1) << "only the control's style is checked: " << i;
    }
    for (int i = 0; i < styles->GetCount(); ++i) {
        styles->GetAt(i)->OnExecute();
        EXPECT_EQ(control->GetStyle(), expected[static_cast<std::size_t>(i)].second) << i;
    }
    menu->InternalRelease();
}

// A library gallery's width: automatic, or a fixed column count from the box (spin steps never
// below one column); choosing one unchecks the other.
TEST_F(RibbonFrameTest, AGallerysWidthMenuSwitchesBetweenAutomaticAndFixedColumns) {
    auto* gallery = new Korvo::UI::LibraryGallery;
    home->GetGroup(0)->GetControls()->Add(gallery, 1314);
    gallery->SetLibraryName(L"Bolts");
    gallery->SetItemsPerRow(3, true);
    s.user().expectMenuChoose(L"Автоматическая ширина");
    EXPECT_EQ(s.user().rightClick(frame->GetSafeHwnd(), 1314), std::nullopt);
    EXPECT_NE(lastMenu(s).find("\"Ширина галереи\" >"), std::string::npos) << lastMenu(s);
    EXPECT_EQ(gallery->GetItemsPerRow(), -1);

    CXTPPopupBar* menu = ribbon->CreateContextMenu(gallery);
    CXTPControls* widths = nullptr;
    for (int i = 0; i < menu->GetControls()->GetCount(); ++i)
        if (menu->GetControls()->GetAt(i)->GetCaption() == L"Ширина галереи")
            widths = menu->GetControls()->GetAt(i)->GetCommandBar()->GetControls();
    ASSERT_NE(widths, nullptr);
    ASSERT_EQ(widths->GetCount(), 2);
    CXTPControl* automatic = widths->GetAt(0);
    auto* box = dynamic_cast<CXTPControlEdit*>(widths->GetAt(1));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(automatic->GetChecked());
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(box->GetEditText(), L"1");
    EXPECT_TRUE(box->IsSpinButtons());

    box->SetEditText(L"4");
    box->OnExecute();
    EXPECT_EQ(gallery->GetItemsPerRow(), 4);
    EXPECT_TRUE(box->GetChecked());
    EXPECT_FALSE(automatic->GetChecked());
    box->NotifySpinChanged(1, -1);
    EXPECT_EQ(gallery->GetItemsPerRow(), 3);
    box->NotifySpinChanged(10, -1);
    EXPECT_EQ(gallery->GetItemsPerRow(), 1);
    EXPECT_EQ(box->GetEditText(), L"1");
    // Not a number: the box keeps the columns shown.
    box->SetEditText(L"x");
    box->OnExecute();
    EXPECT_EQ(gallery->GetItemsPerRow(), 1);

    automatic->OnExecute();
    EXPECT_EQ(gallery->GetItemsPerRow(), -1);
    EXPECT_TRUE(automatic->GetChecked());
    EXPECT_FALSE(box->GetChecked());
    menu->InternalRelease();

    EXPECT_EQ(NextGalleryWidth(std::numeric_limits<int>::max(), 5, 1), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseGalleryWidth(L" 12 "), 12);
    EXPECT_EQ(ParseGalleryWidth(L"-3"), 0);
    EXPECT_EQ(ParseGalleryWidth(L"9999999999"), 0);
}

// A right click on a control outside the groups (on the quick-access bar): the frame hears of the
// control first, then the control's own handler runs, then the toolkit's menu shows.
TEST_F(RibbonFrameTest, AControlOutsideTheGroupsHearsOfItsRightClickBeforeItsMenuShows) {
    class Watched : public CXTPControlButton {
    public:
        explicit Watched(platform::harness::Session& session) : session_(session) {}
        void OnRButtonUp(POINT) override { heardAt = session_.journal().entries().size(); }
        std::size_t heardAt = 0;

    private:
        platform::harness::Session& session_;
    };
    auto* watched = new Watched(s);
    ribbon->GetQuickAccessControls()->Add(watched, 4711)->SetCaption(L"Watched");
    s.runUntilIdle();
    const std::size_t before = s.journal().entries().size();
    s.user().expectMenuDismiss();
    EXPECT_EQ(s.user().rightClick(frame->GetSafeHwnd(), 4711), std::nullopt);
    ASSERT_GT(watched->heardAt, before) << "the control's handler ran";
    bool menuAfter = false;
    for (std::size_t i = watched->heardAt; i < s.journal().entries().size(); ++i)
        menuAfter |= s.journal().entries()[i].line().rfind(L"menu ", 0) == 0;
    EXPECT_TRUE(menuAfter) << "the menu shows after the handler";
    for (std::size_t i = before; i < watched->heardAt; ++i)
        EXPECT_NE(s.journal().entries()[i].line().rfind(L"menu ", 0), 0u) << "and not before it";
}

}  // namespace
