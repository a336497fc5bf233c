// The UI library's fixable tool bars (a fixed bar cannot be moved or closed by the user), their
// dock context, and the command bars of a frame's frameless view tool bars.
#pragma once

#include <map>

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

// A frameless tool bar: shown over a view when the view's type wants it, unless the frame locks
// its visibility. Sections of the bar (runs of its controls) can be locked hidden on their own.
// Its popups open to the right, or to the left when the bar sits at the view's right edge.
class FramelessToolBars;

class FramelessToolBar : public CXTPToolBar {
    DECLARE_DYNCREATE(FramelessToolBar)
public:
    FramelessToolBar() = default;

    // The visibility the view type asks for; it holds while the visibility is not locked.
    void SetWantedVisible(bool visible);
    bool IsWantedVisible() const { return wanted_; }
    // Locks the bar shown or hidden whatever the view wants, until UnlockVisibility.
    void LockVisibility(bool visible);
    void UnlockVisibility();
    bool IsVisibilityLocked() const { return locked_; }

    // A section locked hidden stays hidden while the rest of the bar shows; a section that is
    // not locked shows as the bar does.
    void LockSectionVisibility(int section, bool visible);
    void UnlockSectionVisibility(int section);
    // -1: not locked; 0 locked hidden; 1 locked shown.
    int GetSectionLock(int section) const;

    void SetPopupsToTheLeft(bool left) { popupsLeft_ = left; }
    bool IsPopupsToTheLeft() const { return popupsLeft_; }

    // The view the bar was last placed over (null: none) and its place there, in the view's
    // client coordinates.
    HWND GetPlacedOver() const { return placedOver_; }
    POINT GetPlacedAt() const { return placedAt_; }

    // One line: "visible|hidden", "locked"/"free", "popups left|right", "expand on|off", the
    // locked sections ("section N hidden|shown"), while shown over a view "at X,Y", and "icons
    // WxH" once the bar has an icon size of its own.
    CString Describe() const;

private:
    friend void PlaceFramelessToolBars(FramelessToolBars& bars, CView* view, DWORD wanted);
    void applyVisibility();
    HWND placedOver_ = nullptr;
    POINT placedAt_{};
    bool wanted_ = false;
    bool locked_ = false;
    bool lockedVisible_ = false;
    bool popupsLeft_ = false;
    std::map<int, bool> sections_;
};

// The command bars of the frameless view tool bars.
class FramelessToolBars : public CXTPCommandBars {
    DECLARE_DYNCREATE(FramelessToolBars)
public:
    FramelessToolBars() = default;
    // The frameless bar with the id, or null.
    FramelessToolBar* GetFramelessToolBar(UINT barId) const;
};

// Puts the frameless bars over `view` (null: over no view): a bar whose id's bit is in `wanted`
// shows unless its visibility is locked, the others go. The shown bars line up down the view's
// left edge, those whose popups open to the left down its right edge, each at its content size
// and on top of the site's other windows, so that they follow the view and never cover each
// other.
void PlaceFramelessToolBars(FramelessToolBars& bars, CView* view, DWORD wanted);

}  // namespace Korvo::UI
