// A main frame's "MainWindow" element: written from the live frame, and a loaded state applied
// to it. The toolkit's command-bars layout travels in the element's "codejock" node, with one
// section per screen mode that has a layout of its own.
#include <algorithm>
#include <cstdint>
#include <optional>

#include <boost/scope_exit.hpp>

#include "services/application.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/frame_control_walk.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_state.h"
#include "mainframe/main_window_attributes.h"
#include "mainframe/menu_insertion.h"
#include "platform/toolkit/propexchange_tree.h"
#include "syspanel/raytracing_popups.h"

namespace {

using Korvo::UI::XML::Element;

constexpr const wchar_t* kLayoutNode = L"codejock";
constexpr const wchar_t* kNormalLayout = L"normalLayout";
constexpr const wchar_t* kFullScreenLayout = L"fullscreenLayout";
constexpr const wchar_t* kFramelessToolBar = L"framelessToolBar";
constexpr Korvo::VersionNumber kProgramVersion(18, 0, 21, 0);

// An element of the model as the toolkit's exchange takes a tree.
class ElementTree : public CXTPPropExchangeXMLTree {
public:
    explicit ElementTree(const Element& root) : m_root(root) {}
    void Write(Writer& writer) const override { Write(m_root, writer); }

private:
    static void Write(const Element& element, Writer& writer) {
        writer.OpenElement(element.name());
        for (const auto& [name, value] : element.attributes()) writer.AddAttribute(name, value);
        for (const auto& child : element.children()) Write(*child, writer);
        writer.CloseElement();
    }

    const Element& m_root;  // outlived by the tree, which lives for one load
};

// The toolkit's exchange over an element of the model: loading reads a copy of it (built from
// the element, not printed and parsed again).
std::unique_ptr<CXTPPropExchangeXMLNode> LoadingExchange(const Element& node) {
    auto exchange = std::make_unique<CXTPPropExchangeXMLNode>(TRUE, node.name().c_str());
    if (!LoadPropExchangeFromTree(*exchange, ElementTree(node), L"state.xml")) return nullptr;
    return exchange;
}

CXTPPropExchangeXMLNode* PresentSection(CXTPPropExchange* section) {
    auto* node = dynamic_cast<CXTPPropExchangeXMLNode*>(section);
    return node && node->IsSectionPresent() ? node : nullptr;
}

// The render quality the frame's quality popups hold; none without a popup.
std::optional<std::int32_t> FrameOptixQuality(CMainFrame& frame) {
    std::optional<std::int32_t> quality;
    ForEachFrameControlOf<OptixQualityPopup>(frame, [&](OptixQualityPopup* popup) {
        if (!quality) quality = *static_cast<const std::int32_t*>(popup->GetValue());
    });
    return quality;
}

}  // namespace

void CMainFrame::SaveXmlState(Element& element, bool withPlacement, bool withDockingPanes) {
    using Korvo::UI::XML::BoolText;
    if (withPlacement) {
        // Full screen and the clean screen cover the monitor for a while: the place kept is the
        // one the window goes back to.
        const RECT& normal = m_savedNormalRect;
        if (m_screenMode != 0 && normal.right > normal.left && normal.bottom > normal.top)
            Korvo::UI::XML::SaveWindowPlacement(element, normal);
        else
            Korvo::UI::XML::SaveWindowPlacement(element, GetSafeHwnd());
        Korvo::UI::XML::SaveWindowState(element, GetSafeHwnd());
        element.setAttribute(L"fullscreen", BoolText(m_screenMode == 1));
    }
    element.setAttribute(L"workbook", BoolText(m_workbookMode));
    BOOL maximized = FALSE;
    const bool hasChild = MDIGetActive(&maximized) != nullptr;
    element.setAttribute(L"maximizeMdi", BoolText(hasChild ? maximized != FALSE : GlobalContainer::GetMaximizeMdi()));
    element.setAttribute(L"minimizeRibbonBarInWindowedMode", BoolText(m_minimizeRibbonWindowed));
    element.setAttribute(L"minimizeRibbonBarInFullscreenMode", BoolText(m_minimizeRibbonFullScreen));
    element.setAttribute(L"showClassicAutoMenu", BoolText(m_showClassicAutoMenu));
    element.setAttribute(L"showDockingPaneTabCaptions", BoolText(m_paneManager.IsTabCaptionsShown() != FALSE));
    element.setAttribute(L"analysisMode", AnalysisModeText(m_analysisRibbonId).GetString());
    element.setAttribute(L"varnelWindows", PdmWindowsText(GetVarnelWindowBits()).GetString());
    element.setAttribute(Korvo::UI::XML::AttributeNames::VersionNumber, kProgramVersion.toString().GetString());

    element.removeChildren(Korvo::UI::XML::TagNames::RibbonBar);
    if (KVRibbonBar* ribbon = GetRibbonBar()) {
        Korvo::UI::XML::ApplicationParameters parameters;
        parameters.writeAttributes = WriteLayoutControlAttributes;
        parameters.controlName = FrameControlName;
        auto saved = std::make_shared<Korvo::UI::XML::RibbonBar>();
        saved->save(*ribbon, parameters, kProgramVersion);
        element.addChild(saved);
    }
    element.removeChildren(kFramelessToolBar);
    if (CXTPToolBar* frameless = GetFramelessViewToolBar()) {
        Korvo::UI::XML::ApplicationParameters parameters;
        parameters.writeAttributes = WriteLayoutControlAttributes;
        auto saved = std::make_shared<Korvo::UI::XML::ToolBar>(kFramelessToolBar);
        saved->save(*frameless, parameters);
        element.addChild(saved);
    }
    SaveCommandBarsLayout(element, withDockingPanes);
}

std::shared_ptr<Element> CMainFrame::SaveCommandBarsLayout(Element& element, bool withDockingPanes) {
    CXTPPropExchangeXMLNode node(FALSE, kLayoutNode);
    // The layout of the normal screen is written as the normal screen shows it.
    const UINT mode = m_screenMode;
    SetScreenMode(0);
    {
        std::unique_ptr<CXTPPropExchange> normal = node.GetSection(kNormalLayout);
        ExchangeCommandBarsLayout(*normal, false, withDockingPanes);
    }
    if (auto* fullScreen = PresentSection(m_fullScreenLayoutSection.get())) node.PutSection(*fullScreen);
    SetScreenMode(mode);
    std::shared_ptr<Element> saved = Element::parse(node.SaveToString().GetString(), kLayoutNode);
    element.removeChildren(kLayoutNode);
    if (saved) element.addChild(saved);
    return saved;
}

void CMainFrame::SaveCommandBarsLayout(CXTPPropExchange& mainWindow, bool withDockingPanes) {
    std::unique_ptr<CXTPPropExchange> node = mainWindow.GetSection(kLayoutNode);
    std::unique_ptr<CXTPPropExchange> normal = node ? node->GetSection(kNormalLayout) : nullptr;
    if (normal) ExchangeCommandBarsLayout(*normal, false, withDockingPanes);
}

void CMainFrame::LoadCommandBarsLayout(CXTPPropExchange& mainWindow, bool withDockingPanes) {
    std::unique_ptr<CXTPPropExchange> node = mainWindow.GetSection(kLayoutNode);
    std::unique_ptr<CXTPPropExchange> normal = node ? node->GetSection(kNormalLayout) : nullptr;
    if (normal) ExchangeCommandBarsLayout(*normal, true, withDockingPanes);
}

void CMainFrame::ApplyLayoutNode(const Element& layout, bool withDockingPanes) {
    std::unique_ptr<CXTPPropExchangeXMLNode> node = LoadingExchange(layout);
    if (!node) return;
    std::unique_ptr<CXTPPropExchange> normal = node->GetSection(kNormalLayout);
    if (PresentSection(normal.get())) ExchangeCommandBarsLayout(*normal, true, withDockingPanes);
    std::unique_ptr<CXTPPropExchange> fullScreen = node->GetSection(kFullScreenLayout);
    if (auto* present = PresentSection(fullScreen.get())) m_fullScreenLayoutSection = present->CopySection();
    else m_fullScreenLayoutSection.reset();
}

void CMainFrame::LoadState(const Korvo::UI::MainFrameState& state, bool restorePlacement, bool second) {
    LockLayout();
    BOOST_SCOPE_EXIT_ALL(this) { UnlockLayout(); };
    // The render quality has no twin on the panel for rebuilt popups to take it from: they keep
    // what the user or the kernel chose before the state was loaded.
    const std::optional<std::int32_t> quality = m_creating ? std::nullopt : FrameOptixQuality(*this);
    BOOST_SCOPE_EXIT_ALL(this, &quality) {
        if (quality)
            ForEachFrameControlOf<OptixQualityPopup>(*this, [&](OptixQualityPopup* popup) { popup->SetValue(nullptr, &*quality); });
    };
    ApplyBarsState(state);
    const auto* program = dynamic_cast<const MainFrameState*>(&state);
    if (program) {
        SetVarnelWindowBits(program->pdmWindows);
        m_minimizeRibbonWindowed = program->minimizeRibbonWindowed;
        m_minimizeRibbonFullScreen = program->minimizeRibbonFullScreen;
        m_showClassicAutoMenu = program->showClassicAutoMenu;
        m_paneManager.ShowTabCaptions(program->showDockingPaneTabCaptions ? TRUE : FALSE);
        m_paneManager.RedrawPanes();
    }
    if (state.ribbonBar && !IsCreationRibbon(*state.ribbonBar)) ApplyRibbonBarState(*state.ribbonBar);
    if (state.commandBarsLayout) ApplyLayoutNode(*state.commandBarsLayout, second);
    if (ApplicationServices* app = ApplicationServices::Instance()) {
        SetRibbonMode(app->IsRibbonMode());
        ApplyToolBarIconSize(app->GetToolBarIconSize(), app->IsLargeToolBarIcons());
    }
    if (!program) return;
    SetWorkbookMode(program->workbook);
    const UINT analysis = program->analysisMode;
    // The ribbon's analysis items follow the mode through the UI module (the modes' own switch).
    if (analysis != m_analysisRibbonId || state.ribbonBar) SetAnalysisMode(analysis, true);
    if (!m_workbookMode) {
        GlobalContainer::SetMaximizeMdi(program->maximizeMdi);
        if (CWnd* child = MDIGetActive())
            ::SendMessageW(m_hWndMDIClient, program->maximizeMdi ? WM_MDIMAXIMIZE : WM_MDIRESTORE,
                           reinterpret_cast<WPARAM>(child->GetSafeHwnd()), 0);
    }
    if (restorePlacement) RestorePlacement(*program);
}

void CMainFrame::RestorePlacement(const MainFrameState& state) {
    m_showCommand = static_cast<int>(state.showCommand);
    const bool visible = IsWindowVisible() != FALSE;
    // A state without a rectangle (the default layout's) leaves the window where it is.
    const RECT& rect = state.windowRect;
    if (rect.right > rect.left && rect.bottom > rect.top) {
        WINDOWPLACEMENT placement{};
        placement.rcNormalPosition = rect;
        placement.showCmd = visible ? state.showCommand : 0;
        ::SetWindowPlacement(GetSafeHwnd(), &placement);
    }
    if (visible && state.fullscreen != (m_screenMode == 1)) SetScreenMode(state.fullscreen ? 1 : 0);
}

bool CMainFrame::IsCreationRibbon(const Korvo::UI::XML::RibbonBar& definition) const {
    // A new frame's ribbon was built from the default layout already.
    ApplicationServices* app = ApplicationServices::Instance();
    const auto defaults = app ? app->GetDefaultMainFrameState() : nullptr;
    return m_creating && defaults && defaults->ribbonBar.get() == &definition;
}

void CMainFrame::ApplyBarsState(const Korvo::UI::MainFrameState& state) {
    CXTPMenuBar* menuBar = GetMenuBar();
    if (menuBar && state.menuBar) {
        state.menuBar->apply(*menuBar, ToolBarApplicationParameters(*menuBar));
        menuBar->GetControls()->CreateOriginalControls();
    }
    CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars();
    CXTPToolBar* frameless = GetFramelessViewToolBar();
    for (const auto& definition : state.toolBars) {
        const auto id = static_cast<UINT>(definition->id());
        CXTPToolBar* bar = bars ? bars->GetToolBar(id) : nullptr;
        // A clone carries the frameless view bar among the tool bars, under its id.
        if (!bar && frameless && frameless->GetBarID() == id) bar = frameless;
        if (bar && bar != menuBar) definition->apply(*bar, ToolBarApplicationParameters(*bar));
    }
    if (frameless && state.framelessToolBar) state.framelessToolBar->apply(*frameless, ToolBarApplicationParameters(*frameless));
}

void CMainFrame::ApplyRibbonBarState(const Korvo::UI::XML::RibbonBar& definition) {
    KVRibbonBar* ribbon = GetRibbonBar();
    if (!ribbon) return;
    LockLayout();
    BOOST_SCOPE_EXIT_ALL(this) { UnlockLayout(); };
    // What add-on applications put into the help pop-up survives the new layout.
    std::vector<CXTPControl*> kept;
    if (CXTPControls* help = FindRibbonHelpPopup(ribbon->GetControls())) {
        const int count = help->GetCount();
        for (int i = std::max(0, count - static_cast<int>(m_userItemCount)); i < count; ++i) {
            CXTPControl* control = help->GetAt(i);
            control->InternalAddRef();
            kept.push_back(control);
        }
    }
    definition.apply(*ribbon, m_ribbonParameters);
    // The tabs the default layout defines can be reset to it.
    ApplicationServices* app = ApplicationServices::Instance();
    const auto defaults = app ? app->GetDefaultMainFrameState() : nullptr;
    for (int i = 0; i < ribbon->GetTabCount(); ++i)
        if (auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->GetTab(i)))
            tab->SetDefaultDefinition(defaults && defaults->ribbonBar && defaults->ribbonBar->findTab(tab->GetGuid()));
    // The new controls start as creation leaves them: initialised, tagged tabs by the document.
    InitRibbonControls();
    // A new frame's controls start disabled until the kernel enables them, whatever ribbon it takes.
    if (m_creating) ribbon->DisableSystemPanelControls();
    ribbon->ShowTabsForDocumentKeywords(GetActiveKorvoDocument());
    CXTPControls* help = FindRibbonHelpPopup(ribbon->GetControls());
    for (CXTPControl* control : kept) {
        if (help) help->AddClone(control);
        control->InternalRelease();
    }
    ShowFlaggedCommandControls(IsPdmCommandsAvailable());
    UpdateVarnelWindows(KVPDMWorkMix::IsActive());
}
