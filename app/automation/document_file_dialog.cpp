#include "app/automation/document_file_dialog.h"

namespace {

// The entry's folder part, with its trailing backslash; empty when the entry has none.
CString FolderPart(const CString& entry) {
    const int slash = entry.ReverseFind(L'\\');
    return slash < 0 ? CString() : entry.Left(slash + 1);
}

}  // namespace

CDocumentFileDialog::CDocumentFileDialog(const CKVFileDialogOptions& options, CWnd* parent, CDocument* document)
    : CKVFileDialog(options, parent), parent_(parent) {
    if (options.open || !document) return;
    const CString caption = KorvoManagedUIProxy::StringResourceAccessor::GetString(L"ND_NamingRules");
    if (caption.IsEmpty()) return;
    namer_ = KorvoManagedUIProxy::AutoNamer::Create(document);
    if (!namer_) return;
    AddPushButton(kAutoNameButton, caption);
    // A document saved before keeps its name; a new one starts with the rules' proposal.
    if (document->GetPathName().IsEmpty()) SetFileNameText(FolderPart(GetFileNameText()) + namer_->ProposeName());
}

BOOL CDocumentFileDialog::OnPushButtonClicked(UINT id) {
    if (id != kAutoNameButton || !namer_) return CKVFileDialog::OnPushButtonClicked(id);
    CWnd* owner = parent_ ? parent_ : AfxGetMainWnd();
    if (namer_->RunDialog(owner ? owner->GetSafeHwnd() : nullptr)) SetFileNameText(namer_->GetName());
    return TRUE;
}
