#include "mainframe/menu_insertion.h"

#include <algorithm>
#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace {

constexpr int kApiSamplesAnchor = 1790;
constexpr UINT kApiSamplesCaption = 41932;
constexpr DWORD kGroupAtNew = 0x100, kGroupAtNext = 0x200, kPopupItself = 0x400, kPopupItselfOnce = 0x800;

CXTPControls* PopupControls(const CXTPControl* control) {
    return control && control->GetCommandBar() ? control->GetCommandBar()->GetControls() : nullptr;
}

bool IsPopup(const CXTPControl* control) {
    const XTPControlType type = control->GetType();
    return type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
}

// Clamped: an add-on's index is outside input, so it may be anything.
int ClampIndex(CXTPControls* list, int index) { return std::clamp(index, 0, list->GetCount()); }

CXTPPopupBar* PopupBarFromMenu(CXTPCommandBars* bars, HMENU menu) {
    CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(bars);
    const int count = ::GetMenuItemCount(menu);
    bool groupNext = false;
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            groupNext = true;
            continue;
        }
        CXTPControl* control = nullptr;
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            control = bar->GetControls()->Add(xtpControlPopup, 0);
            CXTPPopupBar* inner = PopupBarFromMenu(bars, sub);
            control->SetCommandBar(inner);
            inner->InternalRelease();
        } else {
            control = bar->GetControls()->Add(xtpControlButton, static_cast<int>(::GetMenuItemID(menu, i)));
        }
        control->SetCaption(text);
        control->SetBeginGroup(groupNext);
        groupNext = false;
    }
    return bar;
}

void RemoveByParameter(CXTPControls* controls, const CString& parameter) {
    for (int i = controls->GetCount() - 1; i >= 0; --i) {
        CXTPControl* control = controls->GetAt(i);
        if (control->GetParameter().CompareNoCase(parameter) == 0) {
            controls->Remove(control);
            continue;
        }
        if (CXTPControls* inner = PopupControls(control)) RemoveByParameter(inner, parameter);
    }
}

// Puts `control` (the caller's reference handed over) at `index` of `list` with the group flags.
void Place(CXTPControls* list, int index, CXTPControl* control, DWORD flags) {
    index = ClampIndex(list, index);
    CXTPControl* added = list->Add(control, control->GetID(), nullptr, index);
    if (flags & kGroupAtNew) added->SetBeginGroup(TRUE);
    if (flags & kGroupAtNext)
        if (CXTPControl* next = list->GetAt(list->IndexOf(added) + 1)) next->SetBeginGroup(TRUE);
}

std::optional<ControlPosition> TargetFor(const UserMenuTarget& target, int referenceId, UserMenuPlacement& placement) {
    CXTPControls* menuBar = target.menuBar;
    switch (placement.mode) {
        case 1:
        case 2:
        case 3:
        case 4: {
            std::optional<ControlPosition> at = FindCommandPosition(menuBar, referenceId, placement.flags);
            if (!at) return std::nullopt;
            if (placement.mode == 2) ++at->index;
            if (placement.mode == 3) at->index = 0;
            if (placement.mode == 4) at->index = at->list->GetCount();
            return at;
        }
        case 5: {
            CXTPControl* samples = FindControlByParameter(menuBar, L"APISamples");
            if (!samples) {
                DWORD flags = kPopupItself;
                std::optional<ControlPosition> anchor = FindCommandPosition(menuBar, kApiSamplesAnchor, flags);
                if (!anchor) return std::nullopt;
                samples = anchor->list->Add(xtpControlPopup, 0, L"APISamples");
                samples->SetCaption(KVLoadString(kApiSamplesCaption));
                CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(target.commandBars);
                samples->SetCommandBar(bar);
                bar->InternalRelease();
            }
            CXTPControls* list = PopupControls(samples);
            if (!list) return std::nullopt;
            return ControlPosition{list, placement.index};
        }
        case 6: {
            CXTPControls* list = PopupControls(FindHelpAnchor(menuBar));
            if (!list) return std::nullopt;
            return ControlPosition{list, placement.index};
        }
        default: return ControlPosition{menuBar, placement.index};
    }
}

}  // namespace

std::optional<ControlPosition> FindCommandPosition(CXTPControls* controls, int id, DWORD& flags) {
    if (!controls) return std::nullopt;
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        if (control->GetID() == id) {
            if (IsPopup(control) && PopupControls(control) && !(flags & (kPopupItself | kPopupItselfOnce)))
                return ControlPosition{PopupControls(control), 0};
            flags &= ~kPopupItselfOnce;
            return ControlPosition{controls, i};
        }
        if (auto inner = FindCommandPosition(PopupControls(control), id, flags)) return inner;
    }
    return std::nullopt;
}

CXTPControl* FindControlByParameter(CXTPControls* controls, const CString& parameter) {
    if (!controls) return nullptr;
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        if (control->GetParameter().GetLength() == parameter.GetLength() &&
            control->GetParameter().CompareNoCase(parameter) == 0)
            return control;
        if (CXTPControl* inner = FindControlByParameter(PopupControls(control), parameter)) return inner;
    }
    return nullptr;
}

CXTPControl* FindHelpAnchor(CXTPControls* controls) {
    if (!controls) return nullptr;
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        if (control->GetFlags() & kHelpAnchorFlag) return control;
        if (CXTPControl* inner = FindHelpAnchor(PopupControls(control))) return inner;
    }
    return nullptr;
}

CXTPControls* FindRibbonHelpPopup(CXTPControls* ribbonControls) {
    if (!ribbonControls) return nullptr;
    for (int i = 0; i < ribbonControls->GetCount(); ++i) {
        CXTPControl* control = ribbonControls->GetAt(i);
        if (!control->IsVisible() || !Korvo::UI::IsRibbonFreeControl(control)) continue;
        CXTPControl* anchor = (control->GetFlags() & kHelpAnchorFlag) ? control : FindHelpAnchor(PopupControls(control));
        if (CXTPControls* popup = PopupControls(anchor)) return popup;
    }
    return nullptr;
}

bool InsertUserMenuItem(const UserMenuTarget& target, const CString& caption, UINT command, int referenceId,
                        UserMenuPlacement placement) {
    if (!target.menuBar) return false;
    const std::optional<ControlPosition> at = TargetFor(target, referenceId, placement);
    if (!at) return false;
    auto makeItem = [&] {
        auto* item = new CXTPControlButton;
        item->SetID(static_cast<int>(command));
        item->SetCaption(caption);
        item->SetDescription(caption);
        item->SetTooltip(caption);
        return item;
    };
    Place(at->list, at->index, makeItem(), placement.flags);
    if (placement.mode == 6) {
        if (target.userItemCount) ++*target.userItemCount;
        if (target.ribbonHelp) {
            Place(target.ribbonHelp, placement.index, makeItem(), placement.flags);
            if (target.userItemCount) ++*target.userItemCount;
        }
    }
    return true;
}

bool InsertUserPopupMenu(const UserMenuTarget& target, const CString& caption, HMENU menu, int referenceId,
                         UserMenuPlacement placement) {
    if (!target.menuBar || !::IsMenu(menu) || placement.mode == 6) return false;
    if (!placement.key.IsEmpty()) RemoveByParameter(target.menuBar, placement.key);
    const std::optional<ControlPosition> at = TargetFor(target, referenceId, placement);
    if (!at) return false;
    auto* popup = new CXTPControlPopup;
    popup->SetCaption(caption);
    popup->SetParameter(placement.key);
    CXTPPopupBar* bar = PopupBarFromMenu(target.commandBars, menu);
    popup->SetCommandBar(bar);
    bar->InternalRelease();
    Place(at->list, at->index, popup, placement.flags);
    return true;
}
