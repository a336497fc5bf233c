// The start page as a plain child window that keeps the recent items, theme, prototype folder
// and options the program passed, so the harness can show them and click in them.
#include <algorithm>
#include <map>

#include "platform/core/record.h"
#include "platform/managedui/start_page_control.h"

namespace {

using platform::core::boolText;
using platform::core::handleText;
using platform::core::quoted;
using platform::core::recordCall;
using platform::managedui::StartPageState;

struct Controls {
    std::map<HWND, StartPageState> states;
    std::vector<HWND> order;
};

Controls& controls() {
    static Controls all;
    return all;
}

void forget(HWND control) {
    Controls& all = controls();
    all.states.erase(control);
    all.order.erase(std::remove(all.order.begin(), all.order.end(), control), all.order.end());
}

// Null for a window that is gone: its handle may name another window by now.
StartPageState* stateOf(HWND control) {
    auto found = controls().states.find(control);
    if (found == controls().states.end()) return nullptr;
    if (!IsWindow(control)) {
        forget(control);
        return nullptr;
    }
    return &found->second;
}

// A call on a control that does not exist is the managed library's failure, not a silent no-op.
StartPageState* require(HWND control, const wchar_t* call) {
    StartPageState* state = stateOf(control);
    if (!state)
        platform::core::reportFailure(std::wstring(L"KorvoManagedUIProxy::StartPageController::") + call + L": " +
                                      handleText(control) + L" is no start-page control");
    return state;
}

}  // namespace

namespace KorvoManagedUIProxy {

HWND StartPageController::CreateControl(HWND parent, LPCWSTR prototypeFolder, const std::vector<RecentItem>& items,
                                        IStartPageCallback* callback, bool showOption, bool closeAfterOpen) {
    recordCall(L"KorvoManagedUIProxy::StartPageController::CreateControl(" + handleText(parent) + L", " +
               quoted(prototypeFolder ? prototypeFolder : L"") + L", " + std::to_wstring(items.size()) + L" items, " +
               boolText(showOption) + L", " + boolText(closeAfterOpen) + L")");
    if (!parent || !IsWindow(parent)) return nullptr;
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.lpszClassName = L"KorvoManagedUI.StartPage";
    RegisterClassExW(&windowClass);  // fails harmlessly once registered
    HWND control = CreateWindowExW(0, L"KorvoManagedUI.StartPage", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                                   nullptr, nullptr, nullptr);
    if (!control) return nullptr;
    StartPageState state;
    state.items = items;
    state.folder = prototypeFolder ? prototypeFolder : L"";
    state.callback = callback;
    state.showOption = showOption;
    state.closeAfterOpen = closeAfterOpen;
    controls().states[control] = std::move(state);
    controls().order.push_back(control);
    return control;
}

void StartPageController::DestroyControl(HWND control) {
    recordCall(L"KorvoManagedUIProxy::StartPageController::DestroyControl(" + handleText(control) + L")");
    if (!require(control, L"DestroyControl")) return;
    forget(control);
    DestroyWindow(control);
}

void StartPageController::RecentDocumentRemoved(HWND control, int index) {
    recordCall(L"KorvoManagedUIProxy::StartPageController::RecentDocumentRemoved(" + handleText(control) + L", " +
               std::to_wstring(index) + L")");
    StartPageState* state = require(control, L"RecentDocumentRemoved");
    if (state && index >= 0 && index < static_cast<int>(state->items.size()))
        state->items.erase(state->items.begin() + index);
}

void StartPageController::RecentDocumentAdded(HWND control, LPCWSTR path, bool pinned) {
    recordCall(L"KorvoManagedUIProxy::StartPageController::RecentDocumentAdded(" + handleText(control) + L", " +
               quoted(path ? path : L"") + L", " + boolText(pinned) + L")");
    if (StartPageState* state = require(control, L"RecentDocumentAdded"))
        state->items.insert(state->items.begin(), RecentItem{path ? path : L"", pinned});
}

void StartPageController::RecentDocumentPinStateChanged(HWND control, int index, bool pinned) {
    recordCall(L"KorvoManagedUIProxy::StartPageController::RecentDocumentPinStateChanged(" + handleText(control) +
               L", " + std::to_wstring(index) + L", " + boolText(pinned) + L")");
    StartPageState* state = require(control, L"RecentDocumentPinStateChanged");
    if (state && index >= 0 && index < static_cast<int>(state->items.size()))
        state->items[static_cast<std::size_t>(index)].pinned = pinned;
}

void StartPageController::SetTheme(HWND control, ThemeType theme) {
    recordCall(L"KorvoManagedUIProxy::StartPageController::SetTheme(" + handleText(control) + L", " +
               std::to_wstring(theme) + L")");
    if (StartPageState* state = require(control, L"SetTheme")) state->theme = theme;
}

void StartPageController::SetPrototypeFolder(HWND control, LPCWSTR folder, bool refresh) {
    recordCall(L"KorvoManagedUIProxy::StartPageController::SetPrototypeFolder(" + handleText(control) + L", " +
               quoted(folder ? folder : L"") + L", " + boolText(refresh) + L")");
    if (StartPageState* state = require(control, L"SetPrototypeFolder")) {
        state->folder = folder ? folder : L"";
        state->refreshed = refresh;
    }
}

}  // namespace KorvoManagedUIProxy

namespace platform::managedui {

const StartPageState* startPageState(HWND control) { return stateOf(control); }

bool tickShowOption(HWND control, bool on) {
    StartPageState* state = stateOf(control);
    if (!state) return false;
    state->showOption = on;
    if (state->callback) state->callback->SetShowOption(on);
    return true;
}

std::vector<HWND> startPageControls() {
    std::vector<HWND> live;
    for (HWND control : std::vector<HWND>(controls().order))
        if (stateOf(control)) live.push_back(control);
    return live;
}

}  // namespace platform::managedui
