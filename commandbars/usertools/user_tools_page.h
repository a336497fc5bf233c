// The user tools page: the user commands in a list, with the prompt, tooltip and icon of the
// selected one and a preview of its icon; commands are added (by kind), edited, deleted, run,
// exported to a command file and imported from one. Every change goes straight to the collection
// and to the command bars; closing the page undoes nothing.
#pragma once

#include "commandbars/user_commands.h"
#include "platform/kernel.h"
#include "platform/mfc/listbox.h"

class CKVUserToolsPage : public CKorvoDialog {
public:
    static constexpr UINT kTemplateId = 1299;
    enum : int {
        kList = 43078, kIconCombo = 3476, kPreview = 1214, kPrompt = 43085, kTooltip = 43086,
        kAdd = 43079, kEdit = 43083, kDelete = 43080, kRun = 43090, kBrowse = 2301, kExport = 43087, kImport = 43084,
    };

    // Over the application's collection; the page does not own the commands.
    explicit CKVUserToolsPage(CKVUserCommands& commands, CWnd* parent = nullptr);
    ~CKVUserToolsPage() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The command of the selected row, or null.
    CKVUserCommand* Selected() const;
    void FillList();
    void FillIconCombo();
    void ShowFields();
    void UpdateControls();
    void RefreshPreview(bool redrawBars);
    void SetPrompt();
    void SetTooltip();
    void SetIcon(const CString& icon);
    // Adds the command's row at `index` (-1: at the end); the row's index.
    int InsertRow(int index, CKVUserCommand& command);
    // Deletes the row; the row at its index (or the last, when it was the last) is selected.
    void RemoveRow(int row);
    // Texts the page itself puts into the fields are no user's edits.
    void SetFieldText(int id, const CString& text);

    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnRun();
    void OnBrowse();
    void OnExport();
    void OnImport();

    CKVUserCommands& commands_;
    CListBox list_;
    HICON preview_ = nullptr;
    HICON windowIcon_ = nullptr;
    bool filling_ = false;
};
