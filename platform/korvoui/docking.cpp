#include "platform/korvoui/docking.h"

#include "platform/korvoui/panes.h"
#include "platform/textcore.h"

namespace Korvo::UI {

namespace {

class LibraryPane : public DockingPane {
public:
    explicit LibraryPane(CXTPDockingPaneManager* manager) : DockingPane(manager) {}
};

// The host of pane windows: one hidden pop-up window per process, shared by reference count.
class DummyHostWindow : public KVCountedPaneWnd {
public:
    static DummyHostWindow*& instance() {
        static DummyHostWindow* host = nullptr;
        return host;
    }
    bool CreateHost() {
        return CreateEx(0, AfxRegisterWndClass(0), L"DockingPaneDummyWindow", WS_POPUP, RECT{0, 0, 0, 0}, nullptr, 0) !=
               FALSE;
    }
    void OnFinalRelease() override {
        instance() = nullptr;
        KVCountedPaneWnd::OnFinalRelease();
    }
};

}  // namespace

void DockingPane::Attach(CWnd* child) {
    const bool adopted = child && child->GetSafeHwnd() && !(HoldsChild() && GetChild() == child->GetSafeHwnd());
    CXTPDockingPane::Attach(child);
    auto* hosted = dynamic_cast<DockingPaneChild*>(child);
    if (!adopted || !hosted) return;
    hosted->OnAttachedToPane(this);
    // A window the library adopts takes the theme in force.
    if (const Theme* theme = UIModuleProxy::Instance().GetCurrentTheme()) hosted->SetTheme(*theme);
}

CXTPDockingPane* DockingPaneManager::OnCreatePane(int type, CXTPDockingPaneLayout* layout) {
    if (type == 0) return new LibraryPane(this);
    return CXTPDockingPaneManager::OnCreatePane(type, layout);
}

CXTPDockingPane* CreateDockingPane(CXTPDockingPaneManager* manager, UINT id, int iconId, LPCWSTR caption, RECT rect,
                                   int direction, CXTPDockingPane* neighbour) {
    if (!manager) return nullptr;
    const bool floating = direction == kFloatingPaneDirection;
    const auto side = static_cast<XTPDockingPaneDirection>(floating || direction < 0 || direction > 3 ? 0 : direction);
    CXTPDockingPane* pane = manager->CreatePane(id, rect, side, neighbour);
    if (!pane) return nullptr;
    pane->SetTitle(caption);
    if (iconId > 0) pane->SetIconID(iconId);
    if (floating) manager->FloatPane(pane, rect);
    return pane;
}

CWnd* GetDockingPaneDummyWindow(bool create) {
    DummyHostWindow*& host = DummyHostWindow::instance();
    if (host) {
        host->InternalAddRef();
        return host;
    }
    if (!create) return nullptr;
    auto* made = new DummyHostWindow;
    if (!made->CreateHost()) {
        made->InternalRelease();
        return nullptr;
    }
    host = made;
    return host;
}

}  // namespace Korvo::UI

namespace Korvo::UI {

UINT RunPanePopupMenu(CWnd* frame, CXTPDockingPane* pane, POINT point) {
    CXTPDockingPaneManager* manager = pane ? pane->GetDockingPaneManager() : nullptr;
    if (!frame || !frame->GetSafeHwnd() || !manager) return 0;
    const HMENU menu = ::CreatePopupMenu();
    if (!menu) return 0;
    ::AppendMenuW(menu, MF_STRING, kPaneMenuClose, Korvo::I18n::Translate(L"DockingPane.Close").GetString());
    const auto chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, frame->GetSafeHwnd(), nullptr));
    ::DestroyMenu(menu);
    // The close may end the pane (its site can destroy it): nothing of it is used afterwards.
    if (chosen == kPaneMenuClose) manager->ClosePane(pane);
    return chosen;
}

}  // namespace Korvo::UI
