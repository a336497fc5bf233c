// What follows the frame's active view: the ribbon's tabs and view-dependent groups, the
// controls that show values of the view, the message bars of its document; and the PDM items of
// the ribbon, which follow the connection.
#include <algorithm>

#include "commandbars/backstage/backstage_pages.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/varnel_popup.h"
#include "mainframe/main_frame.h"
#include "mainframe/view_types.h"
#include "syspanel/data_exchange.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

constexpr GUID kVarnelTab = {0x29A47DB0, 0x83AC, 0x47B8, {0xAC, 0xC9, 0xEF, 0x36, 0x4D, 0x9C, 0xD8, 0x73}};
constexpr const wchar_t* kVarnelCaption = L"Korvo Varnel";

CKvw32Doc* documentOf(CView* view) { return view ? dynamic_cast<CKvw32Doc*>(view->GetDocument()) : nullptr; }

// While connected the popup names the PDM client the user works in, when the client names itself.
CString VarnelPopupCaption(bool connected) {
    const KVPDMClient* client = connected ? KVPDMClient::Instance() : nullptr;
    if (!client) return kVarnelCaption;
    try {
        const CString product = client->GetProductName();
        return product.IsEmpty() ? CString(kVarnelCaption) : product;
    } catch (KVPDMExceptionProxy* error) {
        error->Delete();  // the caption falls back quietly
        return kVarnelCaption;
    }
}

}  // namespace

void CMainFrame::SetActiveView(CView* pViewNew, BOOL bNotify) {
    Korvo::UI::MdiMainFrame::SetActiveView(pViewNew, bNotify);
    OnActiveViewChanged(pViewNew, false);
}

void CMainFrame::ViewActivated(CView* view) {
    Korvo::UI::MdiMainFrame::ViewActivated(view);
    if (m_destroying) return;
    OnActiveViewChanged(view, false);
}

CView* CMainFrame::GetLiveActiveView() const {
    if (!m_activeViewWindow || !::IsWindow(m_activeViewWindow)) return nullptr;
    return DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(m_activeViewWindow));
}

void CMainFrame::OnActiveViewChanged(CView* view, bool force) {
    const CKvw32Doc* oldDocument = m_activeDocument;
    const HWND oldWindow = m_activeViewWindow;
    CView* oldView = GetLiveActiveView();
    const HWND window = view ? view->GetSafeHwnd() : nullptr;
    if (window == oldWindow && !force) return;
    CKvw32Doc* document = documentOf(view);
    m_activeViewWindow = window;
    m_activeDocument = document;

    UpdateRibbonForView(true);
    UpdateViewDependentRibbonGroups();
    if (KVRibbonBar* ribbon = GetRibbonBar()) {
        auto* baseView = dynamic_cast<CKVBaseView*>(view);
        ribbon->ForEachControl(
            [baseView](CXTPControl* control) {
                if (auto* exchange = dynamic_cast<IDataExchange*>(control)) exchange->OnViewActivated(baseView);
            },
            true);
    }
    if (m_destroying) return;
    if (KVRibbonBar* ribbon = GetRibbonBar())
        if (KVRibbonBackstagePrintPage* print = ribbon->GetPrintBackstagePage(false)) print->SetDocument(document);
    if (document != oldDocument) CKVCom_Is3D::SetActiveDocument(document);
    // Only the active document's message bars show; a bar of no document stays as it is. A bar's
    // bound object is compared with the open documents, never dereferenced: it may be gone.
    const std::vector<CKvw32Doc*> open = Korvo::DocumentManager::Instance().GetDocuments();
    for (const auto& bar : m_messageBars.Bars()) {
        const CObject* bound = bar->GetBoundObject();
        const bool ofDocument =
            bound && std::any_of(open.begin(), open.end(), [bound](const CKvw32Doc* d) { return static_cast<const CObject*>(d) == bound; });
        if (!ofDocument || !bar->GetSafeHwnd()) continue;
        const bool shown = bound == static_cast<const CObject*>(document);
        if ((bar->IsWindowVisible() != FALSE) != shown) bar->ShowWindow(shown ? SW_SHOW : SW_HIDE);
    }
    // The bars that stood over the old view leave it; when that view is gone they are placed
    // anew over whatever hosts them now.
    if (oldView) MoveFramelessToolBars(oldView);
    else if (oldWindow) MoveFramelessToolBars(GetFramelessHostView());
    MoveFramelessToolBars(view);
    CKVBasicEditEx::ChangePage();
    RecalcLayout();
}

void CMainFrame::UpdateViewDependentRibbonGroups() {
    ViewTypeFacts facts;
    const CSysPanelToolbar* panel = GetSysPanelToolbar();
    facts.panelShown = panel && panel->IsVisible();
    CView* view = GetLiveActiveView();
    facts.hasView = view != nullptr;
    if (const auto* documentView = dynamic_cast<const CKVView*>(view)) {
        facts.documentView = true;
        facts.kind = documentView->GetViewKind();
        facts.alternate = documentView->IsAlternateState();
        facts.property3 = documentView->GetViewProperty(3);
        facts.property4 = documentView->GetViewProperty(4);
    }
    if (const CKvw32Doc* document = documentOf(view)) facts.documentFlags = document->GetDocumentFlags();
    m_viewTypeMask = ComputeViewTypeMask(facts);
    const KVRibbonBar* ribbon = GetRibbonBar();
    if (!ribbon) return;
    const DWORD mask = m_viewTypeMask;
    ribbon->ForEachGroup([mask](CXTPRibbonGroup* group) {
        const auto* own = dynamic_cast<const Korvo::UI::RibbonGroup*>(group);
        const std::optional<bool> shown = own ? RibbonGroupShownFor(own->GetViewTypes(), mask) : std::nullopt;
        if (shown && (group->IsVisible() != FALSE) != *shown) group->SetVisible(*shown ? TRUE : FALSE);
    });
}

void CMainFrame::UpdateViewDependentToolBars() {
    // The panel's selection-mode buttons follow the selection-mode popup of the filter bar.
    if (CSysPanelToolbar* panel = GetSysPanelToolbar()) panel->ShowSelectionModeButtons(IsSelectionModeShown());
}

void CMainFrame::UpdateVarnelWindows(bool connected) {
    KVRibbonBar* ribbon = GetRibbonBar();
    if (!ribbon) return;
    if (Korvo::UI::RibbonTab* tab = ribbon->FindTabByGuid(kVarnelTab)) tab->SetVisible(connected ? TRUE : FALSE);
    VarnelPopup* popup = ribbon->GetVarnelPopup();
    if (!popup) return;
    // Without a PDM installation, named or found, nothing in the popup could work.
    if (GetSettings().varnel.instanceKeyPath.IsEmpty()) {
        KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance();
        if (KVPdmApiProxy::FindInstalledPrograms(kernel ? kernel->GetProductIniFileName() : CString()).empty()) {
            popup->SetVisible(FALSE);
            return;
        }
    }
    popup->SetCaption(VarnelPopupCaption(connected));
    popup->SetVisible(TRUE);
    bool anyShown = false;
    if (CXTPCommandBar* bar = popup->GetCommandBar()) {
        CXTPControls* controls = bar->GetControls();
        for (int i = 0; controls && i < controls->GetCount(); ++i) {
            CXTPControl* control = controls->GetAt(i);
            bool shown = control->IsVisible() != FALSE;
            if (control->GetID() == VarnelPopup::kSettingsCommand || control->GetID() == VarnelPopup::kConnectCommand)
                shown = !connected;
            else if (control->GetID() == VarnelPopup::kDisconnectCommand)
                shown = connected;
            control->SetVisible(shown ? TRUE : FALSE);
            anyShown = anyShown || shown;
        }
    }
    popup->SetEnabled(anyShown ? TRUE : FALSE);
}

void CMainFrame::SetTheme(const Korvo::UI::Theme& theme) {
    m_themeName = theme.name;
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->SetBackstageTheme({theme.paintTheme, theme.backstagePageTheme});
    Korvo::UI::MdiMainFrame::SetTheme(theme);
    ApplyTabClientSettings();
}
