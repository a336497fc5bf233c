// The customise sheet's page of the main-bar modes: the tabs of the active main frame's tabbed
// main bar, each shown or hidden by its tick, made, renamed, deleted (the user's own only),
// reordered, made into a tool bar and given a keyboard shortcut; and the bar's prompts and font.
// Every change goes straight to the live bar; the page keeps no copy of it.
#pragma once

#include "commandbars/tab_tool_bar.h"
#include "platform/toolkit.h"
#include "platform/toolkit/commandbars/customize.h"

class MainbarModesDialog : public CXTPPropertyPage {
public:
    static constexpr UINT kTemplateId = 21295;
    enum : int {
        kModeList = 1033, kPrompts = 3571, kStandardFont = 3572,
        kNew = 1211, kDelete = 4, kRename = 2892, kMakeToolBar = 5, kMoveUp = 1223, kMoveDown = 1224,
        kShortcut = 1225, kClearShortcut = 1226,
    };
    // The starting commands of a new mode (0: a separator): the long list when the user wants the
    // usual tools with it, else the short one.
    static constexpr UINT kExtendedStart[] = {1075, 0, 1065, 1064, 1072, 0, 1001, 1029, 1027, 0, 1115, 1117, 0};
    static constexpr UINT kShortStart[] = {1075, 0, 1115, 1117, 0};

    // Over the tabbed bar of the active main frame, if there is one.
    MainbarModesDialog();

    // The list entry of tab `tab`: its menu string, the shortcut after the name moved out to about
    // two thirds of the list's width with blanks (measured in the list's font).
    CString FormatModeEntry(int tab) const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The tab an entry stands for (-1 when it is gone from the bar).
    int TabOf(int entry) const;
    int SelectedTab() const { return TabOf(list_.GetCurSel()); }
    void AddEntry(int tab, int at);
    void RewriteEntry(int entry);
    void UpdateButtons();
    void Redraw() const;
    void OnNewMode();
    void OnRename();
    void OnDelete();
    void OnMove(int step);
    void OnShortcut();
    void OnClearShortcut();
    void OnChecksChanged();
    void OnMakeCurrent();

    CKVTabToolBar* bar_;
    CCheckListBox list_;
};
