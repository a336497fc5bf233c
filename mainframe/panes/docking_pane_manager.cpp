#include "mainframe/panes/docking_pane_manager.h"

#include <algorithm>
#include <set>

#include "services/application.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/docking_panes_init.h"

namespace {

constexpr const wchar_t* kClipartSection = L"Clipart";

}  // namespace

BOOL CKVDockingPane::DoPropExchange(CXTPPropExchange* px) {
    // A layout entry without the pane's values (one written before they were kept for a pane
    // whose window was away) leaves the caption as it is, or as the pane starts.
    const bool untitled = px->IsLoading() && !px->ReadValue(L"Title");
    const CString caption = GetTitle().IsEmpty() ? InitialPaneCaption(GetID()) : GetTitle();
    if (!Korvo::UI::DockingPane::DoPropExchange(px)) return FALSE;
    if (untitled) SetTitle(caption);
    ApplicationServices* app = ApplicationServices::Instance();
    if (!app) return FALSE;

    if (px->IsLoading()) {
        CString type;
        std::unique_ptr<CXTPPropExchange> clipart = px->GetSection(kClipartSection);
        if (clipart) PX_String(clipart.get(), L"Type", type, L"");
        if (!type.IsEmpty()) return LoadClipart(clipart.get(), type);
        // A clipart pane id that names no clipart has nothing to show.
        if (CClipartView::IsClipartId(GetID())) return FALSE;
        auto* child = dynamic_cast<Korvo::UI::DockingPaneChild*>(app->GetDockingPaneWindow(GetID(), true));
        return child ? child->DoPropExchange(px) : TRUE;
    }

    CWnd* window = app->GetDockingPaneWindow(GetID(), true);
    if (!window) window = CClipartView::FindByControlId(GetID());
    // A clipart pane without its view has nothing to keep; any other pane whose window is away
    // for now (a PDM pane while the PDM system is) keeps its caption and place.
    if (!window) return CClipartView::IsClipartId(GetID()) ? FALSE : TRUE;
    if (auto* view = dynamic_cast<CClipartView*>(window)) {
        std::unique_ptr<CXTPPropExchange> clipart = px->GetSection(kClipartSection);
        CString type = view->GetKindName();
        PX_String(clipart.get(), L"Type", type, L"");
        return view->DoPropExchange(clipart.get());
    }
    auto* child = dynamic_cast<Korvo::UI::DockingPaneChild*>(window);
    return child ? child->DoPropExchange(px) : TRUE;
}

BOOL CKVDockingPane::LoadClipart(CXTPPropExchange* section, const CString& type) {
    CClipartView* view = nullptr;
    if (type == L"Application") {
        CString key;
        int windowId = -1;
        PX_String(section, L"AppKey", key, L"");
        PX_Int(section, L"WindowID", windowId, -1);
        view = CClipartView::FindByKey(key, windowId);
    } else {
        view = CClipartView::FindByControlId(GetID());
    }
    // The frame whose layout is loaded holds a new view window (it need not be the active one yet).
    CWnd* parent = GetDockingPaneManager() ? GetDockingPaneManager()->GetSite() : nullptr;
    if (view && view->GetSafeHwnd()) {
        view->SetDlgCtrlID(static_cast<int>(GetID()));
        return view->DoPropExchange(section);
    }
    std::unique_ptr<CClipartView> made(view ? nullptr : CClipartView::CreateOfKind(type));
    CClipartView* loaded = view ? view : made.get();
    if (!loaded) return FALSE;
    // The values come first: whether an add-on's view may have a window depends on its key.
    loaded->DoPropExchange(section);
    if (!parent || !loaded->CreateViewWindow(parent, GetID())) {
        // An add-on's view whose add-on does not run waits without a window (and without this
        // pane) until the add-on asks for its window again.
        if (made && made->IsApplicationClipart()) made.release();
        return FALSE;
    }
    made.release();
    return TRUE;
}

CXTPDockingPane* CKVDockingPaneManager::OnCreatePane(int type, CXTPDockingPaneLayout* layout) {
    if (type == 0) return new CKVDockingPane(this);
    return Korvo::UI::DockingPaneManager::OnCreatePane(type, layout);
}

bool CKVDockingPaneManager::IsLayoutPaneKnown(UINT id) const {
    if (CClipartView::IsClipartId(id)) return true;
    return std::any_of(kInitialPanes.begin(), kInitialPanes.end(), [id](const InitialPaneRow& row) { return row.id == id; });
}

void CKVDockingPaneManager::ReturnPaneWindows() {
    ApplicationServices* app = ApplicationServices::Instance();
    CWnd* host = app ? app->GetDockingPaneDummyWindow() : nullptr;
    for (CXTPDockingPane* pane : GetPaneList()) {
        // A window that sits in another frame's pane is that frame's to keep.
        if (!pane->HoldsChild()) {
            pane->Detach();
            continue;
        }
        if (auto* child = dynamic_cast<Korvo::UI::DockingPaneChild*>(CWnd::FromHandlePermanent(pane->GetChild())))
            child->OnToBeDetachedFromPane(pane);
        const HWND child = pane->Detach();
        ::ShowWindow(child, SW_HIDE);
        if (host && host->GetSafeHwnd()) ::SetParent(child, host->GetSafeHwnd());
    }
    ReseatSharedPaneWindows(this);
}

namespace {

// The shown panes of the other frames' managers that host a window they do not hold (only those
// hosting `window` when it is given).
template <class Visit>
void ForEachWaitingPane(const CXTPDockingPaneManager* except, HWND window, Visit visit) {
    for (CMainFrame* frame : CMainFrame::GetAll()) {
        CXTPDockingPaneManager* manager = frame->GetDockingPaneManager();
        if (!manager || manager == except) continue;
        for (CXTPDockingPane* pane : manager->GetPaneList()) {
            const bool shown = pane->GetState() == xtpPaneDocked || pane->GetState() == xtpPaneFloating;
            if (!shown || !pane->IsValid() || pane->HoldsChild()) continue;
            if (window && pane->GetChild() != window) continue;
            if (!visit(pane)) return;
        }
    }
}

}  // namespace

void ReseatSharedPaneWindows(const CXTPDockingPaneManager* except) {
    // A window a pane holds stays there; any other goes to the first pane waiting for it.
    std::set<HWND> seated;
    for (CMainFrame* frame : CMainFrame::GetAll()) {
        if (const CXTPDockingPaneManager* manager = frame->GetDockingPaneManager())
            for (const CXTPDockingPane* pane : manager->GetPaneList())
                if (pane->HoldsChild()) seated.insert(pane->GetChild());
    }
    ForEachWaitingPane(except, nullptr, [&seated](CXTPDockingPane* pane) {
        if (seated.insert(pane->GetChild()).second) pane->Attach(CWnd::FromHandle(pane->GetChild()));
        return true;
    });
}

void HandOverSharedPaneWindow(CXTPDockingPane* leaving) {
    if (!leaving || !leaving->HoldsChild()) return;
    ForEachWaitingPane(leaving->GetDockingPaneManager(), leaving->GetChild(), [](CXTPDockingPane* pane) {
        pane->Attach(CWnd::FromHandle(pane->GetChild()));
        return false;
    });
}
