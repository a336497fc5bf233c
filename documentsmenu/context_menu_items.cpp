#include "documentsmenu/context_menu_items.h"

#include "documentsmenu/clipart_opener.h"

#include "app/kvw32_app.h"
#include "app/documents/shell_folder_window.h"
#include "platform/textcore/clipboard.h"

namespace DocumentsMenu {

ContextMenuItem::ContextMenuItem(LPCWSTR captionKey, int iconId, bool beginGroup) {
    SetCaption(Korvo::I18n::Translate(captionKey));
    SetIconId(iconId);
    SetBeginGroup(beginGroup ? TRUE : FALSE);
}

void ContextMenuItem::OnExecute() {
    CXTPControlButton::OnExecute();
    Execute();
}

void AddMenuItem(CXTPPopupBar* popup, ContextMenuItem* item) {
    if (popup) popup->GetControls()->Add(item, 0);
}

bool IsPdmConnected() { return KVPDMWorkMix::IsActive(); }

#define KORVO_ITEM_CONSTRUCTOR(Name, Base, Target, key, icon)                   \
    Name::Name(std::vector<Target> targets, bool beginGroup) : Base(std::move(targets), key, icon, beginGroup) {}

namespace ConfigurationMenuItems {

KORVO_ITEM_CONSTRUCTOR(Active, ConfigurationMenuItem, IConfiguration*, L"docs_menu.ctx_menu.active_configuration", 4309)
KORVO_ITEM_CONSTRUCTOR(Close, ConfigurationMenuItem, IConfiguration*, L"docs_menu.ctx_menu.close", 40820)
KORVO_ITEM_CONSTRUCTOR(OpenInExplorer, ConfigurationMenuItem, IConfiguration*, L"docs_menu.ctx_menu.open_in_explorer", 40819)
KORVO_ITEM_CONSTRUCTOR(Update, ConfigurationMenuItem, IConfiguration*, L"docs_menu.ctx_menu.update", 43207)

void Active::Execute() {
    if (const auto* configuration = Single()) (*configuration)->SetActive(true);
}

void Close::Execute() {
    for (IConfiguration* configuration : GetTargets()) {
        if (!configuration->Save(false)) {
            CString text;
            text.Format(Korvo::I18n::Translate(L"docs_menu.saving_config_error_close_anyway"),
                        configuration->GetDisplayName().GetString());
            if (KVMessageBox::Show(text, MB_YESNO) != IDYES) continue;
        }
        configuration->Destroy();
    }
}

void OpenInExplorer::Execute() {
    if (const auto* configuration = Single()) ShowFileInFolderWindow((*configuration)->GetPath());
}

// The PDM system's update comes with the documents menu's PDM actions.
void Update::Execute() {}

}  // namespace ConfigurationMenuItems

namespace LibrariesGroupMenuItems {
KORVO_ITEM_CONSTRUCTOR(OpenClipart, LibrariesGroupMenuItem, ILibrariesGroup*, L"docs_menu.ctx_menu.open_window", 1059)
void OpenClipart::Execute() {
    for (ILibrariesGroup* group : GetTargets()) OpenLibrariesGroupClipart(group, nullptr);
}
}  // namespace LibrariesGroupMenuItems

namespace LibraryMenuItems {
KORVO_ITEM_CONSTRUCTOR(OpenClipart, LibraryMenuItem, ILibrary*, L"docs_menu.ctx_menu.open_window", 1059)
KORVO_ITEM_CONSTRUCTOR(CreateToolBar, LibraryMenuItem, ILibrary*, L"docs_menu.ctx_menu.create_toolbar", 40817)
KORVO_ITEM_CONSTRUCTOR(Update, LibraryMenuItem, ILibrary*, L"docs_menu.ctx_menu.update", 43207)
void OpenClipart::Execute() {
    for (ILibrary* library : GetTargets()) OpenLibraryClipart(library, nullptr);
}
// These come with the main frame's frame tools and the PDM actions.
void CreateToolBar::Execute() {}
void Update::Execute() {}
}  // namespace LibraryMenuItems

namespace FolderMenuItems {
KORVO_ITEM_CONSTRUCTOR(OpenInExplorer, FolderMenuItem, CString, L"docs_menu.ctx_menu.open_in_explorer", 40819)
void OpenInExplorer::Execute() {
    if (const auto* folder = Single()) OpenFolderWindow(*folder);
}
}  // namespace FolderMenuItems

namespace DocumentMenuItems {

KORVO_ITEM_CONSTRUCTOR(Open, DocumentMenuItem, CString, L"docs_menu.ctx_menu.open", 1001)
KORVO_ITEM_CONSTRUCTOR(OpenInExplorer, DocumentMenuItem, CString, L"docs_menu.ctx_menu.open_in_explorer", 40819)
KORVO_ITEM_CONSTRUCTOR(CopyFullPath, DocumentMenuItem, CString, L"docs_menu.ctx_menu.copy_full_path", 1735)
KORVO_ITEM_CONSTRUCTOR(Properties, DocumentMenuItem, CString, L"docs_menu.ctx_menu.properties", 1113)
KORVO_ITEM_CONSTRUCTOR(Update, DocumentMenuItem, CString, L"docs_menu.ctx_menu.update", 43207)

void Open::Execute() {
    CKvw32App* application = CKvw32App::Instance();
    if (const auto* path = Single(); path && application) application->OpenDocumentFile(*path);
}

void OpenInExplorer::Execute() {
    if (const auto* path = Single()) ShowFileInFolderWindow(*path);
}

// The clipboard belongs to the active main frame: without one there is none to copy to.
void CopyFullPath::Execute() {
    const auto* path = Single();
    if (!path || path->IsEmpty() || !UIModuleProxy::Instance().GetActiveMainFrame()) return;
    Korvo::ClipboardManager clipboard;
    clipboard.Clear();
    clipboard.SetText(*path);
}

// The properties dialog and the PDM update come with the documents menu's actions.
void Properties::Execute() {}
void Update::Execute() {}

Insert::Insert(CString path, ILibrary* library, bool beginGroup)
    : Insert(std::move(path), library, L"docs_menu.ctx_menu.insert_as_fragment", 1026, beginGroup) {}

Insert::Insert(CString path, ILibrary* library, LPCWSTR captionKey, int iconId, bool beginGroup)
    : DocumentMenuItem(std::vector<CString>{std::move(path)}, captionKey, iconId, beginGroup), library_(library) {}

InsertAsImage::InsertAsImage(CString path, ILibrary* library, bool beginGroup)
    : Insert(std::move(path), library, L"docs_menu.ctx_menu.insert_as_picture", 1077, beginGroup) {}

// Inserting into the active document comes with the documents menu's actions.
void Insert::Execute() {}
void InsertAsImage::Execute() {}

}  // namespace DocumentMenuItems

#undef KORVO_ITEM_CONSTRUCTOR

}  // namespace DocumentsMenu
