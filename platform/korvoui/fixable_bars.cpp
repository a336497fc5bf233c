#include "platform/korvoui/fixable_bars.h"

#include "platform/core/record.h"

namespace Korvo::UI {

IMPLEMENT_DYNCREATE(FixableToolBar, CXTPToolBar)
IMPLEMENT_DYNCREATE(FramelessToolBars, CXTPCommandBars)

BOOL FixableToolBarDockContext::StartDrag(POINT) {
    if (IsFixed(bar_)) return FALSE;
    ++drags_;
    return TRUE;
}

bool IsFixable(const CXTPCommandBar* bar) { return dynamic_cast<const FixableBarState*>(bar) != nullptr; }

bool IsFixed(const CXTPCommandBar* bar) {
    const auto* state = dynamic_cast<const FixableBarState*>(bar);
    return state && state->IsFixedState();
}

void Fix(CXTPCommandBar* bar, bool fixed) {
    auto* state = dynamic_cast<FixableBarState*>(bar);
    if (!state) return;
    platform::core::recordCall(L"Korvo::UI::Fix(" + platform::core::quoted(std::wstring(bar->GetTitle())) + L", " +
                               (fixed ? L"true" : L"false") + L")");
    state->SetFixedState(fixed);
    if (CXTPCommandBars* bars = bar->GetCommandBars()) bars->RecalcFrameLayout();
}

}  // namespace Korvo::UI
