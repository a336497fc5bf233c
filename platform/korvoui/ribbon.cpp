#include "platform/korvoui/ribbon.h"

#include "platform/core/record.h"
#include "platform/core/text.h"

namespace Korvo::UI {

IMPLEMENT_DYNCREATE(RibbonTab, CXTPRibbonTab)
IMPLEMENT_DYNCREATE(RibbonGroup, CXTPRibbonGroup)
IMPLEMENT_DYNCREATE(AutoPopup, CXTPControlPopup)

namespace {

CString trimmed(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return CString();
    const auto last = text.find_last_not_of(L" \t");
    return CString(text.substr(first, last - first + 1).c_str());
}

// Optional controls carry this tag bit (the rest of the tag word is the program's).
constexpr DWORD_PTR kOptionalTag = DWORD_PTR{1} << 30;
constexpr DWORD_PTR kCanBeOptionalTag = DWORD_PTR{1} << 29;

}  // namespace

void RibbonTab::SetTags(const CString& tags) {
    tagString_ = tags;
    tags_.clear();
    const std::wstring all(tags);
    std::size_t start = 0;
    while (start <= all.size()) {
        const std::size_t end = std::min(all.find(L',', start), all.size());
        const CString tag = trimmed(all.substr(start, end - start));
        if (!tag.IsEmpty()) tags_.push_back(tag);
        start = end + 1;
    }
}

bool RibbonTab::HasTag(const CString& tag) const {
    for (const CString& each : tags_)
        if (each.CompareNoCase(tag) == 0) return true;
    return false;
}

void RibbonGroup::SetDisabledByUser(bool disabled) {
    disabledByUser_ = disabled;
    SetVisible(!disabled);
}

void RibbonGroup::UpdateOptionButton() {
    ++optionUpdates_;
    ShowOptionButton(optionCommand_ != 0);
}

void AutoPopup::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlPopup::Copy(source, recursive);
    if (const auto* other = dynamic_cast<const AutoPopup*>(source)) {
        follow_ = other->follow_;
        takeCaption_ = other->takeCaption_;
    }
}

void UnlockRedraw(CXTPCommandBar* bar) {
    if (!bar) return;
    bar->UnlockRedraw();
    if (bar->GetRedrawLockCount() == 0 && bar->GetSafeHwnd()) bar->Invalidate(FALSE);
}

bool CanBeOptional(const CXTPControl* control) {
    return control && (control->GetTag() & kCanBeOptionalTag) != 0;
}

bool IsOptionalControl(const CXTPControl* control) {
    return control && (control->GetTag() & kOptionalTag) != 0;
}

void MakeControlOptional(CXTPControl* control, bool optional, bool relayout) {
    if (!control) return;
    const DWORD_PTR tag = control->GetTag() | kCanBeOptionalTag;
    control->SetTag(optional ? (tag | kOptionalTag) : (tag & ~kOptionalTag));
    control->SetHideFlag(xtpHideCustomize, optional);
    if (!relayout) return;
    if (CXTPCommandBar* bar = control->GetParent(); bar && bar->GetCommandBars()) bar->GetCommandBars()->RecalcFrameLayout();
}

CXTPControl* RemoveControl(CXTPControl* control) {
    CXTPControls* holder = control ? control->GetControls() : nullptr;
    if (!holder) return nullptr;
    control->InternalAddRef();
    holder->Remove(control);
    return control;
}

CXTPControl* ChangeControlType(CXTPControl* control, XTPControlType type) {
    CXTPControls* holder = control ? control->GetControls() : nullptr;
    if (!holder) return nullptr;
    const bool popup = type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
    CXTPControl* changed = popup ? static_cast<CXTPControl*>(new CXTPControlPopup) : new CXTPControlButton;
    changed->Copy(control, FALSE);
    changed->SetType(type);
    changed->SetCommandBar(nullptr);
    if (popup) {
        CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(holder->GetParent() ? holder->GetParent()->GetCommandBars() : nullptr);
        changed->SetCommandBar(bar);
        bar->InternalRelease();
    }
    const int index = holder->IndexOf(control);
    holder->Remove(control);
    return holder->Add(changed, changed->GetID(), nullptr, index);
}

void EnsureIsVisible(CWnd* window) {
    if (!window || !window->GetSafeHwnd()) return;
    RECT rect{};
    window->GetWindowRect(&rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT work = monitor.rcWork;
    int dx = 0;
    int dy = 0;
    if (rect.right > work.right) dx = work.right - rect.right;
    if (rect.left + dx < work.left) dx = work.left - rect.left;
    if (rect.bottom > work.bottom) dy = work.bottom - rect.bottom;
    if (rect.top + dy < work.top) dy = work.top - rect.top;
    if (dx == 0 && dy == 0) return;
    // A child window (a floating bar is one of its frame) moves in its parent's coordinates.
    POINT topLeft{rect.left + dx, rect.top + dy};
    if ((window->GetStyle() & WS_CHILD) != 0)
        if (HWND parent = ::GetParent(window->GetSafeHwnd())) ::ScreenToClient(parent, &topLeft);
    window->MoveWindow(topLeft.x, topLeft.y, rect.right - rect.left, rect.bottom - rect.top, FALSE);
}

}  // namespace Korvo::UI
