#include "app/automation/kv_server.h"

#include <memory>
#include <vector>

#include "app/automation/kv_server_paths.h"
#include "app/automation/kv_server_state.h"
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"

const CLSID CLSID_KVServer{0x34FF1B91, 0x6F6F, 0x11D0, {0x81, 0xC9, 0x00, 0x4F, 0x56, 0x00, 0x9C, 0x20}};

IMPLEMENT_DYNCREATE(KVServer, CCmdTarget)

namespace {

constexpr LONG kVersion = 1800;
constexpr int kLargestIconSide = 1024;

// The automation object of a document, with the reference the client receives.
LPDISPATCH AutomationObjectOf(CDocument* document) { return document ? document->GetIDispatch(TRUE) : nullptr; }

// Marks the opens made for an automation client while it lives.
class OpeningFromOle {
public:
    OpeningFromOle() : previous_(g_bOpeningFromOLE) { g_bOpeningFromOLE = true; }
    ~OpeningFromOle() { g_bOpeningFromOLE = previous_; }
    OpeningFromOle(const OpeningFromOle&) = delete;
    OpeningFromOle& operator=(const OpeningFromOle&) = delete;

private:
    bool previous_;
};

CString ResolveClientPath(LPCWSTR path) {
    const auto libraryFolder = [](const CString& name) {
        DocumentsMenu::IConfiguration* configuration = kvserver::ActiveConfiguration();
        DocumentsMenu::ILibrary* library =
            configuration ? DocumentsMenu::FindLibraryByName(configuration, name, false) : nullptr;
        return library ? DocumentsMenu::GetLibraryAbsolutePath(library) : CString();
    };
    return ResolveAutomationPath(path, libraryFolder, KVGetProgramPath());
}

std::vector<CKvw32Doc*> OpenDocuments() { return Korvo::DocumentManager::Instance().GetDocuments(); }

BSTR PathOf(const CKvw32Doc* document) { return SysAllocString(document ? document->GetPathName().GetString() : L""); }

CMainFrame* ActiveMainFrame() {
    CKvw32App* app = CKvw32App::Instance();
    return app ? app->GetActiveMainFrame() : nullptr;
}

}  // namespace

KVServer::KVServer() {
    EnableAutomation();
    AfxOleLockApp();
}

KVServer::~KVServer() {
    kvserver::Pictures().preview.reset();
    kvserver::Pictures().icon.reset();
    AfxOleUnlockApp();
}

const platform::mfc::DispatchMap* KVServer::GetDispatchMap() const {
    using platform::mfc::dispatchFunction;
    static const platform::mfc::DispatchMap map{{
        dispatchFunction<&KVServer::OpenFile>(L"OpenFile"),
        dispatchFunction<&KVServer::FindFile>(L"FindFile"),
        dispatchFunction<&KVServer::GetActiveFile>(L"GetActiveFile"),
        dispatchFunction<&KVServer::OpenLibraryConfiguration>(L"OpenLibraryConfiguration"),
        dispatchFunction<&KVServer::CloseLibraryConfiguration>(L"CloseLibraryConfiguration"),
        dispatchFunction<&KVServer::SaveLibraryConfiguration>(L"SaveLibraryConfiguration"),
        dispatchFunction<&KVServer::SaveLibraryConfigurationAs>(L"SaveLibraryConfigurationAs"),
        dispatchFunction<&KVServer::CreateLibrary>(L"CreateLibrary"),
        dispatchFunction<&KVServer::CreateLibraryFile>(L"CreateLibraryFile"),
        dispatchFunction<&KVServer::ShowApplication>(L"ShowApplication"),
        dispatchFunction<&KVServer::CloseFile>(L"CloseFile"),
        dispatchFunction<&KVServer::OpenFileEx>(L"OpenFileEx"),
        dispatchFunction<&KVServer::GetFirstFile>(L"GetFirstFile"),
        dispatchFunction<&KVServer::GetNextFile>(L"GetNextFile"),
        dispatchFunction<&KVServer::SetFocus>(L"SetFocus"),
        dispatchFunction<&KVServer::GetPreview>(L"GetPreview"),
        dispatchFunction<&KVServer::GetIcon>(L"GetIcon"),
        dispatchFunction<&KVServer::ReleasePreview>(L"ReleasePreview"),
        dispatchFunction<&KVServer::ReleaseIcon>(L"ReleaseIcon"),
        dispatchFunction<&KVServer::DrawPreview>(L"DrawPreview"),
        dispatchFunction<&KVServer::DrawIcon>(L"DrawIcon"),
        dispatchFunction<&KVServer::Import>(L"Import"),
        dispatchFunction<&KVServer::GetLibraryCount>(L"GetLibraryCount"),
        dispatchFunction<&KVServer::GetLibraryName>(L"GetLibraryName"),
        dispatchFunction<&KVServer::GetLibraryPath>(L"GetLibraryPath"),
        dispatchFunction<&KVServer::SetLibraryPath>(L"SetLibraryPath"),
        dispatchFunction<&KVServer::SetCurrentFolder>(L"SetCurrentFolder"),
        dispatchFunction<&KVServer::ExtractFileIcon>(L"ExtractFileIcon"),
        dispatchFunction<&KVServer::CreateNewFile>(L"CreateNewFile"),
        dispatchFunction<&KVServer::GetVersion>(L"GetVersion"),
        dispatchFunction<&KVServer::GetVersionType>(L"GetVersionType"),
        dispatchFunction<&KVServer::GetVersionInfo>(L"GetVersionInfo"),
        dispatchFunction<&KVServer::Quit>(L"Quit"),
        dispatchFunction<&KVServer::GetFirstFileEx>(L"GetFirstFileEx"),
        dispatchFunction<&KVServer::GetNextFileEx>(L"GetNextFileEx"),
        dispatchFunction<&KVServer::ProcessCommand>(L"ProcessCommand"),
        dispatchFunction<&KVServer::SetAutomaticLinkUpdate>(L"SetAutomaticLinkUpdate"),
    }};
    return &map;
}

// ---- Documents -------------------------------------------------------------------------------------

LPDISPATCH KVServer::OpenFile(LPCWSTR path) {
    const CString resolved = ResolveClientPath(path);
    CWinApp* app = AfxGetApp();
    if (resolved.IsEmpty() || !app) return nullptr;
    OpeningFromOle opening;
    return AutomationObjectOf(app->OpenDocumentFile(resolved));
}

LPDISPATCH KVServer::FindFile(LPCWSTR path) {
    for (CKvw32Doc* document : OpenDocuments()) {
        if (document->GetPathName().CompareNoCase(path) == 0) return AutomationObjectOf(document);
    }
    return nullptr;
}

LPDISPATCH KVServer::GetActiveFile() { return AutomationObjectOf(KVGetActiveDoc()); }

short KVServer::ShowApplication(short showCommand) {
    CMainFrame* frame = ActiveMainFrame();
    if (!frame) return 0;
    WINDOWPLACEMENT placement{};
    const short previous = GetWindowPlacement(frame->GetSafeHwnd(), &placement) ? static_cast<short>(placement.showCmd) : 0;
    frame->ShowWindow(showCommand);
    return previous;
}

short KVServer::CloseFile(LPCWSTR path) {
    for (CKvw32Doc* document : OpenDocuments()) {
        if (document->GetPathName().Compare(path) == 0) {
            document->OnCloseDocument();
            return 1;
        }
    }
    return 0;
}

LPDISPATCH KVServer::OpenFileEx(LPCWSTR path, short readOnly, short mode) {
    const CString resolved = ResolveClientPath(path);
    if (resolved.IsEmpty()) return nullptr;
    Korvo::DocumentManager& manager = Korvo::DocumentManager::Instance();
    Korvo::DocInitParams params = manager.GetDocInitParams();
    params.options[Korvo::DocInitParams::kOptionReadOnly] = readOnly != 0 ? 1 : 0;
    params.options[Korvo::DocInitParams::kOptionSecondaryMode] = mode == 2 ? 1 : 0;
    OpeningFromOle opening;
    return AutomationObjectOf(manager.Open(SharedPathName(resolved), params));
}

BSTR KVServer::GetFirstFile(short* position) {
    const std::vector<CKvw32Doc*> documents = OpenDocuments();
    *position = documents.empty() ? -1 : 0;
    return documents.empty() ? SysAllocString(L"") : PathOf(documents.front());
}

BSTR KVServer::GetNextFile(short* position) {
    const std::vector<CKvw32Doc*> documents = OpenDocuments();
    // The first document whose index is greater than the position: any negative position starts
    // the enumeration over.
    const int next = *position < 0 ? 0 : *position + 1;
    if (next >= static_cast<int>(documents.size())) {
        *position = -1;
        return SysAllocString(L"");
    }
    *position = static_cast<short>(next);
    return PathOf(documents[static_cast<std::size_t>(next)]);
}

void KVServer::SetFocus() {
    if (CMainFrame* frame = ActiveMainFrame()) ::SetForegroundWindow(frame->GetSafeHwnd());
}

LPDISPATCH KVServer::CreateNewFile() {
    Korvo::DocumentManager& manager = Korvo::DocumentManager::Instance();
    return AutomationObjectOf(manager.CreateNewDocument(NativeSettings::Files::GetPrototypeName(1), manager.GetDocInitParams()));
}

BSTR KVServer::GetFirstFileEx() {
    const std::vector<CKvw32Doc*> documents = OpenDocuments();
    kvserver::ExtendedPosition() = 0;
    return documents.empty() ? SysAllocString(L"") : PathOf(documents.front());
}

BSTR KVServer::GetNextFileEx() {
    const std::vector<CKvw32Doc*> documents = OpenDocuments();
    std::size_t& position = kvserver::ExtendedPosition();
    if (position < documents.size()) ++position;
    return position < documents.size() ? PathOf(documents[position]) : SysAllocString(L"");
}

// ---- Pictures --------------------------------------------------------------------------------------

short KVServer::GetPreview(LPCWSTR path) {
    auto& preview = kvserver::Pictures().preview;
    preview.reset();
    preview = KvwLoadKVDocImage(path, g_szDocPV);
    return preview ? 1 : 0;
}

short KVServer::GetIcon(LPCWSTR path) {
    auto& icon = kvserver::Pictures().icon;
    icon.reset();
    icon = KvwLoadKVDocImage(path, g_szDocIcon);
    return icon ? 1 : 0;
}

short KVServer::ReleasePreview() {
    kvserver::Pictures().preview.reset();
    return 0;
}

short KVServer::ReleaseIcon() {
    kvserver::Pictures().icon.reset();
    return 0;
}

short KVServer::DrawPreview(LONG, short, short, short, short, short) { return 0; }

short KVServer::DrawIcon(LONG, short, short, short, short, short) { return 0; }

LPDISPATCH KVServer::Import(short, LPCWSTR, LONG) { return nullptr; }

short KVServer::ExtractFileIcon(LPCWSTR document, LPCWSTR bitmapFile, short width, short height, LONG) {
    // The sizes come from the client as they are; the renderer gets only sane ones.
    if (width <= 0 || height <= 0 || width > kLargestIconSide || height > kLargestIconSide) return 0;
    const std::unique_ptr<CWinBMP> icon = KvwLoadKVDocImage(document, g_szDocIcon);
    if (!icon) return 0;
    HDC display = ::GetDC(nullptr);
    const bool saved = KVGC::SaveRenderedBitmap(*icon, display, width, height, bitmapFile);
    ::ReleaseDC(nullptr, display);
    return saved ? 1 : 0;
}

// ---- Folders, versions, the application -------------------------------------------------------------

short KVServer::SetCurrentFolder(LPCWSTR folder, LONG mask) {
    static constexpr const wchar_t* kDialogNames[] = {
        L"DialogOpen",          L"DialogBOMTextReport", L"DialogAnimateMetafile", L"DialogInsertMetafile",
        L"DialogExportProfile", L"DialogWriteReport",   L"DialogWriteStructure",  L"DialogReadParameters",
        L"DialogExportBOMTable", L"DialogExportPreview", L"DialogExportSlide",    L"DialogInsertFragment",
        L"DialogExportDrawing", L"DialogImportDrawing", L"DialogImportText",      L"DialogExportText",
        L"DialogOpenLibraries", L"DialogSaveLibraries"};
    short stored = 0;
    for (unsigned bit = 0; bit < std::size(kDialogNames); ++bit) {
        if ((static_cast<unsigned long>(mask) & (1ul << bit)) == 0) continue;
        CPathManager::SavePath(kDialogNames[bit], folder);
        stored = 1;
    }
    return stored;
}

LONG KVServer::GetVersion() { return kVersion; }

LONG KVServer::GetVersionType() {
    switch (_3DModuleProxy::GetKind()) {
        case 1: return 4;
        case 2: return 3;
        default: return 0;
    }
}

LONG KVServer::GetVersionInfo() { return 1; }

LONG KVServer::Quit() {
    // The shutdown must not run inside the client's call (this object is still referenced) and
    // must run only once: the loop runs it when the quit message arrives. The client cannot
    // answer prompts, so no frame is asked to close.
    bool& requested = kvserver::QuitRequested();
    if (!requested) {
        requested = true;
        AfxPostQuitMessage(0);
    }
    return 0;
}

LONG KVServer::ProcessCommand(short commandId) {
    if (CMainFrame* frame = ActiveMainFrame(); frame && ::IsWindow(frame->GetSafeHwnd())) {
        ::SendMessageW(frame->GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(static_cast<unsigned short>(commandId)), 0);
    }
    return 1;
}

LONG KVServer::SetAutomaticLinkUpdate(LONG enable) {
    NativeSettings::Links& links = GetSettings().links;
    const LONG wasOn = links.suppressUpdate != 1 ? 1 : 0;
    const int suppress = enable == 0 ? 1 : 0;
    links.suppressUpdate = suppress;
    links.suppressUpdateOnOpen = suppress;
    return wasOn;
}

KVServerFactory::KVServerFactory() : COleObjectFactory(CLSID_KVServer, RUNTIME_CLASS(KVServer), FALSE, nullptr) {}
