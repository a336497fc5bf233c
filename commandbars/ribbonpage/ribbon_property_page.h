// The customise sheet's ribbon page: the commands that can be placed (by category, with a search)
// beside the bar being customised (the ribbon's tabs, the quick-access bar, the popup tool bar's
// button sets or the frameless view tool bar), with a find box; the ribbon or one tab is written
// to and read from layout files. Every change acts on the live bars at once.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "commandbars/ribbonpage/ribbon_command_captions.h"
#include "platform/korvoui/kvpf.h"
#include "platform/korvoui/layout.h"
#include "platform/toolkit.h"

// What the sheet asks the page to show first: a view (0 ribbon tabs, 1 quick-access bar, 2 popup
// tool bar, 3 frameless view tool bar) and an item to focus in it.
struct RibbonPageOpenRequest {
    struct ButtonSetKey {
        int viewType = 0, objectType = 0, objectSubtype = 0;
    };
    int view = 0;
    std::variant<std::monostate, CXTPRibbonTab*, CXTPRibbonGroup*, CXTPControl*, ButtonSetKey> focus;
    // The request of the ribbon's customise menu items: the ribbon view, the tab, group or control
    // the menu was opened on (null: none).
    static RibbonPageOpenRequest ForItem(CCmdTarget* item);
};

// What the page needs of the main frame that owns its ribbon.
struct RibbonPageFrame {
    CXTPMenuBar* menuBar = nullptr;  // the command categories
    CXTPToolBar* framelessToolBar = nullptr;
    // The frame's control for a command (CreateToolBarControl); null when it makes none.
    std::function<CXTPControl*(UINT id)> createToolBarControl;
    // The user commands' controls (new references).
    std::function<std::vector<CXTPControl*>()> userCommandControls;
    // The 3D kernel's update of a command (it may set the caption of a dynamic command).
    std::function<void(CCmdUI&)> update3D;
    // Layout files: the parameters the frame applies ribbons with, and the saving callbacks.
    std::function<Korvo::UI::XML::ApplicationParameters()> ribbonParameters;
    std::function<std::wstring(const CXTPControl&)> controlName;
    std::function<void(const CXTPControl&, Korvo::UI::XML::Element&)> writeAttributes;
    // After a layout was read: the new controls readied, tabs shown by keywords, command states.
    std::function<void()> layoutApplied;
    // The popup tool bar's caption of a command (empty: none).
    std::function<CString(UINT id)> popupCommandCaption;
    // Appends the select control of the new-button-set dialog to its content.
    std::function<kvpf::BaseControl*(kvpf::ContainerControl&, const wchar_t* name)> addSelectControl;
};
// The main-frame-of-a-window query the page asks with its ribbon's site; the main frame installs
// it. Without one (or for another window) the page has no categories and cannot import.
void SetRibbonPageFrameQuery(std::function<std::optional<RibbonPageFrame>(CWnd* site)> query);

class RibbonPropertyPage : public CXTPPropertyPage {
public:
    static constexpr UINT kTemplateId = 782;
    enum : int {
        kCategoryCombo = 3963, kCommandTree = 3960, kViewCombo = 3959, kBarTree = 3961,
        kAdd = 1221, kNewTab = 3965, kNew = 3964, kRename = 2892, kImportExport = 3461,
        kCommandSearch = 4195, kBarSearch = 4196, kClearCommandSearch = 4193, kClearBarSearch = 4194, kFindNext = 4197,
    };
    // Commands of the menus the page shows.
    enum : UINT {
        kRemoveCommand = 1004, kExportTabCommand = 3460, kImportCommand = 3462, kExportCommand = 3463,
        kRemoveMenuCommand = 2521, kRenameMenuCommand = 2524, kEditTagsCommand = 2143, kFlagCommand = 3968,
        kFirstStyleCommand = 3401, kLastStyleCommand = 3405, kFirstViewTypeCommand = 9334, kLastViewTypeCommand = 9340,
    };
    // Where an item goes beside its target, and whether the source stays.
    enum Position : int { kBefore = 0, kAfter = 1, kInto = 2 };
    enum Mode : int { kCopy = 1, kMove = 2 };

    class TreeControl : public CXTPCoreTreeControl {
    public:
        TreeControl() { EnableDragSource(true); }
    };
    class CommandTreeControl : public TreeControl {};
    // The bar tree: the only drop target (copy and move).
    class RibbonTreeControl : public TreeControl {
    public:
        RibbonTreeControl() { SetDropEffects(DROPEFFECT_COPY | DROPEFFECT_MOVE); }
    };

    RibbonPropertyPage(CXTPRibbonBar* ribbon, std::optional<RibbonPageOpenRequest> request);
    ~RibbonPropertyPage() override;

    // Writes the whole ribbon (null) or one tab to a layout file the user chooses.
    void Export(CXTPRibbonTab* tab);
    // Reads a layout file the user chooses into the ribbon: a whole ribbon replaces its tabs, a
    // tab joins them.
    void Import();

    CommandTreeControl& GetCommandTree() { return commandTree_; }
    RibbonTreeControl& GetBarTree() { return barTree_; }

    // Puts `source` (an item of either tree) before, after or into `target` (an item of the bar
    // tree), acting on the live bars; false when the rules refuse it (nothing changes then).
    bool MoveOrCopy(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position, int mode);
    // Where a drop of `dragged` at the bar tree's point would go (the item under it and the
    // position), nothing when it may not drop there.
    std::optional<std::pair<CXTPCoreTreeItem*, int>> DropPlace(const CXTPCoreTreeItem& dragged, POINT point);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Every message of the page runs inside a crash-dump context, so a crash while editing the
    // ribbon is reported like one of the main window.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;

private:
    struct SearchBox {
        int id = 0;
        CString text;  // searchable form
    };
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void FillCategories();
    void FillCommandTree();
    void FillBarTree();
    void FocusRequested();
    void UpdateButtons();
    void RecomputeFind();
    void FindNext();
    void OnSearchChanged(SearchBox& box, bool fromList);
    void ClearSearch(SearchBox& box);
    void ShowCue(const SearchBox& box, bool focused);
    void OnBarTreeCheck(HTREEITEM row);
    void ShowBarTreeMenu();
    // Editing (the bar tree's focused item unless named).
    void AddFocused();
    void RemoveFocused();
    void RenameFocused();
    void EditTags();
    void NewTab();
    void NewGroup();
    void NewButtonSet();
    void ToggleFlag(CXTPCoreTreeItem* item);
    void ChooseStyle(CXTPControl* control, UINT command);
    void ToggleViewType(CXTPControl* control, UINT command);
    bool MoveControl(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position, int mode, std::unique_ptr<CXTPCoreTreeItem>& clone);
    CXTPControl* InsertControl(CXTPControl* control, CXTPCoreTreeItem* target, int position, const CXTPCoreTreeItem* skip);
    bool MoveSeparator(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position, int mode, bool& placeItem);
    bool MoveGroup(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position);
    bool PutIntoButtonSet(CXTPCoreTreeItem* source, CXTPCoreTreeItem* target, int position, std::unique_ptr<CXTPCoreTreeItem>& clone);
    // The item goes from the tree; the focus moves to a neighbour first.
    void DropItem(CXTPCoreTreeItem* item);
    void LayoutRibbon();
    void RegisterDrops();
    void ShowImportExportMenu();
    // The rename button's drop-down: rename, or remove the selected bar item.
    void ShowRenameMenu();
    // A popup menu of (command, text key) items below the control `id` (or at the cursor when
    // `id` is 0); the chosen command, 0 when dismissed.
    UINT TrackMenu(const std::vector<std::pair<UINT, const wchar_t*>>& items, int id);
    CString ChooseFile(bool open);
    void ShowMessage(const wchar_t* textKey);
    const ribbon_page::CaptionMap& SystemCaptions();
    const ribbon_page::CaptionMap& UserCaptions();
    const ribbon_page::CaptionMap& AllCaptions();
    int SelectedCategory() const;
    int SelectedView() const;

    CXTPRibbonBar* ribbon_;
    std::optional<RibbonPageOpenRequest> request_;
    RibbonPageFrame frame_;
    CommandTreeControl commandTree_;
    RibbonTreeControl barTree_;
    SearchBox commandSearch_{kCommandSearch, {}};
    SearchBox barSearch_{kBarSearch, {}};
    std::vector<int> categoryData_;
    std::optional<ribbon_page::CaptionMap> systemCaptions_, userCaptions_, allCaptions_;
    std::vector<CXTPCoreTreeItem*> findList_;
    int findIndex_ = -1;
    bool filling_ = false;
};
