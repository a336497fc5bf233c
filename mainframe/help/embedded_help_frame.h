// The help window: a top-level frame with a small tool bar and one browser view. Attached (the
// default), it sits against the right edge of the active main window and the two move as one.
#pragma once

#include "platform/mfc.h"

class CFrameToolsEngine;
class CEmbeddedHtmlView;

class CEmbeddedHelpFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CEmbeddedHelpFrame)
public:
    static constexpr UINT kToolBarResource = 129;
    static constexpr UINT kToggleAttachedCommand = 32771;
    static constexpr UINT kBackCommand = 32772;
    static constexpr UINT kForwardCommand = 32773;

    explicit CEmbeddedHelpFrame(CFrameToolsEngine* owner = nullptr);
    ~CEmbeddedHelpFrame() override;

    // Makes the window, its tool bar and view in the right quarter of the active main window,
    // which keeps the rest. True at once when the window exists. On failure no window is left:
    // one that was made is destroyed, and with it this object.
    bool Create();
    using CFrameWnd::Create;
    bool Navigate(LPCWSTR url);
    void RedrawIfPending();
    // The main window moved or was resized: an attached help window follows its right edge.
    void AttachToMainFrame();

    void SetOwner(CFrameToolsEngine* owner) { m_owner = owner; }
    CEmbeddedHtmlView* GetView() const { return m_view; }
    bool IsAttached() const { return m_attached; }
    const WINDOWPLACEMENT& GetSavedPlacement() const { return m_savedPlacement; }
    const CToolBar& GetToolBar() const { return m_toolBar; }

protected:
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg LRESULT OnMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    afx_msg void OnToggleAttached();
    afx_msg void OnUpdateToggleAttached(CCmdUI* cmdUI);
    afx_msg void OnBack();
    afx_msg void OnForward();

private:
    // An attached help window's move or size takes the main window's right edge along.
    void FitMainFrameToHelp();

    CFrameToolsEngine* m_owner;
    CEmbeddedHtmlView* m_view = nullptr;
    bool m_attached = true;
    bool m_moving = false;  // set while this frame moves a window, so the echo starts nothing
    WINDOWPLACEMENT m_savedPlacement{};
    CToolBar m_toolBar;

    DECLARE_MESSAGE_MAP()
};
