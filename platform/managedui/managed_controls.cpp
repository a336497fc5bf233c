// The managed choosers as plain child windows that keep what the application passed to them.
#include <map>
#include <string>

#include "platform/core/record.h"
#include "platform/managedui.h"

namespace KorvoManagedUIProxy {

namespace {

struct ControlState {
    CString folder;
    int themeCode = -1;
    std::vector<ExportFilter> filters;
    IExportCallback* exportCallback = nullptr;
};

std::map<HWND, ControlState>& states() {
    static std::map<HWND, ControlState> all;
    return all;
}

// Null for a window that is gone: its handle may name another window by now.
ControlState* stateOf(HWND control) {
    auto found = states().find(control);
    if (found == states().end()) return nullptr;
    if (!IsWindow(control)) {
        states().erase(found);
        return nullptr;
    }
    return &found->second;
}

HWND createChild(HWND parent, LPCWSTR className) {
    if (!parent || !IsWindow(parent)) return nullptr;
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);  // fails harmlessly once registered
    HWND control = CreateWindowExW(0, className, L"", WS_CHILD, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr);
    if (control) states()[control] = ControlState{};
    return control;
}

std::wstring handle(HWND control) { return platform::core::handleText(control); }

}  // namespace

HWND PrototypesController::CreateControl(HWND parent, LPCWSTR folder, IPrototypesCallback*) {
    HWND control = createChild(parent, L"KorvoManagedUI.Prototypes");
    if (ControlState* state = stateOf(control)) state->folder = folder ? folder : L"";
    platform::core::recordCall(L"KorvoManagedUIProxy::PrototypesController::CreateControl(" + handle(parent) + L")");
    return control;
}

void PrototypesController::SetPrototypeFolder(HWND control, LPCWSTR folder, bool refresh) {
    platform::core::recordCall(L"KorvoManagedUIProxy::PrototypesController::SetPrototypeFolder(" + handle(control) + L", " +
                               platform::core::quoted(folder ? folder : L"") + L", " + platform::core::boolText(refresh) + L")");
    if (ControlState* state = stateOf(control)) state->folder = folder ? folder : L"";
}

void PrototypesController::SetTheme(HWND control, int code) {
    platform::core::recordCall(L"KorvoManagedUIProxy::PrototypesController::SetTheme(" + handle(control) + L", " +
                               std::to_wstring(code) + L")");
    if (ControlState* state = stateOf(control)) state->themeCode = code;
}

CString PrototypesController::GetFolder(HWND control) {
    const ControlState* state = stateOf(control);
    return state ? state->folder : CString();
}

int PrototypesController::GetThemeCode(HWND control) {
    const ControlState* state = stateOf(control);
    return state ? state->themeCode : -1;
}

HWND ExportController::CreateControl(HWND parent, const std::vector<ExportFilter>& filters, IExportCallback* callback) {
    HWND control = createChild(parent, L"KorvoManagedUI.Export");
    if (ControlState* state = stateOf(control)) {
        state->filters = filters;
        state->exportCallback = callback;
    }
    platform::core::recordCall(L"KorvoManagedUIProxy::ExportController::CreateControl(" + handle(parent) + L")");
    return control;
}

void ExportController::SetFilters(HWND control, const std::vector<ExportFilter>& filters) {
    platform::core::recordCall(L"KorvoManagedUIProxy::ExportController::SetFilters(" + handle(control) + L", " +
                               std::to_wstring(filters.size()) + L")");
    if (ControlState* state = stateOf(control)) state->filters = filters;
}

void ExportController::SetTheme(HWND control, COLORREF background, COLORREF text) {
    platform::core::recordCall(L"KorvoManagedUIProxy::ExportController::SetTheme(" + handle(control) + L", " +
                               std::to_wstring(background) + L", " + std::to_wstring(text) + L")");
}

std::vector<ExportFilter> ExportController::GetFilters(HWND control) {
    const ControlState* state = stateOf(control);
    return state ? state->filters : std::vector<ExportFilter>{};
}

bool ExportController::Choose(HWND control, int index) {
    const ControlState* state = stateOf(control);
    if (!state || index < 0 || index >= static_cast<int>(state->filters.size()) || !state->exportCallback) return false;
    state->exportCallback->OnExportChosen(index);
    return true;
}

}  // namespace KorvoManagedUIProxy
