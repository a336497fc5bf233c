#include "app/documents/work_session_files.h"

#include <vector>

#include <boost/scope_exit.hpp>

#include "app/documents/document_opener.h"
#include "mainframe/pdm_calls.h"
#include "app/kvw32_app.h"
#include "mainframe/main_frame_routing.h"
#include "platform/diagnostics.h"
#include "platform/kernel/documents/document_opening.h"

namespace {

constexpr std::uint64_t kFlagMadeFromWorkMix = 0x8000000000ULL;
constexpr DWORD kFileNotFound = 2;

// Where a file or folder really is, as the file system names it: "." and ".." gone, every link
// on the way followed, each name spelled as kept. Empty when that cannot be told.
CString RealLocation(LPCWSTR path) {
    HANDLE handle = ::CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
    }
    ::CloseHandle(handle);
    if (length == 0 || length >= buffer.size()) return {};
    CString location(buffer.data());
    if (location.Left(8).CompareNoCase(L"\\\\?\\UNC\\") == 0) return L"\\" + location.Mid(7);
    if (location.Left(4) == L"\\\\?\\") return location.Mid(4);
    return location;
}

CString TemporaryFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH, buffer);
    return length == 0 || length >= MAX_PATH ? CString() : RealLocation(buffer);
}

// Both are real locations: a path typed with "..", another letter case or through a link inside
// the folder cannot pass for one in it.
bool LiesUnder(const CString& path, CString folder) {
    if (path.IsEmpty() || folder.IsEmpty()) return false;
    if (folder[folder.GetLength() - 1] != L'\\') folder += L'\\';
    return path.GetLength() > folder.GetLength() && path.Left(folder.GetLength()).CompareNoCase(folder) == 0;
}

// Where the name itself is (the folder's real location and the name): what DeleteFileW removes,
// which for a link is the link. Empty when that cannot be told.
CString EntryLocation(LPCWSTR path) {
    wchar_t full[MAX_PATH] = {};
    wchar_t* name = nullptr;
    const DWORD length = ::GetFullPathNameW(path, MAX_PATH, full, &name);
    if (length == 0 || length >= MAX_PATH || !name || !*name) return {};
    const CString fileName(name);
    *name = L'\0';
    const CString folder = RealLocation(full);
    return folder.IsEmpty() ? CString() : (folder.Right(1) == L"\\" ? folder : folder + L"\\") + fileName;
}

// The PDM system leaves its work-session files in the user's temporary folder for the program.
// A file is deleted only when both its name and what it names really lie there: a user's file
// reached by "..", another letter case or a link inside that folder stays, and so does a user's
// link that leads into it.
void DeleteIfTemporary(LPCWSTR path) {
    const CString temporary = TemporaryFolder();
    if (!LiesUnder(EntryLocation(path), temporary) || !LiesUnder(RealLocation(path), temporary) || ::DeleteFileW(path)) return;
    const DWORD error = ::GetLastError();
    KVLog_WriteF(error == kFileNotFound ? 4 : 7, L"Failed to delete temporary file \"%s\": 0x%08x", path,
                 static_cast<unsigned>(error));
}

// The files being loaded as work-session files now, by real location: one that names itself, or
// two that name each other, would otherwise open each other until the stack runs out.
std::vector<CString>& FilesBeingLoaded() {
    static std::vector<CString> loading;
    return loading;
}

CString LoadingKey(LPCWSTR path) {
    CString key = RealLocation(path);
    if (key.IsEmpty()) {
        wchar_t full[MAX_PATH] = {};
        const DWORD length = ::GetFullPathNameW(path, MAX_PATH, full, nullptr);
        key = length > 0 && length < MAX_PATH ? CString(full) : CString(path);
    }
    return key;
}

bool IsBeingLoaded(const CString& key) {
    for (const CString& loading : FilesBeingLoaded())
        if (loading.CompareNoCase(key) == 0) return true;
    return false;
}

CKvw32Doc* OpenWorkSession(const KVPDMWorkSessionContext& context) {
    Korvo::DocumentManager& manager = Korvo::DocumentManager::Instance();
    CKvw32Doc* last = nullptr;
    {
        const Korvo::CancellableTask task(
            Korvo::I18n::FormatTranslation(L"cancellable_tasks.load_work_session", context.GetWorkSessionName().GetString()));
        for (const CString& path : context.GetWorkSessionDocuments()) {
            CKvw32Doc* opened = manager.Open(SharedPathName(path), GetDocumentOpenParameters(manager));
            if (!opened) continue;
            // Each document is one this edition opens, not only the one handed back.
            BlockEditingInViewerEdition(opened);
            last = opened;
        }
    }
    if (last) Korvo::DocumentManager::ActivateFirstFrame(last);
    return last;
}

CKvw32Doc* CreateFromNomenclature(const KVPDMWorkSessionContext& context) {
    Korvo::DocInitParams params = GetDocumentOpenParameters(Korvo::DocumentManager::Instance());
    params.hasPdmContext = true;
    params.options[Korvo::DocInitParams::kOptionReadOnly] = context.IsReadOnly() ? 1 : 0;
    params.nomenclature = GetSettings().files.nomenclature;
    CKvw32Doc* document = Korvo::CreateFromNomenclature(params, context.GetOpeningContext());
    if (!document) return nullptr;
    KorvoServerAppProxy* kernelCallbacks = KorvoServerAppProxy::Instance();
    if ((kernelCallbacks && kernelCallbacks->IsViewerEdition()) || context.IsReadOnly()) document->SetReadOnly(true);
    document->SetFlag(kFlagMadeFromWorkMix);
    Korvo::LoadWorkMixParameters(*document, context.GetOpeningContext());
    {
        const Korvo::CancellableTask task(Korvo::I18n::Translate(L"cancellable_tasks.create_document"));
        Korvo::Regenerate(*document);
    }
    ps::StructureManager::Instance().UpdateAllProductStructures(document);
    Korvo::DocumentManager::ActivateFirstFrame(document);
    return document;
}

}  // namespace

bool OpenNomenclatureFiles(KVPDMNomenclatureRecord* nomenclature, const KVPDMOpenningContext& context) {
    if (!nomenclature || nomenclature->GetChildren().empty()) return false;
    std::vector<CString> paths;
    for (const KVPDMNomenclatureRecord* named : nomenclature->GetChildren()) {
        if (named && !named->GetPath().IsEmpty()) paths.push_back(named->GetPath());
    }
    if (paths.empty()) return false;
    // A document already open counts as opened: the open brings it forward.
    std::size_t opened = 0;
    ResolvePdmOpeningContexts(paths, PdmOpenParameters{context}, &opened);
    return opened > 0;
}

WorkSessionOpening LoadWorkSessionFile(LPCWSTR path) {
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    if (!workMix) return {};
    const CString key = LoadingKey(path);
    if (IsBeingLoaded(key)) return {.refused = true};
    FilesBeingLoaded().push_back(key);
    BOOST_SCOPE_EXIT_ALL() { FilesBeingLoaded().pop_back(); };
    const KVPDMWorkSessionContext context =
        AskPdm([&] { return GetWorkSessionContext(*workMix, SharedPathName(path)); }, KVPDMWorkSessionContext());
    // A file the PDM system does not know is no work-session file of its: the caller imports it.
    if (context.IsEmpty()) return {};
    AskPdm(
        [&] {
            context.LoadRemainingData();
            context.ResetWorkObjectItem();
            return true;
        },
        false);
    DeleteIfTemporary(path);
    if (context.HasWorkSession()) return {true, OpenWorkSession(context)};
    if (OpenNomenclatureFiles(context.GetNomenclature(), context.GetOpeningContext())) return {true, nullptr};
    return {true, CreateFromNomenclature(context)};
}
