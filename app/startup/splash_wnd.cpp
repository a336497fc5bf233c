#include "app/startup/splash_wnd.h"

#include <mutex>

#include "app/kvw32_app.h"
#include "app/startup/splash_layout.h"
#include "platform/compression.h"
#include "platform/diagnostics.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/kvgc.h"

namespace {

constexpr UINT kSplashTitleFormat = 42471;
constexpr DWORD kCloseWaitMs = 200;
constexpr int kLogKeepDays = 7;
constexpr int kAsideX = -10000;
constexpr int kAsideY = -10000;

// The close event of the splash alive, shared with SignalClose on the UI thread. The lock keeps
// a late SignalClose from setting an event that the ending splash thread is closing.
std::mutex g_closeEventMutex;
HANDLE g_closeEvent = nullptr;

bool FileExists(const CString& path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

CSplashWnd::CSplashWnd(LPCWSTR bannerPath, bool drawTexts) : drawTexts_(drawTexts) {
    bannerPath_ = bannerPath ? bannerPath : L"";
    if (!bannerPath_.IsEmpty() && kvio::IsRelativePath(bannerPath_.view())) bannerPath_ = KVAppendProgramPath(bannerPath_);
    taskbar_ = GetGlobalData()->GetITaskbarList3();
    if (CWinApp* app = AfxGetApp()) uiThread_ = app->m_nThreadID;
    closeEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::lock_guard lock(g_closeEventMutex);
    g_closeEvent = closeEvent_;
}

CSplashWnd::~CSplashWnd() {
    std::lock_guard lock(g_closeEventMutex);
    if (g_closeEvent == closeEvent_) g_closeEvent = nullptr;
    if (closeEvent_) CloseHandle(closeEvent_);
}

void CSplashWnd::SignalClose() {
    // Set through a handle of our own, outside the lock: the splash thread that wakes may end at
    // once, and its destructor takes the lock and closes the shared handle.
    HANDLE event = nullptr;
    {
        std::lock_guard lock(g_closeEventMutex);
        if (!g_closeEvent || !DuplicateHandle(GetCurrentProcess(), g_closeEvent, GetCurrentProcess(), &event, 0, FALSE,
                                              DUPLICATE_SAME_ACCESS))
            return;
    }
    SetEvent(event);
    CloseHandle(event);
}

bool CSplashWnd::IsOpen() {
    std::lock_guard lock(g_closeEventMutex);
    return g_closeEvent && WaitForSingleObject(g_closeEvent, 0) == WAIT_TIMEOUT;
}

void CSplashWnd::Show() {
    if (!closeEvent_) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const SplashBanner banner = ChooseSplashBanner(bannerPath_, monitor.rcMonitor.right - monitor.rcMonitor.left,
                                                   KVGetProgramPath(), &FileExists);
    HBITMAP bitmap = Korvo::CreateImageBitmap(banner.path, RGB(255, 255, 255));
    BITMAP picture{};
    if (!bitmap) return;
    if (!GetObjectW(bitmap, sizeof(picture), &picture) || picture.bmWidth <= 0 || picture.bmHeight <= 0) {
        DeleteObject(bitmap);
        return;
    }
    const SIZE size{picture.bmWidth, picture.bmHeight};
    const bool shown = CreateBannerWindow(size, monitor.rcWork) && PutBanner(bitmap, size, banner.scale);
    DeleteObject(bitmap);
    if (!shown) {
        if (m_hWnd) DestroyWindow();
        return;
    }

    for (bool first = true;; first = false) {
        StepAside();
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (first) KVLog_Cleanup(kLogKeepDays);
        if (WaitForSingleObject(closeEvent_, kCloseWaitMs) != WAIT_TIMEOUT) break;
    }
    ShowWindow(SW_HIDE);
    DestroyWindow();
}

bool CSplashWnd::CreateBannerWindow(SIZE size, const RECT& workArea) {
    CKvw32App* app = CKvw32App::Instance();
    const UINT titleId = app ? app->GetTitleStringId() : 0;
    LPCWSTR windowClass = AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_APPSTARTING), nullptr,
                                              titleId ? LoadIconW(AfxGetResourceHandle(), titleId) : nullptr);
    const CString title = KVLoadFormatString(kSplashTitleFormat, app ? app->GetProductTitle().GetString() : L"");
    const int x = workArea.left + (workArea.right - workArea.left - size.cx) / 2;
    const int y = workArea.top + (workArea.bottom - workArea.top - size.cy) / 2;
    if (!CreateEx(WS_EX_LAYERED, windowClass, title, WS_POPUP | WS_VISIBLE, x, y, size.cx, size.cy, nullptr, nullptr))
        return false;
    Korvo::UI::EnsureIsVisible(this);
    // After a crash the restarted program shows itself in front of what the user is doing.
    if (CWinApp* winApp = AfxGetApp(); winApp && winApp->GetProfileInt(L"ErrorRestore", L"Restart", 0) != 0)
        SetForegroundWindow();
    SetProgress(TBPF_INDETERMINATE);
    return true;
}

bool CSplashWnd::PutBanner(HBITMAP bitmap, SIZE size, int scale) {
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) return false;
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (drawTexts_) DrawNotice(memory, size, scale);
    POINT origin{0, 0};
    SIZE extent = size;
    BLENDFUNCTION blend;
    const BOOL put = UpdateLayeredWindow(m_hWnd, nullptr, nullptr, &extent, memory, &origin, 0, &blend, ULW_OPAQUE);
    SelectObject(memory, previous);
    DeleteDC(memory);
    return put != FALSE;
}

void CSplashWnd::DrawNotice(HDC memory, SIZE size, int scale) {
    LOGFONTW description = UIModule::GetFontDescription();
    description.lfHeight = SplashNoticeFontHeight(scale);
    description.lfWeight = FW_NORMAL;
    HFONT font = CreateFontIndirectW(&description);
    HGDIOBJ previousFont = font ? SelectObject(memory, font) : nullptr;
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(0, 0, 0));
    const CString notice = SplashNotice(COUNTRY);
    RECT measured = SplashNoticeArea(size, scale);
    DrawTextW(memory, notice, -1, &measured, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    RECT rect = SplashNoticeRect(size, scale, measured.bottom - measured.top);
    DrawTextW(memory, notice, -1, &rect, DT_WORDBREAK | DT_NOPREFIX);
    if (previousFont) SelectObject(memory, previousFont);
    if (font) DeleteObject(font);
}

void CSplashWnd::StepAside() {
    noOtherWindow_ = true;
    EnumThreadWindows(uiThread_, &CSplashWnd::CheckWindow, reinterpret_cast<LPARAM>(this));
    if (!noOtherWindow_ || !movedAway_) return;
    ::SetWindowPos(m_hWnd, nullptr, savedRect_.left, savedRect_.top, savedRect_.right - savedRect_.left,
                   savedRect_.bottom - savedRect_.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetForegroundWindow();
    SetProgress(TBPF_INDETERMINATE);
    movedAway_ = false;
}

BOOL CSplashWnd::CheckWindow(HWND hwnd, LPARAM parameter) {
    auto* splash = reinterpret_cast<CSplashWnd*>(parameter);
    if (hwnd == splash->m_hWnd || !::IsWindowVisible(hwnd) || Korvo::UI::IsMainFrameWindow(hwnd)) return TRUE;
    splash->noOtherWindow_ = false;
    if (!splash->movedAway_) {
        splash->SetProgress(TBPF_NOPROGRESS);
        ::GetWindowRect(splash->m_hWnd, &splash->savedRect_);
        ::SetWindowPos(splash->m_hWnd, nullptr, kAsideX, kAsideY, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        splash->movedAway_ = true;
        ::SetForegroundWindow(hwnd);
    }
    return FALSE;
}

void CSplashWnd::SetProgress(TBPFLAG state) {
    if (taskbar_ && m_hWnd) taskbar_->SetProgressState(m_hWnd, state);
}

void CSplashWnd::StartThread(CSplashWnd* splash) {
    if (!AfxBeginThread(&CSplashWnd::ThreadProc, splash, THREAD_PRIORITY_NORMAL, 0, 0)) delete splash;
}

UINT CSplashWnd::ThreadProc(LPVOID parameter) {
    auto* splash = static_cast<CSplashWnd*>(parameter);
    splash->Show();
    delete splash;
    return 0;
}
