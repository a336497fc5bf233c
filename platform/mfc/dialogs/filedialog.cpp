#include "platform/mfc/dialogs/filedialog.h"

#include <string>
#include <string_view>

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
    std::wstring path = bare && !m_strInitialDir.IsEmpty() ? m_strInitialDir.str() + L"\\" + *chosen : *chosen;
    // A name typed without an extension gets the default one appended. The extension should hold
    // neither a period nor a pattern's star, but callers write ".tws" and "*.exe": what follows
    // them is taken, so a name never ends in ".*.exe".
    const std::size_t separator = path.find_last_of(L"\\/:");
    const std::size_t nameStart = separator == std::wstring::npos ? 0 : separator + 1;
    std::wstring_view extension = m_strDefExt.view();
    if (extension.starts_with(L'*')) extension.remove_prefix(1);
    if (extension.starts_with(L'.')) extension.remove_prefix(1);
    if (!extension.empty() && path.find(L'.', nameStart) == std::wstring::npos && nameStart < path.size())
        path += L"." + std::wstring(extension);
    m_strPathName = path.c_str();
    return IDOK;
}

void CFileDialog::AddPushButton(UINT id, LPCWSTR caption) { m_buttons.emplace_back(id, CString(caption ? caption : L"")); }
