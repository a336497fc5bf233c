// A pane window the application holds in a slot, reached only while it is of the expected class
// and its window exists.
#pragma once

#include "platform/mfc.h"

template <class Window>
Window* ExistingWindow(CWnd* window) {
    auto* typed = dynamic_cast<Window*>(window);
    return typed && typed->GetSafeHwnd() ? typed : nullptr;
}
