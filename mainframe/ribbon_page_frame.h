// The customise sheet's ribbon page over a main frame.
#pragma once

#include "platform/mfc.h"

class CMainFrame;

// Gives the customise sheet its ribbon page, over the frame's ribbon; the sheet's value is the
// tab, group or control the ribbon's customise menu was opened on (0: none).
void UseRibbonPageInCustomizeSheet();
// Lets ribbon pages find the main frame of their ribbon (done by the sheet before it shows one).
void UseMainFramesForRibbonPage();
