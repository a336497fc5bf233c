// The UI library's pop-up controls over a frame's own parts: the classic menu bar offered as one
// pop-up (for the ribbon), and the frame's docking panes.
#pragma once

#include "platform/toolkit.h"

namespace Korvo::UI {

// The menus of a classic menu bar as one pop-up: each opening offers copies of the menu bar's
// controls as they are then, so add-on items inserted later show too.
class PseudoMenuBar : public CXTPControlPopup {
    DECLARE_DYNCREATE(PseudoMenuBar)
public:
    PseudoMenuBar() = default;
    explicit PseudoMenuBar(CXTPMenuBar* menuBar);
    ~PseudoMenuBar() override;
    CXTPMenuBar* GetMenuBar() const { return menuBar_; }
    // Opens even before its first opening made its bar.
    void OnExecute() override { OpenPopup(); }
    void OnSetPopup(BOOL popup) override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;
    // Brings the pop-up's items up to date with the menu bar without opening it (for a search).
    void UpdateControls();

private:
    void setMenuBar(CXTPMenuBar* menuBar);
    CXTPMenuBar* menuBar_ = nullptr;  // one reference
};

// The docking panes of a manager, one item a pane in the manager's order, checked while the pane
// is open; choosing an item closes an open pane and shows a closed one.
class DockingPanesPopup : public CXTPControlPopup {
    DECLARE_DYNCREATE(DockingPanesPopup)
public:
    DockingPanesPopup() = default;
    explicit DockingPanesPopup(CXTPDockingPaneManager* manager) : manager_(manager) {}
    CXTPDockingPaneManager* GetDockingPaneManager() const { return manager_; }
    void OnExecute() override { OpenPopup(); }
    void OnSetPopup(BOOL popup) override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;
    // Fills the pop-up with the panes without opening it (for a search).
    void UpdateControls();

private:
    CXTPDockingPaneManager* manager_ = nullptr;  // the frame's, which outlives its bars
};

}  // namespace Korvo::UI
