// The PDM document commands: take the active document into editing, submit it, or revert it to
// the PDM system's version. Every PDM call may throw the PDM system's exception, which is shown
// and freed; the update rules then disable the command.
#include "services/application.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kEditCommand = 2929, kSubmitCommand = 2930, kRevertCommand = 2938;
constexpr int kCheckedInState = 3, kEditedState = 2;

// The PDM item of the document's file (a reference the caller releases), or null.
KVPDMItem* FindItem(CKvw32Doc* document) {
    KVPDMWorkMix* pdm = KVPDMWorkMix::Instance();
    if (!pdm || !document || document->GetPathName().IsEmpty()) return nullptr;
    return pdm->FindFile(SharedPathName(document->GetPathName().GetString()));
}

// Runs `call` with the document's item; a PDM exception is shown and freed. False when there is
// no item or the call threw.
template <class Call>
bool WithItem(CKvw32Doc* document, Call&& call) {
    KVPDMItem* item = nullptr;
    try {
        item = FindItem(document);
        if (!item) return false;
        const bool done = call(*item);
        item->Release();
        return done;
    } catch (KVPDMExceptionProxy* error) {
        if (item) item->Release();
        error->Report();
        error->Delete();
        return false;
    }
}

}  // namespace

void CMainFrame::OnPdmCommand(UINT id) {
    CKvw32Doc* document = GetActiveKorvoDocument();
    if (!document) return;
    if (id == kEditCommand) {
        WithItem(document, [](KVPDMItem& item) { return item.Edit(1, 0, 1, 1); });
        return;
    }
    if (id == kSubmitCommand) {
        if (document->GetPathName().IsEmpty()) return;
        bool saved = false;
        if (document->IsModified() && (!document->DoFileSave(saved) || !saved)) return;
        WithItem(document, [&](KVPDMItem& item) { return item.Submit(document->GetPathName(), 1, 0, 1); });
        return;
    }
    if (id != kRevertCommand || document->GetPathName().IsEmpty() || document->GetEditInPlaceParams()) return;
    const CString title = Korvo::I18n::Translate(L"panes.assembly_structure.revert_prompt.title");
    const CString text = Korvo::I18n::Translate(L"panes.assembly_structure.revert_prompt");
    if (::MessageBoxW(m_hWnd, text.GetString(), title.GetString(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    const CString path = document->GetPathName();
    document->OnCloseDocument();
    // A document that stayed open (its close was refused) is never overwritten under it.
    ApplicationServices* app = ApplicationServices::Instance();
    if (CKVDocTemplate* documents = app ? app->GetDocTemplate() : nullptr)
        for (const CDocument* open : documents->GetDocuments())
            if (open->GetPathName().CompareNoCase(path) == 0) return;
    KVPDMWorkMix* pdm = KVPDMWorkMix::Instance();
    if (!pdm) return;
    try {
        KVPDMItem* item = pdm->FindFile(SharedPathName(path.GetString()));
        if (!item) return;
        item->Revert(path, 1);
        item->Release();
    } catch (KVPDMExceptionProxy* error) {
        error->Report();
        error->Delete();
        return;
    }
    if (app) app->OpenDocumentFile(path.GetString());
}

void CMainFrame::OnUpdatePdmCommand(CCmdUI* cmdUI) {
    const UINT id = cmdUI->m_nID;
    if (id != kEditCommand && id != kSubmitCommand && id != kRevertCommand) return;
    CKvw32Doc* document = GetActiveKorvoDocument();
    int state = -1;
    WithItem(document, [&](KVPDMItem& item) {
        state = item.GetState();
        return true;
    });
    bool enable = false;
    if (document && id == kEditCommand) enable = !document->IsEditingBlocked() && state == kCheckedInState;
    if (document && id == kSubmitCommand) enable = state == kEditedState;
    if (document && id == kRevertCommand) enable = !document->GetEditInPlaceParams() && state == kEditedState;
    cmdUI->Enable(enable ? TRUE : FALSE);
}
