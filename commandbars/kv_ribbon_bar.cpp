#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/menu_text.h"

#include <algorithm>

#include <boost/scope_exit.hpp>

#include "commandbars/backstage/ribbon_backstage_view.h"
#include "commandbars/varnel_popup.h"
#include "services/system_panel.h"

IMPLEMENT_DYNCREATE(KVRibbonBar, CXTPRibbonBar)

namespace {

// The tab row: a tab's tooltip is its caption when the toolkit has none.
class RibbonTabControl : public CXTPRibbonControlTab {
public:
    CString GetItemTooltip(const CXTPRibbonTab* tab) const override {
        const CString own = CXTPRibbonControlTab::GetItemTooltip(tab);
        return withoutMnemonics(own.IsEmpty() && tab ? tab->GetCaption() : own);
    }
};

// The file button: opens the backstage view.
class RibbonSystemButton : public CXTPRibbonControlSystemButton {
public:
    RibbonSystemButton() {
        SetCaption(Korvo::I18n::Translate(L"main_menu.file"));
        auto* view = new RibbonBackstageView;
        SetCommandBar(view);
        view->InternalRelease();
    }
};

// The popup of a tab while the ribbon is minimised: large icons as the ribbon's.
class RibbonTabPopupToolBar : public CXTPRibbonTabPopupToolBar {
public:
    explicit RibbonTabPopupToolBar(SIZE largeIcons) : largeIcons_(largeIcons) {}
    SIZE GetLargeIconSize() const { return largeIcons_; }

private:
    SIZE largeIcons_;
};

// The reason the layout hides the PDM popup for (not one of the toolkit's).
constexpr DWORD kHiddenByLayout = 0x100;

// Replaces the control at `index` of `controls` by `replacement` (same id, state copied).
void replaceControl(CXTPControls* controls, int index, CXTPControl* replacement) {
    CXTPControl* old = controls->GetAt(index);
    replacement->Copy(old);
    const int id = old->GetID();
    controls->Remove(old);
    controls->Add(replacement, id, nullptr, index);
}

}  // namespace

BEGIN_MESSAGE_MAP(KVRibbonBar, CXTPRibbonBar)
    ON_MESSAGE(WM_NCHITTEST, &KVRibbonBar::OnNcHitTestMessage)
    ON_MESSAGE(WM_RBUTTONUP, &KVRibbonBar::OnRButtonUpMessage)
END_MESSAGE_MAP()

KVRibbonBar::KVRibbonBar() {
    SetTabClass(RUNTIME_CLASS(Korvo::UI::RibbonTab));
    SetGroupClass(RUNTIME_CLASS(Korvo::UI::RibbonGroup));
    CXTPControls* controls = GetControls();
    for (int i = 0; i < controls->GetCount(); ++i) {
        if (dynamic_cast<CXTPRibbonControlTab*>(controls->GetAt(i))) {
            replaceControl(controls, i, new RibbonTabControl);
            break;
        }
    }
    for (int i = 0; i < controls->GetCount(); ++i)
        if (dynamic_cast<CXTPRibbonControlSystemButton*>(controls->GetAt(i))) {
            controls->Remove(i);
            break;
        }
    controls->Add(new RibbonSystemButton, 0, nullptr, 0);
}

KVRibbonBar::~KVRibbonBar() = default;

Korvo::UI::MainFrame* KVRibbonBar::frame() const { return dynamic_cast<Korvo::UI::MainFrame*>(GetSite()); }


SIZE KVRibbonBar::GetIconSize() const {
    CXTPCommandBars* bars = GetCommandBars();
    const bool scale = bars && bars->GetCommandBarsOptions()->bDpiScaling;
    return scale ? XTPDpiHelper()->Scale(SIZE{16, 16}) : SIZE{16, 16};
}

SIZE KVRibbonBar::GetLargeIconSize() const {
    CXTPCommandBars* bars = GetCommandBars();
    const bool scale = bars && bars->GetCommandBarsOptions()->bDpiScaling;
    return scale ? XTPDpiHelper()->Scale(SIZE{32, 32}) : SIZE{32, 32};
}

BOOL KVRibbonBar::OnTabChanging(CXTPRibbonTab* newTab) {
    if (const auto* tab = dynamic_cast<const Korvo::UI::RibbonTab*>(newTab); tab && tab->IsDisabledByUser()) return TRUE;
    return CXTPRibbonBar::OnTabChanging(newTab);
}

void KVRibbonBar::OnTabChanged(CXTPRibbonTab* tab) {
    CXTPRibbonBar::OnTabChanged(tab);
    auto* ribbonTab = dynamic_cast<Korvo::UI::RibbonTab*>(tab);
    if (ribbonTab && !ribbonTab->WasShown()) {
        ribbonTab->SetShown();
        CalcDockingLayout();
    }
    if (programmaticTabChanges_ != 0 || !ribbonTab || ribbonTab->GetGuid() == GUID{}) return;
    Korvo::UI::MainFrame* owner = frame();
    CKVView* view = owner ? owner->GetActiveKorvoView() : nullptr;
    if (!view) return;
    MainBarState state;
    state.tab = ribbonTab->GetGuid();
    state.context = view->GetTypeGuid();
    if (!view->GetMainBarSwitchHistory().SetTopEvent(state)) view->SetStoredTabGuid(ribbonTab->GetGuid());
}

void KVRibbonBar::CalcDockingLayout() {
    // The layout hides the popup for a reason of its own, so that one that did not fit comes
    // back once the caption row is wide enough again.
    const bool popupShown = varnelPopup_ && (varnelPopup_->GetHideFlags() & ~kHiddenByLayout) == 0;
    if (varnelPopup_) varnelPopup_->SetHideFlag(kHiddenByLayout, TRUE);
    if (layoutPending_) {
        ForEachGroup([](CXTPRibbonGroup* group) {
            if (auto* own = dynamic_cast<Korvo::UI::RibbonGroup*>(group)) own->UpdateOptionButton();
        });
        layoutPending_ = false;
    }
    CXTPRibbonBar::CalcDockingLayout();
    varnelRect_ = RECT{};
    if (!varnelPopup_ || !popupShown) return;
    // The popup sits in the caption row, 16 pixels left of the leftmost caption button.
    const int right = captionButtonsLeft() - XTPDpiHelper()->ScaleX(16);
    const int width = kControlWidth * 2;
    const RECT quickAccess = GetQuickAccessRect();
    const int leftLimit = std::max<int>(quickAccess.right, kControlWidth);
    if (right - width < leftLimit) return;  // too narrow: stays hidden
    varnelPopup_->SetHideFlag(kHiddenByLayout, FALSE);
    varnelRect_ = RECT{right - width, 0, right, kCaptionHeight};
}

RECT KVRibbonBar::GetControlRect(const CXTPControl* control) const {
    if (control && control == varnelPopup_ && varnelRect_.right > varnelRect_.left) return varnelRect_;
    return CXTPRibbonBar::GetControlRect(control);
}

int KVRibbonBar::captionButtonsLeft() const {
    int left = GetRibbonWidth();
    BOOL composition = FALSE;
    CWnd* site = GetSite();
    if (SUCCEEDED(DwmIsCompositionEnabled(&composition)) && composition && site && site->GetSafeHwnd() && GetSafeHwnd()) {
        // The frame's own buttons; one that is unavailable, hidden or off screen does not count.
        constexpr DWORD kNotShown = STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        TITLEBARINFOEX info;
        info.cbSize = sizeof(info);
        if (!site->SendMessage(WM_GETTITLEBARINFOEX, 0, reinterpret_cast<LPARAM>(&info))) return left;
        for (int index = 2; index <= CCHILDREN_TITLEBAR; ++index) {
            if (info.rgstate[index] & kNotShown) continue;
            POINT corner{info.rgrect[index].left, info.rgrect[index].top};
            ScreenToClient(GetSafeHwnd(), &corner);
            left = std::min<int>(left, corner.x);
        }
        return left;
    }
    if (!IsFrameThemeEnabled()) return left;
    // The toolkit's frame theme draws the caption buttons as the ribbon's own controls.
    int buttons = 0;
    for (int id : {61472, 61488, 61536, 61728, 61824}) {
        if (buttons == 5) break;
        CXTPControl* button = GetControls()->FindControl(id);
        if (!button || !button->IsVisible()) continue;
        ++buttons;
        left = std::min<int>(left, GetControlRect(button).left);
    }
    return left;
}

LRESULT KVRibbonBar::OnNcHitTestMessage(WPARAM wParam, LPARAM lParam) {
    BOOL composition = FALSE;
    CWnd* site = GetSite();
    if (FAILED(DwmIsCompositionEnabled(&composition)) || !composition || !site || !site->GetSafeHwnd()) return Default();
    RECT frame{};
    site->GetWindowRect(&frame);
    const RECT& last = captionHit_.frame;
    const bool cached = captionHit_.valid && captionHit_.point == lParam && last.left == frame.left &&
                        last.top == frame.top && last.right == frame.right && last.bottom == frame.bottom;
    if (!cached) {
        LRESULT result = 0;
        if (!DwmDefWindowProc(site->GetSafeHwnd(), WM_NCHITTEST, wParam, lParam, &result)) result = 0;
        captionHit_ = CaptionHit{frame, lParam, result, true};
    }
    switch (captionHit_.result) {
        case HTMINBUTTON:
        case HTMAXBUTTON:
        case HTCLOSE:
        case HTHELP: return HTTRANSPARENT;
        default: return Default();
    }
}

CXTPRibbonTabPopupToolBar* KVRibbonBar::CreateTabPopupToolBar(CXTPRibbonTab* tab) {
    auto* popup = new RibbonTabPopupToolBar(GetLargeIconSize());
    popup->AttachToCommandBars(GetCommandBars());
    popup->SetPosition(xtpBarPopup);
    popup->FillFromTab(tab);
    if (!tab) return popup;
    // Parameter controls take their values from the control at the same place of the ribbon.
    for (int g = 0; g < tab->GetGroupCount() && g < popup->GetControls()->GetCount(); ++g) {
        CXTPCommandBar* groupBar = popup->GetControls()->GetAt(g)->GetCommandBar();
        CXTPRibbonGroup* group = tab->GetGroup(g);
        if (!groupBar) continue;
        for (int c = 0; c < group->GetCount() && c < groupBar->GetControls()->GetCount(); ++c) {
            std::vector<std::pair<CXTPControl*, CXTPControl*>> pending{{groupBar->GetControls()->GetAt(c), group->GetAt(c)}};
            while (!pending.empty()) {
                auto [copy, original] = pending.back();
                pending.pop_back();
                auto* target = dynamic_cast<IDataExchange*>(copy);
                auto* source = dynamic_cast<IDataExchange*>(original);
                if (target) {
                    target->Initialize();
                    if (source) target->CopyFrom(source);
                }
                CXTPCommandBar* copyBar = copy->GetCommandBar();
                CXTPCommandBar* originalBar = original->GetCommandBar();
                if (!copyBar || !originalBar) continue;
                for (int i = 0; i < copyBar->GetControls()->GetCount() && i < originalBar->GetControls()->GetCount(); ++i)
                    pending.emplace_back(copyBar->GetControls()->GetAt(i), originalBar->GetControls()->GetAt(i));
            }
        }
    }
    return popup;
}

void KVRibbonBar::OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    CXTPRibbonBar::OnHookMessage(message, wParam, lParam);
    if (message == XTP_HOOK_CONTROLEXECUTED) followSplitButton(reinterpret_cast<CXTPControl*>(lParam));
    if (message == WM_ACTIVATE && varnelPopup_ && varnelPopup_->IsVisible() && GetSafeHwnd()) InvalidateRect(GetSafeHwnd(), &varnelRect_, FALSE);
}

void KVRibbonBar::followSplitButton(CXTPControl* control) {
    if (!control) return;
    std::vector<CXTPControl*> chain;
    bool found = false;
    ForEachControl(
        [&](CXTPControl* each, const std::vector<CXTPControl*>& parents) {
            if (found || each != control) return;
            chain = parents;
            found = true;
        },
        true);
    if (!found) return;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        auto* parent = dynamic_cast<Korvo::UI::AutoPopup*>(*it);
        if (!parent || parent->GetType() != xtpControlSplitButtonPopup || !parent->GetFollowFlag()) break;
        parent->SetID(control->GetID());
        parent->SetIconId(control->GetIconId());
        // A control bound to an action shows the action's check mark, not its own.
        const CXTPControlAction* action = control->GetAction();
        parent->SetChecked(action ? action->GetChecked() : control->GetChecked());
        parent->SetTooltip(control->GetTooltip());
        parent->SetDescription(control->GetDescription());
        parent->SetShortcutText(control->GetShortcutText());
        parent->SetKeyboardTip(control->GetKeyboardTip());
        if (parent->GetTakeCaptionFlag()) parent->SetCaption(control->GetCaption());
    }
}

void KVRibbonBar::Copy(CXTPCommandBar* source, BOOL recursive) {
    auto* ribbon = dynamic_cast<CXTPRibbonBar*>(source);
    // The ribbon's own controls (system button, tab row, PDM popup) are this bar's, made by its
    // constructor: only the tabs, groups and their controls come over.
    if (!ribbon || ribbon == this) return CXTPRibbonBar::Copy(source, recursive);
    const BOOL saved = ribbon->GetCustomizationSwitch();
    ribbon->SetCustomizationSwitch(TRUE);
    BOOST_SCOPE_EXIT_ALL(ribbon, saved) { ribbon->SetCustomizationSwitch(saved); };
    while (GetTabCount() > 0) RemoveTab(0);
    for (int t = 0; t < ribbon->GetTabCount(); ++t) {
        CXTPRibbonTab* tab = ribbon->GetTab(t);
        CXTPRibbonTab* newTab = AddTab(tab->GetCaption(), tab->GetID());
        newTab->SetVisible(tab->IsVisible());
        newTab->SetContextColor(tab->GetContextColor());
        auto* own = dynamic_cast<Korvo::UI::RibbonTab*>(tab);
        auto* newOwn = dynamic_cast<Korvo::UI::RibbonTab*>(newTab);
        if (own && newOwn) {
            newOwn->SetGuid(own->GetGuid());
            newOwn->SetTags(own->GetTagString());
            newOwn->SetDisabledByUser(own->IsDisabledByUser());
        }
        for (int g = 0; g < tab->GetGroupCount(); ++g) {
            CXTPRibbonGroup* group = tab->GetGroup(g);
            CXTPRibbonGroup* newGroup = newTab->AddGroup(group->GetCaption(), group->GetID());
            newGroup->SetVisible(group->IsVisible());
            for (int c = 0; c < group->GetCount(); ++c) newGroup->GetControls()->AddClone(group->GetAt(c), -1, TRUE);
        }
    }
}

CXTPCommandBar* KVRibbonBar::Clone(BOOL recursive) {
    auto* copy = new KVRibbonBar;
    copy->AttachToCommandBars(GetCommandBars());
    copy->Copy(this, recursive);
    return copy;
}
