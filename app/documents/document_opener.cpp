#include "app/documents/document_opener.h"

#include <array>
#include <memory>

#include "app/image_documents/image_documents.h"
#include "app/kvw32_app.h"
#include "mainframe/pdm_calls.h"
#include "app/documents/recent_file_list.h"
#include "app/documents/work_session_files.h"
#include "mainframe/main_frame_routing.h"
#include "platform/kernel/documents/document_opening.h"

namespace {

constexpr UINT kZoomToFitCommand = 1104;
constexpr std::uint64_t kFlagImportedWithoutView = 0x200000000000ULL;
constexpr std::uint64_t kFlagEditingAllowed = 0x10000;
constexpr UINT kUnknownFormatString = 10046;
constexpr int kDrawingPrototype = 1;

bool HasExtension(const CString& extension, LPCWSTR wanted) {
    const CString other(wanted);
    return extension.GetLength() == other.GetLength() && extension.CompareNoCase(other) == 0;
}

// Reports a failed open; with the path in the recent-file list the user may remove the entry.
void ReportOpenFailure(LPCWSTR path, HRESULT failureCode) {
    if (failureCode >= 0) return;
    CKvw32App* app = CKvw32App::Instance();
    CKVRecentFileList* recent = app ? app->GetRecentFileList() : nullptr;
    const bool inList = recent && recent->Contains(path);
    const CString text = OpenFailureMessage(failureCode, inList);
    const int answer = KVMessageBox::Show(text, MB_ICONEXCLAMATION | (inList ? MB_YESNO : 0u));
    if (inList) app->AnswerRecentEntryRemoval(path, answer == IDYES);
}

// A file the storage reader rejected as no kernel document: a work-session file becomes a new
// document made from the prototype that imports it; anything else goes to the 3D kernel's import,
// then to the add-on applications.
CDocument* ImportForeignFile(LPCWSTR path, const CString& extension, const KVDocumentFileInfo& info, bool& failed) {
    failed = false;
    const bool workSession = HasExtension(extension, L".grb") ||
                             (HasExtension(extension, L".grs") && KorvoServerAppProxy::Instance() &&
                              KorvoServerAppProxy::Instance()->CanLoadWorkSessionFiles());
    if (info.storageFormat == 0 && workSession) {
        const WorkSessionOpening session = LoadWorkSessionFile(path);
        if (session.refused) {
            failed = true;
            return nullptr;
        }
        if (session.handled) return session.document;
        // No work session of the PDM system claims the file: it is imported into a new document
        // made from the prototype, and the file is left where it is.
        Korvo::DocumentManager& manager = Korvo::DocumentManager::Instance();
        const SharedPathName prototype(NativeSettings::Files::GetPrototypeName(kDrawingPrototype));
        CKvw32Doc* document = manager.CreateNewDocument(prototype, GetDocumentOpenParameters(manager));
        if (!document) {
            failed = true;
            return nullptr;
        }
        document->Import(path, 1);
        return document;
    }
    if (CKvw32Doc* imported = CKVCom_Is3D::Instance().ImportFile(path, 1)) {
        if (CView* view = imported->GetActiveView(); view && view->GetSafeHwnd()) {
            view->PostMessage(WM_COMMAND, kZoomToFitCommand, 0);
        } else {
            imported->SetFlag(kFlagImportedWithoutView);
        }
        return imported;
    }
    CDocument* opened = ApplicationManager::OpenDocument(path);
    failed = opened == nullptr;
    return opened;
}

// The work mix's item of the file being opened; released on every way out of the opener.
struct PdmItemRelease {
    void operator()(KVPDMItem* item) const { item->Release(); }
};
using PdmItemHold = std::unique_ptr<KVPDMItem, PdmItemRelease>;

// Before the file is read: the UI module notes the path, the cached icon goes, and a file the
// work mix manages gets its local copy brought up to date.
void PrepareForOpening(const SharedPathName& path, PdmItemHold& item) {
    UIModuleProxy::Instance().NotifyRecentPath(path);
    Korvo::UI::ImageManager::GetInstance().RemoveIcon(path);
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    if (!workMix) return;
    item.reset(AskPdm(
        [&] {
            workMix->ResetCacheFor(path);
            return workMix->FindFile(path);
        },
        static_cast<KVPDMItem*>(nullptr)));
    if (!item) return;
    const bool localCopies = GetSettings().files.pdmLocalFiles == 1;
    const bool updated = AskPdm(
        [&] {
            item->Update(localCopies, localCopies);
            return true;
        },
        false);
    if (!updated) item.reset();
}

CDocument* OpenNativeDocument(const SharedPathName& path, KVPDMItem* item, bool& failed) {
    Korvo::DocumentManager& manager = Korvo::DocumentManager::Instance();
    CKvw32Doc* document = nullptr;
    if (const PdmOpenParameters* batch = CurrentPdmOpening()) {
        // One of several files the main frame opens together: their contexts were looked up at once.
        document = Korvo::OpenInBatch(path.c_str(), Korvo::BatchOpening{batch->context, batch->anyReadOnly, batch->anyNomenclature,
                                                                        batch->nomenclatureWanted});
    } else {
        Korvo::DocInitParams params = GetDocumentOpenParameters(manager);
        const KVPDMOpenningContext context =
            item ? AskPdm([&] { return item->GetOpeningContext(); }, KVPDMOpenningContext()) : KVPDMOpenningContext();
        if (!context.IsEmpty()) {
            params.hasPdmContext = true;
            params.nomenclature = GetSettings().files.nomenclature && context.CanHaveNomenclature();
        }
        KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
        const bool allowed = !workMix || AskPdm([&] { return workMix->CanOpenFileFromWorkmix(path, context); }, true);
        document = allowed ? Korvo::OpenWithPdmContext(path, params, context) : nullptr;
    }
    if (document) Korvo::DocumentManager::ActivateFirstFrame(document);
    failed = !document && CKvw32Doc::ReportSaveLoadExceptionBlocked();
    return document;
}

}  // namespace

bool IsImageFileExtension(const CString& extension) {
    static constexpr std::array kImageExtensions{L".bmp", L".jpg", L".jpeg", L".gif", L".dib",
                                                 L".pcx", L".tga", L".tif",  L".tiff", L".png"};
    for (LPCWSTR image : kImageExtensions) {
        if (HasExtension(extension, image)) return true;
    }
    return false;
}

CString OpenFailureMessage(HRESULT failureCode, bool inRecentList) {
    using Korvo::I18n::Translate;
    switch (failureCode) {
        case STG_E_FILENOTFOUND:
        case STG_E_PATHNOTFOUND:
            return Translate(inRecentList ? L"File not found, remove from recent?" : L"File not found");
        case STG_E_ACCESSDENIED:
            return Translate(inRecentList ? L"Access denied, remove from recent?" : L"Access denied");
        case STG_E_WRITEFAULT:
        case STG_E_READFAULT:
            return Translate(inRecentList ? L"I/O error, remove from recent?" : L"I/O error");
        case STG_E_INVALIDHEADER:
            return inRecentList ? Translate(L"Format not supported, remove from recent?") : KVLoadString(kUnknownFormatString);
        default:
            return Translate(inRecentList ? L"Unknown error, remove from recent?" : L"Unknown error");
    }
}

Korvo::DocInitParams GetDocumentOpenParameters(const Korvo::DocumentManager& manager) {
    Korvo::DocInitParams params = manager.GetDocInitParams();
    params.options[Korvo::DocInitParams::kOptionMakeVisible] = 1;
    params.options[Korvo::DocInitParams::kOptionCreateFrame] = 1;
    params.options[Korvo::DocInitParams::kOptionAddToRecentList] = 1;
    return params;
}

CDocument* OpenDocumentFile(LPCWSTR path) {
    if (!path || !*path) return nullptr;
    const CString extension = Korvo::GetFileExtension(path);
    CDocument* result = nullptr;
    if (IsImageFileExtension(extension)) {
        // A picture that cannot be read is reported as any document is.
        HRESULT failureCode = S_OK;
        result = OpenImageInFrame(path, path, nullptr, true, &failureCode);
        if (!result) ReportOpenFailure(path, failureCode);
    } else if (!HasExtension(extension, L".gri")) {
        const SharedPathName sharedPath(path);
        PdmItemHold item;
        PrepareForOpening(sharedPath, item);
        KVDocumentFileInfo info;
        HRESULT failureCode = S_OK;
        bool failed = false;
        if (ReadDocumentFileInfo(sharedPath, info, failureCode)) {
            result = OpenNativeDocument(sharedPath, item.get(), failed);
        } else if (failureCode == STG_E_INVALIDHEADER) {
            result = ImportForeignFile(path, extension, info, failed);
        } else {
            failed = true;
        }
        if (failed) ReportOpenFailure(path, failureCode);
    }
    BlockEditingInViewerEdition(result);
    return result;
}

void BlockEditingInViewerEdition(CDocument* result) {
    KorvoServerAppProxy* kernelCallbacks = KorvoServerAppProxy::Instance();
    auto* document = dynamic_cast<CKvw32Doc*>(result);
    if (document && kernelCallbacks && kernelCallbacks->IsViewerEdition() && !document->IsFlagSet(kFlagEditingAllowed)) {
        document->BlockEditing(1, 0, 0);
    }
}
