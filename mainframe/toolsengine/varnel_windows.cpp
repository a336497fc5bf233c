// The PDM docking windows of a frame. Which of them the pane lists offer is one set for the
// whole program (every frame shows the same PDM windows); a frame shows a pane only when its own
// state asks for it and no frame lists it yet.
#include <cwchar>

#include "services/application.h"
#include "auxiliary/start_page.h"
#include "auxiliary/varnel_frame.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/docking_panes_init.h"
#include "mainframe/toolsengine/frame_tools_engine.h"
#include "mainframe/toolsengine/varnel_windows.h"
#include "platform/kernel/services/pdm_system.h"
#include "platform/korvoui.h"

namespace {

constexpr UINT kAssemblyPane = 1019;
constexpr DWORD kAssemblyBit = 2;
constexpr int kConfigurationSettingsFrom = 17;

DWORD& listedBits() {
    static DWORD bits = 0;
    return bits;
}

struct PdmPane {
    int kind;
    UINT paneId;
    DWORD bit;
};

// The panes in the order they are shown, before and after the assembly pane.
constexpr PdmPane kShownFirst[] = {{CVarnelFrame::kArchives, 1012, 1},
                                   {CVarnelFrame::kDesktop, 1013, 4},
                                   {CVarnelFrame::kFavorites, 1014, 8},
                                   {CVarnelFrame::kConfigurationSettings, 1033, 64},
                                   {CVarnelFrame::kSearch, 1015, 16}};
constexpr PdmPane kShownLast[] = {{CVarnelFrame::kMail, 1027, 32}, {CVarnelFrame::kLibraryElements, 1040, 128}};
constexpr UINT kClosingOrder[] = {1015, 1014, 1033, 1013, 1012, kAssemblyPane, 1027, 1040};

bool configurationSettingsSystem() {
    const CString version = KVPDMGetSystemVersion();
    return std::wcstol(version.GetString(), nullptr, 10) >= kConfigurationSettingsFrom;
}

void setListed(CXTPDockingPane* pane, DWORD bit) {
    if (auto* listed = dynamic_cast<Korvo::UI::DockingPane*>(pane)) listed->ShowInPaneLists((listedBits() & bit) != 0);
}

void closePane(CXTPDockingPaneManager& panes, UINT paneId, DWORD bit) {
    panes.ClosePane(paneId);
    listedBits() &= ~bit;
}

// One PDM pane by the pane-list rule: closed and unlisted without a usable window, else shown
// (without focus) and listed when the frame's bits ask for it and no frame lists it yet.
void showPane(CXTPDockingPaneManager& panes, DWORD frameBits, bool usable, UINT paneId, DWORD bit) {
    if (!usable) {
        closePane(panes, paneId, bit);
    } else if ((frameBits & bit) && !(listedBits() & bit)) {
        panes.ShowPane(paneId, FALSE);
        listedBits() |= bit;
    }
    setListed(panes.FindPane(paneId), bit);
}

// A frame made before the assembly had contents has no pane for it yet: it is made beside the
// model tree, as the first frame's panes are.
void ensureAssemblyPane(CXTPDockingPaneManager& panes, const CVarnelAssemblyWnd& assembly) {
    constexpr UINT kModelTreePane = 1006;
    constexpr SIZE kPaneSize{300, 140};
    if (panes.FindPane(kAssemblyPane)) return;
    const SIZE size = XTPDpiHelper()->Scale(kPaneSize);
    Korvo::UI::CreateDockingPane(&panes, kAssemblyPane, 0, assembly.GetCaption(), RECT{0, 0, size.cx, size.cy}, 0,
                                 panes.FindPane(kModelTreePane));
}

}  // namespace

DWORD ListedVarnelPanes() { return listedBits(); }

std::wstring DescribeVarnelAssembly() {
    ApplicationServices* app = ApplicationServices::Instance();
    const auto* assembly = app ? dynamic_cast<CVarnelAssemblyWnd*>(app->GetVarnelAssemblyWindow(false, false)) : nullptr;
    if (!assembly) return {};
    return std::wstring(L"pdm-assembly contents ") + (assembly->HasContents() ? L"on" : L"off") + L" connected " +
           (assembly->AreContentsConnected() ? L"on" : L"off");
}

void CFrameToolsEngine::ShowVarnelWindows(bool show) {
    ApplicationServices* app = ApplicationServices::Instance();
    if (!m_frame || !app) return;
    CXTPDockingPaneManager& panes = m_frame->GetPaneManager();
    m_frame->ShowFlaggedCommandControls(show);
    auto* assembly = dynamic_cast<CVarnelAssemblyWnd*>(app->GetVarnelAssemblyWindow(false, false));
    auto windowOf = [&](int kind) { return dynamic_cast<CVarnelFrame*>(app->GetVarnelWindow(kind, false, false)); };
    if (show) {
        // The panes made closed here are not the user's closing: the frame's bits stay.
        const DWORD wanted = m_varnelWindows;
        EnsurePdmExplorerPanes(panes);
        m_varnelWindows = wanted;
        const bool configurationSettings = configurationSettingsSystem();
        for (int kind = CVarnelFrame::kDesktop; kind <= CVarnelFrame::kLibraryElements; ++kind)
            if (CVarnelFrame* window = windowOf(kind)) window->OnActivatePane();
        if (assembly) assembly->ConnectContents();
        if (assembly && assembly->HasContents()) ensureAssemblyPane(panes, *assembly);
        RefreshAllWorkmixPages();
        for (const PdmPane& pane : kShownFirst) {
            CVarnelFrame* window = windowOf(pane.kind);
            // One of favorites and configuration settings, by the PDM system's version.
            const bool wanted = pane.kind == CVarnelFrame::kFavorites ? !configurationSettings
                              : pane.kind == CVarnelFrame::kConfigurationSettings ? configurationSettings
                                                                                  : true;
            showPane(panes, m_varnelWindows, wanted && window && window->GetSafeHwnd() && window->IsAvailable(),
                     pane.paneId, pane.bit);
        }
        if (assembly && assembly->HasContents() && (m_varnelWindows & kAssemblyBit) && !(listedBits() & kAssemblyBit)) {
            panes.ShowPane(kAssemblyPane, FALSE);
            listedBits() |= kAssemblyBit;
        } else if (!(assembly && assembly->HasContents() && (listedBits() & kAssemblyBit))) {
            closePane(panes, kAssemblyPane, kAssemblyBit);
        }
        setListed(panes.FindPane(kAssemblyPane), kAssemblyBit);
        for (const PdmPane& pane : kShownLast) {
            CVarnelFrame* window = windowOf(pane.kind);
            showPane(panes, m_varnelWindows, window && window->GetSafeHwnd() && window->IsAvailable(), pane.paneId,
                     pane.bit);
        }
    } else {
        CloseWorkmixPagesOf(m_frame);
        for (int kind = CVarnelFrame::kDesktop; kind <= CVarnelFrame::kLibraryElements; ++kind)
            if (CVarnelFrame* window = windowOf(kind)) window->DestroyExplorer();
        if (assembly) assembly->DestroyContents();
        // The frame's bits keep the panes to show again on the next connection: a close the
        // program makes is not the user's.
        const DWORD wanted = m_varnelWindows;
        for (const UINT paneId : kClosingOrder) panes.ClosePane(paneId);
        m_varnelWindows = wanted;
        listedBits() = 0;
    }
    if (KVArePdmWindowsShown() != show) KVSetPdmWindowsShown(show);
    // The frame's work-mix clipart views follow: back into their panes, or out with their panes closed.
    if (show) CClipartView::ReconnectPdmViews(m_frame);
    else CClipartView::DisconnectPdmViews(m_frame);
}
