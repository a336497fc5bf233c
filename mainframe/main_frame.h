// A main frame of the shell: one top-level MDI window. Any number can exist at once; the UI
// module keeps their list. The frame is empty yet: no command bars, panes or status line; it keeps
// the application-wide settings it was given (theme, ribbon mode, tool-bar icons) for them.
#pragma once

#include <memory>

#include "platform/korvoui.h"

namespace Korvo::UI {
class MainFrameState;
}

class CMainFrame : public Korvo::UI::MdiMainFrame {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // Creates a frame from a saved layout, or from the application's default layout when `state`
    // is empty. The first frame becomes the framework's main window. Null when the window cannot
    // be created.
    static CMainFrame* CreateFromState(std::shared_ptr<Korvo::UI::MainFrameState> state,
                                       bool restorePlacement = false, bool second = false);

    // A new frame with this frame's layout, or null.
    CMainFrame* Clone() const;

    // Shows the frame the first time; later calls do nothing.
    void InitialShow();
    bool IsShown() const { return m_shown; }

    // The UI module applied a theme.
    void SetTheme(const Korvo::UI::Theme& theme) override;
    const CString& GetThemeName() const { return m_themeName; }
    // Ribbon (true) or classic menus and tool bars.
    void SetRibbonMode(bool ribbon);
    bool IsRibbonMode() const { return m_ribbonMode; }
    // The application's tool-bar icon size and large-icons flag for this frame's command bars.
    void ApplyToolBarIconSize(SIZE size, bool largeIcons);
    // The frame's document tabs; none while the frame has no tab client.
    void* GetFrameTabs() const { return nullptr; }

    // The callbacks in force while a ribbon layout is applied to this frame.
    const Korvo::UI::XML::ApplicationParameters* GetRibbonApplicationParameters() const {
        return &m_ribbonParameters;
    }
    // Disables the system-panel controls of the ribbon and of the panel; the frame has neither yet.
    void DisableSyspanelControls() {}
    // The classic menu bar's controls, or null while the frame has no menu bar.
    CXTPControls* GetMenuBarControls() const { return nullptr; }

protected:
    // While CreateFromState runs, the frame's window going away leaves the object to it.
    void PostNcDestroy() override;
    // Activation makes this frame the UI module's active main frame.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // Enabling or disabling one main frame (a modal state begins or ends) does the same to all.
    afx_msg LRESULT OnEnableMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT kFrameResourceId = 1;

    int m_showCommand;
    bool m_creating = false;
    bool m_shown = false;
    bool m_ribbonMode = true;
    CString m_themeName;
    Korvo::UI::XML::ApplicationParameters m_ribbonParameters;
};
