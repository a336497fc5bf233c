#include "platform/win32/files/dragdrop.h"

#include <algorithm>
#include <map>

#include "platform/core/process.h"
#include "platform/core/text.h"
#include "platform/win32/controls/clipboard.h"
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

HDROP CreateShellDrop(const std::vector<std::wstring>& paths, POINT point) {
    // The paths are UTF-16, as the shell writes them, each ended by a NUL, the list by one more.
    std::string text;
    for (const std::wstring& path : paths) text += platform::core::toUtf16Le(path) + std::string(2, '\0');
    text += std::string(2, '\0');
    const SIZE_T bytes = sizeof(DROPFILES) + text.size();
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    if (!block) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    if (!header) {
        GlobalFree(block);
        return nullptr;
    }
    header->pFiles = sizeof(DROPFILES);
    header->pt = point;
    header->fNC = FALSE;
    header->fWide = TRUE;
    std::copy(text.begin(), text.end(), reinterpret_cast<char*>(header) + sizeof(DROPFILES));
    GlobalUnlock(block);
    return block;
}

namespace {

// The paths of a drop block, read under a lock; none for a handle that is no drop, and only the
// paths that end inside the block.
std::vector<std::wstring> dropPaths(HDROP drop, POINT* point, BOOL* nonClient) {
    std::vector<std::wstring> paths;
    const SIZE_T size = GlobalSize(drop);
    if (size < sizeof(DROPFILES)) return paths;
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(drop));
    if (!header) return paths;
    if (point) *point = header->pt;
    if (nonClient) *nonClient = header->fNC;
    if (header->fWide && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
        const char* text = reinterpret_cast<const char*>(header) + header->pFiles;
        const std::size_t count = (size - header->pFiles) / 2;
        const auto unit = [&](std::size_t i) { return text[2 * i] != 0 || text[2 * i + 1] != 0; };
        std::size_t at = 0;
        while (at < count && unit(at)) {
            std::size_t end = at;
            while (end < count && unit(end)) ++end;
            if (end == count) break;  // no NUL ends it inside the block
            paths.push_back(platform::core::fromUtf16Le(std::string_view(text + 2 * at, 2 * (end - at))));
            at = end + 1;
        }
    }
    GlobalUnlock(drop);
    return paths;
}

}  // namespace

UINT DragQueryFileW(HDROP drop, UINT index, LPWSTR file, UINT size) {
    const std::vector<std::wstring> paths = dropPaths(drop, nullptr, nullptr);
    if (index == 0xFFFFFFFFu) return static_cast<UINT>(paths.size());
    if (index >= paths.size()) return 0;
    const std::wstring& path = paths[index];
    if (!file) return static_cast<UINT>(path.size());
    if (size == 0) return 0;
    const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
    std::copy(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(copied), file);
    file[copied] = L'\0';
    return static_cast<UINT>(copied);
}

BOOL DragQueryPoint(HDROP drop, LPPOINT point) {
    POINT at{};
    BOOL nonClient = FALSE;
    dropPaths(drop, &at, &nonClient);
    if (point) *point = at;
    return nonClient ? FALSE : TRUE;
}

void DragFinish(HDROP drop) { GlobalFree(drop); }
