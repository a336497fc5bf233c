#include "platform/win32/files/dragdrop.h"

#include <map>

#include "platform/core/process.h"
#include "platform/win32/window/window.h"

namespace {

struct DropTargets {
    std::map<HWND, IDropTarget*> byWindow;
};

DropTargets& dropTargets() {
    static DropTargets& table = platform::core::process().table<DropTargets>();
    return table;
}

}  // namespace

void DragAcceptFiles(HWND hwnd, BOOL accept) {
    if (!IsWindow(hwnd)) return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                      static_cast<LONG_PTR>(accept ? (style | WS_EX_ACCEPTFILES) : (style & ~WS_EX_ACCEPTFILES)));
}

HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* target) {
    if (!IsWindow(hwnd)) return DRAGDROP_E_INVALIDHWND;
    if (!target) return static_cast<HRESULT>(0x80070057u);  // E_INVALIDARG
    auto& targets = dropTargets().byWindow;
    // A handle is never reused, so an entry of a dead window can only be stale.
    if (const auto it = targets.find(hwnd); it != targets.end()) return DRAGDROP_E_ALREADYREGISTERED;
    targets[hwnd] = target;
    return 0;
}

HRESULT RevokeDragDrop(HWND hwnd) {
    return dropTargets().byWindow.erase(hwnd) ? 0 : DRAGDROP_E_NOTREGISTERED;
}

IDropTarget* GetRegisteredDropTarget(HWND hwnd) {
    if (!IsWindow(hwnd)) return nullptr;
    const auto it = dropTargets().byWindow.find(hwnd);
    return it == dropTargets().byWindow.end() ? nullptr : it->second;
}
