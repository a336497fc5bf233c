// The customise sheet's ribbon page over a main frame.
#pragma once

#include "platform/mfc.h"

class CMainFrame;

// Shows the customise sheet on its ribbon page for `frame`'s ribbon; `item` is the tab, group or
// control the ribbon's customise menu was opened on (0: none).
void ShowRibbonCustomizeSheet(CMainFrame* frame, LPARAM item);
// Lets ribbon pages find the main frame of their ribbon (done by the sheet before it shows one).
void UseMainFramesForRibbonPage();
