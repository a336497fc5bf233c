// A clipart view hosting a window of an add-on application. It survives its pane's closing: the
// pane comes back when the application asks for the window again or the panes are synchronised.
#pragma once

#include "mainframe/clipart/clipart_view.h"

class ApplicationClipart : public CClipartView {
public:
    // Flag of the view's flags: the rectangle was given.
    static constexpr int kHasRect = 16;

    ApplicationClipart() = default;
    ApplicationClipart(CString key, int windowId, CString title);
    ~ApplicationClipart() override;

    // The view of the add-on window `windowId` of application `key`, reused (back in its pane,
    // with its view state) or new with a pane in the active frame; null when the application is
    // unknown or stopped, or no pane could be made (a new view is deleted then).
    static ApplicationClipart* Show(LPCWSTR key, int windowId, LPCWSTR title, const RECT* rect, int flags, int iconId,
                                    HINSTANCE owner);
    // Every application view gets its pane in `frame` (null: the active one) back, or loses it
    // when its application no longer runs.
    static void SyncPanes(CMainFrame* frame);

    void SetTitle(LPCWSTR title);
    const CString& GetKey() const { return key_; }
    int GetWindowId() const { return windowId_; }
    const CString& GetTitle() const { return title_; }

    bool IsApplicationClipart() const override { return true; }
    void UpdateTitle(CXTPDockingPane* pane) override;
    bool DestroyOnPaneClose() const override { return false; }
    bool CreateContent(CXTPDockingPane* pane) override;
    void DestroyContent() override;
    HWND GetContentWindow() const override { return content_; }
    void UpdateIcon(CXTPDockingPane* pane) override;
    const wchar_t* GetKindName() const override { return L"Application"; }
    std::wstring DescribeKeys() const override;
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    void ExchangeKeys(CXTPPropExchange* px) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

private:
    // The application of the key, when it is loaded and runs.
    CKVApplication* RunningApplication() const;

    CString key_;
    int windowId_ = -1;
    CString title_;
    RECT rect_{};
    int flags_ = 0;
    HWND content_ = nullptr;
    bool managed_ = false;
};
