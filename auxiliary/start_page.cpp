#include "auxiliary/start_page.h"

bool g_bShowStartPage = true;

void ShowStartPageOnStartup() {}

void ForEachStartPageView(const std::function<void(IStartPageView*)>&) {}
