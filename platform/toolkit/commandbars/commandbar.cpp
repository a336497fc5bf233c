#include "platform/toolkit/commandbars/commandbar.h"
#include "platform/toolkit/messages.h"
#include "platform/toolkit/propexchange.h"

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

namespace {

// To the site: a tool bar was shown or hidden, whoever did it; lParam is the CXTPToolBar*.
constexpr UINT kToolBarVisibilityChanged = WM_USER + 9301;
constexpr UINT kControlSelected = WM_USER + 9302;

}  // namespace
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
    iconSize_ = source->iconSize_;
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

namespace {

// The control the site makes for `id` (as a button list asks), or a plain one of the type asked.
CXTPControl* CreateListedControl(CXTPCommandBar* bar, CWnd* site, CXTPControls* controls, UINT id,
                                 XTPControlType type = xtpControlButton) {
    XTP_COMMANDBARS_CREATECONTROL request;
    request.nID = id;
    request.bToolBar = TRUE;
    request.pCommandBar = bar;
    request.controlType = type;
    request.buttonStyle = xtpButtonAutomatic;
    request.nIndex = controls->GetCount();
    const LRESULT handled = site->SendMessage(XTPWM_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&request));
    if (handled && request.pControl) return controls->Add(request.pControl, static_cast<int>(id));
    // An answer without a control would leak the site's object: there is none to take.
    CXTPControl* control = controls->Add(request.controlType, static_cast<int>(id));
    control->SetStyle(request.buttonStyle);
    return control;
}

}  // namespace

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
    return AppendButtons(ids, count, nullptr);
}

BOOL CXTPCommandBar::AppendButtons(const UINT* ids, int count, LPCWSTR category) {
    CWnd* site = GetSite();
    if (!site || !site->GetSafeHwnd()) {
        platform::core::reportFailure(L"CXTPCommandBar::AppendButtons: the bar \"" + std::wstring(title_) +
                                      L"\" has no site window to create its controls");
        return FALSE;
    }
    bool beginGroup = false;
    for (int i = 0; i < count; ++i) {
        const UINT id = ids ? ids[i] : 0;
        if (id == 0) {
            beginGroup = true;
            continue;
        }
        CXTPControl* control = CreateListedControl(this, site, controls_, id);
        // The list decides where groups begin, also for a control that comes back from an
        // earlier list.
        control->SetBeginGroup(beginGroup ? TRUE : FALSE);
        if (category) control->SetCategory(category);
        beginGroup = false;
    }
    return TRUE;
}

void CXTPCommandBar::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return;
    CXTPPropExchangeEnumeratorPtr enumerator = px->GetEnumerator(L"Control");
    if (!px->IsLoading()) {
        POSITION position = enumerator->GetPosition(static_cast<DWORD>(controls_->GetCount()));
        for (int i = 0; i < controls_->GetCount(); ++i) {
            CXTPControl* control = controls_->GetAt(i);
            CXTPPropExchange* item = enumerator->GetNext(position);
            int id = control->GetID(), type = control->GetType();
            CString caption = control->GetCaption(), category = control->GetCategory();
            BOOL beginGroup = control->GetBeginGroup();
            BOOL hidden = (control->GetHideFlags() & ~xtpHideTab) != 0;
            PX_Int(item, L"ID", id);
            PX_Int(item, L"Type", type);
            PX_String(item, L"Caption", caption);
            PX_String(item, L"Category", category);
            PX_Bool(item, L"BeginGroup", beginGroup);
            PX_Bool(item, L"Hidden", hidden);
        }
        return;
    }
    CWnd* site = GetSite();
    if (!site || !site->GetSafeHwnd()) return;
    controls_->RemoveAll();
    POSITION position = enumerator->GetPosition();
    while (position) {
        CXTPPropExchange* item = enumerator->GetNext(position);
        int id = 0, type = xtpControlButton;
        CString caption, category;
        BOOL beginGroup = FALSE, hidden = FALSE;
        PX_Int(item, L"ID", id);
        PX_Int(item, L"Type", type, xtpControlButton);
        PX_String(item, L"Caption", caption);
        PX_String(item, L"Category", category);
        PX_Bool(item, L"BeginGroup", beginGroup);
        PX_Bool(item, L"Hidden", hidden);
        // A stored id no command could have is left out, as the toolkit drops what it cannot make.
        if (id <= 0 || id > 0xFFFF || type < xtpControlButton || type > xtpControlCheckBox) continue;
        CXTPControl* control =
            CreateListedControl(this, site, controls_, static_cast<UINT>(id), static_cast<XTPControlType>(type));
        if (!caption.IsEmpty()) control->SetCaption(caption);
        control->SetCategory(category);
        control->SetBeginGroup(beginGroup);
        control->SetHideFlag(xtpHideGeneric, hidden);
    }
}

BOOL CXTPCommandBar::ShouldSerializeBar() {
    // A bar without a recorded original set is the program's to fill each time.
    if (!controls_->HasOriginalControls()) return FALSE;
    const std::vector<int>& original = controls_->GetOriginalIds();
    if (original.size() != static_cast<std::size_t>(controls_->GetCount())) return TRUE;
    for (int i = 0; i < controls_->GetCount(); ++i)
        if (controls_->GetAt(i)->GetID() != original[static_cast<std::size_t>(i)]) return TRUE;
    return FALSE;
}

void CXTPCommandBar::SetSelected(CXTPControl* control) {
    if (control && control->GetParent() != this) return;
    if (control)
        platform::core::recordCall(L"CXTPCommandBar::SetSelected(" + platform::core::quoted(std::wstring(title_)) +
                                   L", " + std::to_wstring(control->GetID()) + L")");
    const bool changed = control != selected_;
    selected_ = control;
    // The site hears of each control the user comes to (the mouse or the keyboard).
    if (changed && control)
        if (CWnd* site = GetSite(); site && site->GetSafeHwnd())
            site->SendMessage(kControlSelected, 0, reinterpret_cast<LPARAM>(control));
}

BOOL CXTPCommandBar::SetPopuped(CXTPControl* control) {
    if (!control) {
        if (popuped_) popuped_->OnSetPopup(FALSE);
        popuped_ = nullptr;
        return TRUE;
    }
    if (control->GetParent() != this || !control->GetCommandBar() || !control->GetEnabled()) return FALSE;
    platform::core::recordCall(L"CXTPCommandBar::SetPopuped(" + platform::core::quoted(std::wstring(title_)) + L", " +
                               std::to_wstring(control->GetID()) + L")");
    if (popuped_ && popuped_ != control) popuped_->OnSetPopup(FALSE);
    popuped_ = control;
    control->OnSetPopup(TRUE);
    return TRUE;
}

BOOL CXTPCommandBar::EnsureVisible(CXTPControl* control) { return control && control->GetParent() == this; }

void CXTPCommandBar::SetBarID(UINT id) {
    barId_ = id;
    if (GetSafeHwnd()) SetDlgCtrlID(static_cast<int>(id));
}

void CXTPCommandBar::SetTitle(LPCWSTR title) {
    title_ = title ? title : L"";
    if (GetSafeHwnd()) SetWindowText(title_);
}

void CXTPCommandBar::SetVisible(BOOL visible) {
    const bool changed = (visible_ != FALSE) != (visible != FALSE);
    visible_ = visible;
    if (GetSafeHwnd()) ShowWindow(visible ? SW_SHOWNA : SW_HIDE);
    SyncEditWindows();
    // The site hears of a tool bar shown or hidden, by the program or by the user alike.
    if (!changed || !GetSafeHwnd() || !IsKindOf(RUNTIME_CLASS(CXTPToolBar))) return;
    if (CWnd* site = GetSite(); site && site->GetSafeHwnd())
        site->SendMessage(kToolBarVisibilityChanged, 0, reinterpret_cast<LPARAM>(static_cast<CXTPToolBar*>(this)));
}

BOOL CXTPCommandBar::IsControlShown(const CXTPControl* control) const {
    return control && GetSafeHwnd() && visible_ && control->IsVisible() && control->GetControls() == controls_;
}

void CXTPCommandBar::SyncEditWindowsOf(CXTPControls* controls) {
    if (!controls || !controls->HasEdits()) return;
    for (int i = 0; i < controls->GetCount(); ++i)
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
    if (control && site && control->IsVisible()) control->OnIdleUpdate();
    // A popup opens a menu; it runs no command of its own to ask about.
    if (!control || !site || !control->IsVisible() || (control->GetFlags() & xtpFlagManualUpdate) ||
        control->GetID() <= 0 || control->GetType() == xtpControlPopup)
        return;
    CXTPControlCmdUI update(control);
    update.m_nID = static_cast<UINT>(control->GetID());
    // A handler may ask which bar the control is on.
    update.m_pOther = control->GetCommandBar();
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

CXTPTabToolBar::~CXTPTabToolBar() = default;

CXTPTabToolBar::TabItem* CXTPTabToolBar::InsertCategory(LPCWSTR name, const UINT* ids, int count, BOOL) {
    const CString category = name ? name : L"";
    if (!AppendButtons(ids, count, category)) return nullptr;
    TabItem* item = AddTabItem(category);
    UpdateTabControls();
    return item;
}

CXTPTabToolBar::TabItem* CXTPTabToolBar::AddTabItem(LPCWSTR caption, int iconId) {
    auto item = std::make_unique<TabItem>();
    item->caption = caption ? caption : L"";
    item->iconId = iconId;
    items_.push_back(std::move(item));
    const int index = GetItemCount() - 1;
    if (index == pendingCurrent_ || (current_ < 0 && pendingCurrent_ < 0)) {
        pendingCurrent_ = -1;
        SetCurSel(index);
    }
    return items_.back().get();
}

CXTPTabToolBar::TabItem* CXTPTabToolBar::GetItem(int index) const {
    return index >= 0 && index < GetItemCount() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
}

int CXTPTabToolBar::IndexOf(const TabItem* item) const {
    for (int index = 0; index < GetItemCount(); ++index)
        if (items_[static_cast<std::size_t>(index)].get() == item) return index;
    return -1;
}

void CXTPTabToolBar::DeleteItem(int index) {
    const TabItem* item = GetItem(index);
    if (!item) return;
    // The tab's controls go with it: a later tab of the same name starts without them.
    const CString category = item->caption;
    CXTPControls* controls = GetControls();
    for (int i = controls->GetCount(); i-- > 0 && !category.IsEmpty();)
        if (controls->GetAt(i)->GetCategory() == category) controls->Remove(i);
    items_.erase(items_.begin() + index);
    if (current_ == index) current_ = -1;
    else if (current_ > index) --current_;
    if (current_ < 0)
        for (int i = 0; i < GetItemCount(); ++i)
            if (GetItem(i)->visible) {
                current_ = i;
                break;
            }
    UpdateTabControls();
}

BOOL CXTPTabToolBar::MoveItem(int from, int to) {
    if (!GetItem(from) || !GetItem(to)) return FALSE;
    const TabItem* current = GetItem(current_);
    auto moved = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(moved));
    current_ = current ? IndexOf(current) : -1;
    UpdateTabControls();
    return TRUE;
}

void CXTPTabToolBar::RemoveAllTabItems() {
    items_.clear();
    current_ = -1;
    UpdateTabControls();
}

BOOL CXTPTabToolBar::SetCurSel(int index) {
    TabItem* item = GetItem(index);
    if (!item || !item->visible) return FALSE;
    current_ = index;
    UpdateTabControls();
    return TRUE;
}

void CXTPTabToolBar::SetItemVisible(int index, bool visible) {
    TabItem* item = GetItem(index);
    if (!item) return;
    item->visible = visible;
    if (visible && current_ < 0) {
        SetCurSel(index);
    } else if (!visible && current_ == index) {
        current_ = -1;
        for (int i = 0; i < GetItemCount(); ++i)
            if (GetItem(i)->visible) {
                current_ = i;
                break;
            }
        UpdateTabControls();
    }
    // The site keeps what depends on the tabs (the mode popup, the frame's tab state) in step.
    if (CWnd* site = GetSite(); site && site->GetSafeHwnd())
        site->SendMessage(XTPWM_TABTOOLBARREFRESH, 0, reinterpret_cast<LPARAM>(this));
}

void CXTPTabToolBar::UpdateTabControls() {
    const TabItem* shown = GetItem(current_);
    CXTPControls* controls = GetControls();
    // Every tab added or shown passes over all the bar's controls: each control's category is
    // read once.
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        const CString& category = control->GetCategory();
        // A control of no tab (the mode popup) belongs to the whole bar.
        const bool ofOtherTab = !category.IsEmpty() && (!shown || category != shown->caption);
        control->SetHideFlag(xtpHideTab, ofOtherTab);
    }
    OnRecalcLayout();
}

void CXTPTabToolBar::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return;
    CXTPCommandBar::DoPropExchange(px);
    int current = current_;
    PX_Int(px, L"CurrentTab", current, -1);
    if (!px->IsLoading()) return;
    RemoveAllTabItems();
    pendingCurrent_ = current;
}

BOOL CXTPTabToolBar::ShouldSerializeBar() {
    // Controls that came with a tab added later count as a change of the original set.
    return CXTPCommandBar::ShouldSerializeBar();
}

void CXTPTabToolBar::Copy(CXTPCommandBar* source, BOOL recursive) {
    CXTPToolBar::Copy(source, recursive);
    const auto* tabs = dynamic_cast<const CXTPTabToolBar*>(source);
    if (!tabs || tabs == this) return;
    items_.clear();
    for (const auto& item : tabs->items_) items_.push_back(std::make_unique<TabItem>(*item));
    current_ = tabs->current_;
    appearance_ = tabs->appearance_;
    color_ = tabs->color_;
    options_ = tabs->options_;
    UpdateTabControls();
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
