// Choosing a new add-on application from the descriptor files ("*.kva") of a folder. Applications
// the kernel knows already are not offered.
#pragma once

#include <vector>

#include "platform/kernel.h"
#include "platform/mfc.h"

class CAddAddonDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 1561;
    static constexpr int kList = 1157;
    static constexpr int kFolder = 1223;
    static constexpr int kBrowse = 1658;

    // One application a descriptor offers.
    struct Record {
        CString identifier;
        kvaux::ApplicationIniFileEntry entry;
    };

    explicit CAddAddonDlg(CWnd* parent = nullptr) : CDialog(kTemplate, parent) {}

    // The record chosen with OK; null before, or when the row named no record.
    const Record* GetChosen() const { return chosen_; }
    // The descriptor folder, one for the whole process: the next dialog opens where the last
    // one was left.
    static CString& Folder();
    // Whether an identifier may name an application: a registry key is made of it, so it must
    // be one plain key name.
    static bool IsUsableIdentifier(const CString& identifier);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void ReloadList();
    afx_msg void OnBrowse();
    afx_msg void OnSelectionChanged();
    afx_msg void OnDoubleClick();

    DECLARE_MESSAGE_MAP()

private:
    HWND List() const;
    const Record* chosen_ = nullptr;
    std::vector<Record> entries_;
};
