// The UI library's file-selection dialog: a resizable modal dialog made from no template, with a
// single-column list of rows and OK and Cancel; the user picks one row.
#pragma once

#include <vector>

#include "platform/mfc.h"

namespace Korvo::UI {

class FileSelectionDialog : public CDialog {
    DECLARE_DYNAMIC(FileSelectionDialog)
public:
    static constexpr int kListId = 1000;

    // `localisationId` names the dialog and its title text ("dialogs.file_selection").
    FileSelectionDialog(CWnd* parent, LPCWSTR localisationId);
    void AddRow(const CString& text) { rows_.push_back(text); }
    // The row selected when the dialog closed with OK, or -1.
    int GetSelectedRow() const { return selected_; }

    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::vector<CString> rows_;
    int selected_ = -1;
};

}  // namespace Korvo::UI
