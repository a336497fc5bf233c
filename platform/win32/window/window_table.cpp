#include "platform/win32/window/window_table.h"

#include "platform/win32/controls/button.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/controls/listbox.h"
#include "platform/win32/controls/listview.h"
#include "platform/win32/controls/syslink.h"
#include "platform/win32/controls/treeview.h"
#include "platform/win32/controls/combobox.h"
#include "platform/win32/controls/trackbar.h"
#include "platform/win32/controls/tooltip.h"
#include "platform/win32/window/dialog_actions.h"
#include "platform/win32/window/mdi.h"

#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/win32/process/system.h"

namespace platform::win32 {

WindowTable::WindowTable() {
    // The message-box and dialog class, static text, the MDI client, the edit control and the
    // button, the list box, the list view, the combo box, the tree view, the link, the slider and
    // the tooltip.
    for (const wchar_t* name : {L"#32770", L"STATIC", L"MDICLIENT", L"EDIT", L"BUTTON", L"LISTBOX", WC_LISTVIEWW, L"COMBOBOX", WC_TREEVIEWW, WC_LINK, TRACKBAR_CLASSW, TOOLTIPS_CLASSW}) {
        auto c = std::make_shared<WindowClass>();
        c->name = name;
        c->atom = nextClassAtom++;
        c->proc = c->name == L"MDICLIENT" ? &MdiClientWindowProc : c->name == L"EDIT" ? &EditWindowProc : &DefWindowProcW;
        if (c->name == L"BUTTON") c->proc = &ButtonWindowProc;
        if (c->name == L"LISTBOX") c->proc = &ListBoxWindowProc;
        if (c->name == WC_LISTVIEWW) {
            c->proc = &ListViewWindowProc;
            c->style = CS_DBLCLKS;
        }
        if (c->name == L"COMBOBOX") c->proc = &ComboBoxWindowProc;
        if (c->name == WC_TREEVIEWW) c->proc = &TreeViewWindowProc;
        if (c->name == WC_LINK) c->proc = &SysLinkWindowProc;
        if (c->name == TRACKBAR_CLASSW) c->proc = &TrackBarWindowProc;
        if (c->name == TOOLTIPS_CLASSW) c->proc = &ToolTipWindowProc;
        if (c->name == L"STATIC") c->proc = &StaticWindowProc;
        c->builtIn = true;
        if (c->name == L"#32770") c->windowExtra = 30;  // DLGWINDOWEXTRA
        if (c->name == L"BUTTON") c->windowExtra = 2 * sizeof(LONG_PTR);  // the check state and the icon
        classes[c->name] = c;
    }
    // The window manager starts here: from now on the core's user agent can act in dialogs.
    installDialogActions();
}

WindowTable& windowTable() {
    static WindowTable& table = core::process().table<WindowTable>();
    return table;
}

Lock lockPlatform() {
    // Both live as long as the process: found once, as every platform call comes through here.
    static core::Threads& threads = core::threads();
    static const core::Process& process = core::process();
    Lock lock(threads.mutex());
    process.throwIfTerminated();
    threads.parkIfSuspended(lock);
    return lock;
}

Window* findWindow(HWND hwnd) {
    auto& table = windowTable();
    auto it = table.byHandle.find(hwnd);
    return it == table.byHandle.end() ? nullptr : it->second;
}

void notePaintMayChange() { ++windowTable().paintChanges; }

void markInvalid(Window& w, bool invalid) {
    w.invalid = invalid;
    if (invalid) {
        notePaintMayChange();
        windowTable().invalidWindows.insert_or_assign(w.handle, &w);
    } else {
        windowTable().invalidWindows.erase(w.handle);
    }
}

std::shared_ptr<Window> findShared(HWND hwnd) {
    auto& table = windowTable();
    auto it = table.windows.find(hwnd);
    return it == table.windows.end() ? nullptr : it->second;
}

std::wstring describeWindow(const Window& w) {
    return core::handleText(w.handle) + L" " + core::quoted(w.windowClass->name) + L" " + core::quoted(w.text);
}

DWORD currentThread(Lock& lock) { return core::threads().current(lock).id; }

Window* findOwned(Lock& lock, HWND hwnd, const char* operation) {
    Window* w = findWindow(hwnd);
    if (!w) return failWith(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    const DWORD me = currentThread(lock);
    if (w->thread == me) return w;
    const std::wstring refusal = core::fromUtf8(operation) + L" on window " + describeWindow(*w) + L" of thread " +
                                 std::to_wstring(w->thread) + L" called from thread " + std::to_wstring(me) +
                                 L": refused, as Windows refuses it";
    lock.unlock();
    core::journal().add("warning", refusal);
    return failWith(ERROR_ACCESS_DENIED, nullptr);
}

bool isTopLevel(const Window& w) { return w.parent == nullptr; }

std::vector<HWND>* siblingsOf(const Window& w) {
    if (w.parent) {
        Window* parent = findWindow(w.parent);
        return parent ? &parent->children : nullptr;
    }
    return &windowTable().topLevel;
}

Window* rootOf(Window* w) {
    while (w && w->parent) w = findWindow(w->parent);
    return w;
}

bool isDescendant(HWND ancestor, HWND hwnd) {
    for (Window* w = findWindow(hwnd); w; w = w->parent ? findWindow(w->parent) : nullptr)
        if (w->handle == ancestor) return true;
    return false;
}

bool effectivelyVisible(const Window& w) {
    for (const Window* p = &w; p; p = p->parent ? findWindow(p->parent) : nullptr)
        if (!(p->style & WS_VISIBLE)) return false;
    return true;
}

POINT clientOriginOnScreen(const Window& w) {
    POINT origin{w.client.left, w.client.top};
    if (Window* parent = w.parent ? findWindow(w.parent) : nullptr) {
        const POINT base = clientOriginOnScreen(*parent);
        origin.x += base.x;
        origin.y += base.y;
    }
    return origin;
}

RECT windowRectOnScreen(const Window& w) {
    RECT r = w.rect;
    if (Window* parent = w.parent ? findWindow(w.parent) : nullptr) {
        const POINT base = clientOriginOnScreen(*parent);
        r.left += base.x;
        r.right += base.x;
        r.top += base.y;
        r.bottom += base.y;
    }
    return r;
}

int frameThickness(DWORD style) {
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME)) return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

RECT clientFromWindowRect(const RECT& windowRect, DWORD style, DWORD exStyle) {
    RECT r = windowRect;
    const int frame = frameThickness(style);
    r.left += frame;
    r.right -= frame;
    r.top += frame;
    r.bottom -= frame;
    if ((style & WS_CAPTION) == WS_CAPTION) r.top += GetSystemMetrics(SM_CYCAPTION);
    int edge = 0;
    if (exStyle & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
    r.left += edge;
    r.right -= edge;
    r.top += edge;
    r.bottom -= edge;
    if (style & WS_VSCROLL) r.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) r.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

LRESULT callWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = nullptr;
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return 0;
        proc = w->proc;
    }
    return proc ? proc(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

void processIncomingSent(Lock& lock, core::ThreadRecord& me) {
    auto& threads = core::threads();
    while (!me.queue.sent.empty()) {
        core::process().throwIfTerminated();
        auto sent = me.queue.sent.front();
        me.queue.sent.pop_front();
        lock.unlock();
        struct Complete {
            Lock& lock;
            std::shared_ptr<core::SentMessage>& sent;
            ~Complete() {
                if (!lock.owns_lock()) lock.lock();
                sent->done = true;
                core::threads().notifyAll();
            }
        } complete{lock, sent};
        sent->result =
            sent->call ? sent->call() : callWindowProcedure(sent->hwnd, sent->message, sent->wParam, sent->lParam);
    }
    threads.notifyAll();
}

std::wstring windowJournalText(const Window& w, const std::wstring& what) {
    if (!isTopLevel(w) || w.messageOnly) return {};
    return what + L" " + describeWindow(w);
}

void journalWindow(const std::wstring& text) {
    if (!text.empty()) core::journal().add("window", text);
}

}  // namespace platform::win32
