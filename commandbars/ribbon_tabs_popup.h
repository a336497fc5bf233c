// The pop-up with which the user switches ribbon tabs off and on.
#pragma once

#include "platform/korvoui/ribbon.h"
#include "platform/toolkit.h"

// One switchable tab: clicking it toggles the tab's disabled-by-user mark, the menu staying open.
class TabButton : public CXTPControlButton {
public:
    explicit TabButton(Korvo::UI::RibbonTab* tab);
    Korvo::UI::RibbonTab* GetTab() const { return tab_; }
    void OnExecute() override;

private:
    Korvo::UI::RibbonTab* tab_;  // the ribbon's; the pop-up is rebuilt at every opening
};

class RibbonTabsPopup : public CXTPControlPopup {
    DECLARE_DYNCREATE(RibbonTabsPopup)
public:
    RibbonTabsPopup();
    // The items are rebuilt from the ribbon's tabs at every opening, so a tab the user or a
    // layout added since is offered; no menu while the bars are being customised.
    void OnExecute() override;
    void OnSetPopup(BOOL popup) override;
    SIZE GetSize(CDC* dc) override;

private:
    // The ribbon of the bars this control sits in; null outside ribbon mode.
    CXTPRibbonBar* FindRibbon() const;
    bool IsCustomizing() const;
};
