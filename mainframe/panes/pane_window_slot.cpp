#include "mainframe/panes/pane_window_slot.h"

#include <utility>

void PaneWindowSlot::Reset(CWnd* window) {
    CWnd* old = Get();
    bits_ = reinterpret_cast<std::uintptr_t>(window) | (bits_ & kFlagMask);
    if (!old || old == window) return;
    if (old->GetSafeHwnd()) old->DestroyWindow();
    delete old;
}

void CountedPaneWindowSlot::Reset(CWnd* window) {
    CWnd* old = std::exchange(window_, window);
    if (old && old != window) old->InternalRelease();
}
