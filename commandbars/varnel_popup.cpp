#include "commandbars/varnel_popup.h"

#include "platform/kernel.h"

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

// The caption a user reads on an item: the command string's second line ("prompt\ncaption"), or
// the whole string when it has one line.
CString commandCaption(int id) {
    const CString text = KVLoadString(static_cast<UINT>(id));
    const int lineFeed = text.Find(L'\n');
    return lineFeed >= 0 ? text.Mid(lineFeed + 1) : text;
}

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
        item->SetCaption(commandCaption(id));
    }
    CXTPControl* settings = popup->GetControls()->Add(new VarnelSettingsButton, kSettingsCommand);
    settings->SetBeginGroup(TRUE);
    settings->SetCaption(commandCaption(kSettingsCommand));
    SetCommandBar(popup);
    popup->InternalRelease();
}
