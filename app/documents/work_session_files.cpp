#include "app/documents/work_session_files.h"

#include <vector>

#include "app/documents/document_opener.h"
#include "app/documents/pdm_calls.h"
#include "app/kvw32_app.h"
#include "mainframe/main_frame_routing.h"
#include "platform/diagnostics.h"
#include "platform/kernel/documents/document_opening.h"

namespace {

constexpr std::uint64_t kFlagMadeFromWorkMix = 0x8000000000ULL;
constexpr DWORD kFileNotFound = 2;

CString TemporaryFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH, buffer);
    return length == 0 || length >= MAX_PATH ? CString() : CString(buffer);
}

bool LiesUnder(const CString& path, CString folder) {
    if (folder.IsEmpty()) return false;
    if (folder[folder.GetLength() - 1] != L'\\') folder += L'\\';
    return path.GetLength() > folder.GetLength() && path.Left(folder.GetLength()).CompareNoCase(folder) == 0;
}

// The PDM system leaves its work-session files in the user's temporary folder for the program.
void DeleteIfTemporary(LPCWSTR path) {
    if (!LiesUnder(path, TemporaryFolder()) || ::DeleteFileW(path)) return;
    const DWORD error = ::GetLastError();
    KVLog_WriteF(error == kFileNotFound ? 4 : 7, L"Failed to delete temporary file \"%s\": 0x%08x", path,
                 static_cast<unsigned>(error));
}

CKvw32Doc* OpenWorkSession(const KVPDMWorkSessionContext& context) {
    Korvo::DocumentManager& manager = Korvo::DocumentManager::Instance();
    CKvw32Doc* last = nullptr;
    {
        const Korvo::CancellableTask task(
            Korvo::I18n::FormatTranslation(L"cancellable_tasks.load_work_session", context.GetWorkSessionName().GetString()));
        for (const CString& path : context.GetWorkSessionDocuments()) {
            if (CKvw32Doc* opened = manager.Open(SharedPathName(path), GetDocumentOpenParameters(manager))) last = opened;
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
    Korvo::DocumentManager& manager = Korvo::DocumentManager::Instance();
    std::size_t openBefore = 0;
    for (const CString& path : paths) openBefore += manager.FindDocument(path.GetString()) ? 1 : 0;
    ResolvePdmOpeningContexts(paths, PdmOpenParameters{context});
    std::size_t openAfter = 0;
    for (const CString& path : paths) openAfter += manager.FindDocument(path.GetString()) ? 1 : 0;
    return openAfter > openBefore;
}

WorkSessionOpening LoadWorkSessionFile(LPCWSTR path) {
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    if (!workMix) return {};
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
