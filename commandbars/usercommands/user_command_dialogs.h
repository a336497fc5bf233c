// The editors of the external-program and open-library user commands.
#pragma once

#include "platform/kernel.h"

// Program (edit 1202, browse button 1203), arguments (edit 1204) and whether to wait for the
// program to end (check box 3477).
class CKVExternalAppDlg : public CKorvoDialog {
public:
    static constexpr UINT kTemplateId = 21246;
    static constexpr int kAppEdit = 1202, kBrowseButton = 1203, kArgsEdit = 1204, kWaitCheck = 3477;

    CKVExternalAppDlg(const CString& app, const CString& args, DWORD wait, CWnd* owner);

    CString m_app;
    CString m_args;
    DWORD m_wait;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

// The library's name (edit 1150) and the mode (the selected index of combo box 3167).
class CKVOpenLibraryDlg : public CKorvoDialog {
public:
    static constexpr UINT kTemplateId = 21253;
    static constexpr int kLibraryEdit = 1150, kModeCombo = 3167;

    CKVOpenLibraryDlg(const CString& library, DWORD mode, CWnd* owner);

    CString m_library;
    DWORD m_mode;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
