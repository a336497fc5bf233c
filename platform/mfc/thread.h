// User-interface threads: the framework's message loop with its idle protocol, and threads
// started by AfxBeginThread.
//
// Run() is the framework's loop, exactly:
//   idle = TRUE; count = 0
//   for (;;) {
//       while (idle && !PeekMessage(PM_NOREMOVE))
//           if (!OnIdle(count++)) idle = FALSE;
//       do {
//           if (!PumpMessage()) return ExitInstance();
//           if (IsIdleMessage(&m_msgCur)) { idle = TRUE; count = 0; }
//       } while (PeekMessage(PM_NOREMOVE));
//   }
// PumpMessage gets one message, offers it to PreTranslateMessage (the thread's, which walks from
// the target window up to the main window), then translates and dispatches it.
#pragma once

#include "platform/mfc/cmdtarget.h"
#include "platform/win32/process/thread.h"
#include "platform/win32/types.h"
#include "platform/win32/window/window.h"

class CException;
class CWnd;

inline constexpr int THREAD_PRIORITY_LOWEST = -2;
inline constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
inline constexpr int THREAD_PRIORITY_HIGHEST = 2;

using AFX_THREADPROC = UINT (*)(LPVOID pParam);

namespace platform::mfc {
struct LoopAccess;
struct LoopState {
    BOOL idle = TRUE;
    LONG count = 0;
};
}  // namespace platform::mfc

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    // A worker thread running pfnThreadProc(pParam).
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the platform thread (suspended with CREATE_SUSPENDED).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread();
    DWORD SuspendThread();
    BOOL SetThreadPriority(int nPriority);
    int GetThreadPriority() const { return m_nPriority; }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual CWnd* GetMainWnd();
    // The base enters no loop (FALSE).
    virtual BOOL InitInstance();
    virtual int Run();
    // A thread message (no window) is first offered to DispatchThreadMessageEx.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Runs the ON_THREAD_MESSAGE handler of the thread object's map for a message without a
    // window; FALSE when the message has a window or the map has no handler for it.
    BOOL DispatchThreadMessageEx(MSG* pMsg);
    virtual BOOL PumpMessage();
    // Count 0: WM_IDLEUPDATECMDUI to the main window and every frame of the thread, with their
    // descendants. Count 1: frees temporary window wrappers. TRUE for count 0 (more to do), FALSE
    // from count 1 on.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that must not restart the idle passes: a mouse move without movement,
    // WM_PAINT and the system timer (0x0118).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // The exit code: the wParam of the WM_QUIT that ended the loop.
    virtual int ExitInstance();
    // A framework exception escaped a window procedure: WM_CREATE fails (-1), WM_PAINT validates,
    // anything else reports the exception in a message box.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    // Deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    MSG m_msgCur{};
    LPVOID m_pThreadParams = nullptr;
    AFX_THREADPROC m_pfnThreadProc = nullptr;

protected:
    // The loop state Run starts from; the harness's driver continues it between its steps.
    platform::mfc::LoopState m_loop;
    POINT m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;
    int m_nPriority = THREAD_PRIORITY_NORMAL;
    bool m_ownsThreadHandle = false;

    friend struct platform::mfc::LoopAccess;
};

// A UI thread object of run-time class pThreadClass (dynamically creatable, derived from
// CWinThread) running InitInstance then Run on a new platform thread; ExitInstance ends it when
// InitInstance fails. The object deletes itself when the thread ends (m_bAutoDelete).
CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// A worker thread running pfnThreadProc(pParam).
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// The CWinThread of the calling thread (the application object on the UI thread), or null.
CWinThread* AfxGetThread();
// Ends the calling thread's loop: WM_QUIT with nExitCode.
void AfxPostQuitMessage(int nExitCode);
