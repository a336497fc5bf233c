// The user dragging: rows pressed and dragged away, and where each drag ends.
#include <functional>
#include <stdexcept>

#include "platform/core/journal.h"
#include "platform/mfc.h"

#include "platform/core/text.h"
#include "platform/core/record.h"
#include "platform/core/useragent.h"
#include "platform/harness.h"
#include "platform/korvoui/form_factor_report.h"
#include "platform/toolkit.h"

namespace platform::harness {

// The form-factor report shown below the window (list_user.cpp).
Korvo::UI::FormFactorReportControl* shownFormFactorReport(HWND window);

namespace {

// The first shown report control below the window (a view the window hides is not dragged from).
CXTPReportControl* findReport(HWND window) {
    for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        if (auto* report = dynamic_cast<CXTPReportControl*>(CWnd::FromHandlePermanent(child))) return report;
        if (auto* inner = findReport(child)) return inner;
    }
    return nullptr;
}

}  // namespace

std::optional<std::wstring> User::dragRow(HWND window, int row) {
    using platform::core::handleText;
    if (!IsWindow(window)) return std::wstring(L"there is no such window");
    // A form-factor report shown beside the documents menu's structure is the one dragged from.
    CXTPReportControl* report = shownFormFactorReport(window);
    if (!report) report = findReport(window);
    if (!report) return L"there is no list in " + handleText(window);
    const int count = report->GetRows()->GetCount();
    if (row < 0 || row >= count)
        return L"the list has no row " + std::to_wstring(row) + L" (" + std::to_wstring(count) + L" rows)";
    if (!report->DragRow(report->GetRows()->GetAt(row))) return L"the rows of " + handleText(window) + L" do not drag";
    return std::nullopt;
}

std::optional<std::wstring> User::dragTreeItem(HWND tree, std::wstring_view path) {
    CXTPCoreTreeControl* control = CXTPCoreTreeControl::FromHandle(tree);
    if (!control) return std::wstring(L"there is no item tree in that window");
    const std::wstring wanted = platform::core::foldCase(std::wstring(path));
    CXTPCoreTreeItem* found = nullptr;
    control->ForEachItem([&](CXTPCoreTreeItem& item) {
        if (!found && platform::core::foldCase(std::wstring(item.GetPath().GetString())) == wanted) found = &item;
    });
    if (!found) return L"the tree has no item " + platform::core::quoted(std::wstring(path));
    if (!control->IsDragSource()) return std::wstring(L"the tree's items do not drag");
    RECT rect{};
    if (!control->GetItemRect(found, rect)) return L"item " + platform::core::quoted(std::wstring(path)) + L" is not shown";
    control->DragItem(found);
    return std::nullopt;
}

bool User::dropOnOleTarget(HWND window, POINT point, const std::vector<std::wstring>& paths, bool control) {
    HDROP block = CreateShellDrop(paths, POINT{0, 0});
    if (!block) throw std::runtime_error("harness: no memory for the dropped files");
    const SIZE_T size = GlobalSize(block);
    const auto* bytes = static_cast<const std::byte*>(GlobalLock(block));
    std::vector<std::byte> copy(bytes, bytes + size);
    GlobalUnlock(block);
    DragFinish(block);
    IDataObject* data = platform::mfc::makeDataObject({{static_cast<CLIPFORMAT>(CF_HDROP), std::move(copy)}});
    // The shell offers copy, move and link; the left button is down.
    constexpr DWORD kShellEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | 4;
    const DWORD keys = 0x0001u | (control ? MK_CONTROL : 0u);
    bool offered = false;
    const auto effect = platform::mfc::dropOnTarget(data, kShellEffects, window, point, keys, &offered);
    data->Release();
    if (!offered) return false;
    platform::core::journal().add("user", L"drop taken by a drop target, effect " + std::to_wstring(effect.value_or(0)));
    return true;
}

void User::expectDragChoose(HWND window, POINT point, bool control, std::wstring words) {
    platform::core::userAgent().expectDrag(
        platform::core::UserAgent::DragAnswer{window, point, control ? MK_CONTROL : 0u, std::move(words)});
}

void User::expectDragCancel() { platform::core::userAgent().expectDrag(std::nullopt); }

}  // namespace platform::harness
