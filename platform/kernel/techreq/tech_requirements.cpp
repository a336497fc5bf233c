#include "platform/kernel/techreq/tech_requirements.h"

#include <algorithm>

#include "platform/core/text.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/events.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/pdm.h"
#include "platform/kernel/techreq/store.h"
#include "platform/win32/controls/clipboard.h"

namespace {

using platform::kernel::documentText;
using platform::kernel::quoted;
using platform::kernel::recordCall;
using platform::kernel::TechRequirementStore;

TechRequirementStore* storeOf(CKvw32Doc* document) {
    return document && document->Cont2D() ? &document->Cont2D()->TechRequirements() : nullptr;
}

std::wstring requirementText(const TechRequirement* requirement) {
    return requirement ? L"requirement " + std::to_wstring(TechRequirement::Properties(const_cast<TechRequirement*>(requirement)).GetReqIndex())
                       : L"null";
}

std::wstring pageText(std::optional<int> page) { return page ? std::to_wstring(*page) : L"none"; }

void raise(UINT event, CKvw32Doc* document) {
    ApplicationEventManager::Instance().Raise(event, DocumentEventArgs(document));
}

// Requirements the services made are a change of the document, whoever asked for them: outside
// an editor's undo block (a paste, an import) the service makes the undo step itself, and the
// user is asked to save either way.
void madeRequirements(CKvw32Doc* document, TechRequirementStore& store) {
    if (!store.InUndoBlock()) store.AddUndoStep(TechRequirement::GetUndoName(1));
    document->SetModifiedFlag(TRUE);
}

}  // namespace

// ---- Rich text ------------------------------------------------------------------------------------

Rich::Document Rich::Document::FromLines(std::wstring_view text) {
    Document lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        std::wstring line(text.substr(start, end - start));
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.AddParagraph(line.c_str());
        start = end + 1;
    }
    return lines;
}

CString Rich::Document::GetText() const {
    CString text;
    for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
        if (i > 0) text += L"\n";
        text += paragraphs_[i];
    }
    return text;
}

// ---- Types ------------------------------------------------------------------------------------------

TechRequirementTypesDb& TechRequirementTypesDb::Instance(CKvw32Doc* document) {
    if (TechRequirementStore* store = storeOf(document)) return store->Types();
    static TechRequirementTypesDb empty;
    empty = TechRequirementTypesDb();
    return empty;
}

std::vector<Korvo::UniqueIdentifier> TechRequirementTypesDb::GetAllSorted(bool mainOnly) const {
    std::vector<Korvo::UniqueIdentifier> sorted;
    // Depth first from the main types, children in the order they were added.
    auto visit = [&](auto&& self, const Korvo::UniqueIdentifier& parent) -> void {
        for (const Type& type : types_) {
            if (type.parent != parent) continue;
            sorted.push_back(type.id);
            if (!mainOnly) self(self, type.id);
        }
    };
    visit(visit, Korvo::UniqueIdentifier());
    return sorted;
}

const TechRequirementTypesDb::Type* TechRequirementTypesDb::Find(const Korvo::UniqueIdentifier& id) const {
    const auto it = std::find_if(types_.begin(), types_.end(), [&id](const Type& type) { return type.id == id; });
    return it == types_.end() ? nullptr : &*it;
}

Korvo::UniqueIdentifier TechRequirementTypesDb::GetMainTypeParent(const Korvo::UniqueIdentifier& id) const {
    const Type* type = Find(id);
    // Parents come before their children, so the walk up ends.
    for (std::size_t steps = 0; type && type->parent != Korvo::UniqueIdentifier() && steps < types_.size(); ++steps)
        type = Find(type->parent);
    return type ? type->id : Korvo::UniqueIdentifier();
}

CString TechRequirementTypesDb::GetName(const Korvo::UniqueIdentifier& id) const {
    const Type* type = Find(id);
    return type ? type->name : CString();
}

CString TechRequirementTypesDb::GetFullName(const Korvo::UniqueIdentifier& id, const wchar_t* separator) const {
    CString name;
    const Type* type = Find(id);
    for (std::size_t steps = 0; type && steps <= types_.size(); ++steps) {
        name = name.IsEmpty() ? type->name : type->name + separator + name;
        type = type->parent == Korvo::UniqueIdentifier() ? nullptr : Find(type->parent);
    }
    return name;
}

bool TechRequirementTypesDb::Add(const Type& type) {
    if (type.id == Korvo::UniqueIdentifier() || Find(type.id)) return false;
    if (type.parent != Korvo::UniqueIdentifier() && !Find(type.parent)) return false;
    types_.push_back(type);
    return true;
}

// ---- Requirements --------------------------------------------------------------------------------------

unsigned TechRequirement::Properties::GetReqIndex() const { return requirement_->index_; }

CString TechRequirement::Properties::GetText(bool singleLine) const {
    CString text;
    for (const CString& paragraph : requirement_->text_->GetRichText().GetParagraphs()) {
        if (!text.IsEmpty()) text += singleLine ? L" " : L"\n";
        text += paragraph;
    }
    return text;
}

const TechReqTextData* TechRequirement::Properties::GetTextData() const { return requirement_->text_.get(); }
Korvo::UniqueIdentifier TechRequirement::Properties::GetTechTypeId() const { return requirement_->type_; }
void TechRequirement::Properties::SetTechTypeId(const Korvo::UniqueIdentifier& type) { requirement_->type_ = type; }
void TechRequirement::Properties::UnassignTechType() { requirement_->type_ = Korvo::UniqueIdentifier(); }
int TechRequirement::Properties::GetSourceType() const { return requirement_->source_; }

bool TechRequirement::Properties::IsOnPage(int page) const {
    return std::find(requirement_->pages_.begin(), requirement_->pages_.end(), page) != requirement_->pages_.end();
}

void TechRequirement::Properties::AddToPage(int page) {
    if (!IsOnPage(page)) requirement_->pages_.push_back(page);
}

void TechRequirement::Properties::RemoveFromPage(int page) {
    auto& pages = requirement_->pages_;
    pages.erase(std::remove(pages.begin(), pages.end(), page), pages.end());
}

bool TechRequirement::Properties::IsSuppressed() const { return requirement_->suppressed_; }
void TechRequirement::Properties::SetSuppressed(bool state, int) { requirement_->suppressed_ = state; }

std::vector<const INSCR*> TechRequirement::GetInscriptions() const {
    std::vector<const INSCR*> found;
    if (!store_) return found;
    for (const INSCR& inscription : store_->Inscriptions()) {
        const auto& links = inscription.GetTechNotesLinks();
        if (std::any_of(links.begin(), links.end(), [this](const TechReqLink& link) { return link.ReqIndex() == index_; }))
            found.push_back(&inscription);
    }
    return found;
}

CString TechRequirement::GetUndoName(int action) {
    switch (action) {
        case 1: return L"Add technical requirements";
        case 3: return L"Change technical requirements";
        case 4: return L"Delete technical requirements";
        default: return L"Technical requirements";
    }
}

// ---- Scopes and undo ---------------------------------------------------------------------------------

KVDocRegenContext::KVDocRegenContext(CKvw32Doc* document, bool regenerate, bool redraw, bool full) : document_(document) {
    recordCall(L"KVDocRegenContext(" + documentText(document) + L", " + platform::kernel::boolText(regenerate) + L", " +
               platform::kernel::boolText(redraw) + L", " + platform::kernel::boolText(full) + L") opened");
}

KVDocRegenContext::~KVDocRegenContext() { recordCall(L"KVDocRegenContext(" + documentText(document_) + L") closed"); }

UndoBlock::UndoBlock(CKvw32Doc* document, const CString& caption) : document_(document), caption_(caption) {
    recordCall(L"UndoBlock(" + documentText(document) + L", " + quoted(caption.view()) + L") opened");
    if (document_ && document_->Cont2D()) before_ = platform::kernel::WriteModelStream(*document_);
    if (TechRequirementStore* store = storeOf(document_)) store->OpenUndoBlock();
}

UndoBlock::~UndoBlock() {
    if (TechRequirementStore* store = storeOf(document_)) store->CloseUndoBlock();
    if (cancelled_) {
        recordCall(L"UndoBlock(" + quoted(caption_.view()) + L") cancelled");
        return;
    }
    if (document_ && document_->Cont2D() && platform::kernel::WriteModelStream(*document_) == before_) {
        recordCall(L"UndoBlock(" + quoted(caption_.view()) + L") closed empty");
        return;
    }
    recordCall(L"UndoBlock(" + quoted(caption_.view()) + L") closed with " + std::to_wstring(changes_) + L" changes");
    if (TechRequirementStore* store = storeOf(document_)) store->AddUndoStep(caption_);
    if (document_) document_->SetModifiedFlag(TRUE);
}

void UndoBlock::RegForChange(TechRequirement* requirement) {
    recordCall(L"UndoBlock::RegForChange(" + requirementText(requirement) + L")");
    ++changes_;
}

void UndoManager::Open(const CString& caption) {
    recordCall(L"UndoManager::Open(" + documentText(document_) + L", " + quoted(caption.view()) + L")");
    caption_ = caption;
    open_ = true;
}

void UndoManager::CopyScreenStatus() { recordCall(L"UndoManager::CopyScreenStatus(" + documentText(document_) + L")"); }

void UndoManager::Close(bool keep, bool redraw) {
    recordCall(L"UndoManager::Close(" + documentText(document_) + L", " + platform::kernel::boolText(keep) + L", " +
               platform::kernel::boolText(redraw) + L")");
    if (open_ && keep)
        if (TechRequirementStore* store = storeOf(document_)) store->AddUndoStep(caption_);
    open_ = false;
}

PositionsChangesScope::PositionsChangesScope(CKvw32Doc* document, bool) : document_(document) {
    recordCall(L"PositionsChangesScope(" + documentText(document) + L") opened");
}

PositionsChangesScope::~PositionsChangesScope() {
    recordCall(L"PositionsChangesScope(" + documentText(document_) + L") closed");
}

TypesChangesScope::TypesChangesScope(CKvw32Doc* document, bool notify) : document_(document), notify_(notify) {
    recordCall(L"TypesChangesScope(" + documentText(document) + L") opened");
}

TypesChangesScope::~TypesChangesScope() {
    recordCall(L"TypesChangesScope(" + documentText(document_) + L") closed");
    if (!document_) return;
    // New types are a change of the document the user must be asked to save.
    document_->SetModifiedFlag(TRUE);
    if (notify_) raise(kEventTechTypesChanged, document_);
}

// ---- The manager ---------------------------------------------------------------------------------

TechRequirementManager::TechRequirementManager(CKvw32Doc* document) : document_(document) {}

std::vector<TechRequirement*> TechRequirementManager::GetSorted(std::optional<int> page, bool) const {
    std::vector<TechRequirement*> sorted;
    TechRequirementStore* store = storeOf(document_);
    if (!store) return sorted;
    for (TechRequirement* requirement : store->Ordered())
        if (!page || TechRequirement::Properties(requirement).IsOnPage(*page)) sorted.push_back(requirement);
    return sorted;
}

TechRequirement* TechRequirementManager::GetByIndex(unsigned index) const {
    TechRequirementStore* store = storeOf(document_);
    return store ? store->Find(index) : nullptr;
}

std::vector<int> TechRequirementManager::FindSuitablePages() const {
    return document_ && document_->Cont2D() ? document_->Cont2D()->GetPageIds() : std::vector<int>{};
}

std::vector<int> TechRequirementManager::GetPagesWithRequirements(bool includeSuppressed) const {
    std::vector<int> pages;
    for (int page : FindSuitablePages()) {
        for (TechRequirement* requirement : GetSorted(page, true)) {
            if (!includeSuppressed && TechRequirement::Properties(requirement).IsSuppressed()) continue;
            pages.push_back(page);
            break;
        }
    }
    return pages;
}

bool TechRequirementManager::IsValidPage(int page) const {
    return document_ && document_->Cont2D() && document_->Cont2D()->GetSafePage(page) != nullptr;
}

bool TechRequirementManager::IsValidPageToCreateTechNotes(int page) const { return IsValidPage(page); }

TechRequirement* TechRequirementManager::GetPreviousWithSameType(TechRequirement* requirement, std::optional<int> page,
                                                                 bool) const {
    const auto sorted = GetSorted(page, true);
    const auto at = std::find(sorted.begin(), sorted.end(), requirement);
    if (!requirement || at == sorted.end()) return nullptr;
    const auto type = TechRequirement::Properties(requirement).GetTechTypeId();
    for (auto it = std::make_reverse_iterator(at); it != sorted.rend(); ++it)
        if (TechRequirement::Properties(*it).GetTechTypeId() == type) return *it;
    return nullptr;
}

TechRequirement* TechRequirementManager::GetNextWithSameType(TechRequirement* requirement, std::optional<int> page,
                                                             bool) const {
    const auto sorted = GetSorted(page, true);
    const auto at = std::find(sorted.begin(), sorted.end(), requirement);
    if (!requirement || at == sorted.end()) return nullptr;
    const auto type = TechRequirement::Properties(requirement).GetTechTypeId();
    for (auto it = std::next(at); it != sorted.end(); ++it)
        if (TechRequirement::Properties(*it).GetTechTypeId() == type) return *it;
    return nullptr;
}

bool TechRequirementManager::MoveRequirementPosition(TechRequirement* requirement, std::optional<int> page, bool up) {
    recordCall(L"TechRequirementManager::MoveRequirementPosition(" + requirementText(requirement) + L", " + pageText(page) +
               L", " + platform::kernel::boolText(up) + L")");
    TechRequirement* neighbour = up ? GetPreviousWithSameType(requirement, page, true) : GetNextWithSameType(requirement, page, true);
    if (!neighbour) return false;
    storeOf(document_)->Swap(requirement, neighbour);
    return true;
}

TechRequirement* TechRequirementManager::AddToDocument(TechRequirement* requirement, bool withPages, void*, bool, bool) {
    recordCall(L"TechRequirementManager::AddToDocument(" + requirementText(requirement) + L")");
    TechRequirementStore* store = storeOf(document_);
    if (!requirement || !store) return nullptr;
    return store->Add(requirement->text_->GetRichText(), requirement->type_,
                      withPages ? requirement->pages_ : std::vector<int>{}, requirement->suppressed_, 0);
}

std::unique_ptr<Rich::Document> TechRequirementManager::CreateEmptyRichDocument(bool) const {
    return std::make_unique<Rich::Document>();
}

std::unique_ptr<Rich::Document> TechRequirementManager::CreateRichDocument(bool, int page, bool) const {
    auto text = std::make_unique<Rich::Document>();
    for (TechRequirement* requirement : GetSorted(page < 0 ? std::nullopt : std::optional<int>(page), true))
        text->AddParagraph(TechRequirement::Properties(requirement).GetText(true));
    return text;
}

std::vector<TechRequirement*> TechRequirementManager::CreateTechRequirementsFromText(const Rich::Document& text, bool) {
    std::vector<TechRequirement*> made;
    TechRequirementStore* store = storeOf(document_);
    if (!store) return made;
    for (const CString& paragraph : text.GetParagraphs()) {
        CString trimmed = paragraph;
        trimmed.Trim();
        if (trimmed.IsEmpty()) continue;
        made.push_back(store->Add(Rich::Document({trimmed}), Korvo::UniqueIdentifier(), {}, false, 0));
    }
    recordCall(L"TechRequirementManager::CreateTechRequirementsFromText(" + documentText(document_) + L"): " +
               std::to_wstring(made.size()) + L" made");
    if (!made.empty()) madeRequirements(document_, *store);
    return made;
}

bool TechRequirementManager::CopyToClipboard(CWnd* window, const std::vector<TechRequirement*>& requirements) const {
    std::wstring text;
    for (TechRequirement* requirement : requirements) {
        if (!text.empty()) text += L"\r\n";
        text += TechRequirement::Properties(requirement).GetText(true).view();
    }
    if (!::OpenClipboard(window ? window->GetSafeHwnd() : nullptr)) return false;
    ::EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = ::GlobalLock(memory)) {
            std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(target));
            ::GlobalUnlock(memory);
            if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
        } else {
            ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
    return true;
}

bool TechRequirementManager::PasteFromClipboard(CWnd* window, std::optional<int> page) {
    if (!::OpenClipboard(window ? window->GetSafeHwnd() : nullptr)) return false;
    std::wstring text;
    if (HANDLE memory = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(::GlobalLock(memory))) {
            text = data;
            ::GlobalUnlock(memory);
        }
    }
    ::CloseClipboard();
    const auto made = CreateTechRequirementsFromText(Rich::Document::FromLines(text), false);
    if (page)
        for (TechRequirement* requirement : made) TechRequirement::Properties(requirement).AddToPage(*page);
    return !made.empty();
}

bool TechRequirementManager::CanCreateRichDocumentFromClipboard() { return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

void TechRequirementManager::UpdateTechNotes(int page, bool redraw, KVDocRegenContext&) {
    recordCall(L"TechRequirementManager::UpdateTechNotes(" + documentText(document_) + L", " + std::to_wstring(page) + L", " +
               platform::kernel::boolText(redraw) + L")");
}

void TechRequirementManager::UpdateAllTechNotes(bool redraw, KVDocRegenContext&) {
    recordCall(L"TechRequirementManager::UpdateAllTechNotes(" + documentText(document_) + L", " +
               platform::kernel::boolText(redraw) + L")");
}

bool TechRequirementManager::IsWorkWithVarnelEnabled() const { return KVPDMWorkMix::IsActive(); }

void TechRequirementManager::AddToVarnelWorkItem(TechRequirement* requirement) {
    recordCall(L"TechRequirementManager::AddToVarnelWorkItem(" + requirementText(requirement) + L")");
    if (requirement && IsWorkWithVarnelEnabled()) requirement->source_ = 1;
}

void TechRequirementManager::DeleteInVarnel(TechRequirement* requirement, bool keep) {
    recordCall(L"TechRequirementManager::DeleteInVarnel(" + requirementText(requirement) + L", " +
               platform::kernel::boolText(keep) + L")");
    if (requirement) requirement->source_ = 0;
}

void TechRequirementManager::SyncRequirementsWithVarnel() {
    recordCall(L"TechRequirementManager::SyncRequirementsWithVarnel(" + documentText(document_) + L")");
}

bool TechRequirementManager::ImportStandardReqsFromVarnel(const std::vector<KVPDMTechReqHandle>& handles) {
    TechRequirementStore* store = storeOf(document_);
    int made = 0;
    for (const KVPDMTechReqHandle& handle : handles) {
        if (!store || !handle) continue;
        store->Add(Rich::Document({handle->GetDisplayText()}), Korvo::UniqueIdentifier(), {}, false, 1);
        ++made;
    }
    recordCall(L"TechRequirementManager::ImportStandardReqsFromVarnel(" + documentText(document_) + L"): " +
               std::to_wstring(made) + L" made");
    if (made > 0) madeRequirements(document_, *store);
    return made > 0;
}
