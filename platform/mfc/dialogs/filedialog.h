// The framework's file chooser. The platform has no dialog to show: DoModal asks the simulated
// user (the harness or the console), who chooses a path or cancels.
#pragma once

#include <utility>
#include <vector>

#include "platform/mfc/cstring.h"
#include "platform/mfc/object.h"
#include "platform/win32/types.h"

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;
inline constexpr DWORD OFN_ENABLESIZING = 0x00800000;

class CWnd;

class CFileDialog : public CObject {
public:
    // The filter is "name|pattern|...|" as the framework takes it.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK with the chosen path, or IDCANCEL.
    virtual INT_PTR DoModal();
    CString GetPathName() const { return m_strPathName; }
    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }

    // A push button of the dialog's own, shown beside its standard buttons.
    void AddPushButton(UINT id, LPCWSTR caption);
    // The file-name box: the entry it starts with, and while the dialog shows what it holds.
    CString GetFileNameText() const { return m_strFileName; }
    void SetFileNameText(LPCWSTR text) { m_strFileName = text ? text : L""; }

    CString m_strTitle;
    CString m_strInitialDir;
    DWORD m_dwFlags;

protected:
    // One of the dialog's own push buttons was clicked; FALSE leaves it to the framework, which
    // does nothing with it.
    virtual BOOL OnPushButtonClicked(UINT /*id*/) { return FALSE; }

private:
    std::vector<std::pair<UINT, CString>> m_buttons;
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFileName;
    CString m_strFilter;
    CString m_strPathName;
};
