// The technical-requirements pane as an add-on hosts it: this edition makes no host window of
// its own, so the program exports the hosting to its add-ons (and the pane's outline to the
// inspection tools).
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"
#include "platform/textcore.h"
#include "techrequirements/requirements_outline.h"
#include "techrequirements/tech_requirements_window.h"

namespace {

constexpr UINT kPaneId = 1038;
constexpr UINT kPaneCommand = 823;
constexpr int kPaneDirection = 3;
constexpr SIZE kPaneSize{270, 240};

std::wstring HostPane(CWnd* frameWindow) {
    CKvw32App* app = CKvw32App::Instance();
    auto* frame = dynamic_cast<CMainFrame*>(frameWindow);
    if (!app || !frame) return L"no such main frame";
    PaneWindowSlot& slot = app->GetPaneWindows().techRequirements;
    if (slot.IsDisabled()) return L"the product ini disables the techRequirements pane";
    if (!slot.Get()) {
        auto window = std::make_unique<TechRequirementsWindow>();
        if (!window->CreateHost(app->GetDockingPaneDummyWindow(), kPaneId)) return L"the pane's window cannot be made";
        slot.Reset(window.release());
    }
    auto* host = dynamic_cast<TechRequirementsWindow*>(slot.Get());
    CKVDockingPaneManager& manager = frame->GetPaneManager();
    CXTPDockingPane* pane = manager.FindPane(kPaneId);
    if (!pane) {
        const SIZE size = XTPDpiHelper()->Scale(kPaneSize);
        pane = Korvo::UI::CreateDockingPane(&manager, kPaneId, kPaneCommand, Korvo::I18n::Translate(L"panes.tech_requirements"),
                                           RECT{0, 0, size.cx, size.cy}, kPaneDirection);
        if (!pane) return L"the docking pane cannot be made";
    }
    manager.ShowPane(pane);
    host->BindDocument(app->GetCurrentDocument());
    host->EnsureDialog();
    return {};
}

std::wstring Outline() {
    CKvw32App* app = CKvw32App::Instance();
    return TechRequirementsOutline(app ? app->GetTechRequirementsWindow() : nullptr);
}

// The exports are in place as soon as the program is loaded, before it starts.
[[maybe_unused]] const bool kExported = [] {
    GetApplicationExports().hostTechRequirementsPane = &HostPane;
    GetApplicationExports().techRequirementsOutline = &Outline;
    return true;
}();

}  // namespace

TechRequirementsWindow* CKvw32App::GetTechRequirementsWindow() const {
    return dynamic_cast<TechRequirementsWindow*>(m_paneWindows.techRequirements.Get());
}
