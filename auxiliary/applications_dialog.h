// The add-on applications dialog: the applications the kernel knows, native and managed, with
// their state; the user starts, adds, removes them and sets when they start.
#pragma once

#include <functional>
#include <vector>

#include "platform/kernel.h"
#include "platform/mfc.h"

// What the dialog needs of the program around it.
struct ApplicationsDialogHost {
    // The applications ini file the dialog's changes are saved into.
    CString iniPath;
    // Shows and selects the applications ribbon tab of the active main frame (after a start of
    // an application that puts its tools there); may be empty.
    std::function<void()> showApplicationsTab;
};

class CKVAppDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 1563;
    static constexpr int kList = 1267;
    static constexpr int kStart = 1517;
    static constexpr int kRemove = 1134;
    static constexpr int kProperties = 1135;
    static constexpr int kAdd = 1221;

    static constexpr UINT kIcon = 1258;

    CKVAppDlg(const ApplicationsDialogHost& host, CWnd* parent) : CDialog(kTemplate, parent), host_(host) {}
    ~CKVAppDlg() override;
    CKVAppDlg(const CKVAppDlg&) = delete;
    CKVAppDlg& operator=(const CKVAppDlg&) = delete;

    // Whether the user may start the application now: not started, its file present, and the
    // PDM system connected when it needs one. Button, double-click and Enter all ask this.
    static bool CanStart(const CKVBaseApplication& application);
    // The application the user chose to start when the dialog closed; null otherwise.
    CKVBaseApplication* GetApplicationToStart() const { return toStart_; }
    // Enter anywhere in the dialog is OK, which starts the selected application; Escape closes.
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnItemChanged(NMHDR* header, LRESULT* result);
    afx_msg void OnDoubleClick(NMHDR* header, LRESULT* result);
    afx_msg void OnStart();
    afx_msg void OnAdd();
    afx_msg void OnRemove();
    afx_msg void OnProperties();
    afx_msg LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    HWND List() const { return ::GetDlgItem(GetSafeHwnd(), kList); }
    int AddRow(CKVBaseApplication& application);
    CKVBaseApplication* Selected() const;
    void UpdateButtons();
    void StartSelected();

    // Where a control sat in the opening layout, and how much of the dialog's growth it takes:
    // the list grows with the dialog, the buttons keep to its right edge, Close to its corner.
    struct Anchored {
        int id;
        RECT at;
        bool grows;
        bool followsBottom;
    };
    void RememberLayout();

    ApplicationsDialogHost host_;
    SIZE initialSize_{};
    SIZE initialClient_{};
    std::vector<Anchored> layout_;
    HICON icon_ = nullptr;
    CKVBaseApplication* toStart_ = nullptr;
};

// Runs the dialog modally over `parent`, then starts what the user chose; the dialog's answer.
INT_PTR RunApplicationsDialog(CWnd* parent, const ApplicationsDialogHost& host);
