// The value list of a parameter edit: where it comes from, the list button that opens it, its
// menu and what picking an entry does.
#pragma once

#include <memory>

#include "platform/kernel.h"

class CSyspanelEdit;
class CSyspanelEditCtrl;

// The kernel's value list for an edit's two settings keys; empty unless both are 1 or more.
CMenuItemArray LoadEditValueList(int settingsKey1, int settingsKey2);

// Entry `id` (1 to the list's size) replaces the whole text of the edit's window; the edit hears
// of the change (and is marked modified) and applies the value. False, changing nothing, for any
// other id.
bool PickValueListEntry(CSyspanelEditCtrl& window, CSyspanelEdit& control, const CMenuItemArray& list, unsigned id);

// Opens the list's menu for the edit window `owner` under its list button (or under the edit), the
// current text's entry checked, and returns the command the user chose (0: none).
unsigned TrackValueListMenu(CSyspanelEdit& control, const CMenuItemArray& list, CWnd& owner, const CWnd* button);

// The list button at the right end of an edit window.
class EditListButton {
public:
    // The edit window was created or resized. When `wanted` (a list to show, the edit writable)
    // the button is created the first time, placed at the right end of the client area as wide
    // as the area is high, and shown; the edit clips its children and keeps 16 pixels on the
    // right free for it. Otherwise an existing button is hidden and the right margin is the
    // font's again.
    void Layout(CWnd& editWindow, CListButtonXPParent& owner, bool wanted);
    // The button is enabled and disabled with its edit.
    void FollowEnabled(bool enabled);

    // Null until the button was first created.
    CListButtonXP* GetButton() const { return button_.get(); }
    bool IsShown() const { return button_ && button_->GetSafeHwnd() && button_->IsWindowVisible(); }

private:
    std::unique_ptr<CListButtonXP> button_;
};
