#include "platform/win32/control.h"

#include <sstream>

#include "platform/core/record.h"
#include "platform/win32/process/kernel_objects.h"
#include "platform/win32/window/window_table.h"

namespace platform::win32 {
std::vector<std::wstring> atomNames();
std::map<std::wstring, std::wstring> environmentSnapshot();
}  // namespace platform::win32

namespace platform::core::control {

namespace {
void dumpWindow(const win32::Window& w, int depth, std::wostringstream& out) {
    const RECT r = win32::windowRectOnScreen(w);
    out << std::wstring(static_cast<std::size_t>(depth) * 2, L' ') << win32::describeWindow(w)
        << ((w.style & WS_VISIBLE) ? L" visible" : L" hidden") << ((w.style & WS_DISABLED) ? L" disabled" : L" enabled")
        << L" " << rectText(r.left, r.top, r.right, r.bottom);
    if (w.parent) out << L" id " << w.id;
    out << L" thread " << w.thread << L"\n";
    for (HWND child : w.children)
        if (const auto* c = win32::findWindow(child)) dumpWindow(*c, depth + 1, out);
}
}  // namespace

std::optional<WindowInfo> window(HWND hwnd) {
    win32::Lock lock(core::threads().mutex());
    const auto* w = win32::findWindow(hwnd);
    if (!w) return std::nullopt;
    WindowInfo info;
    info.handle = hwnd;
    info.className = w->windowClass->name;
    info.text = w->text;
    info.style = w->style;
    info.exStyle = w->exStyle;
    info.visible = (w->style & WS_VISIBLE) != 0;
    info.enabled = !(w->style & WS_DISABLED);
    info.rect = win32::windowRectOnScreen(*w);
    info.client = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    info.parent = w->parent;
    info.owner = w->owner;
    info.id = w->id;
    info.thread = w->thread;
    info.children = w->children;
    return info;
}

std::vector<HWND> topLevelWindows() {
    win32::Lock lock(core::threads().mutex());
    return win32::windowTable().topLevel;
}

std::wstring dumpWindows() {
    win32::Lock lock(core::threads().mutex());
    std::wostringstream out;
    for (HWND h : win32::windowTable().topLevel)
        if (const auto* w = win32::findWindow(h)) dumpWindow(*w, 0, out);
    return out.str();
}

std::map<std::wstring, std::wstring> environment() { return win32::environmentSnapshot(); }

std::vector<std::wstring> namedObjects() {
    win32::Lock lock(core::threads().mutex());
    std::vector<std::wstring> out;
    for (const auto& [name, object] : win32::kernelTable().named)
        if (!object.expired()) out.push_back(name);
    return out;
}

std::size_t openHandleCount() {
    win32::Lock lock(core::threads().mutex());
    return win32::kernelTable().handles.size();
}

std::vector<std::wstring> atoms() { return win32::atomNames(); }

}  // namespace platform::core::control
