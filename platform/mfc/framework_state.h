// Private state of the framework stand-in shared by its source files (not part of the public
// framework header).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/mfc/object.h"
#include "platform/win32/files/registry.h"
#include "platform/win32/types.h"
#include "platform/win32/window/window.h"

class CCommandLineInfo;
class CFrameWnd;
class CWinThread;
class CWnd;

namespace platform::mfc {

// The framework's loop over a thread object, shared by CWinThread::Run and the harness's driver.
struct LoopAccess {
    // Runs until WM_QUIT (then returns ExitInstance's result) or, with returnWhenIdle, until the
    // point where Run would block in GetMessage (then returns nothing).
    static std::optional<int> run(CWinThread& thread, bool returnWhenIdle);
    static void reset(CWinThread& thread);
};

}  // namespace platform::mfc

namespace platform::mfc::detail {

struct TempWndDeleter {
    void operator()(CWnd* wnd) const;
};

// Per-thread framework state (the framework keeps the same per thread).
struct ThreadState {
    MSG lastSentMsg{};                 // the message AfxCallWndProc is handling (for Default)
    CWnd* wndInit = nullptr;           // the CWnd being created, attached by the CBT hook
    HWND* attachedSlot = nullptr;      // where the hook reports the handle it attached wndInit to
    HHOOK cbtHook = nullptr;
    int hookDepth = 0;
    CWinThread* currentThread = nullptr;
    std::vector<CFrameWnd*> frames;    // frames constructed on this thread, in creation order
    HWND toolTip = nullptr;            // the tooltip window showing a tip (CWnd::CancelToolTips)
    std::unordered_map<HWND, std::unique_ptr<CWnd, TempWndDeleter>> tempWnds;
};

ThreadState& threadState();

// How many window objects have left the handle map so far: an object found there before stays
// valid while this does not change.
std::uint64_t permanentWindowRemovals();

// A rectangle's extent; CW_USEDEFAULT corners keep their meaning (no signed overflow).
inline int extent(LONG from, LONG to) { return static_cast<int>(static_cast<UINT>(to) - static_cast<UINT>(from)); }

// A new object of a dynamically creatable class when it is a T; otherwise null, and whatever
// the class created is deleted again.
template <class T>
T* createObjectAs(const CRuntimeClass& runtimeClass) {
    CObject* object = runtimeClass.CreateObject();
    T* typed = DYNAMIC_DOWNCAST(T, object);
    if (typed == nullptr) delete object;
    return typed;
}

// The framework's default window classes, registered on first use with AfxWndProc.
// Attaches `wnd` to the next window the calling thread creates (for creations that go through
// another window, as MDI children do); the unhook answers whether the window was attached.
void hookWindowCreation(CWnd* wnd, HWND* attachedSlot);
BOOL unhookWindowCreation();
// Registers (once) a window class with the framework's window procedure; the name stays valid for
// the life of the process.
LPCWSTR registerWindowClass(const std::wstring& name, UINT style);
LPCWSTR childWindowClass();
LPCWSTR frameOrViewWindowClass();
LPCWSTR mdiFrameWindowClass();

// Registry helpers: a key's default value, and the removal of a key with all its sub-keys.
bool setRegistryDefault(HKEY root, const std::wstring& path, const std::wstring& value);
LONG deleteRegistryTree(HKEY root, const std::wstring& path);

// Hands every argument after the program name to info.ParseParam, as ParseCommandLine does.
void parseCommandLine(const std::wstring& commandLine, CCommandLineInfo& info);
// The part of the command line after the program name (what WinMain receives).
LPWSTR commandLineAfterProgram();
// AfxWinInit with the configured process values.
BOOL winInitFromConfig();

// Application-wide flags of the stand-in.
struct Flags {
    bool controlContainer = false;
    bool oleInitialized = false;
};
Flags& flags();

}  // namespace platform::mfc::detail
