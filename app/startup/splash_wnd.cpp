#include "app/startup/splash_wnd.h"

#include <mutex>

#include "platform/compression.h"

namespace {

// The close event of the splash alive, shared with SignalClose on the UI thread. The lock keeps
// a late SignalClose from setting an event that the ending splash thread is closing.
std::mutex g_closeEventMutex;
HANDLE g_closeEvent = nullptr;

}  // namespace

CSplashWnd::CSplashWnd(LPCWSTR bannerPath, bool drawTexts) : drawTexts_(drawTexts) {
    bannerPath_ = bannerPath ? bannerPath : L"";
    if (!bannerPath_.IsEmpty() && kvio::IsRelativePath(bannerPath_.view())) bannerPath_ = KVAppendProgramPath(bannerPath_);
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
    std::lock_guard lock(g_closeEventMutex);
    if (g_closeEvent) SetEvent(g_closeEvent);
}

bool CSplashWnd::IsOpen() {
    std::lock_guard lock(g_closeEventMutex);
    return g_closeEvent && WaitForSingleObject(g_closeEvent, 0) == WAIT_TIMEOUT;
}

void CSplashWnd::Show() {
    if (!closeEvent_) return;
    WaitForSingleObject(closeEvent_, INFINITE);
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
