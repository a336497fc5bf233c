// Command targets and their message maps, the command-UI update object and the wait cursor.
//
// A message map is a static table of entries {message, notification code, first id, last id,
// thunk} with a link to the base class's map. Every ON_... macro expands to an entry whose thunk
// is a captureless lambda: it casts the target to the class of the map and calls the handler with
// the framework's parameter cracking. The handler is assigned to a member pointer of the exact
// signature first, so a handler with a wrong signature does not compile. Handlers are named in
// the qualified form: ON_COMMAND(ID_APP_ABOUT, &CMyApp::OnAppAbout).
//
//   class CMyFrame : public CFrameWnd {
//       ...
//       afx_msg int OnCreate(LPCREATESTRUCT cs);
//       afx_msg void OnTools();
//       afx_msg void OnUpdateTools(CCmdUI* cmdUI);
//       DECLARE_MESSAGE_MAP()
//   };
//   BEGIN_MESSAGE_MAP(CMyFrame, CFrameWnd)
//       ON_WM_CREATE()
//       ON_COMMAND(ID_TOOLS, &CMyFrame::OnTools)
//       ON_UPDATE_COMMAND_UI(ID_TOOLS, &CMyFrame::OnUpdateTools)
//   END_MESSAGE_MAP()
//
// A class whose map is partly filled at run time overrides GetMessageMap itself and returns a
// table it fills once (thread-safely) before the first lookup; lookups never cache entries.
#pragma once

#include <memory>

#include "platform/mfc/cstring.h"
#include "platform/mfc/dispatch.h"
#include "platform/mfc/object.h"
#include "platform/win32/types.h"
#include "platform/win32/window/window.h"

class CCmdTarget;
class CCmdUI;
class CWnd;

// Marks message handlers in class declarations (documentation only).
#define afx_msg

// Notification codes of OnCmdMsg. A WM_NOTIFY (or other control message) is routed with
// nCode = MAKELONG(notification code, message).
inline constexpr int CN_COMMAND = 0;
inline constexpr int CN_UPDATE_COMMAND_UI = -1;

// Everything a dispatch hands to a thunk; the thunk leaves a window message's result in `result`.
struct AFX_MSGCALL {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;              // command routing: the command or control id
    int nCode = 0;             // command routing: CN_COMMAND, CN_UPDATE_COMMAND_UI or a notification code
    void* pExtra = nullptr;    // command routing: the CCmdUI* of an update, the AFX_NOTIFY* of a notification
    LRESULT result = 0;
};

// Returns whether the entry handled the call (ON_COMMAND_EX handlers and update handlers that
// call ContinueRouting decline).
using AFX_MSGTHUNK = BOOL (*)(CCmdTarget* target, AFX_MSGCALL& call);

// Entries with nMessage == AFX_REGISTERED_MESSAGE carry a pointer to the variable that holds a
// registered message id, read at lookup time.
inline constexpr UINT AFX_REGISTERED_MESSAGE = 0xC000;

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    const UINT* pRegisteredMessage;
    AFX_MSGTHUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;  // ends with an entry whose thunk is null
};

// Filled by OnCmdMsg instead of calling the handler, to ask whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
    const AFX_MSGMAP_ENTRY* pEntry = nullptr;
};

// Payload of a routed WM_NOTIFY.
struct NMHDR;
struct AFX_NOTIFY {
    LRESULT* pResult = nullptr;
    NMHDR* pNMHDR = nullptr;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    // Disconnects the dispatch interface: clients that still hold it get RPC_E_DISCONNECTED.
    ~CCmdTarget() override;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Looks the command (or its update request) up in this object's map chain and runs the
    // handler. With pHandlerInfo, only reports the handler without running it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The entry of this object's map chain for a window message, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;
    // The ON_THREAD_MESSAGE entry of this object's map chain for a thread message, or null.
    const AFX_MSGMAP_ENTRY* FindThreadMessageEntry(UINT message) const;

    // Wait cursor of the application (depth counted by the application object).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Reference counting of objects that are shared (pane windows, automation objects). The count
    // starts at 1; the last release calls OnFinalRelease, which deletes the object.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    virtual void OnFinalRelease();
    LONG GetRefCount() const { return m_dwRef; }

    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Automation (platform/mfc/dispatch.h). A class with a dispatch map calls EnableAutomation in
    // its constructor; GetIDispatch is null until then.
    void EnableAutomation();
    LPDISPATCH GetIDispatch(BOOL bAddRef);
    // The object behind a connected dispatch interface, or null.
    static CCmdTarget* FromIDispatch(LPDISPATCH lpDispatch);
    virtual const platform::mfc::DispatchMap* GetDispatchMap() const { return nullptr; }

protected:
    static const AFX_MSGMAP* GetThisMessageMap();

    LONG m_dwRef = 1;

private:
    std::unique_ptr<IDispatch> m_xDispatch;
};

// The state of one user-interface item (menu item, tool-bar button, control) during an update
// pass. This base records what the handlers set (observable through the m_state... members) and,
// when m_pOther is set, applies it to that window; user-interface libraries derive their own.
class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCWSTR lpszText);
    // Lets the update request travel on to the next target of the route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes the update request through `pTarget`; when no update handler answered and
    // bDisableIfNoHndler is set, disables the item unless a command handler exists on the route.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    // What the handlers set during the last update.
    BOOL m_stateEnabled = TRUE;
    int m_stateCheck = 0;
    BOOL m_stateTextChanged = FALSE;
    CString m_stateText;
};

// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

// ---- Message-map macros ----------------------------------------------------------------------

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                    \
        using ThisClass [[maybe_unused]] = theClass;                                     \
        using TheBaseClass = baseClass;                                                  \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                       \
        {0, 0, 0, 0, nullptr, nullptr}};                                                       \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                                    \
    }

// The lambda head shared by every entry.
#define KORVO_AFX_THUNK \
    [](CCmdTarget * afxTarget, [[maybe_unused]] AFX_MSGCALL & afxCall) -> BOOL

// ---- Commands --------------------------------------------------------------------------------

// void handler()
#define ON_COMMAND(id, memberFxn)                                                            \
    {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(id), \
     nullptr, KORVO_AFX_THUNK {                                                              \
         void (ThisClass::*afxHandler)() = memberFxn;                                       \
         (static_cast<ThisClass*>(afxTarget)->*afxHandler)();                                \
         return TRUE;                                                                        \
     }},

// BOOL handler(UINT id): FALSE lets the command travel on.
#define ON_COMMAND_EX(id, memberFxn)                                                         \
    {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(id), \
     nullptr, KORVO_AFX_THUNK {                                                              \
         BOOL (ThisClass::*afxHandler)(UINT) = memberFxn;                                   \
         return (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCall.nID);              \
     }},

// void handler(UINT id)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                  \
    {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(idLast), \
     nullptr, KORVO_AFX_THUNK {                                                                  \
         void (ThisClass::*afxHandler)(UINT) = memberFxn;                                       \
         (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCall.nID);                         \
         return TRUE;                                                                            \
     }},

// BOOL handler(UINT id) over a range.
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                               \
    {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(idLast), \
     nullptr, KORVO_AFX_THUNK {                                                                  \
         BOOL (ThisClass::*afxHandler)(UINT) = memberFxn;                                       \
         return (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCall.nID);                  \
     }},

// void handler(CCmdUI*): the request is handled unless the handler calls ContinueRouting.
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                   \
    {WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id), static_cast<UINT>(idLast), \
     nullptr, KORVO_AFX_THUNK {                                                                             \
         void (ThisClass::*afxHandler)(CCmdUI*) = memberFxn;                                               \
         CCmdUI* afxCmdUI = static_cast<CCmdUI*>(afxCall.pExtra);                                          \
         afxCmdUI->m_bContinueRouting = FALSE;                                                             \
         (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCmdUI);                                      \
         return !afxCmdUI->m_bContinueRouting;                                                             \
     }},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) ON_UPDATE_COMMAND_UI_RANGE(id, id, memberFxn)

// void handler(): a control notification (WM_COMMAND with a control window).
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    {WM_COMMAND, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(id),         \
     static_cast<UINT>(id), nullptr, KORVO_AFX_THUNK {                                             \
         void (ThisClass::*afxHandler)() = memberFxn;                                             \
         (static_cast<ThisClass*>(afxTarget)->*afxHandler)();                                      \
         return TRUE;                                                                              \
     }},

// void handler(NMHDR*, LRESULT*)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                      \
    {WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(id),         \
     static_cast<UINT>(id), nullptr, KORVO_AFX_THUNK {                                             \
         void (ThisClass::*afxHandler)(NMHDR*, LRESULT*) = memberFxn;                             \
         AFX_NOTIFY* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                         \
         (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxNotify->pNMHDR, afxNotify->pResult); \
         return TRUE;                                                                              \
     }},

// void handler(UINT id, NMHDR*, LRESULT*)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                        \
    {WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(id),         \
     static_cast<UINT>(idLast), nullptr, KORVO_AFX_THUNK {                                         \
         void (ThisClass::*afxHandler)(UINT, NMHDR*, LRESULT*) = memberFxn;                       \
         AFX_NOTIFY* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                         \
         (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCall.nID, afxNotify->pNMHDR,         \
                                                           afxNotify->pResult);                    \
         return TRUE;                                                                              \
     }},

// BOOL handler(UINT id, NMHDR*, LRESULT*): FALSE lets the notification travel on.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                   \
    {WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(id),         \
     static_cast<UINT>(id), nullptr, KORVO_AFX_THUNK {                                             \
         BOOL (ThisClass::*afxHandler)(UINT, NMHDR*, LRESULT*) = memberFxn;                       \
         AFX_NOTIFY* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                         \
         return (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCall.nID, afxNotify->pNMHDR,  \
                                                                  afxNotify->pResult);             \
     }},

// ---- Window messages -------------------------------------------------------------------------

// LRESULT handler(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                              \
    {static_cast<UINT>(message), 0, 0, 0, nullptr, KORVO_AFX_THUNK {                \
         LRESULT (ThisClass::*afxHandler)(WPARAM, LPARAM) = memberFxn;             \
         afxCall.result =                                                           \
             (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCall.wParam, afxCall.lParam); \
         return TRUE;                                                               \
     }},

// LRESULT handler(WPARAM, LPARAM); nMessageVariable is a UINT variable holding the id that
// RegisterWindowMessageW returned (read at each lookup, so it may be filled late).
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                          \
    {AFX_REGISTERED_MESSAGE, 0, 0, 0, &(nMessageVariable), KORVO_AFX_THUNK {        \
         LRESULT (ThisClass::*afxHandler)(WPARAM, LPARAM) = memberFxn;             \
         afxCall.result =                                                           \
             (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCall.wParam, afxCall.lParam); \
         return TRUE;                                                               \
     }},

// The code that marks a thread message's entry (window-message entries have code 0).
inline constexpr UINT AFX_THREAD_MESSAGE_CODE = 0xFFFFFFFFu;

// void handler(WPARAM, LPARAM): a message posted to the thread (no window), dispatched by
// CWinThread::DispatchThreadMessageEx.
#define ON_THREAD_MESSAGE(message, memberFxn)                                                 \
    {static_cast<UINT>(message), AFX_THREAD_MESSAGE_CODE, 0, 0, nullptr, KORVO_AFX_THUNK {   \
         void (ThisClass::*afxHandler)(WPARAM, LPARAM) = memberFxn;                           \
         (static_cast<ThisClass*>(afxTarget)->*afxHandler)(afxCall.wParam, afxCall.lParam);    \
         return TRUE;                                                                          \
     }},

// Window-message entries with a fixed handler name and signature.
#define KORVO_AFX_WM_ENTRY(message, ...) \
    {message, 0, 0, 0, nullptr, KORVO_AFX_THUNK { __VA_ARGS__ return TRUE; }},

// int OnCreate(LPCREATESTRUCT)
#define ON_WM_CREATE()                                                                 \
    KORVO_AFX_WM_ENTRY(WM_CREATE, int (ThisClass::*afxHandler)(LPCREATESTRUCTW) = &ThisClass::OnCreate; \
                       afxCall.result = (static_cast<ThisClass*>(afxTarget)->*afxHandler)(          \
                           reinterpret_cast<LPCREATESTRUCTW>(afxCall.lParam));)
// void OnDestroy()
#define ON_WM_DESTROY()                                                                \
    KORVO_AFX_WM_ENTRY(WM_DESTROY, void (ThisClass::*afxHandler)() = &ThisClass::OnDestroy; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)();)
// void OnNcDestroy() (a handler must end by calling its base class's OnNcDestroy)
#define ON_WM_NCDESTROY()                                                              \
    KORVO_AFX_WM_ENTRY(WM_NCDESTROY, void (ThisClass::*afxHandler)() = &ThisClass::OnNcDestroy; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)();)
// void OnClose()
#define ON_WM_CLOSE()                                                                  \
    KORVO_AFX_WM_ENTRY(WM_CLOSE, void (ThisClass::*afxHandler)() = &ThisClass::OnClose; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)();)
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER()                                                                  \
    KORVO_AFX_WM_ENTRY(WM_TIMER, void (ThisClass::*afxHandler)(UINT_PTR) = &ThisClass::OnTimer; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)(static_cast<UINT_PTR>(afxCall.wParam));)
// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE()                                                                   \
    KORVO_AFX_WM_ENTRY(WM_SIZE, void (ThisClass::*afxHandler)(UINT, int, int) = &ThisClass::OnSize; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)(                          \
                           static_cast<UINT>(afxCall.wParam), static_cast<int>(LOWORD(afxCall.lParam)), \
                           static_cast<int>(HIWORD(afxCall.lParam)));)
// void OnShowWindow(BOOL bShow, UINT nStatus)
#define ON_WM_SHOWWINDOW()                                                             \
    KORVO_AFX_WM_ENTRY(WM_SHOWWINDOW, void (ThisClass::*afxHandler)(BOOL, UINT) = &ThisClass::OnShowWindow; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)(                          \
                           static_cast<BOOL>(afxCall.wParam), static_cast<UINT>(afxCall.lParam));)
// void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
#define ON_WM_ACTIVATE()                                                               \
    KORVO_AFX_WM_ENTRY(WM_ACTIVATE, void (ThisClass::*afxHandler)(UINT, CWnd*, BOOL) = &ThisClass::OnActivate; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)(                          \
                           static_cast<UINT>(LOWORD(afxCall.wParam)),                              \
                           CWnd::FromHandle(reinterpret_cast<HWND>(afxCall.lParam)),               \
                           static_cast<BOOL>(HIWORD(afxCall.wParam)));)

// void OnPaint()
#define ON_WM_PAINT()                                                                  \
    KORVO_AFX_WM_ENTRY(WM_PAINT, void (ThisClass::*afxHandler)() = &ThisClass::OnPaint; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)();)
// BOOL OnEraseBkgnd(CDC* pDC); the DC wraps the message's device context for the call.
#define ON_WM_ERASEBKGND()                                                             \
    KORVO_AFX_WM_ENTRY(WM_ERASEBKGND, BOOL (ThisClass::*afxHandler)(CDC*) = &ThisClass::OnEraseBkgnd; \
                       CDC afxDc; afxDc.Attach(reinterpret_cast<HDC>(afxCall.wParam));             \
                       afxCall.result = (static_cast<ThisClass*>(afxTarget)->*afxHandler)(&afxDc); \
                       afxDc.Detach();)
// void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) (null for the window's own bar)
#define ON_WM_HSCROLL()                                                                \
    KORVO_AFX_WM_ENTRY(WM_HSCROLL, void (ThisClass::*afxHandler)(UINT, UINT, CScrollBar*) = &ThisClass::OnHScroll; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)(                          \
                           LOWORD(afxCall.wParam), HIWORD(afxCall.wParam), nullptr);)
// void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) (null for the window's own bar)
#define ON_WM_VSCROLL()                                                                \
    KORVO_AFX_WM_ENTRY(WM_VSCROLL, void (ThisClass::*afxHandler)(UINT, UINT, CScrollBar*) = &ThisClass::OnVScroll; \
                       (static_cast<ThisClass*>(afxTarget)->*afxHandler)(                          \
                           LOWORD(afxCall.wParam), HIWORD(afxCall.wParam), nullptr);)

// ---- Standard command ids and framework resource ids -------------------------------------------

inline constexpr UINT ID_FILE_NEW = 0xE100;
inline constexpr UINT ID_FILE_OPEN = 0xE101;
inline constexpr UINT ID_FILE_CLOSE = 0xE102;
inline constexpr UINT ID_FILE_SAVE = 0xE103;
inline constexpr UINT ID_FILE_SAVE_AS = 0xE104;
inline constexpr UINT ID_FILE_PAGE_SETUP = 0xE105;
inline constexpr UINT ID_FILE_PRINT_SETUP = 0xE106;
inline constexpr UINT ID_FILE_PRINT = 0xE107;
inline constexpr UINT ID_FILE_PRINT_DIRECT = 0xE108;
inline constexpr UINT ID_FILE_PRINT_PREVIEW = 0xE109;
inline constexpr UINT ID_FILE_MRU_FIRST = 0xE110;
inline constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;
inline constexpr UINT ID_FILE_MRU_FILE16 = 0xE11F;
inline constexpr UINT ID_FILE_MRU_LAST = 0xE11F;
inline constexpr UINT ID_WINDOW_NEW = 0xE130;
inline constexpr UINT ID_WINDOW_ARRANGE = 0xE131;
inline constexpr UINT ID_WINDOW_CASCADE = 0xE132;
inline constexpr UINT ID_WINDOW_TILE_HORZ = 0xE133;
inline constexpr UINT ID_WINDOW_TILE_VERT = 0xE134;
inline constexpr UINT ID_APP_ABOUT = 0xE140;
inline constexpr UINT ID_APP_EXIT = 0xE141;
inline constexpr UINT ID_HELP_INDEX = 0xE142;
inline constexpr UINT ID_HELP_FINDER = 0xE143;
inline constexpr UINT ID_HELP_USING = 0xE144;
inline constexpr UINT ID_CONTEXT_HELP = 0xE145;
inline constexpr UINT ID_HELP = 0xE146;
inline constexpr UINT ID_DEFAULT_HELP = 0xE147;

inline constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
inline constexpr UINT AFX_IDS_OPENFILE = 0xF000;
inline constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
inline constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;
