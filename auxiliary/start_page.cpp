#include "auxiliary/start_page.h"

bool g_bShowStartPage = true;

void ShowStartPageOnStartup() {}
