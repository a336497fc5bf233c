// A main frame of the shell: one top-level MDI window. Any number can exist at once; the UI
// module keeps their list. The frame is empty yet: no command bars, panes or status line.
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

    // Shows the frame the first time; later calls do nothing.
    void InitialShow();
    bool IsShown() const { return m_shown; }

    // The callbacks in force while a ribbon layout is applied to this frame.
    const Korvo::UI::XML::ApplicationParameters* GetRibbonApplicationParameters() const {
        return &m_ribbonParameters;
    }
    // Disables the system-panel controls of the ribbon and of the panel; the frame has neither yet.
    void DisableSyspanelControls() {}
    // The classic menu bar's controls, or null while the frame has no menu bar.
    CXTPControls* GetMenuBarControls() const { return nullptr; }

private:
    static constexpr UINT kFrameResourceId = 1;

    int m_showCommand;
    bool m_shown = false;
    Korvo::UI::XML::ApplicationParameters m_ribbonParameters;
};
