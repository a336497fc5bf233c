// The program's command bars (ribbon or classic menus and tool bars) and the ribbon bar.
#pragma once

#include "commandbars/command_bars.h"
#include "commandbars/kv_ribbon_bar.h"
#include "platform/toolkit.h"

class CMainFrame;

// Readies the frame's ribbon once its layout is applied: no docking, the system button's icon, the
// backstage bound to the frame's command bars, the PDM popup in the caption row.
bool InitRibbonBar(CMainFrame& frame);
