#include "documentsmenu/browser/console_rows.h"

#include "documentsmenu/browser/folder_browser.h"
#include "documentsmenu/browser/group_browsers.h"
#include "documentsmenu/browser/library_browser.h"
#include "documentsmenu/browser/list_item.h"

namespace DocumentsMenu {

namespace {

std::wstring quotedText(const CString& text) { return L"\"" + std::wstring(text.view()) + L"\""; }

Browser* browserOf(HWND list) { return dynamic_cast<Browser*>(CWnd::FromHandlePermanent(list)); }

}  // namespace

std::wstring BrowserListHeading(HWND list) {
    Browser* browser = browserOf(list);
    if (!browser) return std::wstring();
    const wchar_t* kind = L"none";
    if (auto* configurations = dynamic_cast<ConfigurationBrowser*>(browser); configurations && configurations->GetConfiguration())
        kind = L"configuration";
    else if (auto* groups = dynamic_cast<LibrariesGroupBrowser*>(browser); groups && groups->GetLibrariesGroup())
        kind = L"group";
    else if (auto* libraries = dynamic_cast<LibraryBrowser*>(browser); libraries && libraries->GetLibrary())
        kind = L"library";
    else if (auto* folders = dynamic_cast<FolderBrowser*>(browser); folders && !folders->GetFolder().IsEmpty())
        kind = L"folder";
    return std::wstring(kind) + L" " + quotedText(browser->GetPath());
}

std::wstring BrowserRowOutline(HWND list, LPARAM data) {
    Browser* browser = browserOf(list);
    const ListItem* item = browser ? browser->FindItem(static_cast<UINT>(data)) : nullptr;
    if (!item) return std::wstring();
    CString path = item->GetFilePath();
    if (const auto* library = dynamic_cast<const LibraryItem*>(item))
        path = library->GetLibrary() ? GetLibraryAbsolutePath(library->GetLibrary()) : CString();
    else if (const auto* group = dynamic_cast<const LibrariesGroupItem*>(item))
        path = group->GetGroup() ? group->GetGroup()->GetDisplayName() : CString();
    return std::wstring(item->GetKind()) + L" " + quotedText(path);
}

}  // namespace DocumentsMenu
