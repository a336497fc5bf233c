// What a simulated user does in a dialog's window: click, type, select, tick, show a page, read
// it. The core's user agent describes and schedules the actions; doing one is Windows' work.
#include "platform/win32/window/dialog_actions.h"

#include <algorithm>
#include <variant>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/combobox.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/controls/listbox.h"
#include "platform/win32/controls/listview.h"
#include "platform/win32/controls/propsheet_messages.h"
#include "platform/win32/controls/syslink.h"
#include "platform/win32/controls/treeview.h"
#include "platform/win32/icons.h"
#include "platform/win32/window/cursor_position.h"
#include "platform/win32/window/window.h"

namespace platform::win32 {

using core::DialogAction;
using core::foldCase;
using core::journal;
using core::quoted;

namespace {

std::wstring className(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return foldCase(name);
}

// The control of the dialog with the id, also inside a child dialog (the page a sheet shows).
HWND findControl(HWND dialog, int id) {
    if (HWND control = GetDlgItem(dialog, id)) return control;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (std::wstring_view(name) != L"#32770" || !IsWindowVisible(child)) continue;
        if (HWND control = findControl(child, id)) return control;
    }
    return nullptr;
}

// The control a user can reach: present, visible and enabled; the reason otherwise.
std::optional<std::wstring> reachable(HWND dialog, int id, HWND& control) {
    control = findControl(dialog, id);
    if (!control) return L"the dialog has no control " + std::to_wstring(id);
    if (!IsWindowVisible(control)) return L"control " + std::to_wstring(id) + L" is hidden";
    if (!IsWindowEnabled(control)) return L"control " + std::to_wstring(id) + L" is disabled";
    return std::nullopt;
}

std::optional<std::wstring> clickButton(HWND dialog, int id) {
    HWND button = nullptr;
    if (auto refusal = reachable(dialog, id, button)) return refusal;
    const std::wstring kind = className(button);
    // A link is clicked on its first anchor; a static control only tells of clicks with SS_NOTIFY.
    if (kind == platform::core::foldCase(WC_LINK) || kind == L"static") {
        const UINT click = kind == L"static" ? STM_CLICK : LM_CLICKLINK;
        if (!SendMessageW(button, click, 0, 0)) return L"control " + std::to_wstring(id) + L" does not take clicks";
        return std::nullopt;
    }
    if (kind != L"button") return L"control " + std::to_wstring(id) + L" is not a button";
    SendMessageW(button, BM_CLICK, 0, 0);
    return std::nullopt;
}

// The list's item the action names: its text without '&' (case ignored), or "#N" from 0; -1 when none.
int listItem(HWND list, const std::wstring& item) {
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    if (item.size() > 1 && item[0] == L'#' && item.find_first_not_of(L"0123456789", 1) == std::wstring::npos) {
        const int index = std::stoi(item.substr(1));
        return index < count ? index : -1;
    }
    auto plain = [](std::wstring text) {
        std::erase(text, L'&');
        return foldCase(text);
    };
    for (int index = 0; index < count; ++index) {
        const auto length = static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
        std::wstring text(length + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        if (plain(text) == plain(item)) return index;
    }
    return -1;
}

std::wstring treeText(HWND tree, HTREEITEM item) {
    wchar_t text[260] = {};
    TVITEMW query;
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 260;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

HTREEITEM treeChild(HWND tree, HTREEITEM item, UINT which) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

// A click on the item's row: the selection moves and the tree's parent hears of it.
std::optional<std::wstring> selectTreeItem(HWND tree, const DialogAction& action) {
    HTREEITEM item = nullptr;
    HTREEITEM level = treeChild(tree, nullptr, TVGN_ROOT);
    std::wstring rest = action.text;
    while (true) {
        const std::size_t bar = rest.find(L'|');
        const std::wstring caption = foldCase(rest.substr(0, bar));
        item = nullptr;
        for (HTREEITEM at = level; at; at = treeChild(tree, at, TVGN_NEXT))
            if (foldCase(treeText(tree, at)) == caption) {
                item = at;
                break;
            }
        if (!item) return L"tree " + std::to_wstring(action.id) + L" has no item " + quoted(action.text);
        if (bar == std::wstring::npos) break;
        rest = rest.substr(bar + 1);
        level = treeChild(tree, item, TVGN_CHILD);
    }
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return std::nullopt;
}

// Types into the label of the tree's selected item (or the one being edited) and presses Enter.
std::optional<std::wstring> editTreeLabel(HWND tree, const DialogAction& action) {
    HWND edit = reinterpret_cast<HWND>(SendMessageW(tree, TVM_GETEDITCONTROL, 0, 0));
    if (!edit) {
        const auto selected = treeChild(tree, nullptr, TVGN_CARET);
        if (!selected) return L"tree " + std::to_wstring(action.id) + L" has no selected item";
        edit = reinterpret_cast<HWND>(SendMessageW(tree, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(selected)));
        if (!edit) return L"the label of the selected item of tree " + std::to_wstring(action.id) + L" cannot be edited";
    }
    SetWindowTextW(edit, action.text.c_str());
    SendMessageW(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    return std::nullopt;
}

// Clicks the tick box of the tree's selected item as often as it takes to show the wanted state
// (a click ticks an unticked or mixed box and clears a ticked one); the tree's owner may act on
// the clicks later, as it does on a user's.
std::optional<std::wstring> tickTreeItem(HWND tree, const DialogAction& action, bool on) {
    const auto selected = treeChild(tree, nullptr, TVGN_CARET);
    if (!selected) return L"tree " + std::to_wstring(action.id) + L" has no selected item";
    const auto index = static_cast<UINT>(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(selected),
                                                      TVIS_STATEIMAGEMASK)) >> 12;
    constexpr UINT kTicked = 2, kMixed = 3;
    const int clicks = on ? (index == kTicked ? 0 : 1) : (index == kTicked ? 1 : index == kMixed ? 2 : 0);
    POINT point{};
    if (clicks > 0 && !platform::win32::treeStateImagePoint(tree, selected, point))
        return L"the selected item of tree " + std::to_wstring(action.id) + L" has no tick box";
    ClientToScreen(tree, &point);
    for (int click = 0; click < clicks; ++click) {
        platform::win32::placeCursor(point);
        NMHDR header;
        header.hwndFrom = tree;
        header.idFrom = static_cast<UINT_PTR>(action.id);
        header.code = NM_CLICK;
        SendMessageW(GetParent(tree), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    return std::nullopt;
}

// Clicks the tick box of the check list's selected row when its tick is not the wanted one.
std::optional<std::wstring> tickListRow(HWND list, const DialogAction& action, bool on) {
    const auto row = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    if (row < 0) return L"list " + std::to_wstring(action.id) + L" has no selected row";
    const LRESULT tick = SendMessageW(list, CLB_GETCHECK, static_cast<WPARAM>(row), 0);
    if (tick == LB_ERR || (tick == 0 && !(GetWindowLongPtrW(list, GWL_STYLE) & LBS_OWNERDRAWFIXED)))
        return L"list " + std::to_wstring(action.id) + L" has no tick boxes";
    if ((tick != 0) == on) return std::nullopt;
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM point = MAKELPARAM(2, static_cast<WORD>(row * height + height / 2));
    SendMessageW(list, WM_LBUTTONDOWN, 0, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
    return std::nullopt;
}

std::optional<std::wstring> checkControl(HWND dialog, const DialogAction& action) {
    HWND control = nullptr;
    if (auto refusal = reachable(dialog, action.id, control)) return refusal;
    const bool on = action.text == L"on";
    if (className(control) == foldCase(WC_TREEVIEWW)) return tickTreeItem(control, action, on);
    if (className(control) == L"listbox") return tickListRow(control, action, on);
    if (className(control) != L"button")
        return L"control " + std::to_wstring(action.id) + L" is not a check box, a check list or a tree";
    if ((SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) != on) SendMessageW(control, BM_CLICK, 0, 0);
    return std::nullopt;
}

// The row of a report list the action names: "#N" from 0, or the text of its first column.
int listViewRow(HWND list, const std::wstring& item) {
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (item.size() > 1 && item[0] == L'#' && item.find_first_not_of(L"0123456789", 1) == std::wstring::npos) {
        const int index = std::stoi(item.substr(1));
        return index < count ? index : -1;
    }
    for (int index = 0; index < count; ++index) {
        wchar_t text[260] = {};
        LVITEMW query;
        query.pszText = text;
        query.cchTextMax = 260;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&query));
        if (foldCase(text) == foldCase(item)) return index;
    }
    return -1;
}

// A click on the row: it alone is selected and focused; the list tells its parent.
std::optional<std::wstring> selectListViewRow(HWND list, const DialogAction& action) {
    const int row = listViewRow(list, action.text);
    if (row < 0) return L"list " + std::to_wstring(action.id) + L" has no row " + quoted(action.text);
    LVITEMW clear;
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    LVITEMW set;
    set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&set));
    return std::nullopt;
}

// A choice from the drop-down list by its text (case ignored) or "#N": the box shows it and its
// parent hears of the change, then of the confirmed choice.
std::optional<std::wstring> selectComboItem(HWND dialog, HWND combo, const DialogAction& action) {
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    int index = -1;
    if (action.text.size() > 1 && action.text[0] == L'#' && action.text.find_first_not_of(L"0123456789", 1) == std::wstring::npos &&
        action.text.size() < 8) {
        index = std::stoi(action.text.substr(1));
        if (index >= count) index = -1;
    } else {
        index = static_cast<int>(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(action.text.c_str())));
    }
    if (index < 0) return L"combo box " + std::to_wstring(action.id) + L" has no item " + quoted(action.text);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(action.id), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    // The drop-down closes on the choice: the parent hears it confirmed.
    if (IsWindow(combo))
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(action.id), CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
    (void)dialog;
    return std::nullopt;
}

// Shows the sheet's page made from template `id`, as a click on its tab does.
std::optional<std::wstring> showPage(HWND dialog, const DialogAction& action) {
    if (SendMessageW(dialog, PSM_SETCURSELID, 0, static_cast<LPARAM>(action.id)) == 0)
        return L"the dialog shows no page " + std::to_wstring(action.id);
    return std::nullopt;
}

std::optional<std::wstring> selectItem(HWND dialog, const DialogAction& action) {
    HWND list = nullptr;
    if (auto refusal = reachable(dialog, action.id, list)) return refusal;
    if (className(list) == foldCase(WC_TREEVIEWW)) return selectTreeItem(list, action);
    if (className(list) == foldCase(WC_LISTVIEWW)) return selectListViewRow(list, action);
    if (className(list) == L"combobox") return selectComboItem(dialog, list, action);
    if (className(list) != L"listbox") return L"control " + std::to_wstring(action.id) + L" is not a list";
    const int index = listItem(list, action.text);
    if (index < 0) return L"list " + std::to_wstring(action.id) + L" has no item " + quoted(action.text);
    // A click on the row: the selection moves and the dialog hears of it.
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(action.id), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return std::nullopt;
}

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring listText(HWND list, UINT lengthMessage, UINT textMessage, int index) {
    const auto length = SendMessageW(list, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// What a user reads of one control: "control ID CLASS \"TEXT\"", disabled and checked when so,
// the size of a static control's icon; a list box's rows follow, indented, its selected one marked
// and, in a check list, the ticked; so do a combo box's drop-down entries.
void journalControl(HWND control) {
    const std::wstring kind = className(control);
    std::wstring line = L"control " + std::to_wstring(GetDlgCtrlID(control)) + L" " + kind + L" " + quoted(windowText(control));
    if (!IsWindowEnabled(control)) line += L" disabled";
    if (kind == L"button" && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) line += L" checked";
    // A button that shows an icon: the icon resource it stands for.
    if (kind == L"button")
        if (const auto icon = reinterpret_cast<HICON>(SendMessageW(control, BM_GETIMAGE, IMAGE_ICON, 0)))
            line += L" icon " + std::to_wstring(platform::win32::iconResource(icon));
    if (kind == L"combobox") {
        const auto selected = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
        line += L" selected " + (selected < 0 ? std::wstring(L"none") : quoted(listText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, selected)));
    }
    if (kind == L"static") {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
        int width = 0, height = 0;
        if (icon && platform::win32::iconSize(icon, width, height))
            line += L" icon " + std::to_wstring(width) + L"x" + std::to_wstring(height);
    }
    journal().add("dialog", line);
    if (kind == L"combobox") {
        const auto count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
        for (int row = 0; row < count; ++row)
            journal().add("dialog", L"  #" + std::to_wstring(row) + L" " + quoted(listText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, row)));
        return;
    }
    if (kind != L"listbox") return;
    const bool checkList = (GetWindowLongPtrW(control, GWL_STYLE) & LBS_OWNERDRAWFIXED) != 0;
    const auto count = static_cast<int>(SendMessageW(control, LB_GETCOUNT, 0, 0));
    const auto selected = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::wstring entry = L"  #" + std::to_wstring(row) + L" " + quoted(listText(control, LB_GETTEXTLEN, LB_GETTEXT, row));
        if (checkList) entry += SendMessageW(control, CLB_GETCHECK, static_cast<WPARAM>(row), 0) > 0 ? L" ticked" : L" unticked";
        if (row == selected) entry += L" selected";
        journal().add("dialog", entry);
    }
}

// Reads every visible control of the dialog and of the page it shows, in window order.
void dumpDialog(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        // A label without an id tells nothing a user acts on.
        if (!IsWindowVisible(child) || GetDlgCtrlID(child) == 0xFFFF) continue;
        if (className(child) == L"#32770") dumpDialog(child);
        else journalControl(child);
    }
}


// The window classes a control kind stands for.
std::vector<std::wstring> kindClasses(const std::wstring& kind) {
    if (kind == L"edit") return {L"edit"};
    if (kind == L"list") return {L"listbox", foldCase(WC_LISTVIEWW)};
    if (kind == L"combo") return {L"combobox"};
    if (kind == L"tree") return {foldCase(WC_TREEVIEWW)};
    return {};
}

void collectOfKind(HWND parent, const std::vector<std::wstring>& classes, std::vector<HWND>& found) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        const std::wstring name = className(child);
        if (std::find(classes.begin(), classes.end(), name) != classes.end()) found.push_back(child);
        else if (name == L"#32770") collectOfKind(child, classes, found);
    }
}

// The action with the id of the one control of its kind that the dialog shows; the reason when
// there is none or more than one.
std::variant<DialogAction, std::wstring> resolveKind(HWND dialog, DialogAction action) {
    const std::vector<std::wstring> classes = kindClasses(action.controlKind);
    if (classes.empty()) return L"no control kind " + quoted(action.controlKind);
    std::vector<HWND> found;
    collectOfKind(dialog, classes, found);
    if (found.empty()) return L"the dialog shows no " + action.controlKind;
    if (found.size() > 1) return L"the dialog shows " + std::to_wstring(found.size()) + L" controls of kind " + action.controlKind;
    action.id = GetDlgCtrlID(found.front());
    action.controlKind.clear();
    return action;
}

std::optional<std::wstring> performInDialog(HWND dialog, const DialogAction& action) {
    if (!IsWindow(dialog)) return std::wstring(L"the dialog is gone");
    if (action.controlKind == L"select") {
        const auto actor = core::frameworkControlActor();
        if (!actor) return std::wstring(L"the dialog shows no select");
        return actor(dialog, action);
    }
    if (!action.controlKind.empty()) {
        auto resolved = resolveKind(dialog, action);
        if (auto* refusal = std::get_if<std::wstring>(&resolved)) return *refusal;
        return performInDialog(dialog, std::get<DialogAction>(resolved));
    }
    if (!action.control.empty()) {
        const auto actor = core::frameworkControlActor();
        if (!actor) return L"the dialog has no control " + quoted(action.control);
        return actor(dialog, action);
    }
    switch (action.kind) {
        case DialogAction::Kind::Click: return clickButton(dialog, action.id);
        case DialogAction::Kind::Ok: return clickButton(dialog, IDOK);
        case DialogAction::Kind::Select: return selectItem(dialog, action);
        case DialogAction::Kind::Check: return checkControl(dialog, action);
        case DialogAction::Kind::Page: return showPage(dialog, action);
        case DialogAction::Kind::Edit: return std::wstring(L"edit needs a UI-library list");
        case DialogAction::Kind::Dump: dumpDialog(dialog); return std::nullopt;
        case DialogAction::Kind::Text: {
            HWND edit = nullptr;
            if (auto refusal = reachable(dialog, action.id, edit)) return refusal;
            if (className(edit) == foldCase(WC_TREEVIEWW)) return editTreeLabel(edit, action);
            if (className(edit) == L"combobox") {
                // Typed into its edit field: the parent hears each change.
                SetWindowTextW(edit, action.text.c_str());
                SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(action.id), CBN_EDITCHANGE),
                             reinterpret_cast<LPARAM>(edit));
                return std::nullopt;
            }
            if (className(edit) != L"edit") return L"control " + std::to_wstring(action.id) + L" is not an edit";
            SetWindowTextW(edit, action.text.c_str());
            return std::nullopt;
        }
        case DialogAction::Kind::Cancel:
            // Escape: the dialog hears IDCANCEL whether or not it shows a Cancel button.
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return std::nullopt;
    }
    return std::wstring(L"unknown action");
}

}  // namespace

void installDialogActions() { core::setDialogActionPerformer(&performInDialog); }

}  // namespace platform::win32
