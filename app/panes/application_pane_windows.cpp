// The application's docking-pane windows: made on first demand under the hidden host window,
// kept in the application's slots and shared by every main frame.
#include <cstdint>

#include "app/kvw32_app.h"
#include "auxiliary/birdseye/birds_eye_pane.h"
#include "auxiliary/error_window.h"
#include "auxiliary/varnel_frame.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "mainframe/panes/document_pane_windows.h"
#include "mainframe/main_frame.h"
#include "platform/diagnostics.h"
#include "platform/korvoui.h"

namespace {

constexpr UINT kFirstPaneId = 1003;
constexpr UINT kLastPaneId = 1040;
constexpr DWORD kPaneWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

void LogCreated(const wchar_t* logName, CWnd* window) {
    const auto handle = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window->GetSafeHwnd()));
    KVLog_WriteF(3, L"Created %s window 0x%08x", logName, handle);
}

// Creates `window`'s own window as a pane window under `host`; false leaves it without one.
bool CreatePaneWindow(CWnd* window, CWnd* host, UINT paneId) {
    if (!host || !host->GetSafeHwnd()) return false;
    return window->Create(L"STATIC", nullptr, kPaneWindowStyle, RECT{0, 0, 0, 0}, host, paneId, nullptr) != FALSE;
}

// A flagged or owned slot's window: made by `make` only when the slot is empty, creation is asked
// for and the pane is enabled. A window that cannot be created stays in the slot without one.
template <class Make>
CWnd* MakeSlotWindow(PaneWindowSlot& slot, bool create, CWnd* host, UINT paneId, const wchar_t* logName, Make make) {
    if (slot.Get() || !create || slot.IsDisabled()) return slot.Get();
    CWnd* window = make();
    if (!window) return nullptr;
    slot.Reset(window);
    if (CreatePaneWindow(window, host, paneId)) LogCreated(logName, window);
    return slot.Get();
}

// A counted slot's window, handed out by its library with one reference for the slot.
template <class Make>
CWnd* MakeCountedWindow(CountedPaneWindowSlot& slot, bool create, CWnd* host, const wchar_t* logName, Make make) {
    if (slot.Get() || !create) return slot.Get();
    CWnd* window = make(host);
    if (!window) return nullptr;
    slot.Reset(window);
    LogCreated(logName, window);
    return slot.Get();
}

// A window the kernel's 3D part makes: handed back to it once its window exists.
CWnd* Make3DWindow(PaneWindowSlot& slot, bool create, CWnd* host, UINT paneId, const wchar_t* logName,
                   CKVCom_Is3D::PaneWindow kind) {
    const bool wasEmpty = slot.Get() == nullptr;
    CWnd* window =
        MakeSlotWindow(slot, create, host, paneId, logName, [kind] { return CKVCom_Is3D::CreatePaneWindow(kind); });
    if (wasEmpty && window && window->GetSafeHwnd()) CKVCom_Is3D::RegisterPaneWindow(kind, window);
    return window;
}

}  // namespace

CWnd* CKvw32App::GetDockingPaneDummyWindow() {
    if (!m_paneWindows.dummyHost.Get()) m_paneWindows.dummyHost.Reset(Korvo::UI::GetDockingPaneDummyWindow(true));
    return m_paneWindows.dummyHost.Get();
}

bool CKvw32App::EnableDockingPaneWindow(LPCWSTR name, bool enabled) {
    PaneWindowSlot* slot = FindDockingPaneSlot(m_paneWindows, name ? name : L"");
    if (!slot) return false;
    slot->SetEnabled(enabled);
    return true;
}

CWnd* CKvw32App::GetDrawMenuWindow(bool create) {
    return MakeSlotWindow(m_paneWindows.libraries, create, GetDockingPaneDummyWindow(), 1004, L"draw menu",
                          [] { return new DocumentsMenu::DocumentsMenuDlg; });
}

CWnd* CKvw32App::GetBirdsEyeViewWindow(bool create) {
    return MakeSlotWindow(m_paneWindows.birdsEyeView, create, GetDockingPaneDummyWindow(), KVBEV::kPaneId,
                          L"bird's-eye view", [] { return new KVBEV; });
}

CWnd* CKvw32App::GetModelTreeWindow(bool create) {
    return Make3DWindow(m_paneWindows.modelTree, create, GetDockingPaneDummyWindow(), 1006, L"model tree",
                        CKVCom_Is3D::PaneWindow::ModelTree);
}

CWnd* CKvw32App::GetTaskWindow(bool create) {
    return Make3DWindow(m_paneWindows.tasks, create, GetDockingPaneDummyWindow(), 1008, L"task",
                        CKVCom_Is3D::PaneWindow::Task);
}

CWnd* CKvw32App::GetNCWindow(bool create) {
    return Make3DWindow(m_paneWindows.legacyCam, create, GetDockingPaneDummyWindow(), 1009, L"NC",
                        CKVCom_Is3D::PaneWindow::NC);
}

CWnd* CKvw32App::GetGenerationQueueWindow(bool create) {
    return Make3DWindow(m_paneWindows.generationQueue, create, GetDockingPaneDummyWindow(), 1039, L"generation queue",
                        CKVCom_Is3D::PaneWindow::GenerationQueue);
}

CWnd* CKvw32App::GetErrorWindow(bool create) {
    const bool wasEmpty = m_paneWindows.error.Get() == nullptr;
    CWnd* window = MakeSlotWindow(m_paneWindows.error, create, GetDockingPaneDummyWindow(), ErrorWindow::kPaneId,
                                  L"error", [] { return new ErrorWindow; });
    // This edition shows the pane by itself when new errors arrive.
    if (auto* errors = dynamic_cast<ErrorWindow*>(window); wasEmpty && errors) errors->SetAutoShow(true);
    return window;
}

CWnd* CKvw32App::GetWeldTreeWindow(bool create) {
    return MakeSlotWindow(m_paneWindows.weldTree, create, GetDockingPaneDummyWindow(), 1011, L"weld tree",
                          [] { return EditModuleProxy::CreateWeldTreeWindow(); });
}

CWnd* CKvw32App::GetModelElementsWindow(bool create) {
    return MakeSlotWindow(m_paneWindows.modelElements, create, GetDockingPaneDummyWindow(), 1022, L"model elements",
                          [] { return new CModelElementsListWnd; });
}

CWnd* CKvw32App::GetAssemblyStructureWindow(bool create) {
    return MakeSlotWindow(m_paneWindows.assemblyStructure, create, GetDockingPaneDummyWindow(), 1023,
                          L"assembly structure", [] { return new AssemblyStructureWindow; });
}

CWnd* CKvw32App::GetVarnelAssemblyWindow(bool onlyWhenAvailable, bool create) {
    CWnd* window = MakeSlotWindow(m_paneWindows.varnelAssembly, create, GetDockingPaneDummyWindow(), 1019,
                                  L"Varnel assembly", [] { return new CVarnelAssemblyWnd; });
    auto* assembly = dynamic_cast<CVarnelAssemblyWnd*>(window);
    if (onlyWhenAvailable && assembly && !assembly->HasContents()) return nullptr;
    return window;
}

CWnd* CKvw32App::GetVarnelWindow(int kind, bool onlyWhenAvailable, bool create) {
    static constexpr PaneWindowSlot PaneWindows::*kSlots[] = {
        &PaneWindows::varnelDesktop, &PaneWindows::varnelFavorites, &PaneWindows::varnelArchives,
        &PaneWindows::varnelFind, &PaneWindows::varnelMail, &PaneWindows::varnelConfigurationSettings,
        &PaneWindows::varnelLibraryElements};
    static constexpr const wchar_t* kLogNames[] = {L"Varnel desktop", L"Varnel favorites", L"Varnel archives",
                                                   L"Varnel search", L"Varnel mail", L"Varnel configuration settings",
                                                   L"Varnel library elements"};
    if (kind < 0 || kind >= static_cast<int>(std::size(kSlots))) return nullptr;
    const auto index = static_cast<std::size_t>(kind);
    const bool wasEmpty = (m_paneWindows.*kSlots[index]).Get() == nullptr;
    // A new window shows no explorer while the PDM system is away: none is made to be refused.
    if (onlyWhenAvailable && wasEmpty && !KVPDMWorkMix::IsActive()) return nullptr;
    CWnd* window = MakeSlotWindow(m_paneWindows.*kSlots[index], create, GetDockingPaneDummyWindow(),
                                  CVarnelFrame::PaneIdOf(kind), kLogNames[index], [kind] { return new CVarnelFrame(kind); });
    // Hidden until a pane shows it: the showing is what makes the explorer.
    if (wasEmpty && window && window->GetSafeHwnd()) window->ShowWindow(SW_HIDE);
    auto* frame = dynamic_cast<CVarnelFrame*>(window);
    if (onlyWhenAvailable && frame && !frame->IsAvailable()) return nullptr;
    return window;
}

CWnd* CKvw32App::GetVarnelDesktopWindow(bool onlyWhenAvailable, bool create) {
    return GetVarnelWindow(CVarnelFrame::kDesktop, onlyWhenAvailable, create);
}
CWnd* CKvw32App::GetVarnelFavoritesWindow(bool onlyWhenAvailable, bool create) {
    return GetVarnelWindow(CVarnelFrame::kFavorites, onlyWhenAvailable, create);
}
CWnd* CKvw32App::GetVarnelArchivesWindow(bool onlyWhenAvailable, bool create) {
    return GetVarnelWindow(CVarnelFrame::kArchives, onlyWhenAvailable, create);
}
CWnd* CKvw32App::GetVarnelSearchWindow(bool onlyWhenAvailable, bool create) {
    return GetVarnelWindow(CVarnelFrame::kSearch, onlyWhenAvailable, create);
}
CWnd* CKvw32App::GetVarnelMailWindow(bool onlyWhenAvailable, bool create) {
    return GetVarnelWindow(CVarnelFrame::kMail, onlyWhenAvailable, create);
}
CWnd* CKvw32App::GetVarnelConfigurationSettingsWindow(bool onlyWhenAvailable, bool create) {
    return GetVarnelWindow(CVarnelFrame::kConfigurationSettings, onlyWhenAvailable, create);
}
CWnd* CKvw32App::GetVarnelLibraryElementsWindow(bool onlyWhenAvailable, bool create) {
    return GetVarnelWindow(CVarnelFrame::kLibraryElements, onlyWhenAvailable, create);
}

CWnd* CKvw32App::GetPropertiesWindow(bool create) {
    return MakeCountedWindow(m_paneWindows.properties, create, GetDockingPaneDummyWindow(), L"properties",
                             [](CWnd* host) { return Korvo::UI::PropertiesWindow::Instance(host); });
}

CWnd* CKvw32App::GetAnnotationsWindow(bool create) {
    return MakeCountedWindow(m_paneWindows.annotations, create, GetDockingPaneDummyWindow(), L"annotations",
                             [](CWnd* host) { return CAnnotationsWnd::Create(host); });
}

CWnd* CKvw32App::GetConfigurationsWindow(bool create) {
    return MakeCountedWindow(m_paneWindows.configurations, create, GetDockingPaneDummyWindow(), L"configurations",
                             [](CWnd* host) { return CConfigurationsWnd::Instance(host); });
}

CWnd* CKvw32App::GetLayersWindow(bool create) {
    return MakeCountedWindow(m_paneWindows.layers, create, GetDockingPaneDummyWindow(), L"layers",
                             [](CWnd* host) { return CLayersWnd::Create(host); });
}

CWnd* CKvw32App::GetFormFactorWindow(bool create) {
    return MakeCountedWindow(m_paneWindows.formFactor, create, GetDockingPaneDummyWindow(), L"form factor",
                             [](CWnd* host) { return CFormFactorWnd::Create(host); });
}

CWnd* CKvw32App::GetDockingPaneWindow(UINT paneId, bool create) {
    if (paneId < kFirstPaneId || paneId > kLastPaneId) return nullptr;
    PaneWindows& slots = m_paneWindows;
    switch (paneId) {
        case 1005: return GetErrorWindow(create);
        case 1012: return GetVarnelArchivesWindow(true, create);
        case 1013: return GetVarnelDesktopWindow(true, create);
        case 1014: return GetVarnelFavoritesWindow(true, create);
        case 1015: return GetVarnelSearchWindow(true, create);
        case 1027: return GetVarnelMailWindow(true, create);
        case 1033: return GetVarnelConfigurationSettingsWindow(true, create);
        case 1040: return GetVarnelLibraryElementsWindow(true, create);
        case 1003: return GetBirdsEyeViewWindow(create);
        case 1004: return GetDrawMenuWindow(create);
        case 1028: return GetFindCommandWindow(create);
        case 1006: return GetModelTreeWindow(create);
        case 1007: return GetPropertiesWindow(create);
        case 1008: return GetTaskWindow(create);
        case 1009: return GetNCWindow(create);
        case 1011: return GetWeldTreeWindow(create);
        case 1019: return GetVarnelAssemblyWindow(true, create);
        case 1022: return GetModelElementsWindow(create);
        case 1023: return GetAssemblyStructureWindow(create);
        case 1029: return GetAnnotationsWindow(create);
        case 1030: return GetConfigurationsWindow(create);
        case 1031: return GetLayersWindow(create);
        case 1035: return GetFormFactorWindow(create);
        case 1038: return slots.techRequirements.Get();  // only what an add-on put there
        case 1039: return GetGenerationQueueWindow(create);
        default: return nullptr;
    }
}

CXTPDockingPane* CKvw32App::FindDockingPane(UINT paneId, CMainFrame*& frame, CWnd*& window) {
    frame = nullptr;
    window = GetDockingPaneWindow(paneId, true);
    if (!window || !window->GetSafeHwnd()) return nullptr;
    for (CMainFrame* candidate : GetMainFrames()) {
        CXTPDockingPaneManager* manager = candidate->GetDockingPaneManager();
        if (!manager) continue;
        for (CXTPDockingPane* pane : manager->GetPaneList()) {
            if (pane->IsValid() && pane->GetChild() == window->GetSafeHwnd()) {
                frame = candidate;
                return pane;
            }
        }
    }
    return nullptr;
}
