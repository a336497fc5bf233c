// The docking panes of a main frame: the manager makes panes of the application's own class,
// whose saved layout records what each pane hosts so that loading it finds the window again.
#pragma once

#include "platform/korvoui.h"

class CKVDockingPane : public Korvo::UI::DockingPane {
public:
    explicit CKVDockingPane(CXTPDockingPaneManager* manager) : Korvo::UI::DockingPane(manager) {}

    // Storing: the values of the pane's window (made on demand) when it takes part in layouts;
    // failure when the pane has no window. Loading: the window named by the pane's id gets its
    // values back. A "Clipart" section names the clipart the pane hosted; cliparts cannot be
    // rebuilt from a layout yet, so such a pane fails and the layout leaves it out.
    BOOL DoPropExchange(CXTPPropExchange* px) override;
};

class CKVDockingPaneManager : public Korvo::UI::DockingPaneManager {
public:
    CKVDockingPaneManager() = default;
    // Ordinary panes (type 0) are CKVDockingPane; other types are the UI library's.
    CXTPDockingPane* OnCreatePane(int type, CXTPDockingPaneLayout* layout) override;
    // Gives every pane window back to the application's hidden host, so that the windows outlive
    // this frame (they are shared by all main frames).
    void ReturnPaneWindows();
};
