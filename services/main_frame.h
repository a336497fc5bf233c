// What the subsystems under the main frame use of one main window: its window as the UI library
// knows it (command bars, MDI client, active child, docking-pane manager), whether it has been
// shown yet, its pane icons and its own docking panes. The application hands these out
// (ApplicationServices); every main frame implements it. A window's frame is found with
// dynamic_cast from the UI library's main frame.
#pragma once

#include "platform/korvoui.h"

class MainFrameServices {
public:
    virtual ~MainFrameServices() = default;
    MainFrameServices(const MainFrameServices&) = delete;
    MainFrameServices& operator=(const MainFrameServices&) = delete;

    virtual Korvo::UI::MdiMainFrame& AsMdiMainFrame() = 0;
    virtual const Korvo::UI::MdiMainFrame& AsMdiMainFrame() const = 0;
    // False until the frame showed for the first time: till then its bars' state is not settled.
    virtual bool IsShown() const = 0;
    // The frame's docking-pane manager; its image manager holds the pane icons by pane id.
    virtual Korvo::UI::DockingPaneManager& GetPaneManager() = 0;
    // The frame's own docking pane of a pane id (not one of the UI library's special panes), or null.
    virtual CXTPDockingPane* FindPane(int paneId) = 0;

protected:
    MainFrameServices() = default;
};
