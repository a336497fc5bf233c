// The save family of the application command table, and closing a document. Every save holds
// its document: a document whose last window closes while it is being saved stays open until the
// save is over and is closed then, once.
#include "app/commands/application_command_handlers.h"
#include "app/commands/nomenclature_search.h"
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace AppCommands {

namespace {

constexpr std::uint64_t kGeometrySaveBar = 308;
constexpr UINT kEndEditInContext = 1744;
constexpr int kNomenclatureParameterType = 4;
constexpr int kProductStructureReference = 2;

// Releases one hold; the last one closes a document whose windows went meanwhile.
void ReleaseHold(CKvw32Doc* document) {
    if (document->ReleaseHold() > 0 || document->GetFrame()) return;
    if (document->IsFragment()) document->OnCloseFragment();
    else document->OnCloseDocument();
}

// One hold for as long as the object lives.
class DocumentHold {
public:
    explicit DocumentHold(CKvw32Doc* document) : document_(document) { document_->AddHold(); }
    ~DocumentHold() { ReleaseHold(document_); }
    DocumentHold(const DocumentHold&) = delete;
    DocumentHold& operator=(const DocumentHold&) = delete;

private:
    CKvw32Doc* document_;
};

void CheckGeometrySave(CKvw32Doc* document) {
    if (document->GetGeometrySaveError() == 0) return;
    CKvw32App* app = CKvw32App::Instance();
    CMainFrame* frame = app ? app->GetActiveMainFrame() : nullptr;
    if (!frame) return;
    frame->ShowMessageBar(0, CString(), Korvo::I18n::Translate(L"dlg.error_save_geometry"), {}, {}, kGeometrySaveBar, 0,
                          document);
}

CVarnelAssemblyWnd* VarnelAssemblyPane() {
    CKvw32App* app = CKvw32App::Instance();
    return app ? dynamic_cast<CVarnelAssemblyWnd*>(app->GetVarnelAssemblyWindow(false, false)) : nullptr;
}

CString VarnelAssemblyKey(CKvw32Doc* document) {
    CVarnelAssemblyWnd* pane = VarnelAssemblyPane();
    return pane ? pane->GetKey(document) : CString();
}

// The pane lets go of the document's old control and shows it again.
void RefreshVarnelAssemblyPane(CKvw32Doc* document, const CString& key) {
    CVarnelAssemblyWnd* pane = VarnelAssemblyPane();
    if (!pane) return;
    pane->DestroyControl(key);
    pane->OnDocumentClosed(document->GetAssemblyDocument());
    pane->OnSetActiveDoc(document);
}

bool IsBoundToNomenclature(CKvw32Doc* document) {
    return document->HasNomenclatureData() && document->IsToBeSyncedWithNomenclatureData() && KVPDMWorkMix::IsActive();
}

// The first PDM nomenclature parameter whose value was changed marks the document.
void MarkChangedNomenclatureParameters(CKvw32Doc* document) {
    const KVDocument* container = document->Cont2D();
    for (int i = 0; container && i < container->GetVariableCount(); ++i) {
        const KVVariable* variable = container->GetVariable(i);
        if (variable && FORMULA::GetVarnelParameterType(*variable) == kNomenclatureParameterType && variable->state != 1) {
            document->SetChangedNomenclatureParameters(true);
            return;
        }
    }
}

// The other open documents whose nomenclature takes in the saved file read their records again.
void RefreshReferringNomenclature(CKvw32Doc* saved) {
    if (!saved->GetNomenclatureReference() || saved->IsFragment() || saved->GetEmbeddedLinkId() != 0) return;
    const CString path = saved->GetPathName();
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        if (document == saved || !document->HasNomenclatureData() || !document->IsToBeSyncedWithNomenclatureData())
            continue;
        KVPDMNomenclatureRecord* record = document->GetNomenclatureReference();
        if (!record || !NomenclatureNamesFile(record, path)) continue;
        try {
            record->Reload();
            document->UpdateFromNomenclature();
        } catch (KVPDMExceptionProxy* error) {
            error->Report();
            error->Delete();
        }
    }
}

// The PDM setting that updates product structures on save is off while it lives.
class ProductStructureUpdateOff {
public:
    ProductStructureUpdateOff() : saved_(GetSettings().updateProductStructuresOnSave) {
        GetSettings().updateProductStructuresOnSave = false;
    }
    ~ProductStructureUpdateOff() { GetSettings().updateProductStructuresOnSave = saved_; }
    ProductStructureUpdateOff(const ProductStructureUpdateOff&) = delete;
    ProductStructureUpdateOff& operator=(const ProductStructureUpdateOff&) = delete;

private:
    bool saved_;
};

}  // namespace

int OnDocumentSave(CKvw32Doc* document) {
    if (!document) return 1;
    DocumentHold hold(document);
    const bool hadSaveReadOnly = document->IsFlagSet(KorvoDocument2::kFlagSaveReadOnly);
    const bool bound = IsBoundToNomenclature(document);
    if (bound) MarkChangedNomenclatureParameters(document);
    if (document->IsReadOnly()) {
        // A read-only document is saved under a new name, unless the PDM system lets this user
        // change it.
        if (!bound) return OnDocumentSaveAs(document);
        if (!document->IsEditable()) {
            const ProductStructureUpdateOff off;
            return OnDocumentSaveAs(document);
        }
        document->SetFlag(KorvoDocument2::kFlagSaveReadOnly);
    } else if (GetSettings().updateProductStructuresOnSave &&
               document->GetWorkMixReference() == kProductStructureReference && KVPDMWorkMix::IsActive()) {
        ps::StructureManager::Instance().UpdateAllProductStructures(document);
    }
    const CString key = VarnelAssemblyKey(document);
    document->SetGeometrySaveError(0);
    bool saved = false;
    document->DoFileSave(saved);
    document->SetFlagValue(KorvoDocument2::kFlagSaveReadOnly, hadSaveReadOnly);
    CheckGeometrySave(document);
    RefreshVarnelAssemblyPane(document, key);
    RefreshReferringNomenclature(document);
    return 1;
}

int OnDocumentSaveAs(CKvw32Doc* document) {
    if (!document) return 1;
    // One hold for the save, one for the dialog: each is let go on its own.
    document->AddHold();
    document->AddHold();
    const CString key = VarnelAssemblyKey(document);
    document->SetGeometrySaveError(0);
    document->DoFileSaveAs(nullptr, 0);
    CheckGeometrySave(document);
    ReleaseHold(document);
    RefreshVarnelAssemblyPane(document, key);
    ReleaseHold(document);
    return 1;
}

int OnDocumentSaveCopy(CKvw32Doc* document) {
    if (!document) return 1;
    DocumentHold hold(document);
    document->SetGeometrySaveError(0);
    document->DoFileSaveCopy();
    CheckGeometrySave(document);
    return 1;
}

int OnDocumentSaveAll(std::int64_t) {
    const std::vector<CKvw32Doc*> documents = Korvo::DocumentManager::Instance().GetDocuments();
    std::vector<std::unique_ptr<DocumentHold>> holds;
    for (CKvw32Doc* document : documents) holds.push_back(std::make_unique<DocumentHold>(document));
    EditInContextInstance* editInContext = EditInContextInstance::GetInstance();
    if (editInContext && editInContext->IsActive())
        for (CKvw32Doc* document : documents) editInContext->PrepareDocumentForSave(document);
    for (CKvw32Doc* document : documents) OnDocumentSave(document);
    // Released in list order, as they were taken.
    for (auto& hold : holds) hold.reset();
    return 1;
}

int OnDocumentClose(CKvw32Doc* document) {
    if (!document) return 1;
    if (document->IsEditInPlaceActive()) {
        EditInContextInstance* editInContext = EditInContextInstance::GetInstance();
        return editInContext ? editInContext->RunCommand(kEndEditInContext, document->GetFragmentDocument()) : 0;
    }
    if (!document->SaveModified()) return 0;
    document->OnCloseDocument();
    return 1;
}

int OnDocumentCheckLinks(CKvw32Doc* document) {
    if (document) document->CheckLinks();
    return 1;
}

}  // namespace AppCommands
