// The harness at the technical requirements: an add-on hosting the requirements pane, the user at
// the UI library's framework controls (found by full id), the pane's outline, and the kernel's
// own work on a document's requirements and pages (the `model` verb's requirement operations).
#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/argument_reader.h"
#include "platform/kernel.h"
#include "platform/kernel/techreq/store.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

using platform::core::toUtf8;

class RequirementArguments : public ArgumentReader {
public:
    using ArgumentReader::ArgumentReader;

    int integer() {
        const std::string text = toUtf8(next());
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) throw bad(text + " is not a whole number");
        return value;
    }
    CKvw32Doc* document() {
        const int index = integer();
        const auto documents = Korvo::DocumentManager::Instance().GetDocuments();
        if (index < 1 || index > static_cast<int>(documents.size())) throw bad("no open document " + std::to_string(index));
        return documents[static_cast<std::size_t>(index - 1)];
    }
    // A page by its number in the document (1, 2, ...).
    int page(CKvw32Doc* document) {
        const int number = integer();
        const auto& pages = document->Cont2D()->GetPageIds();
        if (number < 1 || number > static_cast<int>(pages.size())) throw bad("the document has no page " + std::to_string(number));
        return pages[static_cast<std::size_t>(number - 1)];
    }
    TechRequirement* requirement(CKvw32Doc* document) {
        const int index = integer();
        TechRequirement* found = index > 0 ? TechRequirementManager(document).GetByIndex(static_cast<unsigned>(index)) : nullptr;
        if (!found) throw bad("the document has no requirement " + std::to_string(index));
        return found;
    }
};

void raise(UINT event, CKvw32Doc* document) { ApplicationEventManager::Instance().Raise(event, DocumentEventArgs(document)); }

struct RequirementOperation {
    const wchar_t* name;
    const wchar_t* arguments;
    std::wstring (*run)(RequirementArguments&);
};

constexpr RequirementOperation kOperations[] = {
    {L"AddRequirement", L"DOCUMENT \"TEXT\" [PAGE ...]", [](RequirementArguments& a) {
         CKvw32Doc* document = a.document();
         const std::wstring text = a.text();
         std::vector<int> pages;
         while (a.more()) pages.push_back(a.page(document));
         TechRequirement* made = document->Cont2D()->TechRequirements().Add(Rich::Document({CString(text.c_str())}),
                                                                             Korvo::UniqueIdentifier(), pages, false, 0);
         raise(kEventTechRequirementsChanged, document);
         return L"requirement " + std::to_wstring(TechRequirement::Properties(made).GetReqIndex());
     }},
    {L"DeleteRequirement", L"DOCUMENT INDEX", [](RequirementArguments& a) {
         CKvw32Doc* document = a.document();
         TechRequirement* requirement = a.requirement(document);
         document->Cont2D()->TechRequirements().Remove(TechRequirement::Properties(requirement).GetReqIndex());
         raise(kEventTechRequirementsChanged, document);
         return std::wstring(L"done");
     }},
    {L"AddPage", L"DOCUMENT \"NAME\"", [](RequirementArguments& a) {
         CKvw32Doc* document = a.document();
         const int page = document->Cont2D()->AddPage(a.text().c_str());
         raise(kEventTechPagesChanged, document);
         return L"page " + std::to_wstring(document->Cont2D()->GetPageIds().size()) + L" id " + std::to_wstring(page);
     }},
    // Types are named by their full names ("General\Surfaces"); "none" unassigns.
    {L"SetRequirementType", L"DOCUMENT INDEX \"TYPE\"", [](RequirementArguments& a) {
         CKvw32Doc* document = a.document();
         TechRequirement::Properties requirement(a.requirement(document));
         const std::wstring name = a.text();
         const TechRequirementTypesDb& types = TechRequirementTypesDb::Instance(document);
         if (name == L"none") {
             requirement.UnassignTechType();
         } else {
             const auto all = types.GetAllSorted(false);
             const auto it = std::find_if(all.begin(), all.end(), [&](const Korvo::UniqueIdentifier& id) {
                 return std::wstring(types.GetFullName(id, L"\\").view()) == name;
             });
             if (it == all.end()) throw std::invalid_argument("SetRequirementType: no type " + toUtf8(name));
             requirement.SetTechTypeId(*it);
         }
         raise(kEventTechTypesChanged, document);
         return std::wstring(L"done");
     }},
    // The user's key (a kernel key code) reaches the command running in the document.
    {L"CommandKey", L"DOCUMENT CODE", [](RequirementArguments& a) {
         CKvw32Doc* document = a.document();
         const int code = a.integer();
         if (!KVCommandRunner::SendKey(document, code)) throw std::invalid_argument("CommandKey: no command runs in the document");
         return std::wstring(L"done");
     }},
    {L"EndCommand", L"DOCUMENT", [](RequirementArguments& a) {
         if (!KVCommandRunner::End(a.document())) throw std::invalid_argument("EndCommand: no command runs in the document");
         return std::wstring(L"done");
     }},
};

template <class Control>
Control* findControl(const std::wstring& fullId, std::optional<std::wstring>& refusal) {
    kvpf::BaseControl* control = kvpf::WpfDockFormView::FindControl(fullId.c_str());
    if (!control) {
        refusal = L"no control \"" + fullId + L"\"";
        return nullptr;
    }
    auto* typed = dynamic_cast<Control*>(control);
    if (!typed) refusal = L"control \"" + fullId + L"\" is a " + control->Kind();
    return typed;
}

}  // namespace

std::optional<std::wstring> Kernel::hostRequirementsPane(HWND frame) {
    const auto host = GetApplicationExports().hostTechRequirementsPane;
    if (!host) return L"the program exports no hosting of the requirements pane";
    CWnd* window = CWnd::FromHandlePermanent(frame);
    if (!window) return L"no such main frame";
    std::wstring refusal = host(window);
    if (!refusal.empty()) return refusal;
    return std::nullopt;
}

void Kernel::postWorkMessage() { ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0); }

bool Kernel::requirementWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer) {
    for (const RequirementOperation& candidate : kOperations) {
        if (operation != candidate.name) continue;
        RequirementArguments read(operation, arguments);
        answer = candidate.run(read);
        read.finish();
        postWorkMessage();
        return true;
    }
    return false;
}

std::vector<std::wstring> Kernel::requirementOperations() {
    std::vector<std::wstring> names;
    for (const RequirementOperation& operation : kOperations) names.push_back(std::wstring(operation.name) + L" " + operation.arguments);
    return names;
}

std::optional<std::wstring> User::kvpfSelect(const std::wstring& fullId, int itemId) {
    std::optional<std::wstring> refusal;
    if (auto* select = findControl<kvpf::SelectControl>(fullId, refusal)) return select->UserSelect(itemId);
    return refusal;
}

std::optional<std::wstring> User::kvpfToggle(const std::wstring& fullId) {
    std::optional<std::wstring> refusal;
    if (auto* toggle = findControl<kvpf::ToggleControl>(fullId, refusal)) return toggle->UserToggle();
    if (auto* button = findControl<kvpf::ButtonControl>(fullId, refusal)) return button->Click();
    return refusal;
}

std::optional<std::wstring> User::kvpfSelectRows(const std::wstring& fullId, const std::vector<int>& rows) {
    std::optional<std::wstring> refusal;
    if (auto* list = findControl<kvpf::ListControl>(fullId, refusal)) return list->UserSelectRows(rows);
    return refusal;
}

std::optional<std::wstring> User::kvpfHover(const std::wstring& fullId, int row) {
    std::optional<std::wstring> refusal;
    if (auto* list = findControl<kvpf::ListControl>(fullId, refusal)) return list->UserHover(row);
    return refusal;
}

std::optional<std::wstring> User::kvpfShowColumn(const std::wstring& fullId, int column, bool visible) {
    std::optional<std::wstring> refusal;
    auto* list = findControl<kvpf::ListControl>(fullId, refusal);
    if (!list) return refusal;
    if (column < 0 || column >= static_cast<int>(list->GetColumnVisibility().size()))
        return L"list \"" + fullId + L"\" has no column " + std::to_wstring(column);
    list->ShowColumn(column, visible);
    return std::nullopt;
}

std::wstring Inspect::dumpRequirements() const {
    const auto outline = GetApplicationExports().techRequirementsOutline;
    return outline ? outline() : L"(no pane)";
}

}  // namespace platform::harness
