// The start page shown when the program starts.
#pragma once

// The product ini's "StartPage" setting: whether start-up may show the start page at all.
extern bool g_bShowStartPage;

// Shows the start-up page by the kernel's start-page mode. There are no start pages in this
// build yet, so nothing is shown.
void ShowStartPageOnStartup();
