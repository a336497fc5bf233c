#include "mainframe/panes/clipart_requests.h"

#include "documentsmenu/clipart_opener.h"
#include "mainframe/clipart/documents_menu_clipart.h"
#include "mainframe/clipart/documents_menu_clipart_factories.h"
#include "mainframe/clipart/workmix_clipart.h"
#include "mainframe/main_frame.h"
#include "platform/mfc/ole.h"

// The factories work in the active frame, which is the frame a request comes from.
bool ShowLibraryClipartPane(CMainFrame*, DocumentsMenu::ILibrary* library, const POINT* position) {
    return ShowLibraryDocumentsMenuClipart(library, 0, position) != nullptr;
}

bool ShowLibrariesGroupClipartPane(CMainFrame*, DocumentsMenu::ILibrariesGroup* group, const POINT* position) {
    return ShowDocumentsMenuClipart(group, 0, position) != nullptr;
}

bool ShowFolderClipartPane(CMainFrame*, const CString& folder) {
    return ShowFolderDocumentsMenuClipart(folder, 0, nullptr) != nullptr;
}

bool ShowWorkMixClipartPane(CMainFrame*, const CString& key) {
    const std::optional<GUID> id = platform::mfc::parseGuid(key.str());
    if (!id) {
        KVLog_Write(6, L"No work-mix pane for the PDM object " + key + L": its key is no 16-byte id");
        return false;
    }
    return WorkmixClipart::Show(*id) != nullptr;
}

namespace {

// The documents menu opens its objects in the main frame's clipart panes from the start.
[[maybe_unused]] const bool kOpenerInstalled = [] {
    DocumentsMenu::SetClipartOpener({[](DocumentsMenu::ILibrary* library, const POINT* point) {
                                         return ShowLibraryClipartPane(nullptr, library, point);
                                     },
                                     [](DocumentsMenu::ILibrariesGroup* group, const POINT* point) {
                                         return ShowLibrariesGroupClipartPane(nullptr, group, point);
                                     },
                                     [](const CString& folder) { return ShowFolderClipartPane(nullptr, folder); },
                                     [](DocumentsMenu::ILibrary* library) {
                                         auto* frame = dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetActiveMainFrame());
                                         return frame && LoadLibraryFragmentButtons(frame, library);
                                     }});
    return true;
}();

}  // namespace
