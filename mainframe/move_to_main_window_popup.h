// The contents of the "move to main window" popup (command 2825): a new main window, and with two
// frames or more the frames a document can move to, the current one checked. Rebuilt on every
// opening; the popup control itself comes with the toolkit's popup controls.
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
