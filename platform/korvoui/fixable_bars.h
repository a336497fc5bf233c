// The UI library's fixable tool bars (a fixed bar cannot be moved or closed by the user), their
// dock context, and the command bars of a frame's frameless view tool bars.
#pragma once

#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

// The dock context of a fixable bar: dragging a fixed bar does nothing.
class FixableToolBarDockContext {
public:
    explicit FixableToolBarDockContext(CXTPToolBar* bar) : bar_(bar) {}
    // FALSE (and no move) while the bar is fixed.
    BOOL StartDrag(POINT point);
    int GetDragCount() const { return drags_; }

private:
    CXTPToolBar* bar_;
    int drags_ = 0;
};

// The fixed state and the leading border a bar is grabbed by.
class FixableBarState {
public:
    virtual ~FixableBarState() = default;
    bool IsFixedState() const { return fixed_; }
    void SetFixedState(bool fixed) { fixed_ = fixed; }

private:
    bool fixed_ = false;
};

template <class Base>
class GenericFixableToolBar : public Base, public FixableBarState {
public:
    GenericFixableToolBar() : dockContext_(this) {}
    FixableToolBarDockContext* GetDockContext() { return &dockContext_; }
    // The borders of the bar: the leading (left, or top when vertical) one is the gripper's.
    RECT GetBorders() const { return RECT{IsFixedState() ? 2 : 8, 2, 2, 2}; }

private:
    FixableToolBarDockContext dockContext_;
};

class FixableToolBar : public GenericFixableToolBar<CXTPToolBar> {
    DECLARE_DYNCREATE(FixableToolBar)
public:
    FixableToolBar() = default;
};

bool IsFixable(const CXTPCommandBar* bar);
bool IsFixed(const CXTPCommandBar* bar);
// Fixes or frees the bar; the frame's layout follows.
void Fix(CXTPCommandBar* bar, bool fixed);

// The command bars of the frameless view tool bars.
class FramelessToolBars : public CXTPCommandBars {
    DECLARE_DYNCREATE(FramelessToolBars)
public:
    FramelessToolBars() = default;
};

}  // namespace Korvo::UI
