#include "documentsmenu/watches_outline.h"

#include "documentsmenu/directory_changes_handler.h"

namespace DocumentsMenu {

std::wstring WatchesOutline() {
    std::wstring out;
    for (const DirectoryChangeDispatcher* dispatcher : DirectoryChangeDispatcher::All()) {
        if (!dispatcher->HasHandlers()) continue;
        const SharedPathName& folder = dispatcher->GetFolder();
        out += L"watch \"" + std::wstring(folder.view()) + L"\"";
        out += IsFolderWatched(folder) ? L" kernel watch\n" : L" no kernel watch\n";
        for (DirectoryChangesHandler* handler : dispatcher->GetHandlers()) out += L"  " + handler->DescribeWatcher() + L"\n";
    }
    return out;
}

}  // namespace DocumentsMenu
