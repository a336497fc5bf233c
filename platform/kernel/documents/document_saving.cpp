// The kernel's saving of documents: in place, under a new name, as a copy; holds and the
// geometry-save error.
#include "platform/kernel/documents/saving_control.h"

#include "platform/core/api_text.h"
#include "platform/core/journal.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/documents/compound_reads.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/pdm.h"
#include "platform/kernel/techreq/store.h"
#include "platform/kernel/ui/control.h"
#include "platform/mfc/dialogs/filedialog.h"
#include "platform/win32/files/file.h"

namespace platform::kernel {

SavingControl& savingControl() {
    static SavingControl control;
    return control;
}

namespace {

// The user closes every window of the document while the save waits on the message queue. Only
// a held document can live through that: one nobody holds would be deleted under its own save,
// which the stand-in refuses to do (a strict failure naming the document).
void closeWindowsIfAsked(CKvw32Doc& document) {
    if (savingControl().closeWindowsDuringSave.erase(std::wstring(document.GetPathName().view())) == 0) return;
    if (document.GetHoldCount() == 0) {
        platform::core::reportFailure(L"the windows of " + documentText(&document) +
                                      L" close during its save, but nobody holds it: it would be deleted while it is saved");
        return;
    }
    recordCall(L"the windows of " + documentText(&document) + L" close during the save");
    while (!document.GetViews().empty()) {
        CView* view = document.GetViews().front();
        if (CFrameWnd* frame = view->GetParentFrame()) frame->DestroyWindow();
        else view->DestroyWindow();
        if (!document.GetViews().empty() && document.GetViews().front() == view) document.RemoveView(view);
    }
}

CString askForPath(const CKvw32Doc& document) {
    CFileDialog dialog(FALSE, L".grb", document.GetPathName().IsEmpty() ? document.GetTitle() : document.GetPathName(),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Korvo documents (*.grb)|*.grb||");
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

}  // namespace

}  // namespace platform::kernel

using platform::kernel::documentText;
using platform::kernel::quoted;
using platform::kernel::recordCall;
using platform::kernel::recordWarning;

int CKvw32Doc::WriteDocumentTo(const CString& path, const wchar_t* call) {
    const std::wstring source(GetPathName().view());
    if (platform::kernel::control().saveFaults.contains(source) || platform::kernel::control().saveFaults.contains(std::wstring(path.view())))
        return 0;
    // The header and pages come from the document's own file, the model from the document.
    const platform::kernel::CompoundRead read = platform::kernel::readCompoundDocument(source);
    if (!read.streams) {
        recordWarning(std::wstring(call) + L": " + documentText(this) + L" has no file to save from");
        return 0;
    }
    platform::kernel::CompoundStreams streams = *read.streams;
    streams[platform::kernel::kModelStreamName] = platform::kernel::WriteModelStream(*this);
    if (platform::files::writeAllAtomic(std::wstring(path.view()), platform::kernel::encodeCompoundFile(streams)) != ERROR_SUCCESS) {
        recordWarning(std::wstring(call) + L": " + quoted(path.view()) + L" cannot be written");
        return 0;
    }
    platform::kernel::closeWindowsIfAsked(*this);
    if (platform::kernel::savingControl().geometryFaults.contains(std::wstring(path.view()))) geometrySaveError_ = 1;
    return 1;
}

int CKvw32Doc::DoFileSave(bool& saved) {
    recordCall(L"CKvw32Doc::DoFileSave(" + documentText(this) + L")");
    saved = false;
    if (GetPathName().IsEmpty()) return 0;
    if (IsReadOnly() && !IsFlagSet(kFlagSaveReadOnly)) {
        recordWarning(L"CKvw32Doc::DoFileSave: " + documentText(this) + L" is read-only");
        return 0;
    }
    if (!WriteDocumentTo(GetPathName(), L"CKvw32Doc::DoFileSave")) return 0;
    saved = true;
    SetModifiedFlag(FALSE);
    return 1;
}

int CKvw32Doc::DoFileSaveAs(LPCWSTR path, int options) {
    recordCall(L"CKvw32Doc::DoFileSaveAs(" + documentText(this) + L", " + quoted(path) + L", " +
               std::to_wstring(options) + L")");
    const CString target = path && *path ? CString(path) : platform::kernel::askForPath(*this);
    if (target.IsEmpty()) return 0;
    if (!WriteDocumentTo(target, L"CKvw32Doc::DoFileSaveAs")) return 0;
    SetPathName(target);
    SetReadOnly(false);
    SetModifiedFlag(FALSE);
    // The kernel holds the file it works on now.
    LockDocumentFile(target);
    return 1;
}

int CKvw32Doc::DoFileSaveCopy() {
    recordCall(L"CKvw32Doc::DoFileSaveCopy(" + documentText(this) + L")");
    const CString target = platform::kernel::askForPath(*this);
    if (target.IsEmpty()) return 0;
    return WriteDocumentTo(target, L"CKvw32Doc::DoFileSaveCopy");
}

BOOL CKvw32Doc::OnSaveDocument(LPCWSTR pathName) {
    // The framework's save prompt: in place, or under a new name for a document without one.
    if (!pathName || !*pathName) return DoFileSaveAs(nullptr, 0) ? TRUE : FALSE;
    if (GetPathName().CompareNoCase(pathName) != 0) return DoFileSaveAs(pathName, 0) ? TRUE : FALSE;
    bool saved = false;
    return DoFileSave(saved) && saved ? TRUE : FALSE;
}

bool CKvw32Doc::IsEditable() const {
    if (KVPDMWorkMix* workMix = KVPDMWorkMix::Instance()) {
        if (KVPDMItem* item = workMix->FindFile(SharedPathName(GetPathName()))) {
            const bool taken = item->GetState() == 2;
            item->Release();
            return taken;
        }
    }
    return !IsEditingBlocked();
}

void CKvw32Doc::CheckLinks() { recordCall(L"CKvw32Doc::CheckLinks(" + documentText(this) + L")"); }

void CKvw32Doc::OnCloseFragment() {
    recordCall(L"CKvw32Doc::OnCloseFragment(" + documentText(this) + L")");
    OnCloseDocument();
}

std::vector<CRuntimeClass*> CKvw32Doc::GetViewClasses() const {
    std::vector<CRuntimeClass*> classes;
    for (CView* view : GetViews()) classes.push_back(view->GetRuntimeClass());
    return classes;
}

void CKvw32Doc::OnChangedViewList() {
    if (GetViews().empty() && holds_ > 0) {
        recordCall(L"CKvw32Doc::OnChangedViewList(" + documentText(this) + L"): held, stays open");
        return;
    }
    CDocument::OnChangedViewList();
}

void CKvw32Doc::SetChangedNomenclatureParameters(bool changed) {
    recordCall(L"CKvw32Doc::SetChangedNomenclatureParameters(" + documentText(this) + L", " +
               platform::kernel::boolText(changed) + L")");
    nomenclatureParametersChanged_ = changed;
}

void CKvw32Doc::UpdateFromNomenclature() {
    recordCall(L"CKvw32Doc::UpdateFromNomenclature(" + documentText(this) + L")");
}
