#include "commandbars/command_bars.h"

#include <algorithm>

#include "commandbars/app_custom_tool_bar.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/tool_bars.h"
#include "commandbars/tooltip_context.h"
#include "services/application.h"
#include "services/auxiliary.h"

IMPLEMENT_DYNCREATE(CKVCommandBars, CXTPCommandBars)
IMPLEMENT_DYNCREATE(CKVAutoMenuCommandBars, CKVCommandBars)
IMPLEMENT_DYNCREATE(CKVRibbonCommandBars, CKVCommandBars)
using FramelessToolBars = Korvo::UI::FramelessToolBars;
IMPLEMENT_DYNCREATE(CKVFramelessToolBars, FramelessToolBars)

namespace {

// Kernel strings: the PDM assembly bar's title and the theme submenu's caption.
constexpr UINT kPdmAssemblyBarTitle = 13588;
constexpr UINT kThemeMenuCaption = 42295;
constexpr UINT kToolBarsMenu = 1100;
constexpr UINT kFirstThemeCommand = 3401;
constexpr UINT kLastThemeCommand = 3449;
constexpr UINT kFirstPaneToggle = 781;
constexpr UINT kLastPaneToggle = 826;
// The tool-bars list's group of add-on applications' bars (the program's own are group 0).
constexpr UINT kAddOnToolBarGroup = 2;

// The one item of a tool bar's context menu: fixes or frees the bar.
class ToggleToolBarFixtureButton : public CXTPControlButton {
public:
    explicit ToggleToolBarFixtureButton(CXTPToolBar* bar) : bar_(bar) {
        bar_->InternalAddRef();
        SetFlags(GetFlags() | xtpFlagManualUpdate);
        SetCaption(Korvo::I18n::Translate(L"panels.context_menu.fix"));
        SetChecked(Korvo::UI::IsFixed(bar_));
    }
    ~ToggleToolBarFixtureButton() override { bar_->InternalRelease(); }
    void OnExecute() override { Korvo::UI::Fix(bar_, !GetChecked()); }

private:
    CXTPToolBar* bar_;
};

bool isVertical(const CXTPToolBar* bar) {
    return bar->GetPosition() == xtpBarLeft || bar->GetPosition() == xtpBarRight;
}

// Whether the screen point lies on the leading border (the gripper) of the bar.
bool onLeadingBorder(CXTPToolBar* bar, POINT point) {
    if (!bar->GetSafeHwnd()) return false;
    RECT rect{};
    bar->GetWindowRect(&rect);
    RECT borders{2, 2, 2, 2};
    if (const auto* fixable = dynamic_cast<const Korvo::UI::GenericFixableToolBar<CXTPToolBar>*>(bar))
        borders = fixable->GetBorders();
    else if (const auto* menu = dynamic_cast<const CKVMenuBar*>(bar))
        borders = menu->GetBorders();
    if (isVertical(bar))
        return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.top + borders.top;
    return point.y >= rect.top && point.y < rect.bottom && point.x >= rect.left && point.x < rect.left + borders.left;
}

// Leaves no doubled group marks and none on the first control (a separator at the top).
void tidyGroups(CXTPControls* controls) {
    if (CXTPControl* first = controls->GetAt(0)) first->SetBeginGroup(FALSE);
}

// The PDM panes' items take the captions of the panes they show.
void NamePdmPaneItems(CXTPPopupBar* popup) {
    const auto name = [popup](int id, const CString& caption) {
        CXTPControl* item = popup->GetControls()->FindControl(xtpControlError, id, FALSE, TRUE);
        if (item && !caption.IsEmpty()) item->SetCaption(caption);
    };
    if (const AuxiliaryServices* panes = AuxiliaryServices::Instance()) {
        name(787, panes->BuildPaneTitle(AuxiliaryServices::kArchives, true));
        name(788, panes->BuildPaneTitle(AuxiliaryServices::kDesktop, true));
        name(789, panes->BuildPaneTitle(AuxiliaryServices::kDesktop, true));
        name(798, panes->BuildPaneTitle(AuxiliaryServices::kMail, true));
    }
    ApplicationServices* app = ApplicationServices::Instance();
    if (const auto* assembly = dynamic_cast<const CVarnelAssemblyWnd*>(app ? app->GetVarnelAssemblyWindow(false, false) : nullptr))
        name(814, assembly->GetCaption());
}

}  // namespace

void AddThemeControls(CXTPControls* controls) {
    CMenu menu;
    menu.CreatePopupMenu();
    if (const ApplicationServices* app = ApplicationServices::Instance()) app->FillThemeMenu(&menu);
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        CString caption;
        menu.GetMenuString(i, caption, MF_BYPOSITION);
        controls->Add(xtpControlButton, static_cast<int>(menu.GetMenuItemID(static_cast<int>(i))))->SetCaption(caption);
    }
}

CKVCommandBars::CKVCommandBars() : CKVCommandBars(true) {}

CKVCommandBars::CKVCommandBars(bool ownTooltips) {
    if (ownTooltips) SetToolTipContext(std::make_unique<CKVToolTipContext>(this));
}

void CKVCommandBars::ContextMenu(CXTPToolBar* bar, POINT point) {
    const bool fixItem = showFixItem_ && !IsCustomizeMode() && bar && Korvo::UI::IsFixable(bar) &&
                         bar->GetType() != xtpBarTypeRibbon && onLeadingBorder(bar, point);
    if (!fixItem) {
        CXTPCommandBars::ContextMenu(bar, point);
        return;
    }
    ClosePopups();
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(this);
    popup->GetControls()->Add(new ToggleToolBarFixtureButton(bar), 0);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON | (IsLayoutRTL() ? TPM_LAYOUTRTL : 0), point.x, point.y);
    popup->InternalRelease();
}

bool CKVCommandBars::IsListableToolBar(const CXTPToolBar* bar) const {
    if (!bar || bar->GetType() == xtpBarTypeMenuBar || !bar->IsShowInList()) return false;
    // An add-on application's bar is not customisable; it is listed once its application made
    // it active.
    if (const auto* addOn = dynamic_cast<const CKVAppCustomToolBar*>(bar)) {
        if (!addOn->IsActive()) return false;
    } else if (!bar->IsCustomizable()) {
        return false;
    }
    if (bar->GetBarID() == 1001 || bar->GetBarID() == 1002) return false;
    if (!bar->GetSafeHwnd() || bar->GetTitle().IsEmpty()) return false;
    if (!KVPDMWorkMix::IsActive() && bar->GetTitle() == KVLoadString(kPdmAssemblyBarTitle)) return bar->IsVisible() != FALSE;
    return true;
}

CXTPPopupBar* CKVCommandBars::GetToolbarsPopup() {
    toolBars_.clear();
    CXTPPopupBar* popup = LoadMenuPopupBar(this, kToolBarsMenu);
    if (!popup) return nullptr;
    if (!KVPDMWorkMix::IsActive()) RemoveMenuItems(popup, {787, 788, 789, 791, 814, 798});
    else NamePdmPaneItems(popup);

    for (int i = 0; i < GetCount(); ++i) {
        const CXTPToolBar* bar = GetAt(i);
        if (!IsListableToolBar(bar)) continue;
        const UINT group = dynamic_cast<const CKVAppCustomToolBar*>(bar) ? kAddOnToolBarGroup : 0;
        toolBars_.push_back(ToolBarEntry{group, bar->GetBarID(), bar->GetTitle(), bar->IsVisible() != FALSE});
    }
    // The sub-menu that holds the placeholder item.
    CXTPControls* items = popup->GetControls();
    CXTPControl* subMenu = nullptr;
    for (int i = 0; i < items->GetCount() && !subMenu; ++i)
        if (CXTPCommandBar* sub = items->GetAt(i)->GetCommandBar();
            sub && sub->GetControls()->FindControl(static_cast<int>(kFirstToolBarCommand)))
            subMenu = items->GetAt(i);
    if (subMenu && toolBars_.empty()) {
        items->Remove(subMenu);
        tidyGroups(items);
    } else if (subMenu) {
        CXTPControls* list = subMenu->GetCommandBar()->GetControls();
        list->RemoveAll();
        std::sort(toolBars_.begin(), toolBars_.end());
        // Ids past the last tool-bar id would collide with the pane toggles.
        if (toolBars_.size() > kMaxToolBarEntries) toolBars_.resize(kMaxToolBarEntries);
        for (std::size_t n = 0; n < toolBars_.size(); ++n) {
            CXTPControl* item = list->Add(xtpControlButton, static_cast<int>(kFirstToolBarCommand + n));
            item->SetCaption(toolBars_[n].title);
            item->SetChecked(toolBars_[n].visible);
            item->SetBeginGroup(n > 0 && toolBars_[n].group != toolBars_[n - 1].group);
        }
    }

    // The theme sub-menu.
    CXTPControl* themes = items->Add(xtpControlPopup, 0);
    themes->SetCaption(KVLoadString(kThemeMenuCaption));
    themes->SetBeginGroup(items->GetCount() > 1);
    CXTPPopupBar* themeBar = CXTPPopupBar::CreatePopupBar(this);
    AddThemeControls(themeBar->GetControls());
    themes->SetCommandBar(themeBar);
    themeBar->InternalRelease();

    // Tool-bar entries and pane toggles keep the menu open; tool-bar and theme entries show their
    // caption only.
    std::vector<CXTPControls*> pending{items};
    while (!pending.empty()) {
        CXTPControls* controls = pending.back();
        pending.pop_back();
        for (int i = 0; i < controls->GetCount(); ++i) {
            CXTPControl* control = controls->GetAt(i);
            const auto id = static_cast<UINT>(control->GetID());
            const bool toolBarEntry = id >= kFirstToolBarCommand && id < kFirstToolBarCommand + kMaxToolBarEntries;
            if (toolBarEntry || (id >= kFirstPaneToggle && id <= kLastPaneToggle))
                control->SetFlags(control->GetFlags() | xtpFlagNoMovable);
            if (toolBarEntry || (id >= kFirstThemeCommand && id <= kLastThemeCommand)) control->SetStyle(xtpButtonCaption);
            if (CXTPCommandBar* sub = control->GetCommandBar()) pending.push_back(sub->GetControls());
        }
    }
    return popup;
}

CXTPToolBar* CKVCommandBars::GetListedToolBar(UINT id) const {
    if (id < kFirstToolBarCommand || id - kFirstToolBarCommand >= toolBars_.size()) return nullptr;
    const ToolBarEntry& entry = toolBars_[id - kFirstToolBarCommand];
    for (int i = 0; i < GetCount(); ++i)
        if (CXTPToolBar* bar = GetAt(i); bar->GetBarID() == entry.barId && bar->GetTitle() == entry.title) return bar;
    return nullptr;
}

void CKVCommandBars::OnTrackingModeChanged(CXTPPopupBar* popup, BOOL tracking) {
    if (!tracking && popup && popup->GetCommandBars() == this) toolBars_.clear();
    CXTPCommandBars::OnTrackingModeChanged(popup, tracking);
}

// ---- Ribbon or classic ------------------------------------------------------------------------

KVRibbonBar* CKVRibbonCommandBars::GetRibbonBar() {
    if (ribbon_) return ribbon_;
    auto* bar = dynamic_cast<KVRibbonBar*>(Add(Korvo::I18n::Translate(L"panels.ribbon"), xtpBarTop,
                                                RUNTIME_CLASS(KVRibbonBar)));
    if (!bar) return nullptr;
    ribbon_ = bar;
    ribbon_->SetBarID(1);
    ribbon_->EnableDocking(0);
    ribbon_->EnableCustomization(FALSE);
    ribbon_->SetVisible(ribbonMode_);
    return ribbon_;
}

CKVMenuBar* CKVRibbonCommandBars::GetMainMenuBar() {
    if (!menuBar_) SetMenu(Korvo::I18n::Translate(L"panels.main_menu"), 0);
    return menuBar_;
}

CXTPMenuBar* CKVRibbonCommandBars::CreateMenuBarObject() { return new CKVMenuBar; }

void CKVRibbonCommandBars::OnMenuBarSet(CXTPMenuBar* bar) {
    menuBar_ = dynamic_cast<CKVMenuBar*>(bar);
    if (!menuBar_) return;
    menuBar_->SetBarID(1);
    menuBar_->EnableDocking(9216);
    menuBar_->EnableCustomization(FALSE);
    menuBar_->SetVisible(!ribbonMode_);
}

CXTPCommandBar* CKVRibbonCommandBars::GetActiveMenuBar() {
    if (ribbonMode_) return GetRibbonBar();
    return GetMainMenuBar();
}

void CKVRibbonCommandBars::SetRibbonMode(bool on) {
    ribbonMode_ = on;
    SetShowFixItem(!on);
    if (CKVMenuBar* menu = GetMainMenuBar()) {
        menu->EnableCustomization(!on);
        menu->SetVisible(!on);
    }
    if (KVRibbonBar* ribbon = GetRibbonBar()) {
        ribbon->SetVisible(on);
        relayoutPending_ = true;
    }
    GetCommandBarsOptions()->bRibbonMode = on;
    RecalcFrameLayout();
}

void CKVRibbonCommandBars::OnToolBarRemoved(CXTPToolBar* bar) {
    CKVCommandBars::OnToolBarRemoved(bar);
    if (bar == menuBar_) menuBar_ = nullptr;
    if (bar == ribbon_) ribbon_ = nullptr;
}

CKVFramelessToolBars::CKVFramelessToolBars() { SetToolTipContext(std::make_unique<CKVToolTipContext>(this)); }
