// The splash window: runs on a UI thread of its own while the program starts, and ends when the
// start-up signals it to close. The banner itself is not drawn yet.
#pragma once

#include "platform/mfc.h"

class CSplashWnd : public CWnd {
public:
    // A relative banner path is taken inside the program folder. Creates the close event.
    CSplashWnd(LPCWSTR bannerPath, bool drawTexts);
    ~CSplashWnd() override;
    CSplashWnd(const CSplashWnd&) = delete;
    CSplashWnd& operator=(const CSplashWnd&) = delete;

    // The splash thread's body: returns once the close event is set.
    void Show();
    // Asks the splash to close; does nothing when there is no splash.
    static void SignalClose();
    // True while a splash exists that has not been asked to close.
    static bool IsOpen();
    // Starts the splash on its own thread; the thread deletes the object when it ends.
    static void StartThread(CSplashWnd* splash);

    const CString& GetBannerPath() const { return bannerPath_; }

private:
    static UINT ThreadProc(LPVOID splash);

    CString bannerPath_;
    [[maybe_unused]] bool drawTexts_;
    HANDLE closeEvent_ = nullptr;
};
