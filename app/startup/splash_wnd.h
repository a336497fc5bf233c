// The splash window: shows the product banner on a UI thread of its own while the program starts,
// steps aside while another window of the program's UI thread is up (a message box of a module
// that failed to load), and ends when the start-up signals it to close.
#pragma once

#include "platform/mfc.h"

class CSplashWnd : public CWnd {
public:
    // A relative banner path is taken inside the program folder. Creates the close event.
    CSplashWnd(LPCWSTR bannerPath, bool drawTexts);
    ~CSplashWnd() override;
    CSplashWnd(const CSplashWnd&) = delete;
    CSplashWnd& operator=(const CSplashWnd&) = delete;

    // The splash thread's body: shows the banner and returns once the close event is set, or at
    // once when there is no banner to show.
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
    static BOOL CheckWindow(HWND hwnd, LPARAM splash);

    // Makes the layered window of the banner's size, centred in the monitor's work area.
    bool CreateBannerWindow(SIZE size, const RECT& workArea);
    // Puts the banner, with the notice when texts are drawn, on the window.
    bool PutBanner(HBITMAP bitmap, SIZE size, int scale);
    void DrawNotice(HDC memory, SIZE size, int scale);
    // One look at the UI thread's windows: steps aside for the first other one shown, or comes
    // back when none is left.
    void StepAside();
    void SetProgress(TBPFLAG state);

    CString bannerPath_;
    RECT savedRect_{};
    bool noOtherWindow_ = true;
    bool movedAway_ = false;
    bool drawTexts_;
    ITaskbarList3* taskbar_ = nullptr;
    DWORD uiThread_ = 0;
    HANDLE closeEvent_ = nullptr;
};
