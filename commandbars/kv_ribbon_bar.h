// The ribbon of a main frame: contextual tabs by GUID, tabs shown by document keywords, the tab
// the user chose per view, walkers over every control with setters by command id, the split
// button that takes over the command last run from it, the PDM popup in the caption row, the
// system button with its backstage, and its own context menus.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/korvoui.h"
#include "services/command_bars.h"

class VarnelPopup;
class KVRibbonBackstagePrintPage;
class KVRibbonNewDocumentBackstagePage;
class KVRibbonExportBackstagePage;
class KVRibbonExportVarnelBackstagePage;
class RecentFilesBackstagePage;
class IDataExchange;
class KernelPanelValue;
class KVDocument;

// Well-known tab GUIDs of contextual updates.
inline constexpr GUID kDefaultRibbonContext{0x84F3EAA9, 0x60FB, 0x4DF4, {0xAE, 0x1D, 0x3F, 0x08, 0xA3, 0x02, 0x23, 0xAE}};
inline constexpr GUID k3DRibbonContext{0x7EB4FAE1, 0xC764, 0x4869, {0x90, 0x6D, 0x97, 0xBF, 0x25, 0xA7, 0xBC, 0x14}};
inline constexpr GUID kFeaRibbonContext{0xFF0DC8C2, 0x69EB, 0x4C73, {0x93, 0xB2, 0xD5, 0xB1, 0x97, 0x4F, 0xEB, 0x6A}};

class KVRibbonBar : public CXTPRibbonBar, public RibbonBarServices {
    DECLARE_DYNCREATE(KVRibbonBar)
public:
    // While one exists the ribbon's tab changes are the program's, not the user's.
    class TabChangeGuard {
    public:
        explicit TabChangeGuard(KVRibbonBar& ribbon) : ribbon_(ribbon) { ++ribbon_.programmaticTabChanges_; }
        ~TabChangeGuard() { --ribbon_.programmaticTabChanges_; }
        TabChangeGuard(const TabChangeGuard&) = delete;
        TabChangeGuard& operator=(const TabChangeGuard&) = delete;

    private:
        KVRibbonBar& ribbon_;
    };

    using ControlFunction = RibbonBarServices::ControlFunction;
    using ControlChainFunction = std::function<void(CXTPControl*, const std::vector<CXTPControl*>& parents)>;

    KVRibbonBar();
    ~KVRibbonBar() override;

    // Contextual tabs for the three context GUIDs (see the frame's GetRibbonContextGuids).
    void UpdateTabsForDocument(const GUID& first, const GUID& second, const GUID& third, bool fullUpdate);
    // Tabs that carry tags are shown exactly when the document has one of their tags as keyword.
    void ShowTabsForDocumentKeywords(CKvw32Doc* document);
    void SelectTabSilently(int index);
    Korvo::UI::RibbonTab* FindTabByGuid(const GUID& guid) const;

    // Every control of every group of every tab, then the tab row's; with `deep`, also inside
    // the bars controls open (popups, split buttons, galleries).
    void ForEachControl(const ControlFunction& function, bool deep) const override;
    void ForEachControl(const ControlChainFunction& function, bool deep) const;
    void ForEachGroup(const std::function<void(CXTPRibbonGroup*)>& function) const;

    // Setters by command id: every control with the id, popups included; the controls become
    // manual-update so the update pass leaves them alone.
    void EnableControl(int id, bool enable);
    void SetControlState(int id, bool checked, bool disabled);
    // `value` laid out as the controls read it; see the typed forms.
    void SetControlValue(KVDocument* document, int id, const void* value);
    // The typed forms give each control only a value of a kind it keeps (a word; a measure of
    // the value and its variable index): false, with nothing changed, when a control of the id
    // takes no such value, or when none has a value; false too when none kept it (a value for a
    // document the frame does not show), the controls still enabled.
    bool SetControlValue(KVDocument* document, int id, unsigned value);
    bool SetControlValue(KVDocument* document, int id, double value, int variable);
    bool SetControlValue(KVDocument* document, int id, int value, int variable);
    bool SetControlValue(KVDocument* document, int id, const KernelPanelValue& value);
    // Whether every control of the id would take the value (a refusal is logged).
    bool TakesControlValue(int id, const KernelPanelValue& value) const;
    // The first control with the id (the selected tab's visible groups first, then the ribbon's
    // own controls), or null.
    CXTPControl* FindDataControl(int id) const;
    // Its value; null when it has none.
    const void* GetControlData(int id) const;
    void PopulateControlData(const CXTPControl* source);
    // The system-panel controls (904 to 999 except 912) are reset and disabled.
    void DisableSystemPanelControls();

    VarnelPopup* GetVarnelPopup() const { return varnelPopup_; }
    void SetVarnelPopup(VarnelPopup* popup) { varnelPopup_ = popup; }
    int GetTabChangeCounter() const { return programmaticTabChanges_; }
    bool GetNullContextFlag() const { return nullContext_; }
    // The backstage pages, each made on its first request (with `create`; the export pages on
    // any request) and owned by the ribbon; null when it is not made or cannot be.
    KVRibbonBackstagePrintPage* GetPrintBackstagePage(bool create);
    KVRibbonNewDocumentBackstagePage* GetNewDocumentBackstagePage(bool create);
    RecentFilesBackstagePage* GetRecentFilesBackstagePage(bool create);
    KVRibbonExportBackstagePage* GetExportBackstagePage();
    KVRibbonExportVarnelBackstagePage* GetExportVarnelBackstagePage();
    CXTPRibbonBackstageView* GetBackstageView() const;
    // Shows the first enabled backstage tab with the id (and the page, when given): switches to
    // it while the backstage is open, else opens the backstage on it. False when there is none.
    bool ActivateBackstageTab(int id, CWnd* page = nullptr);
    // The shown tab while the backstage is open, else null.
    const CXTPRibbonBackstageView::Tab* GetActiveBackstageTab() const;
    void RefreshBackstage();
    struct BackstageTheme {
        int paintTheme = 0;  // the toolkit's
        int pageTheme = 0;   // passed to the pages
    };
    void SetBackstageTheme(const BackstageTheme& theme);
    static constexpr int kBackstagePageCount = 5;

    // Toolkit virtuals.
    SIZE GetIconSize() const override;
    SIZE GetLargeIconSize() const override;
    void OnControlsChanged() override { layoutPending_ = true; }
    void CalcDockingLayout() override;
    BOOL OnTabChanging(CXTPRibbonTab* newTab) override;
    void OnTabChanged(CXTPRibbonTab* tab) override;
    CXTPRibbonTabPopupToolBar* CreateTabPopupToolBar(CXTPRibbonTab* tab) override;
    CXTPPopupBar* CreateContextMenu(CXTPControl* control) override;
    void OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The source ribbon's tabs, groups and controls, with its customisation switch on while they
    // are copied; a bar of another kind is copied as the toolkit copies it.
    void Copy(CXTPCommandBar* source, BOOL recursive = FALSE) override;
    // A new KVRibbonBar on the same command bars with this one's tabs.
    CXTPCommandBar* Clone(BOOL recursive = FALSE) override;
    bool IsLayoutPending() const { return layoutPending_; }
    // The PDM popup's place in the caption row, or empty when it is hidden.
    RECT GetVarnelPopupRect() const { return varnelRect_; }
    // The PDM popup sits where the layout placed it in the caption row.
    RECT GetControlRect(const CXTPControl* control) const override;

    // What the frame does for the context menus' customise and reset items.
    struct MenuActions {
        // Opens the customise sheet on its ribbon page with the item selected (a control, a
        // group or a tab; the others null).
        std::function<void(CXTPControl*, CXTPRibbonGroup*, CXTPRibbonTab*)> customize;
        std::function<void(Korvo::UI::RibbonGroup*)> resetGroup;
        std::function<void(Korvo::UI::RibbonTab*)> resetTab;
    };
    void SetMenuActions(MenuActions actions) { menuActions_ = std::move(actions); }
    const MenuActions& GetMenuActions() const { return menuActions_; }
    // The groups menu of a tab (groups that can be switched off); null when none qualifies.
    CXTPPopupBar* CreateGroupsMenu(CXTPRibbonTab* tab);

protected:
    afx_msg LRESULT OnRButtonUpMessage(WPARAM flags, LPARAM point);
    // With desktop composition the caption buttons the ribbon covers stay the frame's: their hit
    // codes (minimise, maximise, close, help) answer HTTRANSPARENT. The composition's answer is
    // kept for the last frame rectangle and point.
    afx_msg LRESULT OnNcHitTestMessage(WPARAM unused, LPARAM point);
    DECLARE_MESSAGE_MAP()

private:
    Korvo::UI::MainFrame* frame() const;
    // The chain of parents walk for split-button follow.
    void followSplitButton(CXTPControl* control);
    void walk(CXTPControls* controls, const ControlChainFunction& function, bool deep,
              std::vector<CXTPControl*>& parents) const;
    void forEachControlWithId(int id, const std::function<void(CXTPControl*)>& function);

    std::unique_ptr<CWnd> backstagePages_[kBackstagePageCount];
    VarnelPopup* varnelPopup_ = nullptr;  // held by the ribbon's control list
    int programmaticTabChanges_ = 0;
    bool nullContext_ = true;
    bool layoutPending_ = false;
    RECT varnelRect_{};
    MenuActions menuActions_;
    // The last composition hit test.
    struct CaptionHit {
        RECT frame{};
        LPARAM point = 0;
        LRESULT result = 0;
        bool valid = false;
    } captionHit_;
    // The left edge (ribbon coordinates) of the leftmost visible caption button, or the ribbon's
    // right edge when there is none.
    int captionButtonsLeft() const;
};

// The gallery-width box of the ribbon's context menu: the column count after a spin step (never
// below 1), and the count typed into the box (0 when it is not a positive number of digits).
int NextGalleryWidth(int value, int increment, int direction);
int ParseGalleryWidth(const CString& text);

// The three context GUIDs of a frame: the first the default context (or the view's top switch
// event, or its stored tab, or its type), the second the event's or the view's type, the third
// the view's type; null when there is no active view.
void GetRibbonContextGuids(Korvo::UI::MainFrame& frame, GUID& first, GUID& second, GUID& third);
