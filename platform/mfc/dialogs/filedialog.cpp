#include "platform/mfc/dialogs/filedialog.h"

#include "platform/core/useragent.h"
#include "platform/win32/process/thread.h"
#include "platform/win32/window/window.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd*)
    : m_dwFlags(dwFlags),
      m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(lpszDefExt),
      m_strFileName(lpszFileName),
      m_strFilter(lpszFilter) {}

INT_PTR CFileDialog::DoModal() {
    platform::core::FileDialogRequest request;
    request.open = m_bOpenFileDialog != FALSE;
    request.title = m_strTitle.str();
    request.filter = m_strFilter.str();
    request.initialFolder = m_strInitialDir.str();
    request.initialName = m_strFileName.str();
    request.thread = ::GetCurrentThreadId();
    for (const auto& [id, caption] : m_buttons) request.buttons.emplace_back(static_cast<int>(id), caption.str());
    request.click = [this](int id) {
        OnPushButtonClicked(static_cast<UINT>(id));
        return m_strFileName.str();
    };
    const auto chosen = platform::core::userAgent().answerFileDialog(request);
    if (!chosen) return IDCANCEL;
    // A bare name (the user kept what the name box held) is taken in the folder the dialog shows.
    const bool bare = chosen->find_first_of(L"\\/:") == std::wstring::npos;
    m_strPathName = bare && !m_strInitialDir.IsEmpty() ? m_strInitialDir + L"\\" + chosen->c_str() : CString(chosen->c_str());
    return IDOK;
}

void CFileDialog::AddPushButton(UINT id, LPCWSTR caption) { m_buttons.emplace_back(id, CString(caption ? caption : L"")); }
