// The toolkit's customise sheet: a property sheet over a set of command bars, and its keyboard and
// commands pages, which list commands by category (each category a collection of controls the
// page owns).
#pragma once

#include <memory>
#include <vector>

#include "platform/mfc.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/commandbars/controls.h"

// The toolkit's texts for its categories.
inline constexpr UINT XTP_IDS_NEW_MENU = 9162;
inline constexpr UINT XTP_IDS_ALL_COMMANDS = 9169;
inline constexpr UINT XTP_IDS_BUILT_IN_MENUS = 9174;
// The toolkit's page templates and the lists they show: the categories, and the commands of the
// category selected (by caption).
inline constexpr UINT XTP_IDD_PAGE_COMMANDS = 9150;
inline constexpr UINT XTP_IDD_PAGE_KEYBOARD = 9151;
inline constexpr int XTP_IDC_LIST_CATEGORIES = 9101;
inline constexpr int XTP_IDC_LIST_COMMANDS = 9102;

// Its pages are switched by its tabs: the list XTP_IDC_SHEET_TABS, an item per page named by the
// id of the page's template (choosing the page shown does nothing).
inline constexpr int XTP_IDC_SHEET_TABS = 9100;

// The customise menu of the control the user selected on a bar: copy, paste, reset and edit its
// image (commands to the sheet), and its name, which the sheet hears as XTPWM_CONTROLNOTIFY
// with the code XTP_ID_CUSTOMIZE_NAME.
inline constexpr UINT XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE = 9126;
inline constexpr UINT XTP_ID_CUSTOMIZE_PASTEBUTTONIMAGE = 9127;
inline constexpr UINT XTP_ID_CUSTOMIZE_RESETBUTTONIMAGE = 9128;
inline constexpr UINT XTP_ID_CUSTOMIZE_EDITBUTTONIMAGE = 9129;
inline constexpr UINT XTP_ID_CUSTOMIZE_NAME = 9130;
// The icons the user edits or pastes there are new icons of the bars' image manager, from this
// id on.
inline constexpr UINT XTP_FIRST_CUSTOM_ICON_ID = 0x20000;
class CXTPCustomizeSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CXTPCustomizeSheet)
public:
    // Opens on page `selectPage` (by the order pages are added).
    CXTPCustomizeSheet(CXTPCommandBars* commandBars, LPCWSTR caption, CWnd* parent, UINT selectPage);
    CXTPCommandBars* GetCommandBars() const { return commandBars_; }
    void SetResizable(BOOL resizable) { resizable_ = resizable; }
    BOOL IsResizable() const { return resizable_; }
    // The layout of the page tabs (4: the tabs the toolkit draws itself).
    void SetTabLayout(int layout) { tabLayout_ = layout; }
    int GetTabLayout() const { return tabLayout_; }
    void AddPage(CPropertyPage* page);
    // The page shown now: the one the sheet opened on until the user picks another tab.
    CPropertyPage* GetShownPage() const { return shown_ ? shown_ : GetActivePage(); }
    // Its index in the order of adding, or -1.
    int GetShownIndex() const;
    // Shows `page` as its tab does; false when it refuses or cannot be made.
    bool ShowPage(CPropertyPage* page);
    // A right click on `control` of a bar while the bars are in customise mode: it becomes the
    // selected control and its customise menu shows; the choice reaches the sheet.
    void ShowControlMenu(CXTPControl* control);
    // The control selected so (null before any, and once the bars leave customise mode).
    CXTPControl* GetSelectedControl() const;
    ~CXTPCustomizeSheet() override;
    CXTPCustomizeSheet(const CXTPCustomizeSheet&) = delete;
    CXTPCustomizeSheet& operator=(const CXTPCustomizeSheet&) = delete;

protected:
    BOOL OnInitDialog() override;
    // A tab shows its page; a control of a page tells the page (its own parent), whichever window
    // the sheet hears it in.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The page shown applies too.
    void OnOK() override;
    // PSM_SETCURSELID shows the page as its tab does; the name notification asks the selected
    // control's new name (the rename box).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The sheet opened, or another page became the shown one.
    virtual void OnShownPageChanged() {}

private:
    // The image commands on the selected control; false when `id` is none of them.
    bool OnImageCommand(UINT id);
    void RenameSelectedControl();

    void SelectControl(CXTPControl* control);

    CXTPCommandBars* commandBars_;
    CXTPControl* selected_ = nullptr;  // one reference
    BOOL resizable_ = FALSE;
    int tabLayout_ = 0;
    std::vector<CPropertyPage*> pages_;
    HWND tabs_ = nullptr;
    CPropertyPage* shown_ = nullptr;
};

// A page that lists commands by category.
class CXTPCustomizeCategoriesPage : public CPropertyPage {
    DECLARE_DYNAMIC(CXTPCustomizeCategoriesPage)
public:
    struct Category {
        CString name;
        std::unique_ptr<CXTPControls, void (*)(CXTPControls*)> controls;
    };
    CXTPCustomizeCategoriesPage(UINT templateId, LPCWSTR caption);
    // The controls of category `name`, made (at the end) when there is none of that name.
    CXTPControls* GetControls(LPCWSTR name);
    CXTPControls* FindControls(LPCWSTR name) const;
    const std::vector<Category>& GetCategories() const { return categories_; }
    // A category for each top-level control of `menuBar`, named by its caption without "&": the
    // control itself when it has no pop-up, else every sub-control with a caption, its caption
    // the path from the top joined by " | " (sub-pop-ups walked the same way, themselves listed
    // only `withPopups`).
    void AddCategories(CXTPCommandBar* menuBar, BOOL withPopups);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCategory(int index);
    std::vector<Category> categories_;
};

class CXTPCustomizeKeyboardPage : public CXTPCustomizeCategoriesPage {
    DECLARE_DYNAMIC(CXTPCustomizeKeyboardPage)
public:
    explicit CXTPCustomizeKeyboardPage(CXTPCustomizeSheet* sheet);
};

class CXTPCustomizeCommandsPage : public CXTPCustomizeCategoriesPage {
    DECLARE_DYNAMIC(CXTPCustomizeCommandsPage)
public:
    explicit CXTPCustomizeCommandsPage(CXTPCustomizeSheet* sheet);
    // The all-commands category (XTP_IDS_ALL_COMMANDS): a clone of every control of the other
    // categories, one per id; the application adds what it lacks.
    CXTPControls* InsertAllCommandsCategory();
    // The new-menu category (XTP_IDS_NEW_MENU): one empty pop-up to drag onto a bar.
    CXTPControls* InsertNewMenuCategory();
};

// A group line of a customise page: the etched line of a static control of the page's template
// (tied with DDX_Control), which the page stretches with its width.
class CXTPGroupLine : public CWnd {};
