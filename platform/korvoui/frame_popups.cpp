#include "platform/korvoui/frame_popups.h"

#include "platform/korvoui/menus.h"

namespace Korvo::UI {

namespace {

// One pane of the panes pop-up: its pane is named by id, so an item outliving the pane does nothing.
class DockingPaneItem : public CXTPControlButton {
public:
    DockingPaneItem(CXTPDockingPaneManager* manager, UINT pane) : manager_(manager), pane_(pane) {}
    void OnExecute() override {
        if (!GetEnabled() || !IsVisible() || !manager_) return;
        CXTPDockingPane* pane = manager_->FindPane(pane_);
        if (!pane) return;
        if (pane->IsClosed()) manager_->ShowPane(pane, TRUE);
        else manager_->ClosePane(pane);
    }

private:
    CXTPDockingPaneManager* manager_;
    UINT pane_;
};

}  // namespace

IMPLEMENT_DYNCREATE(PseudoMenuBar, CXTPControlPopup)

PseudoMenuBar::PseudoMenuBar(CXTPMenuBar* menuBar) { setMenuBar(menuBar); }

PseudoMenuBar::~PseudoMenuBar() { setMenuBar(nullptr); }

void PseudoMenuBar::setMenuBar(CXTPMenuBar* menuBar) {
    if (menuBar == menuBar_) return;
    if (menuBar) menuBar->InternalAddRef();
    if (menuBar_) menuBar_->InternalRelease();
    menuBar_ = menuBar;
}

void PseudoMenuBar::OnSetPopup(BOOL popup) {
    if (popup) UpdateControls();
    CXTPControlPopup::OnSetPopup(popup);
}

void PseudoMenuBar::UpdateControls() {
    if (menuBar_)
        if (CXTPControls* items = EmptiedPopupItems(*this)) {
            const CXTPControls* menus = menuBar_->GetControls();
            // The copies share their menus' bars, so the items inside are the menu bar's own.
            // A menu-bar pop-up on the menu bar itself is not offered inside itself.
            for (int i = 0; i < menus->GetCount(); ++i)
                if (!dynamic_cast<PseudoMenuBar*>(menus->GetAt(i))) items->AddClone(menus->GetAt(i), -1, TRUE);
        }
}

void PseudoMenuBar::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlPopup::Copy(source, recursive);
    if (auto* other = dynamic_cast<PseudoMenuBar*>(source)) setMenuBar(other->menuBar_);
}

IMPLEMENT_DYNCREATE(DockingPanesPopup, CXTPControlPopup)

void DockingPanesPopup::OnSetPopup(BOOL popup) {
    if (popup) UpdateControls();
    CXTPControlPopup::OnSetPopup(popup);
}

void DockingPanesPopup::UpdateControls() {
    if (manager_)
        if (CXTPControls* items = EmptiedPopupItems(*this))
            for (const CXTPDockingPane* pane : manager_->GetPaneList()) {
                auto* item = new DockingPaneItem(manager_, pane->GetID());
                item->SetCaption(pane->GetTitle());
                item->SetChecked(!pane->IsClosed());
                item->SetFlags(item->GetFlags() | xtpFlagManualUpdate);
                items->Add(item, static_cast<int>(pane->GetID()));
            }
}

void DockingPanesPopup::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlPopup::Copy(source, recursive);
    if (auto* other = dynamic_cast<DockingPanesPopup*>(source)) manager_ = other->manager_;
}

}  // namespace Korvo::UI
