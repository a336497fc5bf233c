#include "documentsmenu/browser/shell_rename.h"

#include <string>

#include "documentsmenu/browser/browser.h"
#include "documentsmenu/records/document_record.h"
#include "platform/korvoui.h"

namespace DocumentsMenu {

bool RenameOnDisk(Browser* browser, const CString& path, const CString& text) {
    // A folder's path ends with a backslash: its parent is found from the path without it, and
    // the shell is given the folder itself, not "the folder's inside".
    CString source = path;
    while (source.GetLength() > 3 && source.Right(1) == L"\\") source = source.Left(source.GetLength() - 1);
    const int separator = source.ReverseFind(L'\\');
    if (separator < 0) return false;
    const CString name = DocumentFileNameAsStored(text);
    if (const CString problem = DocumentFileNameProblem(name); !problem.IsEmpty()) {
        KVMessageBox::Show(L"Cannot rename \"" + source.Mid(separator + 1) + L"\" to \"" + text + L"\": " + problem + L".",
                           MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (name == source.Mid(separator + 1)) return false;
    const std::wstring from = std::wstring(source.view()) + L'\0';
    const std::wstring to = std::wstring((source.Left(separator + 1) + name).view()) + L'\0';
    Korvo::UI::MainFrame* frame =
        browser && browser->GetSafeHwnd() ? UIModuleProxy::Instance().GetMainFrameOf(browser->GetSafeHwnd()) : nullptr;
    SHFILEOPSTRUCTW operation;
    operation.hwnd = frame ? frame->AsWindow()->GetSafeHwnd() : nullptr;
    operation.wFunc = FO_RENAME;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    // A failure (a name taken, a file held open) is told by the shell's own dialog.
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace DocumentsMenu
