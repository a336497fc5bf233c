#include "mainframe/frameless_bars.h"

#include "commandbars/command_bars.h"
#include "mainframe/main_frame.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

using namespace frameless_bars;

struct BarName {
    UINT id;
    const wchar_t* name;
};
constexpr BarName kBars[] = {{kSelectionFilter, L"selection-filter"}, {kAutoMenu, L"auto-menu"},
                             {kView, L"view"},
                             {kEditInPlace, L"edit-in-place"},      {kFeaTaskModel, L"fea-task-model"},
                             {kDrawingView, L"drawing-view"},       {kSplit, L"split"}};
constexpr int kPopupsLeftPosition = 2;
constexpr UINT kDockedViewBar = 1063;

void lockHiddenOrFree(Korvo::UI::FramelessToolBar* bar, bool hidden) {
    if (!bar) return;
    if (hidden) bar->LockVisibility(false);
    else bar->UnlockVisibility();
}

}  // namespace

Korvo::UI::FramelessToolBars* AddFramelessToolBars(CMainFrame* frame) {
    auto* bars = static_cast<Korvo::UI::FramelessToolBars*>(
        CXTPCommandBars::CreateCommandBars(RUNTIME_CLASS(CKVFramelessToolBars), frame));
    if (!bars) return nullptr;
    for (const BarName& entry : kBars) {
        CXTPToolBar* bar = bars->Add(entry.name, xtpBarFloating, RUNTIME_CLASS(Korvo::UI::FramelessToolBar));
        if (!bar) continue;
        bar->SetBarID(entry.id);
        bar->SetShowInList(FALSE);
        bar->SetVisible(FALSE);
    }
    return bars;
}

void ApplyFramelessBarSettings(CMainFrame& frame, const NativeSettings::FramelessBars& place, bool ribbonMode,
                               bool cleanScreen) {
    if (Korvo::UI::FramelessToolBar* autoMenu = frame.GetFramelessToolBar(kAutoMenu)) {
        lockHiddenOrFree(autoMenu, !ribbonMode || place.autoMenu == -1);
        autoMenu->ShowExpandButton(place.hideExpandButtons ? FALSE : TRUE);
        autoMenu->SetPopupsToTheLeft(place.autoMenu == kPopupsLeftPosition);
    }
    if (Korvo::UI::FramelessToolBar* filters = frame.GetFramelessToolBar(kSelectionFilter)) {
        lockHiddenOrFree(filters, place.selectionFilter == -1);
        // The system panel shows the filter buttons itself while it is there to see.
        const CSysPanelToolbar* panel = frame.GetSysPanelToolbar();
        for (int section = 0; section < 3; ++section) {
            if (panel && panel->IsVisible()) filters->LockSectionVisibility(section, false);
            else filters->UnlockSectionVisibility(section);
        }
        const CXTPToolBar* dockedView = frame.GetKeptToolBar(kDockedViewBar);
        if (dockedView && dockedView->IsVisible()) filters->LockSectionVisibility(kViewSection, false);
        else filters->UnlockSectionVisibility(kViewSection);
    }
    lockHiddenOrFree(frame.GetFramelessToolBar(kSplit), !ribbonMode || place.split == -1);
    if (Korvo::UI::FramelessToolBar* view = frame.GetFramelessToolBar(kView)) {
        lockHiddenOrFree(view, (place.view == -1 && !cleanScreen) || place.view == -2);
        view->SetPopupsToTheLeft(place.view == kPopupsLeftPosition);
    }
    lockHiddenOrFree(frame.GetFramelessToolBar(kEditInPlace), place.editInPlace == -1);
    lockHiddenOrFree(frame.GetFramelessToolBar(kFeaTaskModel), place.feaTaskModel == -1);
    lockHiddenOrFree(frame.GetFramelessToolBar(kDrawingView), place.drawingView == -1);
}

std::wstring DescribeFramelessBars(const CMainFrame& frame) {
    std::wstring out;
    for (const BarName& entry : kBars) {
        const Korvo::UI::FramelessToolBar* bar = frame.GetFramelessToolBar(entry.id);
        if (!bar) continue;
        out += L"frameless " + std::to_wstring(entry.id) + L" " + entry.name + L" " + bar->Describe().GetString() + L"\n";
    }
    return out;
}
