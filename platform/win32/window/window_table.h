// Private to the Windows stand-in: the process-wide window table and the helpers the window,
// queue and activation parts share. Everything here requires the scheduler lock
// (platform::core::threads().mutex()) unless it says otherwise.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "platform/core/text.h"
#include "platform/core/threads.h"
#include "platform/win32/last_error.h"
#include "platform/win32/window/window.h"

namespace platform::win32 {

using Lock = std::unique_lock<std::mutex>;

struct WindowClass {
    std::wstring name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::wstring menuName;
    int classExtra = 0;
    int windowExtra = 0;
    bool builtIn = false;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<const WindowClass> windowClass;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // children only
    HWND owner = nullptr;   // top-level windows only
    bool messageOnly = false;
    std::vector<HWND> children;  // z-order, top first
    RECT rect{};                 // screen (top-level) or parent-client coordinates (child)
    RECT client{};               // client area in the same coordinates as `rect`
    RECT normalRect{};           // restored position while minimised or maximised
    int id = 0;
    HMENU menu = nullptr;
    HINSTANCE instance = nullptr;
    WNDPROC proc = nullptr;
    LONG_PTR userData = 0;
    std::map<int, LONG_PTR> extraBytes;
    DWORD thread = 0;
    bool invalid = false;
    bool eraseBackground = false;
    bool destroying = false;  // WM_DESTROY sent
    HICON iconSmall = nullptr;
    HICON iconBig = nullptr;
    std::wstring theme;  // the visual theme's application name SetWindowTheme gave it
    // The window's own scroll bars (shown by the WS_HSCROLL and WS_VSCROLL styles).
    struct ScrollBar {
        int min = 0, max = 0, page = 0, pos = 0, trackPos = 0;
    } horizontalBar, verticalBar;
};

struct WindowTable {
    WindowTable();  // registers the built-in classes
    std::map<HWND, std::shared_ptr<Window>> windows;  // ordered by handle = creation order
    // The same windows by handle alone: every call on a window looks its handle up first.
    std::unordered_map<HWND, Window*> byHandle;
    // The windows whose `invalid` is set, so that a loop asking for paint work looks at those only;
    // by handle (the order WM_PAINT takes them in), with the window, since every empty loop asks.
    std::map<HWND, Window*> invalidWindows;
    // Hidden windows keep what was invalidated in them, so an empty loop would look at each of
    // them on every pass: it looks again only after something may have given a thread a window
    // to paint (counted in `paintChanges`: a window invalidated, shown, restyled or re-parented).
    std::uint64_t paintChanges = 0;
    std::vector<HWND> topLevel;                       // z-order, front first
    std::map<std::wstring, std::shared_ptr<WindowClass>, core::NoCaseLess> classes;
    std::uintptr_t nextHandle = 0x00010010;
    ATOM nextClassAtom = 0xC000;
    HWND foreground = nullptr;
    std::uintptr_t nextHook = 0x00070010;
    std::uint64_t nextTimerOrder = 1;
};

WindowTable& windowTable();
// A registered class by name (case-insensitive) or atom (lock held).
std::shared_ptr<WindowClass> findClass(LPCWSTR name);

// Locks the scheduler; throws ProcessTerminated after the process ended; parks a suspended thread.
Lock lockPlatform();

Window* findWindow(HWND hwnd);
// Sets or clears a window's `invalid`, keeping the table's set of invalid windows (lock held).
void markInvalid(Window& w, bool invalid);
// Something that may give a hidden invalid window its WM_PAINT: a window shown, restyled or
// given another parent (lock held).
void notePaintMayChange();
std::shared_ptr<Window> findShared(HWND hwnd);
std::wstring describeWindow(const Window& w);  // 0x00010010 "class" "text"

// The calling thread's id (lock held).
DWORD currentThread(Lock& lock);
// The window when the calling thread owns it. Null when there is no such window, and when it
// belongs to another thread (for the calls Windows refuses across threads: destroying, focus,
// activation, capture, timers): last error ERROR_ACCESS_DENIED and a journal warning naming the
// window, the operation and both threads (the lock is released to write it).
Window* findOwned(Lock& lock, HWND hwnd, const char* operation);

bool isTopLevel(const Window& w);
// Siblings in z-order: the parent's children, or the top-level list (null for an orphan).
std::vector<HWND>* siblingsOf(const Window& w);
Window* rootOf(Window* w);
bool isDescendant(HWND ancestor, HWND hwnd);  // hwnd == ancestor counts
bool effectivelyVisible(const Window& w);
// Screen position of the client area's origin / of the window's top-left corner.
POINT clientOriginOnScreen(const Window& w);
RECT windowRectOnScreen(const Window& w);

// Non-client thickness by style: the client area of `windowRect`.
RECT clientFromWindowRect(const RECT& windowRect, DWORD style, DWORD exStyle);
// WM_GETTITLEBARINFOEX of the default window procedure: the caption and its buttons.
LRESULT titleBarInfo(HWND hwnd, TITLEBARINFOEX* info);
int frameThickness(DWORD style);

// Calls a window's current procedure on the calling thread (no lock held). 0 for gone windows.
LRESULT callWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the cross-thread sent messages waiting for the calling thread (lock held; released while
// each one runs).
void processIncomingSent(Lock& lock, core::ThreadRecord& me);
// Queues `sent` for thread `targetThread` and waits for its answer, running what is sent to the
// calling thread meanwhile (lock held; released while waiting). 0 when the thread has ended.
LRESULT sendToThread(Lock& lock, DWORD targetThread, const std::shared_ptr<core::SentMessage>& sent);
// A call on another thread's window whose messages Windows sends to that thread: runs `call` on
// the owning thread and answers what it answered, the caller waiting as SendMessage waits.
// Nothing when the calling thread owns the window or there is no such window: the caller goes
// on itself. No lock held.
std::optional<LRESULT> callOnOwnerThread(HWND hwnd, std::function<LRESULT()> call);
// The same for a call answering R (a number or a handle).
template <class R, class Call>
std::optional<R> onOwnerThread(HWND hwnd, Call call) {
    const auto answer = callOnOwnerThread(hwnd, [&call] {
        if constexpr (std::is_pointer_v<R>) return reinterpret_cast<LRESULT>(call());
        else return static_cast<LRESULT>(call());
    });
    if (!answer) return std::nullopt;
    if constexpr (std::is_pointer_v<R>) return reinterpret_cast<R>(*answer);
    else return static_cast<R>(*answer);
}

// Text of a journal entry of kind "window" ("<what> 0x00010010 \"class\" \"text\""), empty for
// windows that are not journalled (children, message-only windows). Add it after unlocking.
std::wstring windowJournalText(const Window& w, const std::wstring& what);
void journalWindow(const std::wstring& text);

// Activation and focus helpers (no lock held).
void activateAfterLeaving(HWND leaving);
void dropFocusInside(HWND hwnd);
void runCbtHooks(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Brings the calling thread's activation in line with the foreground window after another
// thread moved it (lock held; released while the messages run).
void followForeground(Lock& lock, core::ThreadRecord& me);

// The calling thread ends: its windows go with it, as Windows destroys a thread's windows when
// the thread exits (no lock held).
void destroyThreadWindows();

// Removes the window's timers and posted messages from its thread's queue (lock held).
void dropQueuedFor(HWND hwnd);

// Sets position/size with the WM_WINDOWPOSCHANGING / WM_NCCALCSIZE / WM_WINDOWPOSCHANGED protocol.
BOOL setWindowPosition(HWND hwnd, HWND insertAfter, RECT newRect, UINT flags);

}  // namespace platform::win32
