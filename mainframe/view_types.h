// The view-type bits of a frame's active view, and which ribbon groups they show.
#pragma once

#include <optional>

#include "platform/win32/types.h"

// What the bits are made of.
struct ViewTypeFacts {
    bool panelShown = false;     // the frame has a system-panel tool bar and it is shown
    bool hasView = false;        // there is an active view
    bool documentView = false;   // the active view is a document view of the kernel
    int kind = 0;                // the document view's kind
    bool alternate = false;      // the document view reports its alternate state
    bool property3 = false;      // ... its third view property
    bool property4 = false;      // ... its fourth view property
    DWORD documentFlags = 0;     // the flags of the active view's document
};

inline constexpr DWORD kViewTypeNoPanel = 2, kViewTypeKind1 = 4, kViewTypeProperty3 = 8, kViewTypeNoView = 16,
                       kViewTypeProperty4 = 32, kViewTypeFlaggedDocument = 64;
inline constexpr DWORD kFlaggedDocument = 0x10000;

DWORD ComputeViewTypeMask(const ViewTypeFacts& facts);

// Whether a group that needs `required` shows under `mask`; nothing when the group does not
// follow the view (bit 1 of its needs counts for nothing).
std::optional<bool> RibbonGroupShownFor(DWORD required, DWORD mask);
