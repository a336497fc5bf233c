// The kernel services the requirements editor edits through: the text editors (answered as the
// harness's kernel dialog "requirement"), deleting elements, the undo manager, new sheet views,
// the mark container, the text-core module and rich-text files.
#include <algorithm>

#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/modules.h"
#include "platform/kernel/techreq/store.h"
#include "platform/kernel/techreq/tech_requirements.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/kernel/ui/view_creation.h"
#include "platform/win32/files/file.h"

namespace {

using platform::kernel::documentText;
using platform::kernel::recordCall;
using platform::kernel::TechRequirementStore;

// The user's answer to the editor `call`, as paragraphs; none when cancelled.
std::optional<std::vector<CString>> askEditor(const std::wstring& call, const std::wstring& current) {
    platform::core::KernelDialogRequest request;
    request.kind = L"requirement";
    request.current = current;
    request.anyText = true;
    const auto answer = platform::core::userAgent().answerKernelDialog(request);
    recordCall(call + (answer ? L": " + platform::kernel::quoted(*answer) : std::wstring(L": cancelled")));
    if (!answer) return std::nullopt;
    std::vector<CString> paragraphs;
    std::size_t start = 0;
    while (start <= answer->size()) {
        const std::size_t end = std::min(answer->find(L'|', start), answer->size());
        paragraphs.emplace_back(answer->substr(start, end - start).c_str());
        start = end + 1;
    }
    return paragraphs;
}

std::wstring textOf(const Rich::Document& text) { return std::wstring(text.GetText().view()); }

CString chooseFile(bool open, CWnd* parent) {
    CFileDialog dialog(open, L"rtf", nullptr, open ? OFN_HIDEREADONLY | OFN_FILEMUSTEXIST : OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       L"Rich text (*.rtf)|*.rtf|Text (*.txt)|*.txt||", parent);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

}  // namespace

bool TechRequirementEditor::EditText(CWnd*, Rich::Document& text) {
    const auto answer = askEditor(L"TechRequirementEditor::EditText", textOf(text));
    if (!answer) return false;
    text = Rich::Document(*answer);
    return true;
}

bool TechRequirementEditor::EditSingleRequirement(CWnd*, TechRequirement* requirement) {
    if (!requirement) return false;
    const TechRequirement::Properties properties(requirement);
    const auto answer = askEditor(L"TechRequirementEditor::EditSingleRequirement(requirement " +
                                      std::to_wstring(properties.GetReqIndex()) + L")",
                                  std::wstring(properties.GetText(false).view()));
    if (!answer) return false;
    TechRequirementStore::SetText(*requirement, Rich::Document(*answer));
    return true;
}

bool TechRequirementEditor::EditAllRequirements(CWnd*, CKvw32Doc* document) {
    TechRequirementManager manager(document);
    const auto requirements = manager.GetSorted(std::nullopt, true);
    const auto all = manager.CreateRichDocument(false, -1, false);
    const auto answer = askEditor(L"TechRequirementEditor::EditAllRequirements(" + documentText(document) + L")", textOf(*all));
    if (!answer || !document || !document->Cont2D()) return false;
    Rich::Document extra;
    for (std::size_t i = 0; i < answer->size(); ++i) {
        if (i < requirements.size()) TechRequirementStore::SetText(*requirements[i], Rich::Document({(*answer)[i]}));
        else extra.AddParagraph((*answer)[i]);
    }
    if (!extra.IsEmpty()) manager.CreateTechRequirementsFromText(extra, true);
    return true;
}

void TechRequirementStore::SetText(TechRequirement& requirement, Rich::Document text) {
    requirement.text_ = std::make_unique<TechReqTextData>(std::move(text));
}

// ---- Documents --------------------------------------------------------------------------------

int CKvw32Doc::DeleteElements(const SimpleParentsArray& elements, int) {
    int removed = 0;
    std::wstring indexes;
    for (TechRequirement* requirement : elements) {
        const unsigned index = TechRequirement::Properties(requirement).GetReqIndex();
        indexes += (indexes.empty() ? L"" : L",") + std::to_wstring(index);
        if (Cont2D()->TechRequirements().Remove(index)) ++removed;
    }
    recordCall(L"CKvw32Doc::DeleteElements(" + documentText(this) + L", " + (indexes.empty() ? L"none" : indexes) + L")");
    return removed;
}

UndoManager CKvw32Doc::GetUndoManager(bool) { return UndoManager(this); }

CKVBaseView* CKvw32Doc::CreateNewView(int kind, int page) {
    recordCall(L"CKvw32Doc::CreateNewView(" + documentText(this) + L", " + std::to_wstring(kind) + L", " + std::to_wstring(page) + L")");
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    if (!frame || !Cont2D()->GetSafePage(page)) return nullptr;
    const std::vector<CView*> before = GetViews();
    if (!UIModule::CreateDocumentView(MainFrameWindow(frame), this, GetViewClasses())) return nullptr;
    for (CView* view : GetViews()) {
        auto* made = dynamic_cast<CKVBaseView*>(view);
        if (!made || std::find(before.begin(), before.end(), view) != before.end()) continue;
        made->SetCurrentPage(page);
        return made;
    }
    return nullptr;
}

bool UIModuleProxy::CanCreateTextIn(CKVBaseView* view) const {
    return view && view->Is2DView() && view->GetParentFrame() && GetMainFrameOf(view->GetSafeHwnd());
}

// ---- Marks and the text-core module -------------------------------------------------------------

void CMarkContainer::RemoveAllObjects() { objects_.clear(); }

void CMarkContainer::AddObj(const INSCR* inscription) {
    if (!inscription) return;
    std::wstring links;
    for (const TechReqLink& link : inscription->GetTechNotesLinks())
        links += (links.empty() ? L"" : L",") + std::to_wstring(link.ReqIndex());
    objects_.push_back(L"inscription on page " + std::to_wstring(inscription->GetPage()) + L" to " + links);
}

CMarkContainer& KorvoDocument2::GetMarkContainer() {
    auto* document = dynamic_cast<CKvw32Doc*>(this);
    if (document && document->Cont2D()) return document->Cont2D()->TechRequirements().Marks();
    static CMarkContainer none;
    none.RemoveAllObjects();
    return none;
}

void AnnotateModuleProxy::PlaceTechReqLeader(CKVBaseView* view, const TechReqLink& link) {
    recordCall(L"AnnotateModuleProxy::PlaceTechReqLeader(" + (view ? L"view on page " + std::to_wstring(view->GetCurrentPage()) : std::wstring(L"no view")) +
               L", requirement " + std::to_wstring(link.ReqIndex()) + L", page " +
               (link.Page() ? std::to_wstring(*link.Page()) : std::wstring(L"none")) + L")");
}

void AnnotateModuleProxy::EndTechReqLeaders() { recordCall(L"AnnotateModuleProxy::EndTechReqLeaders()"); }

KVTextCoreModule& KVTextCoreModule::Instance() {
    static KVTextCoreModule module;
    return module;
}

void KVTextCoreModule::CreateText(CKVBaseView* view) {
    recordCall(L"KVTextCoreModule::CreateText(view on page " + std::to_wstring(view ? view->GetCurrentPage() : 0) + L")");
}

// ---- Rich-text files --------------------------------------------------------------------------------

bool Rich::Document::readFromFile(CWnd* parent, CKVBaseView*) {
    const CString path = chooseFile(true, parent);
    if (path.IsEmpty()) return false;
    std::string bytes;
    if (platform::files::readAll(path.view(), bytes) != 0) {
        platform::core::reportFailure(L"Rich::Document::readFromFile: cannot read " + std::wstring(path.view()));
        return false;
    }
    *this = FromLines(platform::core::fromUtf8(bytes));
    return true;
}

bool Rich::Document::writeToFile(CWnd* parent, CKVBaseView*) const {
    const CString path = chooseFile(false, parent);
    if (path.IsEmpty()) return false;
    std::string bytes;
    for (const CString& paragraph : paragraphs_) bytes += platform::core::toUtf8(paragraph.view()) + "\n";
    if (platform::files::writeAllAtomic(path.view(), bytes) != 0) {
        platform::core::reportFailure(L"Rich::Document::writeToFile: cannot write " + std::wstring(path.view()));
        return false;
    }
    return true;
}
