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
    const auto chosen = platform::core::userAgent().answerFileDialog(request);
    if (!chosen) return IDCANCEL;
    m_strPathName = chosen->c_str();
    return IDOK;
}
