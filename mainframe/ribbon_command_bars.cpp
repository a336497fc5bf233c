#include "mainframe/ribbon_command_bars.h"

#include "services/application.h"
#include "commandbars/backstage/ribbon_backstage_view.h"
#include "commandbars/varnel_popup.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_window_attributes.h"
#include "syspanel/data_exchange.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {
// The customise sheet's start page that shows the ribbon.
constexpr int kRibbonCustomizePage = 2;
}  // namespace

// The frame's floating pane windows and floating bars that are shown: the backstage covers the
// frame, and they would float over it.
static std::vector<HWND> FloatingWindowsOf(CMainFrame& frame) {
    std::vector<HWND> windows;
    for (CXTPDockingPane* pane : frame.GetPaneManager().GetPaneList()) {
        if (!pane->IsFloating() || !pane->GetContainer()) continue;
        const HWND floating = ::GetAncestor(pane->GetContainer(), GA_ROOT);
        if (floating && floating != frame.GetSafeHwnd() && ::IsWindowVisible(floating)) windows.push_back(floating);
    }
    CXTPCommandBars* bars = frame.GetCommandBars();
    for (int i = 0; bars && i < bars->GetCount(); ++i)
        if (CXTPCommandBar* bar = bars->GetAt(i); bar->GetPosition() == xtpBarFloating && bar->GetSafeHwnd() && bar->IsWindowVisible())
            windows.push_back(bar->GetSafeHwnd());
    return windows;
}

bool InitRibbonBar(CMainFrame& frame) {
    auto* bars = dynamic_cast<CKVRibbonCommandBars*>(frame.GetCommandBars());
    KVRibbonBar* ribbon = bars ? bars->GetRibbonBar() : nullptr;
    if (!ribbon) return false;
    // Until the frame applies its own saved ribbon, it starts from the default layout's.
    if (ribbon->GetTabCount() == 0)
        if (ApplicationServices* app = ApplicationServices::Instance())
            if (auto defaults = app->GetDefaultMainFrameState(); defaults && defaults->ribbonBar) {
                defaults->ribbonBar->apply(*ribbon, *frame.GetRibbonApplicationParameters(), true);
            }
    // Tagged tabs show only for a document with one of their tags: none yet.
    ribbon->ShowTabsForDocumentKeywords(frame.GetActiveKorvoDocument());
    ribbon->EnableDocking(0);
    if (CXTPRibbonControlSystemButton* system = ribbon->GetSystemButton()) {
        system->SetIconId(1);
        if (auto* view = dynamic_cast<CXTPRibbonBackstageView*>(system->GetCommandBar())) {
            view->SetCommandBarsOf(bars);
            // The system menu's own items (the kernel inserts some) run through the frame.
            view->AttachToCommandBars(bars);
        }
        if (auto* view = dynamic_cast<RibbonBackstageView*>(system->GetCommandBar()))
            view->SetFloatingWindows([&frame] { return FloatingWindowsOf(frame); });
    }
    // The server application never asks to leave the PDM popup out.
    if (!ribbon->GetVarnelPopup()) {
        auto* popup = new VarnelPopup;
        popup->Build(bars);
        popup->SetStyle(xtpButtonIconAndCaption);
        ribbon->GetControls()->Add(popup, VarnelPopup::kId);
        ribbon->SetVarnelPopup(popup);
    }
    // The context menus' customise and reset items act on this frame.
    KVRibbonBar::MenuActions actions;
    actions.customize = [&frame](CXTPControl* control, CXTPRibbonGroup* group, CXTPRibbonTab* tab) {
        CCmdTarget* item = control ? static_cast<CCmdTarget*>(control)
                                   : group ? static_cast<CCmdTarget*>(group) : static_cast<CCmdTarget*>(tab);
        frame.ShowCustomizeSheet(kRibbonCustomizePage, reinterpret_cast<LPARAM>(item));
    };
    actions.resetGroup = [&frame](Korvo::UI::RibbonGroup* group) { frame.ResetRibbonGroup(group); };
    actions.resetTab = [&frame](Korvo::UI::RibbonTab* tab) { frame.ResetRibbonTab(tab); };
    ribbon->SetMenuActions(std::move(actions));
    ribbon->CalcDockingLayout();
    return true;
}

// ---- The frame's ribbon ---------------------------------------------------------------------------

void CMainFrame::InitRibbonApplicationParameters() {
    m_ribbonParameters.replaceControls = true;
    m_ribbonParameters.storeOriginal = true;
    m_ribbonParameters.createControl = [this](const Korvo::UI::XML::Element& element, CXTPCommandBar* bar) -> CXTPControl* {
        const std::wstring* idText = element.attribute(L"id");
        const int id = idText ? ParseControlWidth(CString(idText->c_str())) : 0;
        if (id < 0) return nullptr;
        return CreateCustomControl(static_cast<UINT>(id), reinterpret_cast<DWORD_PTR>(element.name().c_str()), bar);
    };
    // The ribbon reads what it knows of an attribute before the frame does.
    m_ribbonParameters.readAttribute = [](CXTPControl& control, const std::wstring& name, const std::wstring& value) {
        if (CXTPCommandBar* parent = control.GetParent()) Korvo::UI::XML::ReadBarControlAttribute(*parent, control, name, value);
        ApplyToolBarControlAttribute(&control, CString(name.c_str()), CString(value.c_str()));
        // The views a ribbon control shows in, as the state file wrote them.
        if (name == L"viewTypes")
            control.SetFlags((control.GetFlags() & ~kViewTypesAll) | ParseViewTypes(CString(value.c_str())));
    };
    m_ribbonParameters.createBackstageTab = [](CXTPRibbonBackstageView& view, const Korvo::UI::XML::Element& control,
                                               CXTPRibbonBar& ribbon) {
        const std::wstring* idText = control.attribute(L"id");
        const int id = idText ? ParseControlWidth(CString(idText->c_str())) : 0;
        return CreateBackstageTab(view, id, control.attribute(L"name", L"").c_str(),
                                  control.attribute(L"caption", L"").c_str(), ribbon);
    };
}

void CMainFrame::InitRibbonControls() {
    KVRibbonBar* ribbon = GetRibbonBar();
    if (!ribbon) return;
    const CSysPanelToolbar* panel = GetSysPanelToolbar();
    ribbon->ForEachControl(
        [panel](CXTPControl* control) {
            auto* exchange = dynamic_cast<IDataExchange*>(control);
            if (exchange) exchange->Initialize();
            CXTPControl* registered = panel ? panel->FindRegisteredControl(control->GetID()) : nullptr;
            if (!registered) return;
            if (registered->GetFlags() & xtpFlagManualUpdate) control->SetFlags(control->GetFlags() | xtpFlagManualUpdate);
            // A twin made anew (a state loaded mid-session, a layout imported) shows what the
            // kernel or the user last gave the panel's control, and a command reads it there.
            if (auto* source = dynamic_cast<IDataExchange*>(registered); exchange && source) exchange->CopyFrom(source);
        },
        true);
}

Korvo::UI::XML::ApplicationParameters CMainFrame::ToolBarApplicationParameters(CXTPCommandBar& bar) {
    Korvo::UI::XML::ApplicationParameters parameters;
    parameters.replaceControls = true;
    parameters.storeOriginal = true;
    parameters.createControl = [this, &bar](const Korvo::UI::XML::Element& element, CXTPCommandBar*) -> CXTPControl* {
        const std::wstring* idText = element.attribute(L"id");
        const int id = idText ? ParseControlWidth(CString(idText->c_str())) : 0;
        if (id < 0) return nullptr;
        // The frame's factory takes the element's name as its tag.
        const auto tag = reinterpret_cast<DWORD_PTR>(element.name().c_str());
        return CreateToolBarControl(static_cast<UINT>(id), element.name().c_str(),
                                    [this, &bar, tag](UINT control, const CString&) {
                                        return CreateCustomControl(control, tag, &bar);
                                    });
    };
    parameters.readAttribute = [](CXTPControl& control, const std::wstring& name, const std::wstring& value) {
        ApplyToolBarControlAttribute(&control, CString(name.c_str()), CString(value.c_str()));
    };
    parameters.writeAttributes = WriteToolBarControlAttributes;
    return parameters;
}


void CMainFrame::UpdateRibbonForView(bool fullUpdate) {
    KVRibbonBar* ribbon = GetRibbonBar();
    if (!ribbon) return;
    GUID first{}, second{}, third{};
    GetRibbonContextGuids(*this, first, second, third);
    ribbon->UpdateTabsForDocument(first, second, third, fullUpdate);
    CKvw32Doc* document = GetActiveKorvoDocument();
    if (document == m_ribbonDocument) return;
    m_ribbonDocument = document;
    ribbon->ShowTabsForDocumentKeywords(document);
}

bool CMainFrame::ResetRibbonTab(Korvo::UI::RibbonTab* tab) {
    ApplicationServices* app = ApplicationServices::Instance();
    const auto defaults = app ? app->GetDefaultMainFrameState() : nullptr;
    if (!tab || !defaults || !defaults->ribbonBar) return false;
    const Korvo::UI::XML::Element* definition = defaults->ribbonBar->findTab(tab->GetGuid());
    if (!definition) return false;
    Korvo::UI::XML::RibbonBar::applyTab(*definition, *tab, m_ribbonParameters);
    // The reset groups show as the active view wants them, not as their definition says.
    UpdateViewDependentRibbonGroups();
    RecalcLayout();
    return true;
}

bool CMainFrame::ResetRibbonGroup(Korvo::UI::RibbonGroup* group) {
    ApplicationServices* app = ApplicationServices::Instance();
    const auto defaults = app ? app->GetDefaultMainFrameState() : nullptr;
    auto* tab = group ? dynamic_cast<Korvo::UI::RibbonTab*>(group->GetParentTab()) : nullptr;
    if (!tab || group->GetGuid() == GUID{} || !defaults || !defaults->ribbonBar) return false;
    const Korvo::UI::XML::Element* tabDefinition = defaults->ribbonBar->findTab(tab->GetGuid());
    const Korvo::UI::XML::Element* definition =
        tabDefinition ? Korvo::UI::XML::RibbonBar::findGroup(*tabDefinition, group->GetGuid()) : nullptr;
    if (!definition) return false;
    Korvo::UI::XML::RibbonBar::applyGroup(*definition, *group, m_ribbonParameters);
    UpdateViewDependentRibbonGroups();
    RecalcLayout();
    return true;
}
