// The documents menu's context menus as a whole: the popup they share (its icons, its owner),
// sub-menus, and the items that act on the window, the browser pane and all configurations.
#include <iterator>

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/window/preview_wnd.h"

namespace DocumentsMenu {

namespace {

// Each row: the kernel's icon and the id the menus know it by (0: its own).
constexpr struct {
    UINT icon;
    UINT storedAs;
} kContextMenuIcons[] = {
    {1026, 0}, {1077, 0},  {1032, 0},  {8011, 0},  {1113, 0},  {8002, 0},  {1735, 0},  {1459, 43207}, {1059, 0},
    {1736, 0}, {4309, 0},  {1029, 0},  {1093, 0},  {1119, 0},  {1109, 0},  {1912, 0},  {1201, 0},     {1127, 0},
    {1231, 0}, {1232, 0},  {4302, 0},  {446, 0},   {40817, 0}, {40819, 0}, {40818, 0}, {1001, 0},     {40820, 0},
    {1065, 0}, {1064, 0},  {2044, 0},  {2043, 0},  {40753, 0}, {40754, 0},
};
static_assert(std::size(kContextMenuIcons) == 33);

// Menu button style 3: icon and caption.
constexpr int kIconAndCaption = 3;

}  // namespace

CXTPImageManager* CreateContextMenuImageManager() {
    auto* images = new CXTPImageManager;
    for (const auto& row : kContextMenuIcons)
        UIModuleProxy::Instance().BindIcon(images, row.storedAs ? row.storedAs : row.icon, row.icon);
    return images;
}

CXTPPopupBar* CreateContextMenu() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr;
    if (!bars) return nullptr;
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars);
    popup->SetDefaultButtonStyle(kIconAndCaption);
    popup->SetImageManager(CreateContextMenuImageManager());
    return popup;
}

CXTPPopupBar* AddSubMenu(CXTPPopupBar* popup, LPCWSTR captionKey, bool beginGroup) {
    auto* item = new CXTPControlPopup;
    item->SetCaption(Korvo::I18n::Translate(captionKey));
    item->SetBeginGroup(beginGroup ? TRUE : FALSE);
    CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(popup->GetCommandBars());
    menu->SetDefaultButtonStyle(kIconAndCaption);
    menu->SetImageManager(CreateContextMenuImageManager());
    item->SetCommandBar(menu);
    menu->InternalRelease();
    popup->GetControls()->Add(item, 0);
    return menu;
}

void TrackContextMenu(CXTPPopupBar* popup, POINT screen) {
    if (!popup) return;
    if (CXTPCommandBars* bars = popup->GetCommandBars()) bars->TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y);
    popup->InternalRelease();
}

namespace ConfigurationsGroupMenuItems {

OpenCfg::OpenCfg(bool beginGroup) : ContextMenuItem(L"docs_menu.ctx_menu.open", 1109, beginGroup) {}
void OpenCfg::Execute() { OpenConfiguration(GlobalCfgGroup()); }

OpenCfgFromVARNEL::OpenCfgFromVARNEL(bool beginGroup)
    : ContextMenuItem(L"docs_menu.ctx_menu.open_from_Varnel", 1912, beginGroup) {}
void OpenCfgFromVARNEL::Execute() { OpenConfigurationFromVARNEL(GlobalCfgGroup()); }

CloseAllCfgs::CloseAllCfgs(bool beginGroup) : ContextMenuItem(L"docs_menu.ctx_menu.close_all", 1127, beginGroup) {}
void CloseAllCfgs::Execute() { CloseAllConfigurations(GlobalCfgGroup()); }

}  // namespace ConfigurationsGroupMenuItems

namespace DocumentsMenuDlgMenuItems {

ShowHidden::ShowHidden(DocumentsMenuDlg* window, bool beginGroup)
    : DocumentsMenuDlgMenuItem(window,
                               window->IsShowHidden() ? L"docs_menu.ctx_menu.hide_invisible"
                                                      : L"docs_menu.ctx_menu.show_invisible",
                               window->IsShowHidden() ? 40754 : 40753, beginGroup) {}
void ShowHidden::Execute() { window_->SetShowHidden(!window_->IsShowHidden()); }

ShowExcluded::ShowExcluded(DocumentsMenuDlg* window, bool beginGroup)
    : DocumentsMenuDlgMenuItem(window,
                               window->IsShowExcluded() ? L"docs_menu.ctx_menu.hide_exclusions"
                                                        : L"docs_menu.ctx_menu.show_exclusions",
                               -1, beginGroup) {}
void ShowExcluded::Execute() { window_->SetShowExcluded(!window_->IsShowExcluded()); }

#define KORVO_CHECK_ITEM(Name, key, icon, checked, action)                                              \
    Name::Name(DocumentsMenuDlg* window, bool beginGroup) : DocumentsMenuDlgMenuItem(window, key, icon, beginGroup) { \
        SetChecked((checked) ? TRUE : FALSE);                                                            \
    }                                                                                                    \
    void Name::Execute() { action; }

KORVO_CHECK_ITEM(SplitModeNone, L"docs_menu.ctx_menu.none", -1, window->GetSplitMode() == 0, window_->SetSplitMode(0))
KORVO_CHECK_ITEM(SplitModeHorizontal, L"docs_menu.ctx_menu.horizontal_split", 1231, window->GetSplitMode() == 1,
                 window_->SetSplitMode(1))
KORVO_CHECK_ITEM(SplitModeVertical, L"docs_menu.ctx_menu.vertical_split", 1232, window->GetSplitMode() == 2,
                 window_->SetSplitMode(2))
KORVO_CHECK_ITEM(TreeView, L"docs_menu.ctx_menu.tree", -1, !window->IsListMode(), window_->ShowLibrariesList(false))
KORVO_CHECK_ITEM(LibrariesList, L"docs_menu.ctx_menu.libraries_only", -1, window->IsListMode(),
                 window_->ShowLibrariesList(true))
#undef KORVO_CHECK_ITEM

}  // namespace DocumentsMenuDlgMenuItems

namespace PreviewMenuItems {

IconSizeItem::IconSizeItem(PreviewWnd* pane, LPCWSTR captionKey, int size)
    : BrowserContextMenuItem(pane, captionKey, -1, false), size_(size) {
    SetChecked(pane->GetIconSize() == size ? TRUE : FALSE);
}
void IconSizeItem::Execute() { pane_->SetIconSize(size_); }

HugeIcons::HugeIcons(PreviewWnd* pane) : IconSizeItem(pane, L"docs_menu.ctx_menu.huge_icons", 128) {}
LargeIcons::LargeIcons(PreviewWnd* pane) : IconSizeItem(pane, L"docs_menu.ctx_menu.large_icons", 64) {}
MediumIcons::MediumIcons(PreviewWnd* pane) : IconSizeItem(pane, L"docs_menu.ctx_menu.medium_icons", 32) {}
SmallIcons::SmallIcons(PreviewWnd* pane) : IconSizeItem(pane, L"docs_menu.ctx_menu.small_icons", 16) {}

}  // namespace PreviewMenuItems

}  // namespace DocumentsMenu
