// Control surface of the start-page stand-in for the harness and tests (never for shell code):
// what a start page shows, and the user's clicks in it, which reach the program through the
// page's callback as the managed control's own would.
#pragma once

#include <string>
#include <vector>

#include "platform/managedui.h"

namespace platform::managedui {

struct StartPageState {
    std::vector<KorvoManagedUIProxy::RecentItem> items;
    CString folder;
    bool refreshed = false;  // the last folder change asked for a refresh
    int theme = 0;
    bool showOption = false;
    bool closeAfterOpen = false;
    KorvoManagedUIProxy::IStartPageCallback* callback = nullptr;
};

// The state of a live start-page control, or null.
const StartPageState* startPageState(HWND control);
// The user ticks or clears the page's "show at start-up" box: the control shows it and tells the
// program through its callback. False for a control that is not live.
bool tickShowOption(HWND control, bool on);
// The live start-page controls, in creation order.
std::vector<HWND> startPageControls();

}  // namespace platform::managedui
