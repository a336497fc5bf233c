// What the frame does when the kernel's active command changed: the command sees its view, the
// parameter controls go back to their defaults when nothing runs in a 3D view, the selection
// filters and the ribbon's contextual tabs follow.
#include <algorithm>

#include <boost/scope_exit.hpp>

#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/help/embedded_help_frame.h"
#include "mainframe/main_frame.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

constexpr unsigned kLayerControl = 911, kLevelControl = 907, kPriorityControl = 909;
constexpr short kNoVariable = -1;
// Filter sets whose commands keep the layer, level and priority the user chose.
constexpr int kKeepingFilterSets[] = {5, 13};

}  // namespace

void CMainFrame::UpdateCommandState() {
    if (m_destroying) return;
    KVRibbonBar* ribbon = GetRibbonBar();
    CSysPanelToolbar* panel = GetSysPanelToolbar();
    // Both bars change many controls at once: they are drawn once at the end.
    if (ribbon) ribbon->LockRedraw();
    if (panel) panel->LockRedraw();
    BOOST_SCOPE_EXIT_ALL(ribbon, panel) {
        if (panel) Korvo::UI::UnlockRedraw(panel);
        if (ribbon) Korvo::UI::UnlockRedraw(ribbon);
    };

    // The view of the active document window (the frame's own active view is none of them).
    CKVView* view = GetActiveKorvoView();
    auto* document = view ? dynamic_cast<CKvw32Doc*>(view->GetDocument()) : nullptr;
    if (document && document->IsInCommand()) view->TestTerminateCommand(true);
    // The test may have ended the command.
    const bool commandRuns = document && document->IsInCommand();

    const int filterSet = panel ? panel->GetCurrentFilterSet() : -1;
    const bool keepsValues = std::find(std::begin(kKeepingFilterSets), std::end(kKeepingFilterSets), filterSet) !=
                             std::end(kKeepingFilterSets);
    if (!keepsValues && !commandRuns && document && CKVCom_Is3D::IsIn3DState() && !CKVCom_Is3D::HasActiveOperation()) {
        KVDocument* values = document->Cont2D();
        set_syspanel_int(values, kLayerControl, 0);
        set_syspanel_intvar(values, kLevelControl, 0, kNoVariable);
        set_syspanel_intvar(values, kPriorityControl, 0, kNoVariable);
    }

    UpdateSelectionFilters(true);

    if (CEmbeddedHelpFrame* help = GetEmbeddedHelp()) help->RedrawIfPending();

    if (!ribbon || !IsRibbonMode()) return;
    GUID first{}, second{}, third{};
    GetRibbonContextGuids(*this, first, second, third);
    ribbon->UpdateTabsForDocument(first, second, third, false);
}
