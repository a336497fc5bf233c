#include "documentsmenu/context_menu_items.h"

#include <memory>
#include "documentsmenu/clipart_opener.h"

#include "documentsmenu/pdm_folder_update.h"
#include "platform/korvoui.h"
#include "platform/textcore/clipboard.h"
#include "services/application.h"

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

namespace {

struct ItemRelease {
    void operator()(KVPDMItem* item) const { item->Release(); }
};

// The PDM system's update of a file it manages; nothing for one it does not.
void UpdateFileFromPdm(KVPDMWorkMix& workMix, const CString& path) {
    const std::unique_ptr<KVPDMItem, ItemRelease> found(workMix.FindFile(SharedPathName(path)));
    if (found) found->Update(false, GetSettings().files.pdmLocalFiles == 1);
}

// Runs the update over the targets in turn; the PDM system's error stops it there (shown and
// freed), and what was done before stays done.
template <class Targets, class Update>
void UpdateEach(const Targets& targets, Update update) {
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    if (!workMix) return;
    try {
        for (const auto& target : targets) update(*workMix, target);
    } catch (KVPDMExceptionProxy* error) {
        error->Report();
        error->Delete();
    }
}

// The active main frame's document view, when it is a drawing's (the inserts need one).
CKVView* ActiveDocumentView() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    return frame ? frame->GetActiveKorvoView() : nullptr;
}

// The shell's folder window, which the main frame serves through the application.
void ShowInFolderWindow(const CString& path) {
    if (ApplicationServices* application = ApplicationServices::Instance()) application->ShowFileInFolderWindow(path);
}

void OpenInFolderWindow(const CString& folder) {
    if (ApplicationServices* application = ApplicationServices::Instance()) application->OpenFolderWindow(folder);
}

}  // namespace

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
    if (const auto* configuration = Single()) ShowInFolderWindow((*configuration)->GetPath());
}

// A configuration the PDM system does not manage is left as it is, and so are its libraries.
void Update::Execute() {
    UpdateEach(GetTargets(), [](KVPDMWorkMix& workMix, IConfiguration* configuration) {
        const CString path = configuration->GetPath();
        const std::unique_ptr<KVPDMItem, ItemRelease> found(workMix.FindFile(SharedPathName(path)));
        if (!found) return;
        found->Update(false, GetSettings().files.pdmLocalFiles == 1);
        // Read again from the file the update brought.
        configuration->Load(path);
        std::vector<ILibrary*> libraries;
        CollectAllLibraries(configuration, libraries);
        for (ILibrary* library : libraries) UpdateLibraryFolderFromPdm(workMix, library);
    });
}

}  // namespace ConfigurationMenuItems

namespace LibrariesGroupMenuItems {
KORVO_ITEM_CONSTRUCTOR(OpenClipart, LibrariesGroupMenuItem, ILibrariesGroup*, L"docs_menu.ctx_menu.open_window", 1059)
void OpenClipart::Execute() {
    if (const auto* group = Single()) OpenLibrariesGroupClipart(*group, nullptr);
}
}  // namespace LibrariesGroupMenuItems

namespace LibraryMenuItems {
KORVO_ITEM_CONSTRUCTOR(OpenClipart, LibraryMenuItem, ILibrary*, L"docs_menu.ctx_menu.open_window", 1059)
KORVO_ITEM_CONSTRUCTOR(CreateToolBar, LibraryMenuItem, ILibrary*, L"docs_menu.ctx_menu.create_toolbar", 40817)
KORVO_ITEM_CONSTRUCTOR(Update, LibraryMenuItem, ILibrary*, L"docs_menu.ctx_menu.update", 43207)
void OpenClipart::Execute() {
    if (const auto* library = Single()) OpenLibraryClipart(*library, nullptr);
}
// Without an active main frame there are no frame tools to make the bar: nothing happens.
void CreateToolBar::Execute() {
    if (const auto* library = Single()) LoadActiveFrameLibraryFragmentButtons(*library);
}

void Update::Execute() {
    UpdateEach(GetTargets(), [](KVPDMWorkMix& workMix, ILibrary* library) { UpdateLibraryFolderFromPdm(workMix, library); });
}
}  // namespace LibraryMenuItems

namespace FolderMenuItems {
KORVO_ITEM_CONSTRUCTOR(OpenInExplorer, FolderMenuItem, CString, L"docs_menu.ctx_menu.open_in_explorer", 40819)
void OpenInExplorer::Execute() {
    if (const auto* folder = Single()) OpenInFolderWindow(*folder);
}
KORVO_ITEM_CONSTRUCTOR(OpenClipart, FolderMenuItem, CString, L"docs_menu.ctx_menu.open_window", 1059)
void OpenClipart::Execute() {
    if (const auto* folder = Single()) OpenFolderClipart(*folder);
}
}  // namespace FolderMenuItems

namespace DocumentMenuItems {

KORVO_ITEM_CONSTRUCTOR(Open, DocumentMenuItem, CString, L"docs_menu.ctx_menu.open", 1001)
KORVO_ITEM_CONSTRUCTOR(OpenInExplorer, DocumentMenuItem, CString, L"docs_menu.ctx_menu.open_in_explorer", 40819)
KORVO_ITEM_CONSTRUCTOR(CopyFullPath, DocumentMenuItem, CString, L"docs_menu.ctx_menu.copy_full_path", 1735)
KORVO_ITEM_CONSTRUCTOR(Properties, DocumentMenuItem, CString, L"docs_menu.ctx_menu.properties", 1113)
KORVO_ITEM_CONSTRUCTOR(Update, DocumentMenuItem, CString, L"docs_menu.ctx_menu.update", 43207)

void Open::Execute() {
    ApplicationServices* application = ApplicationServices::Instance();
    if (const auto* path = Single(); path && application) application->OpenDocumentFile(*path);
}

void OpenInExplorer::Execute() {
    if (const auto* path = Single()) ShowInFolderWindow(*path);
}

// What is copied belongs to the active main frame: without one there is none to copy for.
void CopyFullPath::Execute() {
    const auto* path = Single();
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    if (!path || path->IsEmpty() || !frame) return;
    Korvo::ClipboardManager clipboard(frame->AsWindow()->GetSafeHwnd());
    clipboard.Clear();
    clipboard.SetText(*path);
}

// A kernel document of its own for the file, made only to show and store its properties.
void Properties::Execute() {
    const auto* path = Single();
    if (!path) return;
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    CKvw32Doc document;
    document.UpdateProperties(frame ? frame->AsWindow() : nullptr, *path);
    document.OnClosePartialDocument();
}

void Update::Execute() {
    UpdateEach(GetTargets(), [](KVPDMWorkMix& workMix, const CString& path) { UpdateFileFromPdm(workMix, path); });
}

Insert::Insert(CString path, ILibrary* library, bool beginGroup)
    : Insert(std::move(path), library, L"docs_menu.ctx_menu.insert_as_fragment", 1026, beginGroup) {}

// Built greyed while no drawing's view is active.
Insert::Insert(CString path, ILibrary* library, LPCWSTR captionKey, int iconId, bool beginGroup)
    : DocumentMenuItem(std::vector<CString>{std::move(path)}, captionKey, iconId, beginGroup), library_(library) {
    SetEnabled(ActiveDocumentView() ? TRUE : FALSE);
}

InsertAsImage::InsertAsImage(CString path, ILibrary* library, bool beginGroup)
    : Insert(std::move(path), library, L"docs_menu.ctx_menu.insert_as_picture", 1077, beginGroup) {}

// The kernel's one fragment record, filled for this document: from a library it links by the
// library's name and the file name.
CFragmentPath& Insert::Prepare() const {
    CFragmentPath& record = CFragmentPath::Application();
    record.Reset();
    const CString& path = GetTargets().front();
    record.SetPath(path);
    if (ILibrary* library = library_.Get()) {
        CString link;
        link.Format(L"<%s>%s", library->GetDisplayName().GetString(), path.Mid(path.ReverseFind(L'\\') + 1).GetString());
        record.SetLinkText(link);
    }
    return record;
}

void Insert::Execute() {
    CKVView* view = ActiveDocumentView();
    if (Single() && view) view->InsertFragment(Prepare());
}

void InsertAsImage::Execute() {
    CKVView* view = ActiveDocumentView();
    if (Single() && view) view->InsertFragmentAsImage(Prepare());
}

}  // namespace DocumentMenuItems

#undef KORVO_ITEM_CONSTRUCTOR

}  // namespace DocumentsMenu
