// The "move to main window" popup (command 2825): a new main window, and with two frames or more
// the frames a document can move to, the current one checked. Rebuilt on every opening.
#pragma once

#include <vector>

#include "platform/toolkit.h"

class CMainFrame;

inline constexpr UINT kMoveToMainWindowCommand = 2825;
inline constexpr UINT kNewMainWindowCommand = 2826;
inline constexpr UINT kFirstMoveTargetCommand = 3450;
inline constexpr UINT kLastMoveTargetCommand = 3498;

// Replaces `controls` with the popup's buttons for `frames` (in the application's order) with
// `current` checked. Nothing changes while the command bars are being customised.
void FillMoveToMainWindowControls(CXTPControls* controls, const std::vector<CMainFrame*>& frames,
                                  const CMainFrame* current, bool customizing);

// The popup control: its own popup bar, filled each time it opens (unless the bars are being
// customised) for the frame that holds it, or the active frame when it sits on no bar.
class MoveToMainWindowPopup : public CXTPControlPopup {
    DECLARE_DYNCREATE(MoveToMainWindowPopup)
public:
    MoveToMainWindowPopup();
    // Gives the control its popup bar in `bars`.
    void Build(CXTPCommandBars* bars);
    void OnSetPopup(BOOL popup) override;
};
