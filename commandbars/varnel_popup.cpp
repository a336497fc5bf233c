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

namespace {

// The ribbon draws into the frame's caption when the frame theme is on and the desktop composites.
bool DrawsOnCompositedCaption(const CXTPCommandBar* bar) {
    const auto* ribbon = dynamic_cast<const CXTPRibbonBar*>(bar);
    BOOL composition = FALSE;
    return ribbon && ribbon->IsFrameThemeEnabled() && SUCCEEDED(DwmIsCompositionEnabled(&composition)) && composition;
}

}  // namespace

void VarnelPopup::Draw(CDC* dc, RECT rect) {
    CXTPCommandBar* bar = GetParent();
    if (!dc || GetStyle() == xtpButtonIconAndCaptionBelow || !DrawsOnCompositedCaption(bar)) {
        CXTPControlPopup::Draw(dc, rect);
        return;
    }
    const HDC target = dc->GetSafeHdc();
    int textLeft = rect.left;
    // The icon fills the button's height, its aspect kept; scaled bitmaps keep a margin.
    const int inset = XTPDpiHelper()->IsDpiBitmapScalingEnabled() ? 4 : 0;
    const int side = rect.bottom - rect.top - 2 * inset;
    const CXTPCommandBars* bars = bar->GetCommandBars();
    const CXTPImageManager* images = bars ? bars->GetImageManager() : nullptr;
    const CXTPImageManagerIcon* icon = images && side > 0 ? images->GetImage(static_cast<UINT>(GetIconId()), side) : nullptr;
    if (icon && icon->GetHeight() > 0) {
        const SIZE size{icon->GetWidth() * side / icon->GetHeight(), side};
        icon->Draw(target, POINT{rect.left + inset, rect.top + inset}, size);
        textLeft = rect.left + inset + size.cx;
    }
    CWnd* site = bar->GetSite();
    const bool active = site && site->GetSafeHwnd() && ::GetForegroundWindow() == site->GetSafeHwnd();
    RECT text{textLeft, rect.top, rect.right - XTPDpiHelper()->ScaleX(5), rect.bottom};
    const int mode = ::SetBkMode(target, TRANSPARENT);
    const COLORREF colour = ::SetTextColor(target, ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    const CString caption = GetCaption();
    ::DrawTextW(target, caption.GetString(), caption.GetLength(), &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(target, colour);
    ::SetBkMode(target, mode);
}
