// The "find command" pane's window (pane 1028): a filter box over the list of commands that
// match it. A row is run by a double click; its context menu runs it, finds it on the bars, adds
// it to the ribbon, opens its help or switches the search by synonyms.
#pragma once

#include <vector>

#include "commandbars/search/command_list.h"
#include "commandbars/tooltip_context.h"
#include "platform/korvoui.h"

// The filter box: Enter keeps the trimmed text in its drop-down list of searches.
class CFindCommandComboBox : public CWnd {
public:
    static constexpr UINT kId = 1215;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The owner-drawn list of commands; its tips are the commands' extended tooltips.
class CCommandList : public CWnd {
public:
    static constexpr UINT kId = 4074;
    static constexpr int kRowHeight = 60;  // at 96 dpi
    static constexpr int kIconSize = 32;

    CKVToolTipContext& GetToolTipContext() { return tips_; }
    // The command of a row, 0 outside the list.
    UINT GetCommandAt(int row) const;
    // The selected row, or -1.
    int GetSelectedRow() const;
    void SetColours(COLORREF background, COLORREF selectedBackground, COLORREF text, COLORREF selectedText);
    void DrawItem(const DRAWITEMSTRUCT& item);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowTip(POINT client);
    void ShowContextMenu(POINT screen);

    CKVToolTipContext tips_{nullptr};
    COLORREF background_ = 0xFFFFFF, selectedBackground_ = 0xFF9933, text_ = 0, selectedText_ = 0xFFFFFF;
};

class FindCommandDialog : public CWnd {
public:
    // Creates the form's window and its controls inside `parent`.
    bool CreateForm(CWnd* parent);
    // Fills the list again with the commands the filter finds.
    void Refresh();
    bool IsBuilt() const { return built_; }
    void SetBuilt(bool built) { built_ = built; }
    const CString& GetFilter() const { return filter_; }
    CCommandList& GetList() { return list_; }
    CWnd& GetComboBox() { return comboBox_; }
    const std::vector<CommandEntry>& GetEntries() const { return entries_; }
    void SetBackground(COLORREF colour) { background_ = colour; }
    // Runs the command of a row when it is enabled in the main frame that holds the list.
    void RunRow(int row);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Layout();
    void FilterChanged(const CString& text);

    CFindCommandComboBox comboBox_;
    CCommandList list_;
    CString filter_;            // as typed
    CString searchableFilter_;  // what the list is built with
    COLORREF background_;
    bool built_ = false;
    std::vector<CommandEntry> entries_;
};

class CFindCommandWnd : public Korvo::UI::DockingPaneChildWindow {
public:
    static constexpr UINT kPaneId = 1028;

    FindCommandDialog& GetForm() { return form_; }
    // The help key while a tip of the list shows: help for the command under the mouse; false
    // when no tip shows (the main frame handles the key).
    bool OnHelp();
    // A command was registered after the list was built: the list is built again when it shows.
    void OnCommandRegistered(UINT id);
    void SetTheme(const Korvo::UI::Theme& theme) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    FindCommandDialog form_;
};

// The pane's list as the console prints it: the filter, then one line per row (command id,
// caption, description, "grey" when the command is disabled). Empty when `window` is no
// find-command window.
std::wstring FindCommandOutline(HWND window);
