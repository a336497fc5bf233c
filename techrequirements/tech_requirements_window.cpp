#include "techrequirements/tech_requirements_window.h"

namespace {

constexpr DWORD kHostStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

}  // namespace

TechRequirementsWindow::~TechRequirementsWindow() {
    dialog_.reset();
    if (GetSafeHwnd()) DestroyWindow();
}

bool TechRequirementsWindow::CreateHost(CWnd* parent, UINT id) {
    if (!parent || !parent->GetSafeHwnd()) return false;
    return Create(L"STATIC", L"TechRequirements", kHostStyle, RECT{0, 0, 0, 0}, parent, id, nullptr) != FALSE;
}

void TechRequirementsWindow::BindDocument(CKvw32Doc* document) {
    if (document && document->IsFlagSet(KorvoDocument2::kFlagHiddenFromPanes)) document = nullptr;
    if (document == document_ && (dialog_ == nullptr || dialog_->GetDocument() == document)) return;
    document_ = document;
    if (dialog_) dialog_->SetDocument(document);
    flags_ |= TechRequirementDialog::kFlagRefresh | TechRequirementDialog::kFlagDocumentChanged;
}

void TechRequirementsWindow::OnDocumentClosed(CKvw32Doc* document) {
    if (document && document == document_) BindDocument(nullptr);
}

void TechRequirementsWindow::OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) {
    const auto* event = dynamic_cast<const DocumentEventArgs*>(&args);
    CKvw32Doc* document = event ? event->GetDocument() : args.GetEventDocument();
    switch (eventId) {
        case kEventActiveDocumentChanged: BindDocument(document); return;
        case kEventTechRequirementsChanged:
            if (document && document == document_) flags_ |= TechRequirementDialog::kFlagRefresh;
            return;
        case kEventTechPagesChanged:
            if (document && document == document_) flags_ |= TechRequirementDialog::kFlagPages;
            return;
        case kEventTechTypesChanged:
            if (document && document == document_) flags_ |= TechRequirementDialog::kFlagTypes;
            return;
        default: return;
    }
}

void TechRequirementsWindow::OnIdleUpdate() {
    if (!GetSafeHwnd() || !IsWindowVisible() || !dialog_ || !document_) return;
    if (document_->IsInCommand() != inCommand_) {
        inCommand_ = document_->IsInCommand();
        flags_ |= TechRequirementDialog::kFlagPages | TechRequirementDialog::kFlagTypes | TechRequirementDialog::kFlagCommand;
    }
    // Flags the editor held back (hidden, or busy in another mode) wait for a later pass.
    if (flags_ != 0 && dialog_->Update(flags_)) flags_ = 0;
}

void TechRequirementsWindow::EnsureDialog() {
    if (dialog_) return;
    dialog_.reset(TechRequirementDialog::Create(true));
    CWnd& form = dialog_->GetWindow();
    form.ModifyStyle(WS_POPUP, WS_CHILD);
    form.SetParent(this);
    dialog_->SetDocument(document_);
    dialog_->FinishUiSetup();
    dialog_->refresh(false);
    inCommand_ = document_ && document_->IsInCommand();
    flags_ = 0;
}

void TechRequirementsWindow::StartLeadersCommand() {
    if (!document_) return;
    EnsureDialog();
    dialog_->startLeadersCommand();
}
