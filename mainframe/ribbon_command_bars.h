// The program's command bars (ribbon or classic menus and tool bars) and the ribbon bar.
#pragma once

#include "platform/toolkit.h"

class CMainFrame;

class CKVRibbonCommandBars : public CXTPCommandBars {
    DECLARE_DYNCREATE(CKVRibbonCommandBars)
public:
    BOOL IsRibbonMode() const override { return ribbonMode_; }
    void SetRibbonMode(bool ribbon) { ribbonMode_ = ribbon; }

private:
    bool ribbonMode_ = true;
};

// The frame's ribbon (a command bar of the ribbon work).
class KVRibbonBar : public CXTPToolBar {
    DECLARE_DYNCREATE(KVRibbonBar)
};

// Builds the frame's ribbon. The ribbon model comes with its own work; until then the frame has
// no ribbon bar and this succeeds without one.
bool InitRibbonBar(CMainFrame& frame);
// Builds the frame's classic tool bars (and asks the frame tools engine for the system panel).
// False when a bar cannot be made.
bool InitDockingPanesAndToolBars(CMainFrame& frame);
