// The program's command bars of a main frame: the tool-bars list with its popup, the fix item of
// a tool bar's context menu, and the ribbon or classic mode with the ribbon and the menu bar each
// made on first use.
#pragma once

#include <vector>

#include "platform/korvoui.h"

class KVRibbonBar;
class CKVMenuBar;

// Appends one control per UI theme (ids 3401 onwards, captioned with the theme's name).
void AddThemeControls(CXTPControls* controls);

class CKVCommandBars : public CXTPCommandBars {
    DECLARE_DYNCREATE(CKVCommandBars)
public:
    // The tool-bars list, rebuilt with each tool-bars popup.
    struct ToolBarEntry {
        UINT group = 0;  // 0: an ordinary bar, 2: an add-on application's bar
        UINT barId = 0;
        CString title;
        bool visible = false;
        friend auto operator<=>(const ToolBarEntry&, const ToolBarEntry&) = default;
    };
    // Tool-bar entries use ids 700 onwards; never more than fit before the pane toggles.
    static constexpr UINT kFirstToolBarCommand = 700;
    static constexpr UINT kMaxToolBarEntries = 50;

    CKVCommandBars();

    bool GetShowFixItem() const { return showFixItem_; }
    void SetShowFixItem(bool show) { showFixItem_ = show; }
    const std::vector<ToolBarEntry>& GetToolBarList() const { return toolBars_; }
    // The bar of the tool-bars list's entry that command `id` (700 + position) names; null
    // outside the list.
    CXTPToolBar* GetListedToolBar(UINT id) const;

    void ContextMenu(CXTPToolBar* bar, POINT point) override;
    CXTPPopupBar* GetToolbarsPopup() override;
    void OnTrackingModeChanged(CXTPPopupBar* popup, BOOL tracking) override;
    // Whether the user may show or hide the bar from the tool-bars list (and add controls to it).
    bool IsListableToolBar(const CXTPToolBar* bar) const;

protected:
    // Command bars that keep the toolkit's tooltips (the auto-menu ones).
    explicit CKVCommandBars(bool ownTooltips);

private:
    bool showFixItem_ = true;
    std::vector<ToolBarEntry> toolBars_;
};

// The frame's second command bars, for the classic auto-menu.
class CKVAutoMenuCommandBars : public CKVCommandBars {
    DECLARE_DYNCREATE(CKVAutoMenuCommandBars)
public:
    CKVAutoMenuCommandBars() : CKVCommandBars(false) {}
};

class CKVRibbonCommandBars : public CKVCommandBars {
    DECLARE_DYNCREATE(CKVRibbonCommandBars)
public:
    CKVRibbonCommandBars() = default;

    // Made on first use (and again after the toolkit removed them).
    KVRibbonBar* GetRibbonBar();
    CKVMenuBar* GetMainMenuBar();
    // The ribbon in ribbon mode, else the classic menu bar.
    CXTPCommandBar* GetActiveMenuBar();
    bool IsRibbonModeOn() const { return ribbonMode_; }
    BOOL IsRibbonMode() const override { return ribbonMode_; }
    void SetRibbonMode(bool on);
    void OnToolBarRemoved(CXTPToolBar* bar) override;
    // Whether the next layout of the ribbon is a full one.
    bool IsRibbonRelayoutPending() const { return relayoutPending_; }
    void ClearRibbonRelayout() { relayoutPending_ = false; }

protected:
    CXTPMenuBar* CreateMenuBarObject() override;
    void OnMenuBarSet(CXTPMenuBar* bar) override;

private:
    CKVMenuBar* menuBar_ = nullptr;
    KVRibbonBar* ribbon_ = nullptr;
    bool ribbonMode_ = false;
    bool relayoutPending_ = false;
};

class CKVFramelessToolBars : public Korvo::UI::FramelessToolBars {
    DECLARE_DYNCREATE(CKVFramelessToolBars)
public:
    CKVFramelessToolBars();
};
