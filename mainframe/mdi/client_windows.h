// The main frame's MDI client in its two forms: the document tabs (workbook mode) and the plain
// MDI client (outside workbook mode). Each takes over the frame's MDI client window while in use;
// both paint the shared background picture where no document window covers the client, and both
// keep the user on a pinned document.
#pragma once

#include <memory>

#include "mainframe/mdi/mdi_background.h"
#include "platform/toolkit.h"

class CKvw32Doc;

// The kernel document a document window shows, or null.
CKvw32Doc* DocumentOfFrame(HWND childFrame);
// Whether activating `target` must be refused because `active`'s document is pinned and
// `target` (null: no window) shows another document.
bool IsKeptOnPinnedDocument(HWND active, HWND target);

// A tab group of the document tabs.
class CKVWorkspace : public CXTPTabClientWnd::CWorkspace {
public:
    explicit CKVWorkspace(CXTPTabClientWnd* client) : CXTPTabClientWnd::CWorkspace(client) {}
    BOOL DrawIcon(HDC dc, POINT point, CXTPTabManagerItem* item, BOOL draw, SIZE& iconSize) override;
    void SetSelectedItem(CXTPTabManagerItem* item) override;
    BOOL OnBeforeItemClick(CXTPTabManagerItem* item) override;
    void OnNavigateButtonClick(CXTPTabManagerNavigateButton* button) override;
    // Per-tab buttons right-aligned (horizontal tabs) or bottom-aligned (vertical tabs).
    void RepositionNavigateButtons() override;

    static constexpr int kReadOnlyImage = 40782;
};

class CKVTabClientWnd : public CXTPTabClientWnd {
public:
    CKVTabClientWnd();
    // Reads the tab settings saved by an earlier run; false when the client is not attached.
    bool LoadState();
    // Shows or hides the tabs; repositions a visible client.
    void EnableTabs(bool show);
    // The fixed-width option applied to the tab layout.
    void ApplyTabWidthOption();

    CString GetItemText(CWnd* child) const override;
    CString GetItemTooltip(const CXTPTabManagerItem* item) const override;
    HICON GetItemIcon(const CXTPTabManagerItem* item) const override;
    void RefreshTheme() override;
    CWorkspace* CreateWorkspace() override;
    BOOL OnFillBackground(HDC dc, const RECT& rect) override;
    void MDIActivate(CWnd* window) override;
    CWorkspace* AddWorkspace(int index = -1) override;
    CXTPTabManagerItem* AddItem(CWnd* child) override;
    void CalcWindowRect(LPRECT rect, UINT adjust = 0) override;

    // The tab context menu at a screen point (WM_CONTEXTMENU); runs the chosen command.
    void ShowContextMenu(POINT screenPoint);
    // Runs a command of the tab context menu for the tab of `child`.
    void OnTabCommand(UINT id, CWnd* child);

protected:
    afx_msg LRESULT OnContextMenuMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcCalcSizeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcPaintMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMiddleButtonMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::shared_ptr<CMDIClientWndBackground> m_background;
};

class CKVMDIClientWnd : public CWnd {
public:
    CKVMDIClientWnd();
    ~CKVMDIClientWnd() override;
    // Takes over `frame`'s MDI client window; false when it has none or one is taken.
    bool Attach(CMDIFrameWnd* frame);
    void Detach();

protected:
    // The client stays a window of the frame when the object lets it go.
    void PostNcDestroy() override {}
    afx_msg LRESULT OnEraseBackgroundMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMdiActivateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool HasMaximizedChild() const;
    std::shared_ptr<CMDIClientWndBackground> m_background;
};
