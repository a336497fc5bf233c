// The harness at the requirements editor's cells and kernel editors: a user editing, checking
// and clicking cells of a framework list, answering the kernel's requirement editors, and the
// undo steps a document's requirement changes made.
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/techreq/store.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

kvpf::ListControl* findList(const std::wstring& fullId, std::optional<std::wstring>& refusal) {
    kvpf::BaseControl* control = kvpf::WpfDockFormView::FindControl(fullId.c_str());
    if (!control) {
        refusal = L"no control \"" + fullId + L"\"";
        return nullptr;
    }
    auto* list = dynamic_cast<kvpf::ListControl*>(control);
    if (!list) refusal = L"control \"" + fullId + L"\" is a " + control->Kind();
    return list;
}

}  // namespace

std::optional<std::wstring> User::kvpfEditCell(const std::wstring& fullId, int row, int column, const std::optional<std::wstring>& item) {
    std::optional<std::wstring> refusal;
    if (kvpf::ListControl* list = findList(fullId, refusal)) return list->UserEditCell(row, column, item);
    return refusal;
}

std::optional<std::wstring> User::kvpfCheckCell(const std::wstring& fullId, int row, int column, bool checked) {
    std::optional<std::wstring> refusal;
    if (kvpf::ListControl* list = findList(fullId, refusal)) return list->UserCheck(row, column, checked);
    return refusal;
}

std::optional<std::wstring> User::kvpfClickIcon(const std::wstring& fullId, int row, int column) {
    std::optional<std::wstring> refusal;
    if (kvpf::ListControl* list = findList(fullId, refusal)) return list->UserClickIcon(row, column);
    return refusal;
}

void User::expectRequirementEditor(std::optional<std::wstring> text) {
    platform::core::userAgent().expectKernelDialog(L"requirement", std::move(text));
}

std::optional<std::wstring> Inspect::dumpUndo(std::wstring_view path) const {
    const std::wstring wanted = platform::core::foldCase(path);
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        if (platform::core::foldCase(document->GetPathName().view()) != wanted || !document->Cont2D()) continue;
        std::wstring out;
        for (const CString& caption : document->Cont2D()->TechRequirements().UndoSteps())
            out += L"undo " + platform::core::quoted(std::wstring(caption.view())) + L"\n";
        return out;
    }
    return std::nullopt;
}

}  // namespace platform::harness
