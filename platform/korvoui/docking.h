// The UI library's docking panes: the manager and pane bases the application derives its own
// from, the interface a pane's window implements to take part in layouts and themes, the pane
// maker the application uses, and the hidden window that holds pane windows no pane shows.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

// What a window hosted in a docking pane can do beyond being a window.
class DockingPaneChild {
public:
    virtual ~DockingPaneChild() = default;
    // Its values in a saved layout (the pane's section). FALSE fails the pane's exchange.
    virtual BOOL DoPropExchange(CXTPPropExchange*) { return TRUE; }
    // A pane adopted the window.
    virtual void OnAttachedToPane(CXTPDockingPane*) {}
    // The pane is about to give the window up.
    virtual void OnToBeDetachedFromPane(CXTPDockingPane*) {}
    virtual void SetTheme(const Theme&) {}
};

// A pane window of the library's kind: a window that is a DockingPaneChild.
class DockingPaneChildWindow : public CWnd, public DockingPaneChild {
public:
    DockingPaneChildWindow() = default;
};

class DockingPane : public CXTPDockingPane {
protected:
    explicit DockingPane(CXTPDockingPaneManager* manager) : CXTPDockingPane(manager) {}

public:
    // The library's panes tell their window when they adopt it (a window they did not hold),
    // and give it the theme in force.
    void Attach(CWnd* child) override;
    void AttachChild(CWnd* child) { Attach(child); }
    // Whether the pane appears in the frame's lists of panes (its menus of panes); panes made
    // for a passing purpose stay out of them.
    void ShowInPaneLists(bool show) { listed_ = show; }
    bool IsShownInPaneLists() const { return listed_; }

private:
    bool listed_ = true;
};

class DockingPaneManager : public CXTPDockingPaneManager {
public:
    DockingPaneManager() = default;
    // Ordinary panes (type 0) of the library's class; others the toolkit's.
    CXTPDockingPane* OnCreatePane(int type, CXTPDockingPaneLayout* layout) override;
};

// The library's popup menu of a pane (its caption or tab right-clicked): "Close" (40058) closes
// the pane as its close button does. Shown for `frame`'s pane at screen point `point`; the
// command chosen and carried out, 0 when dismissed.
inline constexpr UINT kPaneMenuClose = 40058;
UINT RunPanePopupMenu(CWnd* frame, CXTPDockingPane* pane, POINT point);

// Direction of a pane that starts floating.
inline constexpr int kFloatingPaneDirection = -1;

// A new pane `id` in `manager` with the icon, the caption and, in `neighbour`'s tab group or at
// `direction` (0 left, 1 right, 2 top, 3 bottom, -1 floating), the initial rectangle. Null when
// the manager refuses it.
CXTPDockingPane* CreateDockingPane(CXTPDockingPaneManager* manager, UINT id, int iconId, LPCWSTR caption,
                                   RECT rect, int direction, CXTPDockingPane* neighbour = nullptr);

// The hidden window that holds pane windows while no pane shows them; made on first use when
// `create` is set. Each call that returns it adds a reference for the caller.
CWnd* GetDockingPaneDummyWindow(bool create);

}  // namespace Korvo::UI
