#include "platform/mfc/wnd.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <unordered_map>

#include "platform/core/hex_digits.h"
#include "platform/core/journal.h"
#include "platform/mfc/app/app.h"
#include "platform/win32/process/system.h"
#include "platform/mfc/frame.h"
#include "platform/mfc/framework_state.h"
#include "platform/mfc/ole.h"
#include "platform/mfc/thread.h"
#include "platform/win32/controls/listbox.h"
#include "platform/win32/process/module.h"
#include "platform/win32/window/descendants_walk.h"

using platform::mfc::detail::extent;
using platform::mfc::detail::threadState;

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

// Handles and their permanent CWnd objects, for the whole process (windows of every thread).
struct PermanentMap {
    std::mutex mutex;
    std::unordered_map<HWND, CWnd*> windows;
    std::atomic<std::uint64_t> removals{0};  // objects that left the map so far
};

PermanentMap& permanentMap() {
    static auto* map = new PermanentMap;  // outlives every static CWnd
    return *map;
}

// Makes the framework's procedure the window's, keeping the one it had for Default().
void subclassAttached(CWnd& wnd, HWND hWnd) {
    wnd.PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc) *wnd.GetSuperWndProcAddr() = old;
}

LRESULT cbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    auto& state = threadState();
    if (code == HCBT_CREATEWND && state.wndInit != nullptr) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        CWnd* wnd = state.wndInit;
        state.wndInit = nullptr;
        if (state.attachedSlot != nullptr) *state.attachedSlot = hWnd;
        state.attachedSlot = nullptr;
        wnd->Attach(hWnd);
        subclassAttached(*wnd, hWnd);
    }
    return ::CallNextHookEx(state.cbtHook, code, wParam, lParam);
}

void hookWindowCreate(CWnd* wnd, HWND* attachedSlot) {
    auto& state = threadState();
    if (state.hookDepth++ == 0) {
        state.cbtHook = ::SetWindowsHookExW(WH_CBT, &cbtFilterHook, nullptr, ::GetCurrentThreadId());
    }
    state.wndInit = wnd;
    state.attachedSlot = attachedSlot;
}

// TRUE when the hook attached the window (the creation got as far as HCBT_CREATEWND).
BOOL unhookWindowCreate() {
    auto& state = threadState();
    if (--state.hookDepth == 0 && state.cbtHook != nullptr) {
        ::UnhookWindowsHookEx(state.cbtHook);
        state.cbtHook = nullptr;
    }
    if (state.wndInit != nullptr) {
        state.wndInit = nullptr;
        state.attachedSlot = nullptr;
        return FALSE;
    }
    return TRUE;
}

// From `first`, the top child of a window, on through its siblings. What a window's handler did
// counts: a window it destroyed has no children and no next sibling either, so the walk below
// it ends there; one call asks for its children or, without any, for the next sibling.
void sendToChildrenFrom(HWND first, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
    for (HWND child = first; child != nullptr;) {
        if (bOnlyPerm) {
            if (CWnd* wnd = CWnd::FromHandlePermanent(child)) AfxCallWndProc(wnd, child, message, wParam, lParam);
        } else {
            ::SendMessageW(child, message, wParam, lParam);
        }
        if (!bDeep) {
            child = ::GetWindow(child, GW_HWNDNEXT);
            continue;
        }
        bool isChild = false;
        HWND next = platform::win32::firstChildElseNext(child, isChild);
        if (!isChild) {
            child = next;
            continue;
        }
        sendToChildrenFrom(next, message, wParam, lParam, bDeep, bOnlyPerm);
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
}

void sendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
    if (HWND first = ::GetTopWindow(hWnd)) sendToChildrenFrom(first, message, wParam, lParam, bDeep, bOnlyPerm);
}

struct CurrentMessageScope {
    explicit CurrentMessageScope(const MSG& msg) : saved(threadState().lastSentMsg) { threadState().lastSentMsg = msg; }
    ~CurrentMessageScope() { threadState().lastSentMsg = saved; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;
    MSG saved;
};

LPCWSTR registerClassOnce(const std::wstring& name, UINT style) {
    static std::mutex mutex;
    static auto* names = new std::set<std::wstring>;  // names handed out stay valid for the process
    std::lock_guard lock(mutex);
    auto [it, inserted] = names->insert(name);
    if (inserted) {
        WNDCLASSEXW wc;
        wc.style = style;
        wc.lpfnWndProc = &AfxWndProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = it->c_str();
        if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            platform::core::journal().add("warning", L"framework window class not registered: " + name);
        }
    }
    return it->c_str();
}

}  // namespace

namespace platform::mfc::detail {

void hookWindowCreation(CWnd* wnd, HWND* attachedSlot) { hookWindowCreate(wnd, attachedSlot); }
LPCWSTR registerWindowClass(const std::wstring& name, UINT style) { return registerClassOnce(name, style); }
BOOL unhookWindowCreation() { return unhookWindowCreate(); }

void TempWndDeleter::operator()(CWnd* wnd) const {
    wnd->m_hWnd = nullptr;  // a wrapper never owns its window
    delete wnd;
}

ThreadState& threadState() {
    thread_local ThreadState state;
    return state;
}

LPCWSTR childWindowClass() { return registerClassOnce(L"AfxWnd", CS_DBLCLKS); }
LPCWSTR frameOrViewWindowClass() { return registerClassOnce(L"AfxFrameOrView", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW); }
LPCWSTR mdiFrameWindowClass() { return registerClassOnce(L"AfxMDIFrame", CS_DBLCLKS); }

}  // namespace platform::mfc::detail

namespace {

// As "%p" writes a handle: sixteen upper-case hex digits.
void appendHandle(std::wstring& out, const void* handle) {
    wchar_t digits[16];
    platform::core::putUpperHex(digits, static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle)), 16);
    out.append(digits, 16);
}

// As "%x" writes a number: lower-case hex digits without leading zeros.
void appendLowerHex(std::wstring& out, std::uint32_t value) {
    wchar_t digits[8];
    int first = 8;
    do {
        digits[--first] = L"0123456789abcdef"[value & 15];
        value >>= 4;
    } while (value != 0);
    out.append(digits + first, static_cast<std::size_t>(8 - first));
}

}  // namespace

// Every window a frame, bar or pane makes asks for its class name: it is put together directly.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    std::wstring name = L"Afx:";
    name.reserve(4 + 4 * 17 + 9);
    appendHandle(name, AfxGetInstanceHandle());
    name += L':';
    appendLowerHex(name, nClassStyle);
    for (const void* handle : {static_cast<const void*>(hCursor), static_cast<const void*>(hbrBackground),
                               static_cast<const void*>(hIcon)}) {
        name += L':';
        appendHandle(name, handle);
    }
    return registerClassOnce(name, nClassStyle);
}

const MSG* AfxGetCurrentMessage() { return &threadState().lastSentMsg; }

LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (wnd == nullptr || wnd->m_hWnd != hWnd) return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(wnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = nMsg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    CurrentMessageScope scope(msg);
    try {
        return pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        LRESULT result = 0;
        if (CWinThread* thread = AfxGetThread()) result = thread->ProcessWndProcException(e, &msg);
        e->Delete();
        return result;
    }
}

// ---- CWnd: handle map ------------------------------------------------------------------------

CWnd::~CWnd() {
    if (m_hWnd != nullptr) {
        // The derived parts are gone already: the window's last messages reach a plain CWnd.
        DestroyWindow();
        if (m_hWnd != nullptr) Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    auto& map = permanentMap();
    std::lock_guard lock(map.mutex);
    auto it = map.windows.find(hWnd);
    return it == map.windows.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd)) return wnd;
    auto& temp = threadState().tempWnds;
    if (auto it = temp.find(hWnd); it != temp.end()) return it->second.get();
    auto wrapper = std::unique_ptr<CWnd, platform::mfc::detail::TempWndDeleter>(new CWnd);
    wrapper->m_hWnd = hWnd;
    CWnd* result = wrapper.get();
    temp.emplace(hWnd, std::move(wrapper));
    return result;
}

void CWnd::DeleteTempMap() { threadState().tempWnds.clear(); }

std::uint64_t platform::mfc::detail::permanentWindowRemovals() { return permanentMap().removals.load(); }

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr) return FALSE;
    auto& map = permanentMap();
    {
        std::lock_guard lock(map.mutex);
        if (!map.windows.emplace(hWndNew, this).second) return FALSE;
    }
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        auto& map = permanentMap();
        std::lock_guard lock(map.mutex);
        auto it = map.windows.find(hWnd);
        if (it != map.windows.end() && it->second == this) {
            map.windows.erase(it);
            ++map.removals;
        }
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) return FALSE;
    subclassAttached(*this, hWnd);
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    WNDPROC* super = GetSuperWndProcAddr();
    if (m_hWnd != nullptr && *super != nullptr) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
    }
    *super = nullptr;
    return Detach();
}

// ---- CWnd: creation and destruction ----------------------------------------------------------

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    // CWnd::Create makes child windows only.
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    extent(rect.left, rect.right), extent(rect.top, rect.bottom), SafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    extent(rect.left, rect.right), extent(rect.top, rect.bottom), SafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HWND attached = nullptr;
    hookWindowCreate(this, &attached);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!unhookWindowCreate()) {
        // Creation failed before the hook saw the window: nothing else will clean up.
        PostNcDestroy();
        return FALSE;
    }
    if (hWnd != nullptr) return TRUE;
    // A failed creation normally detached (and perhaps deleted) the object at WM_NCDESTROY, so
    // it is not touched unless the map still ties it to the dead window (a hook refused the
    // window, and no WM_NCDESTROY came).
    if (attached != nullptr && FromHandlePermanent(attached) == this && !::IsWindow(attached)) {
        Detach();
        PostNcDestroy();
    }
    return FALSE;
}

BOOL CWnd::DestroyWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr) return FALSE;
    const bool permanent = FromHandlePermanent(hWnd) == this;
    const BOOL result = ::DestroyWindow(hWnd);
    // A permanent object was detached (and perhaps deleted) at WM_NCDESTROY; a wrapper is not in
    // the map and lets go of the handle here.
    if (!permanent) m_hWnd = nullptr;
    return result;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = platform::mfc::detail::childWindowClass();
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

// ---- CWnd: dispatch --------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        result = 1;
    } else if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header == nullptr || header->hwndFrom == nullptr) return FALSE;
        if (!OnNotify(wParam, lParam, &result)) return FALSE;
    } else {
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message);
        if (entry == nullptr) return reflectToControl(message, wParam, lParam, pResult);
        AFX_MSGCALL call;
        call.message = message;
        call.wParam = wParam;
        call.lParam = lParam;
        // The handler may delete this object (WM_NCDESTROY): nothing below touches it.
        if (!entry->pfn(this, call)) return FALSE;
        result = call.result;
    }
    if (pResult != nullptr) *pResult = result;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::reflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    HWND control = nullptr;
    if (message == WM_DRAWITEM && lParam) control = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    if (message == WM_DELETEITEM && lParam) control = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    CWnd* owner = control && control != m_hWnd ? FromHandlePermanent(control) : nullptr;
    LRESULT result = 0;
    if (!owner || !owner->OnChildNotify(message, wParam, lParam, &result)) return FALSE;
    if (pResult != nullptr) *pResult = result;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = threadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        // A menu item or accelerator: refused while its update handler disables it.
        if (nID == 0) return FALSE;
        CCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_stateEnabled) {
            platform::core::journal().add("warning", platform::format(L"disabled command %u not executed", nID));
            return TRUE;
        }
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    const UINT nID = static_cast<UINT>(::GetDlgCtrlID(header->hwndFrom));
    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = header;
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(static_cast<WORD>(header->code), static_cast<WORD>(WM_NOTIFY))),
                    &notify, nullptr);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
    FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::EnableToolTips(BOOL bEnable) {
    const BOOL before = m_bToolTips;
    m_bToolTips = bEnable;
    if (!bEnable && m_hToolTip) ::SendMessageW(m_hToolTip, TTM_ACTIVATE, FALSE, 0);
    return before;
}

INT_PTR CWnd::OnToolHitTest(POINT point, TOOLINFOW* pTI) const {
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        const int id = ::GetDlgCtrlID(child);
        if (!::IsWindowVisible(child) || id == 0 || id == 0xFFFF || screen.x < rect.left || screen.x >= rect.right ||
            screen.y < rect.top || screen.y >= rect.bottom)
            continue;
        if (pTI) {
            pTI->hwnd = m_hWnd;
            pTI->uId = reinterpret_cast<UINT_PTR>(child);
            pTI->uFlags = TTF_IDISHWND | TTF_NOTBUTTON | TTF_CENTERTIP;
            pTI->lpszText = LPSTR_TEXTCALLBACKW;
        }
        return id;
    }
    return -1;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
    const UINT message = pMsg->message;
    if (!m_bToolTips || !m_hWnd ||
        (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN))
        return;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return;
    if (!m_hToolTip) {
        m_hToolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP, 0, 0, 0, 0, m_hWnd, nullptr, nullptr, nullptr);
        if (!m_hToolTip) return;
    }
    // The point in this window's client area.
    POINT point{static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))};
    ::ClientToScreen(pMsg->hwnd, &point);
    ::ScreenToClient(m_hWnd, &point);
    TOOLINFOW tool;
    const bool hit = OnToolHitTest(point, &tool) != -1;
    if (hit && tool.uId != m_nToolTipTool) {
        TOOLINFOW previous;
        previous.hwnd = m_hWnd;
        previous.uId = m_nToolTipTool;
        if (m_nToolTipTool) ::SendMessageW(m_hToolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&previous));
        m_nToolTipTool = ::SendMessageW(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) ? tool.uId : 0;
        // A tip cancelled before (CancelToolTips) does not keep the next tool from showing.
        ::SendMessageW(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
    }
    // The control finds the tool by the message's window: a tool that is no window of its own
    // hears the message as this window's.
    MSG relayed = *pMsg;
    if (hit && !(tool.uFlags & TTF_IDISHWND)) {
        relayed.hwnd = m_hWnd;
        relayed.lParam = MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
    } else if (hit) {
        relayed.hwnd = reinterpret_cast<HWND>(tool.uId);
    } else {
        relayed.hwnd = m_hWnd;
    }
    ::SendMessageW(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    if (::IsWindowVisible(m_hToolTip)) platform::mfc::setThreadToolTip(m_hToolTip);
    else if (platform::mfc::threadToolTip() == m_hToolTip) platform::mfc::setThreadToolTip(nullptr);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = FromHandlePermanent(hWnd)) {
            if (wnd->PreTranslateMessage(pMsg)) return TRUE;
        }
        if (hWnd == hWndStop) break;
    }
    return FALSE;
}

void CWnd::CancelToolTips(BOOL) {
    const HWND tip = threadState().toolTip;
    if (tip != nullptr && ::IsWindow(tip)) ::SendMessageW(tip, TTM_ACTIVATE, FALSE, 0);
}

void platform::mfc::setThreadToolTip(HWND tip) { threadState().toolTip = tip; }
HWND platform::mfc::threadToolTip() { return threadState().toolTip; }

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
    if (m_hWnd == nullptr) return;
    sendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

// ---- CWnd: default handlers ------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }

void CWnd::OnNcDestroy() {
    // The main window's end is the end of its thread's loop.
    if (CWinThread* thread = AfxGetThread()) {
        if (thread->m_pMainWnd == this) {
            if (thread != AfxGetApp() || AfxOleCanExitApp()) AfxPostQuitMessage(0);
            thread->m_pMainWnd = nullptr;
        }
        if (thread->m_pActiveWnd == this) thread->m_pActiveWnd = nullptr;
    }
    if (m_hToolTip) {
        if (platform::mfc::threadToolTip() == m_hToolTip) platform::mfc::setThreadToolTip(nullptr);
        ::DestroyWindow(m_hToolTip);
        m_hToolTip = nullptr;
        m_nToolTipTool = 0;
    }
    HWND hWnd = m_hWnd;
    const LONG_PTR procBefore = ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    Default();
    if (m_pfnSuper != nullptr && ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == procBefore) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    Detach();
    PostNcDestroy();
}

// ---- CWnd: thin wrappers ---------------------------------------------------------------------

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
void CWnd::SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString ? lpszString : L""); }

void CWnd::GetWindowText(CString& rString) const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    rString = buffer;
}

int CWnd::GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, SafeHwnd(pWndNewParent))); }
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, SafeHwnd(pWnd)); }

CWnd* CWnd::GetTopLevelParent() const {
    if (m_hWnd == nullptr) return nullptr;
    HWND top = m_hWnd;
    for (HWND next = ::GetParent(top); next != nullptr; next = ::GetParent(top)) top = next;
    return FromHandle(top);
}

CFrameWnd* CWnd::GetParentFrame() const {
    if (m_hWnd == nullptr) return nullptr;
    // Only a permanent object can be a frame: no temporary object is made for the windows passed.
    for (HWND parent = ::GetParent(m_hWnd); parent != nullptr; parent = ::GetParent(parent)) {
        if (CWnd* wnd = FromHandlePermanent(parent); wnd != nullptr && wnd->IsFrameWnd()) return static_cast<CFrameWnd*>(wnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    if (m_hWnd == nullptr) return nullptr;
    CFrameWnd* frame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (frame != nullptr) {
        CFrameWnd* parent = frame->GetParentFrame();
        if (parent == nullptr) break;
        frame = parent;
    }
    return frame;
}

BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::PostMessageW(m_hWnd, message, wParam, lParam); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID)); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL modifyStyle(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, index));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongPtrW(hWnd, index, static_cast<LONG_PTR>(static_cast<LONG>(newStyle)));
    if (nFlags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return modifyStyle(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return modifyStyle(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, void* prgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate, flags);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    if (!lpScrollInfo) return FALSE;
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
    if (!lpScrollInfo) return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable) { ::ShowScrollBar(m_hWnd, nBar, bEnable); }

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, extent(lpRect->left, lpRect->right), extent(lpRect->top, lpRect->bottom),
               bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, SafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
}

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    if (!m_hWnd) return;
    const bool child = (GetStyle() & WS_CHILD) != 0;
    HWND around = pAlternateOwner ? pAlternateOwner->GetSafeHwnd() : child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT area = monitor.rcWork;
    if (around && !::IsIconic(around)) ::GetWindowRect(around, &area);
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    POINT topLeft{(area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2};
    if (!child) {
        topLeft.x = std::max<LONG>(monitor.rcWork.left, std::min<LONG>(topLeft.x, monitor.rcWork.right - width));
        topLeft.y = std::max<LONG>(monitor.rcWork.top, std::min<LONG>(topLeft.y, monitor.rcWork.bottom - height));
    } else {
        ::ScreenToClient(::GetParent(m_hWnd), &topLeft);
    }
    ::SetWindowPos(m_hWnd, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
