#include "mainframe/panes/docking_panes_init.h"

#include <map>
#include <vector>

#include "services/application.h"
#include "auxiliary/varnel_frame.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/docking_pane_manager.h"
#include "mainframe/statusline/stopwatch.h"
#include "platform/diagnostics.h"
#include "platform/korvoui.h"
#include "platform/textcore.h"

namespace {

constexpr SIZE kWide{300, 140};
constexpr SIZE kSmall{270, 40};
constexpr SIZE kLarge{270, 240};
constexpr SIZE kFindCommand{300, 500};
constexpr SIZE kOwnSize{0, 0};
constexpr UINT kDrawMenuPane = 1004;
constexpr UINT kPaneIconsResource = 1244;

using G = PaneGroup;

CString Caption(const InitialPaneRow& row, CWnd* window) {
    if (row.captionString) return KVLoadString(row.captionString);
    if (row.captionKey) return Korvo::I18n::Translate(row.captionKey);
    CString own;
    window->GetWindowText(own);
    return own;
}

RECT InitialRect(SIZE size) {
    const SIZE scaled = XTPDpiHelper()->Scale(size.cx ? size : kWide);
    return RECT{0, 0, scaled.cx, scaled.cy};
}

bool IsPdmExplorerPane(UINT paneId) {
    for (int kind = CVarnelFrame::kDesktop; kind <= CVarnelFrame::kLibraryElements; ++kind)
        if (CVarnelFrame::PaneIdOf(kind) == paneId) return true;
    return false;
}

// The window a pane is made for. A PDM explorer window is made only while the PDM system is
// connected: without it there is no explorer to show, and the connection makes the panes
// (EnsurePdmExplorerPanes).
CWnd* WindowOfPane(ApplicationServices& app, UINT paneId) {
    if (IsPdmExplorerPane(paneId) && !KVPDMWorkMix::IsActive()) return nullptr;
    return app.GetDockingPaneWindow(paneId, true);
}

bool IsHeldByAPane(HWND window) {
    for (CMainFrame* frame : CMainFrame::GetAll())
        if (const CXTPDockingPaneManager* manager = frame->GetDockingPaneManager())
            for (const CXTPDockingPane* pane : manager->GetPaneList())
                if (pane->HoldsChild() && pane->GetChild() == window) return true;
    return false;
}

}  // namespace

// clang-format off
const std::array<InitialPaneRow, 34> kInitialPanes{{
    {1012, G::Pdm, 0, 13583, nullptr, kLarge, 3, false},
    {1013, G::Pdm, 0, 13584, nullptr, kLarge, 3, false},
    {1014, G::Pdm, 0, 13585, nullptr, kLarge, 3, false},
    {1033, G::Pdm, 0, 0, L"panes.varnel.configuration_settings", kLarge, 3, false},
    {1015, G::Pdm, 0, 40701, nullptr, kLarge, 3, false},
    {1027, G::Pdm, 0, 0, L"panes.varnel.mail", kLarge, 3, false},
    {1040, G::Pdm, 0, 0, L"panes.varnel.library_elements", kLarge, 3, false},
    {1020, G::Pdm, 793, 42561, nullptr, kSmall, 3, true},
    {1030, G::Pdm, 816, 0, L"panes.model_configurations", kSmall, 3, false},
    {1038, G::Pdm, 823, 0, L"panes.tech_requirements", kLarge, 3, true},
    {1019, G::Model, kWindowIcon, 0, nullptr, kOwnSize, 0, false},
    {1006, G::Model, 785, 13402, nullptr, kWide, 0, false},
    {1022, G::Model, 795, 0, L"panes.model_elements", kWide, 0, false},
    {1004, G::Model, 783, 12605, nullptr, kWide, 0, false},
    {1007, G::Model, 811, 12753, nullptr, kWide, 0, false},
    {1008, G::Model, 4172, 40332, nullptr, kWide, 0, false},
    {1009, G::Model, 4226, 40580, nullptr, kWide, 0, false},
    {1025, G::Model, 40778, 43717, nullptr, kWide, 0, true},
    {1034, G::Model, 820, 0, L"panes.cam", kWide, 0, true},
    {1011, G::Model, 813, 41045, nullptr, kWide, 0, false},
    {1010, G::Model, 812, 40702, nullptr, kWide, 0, true},
    {1029, G::Model, 815, 0, L"panes.annotations", kWide, 0, false},
    {1031, G::Model, 817, 0, L"panes.layers", kWide, 0, false},
    {1032, G::Model, 818, 0, L"panes.quality_management", kSmall, 1, true},
    {1036, G::Model, 822, 0, L"panes.background_tasks", kSmall, 1, true},
    {1039, G::Model, 824, 0, L"panes.generation_queue", kSmall, 1, false},
    {1003, G::BirdsEye, 782, 10163, nullptr, kSmall, 3, false},
    {1005, G::BirdsEye, 4153, 12125, nullptr, kSmall, 3, false},
    {1017, G::BirdsEye, 786, 41279, nullptr, kSmall, 3, true},
    {1023, G::Structure, 796, 0, L"panes.assembly_structure", kSmall, 1, false},
    {1021, G::Structure, 794, 42513, nullptr, kSmall, 1, true},
    {1035, G::Pdm, 821, 0, L"panes.formfactors", kSmall, 3, false},
    {1028, G::None, 799, 0, L"panes.find_command", kFindCommand, Korvo::UI::kFloatingPaneDirection, false},
    {1041, G::None, 4172, 0, L"FeaResult.Dialog.Title", kOwnSize, 0, true},
}};

const std::array<UINT, 29> kFirstFrameClosedPanes{
    1015, 1014, 1033, 1013, 1012, 1019, 1027, 1040, 1005, 1029, 1031, 1032, 1036, 1039, 1030,
    1003, 1020, 1021, 1035, 1038, 1023, 1010, 1011, 1009, 1008, 1025, 1034, 1041, 1028,
};
// clang-format on

CString InitialPaneCaption(UINT paneId) {
    for (const InitialPaneRow& row : kInitialPanes)
        if (row.id == paneId && (row.captionString || row.captionKey)) return Caption(row, nullptr);
    return CString();
}

void EnsurePdmExplorerPanes(CXTPDockingPaneManager& manager) {
    ApplicationServices* app = ApplicationServices::Instance();
    if (!app || !KVPDMWorkMix::IsActive()) return;
    CXTPDockingPane* group = nullptr;
    for (const InitialPaneRow& row : kInitialPanes)
        if (row.group == PaneGroup::Pdm && !row.editionOnly && !group) group = manager.FindPane(row.id);
    for (const InitialPaneRow& row : kInitialPanes) {
        if (!IsPdmExplorerPane(row.id)) continue;
        CWnd* window = app->GetDockingPaneWindow(row.id, true);
        if (!window || !window->GetSafeHwnd()) continue;
        if (CXTPDockingPane* kept = manager.FindPane(row.id)) {
            // A pane the saved layout brought back while the PDM system was away has no window;
            // one shown meanwhile takes it now, unless another frame's pane holds it.
            if (!kept->IsClosed() && !kept->IsValid() && !IsHeldByAPane(window->GetSafeHwnd())) kept->Attach(window);
            continue;
        }
        CXTPDockingPane* pane = Korvo::UI::CreateDockingPane(&manager, row.id, row.icon, Caption(row, window),
                                                             InitialRect(row.size), row.direction);
        if (!pane) continue;
        if (group) manager.AttachPane(pane, group);
        manager.ClosePane(pane);
        group = pane;
    }
}

bool CreateInitialDockingPanes(CXTPDockingPaneManager* manager, bool firstFrame) {
    ApplicationServices* app = ApplicationServices::Instance();
    if (!manager || !app) return false;
    const Stopwatch stopwatch;

    std::map<PaneGroup, std::vector<CXTPDockingPane*>> groups;
    for (const InitialPaneRow& row : kInitialPanes) {
        if (row.editionOnly) continue;
        CWnd* window = WindowOfPane(*app, row.id);
        if (!window || !window->GetSafeHwnd()) continue;
        const int icon = row.icon == kWindowIcon ? 0 : row.icon;
        CXTPDockingPane* pane = Korvo::UI::CreateDockingPane(manager, row.id, icon, Caption(row, window),
                                                             InitialRect(row.size), row.direction);
        if (!pane) return false;
        if (row.group == PaneGroup::None) continue;
        std::vector<CXTPDockingPane*>& group = groups[row.group];
        if (!group.empty()) manager->AttachPane(pane, group.back());
        group.push_back(pane);
    }

    if (firstFrame) {
        for (UINT id : kFirstFrameClosedPanes) manager->ClosePane(id);
        for (const auto& [group, panes] : groups) {
            for (CXTPDockingPane* pane : panes) {
                if (pane->IsClosed()) continue;
                manager->ShowPane(pane, FALSE);
                break;
            }
        }
        if (!manager->IsPaneClosed(kDrawMenuPane)) manager->ShowPane(kDrawMenuPane, FALSE);
    } else {
        for (CXTPDockingPane* pane : std::vector<CXTPDockingPane*>(manager->GetPaneList())) manager->ClosePane(pane);
        ReseatSharedPaneWindows(manager);
    }

    manager->GetImageManager()->SetIcon(kPaneIconsResource, 16);
    const long long elapsed = stopwatch.elapsedMicroseconds();
    KVLog_WriteF(2, L"Initialized docking panes in %lld.%03lld ms", elapsed / 1000, elapsed % 1000);
    return true;
}
