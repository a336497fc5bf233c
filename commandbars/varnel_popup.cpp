#include "commandbars/varnel_popup.h"

IMPLEMENT_DYNCREATE(VarnelPopup, CXTPControlPopup)

namespace {

// The last item: opens the PDM settings.
class VarnelSettingsButton : public CXTPControlButton {
public:
    VarnelSettingsButton() { SetFlags(GetFlags() | xtpFlagManualUpdate); }
    void OnExecute() override {
        if (!GetEnabled() || !IsVisible()) return;
        XTPPlaySystemSound(1);
        if (CXTPCommandBar* bar = GetParent(); bar && bar->GetCommandBars()) bar->GetCommandBars()->ClosePopups();
        AnnotateModuleProxy::Instance().OpenSettings(L"Varnel");
    }
};

}  // namespace

VarnelPopup::VarnelPopup() {
    SetID(kId);
    SetFlags(GetFlags() | xtpFlagManualUpdate);
}

void VarnelPopup::Build(CXTPCommandBars* bars) {
    UIModuleProxy::Instance().SetupControlImage(bars ? bars->GetImageManager() : nullptr, kId, kIcon, 1, 0);
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars);
    for (int id : {kConnectCommand, kDisconnectCommand}) {
        CXTPControl* item = popup->GetControls()->Add(xtpControlButton, id);
        item->SetFlags(item->GetFlags() | xtpFlagManualUpdate);
    }
    CXTPControl* settings = popup->GetControls()->Add(new VarnelSettingsButton, kSettingsCommand);
    settings->SetBeginGroup(TRUE);
    SetCommandBar(popup);
    popup->InternalRelease();
}
