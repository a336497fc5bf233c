// The user at a window's combo box and list view: typing into the box, clicking a row.
#include <functional>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/korvoui/form_factor_report.h"
#include "platform/win32/controls/combobox.h"
#include "platform/win32/controls/listview.h"

namespace platform::harness {

namespace {

using platform::core::handleText;

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    return GetClassNameW(window, name, 64) > 0 ? std::wstring(name) : std::wstring();
}

// The first descendant of `window` (depth first, in z-order) that `wanted` accepts.
HWND findDescendant(HWND window, const std::function<bool(HWND)>& wanted) {
    for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (wanted(child)) return child;
        if (HWND inner = findDescendant(child, wanted)) return inner;
    }
    return nullptr;
}

}  // namespace

HWND shownList(HWND window);

std::optional<std::wstring> User::typeInto(HWND window, unsigned id, std::wstring_view text) {
    platform::core::journal().add("user", L"type " + platform::core::quoted(std::wstring(text)) + L" into " +
                                              std::to_wstring(id) + L" of " + handleText(window));
    if (!IsWindow(window)) return std::wstring(L"there is no such window");
    const HWND box = findDescendant(window, [id](HWND child) {
        return GetDlgCtrlID(child) == static_cast<int>(id) && classOf(child) == L"COMBOBOX";
    });
    if (!box) return L"there is no combo box " + std::to_wstring(id) + L" in " + handleText(window);
    if (!IsWindowVisible(box) || !IsWindowEnabled(box))
        return L"combo box " + std::to_wstring(id) + L" is hidden or disabled";
    SetFocus(box);
    SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
    if (text.empty()) PostMessageW(box, WM_CHAR, L'\b', 1);
    for (wchar_t c : text) PostMessageW(box, WM_CHAR, c, 1);
    return std::nullopt;
}

// The first list view below `window` that the user can see.
HWND shownList(HWND window) {
    return findDescendant(window, [](HWND child) { return classOf(child) == WC_LISTVIEWW && IsWindowVisible(child); });
}

// The form-factor report shown below `window`: its rows come before the window's other lists.
Korvo::UI::FormFactorReportControl* shownFormFactorReport(HWND window) {
    const HWND found = findDescendant(window, [](HWND child) {
        return IsWindowVisible(child) && dynamic_cast<Korvo::UI::FormFactorReportControl*>(CWnd::FromHandlePermanent(child));
    });
    return found ? dynamic_cast<Korvo::UI::FormFactorReportControl*>(CWnd::FromHandlePermanent(found)) : nullptr;
}

std::optional<std::wstring> User::listRow(HWND window, int row, MouseAction action) {
    if (!IsWindow(window)) return std::wstring(L"there is no such window");
    if (auto* report = shownFormFactorReport(window); report && action != MouseAction::RightClick) {
        const int count = report->GetRows()->GetCount();
        if (row < 0 || row >= count)
            return L"the list has no row " + std::to_wstring(row) + L" (" + std::to_wstring(count) + L" rows)";
        CXTPReportRow* shown = report->GetRows()->GetAt(row);
        CXTPReportColumn* column = report->GetColumns()->GetAt(0);
        report->ClickItem(shown, column);
        if (action == MouseAction::DoubleClick) report->DblClickItem(shown, column);
        return std::nullopt;
    }
    const HWND list = shownList(window);
    if (!list) return L"there is no list in " + handleText(window);
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (row < 0 || row >= count)
        return L"the list has no row " + std::to_wstring(row) + L" (" + std::to_wstring(count) + L" rows)";
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return mouse(list, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, action);
}

}  // namespace platform::harness

namespace platform::harness {

std::optional<std::wstring> User::renameListRow(HWND window, int row, std::wstring_view text) {
    platform::core::journal().add("user", L"rename row " + std::to_wstring(row) + L" of " + handleText(window) +
                                              L" to " + platform::core::quoted(std::wstring(text)));
    if (!IsWindow(window)) return std::wstring(L"there is no such window");
    const HWND list = shownList(window);
    if (!list) return L"there is no list in " + handleText(window);
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (row < 0 || row >= count)
        return L"the list has no row " + std::to_wstring(row) + L" (" + std::to_wstring(count) + L" rows)";
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    SetFocus(list);
    const auto edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, static_cast<WPARAM>(row), 0));
    if (!edit) return L"the rows of " + handleText(window) + L" cannot be renamed";
    SetWindowTextW(edit, std::wstring(text).c_str());
    // Clicking back into the list takes the focus from the edit box, which ends the edit.
    SetFocus(list);
    return std::nullopt;
}

HWND Inspect::listView(HWND window) const { return IsWindow(window) ? shownList(window) : nullptr; }

std::vector<ListViewRow> Inspect::listViewRows(HWND list) const {
    std::vector<ListViewRow> rows;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        ListViewRow row;
        wchar_t buffer[1024] = {};
        LVITEMW item;
        item.mask = LVIF_PARAM;
        item.iItem = index;
        item.pszText = buffer;
        item.cchTextMax = 1024;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        row.text = buffer;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        row.data = item.lParam;
        row.image = platform::win32::listViewShownImage(list, index);
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace platform::harness
