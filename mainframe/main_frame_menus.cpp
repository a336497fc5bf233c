#include "mainframe/main_frame_menus.h"

#include <algorithm>

#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/frameless_bars.h"
#include "mainframe/main_frame.h"
#include "mainframe/menu_insertion.h"

namespace {

constexpr const wchar_t* kInstalledLibraries = L"InstalledLibraries";
constexpr UINT kInstalledLibrariesCaption = 13087;
constexpr int kInstalledLibrariesAnchor = 1109;
// Commands that need the PDM system.
constexpr std::uint32_t kPdmCommandFlag = 0x20;
// A control hidden for a reason of its own (another owner decides): it is left as it is.
constexpr DWORD kHiddenElsewhere = 16;

bool IsSeparator(HMENU menu, int position) {
    const UINT state = ::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && (state & MF_SEPARATOR) != 0;
}

CXTPControls* PopupItems(CXTPControl* control) {
    CXTPCommandBar* bar = control ? control->GetCommandBar() : nullptr;
    return bar ? bar->GetControls() : nullptr;
}

// Removes every control whose parameter is `text` from the list and the pop-ups below it.
void RemoveByParameter(CXTPControls* controls, const CString& text) {
    if (!controls) return;
    for (int i = controls->GetCount() - 1; i >= 0; --i) {
        CXTPControl* control = controls->GetAt(i);
        const CString parameter = control->GetParameter();
        if (parameter.GetLength() == text.GetLength() && parameter.CompareNoCase(text) == 0) {
            controls->Remove(control);
            continue;
        }
        RemoveByParameter(PopupItems(control), text);
    }
}

bool IsPdmCommand(const CXTPControl& control) {
    if (control.GetID() <= 0 || (control.GetHideFlags() & kHiddenElsewhere)) return false;
    const KVCommandFlags flags = KVCommandContainer::Instance().GetCommandFlags(static_cast<UINT>(control.GetID()));
    return (flags.bits() & kPdmCommandFlag) != 0;
}

void ShowPdmControls(CXTPControls* controls, bool show) {
    if (!controls) return;
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        if (IsPdmCommand(*control)) control->SetHideFlag(xtpHideGeneric, !show);
        ShowPdmControls(PopupItems(control), show);
    }
}

// A group keeps showing while one of its controls does; a group emptied of visible controls by
// hiding goes, and comes back when the controls are shown.
void ShowPdmControls(CXTPRibbonBar& ribbon, bool show) {
    for (int t = 0; t < ribbon.GetTabCount(); ++t) {
        CXTPRibbonTab* tab = ribbon.GetTab(t);
        for (int g = 0; g < tab->GetGroupCount(); ++g) {
            CXTPRibbonGroup* group = tab->GetGroup(g);
            CXTPControls* controls = group->GetControls();
            bool touched = false;
            for (int i = 0; i < controls->GetCount(); ++i) touched = touched || IsPdmCommand(*controls->GetAt(i));
            ShowPdmControls(controls, show);
            if (!touched) continue;
            if (show) {
                group->SetVisible(TRUE);
                continue;
            }
            bool anyShown = false;
            for (int i = 0; i < controls->GetCount(); ++i)
                anyShown = anyShown || !(controls->GetAt(i)->GetHideFlags() & xtpHideGeneric);
            group->SetVisible(anyShown ? TRUE : FALSE);
        }
    }
}

}  // namespace

void RemoveMenuItemsInList(HMENU menu, const UINT* ids, int count) {
    const int total = ::GetMenuItemCount(menu);
    if (total < 0) return;
    const UINT* end = ids ? ids + std::max(count, 0) : ids;
    for (int i = total - 1; i >= 0; --i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            RemoveMenuItemsInList(sub, ids, count);
            if (::GetMenuItemCount(sub) == 0) ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
            continue;
        }
        if (IsSeparator(menu, i)) continue;
        if (ids && std::find(ids, end, ::GetMenuItemID(menu, i)) != end) ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
        if (!IsSeparator(menu, i)) continue;
        const int last = ::GetMenuItemCount(menu) - 1;
        if (i == 0 || i == last || IsSeparator(menu, i - 1) || IsSeparator(menu, i + 1))
            ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
}

IMPLEMENT_DYNCREATE(MenuItem_OpenConfiguration, CXTPControlButton)

MenuItem_OpenConfiguration::MenuItem_OpenConfiguration(const CString& name, const CString& path)
    : name_(name), path_(path) {
    SetCaption(name);
    SetFlags(GetFlags() | xtpFlagManualUpdate);
}

void MenuItem_OpenConfiguration::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlButton::Copy(source, recursive);
    if (const auto* item = dynamic_cast<const MenuItem_OpenConfiguration*>(source)) {
        name_ = item->name_;
        path_ = item->path_;
    }
}

void MenuItem_OpenConfiguration::OnExecute() {
    CXTPControlButton::OnExecute();
    if (DocumentsMenu::IConfiguration* known = DocumentsMenu::FindConfigurationByPath(path_)) {
        known->SetActive(true);
        return;
    }
    DocumentsMenu::IConfiguration* made = DocumentsMenu::CreateConfiguration(name_, false);
    if (!made) return;
    // Reading the file gives the configuration its path and contents.
    made->Load(path_);
    DocumentsMenu::IConfigurationsGroup* group = DocumentsMenu::GlobalCfgGroup();
    if (!group || !group->AddConfiguration(made)) {
        made->Destroy();
        return;
    }
    made->SetActive(true);
}

bool CMainFrame::RemoveUserPopupMenu(const CString& text) {
    CXTPControls* menuBar = GetMenuBarControls();
    if (!CXTPMDIFrameWnd::GetCommandBars() || text.IsEmpty()) return false;
    RemoveByParameter(menuBar, text);
    return true;
}

void CMainFrame::UpdateInstalledConfigurationsMenu() {
    CXTPControls* menuBar = GetMenuBarControls();
    if (!menuBar) return;
    std::vector<CString> names, paths;
    DocumentsMenu::GetInstalledConfigurations(names, paths);
    const std::size_t count = std::min(names.size(), paths.size());
    if (count == 0) {
        RemoveByParameter(menuBar, kInstalledLibraries);
        return;
    }
    CXTPControl* popup = FindControlByParameter(menuBar, kInstalledLibraries);
    if (!popup) {
        DWORD flags = 0x400;  // the anchor control itself, not its first item
        const std::optional<ControlPosition> anchor = FindCommandPosition(menuBar, kInstalledLibrariesAnchor, flags);
        if (!anchor) return;
        RemoveByParameter(menuBar, kInstalledLibraries);
        popup = anchor->list->Add(xtpControlPopup, 0, kInstalledLibraries, anchor->index + 1);
        popup->SetCaption(KVLoadString(kInstalledLibrariesCaption));
        popup->SetFlags(popup->GetFlags() | xtpFlagManualUpdate);
    }
    if (!popup->GetCommandBar()) {
        CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(CXTPMDIFrameWnd::GetCommandBars());
        popup->SetCommandBar(bar);
        bar->InternalRelease();
    }
    CXTPControls* items = popup->GetCommandBar()->GetControls();
    items->RemoveAll();
    for (std::size_t i = 0; i < count; ++i) items->Add(new MenuItem_OpenConfiguration(names[i], paths[i]), 0);
}

void CMainFrame::ShowFlaggedCommandControls(bool show) {
    ShowPdmControls(GetMenuBarControls(), show);
    KVRibbonBar* ribbon = GetRibbonBar();
    if (!ribbon) return;
    if (CXTPRibbonControlSystemButton* system = ribbon->GetSystemButton()) ShowPdmControls(PopupItems(system), show);
    ShowPdmControls(ribbon->GetQuickAccessControls(), show);
    ShowPdmControls(*ribbon, show);
}

bool CMainFrame::IsPdmCommandsAvailable() { return KVPDMWorkMix::IsActive() && KVPDMWorkMix::Instance() != nullptr; }

CXTPToolBar* CMainFrame::GetFramelessViewToolBar() const {
    return GetFramelessToolBar(frameless_bars::kView);
}
