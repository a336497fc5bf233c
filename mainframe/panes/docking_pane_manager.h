// The docking panes of a main frame: the manager makes panes of the application's own class,
// whose saved layout records what each pane hosts so that loading it finds the window again.
#pragma once

#include "platform/korvoui.h"

class CKVDockingPane : public Korvo::UI::DockingPane {
public:
    explicit CKVDockingPane(CXTPDockingPaneManager* manager) : Korvo::UI::DockingPane(manager) {}

    // The per-pane hook of saved layouts. A pane window takes part by implementing
    // Korvo::UI::DockingPaneChild::DoPropExchange: storing, it writes into the pane's own section
    // (which also holds the pane's title, tab caption and icon, so a window keeps its values in
    // a sub-section of its own name); loading, it reads them back when a frame's saved layout is
    // applied (at start-up, before the frame is first shown). A window that fails to store keeps
    // its pane's place without its values; one that fails to load leaves its pane out.
    // Storing without a window fails. A clipart view keeps its kind ("Type") and its values in
    // a "Clipart" section; loading finds the view again or makes one of that kind (an unknown
    // kind, or a view whose window cannot be made, leaves the pane out).
    BOOL DoPropExchange(CXTPPropExchange* px) override;

private:
    BOOL LoadClipart(CXTPPropExchange* section, const CString& type);
};

class CKVDockingPaneManager : public Korvo::UI::DockingPaneManager {
public:
    CKVDockingPaneManager() = default;
    // Ordinary panes (type 0) are CKVDockingPane; other types are the UI library's.
    CXTPDockingPane* OnCreatePane(int type, CXTPDockingPaneLayout* layout) override;
    // A saved layout keeps only the panes the program makes (its initial panes).
    bool IsLayoutPaneKnown(UINT id) const override;
    // Gives every pane window this frame's panes hold back to the application's hidden host, so
    // that the windows outlive this frame (they are shared by all main frames); a window that
    // another frame's pane still shows goes back into that pane.
    void ReturnPaneWindows();
};

// The application's pane windows are shared by the main frames and sit in one pane at a time: a
// frame that took them (a new frame creates its panes shown, then closes them) or let them go
// hands each back to a shown pane of another frame (not `except`'s) that hosts it.
void ReseatSharedPaneWindows(const CXTPDockingPaneManager* except);
// A pane about to close or hide that holds its window hands it to the first shown pane of another
// frame that hosts the same window, so that pane shows it again.
void HandOverSharedPaneWindow(CXTPDockingPane* leaving);
