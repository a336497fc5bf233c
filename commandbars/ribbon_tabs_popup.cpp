#include "commandbars/ribbon_tabs_popup.h"

#include "commandbars/command_bars.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/menu_text.h"
#include "platform/korvoui/menus.h"
#include "platform/korvoui/ribbon_tab_switch.h"
#include "platform/textcore.h"

namespace {
constexpr int kCustomizeCommand = 9607;
}  // namespace

TabButton::TabButton(Korvo::UI::RibbonTab* tab) : tab_(tab) {
    SetCaption(tab->GetCaption());
    SetChecked(!tab->IsDisabledByUser());
    SetFlags(GetFlags() | xtpFlagManualUpdate | xtpFlagNoMovable);
}

void TabButton::OnExecute() {
    Korvo::UI::SwitchTabByUser(*tab_, !tab_->IsDisabledByUser());
    SetChecked(!tab_->IsDisabledByUser());
}

IMPLEMENT_DYNCREATE(RibbonTabsPopup, CXTPControlPopup)

RibbonTabsPopup::RibbonTabsPopup() {
    const CString caption = Korvo::I18n::Translate(L"panels.ribbon.tabs_popup");
    SetCaption(caption);
    SetTooltip(withoutMnemonics(caption));
    SetFlags(GetFlags() | xtpFlagManualUpdate);
}

CXTPRibbonBar* RibbonTabsPopup::FindRibbon() const {
    CXTPCommandBar* parent = GetParent();
    auto* bars = parent ? dynamic_cast<CKVRibbonCommandBars*>(parent->GetCommandBars()) : nullptr;
    if (!bars || !bars->IsRibbonModeOn()) return nullptr;
    return bars->GetRibbonBar();
}

bool RibbonTabsPopup::IsCustomizing() const {
    CXTPCommandBar* parent = GetParent();
    CXTPCommandBars* bars = parent ? parent->GetCommandBars() : nullptr;
    return bars && bars->IsCustomizeMode();
}

void RibbonTabsPopup::OnExecute() {
    if (!IsCustomizing()) OpenPopup();
}

void RibbonTabsPopup::OnSetPopup(BOOL popup) {
    if (popup && !IsCustomizing()) {
        if (CXTPControls* items = Korvo::UI::EmptiedPopupItems(*this)) {
            if (CXTPRibbonBar* ribbon = FindRibbon()) {
                for (int i = 0; i < ribbon->GetTabCount(); ++i) {
                    auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->GetTab(i));
                    // A contextual tab comes and goes with the document; a tab without an
                    // identity cannot keep the user's switch across layouts.
                    if (!tab || tab->GetContextColor() != xtpRibbonTabContextColorNone || tab->GetGuid() == GUID{}) continue;
                    items->Add(new TabButton(tab), 0);
                }
            }
            CXTPControl* customize = items->Add(xtpControlButton, kCustomizeCommand);
            customize->SetCaption(Korvo::I18n::Translate(L"panels.ribbon.customize"));
            customize->SetBeginGroup(TRUE);
            customize->SetFlags(customize->GetFlags() | xtpFlagManualUpdate);
        }
    }
    CXTPControlPopup::OnSetPopup(popup);
}

SIZE RibbonTabsPopup::GetSize(CDC* dc) {
    (void)dc;
    const int height = GetHeight() > 0 ? GetHeight() : CXTPControlPopup::GetSize(dc).cy;
    return SIZE{height * 13 / 22, height};
}
