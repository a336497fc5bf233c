// A slot that owns one docking-pane window of the application, with three flag bits kept in the
// low bits of the pointer (window objects are at least 8-byte aligned). Bit 0 marks a pane that
// the product ini disabled: no window is ever created for it.
#pragma once

#include <cstdint>

#include "platform/mfc.h"

class PaneWindowSlot {
public:
    PaneWindowSlot() = default;
    ~PaneWindowSlot() { Reset(nullptr); }
    PaneWindowSlot(const PaneWindowSlot&) = delete;
    PaneWindowSlot& operator=(const PaneWindowSlot&) = delete;

    CWnd* Get() const { return reinterpret_cast<CWnd*>(bits_ & ~kFlagMask); }
    bool IsDisabled() const { return (bits_ & kDisabledFlag) != 0; }
    // Clears the flag bits and marks the pane disabled when `enabled` is false.
    void SetEnabled(bool enabled) { bits_ = (bits_ & ~kFlagMask) | (enabled ? 0 : kDisabledFlag); }
    // Destroys the window held (its window first, when it has one, then the object) and takes
    // `window`; the flag bits stay as they were.
    void Reset(CWnd* window);

private:
    static constexpr std::uintptr_t kFlagMask = 7;
    static constexpr std::uintptr_t kDisabledFlag = 1;
    std::uintptr_t bits_ = 0;
};

// A slot that shares one pane window handed out by another library with a reference count: the
// slot holds one reference (the one the library's creator hands out) and gives it back on reset.
class CountedPaneWindowSlot {
public:
    CountedPaneWindowSlot() = default;
    ~CountedPaneWindowSlot() { Reset(nullptr); }
    CountedPaneWindowSlot(const CountedPaneWindowSlot&) = delete;
    CountedPaneWindowSlot& operator=(const CountedPaneWindowSlot&) = delete;

    CWnd* Get() const { return window_; }
    // Takes over the reference that comes with `window` and releases the one held before.
    void Reset(CWnd* window);

private:
    CWnd* window_ = nullptr;
};
