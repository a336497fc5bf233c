// Menu items and pop-ups that add-on applications put into the classic menu bar: where they go
// (before or after a command, first or last in its list, the "APISamples" pop-up, the help pop-up,
// or the top level) and how they replace an earlier insertion with the same key.
#pragma once

#include <optional>

#include "platform/toolkit.h"

struct UserMenuPlacement {
    BYTE mode = 0;
    DWORD flags = 0;  // 0x100 group at the new control, 0x200 at the next; 0x400/0x800 see FindCommandPosition
    CString key;      // pop-ups: replaces controls whose parameter is the key
    int index = 0;    // modes 0, 5, 6 and above 6: the position in the target list
};

struct ControlPosition {
    CXTPControls* list = nullptr;
    int index = 0;
};

inline constexpr DWORD kHelpAnchorFlag = 0x1000;

// Where command `id` stands (recursively). A pop-up found there is entered (its first position)
// unless `flags` hold 0x400 or 0x800; then 0x800 is cleared and the pop-up itself is the position.
std::optional<ControlPosition> FindCommandPosition(CXTPControls* controls, int id, DWORD& flags);
// The first control (recursively) whose parameter equals `parameter` without regard to case.
CXTPControl* FindControlByParameter(CXTPControls* controls, const CString& parameter);
// The first control (recursively) with the help-anchor flag.
CXTPControl* FindHelpAnchor(CXTPControls* controls);

// The pop-up an add-on's help items go to in the ribbon: that of the help anchor inside (or on) the
// first visible free-standing control that holds one; null when none does.
CXTPControls* FindRibbonHelpPopup(CXTPControls* ribbonControls);

// The context of an insertion: the menu bar's controls, the ribbon's help-anchored pop-up (or
// null), the command bars that own new pop-up bars, and the frame's user-item count.
struct UserMenuTarget {
    CXTPControls* menuBar = nullptr;
    CXTPControls* ribbonHelp = nullptr;
    CXTPCommandBars* commandBars = nullptr;
    UINT* userItemCount = nullptr;
};

// A button for `command`, captioned (caption, description and tooltip) with `caption`.
bool InsertUserMenuItem(const UserMenuTarget& target, const CString& caption, UINT command, int referenceId,
                        UserMenuPlacement placement);
// A pop-up with the items of `menu`; false for an invalid menu handle.
bool InsertUserPopupMenu(const UserMenuTarget& target, const CString& caption, HMENU menu, int referenceId,
                         UserMenuPlacement placement);
