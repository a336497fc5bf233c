#include "mainframe/view_types.h"

DWORD ComputeViewTypeMask(const ViewTypeFacts& facts) {
    DWORD mask = 0;
    if (!facts.panelShown) mask |= kViewTypeNoPanel;
    if (facts.documentView && (facts.kind == 1 || facts.alternate)) mask |= kViewTypeKind1;
    if (facts.documentView && facts.property3) mask |= kViewTypeProperty3;
    if (!facts.hasView || (facts.documentView && facts.kind == 2 && !facts.alternate)) mask |= kViewTypeNoView;
    if (facts.documentView && facts.property4) mask |= kViewTypeProperty4;
    if (facts.hasView && (facts.documentFlags & kFlaggedDocument)) mask |= kViewTypeFlaggedDocument;
    return mask;
}

std::optional<bool> RibbonGroupShownFor(DWORD required, DWORD mask) {
    required &= ~static_cast<DWORD>(1);
    if (required == 0) return std::nullopt;
    return (mask & required) == required;
}
