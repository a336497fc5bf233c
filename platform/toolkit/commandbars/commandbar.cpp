#include "platform/toolkit/commandbars/commandbar.h"

#include <algorithm>
#include <mutex>

#include "platform/core/record.h"
#include "platform/faults.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/dpi.h"
#include "platform/toolkit/commandbars/edit_ctrl.h"
#include "platform/toolkit/commandbars/mouse_manager.h"
#include "platform/toolkit/window_classes.h"

IMPLEMENT_DYNCREATE(CXTPCommandBar, CWnd)
IMPLEMENT_DYNCREATE(CXTPToolBar, CXTPCommandBar)
IMPLEMENT_DYNCREATE(CXTPMenuBar, CXTPToolBar)
IMPLEMENT_DYNCREATE(CXTPPopupBar, CXTPCommandBar)

BEGIN_MESSAGE_MAP(CXTPCommandBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CXTPCommandBar::OnIdleUpdateMessage)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CXTPCommandBar::OnPaint() {
    CPaintDC dc(this);
    if (redrawLocks_ > 0) return;
    RECT clip = dc.m_ps.rcPaint;
    if (clip.right <= clip.left || clip.bottom <= clip.top) GetClientRect(&clip);
    DrawCommandBar(&dc, clip);
}

void CXTPCommandBar::DrawCommandBar(CDC* dc, const RECT&) {
    // Every control the bar shows draws itself (a control with a window of its own draws that).
    for (int i = 0; i < controls_->GetCount(); ++i) {
        CXTPControl* control = controls_->GetAt(i);
        if (IsControlShown(control)) control->Draw(dc, GetControlRect(control));
    }
}

CXTPCommandBar::CXTPCommandBar() : CXTPCommandBar(xtpBarTypeNormal) {}

CXTPCommandBar::CXTPCommandBar(XTPBarType type) : type_(type), controls_(new CXTPControls) {
    controls_->SetParent(this);
}

CXTPCommandBar::~CXTPCommandBar() {
    XTPMouseManager()->RemoveTrack(this);
    controls_->RemoveAll();
    controls_->SetParent(nullptr);
    controls_->InternalRelease();
}

void CXTPCommandBar::SetControls(CXTPControls* controls) {
    if (!controls || controls == controls_) return;
    controls_->RemoveAll();
    controls_->SetParent(nullptr);
    controls_->InternalRelease();
    controls_ = controls;
    controls_->SetParent(this);
}

SIZE CXTPCommandBar::DefaultButtonSize() {
    constexpr int kDefaultButton = 22;
    return {XTPDpiHelper()->ScaleX(kDefaultButton), XTPDpiHelper()->ScaleY(kDefaultButton)};
}

SIZE CXTPCommandBar::GetButtonSize() const {
    return buttonSize_.cx > 0 && buttonSize_.cy > 0 ? buttonSize_ : DefaultButtonSize();
}

void CXTPCommandBar::Copy(CXTPCommandBar* source, BOOL recursive) {
    if (!source || source == this) return;
    barId_ = source->barId_;
    title_ = source->title_;
    position_ = source->position_;
    flags_ = source->flags_;
    visible_ = source->visible_;
    customizable_ = source->customizable_;
    showInList_ = source->showInList_;
    temporary_ = source->temporary_;
    buttonSize_ = source->buttonSize_;
    controls_->RemoveAll();
    const CXTPControls* from = source->GetControls();
    for (int index = 0; index < from->GetCount(); ++index) controls_->AddClone(from->GetAt(index), -1, recursive);
}

CXTPCommandBar* CXTPCommandBar::Clone(BOOL recursive) {
    CObject* object = GetRuntimeClass()->CreateObject();
    auto* clone = dynamic_cast<CXTPCommandBar*>(object);
    if (!clone) {
        delete object;
        platform::core::reportFailure(L"CXTPCommandBar::Clone: the bar's class is not creatable");
        return nullptr;
    }
    clone->Copy(this, recursive);
    return clone;
}

CWnd* CXTPCommandBar::GetSite() const { return commandBars_ ? commandBars_->GetSite() : nullptr; }

BOOL CXTPCommandBar::SetButtons(const UINT* ids, int count) {
    CWnd* site = GetSite();
    if (!site || !site->GetSafeHwnd()) {
        platform::core::reportFailure(L"CXTPCommandBar::SetButtons: the bar \"" + std::wstring(title_) +
                                      L"\" has no site window to create its controls");
        return FALSE;
    }
    // The toolkit refuses a list when it cannot make the bar's controls (out of memory, say);
    // the bar keeps what it has.
    if (platform::faultInjected(L"CXTPCommandBar::SetButtons")) return FALSE;
    controls_->RemoveAll();
    bool beginGroup = false;
    for (int i = 0; i < count; ++i) {
        const UINT id = ids ? ids[i] : 0;
        if (id == 0) {
            beginGroup = true;
            continue;
        }
        XTP_COMMANDBARS_CREATECONTROL request;
        request.nID = id;
        request.bToolBar = TRUE;
        request.pCommandBar = this;
        request.controlType = xtpControlButton;
        request.buttonStyle = xtpButtonAutomatic;
        request.nIndex = controls_->GetCount();
        const LRESULT handled = site->SendMessage(XTPWM_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&request));
        CXTPControl* control = nullptr;
        if (handled && request.pControl) {
            control = controls_->Add(request.pControl, static_cast<int>(id));
        } else {
            // An answer without a control would leak the site's object: there is none to take.
            control = controls_->Add(request.controlType, static_cast<int>(id));
            control->SetStyle(request.buttonStyle);
        }
        // The list decides where groups begin, also for a control that comes back from an
        // earlier list.
        control->SetBeginGroup(beginGroup ? TRUE : FALSE);
        beginGroup = false;
    }
    return TRUE;
}

void CXTPCommandBar::SetBarID(UINT id) {
    barId_ = id;
    if (GetSafeHwnd()) SetDlgCtrlID(static_cast<int>(id));
}

void CXTPCommandBar::SetTitle(LPCWSTR title) {
    title_ = title ? title : L"";
    if (GetSafeHwnd()) SetWindowText(title_);
}

void CXTPCommandBar::SetVisible(BOOL visible) {
    visible_ = visible;
    if (GetSafeHwnd()) ShowWindow(visible ? SW_SHOWNA : SW_HIDE);
    SyncEditWindows();
}

BOOL CXTPCommandBar::IsControlShown(const CXTPControl* control) const {
    return control && GetSafeHwnd() && visible_ && control->IsVisible() && control->GetControls() == controls_;
}

void CXTPCommandBar::SyncEditWindowsOf(CXTPControls* controls) {
    for (int i = 0; controls && i < controls->GetCount(); ++i)
        if (auto* edit = DYNAMIC_DOWNCAST(CXTPControlEdit, controls->GetAt(i))) edit->SyncEditWindow();
}

void CXTPCommandBar::SyncEditWindows() { SyncEditWindowsOf(controls_); }

namespace {

// A control's size on a docked bar: its own size, and a menu bar's items as wide as their caption.
SIZE dockedSize(const CXTPCommandBar& bar, const CXTPControl& control) {
    SIZE size = const_cast<CXTPControl&>(control).GetSize(nullptr);
    if (bar.GetType() == xtpBarTypeMenuBar) {
        constexpr int kCharacterWidth = 7;
        size.cx = std::max<int>(size.cx, 12 + kCharacterWidth * control.GetCaption().GetLength());
    }
    return size;
}

}  // namespace

RECT CXTPCommandBar::GetControlRect(const CXTPControl* control) const {
    if (!control || control->GetControls() != controls_ || !control->IsVisible()) return RECT{};
    // A bar docked at the left or right stacks its controls from the top.
    const bool vertical = position_ == xtpBarLeft || position_ == xtpBarRight;
    int along = kMargin;
    for (int i = 0; i < controls_->GetCount(); ++i) {
        const CXTPControl* each = controls_->GetAt(i);
        if (!each->IsVisible()) continue;
        if (each->GetBeginGroup() && along > kMargin) along += kGroupGap;
        const SIZE size = dockedSize(*this, *each);
        const int length = vertical ? size.cy : size.cx, across = vertical ? size.cx : size.cy;
        if (each == control) {
            const int offset = std::max(0, (kRowHeight - across) / 2);
            return vertical ? RECT{offset, along, offset + across, along + length}
                            : RECT{along, offset, along + length, offset + across};
        }
        along += length;
    }
    return RECT{};
}

SIZE CXTPCommandBar::GetContentSize() const {
    // The row of GetControlRect in one walk: the last shown control ends it.
    const bool vertical = position_ == xtpBarLeft || position_ == xtpBarRight;
    int along = kMargin, end = 0;
    for (int i = 0; i < controls_->GetCount(); ++i) {
        const CXTPControl* each = controls_->GetAt(i);
        if (!each->IsVisible()) continue;
        if (each->GetBeginGroup() && along > kMargin) along += kGroupGap;
        const SIZE size = dockedSize(*this, *each);
        along += vertical ? size.cy : size.cx;
        end = along;
    }
    const int length = end > 0 ? end + kMargin : 0;
    return vertical ? SIZE{kRowHeight, length} : SIZE{length, kRowHeight};
}

BOOL CXTPCommandBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam) {
        if (auto* edit = dynamic_cast<CXTPControlEditCtrl*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
            edit && edit->GetParent() == this) {
            edit->OnEditNotification(HIWORD(wParam));
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CXTPCommandBar::UnlockRedraw() {
    if (redrawLocks_ > 0) --redrawLocks_;
}

BOOL CXTPCommandBar::CreateBarWindow(CWnd* site) {
    if (!site || !site->GetSafeHwnd()) return FALSE;
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0);
    return CreateEx(0, platform::toolkit::toolkitWindowClass(GetBarClassName()), title_, style, RECT{0, 0, 0, 0},
                    site, barId_);
}

namespace {

// An update of one control: the handlers' answers go to the control.
class CXTPControlCmdUI : public CCmdUI {
public:
    explicit CXTPControlCmdUI(CXTPControl* control) : control_(control) {}
    void Enable(BOOL on) override {
        CCmdUI::Enable(on);
        control_->SetEnabled(on);
    }
    void SetCheck(int check) override {
        CCmdUI::SetCheck(check);
        control_->SetChecked(check != 0);
    }
    void SetText(LPCWSTR text) override {
        CCmdUI::SetText(text);
        control_->SetCaption(text);
    }

private:
    CXTPControl* control_;
};

}  // namespace

void CXTPCommandBar::UpdateControl(CXTPControl* control, int index, int count, CWnd* site) {
    // A popup opens a menu; it runs no command of its own to ask about.
    if (!control || !site || !control->IsVisible() || (control->GetFlags() & xtpFlagManualUpdate) ||
        control->GetID() <= 0 || control->GetType() == xtpControlPopup)
        return;
    CXTPControlCmdUI update(control);
    update.m_nID = static_cast<UINT>(control->GetID());
    update.m_nIndex = static_cast<UINT>(index);
    update.m_nIndexMax = static_cast<UINT>(count);
    // Asked for every control of every pass: the frame test is the framework's own, not a cast.
    const BOOL autoMenuEnable = site->IsFrameWnd() ? static_cast<const CFrameWnd*>(site)->m_bAutoMenuEnable : TRUE;
    update.DoUpdate(site, autoMenuEnable);
}

void CXTPCommandBar::OnIdleUpdateCmdUI() {
    SyncEditWindows();
    CWnd* site = GetSite();
    if (!site || !visible_) return;
    for (int i = 0; i < controls_->GetCount(); ++i) UpdateControl(controls_->GetAt(i), i, controls_->GetCount(), site);
    // Controls came or went (or changed their size) since the frame placed the bar: it places it
    // again. Bars the frame does not place never ask it to.
    const bool docked = position_ == xtpBarTop || position_ == xtpBarBottom || position_ == xtpBarLeft || position_ == xtpBarRight;
    if (!docked || !commandBars_ || !GetSafeHwnd() || !commandBars_->IsPlacedBySite()) return;
    const SIZE content = GetContentSize();
    if (content.cx != placedContent_.cx || content.cy != placedContent_.cy) commandBars_->RecalcFrameLayout();
}

CXTPPopupBar* CXTPPopupBar::CreatePopupBar(CXTPCommandBars* commandBars) {
    auto* bar = new CXTPPopupBar;
    bar->AttachToCommandBars(commandBars);
    bar->SetPosition(xtpBarPopup);
    return bar;
}

BEGIN_MESSAGE_MAP(CXTPToolBar, CXTPCommandBar)
    ON_MESSAGE(WM_RBUTTONUP, &CXTPToolBar::OnRButtonUp)
END_MESSAGE_MAP()

LRESULT CXTPToolBar::OnRButtonUp(WPARAM, LPARAM lParam) {
    CXTPCommandBars* bars = GetCommandBars();
    if (!bars) return 0;
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ClientToScreen(GetSafeHwnd(), &point);
    bars->ContextMenu(this, point);
    return 0;
}

void CXTPToolBar::DockRightOf(CXTPToolBar* left) {
    rightOf_ = left == this ? nullptr : left;
    if (rightOf_) SetPosition(rightOf_->GetPosition());
}

IMPLEMENT_DYNCREATE(CXTPTabToolBar, CXTPToolBar)

int CXTPTabToolBar::InsertTab(Tab tab) {
    const bool shown = tab.visible;
    tabs_.push_back(std::move(tab));
    const int index = static_cast<int>(tabs_.size()) - 1;
    if (selected_ < 0 && shown) SelectTab(index);
    return index;
}

CXTPTabToolBar::Tab* CXTPTabToolBar::FindTab(const GUID& guid) {
    for (Tab& tab : tabs_)
        if (tab.guid == guid) return &tab;
    return nullptr;
}

BOOL CXTPTabToolBar::SelectTab(int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) return FALSE;
    selected_ = index;
    const std::vector<UINT>& ids = tabs_[static_cast<std::size_t>(index)].commandIds;
    // Without a site yet (the bar is being made) the buttons come with the next selection.
    if (GetSite()) SetButtons(ids.data(), static_cast<int>(ids.size()));
    return TRUE;
}

BOOL CXTPTabToolBar::SetTabVisible(int index, bool visible) {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) return FALSE;
    tabs_[static_cast<std::size_t>(index)].visible = visible;
    if (CWnd* site = GetSite(); site && site->GetSafeHwnd())
        site->SendMessage(XTPWM_TABTOOLBARREFRESH, 0, reinterpret_cast<LPARAM>(this));
    return TRUE;
}

void CXTPTabToolBar::UpdateTabs() {
    const auto shown = [this](int index) { return index >= 0 && tabs_[static_cast<std::size_t>(index)].visible; };
    if (shown(selected_)) {
        SelectTab(selected_);
        return;
    }
    for (int index = 0; index < static_cast<int>(tabs_.size()); ++index) {
        if (!shown(index)) continue;
        SelectTab(index);
        return;
    }
    selected_ = -1;
    GetControls()->RemoveAll();
}

BOOL CXTPMenuBar::OnHookMessage(HWND hWnd, UINT message, WPARAM&, LPARAM&, LRESULT&) {
    // A maximised child shows its system buttons in the menu bar; only activation and
    // maximising change which child that is.
    if (message != WM_MDIACTIVATE && message != WM_MDIMAXIMIZE && message != WM_MDIRESTORE) return FALSE;
    auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(hWnd));
    if (!frame || !frame->m_hWndMDIClient) return FALSE;
    BOOL maximized = FALSE;
    const auto child = reinterpret_cast<HWND>(::SendMessageW(frame->m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                             reinterpret_cast<LPARAM>(&maximized)));
    if (child && maximized) RefreshSysButtons(child);
    return FALSE;
}

void CXTPMenuBar::RefreshSysButtons(HWND child) {
    sysButtonsChild_ = child;
    ++sysButtonsRefreshes_;
}
