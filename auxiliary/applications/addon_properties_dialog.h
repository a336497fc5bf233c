// An add-on application's properties: its name and path, and when it starts.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

class CAddonProp : public CDialog {
public:
    static constexpr UINT kTemplate = 1562;
    static constexpr int kPath = 1158;
    static constexpr int kName = 1159;
    static constexpr int kStartup = 1160;
    static constexpr int kAutoStart = 1161;
    static constexpr int kStartMode = 1215;

    CAddonProp(CKVBaseApplication& application, LPCWSTR iniPath, CWnd* parent = nullptr)
        : CDialog(kTemplate, parent), application_(application), iniPath_(iniPath) {}

    // Whether the start mode `value` is offered for an application with `flags`: a mode that
    // starts automatically must agree with the application about starting before all others.
    static bool IsOffered(DWORD value, DWORD flags);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAutoStartClicked();

    DECLARE_MESSAGE_MAP()

private:
    HWND Item(int id) const { return ::GetDlgItem(GetSafeHwnd(), id); }

    CKVBaseApplication& application_;
    CString iniPath_;
};
