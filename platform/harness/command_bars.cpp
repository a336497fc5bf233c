// The user at a frame's command bars and ribbon: tabs, clicks, tooltips, right clicks and menus,
// and the ribbon as a dump.
#include <algorithm>
#include <cwchar>
#include <optional>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/useragent.h"
#include "platform/harness.h"
#include "platform/kernel/editing/list_button.h"
#include "platform/harness/screen_layout.h"
#include "platform/harness/control_kind.h"
#include "platform/korvoui.h"
#include "platform/toolkit.h"
#include "platform/toolkit/commandbars/customize.h"
#include "platform/win32/gdi.h"
#include "platform/harness/customize_mode.h"

namespace platform::harness {

CString readable(const CString& caption) {
    std::wstring out;
    const std::wstring all(caption);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == L'&' && i + 1 < all.size()) ++i;
        out += all[i];
    }
    return CString(out.c_str());
}

std::wstring controlKind(const CXTPControl& control) {
    if (dynamic_cast<const CXTPRibbonControlTab*>(&control)) return L"tab-row";
    switch (control.GetType()) {
        case xtpControlButton: return L"button";
        case xtpControlPopup: return L"popup";
        case xtpControlButtonPopup: return L"button-popup";
        case xtpControlSplitButtonPopup: return L"split-button";
        case xtpControlComboBox: return L"combo";
        case xtpControlEdit: return L"edit";
        case xtpControlLabel: return L"label";
        case xtpControlCheckBox: return L"check";
        case xtpControlGallery: return L"gallery";
        default: return L"custom";
    }
}

CString controlCaption(const CXTPControl& control) {
    if (!dynamic_cast<const CXTPRibbonControlTab*>(&control)) return readable(control.GetCaption());
    const auto* ribbon = dynamic_cast<const CXTPRibbonBar*>(control.GetParent());
    std::wstring tabs;
    for (int t = 0; ribbon && t < ribbon->GetTabCount(); ++t) {
        const CXTPRibbonTab* tab = ribbon->GetTab(t);
        if (!tab->IsVisible()) continue;
        if (!tabs.empty()) tabs += L" | ";
        tabs += readable(tab->GetCaption()).GetString();
    }
    return CString(tabs.c_str());
}

namespace {

using platform::core::handleText;
using platform::core::quoted;


CXTPCommandBars* commandBarsOf(HWND frame) {
    auto* window = dynamic_cast<CXTPMDIFrameWnd*>(CWnd::FromHandlePermanent(frame));
    return window ? window->GetCommandBars() : nullptr;
}

CXTPRibbonBar* ribbonOf(CXTPCommandBars* bars) {
    for (int i = 0; bars && i < bars->GetCount(); ++i)
        if (auto* ribbon = dynamic_cast<CXTPRibbonBar*>(bars->GetAt(i))) return ribbon;
    return nullptr;
}

struct Located {
    CXTPControl* control = nullptr;
    std::optional<std::wstring> refusal;
};

// The control a user would reach with the id, or why none can be reached.
Located locate(HWND frame, int id) {
    const std::wstring name = L"control " + std::to_wstring(id);
    CXTPCommandBars* bars = commandBarsOf(frame);
    if (!bars) return {nullptr, handleText(frame) + L" is not a main frame with command bars"};
    bars->UpdateCommandBars();
    Located hidden;
    CXTPRibbonBar* ribbon = ribbonOf(bars);
    if (ribbon && ribbon->IsVisible()) {
        if (CXTPRibbonTab* tab = ribbon->GetCurrentTab(); tab && !ribbon->IsRibbonMinimized())
            for (int g = 0; g < tab->GetGroupCount(); ++g) {
                CXTPRibbonGroup* group = tab->GetGroup(g);
                if (CXTPControl* control = group->FindControl(id); control && group->IsVisible() && control->IsVisible())
                    return {control, std::nullopt};
            }
        for (CXTPControls* list : {ribbon->GetQuickAccessControls(), ribbon->GetControls()})
            if (CXTPControl* control = list->FindControl(xtpControlError, id, TRUE, FALSE);
                control && ribbon->IsControlReachable(control))
                return {control, std::nullopt};
        // The system menu's items, while the backstage shows them.
        CXTPRibbonControlSystemButton* system = ribbon->GetSystemButton();
        if (auto* backstage = system ? dynamic_cast<CXTPRibbonBackstageView*>(system->GetCommandBar()) : nullptr) {
            if (CXTPControl* control = backstage->GetControls()->FindControl(id)) {
                if (!backstage->IsOpen()) return {nullptr, name + L" is in the backstage, which is closed"};
                if (!control->IsVisible()) return {nullptr, name + L" is hidden in the backstage"};
                return {control, std::nullopt};
            }
        }
        for (int t = 0; t < ribbon->GetTabCount() && !hidden.refusal; ++t) {
            CXTPRibbonTab* tab = ribbon->GetTab(t);
            for (int g = 0; g < tab->GetGroupCount(); ++g)
                if (tab->GetGroup(g)->FindControl(id)) {
                    const wchar_t* why = !tab->IsVisible()  ? L", which is hidden"
                                         : tab->IsSelected() ? L", in a hidden group or hidden itself"
                                                             : L", which is not selected";
                    hidden.refusal = name + L" is on ribbon tab " + quoted(std::wstring(readable(tab->GetCaption()))) + why;
                    break;
                }
        }
    }
    for (int b = 0; b < bars->GetCount(); ++b) {
        CXTPToolBar* bar = bars->GetAt(b);
        if (bar == ribbon || !bar->IsVisible()) continue;
        if (CXTPControl* control = bar->GetControls()->FindControl(xtpControlError, id, TRUE, FALSE))
            return {control, std::nullopt};
        if (!hidden.refusal && bar->GetControls()->FindControl(id))
            hidden.refusal = name + L" is hidden on bar " + quoted(std::wstring(bar->GetTitle()));
    }
    if (hidden.refusal) return hidden;
    return {nullptr, L"no button or tool-bar control " + std::to_wstring(id) + L" in " + handleText(frame)};
}


std::wstring controlLine(const CXTPControl& control, int indent) {
    std::wstring line(static_cast<std::size_t>(indent), L' ');
    line += std::to_wstring(control.GetID()) + L" " + controlKind(control) + L" " +
            quoted(std::wstring(controlCaption(control)));
    if (!control.IsVisible()) line += L" hidden";
    if (!control.GetEnabled()) line += L" disabled";
    if (control.GetChecked()) line += L" checked";
    if (control.GetFlags() & xtpFlagManualUpdate) line += L" manual";
    if (control.GetBeginGroup()) line += L" group";
    if (static_cast<UINT>(control.GetIconId()) >= XTP_FIRST_CUSTOM_ICON_ID) line += L" icon " + std::to_wstring(control.GetIconId());
    return line + L"\n";
}

std::wstring guidText(const GUID& guid) {
    wchar_t buffer[40]{};
    StringFromGUID2(guid, buffer, 40);
    return buffer;
}

// A gallery's grid as the user sees it, its items (labels as headers) and its drop-down once sized.
void dumpGallery(const CXTPControlGallery& gallery, int indent, std::wstring& out) {
    const std::wstring pad(static_cast<std::size_t>(indent), L' ');
    // The size the bar lays the gallery out at.
    const SIZE shown = const_cast<CXTPControlGallery&>(gallery).GetSize(nullptr);
    const std::wstring size = std::to_wstring(shown.cx) + L"x" + std::to_wstring(shown.cy);
    const int resizable = gallery.GetResizable();
    out += pad + L"grid " + size + L" columns " + std::to_wstring(gallery.GetColumnCount()) + L" resizable " +
           (resizable == (xtpGalleryResizeHorizontal | xtpGalleryResizeVertical) ? L"both"
            : resizable == xtpGalleryResizeVertical                               ? L"vertical"
            : resizable == xtpGalleryResizeHorizontal                             ? L"horizontal"
                                                                                  : L"none") +
           ((gallery.GetFlags() & xtpFlagControlStretched) ? L" stretched" : L"") +
           (gallery.GetItems() ? L"" : L" no-items") + L"\n";
    for (int i = 0; i < gallery.GetItemCount(); ++i) {
        const CXTPControlGalleryItem* item = gallery.GetItem(i);
        out += pad + (item->IsLabel() ? L"header " : L"item ") + quoted(std::wstring(item->GetCaption())) + L"\n";
    }
    const CXTPCommandBar* dropDown = gallery.GetCommandBar();
    const auto* inner = dropDown ? dynamic_cast<const CXTPControlGallery*>(dropDown->GetControls()->GetAt(0)) : nullptr;
    if (inner && inner->GetWidth() > 0)
        out += pad + L"drop-down " + std::to_wstring(inner->GetWidth()) + L"x" + std::to_wstring(inner->GetHeight()) +
               L" columns " + std::to_wstring(inner->GetColumnCount()) + L"\n";
}

void dumpControls(const CXTPControls* controls, int indent, std::wstring& out) {
    for (int i = 0; i < controls->GetCount(); ++i) {
        const CXTPControl* control = controls->GetAt(i);
        out += controlLine(*control, indent);
        if (const auto* gallery = dynamic_cast<const CXTPControlGallery*>(control)) {
            dumpGallery(*gallery, indent + 2, out);
            continue;
        }
        if (const CXTPCommandBar* bar = control->GetCommandBar(); bar && !dynamic_cast<const CXTPRibbonBackstageView*>(bar))
            dumpControls(bar->GetControls(), indent + 2, out);
    }
}

}  // namespace

std::wstring readableCaption(const wchar_t* caption) { return std::wstring(readable(CString(caption))); }

std::optional<std::wstring> User::selectTab(HWND frame, std::wstring_view caption) {
    platform::core::journal().add("user", L"tab " + quoted(std::wstring(caption)) + L" of " + handleText(frame));
    CXTPRibbonBar* ribbon = ribbonOf(commandBarsOf(frame));
    if (!ribbon || !ribbon->IsVisible()) return handleText(frame) + L" shows no ribbon";
    const CString wanted = readable(CString(std::wstring(caption).c_str()));
    for (int t = 0; t < ribbon->GetTabCount(); ++t) {
        CXTPRibbonTab* tab = ribbon->GetTab(t);
        if (readable(tab->GetCaption()) != wanted) continue;
        if (!tab->IsVisible()) return L"ribbon tab " + quoted(std::wstring(caption)) + L" is hidden";
        if (!ribbon->SetCurrentTab(tab)) return L"ribbon tab " + quoted(std::wstring(caption)) + L" refused the change";
        // The tab's controls come into view: the update pass gives them their states, so what
        // the ribbon shows now is what a click on them meets.
        commandBarsOf(frame)->UpdateCommandBars();
        return std::nullopt;
    }
    return L"the ribbon has no tab " + quoted(std::wstring(caption));
}

std::optional<std::wstring> User::clickControl(HWND frame, int id) {
    platform::core::journal().add("user", L"click " + std::to_wstring(id) + L" on " + handleText(frame));
    const Located found = locate(frame, id);
    if (!found.control) return found.refusal;
    if (!found.control->GetEnabled()) return L"control " + std::to_wstring(id) + L" is disabled";
    CXTPControl* control = found.control;
    control->InternalAddRef();
    // A gallery's own click picks an item; the user reaches its items through its drop-down.
    if (auto* gallery = dynamic_cast<CXTPControlGallery*>(control)) gallery->OpenPopup();
    else if (auto* combo = dynamic_cast<CXTPControlComboBox*>(control)) combo->DropDownList();
    else control->OnExecute();
    control->InternalRelease();
    return std::nullopt;
}

namespace {

struct ReachedEdit {
    CXTPControlEdit* edit = nullptr;
    HWND window = nullptr;
    std::optional<std::wstring> refusal;
};

// The edit control and its edit window, as a user reaches them.
ReachedEdit reachEdit(CXTPControlEdit* edit, const std::wstring& name, bool writing) {
    if (!edit) return {nullptr, nullptr, name + L" is no edit"};
    if (!edit->IsVisible()) return {nullptr, nullptr, name + L" is hidden"};
    if (!edit->GetEnabled()) return {nullptr, nullptr, name + L" is disabled"};
    if (writing && edit->GetReadOnly()) return {nullptr, nullptr, name + L" is read-only"};
    CXTPControlEditCtrl* window = edit->GetEditCtrl();
    if (!window) return {nullptr, nullptr, name + L" shows no edit window"};
    return {edit, window->GetSafeHwnd(), std::nullopt};
}

// The edit control with the id, as a user reaches it.
ReachedEdit reachEdit(HWND frame, int id, bool writing) {
    const Located found = locate(frame, id);
    if (!found.control) return {nullptr, nullptr, found.refusal};
    return reachEdit(dynamic_cast<CXTPControlEdit*>(found.control), L"control " + std::to_wstring(id), writing);
}

void postKey(HWND window, UINT key, bool down, bool alt) {
    // A key with Alt held is a system key; its context bit (29) says so.
    const UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM flags = 1;
    if (alt) flags |= LPARAM{1} << 29;
    if (!down) flags |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    PostMessageW(window, message, key, flags);
}

// The mouse rests on the control and its window takes the focus; `act` does what the user does
// there; then the mouse leaves the control.
template <class Act>
void actInEdit(Session& session, const ReachedEdit& reached, Act act) {
    CXTPControlEdit* edit = reached.edit;
    edit->InternalAddRef();
    edit->OnSetSelected(TRUE);
    if (GetFocus() != reached.window) SetFocus(reached.window);
    act();
    session.runUntilIdle();
    edit->OnSetSelected(FALSE);
    edit->InternalRelease();
    session.runUntilIdle();
}

// The text typed over the edit's text (with `erase`, no text deletes it), then Enter.
std::optional<std::wstring> typeAndEnter(Session& session, const ReachedEdit& reached, std::wstring_view text,
                                         bool erase = false) {
    if (!reached.edit) return reached.refusal;
    actInEdit(session, reached, [&] {
        SendMessageW(reached.window, EM_SETSEL, 0, -1);
        if (erase && text.empty()) PostMessageW(reached.window, WM_CHAR, VK_BACK, 1);
        for (const wchar_t c : text) PostMessageW(reached.window, WM_CHAR, c, 1);
        postKey(reached.window, VK_RETURN, true, false);
        postKey(reached.window, VK_RETURN, false, false);
    });
    return std::nullopt;
}

}  // namespace

std::optional<std::wstring> User::typeText(HWND frame, int id, std::wstring_view text) {
    platform::core::journal().add("user", L"type " + quoted(std::wstring(text)) + L" into " + std::to_wstring(id) +
                                              L" on " + handleText(frame));
    // A combo box's edit field is typed into as the toolkit's combo takes it.
    if (const Located found = locate(frame, id); found.control)
        if (auto* combo = dynamic_cast<CXTPControlComboBox*>(found.control)) {
            const std::wstring name = L"control " + std::to_wstring(id);
            if (!combo->GetEnabled()) return name + L" is disabled";
            if (!combo->IsEditable()) return name + L" has no edit field";
            combo->TypeAndEnter(CString(std::wstring(text).c_str()));
            session_.runUntilIdle();
            return std::nullopt;
        }
    return typeAndEnter(session_, reachEdit(frame, id, true), text);
}

std::optional<std::wstring> User::typeText(CXTPControlEdit* edit, std::wstring_view text) {
    const std::wstring name = L"edit " + quoted(std::wstring(edit ? readable(edit->GetCaption()) : CString()));
    platform::core::journal().add("user", L"type " + quoted(std::wstring(text)) + L" into " + name);
    return typeAndEnter(session_, reachEdit(edit, name, true), text, true);
}

std::optional<std::wstring> User::pressKey(HWND frame, int id, Key key) {
    const std::wstring name = !key.name.empty() ? std::wstring(key.name)
                                                : (key.control ? L"Ctrl+" : L"") + std::wstring(key.alt ? L"Alt+" : L"") +
                                                      std::to_wstring(key.virtualKey);
    platform::core::journal().add("user", L"key " + name + L" in " + std::to_wstring(id) + L" on " + handleText(frame));
    const ReachedEdit reached = reachEdit(frame, id, false);
    if (!reached.edit) return reached.refusal;
    actInEdit(session_, reached, [&] {
        if (key.control) postKey(reached.window, VK_CONTROL, true, false);
        if (key.alt) postKey(reached.window, VK_MENU, true, true);
        postKey(reached.window, key.virtualKey, true, key.alt);
        postKey(reached.window, key.virtualKey, false, key.alt);
        if (key.alt) postKey(reached.window, VK_MENU, false, false);
        if (key.control) postKey(reached.window, VK_CONTROL, false, false);
    });
    return std::nullopt;
}

std::optional<std::wstring> User::pressKeyAt(HWND frame, HWND window, Key key) {
    const std::wstring name = !key.name.empty() ? std::wstring(key.name) : std::to_wstring(key.virtualKey);
    HWND target = window;
    if (window) {
        if (!IsWindowVisible(window)) return L"the window is hidden";
        SetFocus(window);
        session_.runUntilIdle();
    } else {
        // The frame's own pop-ups (a chooser, say) are the frame's too: their windows are
        // owned by it.
        const HWND focus = GetFocus();
        HWND owner = focus ? GetAncestor(focus, GA_ROOT) : nullptr;
        while (owner && owner != frame) owner = GetWindow(owner, GW_OWNER);
        target = focus && (focus == frame || IsChild(frame, focus) || owner == frame) ? focus : frame;
    }
    platform::core::journal().add("user", L"press " + name + L" in " + handleText(target));
    if (key.control) postKey(target, VK_CONTROL, true, false);
    if (key.shift) postKey(target, VK_SHIFT, true, false);
    if (key.alt) postKey(target, VK_MENU, true, true);
    // Alt pressed alone is a system key, down and up.
    const bool system = key.alt || key.virtualKey == static_cast<unsigned>(VK_MENU);
    postKey(target, key.virtualKey, true, system);
    postKey(target, key.virtualKey, false, system);
    if (key.alt) postKey(target, VK_MENU, false, false);
    if (key.shift) postKey(target, VK_SHIFT, false, false);
    if (key.control) postKey(target, VK_CONTROL, false, false);
    return std::nullopt;
}

std::optional<std::wstring> User::spin(HWND frame, int id, int count) {
    platform::core::journal().add("user", L"spin " + std::to_wstring(count) + L" on " + std::to_wstring(id) + L" of " +
                                              handleText(frame));
    const ReachedEdit reached = reachEdit(frame, id, true);
    if (!reached.edit) return reached.refusal;
    if (!reached.edit->IsSpinButtons()) return L"control " + std::to_wstring(id) + L" shows no spin buttons";
    actInEdit(session_, reached, [&] {
        for (int i = 0; i < (count < 0 ? -count : count); ++i) reached.edit->NotifySpinChanged(1, count < 0 ? -1 : 1);
    });
    return std::nullopt;
}

std::optional<std::wstring> User::editContextMenu(HWND frame, int id) {
    platform::core::journal().add("user", L"context menu of " + std::to_wstring(id) + L" on " + handleText(frame));
    const ReachedEdit reached = reachEdit(frame, id, false);
    if (!reached.edit) return reached.refusal;
    actInEdit(session_, reached, [&] {
        RECT rect{};
        GetWindowRect(reached.window, &rect);
        const auto x = static_cast<WORD>((rect.left + rect.right) / 2);
        const auto y = static_cast<WORD>((rect.top + rect.bottom) / 2);
        PostMessageW(reached.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(reached.window), MAKELPARAM(x, y));
    });
    return std::nullopt;
}

std::optional<std::wstring> User::clickListButton(HWND frame, int id) {
    platform::core::journal().add("user", L"list button of " + std::to_wstring(id) + L" on " + handleText(frame));
    const ReachedEdit reached = reachEdit(frame, id, true);
    if (!reached.edit) return reached.refusal;
    const std::wstring name = L"control " + std::to_wstring(id);
    HWND button = nullptr;
    for (HWND child = GetWindow(reached.window, GW_CHILD); child && !button; child = GetWindow(child, GW_HWNDNEXT))
        if (dynamic_cast<CListButtonXP*>(CWnd::FromHandlePermanent(child))) button = child;
    if (!button || !IsWindowVisible(button)) return name + L" shows no list button";
    if (!IsWindowEnabled(button)) return name + L"'s list button is disabled";
    reached.edit->InternalAddRef();
    constexpr WPARAM kLeftButton = 0x0001;
    SendMessageW(button, WM_LBUTTONDOWN, kLeftButton, 0);
    SendMessageW(button, WM_LBUTTONUP, 0, 0);
    reached.edit->InternalRelease();
    session_.runUntilIdle();
    return std::nullopt;
}

std::optional<std::wstring> User::editCommand(HWND frame, int id, unsigned command) {
    platform::core::journal().add("user", L"command " + std::to_wstring(command) + L" in edit " + std::to_wstring(id) +
                                              L" on " + handleText(frame));
    const Located found = locate(frame, id);
    if (!found.control) return found.refusal;
    auto* edit = dynamic_cast<CXTPControlEdit*>(found.control);
    if (!edit) return L"control " + std::to_wstring(id) + L" is no edit";
    if (!edit->GetEnabled()) return L"control " + std::to_wstring(id) + L" is disabled";
    edit->InternalAddRef();
    const BOOL ran = edit->OnEditCommand(command);
    edit->InternalRelease();
    if (!ran) return L"edit " + std::to_wstring(id) + L" does not run command " + std::to_wstring(command) + L" now";
    session_.runUntilIdle();
    return std::nullopt;
}

std::optional<std::wstring> User::hover(HWND frame, int id) {
    platform::core::journal().add("user", L"hover " + std::to_wstring(id) + L" on " + handleText(frame));
    const Located found = locate(frame, id);
    if (!found.control) return found.refusal;
    // The control the mouse rests on is the bar's selected one.
    if (CXTPCommandBar* bar = found.control->GetParent()) bar->SetSelected(found.control);
    CXTPCommandBars* bars = commandBarsOf(frame);
    // Tool bars and the ribbon ask for a tip only while their options show screen tips.
    const CXTPCommandBar* bar = found.control->GetParent();
    if (!bars->GetCommandBarsOptions()->bToolBarScreenTips && (!bar || bar->GetType() != xtpBarTypePopup)) {
        platform::core::journal().add("user", L"no tooltip: the bars show no screen tips");
        return std::nullopt;
    }
    CXTPToolTipContext* context = bars->GetToolTipContext();
    RECT rect{};
    GetWindowRect(frame, &rect);
    if (!context->ShowToolTip(*found.control, CWnd::FromHandlePermanent(frame), POINT{rect.left + 40, rect.top + 80}))
        return L"the tooltip of control " + std::to_wstring(id) + L" cannot be shown";
    return std::nullopt;
}

std::optional<std::wstring> User::rightClick(HWND frame, int id) {
    platform::core::journal().add("user", L"right-click " + std::to_wstring(id) + L" on " + handleText(frame));
    CXTPRibbonBar* ribbon = ribbonOf(commandBarsOf(frame));
    if (!ribbon || !ribbon->IsVisible() || !ribbon->GetSafeHwnd()) return handleText(frame) + L" shows no ribbon";
    const Located found = locate(frame, id);
    if (!found.control) return found.refusal;
    const RECT rect = ribbon->GetControlRect(found.control);
    if (rect.right <= rect.left) return L"control " + std::to_wstring(id) + L" is not on the ribbon";
    const auto x = static_cast<WORD>((rect.left + rect.right) / 2);
    const auto y = static_cast<WORD>((rect.top + rect.bottom) / 2);
    ::SendMessageW(ribbon->GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    return std::nullopt;
}

std::optional<std::wstring> rightClickInCustomizeMode(HWND sheet, int id) {
    auto* customize = dynamic_cast<CXTPCustomizeSheet*>(CWnd::FromHandlePermanent(sheet));
    CXTPCommandBars* bars = customize ? customize->GetCommandBars() : nullptr;
    CWnd* site = bars ? bars->GetSite() : nullptr;
    if (!site || !site->GetSafeHwnd()) return L"the dialog is no customise sheet of a main frame's bars";
    platform::core::journal().add("user", L"right-click " + std::to_wstring(id) + L" on " + handleText(site->GetSafeHwnd()) +
                                              L" in customise mode");
    if (!bars->IsCustomizeMode()) return std::wstring(L"the bars are not in customise mode (the commands page is not shown)");
    const Located found = locate(site->GetSafeHwnd(), id);
    if (!found.control) return found.refusal;
    customize->ShowControlMenu(found.control);
    return std::nullopt;
}

void User::expectMenuChoose(int id) {
    platform::core::userAgent().expectPopupMenu({platform::core::MenuAnswer::Kind::ChooseId, id, {}});
}

void User::expectMenuChoose(std::wstring caption) {
    platform::core::userAgent().expectPopupMenu({platform::core::MenuAnswer::Kind::ChooseCaption, 0, std::move(caption)});
}

void User::expectMenuDismiss() {
    platform::core::userAgent().expectPopupMenu({platform::core::MenuAnswer::Kind::Dismiss, 0, {}});
}

namespace {

// What the ribbon's own window paints now (its controls that draw themselves, such as the PDM
// popup on a composited caption): a picture's runs of pixels as one `icon` rectangle around them,
// every other drawing line as recorded. Nothing when it paints nothing.
void dumpRibbonPaint(CXTPRibbonBar& ribbon, std::wstring& out) {
    if (!ribbon.GetSafeHwnd()) return;
    ::InvalidateRect(ribbon.GetSafeHwnd(), nullptr, TRUE);
    ::UpdateWindow(ribbon.GetSafeHwnd());
    const std::vector<std::wstring> lines = platform::win32::windowDrawing(ribbon.GetSafeHwnd());
    std::wstring painted;
    std::optional<RECT> icon;
    const auto endIcon = [&] {
        if (!icon) return;
        painted += L"  icon (" + std::to_wstring(icon->left) + L"," + std::to_wstring(icon->top) + L")-(" +
                   std::to_wstring(icon->right) + L"," + std::to_wstring(icon->bottom) + L")\n";
        icon.reset();
    };
    for (const std::wstring& line : lines) {
        int left = 0, top = 0, right = 0, bottom = 0;
        if ((line.rfind(L"StretchBlt (", 0) == 0 || line.rfind(L"BitBlt (", 0) == 0) &&
            std::swscanf(line.c_str() + line.find(L'('), L"(%d,%d)-(%d,%d)", &left, &top, &right, &bottom) == 4) {
            const RECT r{left, top, right, bottom};
            if (!icon) icon = r;
            icon->left = std::min(icon->left, r.left);
            icon->top = std::min(icon->top, r.top);
            icon->right = std::max(icon->right, r.right);
            icon->bottom = std::max(icon->bottom, r.bottom);
            continue;
        }
        endIcon();
        painted += L"  " + line + L"\n";
    }
    endIcon();
    if (!painted.empty()) out += L"ribbon paint\n" + painted;
}

}  // namespace

std::wstring Inspect::dumpRibbon(HWND frame) const {
    CXTPRibbonBar* ribbon = ribbonOf(commandBarsOf(frame));
    if (!ribbon) return {};
    std::wstring out = L"ribbon " + std::wstring(ribbon->IsVisible() ? L"visible" : L"hidden") +
                       (ribbon->IsRibbonMinimized() ? L" minimized" : L"") + L"\n";
    for (int t = 0; t < ribbon->GetTabCount(); ++t) {
        CXTPRibbonTab* tab = ribbon->GetTab(t);
        out += L"tab " + std::to_wstring(t) + L" " + quoted(std::wstring(readable(tab->GetCaption())));
        if (tab->IsSelected()) out += L" selected";
        if (!tab->IsVisible()) out += L" hidden";
        if (tab->GetContextColor() != xtpRibbonTabContextColorNone) out += L" contextual";
        if (const auto* own = dynamic_cast<const Korvo::UI::RibbonTab*>(tab)) {
            if (own->IsDisabledByUser()) out += L" disabled-by-user";
            if (own->GetGuid() != GUID{}) out += L" " + guidText(own->GetGuid());
            if (own->CarriesTags()) out += L" tags " + quoted(std::wstring(own->GetTagString()));
        }
        out += L"\n";
        for (int g = 0; g < tab->GetGroupCount(); ++g) {
            CXTPRibbonGroup* group = tab->GetGroup(g);
            out += L"  group " + quoted(std::wstring(readable(group->GetCaption())));
            if (!group->IsVisible()) out += L" hidden";
            out += L"\n";
            dumpControls(group->GetControls(), 4, out);
        }
    }
    out += L"quick access\n";
    dumpControls(ribbon->GetQuickAccessControls(), 2, out);
    out += L"ribbon controls\n";
    dumpControls(ribbon->GetControls(), 2, out);
    dumpRibbonPaint(*ribbon, out);
    return out;
}

std::wstring Inspect::tooltip(HWND frame) const {
    CXTPCommandBars* bars = commandBarsOf(frame);
    CXTPToolTipContextToolTip* tip = bars ? bars->GetToolTipContext()->GetToolTip() : nullptr;
    if (!tip || !tip->GetSafeHwnd() || !tip->IsWindowVisible()) return {};
    const SIZE size = tip->GetTipSize();
    std::wstring out = L"tooltip " + std::to_wstring(tip->GetCurrentTool().id) + L" " + std::to_wstring(size.cx) + L"x" +
                       std::to_wstring(size.cy) + L"\n";
    for (const CXTPToolTipDrawing::Operation& op : tip->GetDrawing().Operations()) {
        if (op.kind == L"text") out += std::wstring(op.bold ? L"  bold " : L"  text ") + quoted(op.text) + L"\n";
        if (op.kind == L"picture") out += L"  picture\n";
        if (op.kind == L"line") out += L"  separator\n";
    }
    return out;
}

}  // namespace platform::harness
