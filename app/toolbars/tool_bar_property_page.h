// The customise sheet's tool-bar options page: the icon size of every main frame's tool bars,
// ribbon or classic mode, how menus show their items and open, whether screen tips show and what
// they tell, and the reset of the commands' usage data. Every control acts at once.
#pragma once

#include "platform/toolkit.h"
#include "platform/toolkit/commandbars/customize.h"

class ToolBarPropertyPage : public CXTPPropertyPage {
public:
    static constexpr UINT kTemplateId = 783;
    enum : int {
        kAlwaysFullMenus = 100, kFullMenusAfterDelay = 101, kResetUsage = 102, kScreenTips = 104,
        kShortcutsInTips = 105, kAnimation = 106, kGroupLine1 = 107, kGroupLine2 = 108, kRibbonMode = 806,
        kCommandNames = 1134, kIconSize = 1215, kExtendedTips = 1274,
    };
    static constexpr UINT kIconSizes[] = {16, 24, 32};

    // Edits the options of `bars` (the sheet's command bars).
    explicit ToolBarPropertyPage(CXTPCommandBars* bars) : CXTPPropertyPage(kTemplateId), bars_(bars) {}

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CXTPCommandBarsOptions* Options() const { return bars_ ? bars_->GetCommandBarsOptions() : nullptr; }
    CXTPCustomizeSheet* Sheet() const { return dynamic_cast<CXTPCustomizeSheet*>(GetParentSheet()); }
    void RefreshChecks();
    void OnCheck(int id, bool on);
    void OnRibbonMode(bool on);
    void OnIconSize();
    void OnAnimation();
    void OnResetUsage();

    CXTPCommandBars* bars_;
    CXTPGroupLine groupLines_[2];
};
