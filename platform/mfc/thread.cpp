#include "platform/mfc/thread.h"

#include <algorithm>
#include <optional>

#include "platform/core/journal.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/frame.h"
#include "platform/mfc/framework_state.h"
#include "platform/mfc/wnd.h"

using platform::mfc::detail::threadState;

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace platform::mfc {

std::optional<int> LoopAccess::run(CWinThread& thread, bool returnWhenIdle) {
    LoopState& state = thread.m_loop;
    MSG* current = &thread.m_msgCur;
    for (;;) {
        while (state.idle && !::PeekMessageW(current, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!thread.OnIdle(state.count++)) state.idle = FALSE;
        }
        if (returnWhenIdle && !::PeekMessageW(current, nullptr, 0, 0, PM_NOREMOVE)) return std::nullopt;
        do {
            if (!thread.PumpMessage()) {
                state = LoopState{};
                return thread.ExitInstance();
            }
            if (thread.IsIdleMessage(current)) {
                state.idle = TRUE;
                state.count = 0;
            }
        } while (::PeekMessageW(current, nullptr, 0, 0, PM_NOREMOVE));
    }
}

void LoopAccess::reset(CWinThread& thread) { thread.m_loop = LoopState{}; }

}  // namespace platform::mfc

namespace {

// Entry of every platform thread started for a CWinThread.
DWORD threadEntry(LPVOID parameter) {
    auto* thread = static_cast<CWinThread*>(parameter);
    threadState().currentThread = thread;
    DWORD result = 0;
    if (thread->m_pfnThreadProc != nullptr) {
        result = thread->m_pfnThreadProc(thread->m_pThreadParams);
    } else if (!thread->InitInstance()) {
        result = static_cast<DWORD>(thread->ExitInstance());
    } else {
        result = static_cast<DWORD>(thread->Run());
    }
    threadState().currentThread = nullptr;
    CWnd::DeleteTempMap();
    thread->Delete();
    return result;
}

}  // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pThreadParams(pParam), m_pfnThreadProc(pfnThreadProc) {}

CWinThread::~CWinThread() {
    if (m_ownsThreadHandle && m_hThread != nullptr) ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    // Started suspended so the object knows its handle and id before the thread runs.
    DWORD id = 0;
    HANDLE handle = ::CreateThread(lpSecurityAttrs, nStackSize, &threadEntry, this, dwCreateFlags | CREATE_SUSPENDED, &id);
    if (handle == nullptr) return FALSE;
    m_hThread = handle;
    m_nThreadID = id;
    m_ownsThreadHandle = true;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0) ::ResumeThread(handle);
    return TRUE;
}

DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }
DWORD CWinThread::SuspendThread() { return ::SuspendThread(m_hThread); }

BOOL CWinThread::SetThreadPriority(int nPriority) {
    m_nPriority = nPriority;
    return TRUE;
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
}

CWnd* CWinThread::GetMainWnd() {
    if (m_pActiveWnd != nullptr) return m_pActiveWnd;
    if (m_pMainWnd != nullptr) return m_pMainWnd;
    return CWnd::FromHandle(::GetActiveWindow());
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::Run() {
    platform::mfc::LoopAccess::reset(*this);
    return *platform::mfc::LoopAccess::run(*this, false);
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessageW(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg) {
    if (pMsg->hwnd != nullptr) return FALSE;
    const AFX_MSGMAP_ENTRY* entry = FindThreadMessageEntry(pMsg->message);
    if (entry == nullptr) return FALSE;
    AFX_MSGCALL call;
    call.message = pMsg->message;
    call.wParam = pMsg->wParam;
    call.lParam = pMsg->lParam;
    return entry->pfn(this, call);
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == nullptr) return DispatchThreadMessageEx(pMsg);
    CWnd* mainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(CWnd::SafeHwnd(mainWnd), pMsg)) return TRUE;
    // Windows outside the main window's tree (modeless dialogs) get the main window's translation last.
    if (mainWnd != nullptr && mainWnd->m_hWnd != nullptr) {
        CWnd* target = CWnd::FromHandle(pMsg->hwnd);
        if (target != nullptr && target->GetTopLevelParent() != mainWnd) return mainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWnd* mainWnd = m_pMainWnd;
        if (mainWnd != nullptr && mainWnd->m_hWnd != nullptr && mainWnd->IsWindowVisible()) {
            const CFrameWnd::IdlePass pass(mainWnd);
            AfxCallWndProc(mainWnd, mainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            mainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        // The other frames of the thread; handlers may create or destroy frames meanwhile.
        const std::vector<CFrameWnd*> frames = CFrameWnd::ThreadFrames();
        for (CFrameWnd* frame : frames) {
            const auto& alive = CFrameWnd::ThreadFrames();
            if (std::find(alive.begin(), alive.end(), frame) == alive.end()) continue;
            if (frame->m_hWnd == nullptr || frame == mainWnd) continue;
            if (frame->m_nShowDelay == SW_HIDE) frame->ShowWindow(SW_HIDE);
            if (frame->IsWindowVisible() || frame->m_nShowDelay >= 0) {
                const CFrameWnd::IdlePass pass(frame);
                AfxCallWndProc(frame, frame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
                frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
            }
            if (frame->m_nShowDelay > SW_HIDE) frame->ShowWindow(frame->m_nShowDelay);
            frame->m_nShowDelay = -1;
        }
    } else {
        CWnd::DeleteTempMap();
    }
    return lCount < 1 ? TRUE : FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == 0x00A0 /* WM_NCMOUSEMOVE */) {
        if (m_ptCursorLast == pMsg->pt && pMsg->message == m_nMsgLast) return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    // WM_PAINT and the caret-blink system timer.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
    if (pMsg->message == WM_CREATE) return -1;
    if (pMsg->message == WM_PAINT) {
        ::ValidateRect(pMsg->hwnd, nullptr);
        return 0;
    }
    if (e != nullptr && !e->IsKindOf(RUNTIME_CLASS(CUserException))) {
        CString text = e->GetErrorText();
        if (text.IsEmpty()) text = L"Internal application error.";
        AfxMessageBox(text, MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    }
    return 0;
}

void CWinThread::Delete() {
    if (m_bAutoDelete) delete this;
}

namespace {

// Starts a new thread object's thread: suspended until its priority is set, then running unless
// the caller asked for it suspended. A thread that cannot start is deleted (when auto-deleting).
CWinThread* startThread(CWinThread* thread, int priority, UINT stackSize, DWORD createFlags,
                        LPSECURITY_ATTRIBUTES security) {
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, security)) {
        thread->Delete();
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if ((createFlags & CREATE_SUSPENDED) == 0) thread->ResumeThread();
    return thread;
}

}  // namespace

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (pThreadClass == nullptr) return nullptr;
    auto* thread = platform::mfc::detail::createObjectAs<CWinThread>(*pThreadClass);
    if (thread == nullptr) {
        platform::core::journal().add(
            "warning", L"AfxBeginThread: class is not a creatable thread class: " + CString(pThreadClass->m_lpszClassName).str());
        return nullptr;
    }
    thread->m_pThreadParams = nullptr;
    return startThread(thread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (pfnThreadProc == nullptr) return nullptr;
    return startThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AfxGetThread() { return threadState().currentThread; }

void AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }
