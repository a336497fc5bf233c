#include "mainframe/panes/clipart_requests.h"

namespace {

bool NotShown(const CString& what) {
    KVLog_Write(6, L"No clipart pane for " + what + L": clipart panes are not available");
    return false;
}

}  // namespace

bool ShowLibraryClipartPane(CMainFrame*, DocumentsMenu::ILibrary* library) {
    return NotShown(library ? L"library \"" + library->GetName() + L"\"" : CString(L"no library"));
}

bool ShowFolderClipartPane(CMainFrame*, const CString& folder) { return NotShown(L"folder \"" + folder + L"\""); }

bool ShowWorkMixClipartPane(CMainFrame*, const CString& key) { return NotShown(L"PDM object " + key); }
