// The kernel's own work around the start and work-mix pages, the PDM explorers and the
// diagnostics: its settings, the PDM system's objects and failures, a document's errors.
#include <cstdlib>
#include <stdexcept>

#include "platform/harness.h"
#include "platform/harness/argument_reader.h"
#include "platform/kernel.h"
#include "platform/kernel/services/pdm_control.h"
#include "platform/kernel/ui/context_help.h"
#include "platform/kernel/ui/ui_control.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

class PageArguments : public ArgumentReader {
public:
    using ArgumentReader::ArgumentReader;
    long number(long low, long high) {
        const std::wstring& text = next();
        wchar_t* end = nullptr;
        const long value = std::wcstol(text.c_str(), &end, 0);
        if (text.empty() || *end != L'\0' || value < low || value > high)
            throw bad("\"" + platform::core::toUtf8(text) + "\" is not a number from " + std::to_string(low) + " to " +
                      std::to_string(high));
        return value;
    }
};

struct PageOperation {
    const wchar_t* name;
    const wchar_t* arguments;
    std::wstring (*run)(PageArguments&);
};

constexpr PageOperation kPageOperations[] = {
    // The user's "Show the start page at start-up": the kernel keeps it for the next runs.
    {L"SetShowStartPage", L"0|1", [](PageArguments& a) {
         GetSettings().startPage.show = a.number(0, 1) != 0;
         a.finish();
         return std::wstring(L"done");
     }},
    // The help context the UI module's context-help provider names (what a command's form shows
    // help for); 0 names none, -1 takes the provider away.
    {L"SetContextHelp", L"ID|-1", [](PageArguments& a) {
         const long id = a.number(-1, 0x7FFFFFFF);
         a.finish();
         if (id < 0) UIModule::SetContextHelpProvider(nullptr);
         else UIModule::SetContextHelpProvider([id] { return static_cast<DWORD>(id); });
         return std::wstring(L"done");
     }},
    // The user's start-page setting: which pages start-up (and the start-page command) shows,
    // and the work-mix page's address.
    {L"SetStartPageMode", L"MODE [\"URL\"]", [](PageArguments& a) {
         const long mode = a.number(0, 0x7FFFFFFF);
         GetSettings().startPage.mode = static_cast<int>(mode);
         if (a.more()) GetSettings().startPage.workmixUrl = a.text().c_str();
         a.finish();
         return std::wstring(L"done");
     }},
    // The PDM object of explorer pane kind KIND: whether the work mix has it, and its name.
    {L"SetPdmObject", L"KIND 0|1 [\"NAME\"]", [](PageArguments& a) {
         const auto kind = static_cast<std::size_t>(a.number(0, 6));
         platform::kernel::pdmControl().explorerObjects[kind] = a.number(0, 1) != 0;
         if (a.more()) platform::kernel::pdmControl().objectNames[kind] = a.text();
         a.finish();
         return std::wstring(L"done");
     }},
    // The kernel regenerated open document DOCUMENT (from 1) and has COUNT messages about it
    // ("Message N", about object N); 0 clears them. The UI library's dialog of its messages
    // hears, and the error window takes the container of the active document when none showed it.
    {L"SetErrors", L"DOCUMENT COUNT", [](PageArguments& a) {
         const auto documents = Korvo::DocumentManager::Instance().GetDocuments();
         const long index = a.number(1, 0x7FFFFFFF);
         const long count = a.number(0, 1000);
         a.finish();
         if (index > static_cast<long>(documents.size())) throw std::invalid_argument("SetErrors: no open document " + std::to_string(index));
         CKvw32Doc* document = documents[static_cast<std::size_t>(index - 1)];
         platform::kernel::DocumentAccess::setErrorContainer(*document, true);
         ContainerErrors* errors = document->GetErrorContainer();
         KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
         auto* window = dynamic_cast<Korvo::UI::ErrorWindowBase*>(shell ? shell->GetErrorWindow() : nullptr);
         if (!errors->GetObserver() && window && window->GetSafeHwnd() && KVGetActiveDoc() == document) {
             if (!errors->IsBound()) errors->BindToWindow(window->GetSafeHwnd());
             window->ShowErrors(errors);
         }
         std::vector<KVErrorRecord> records;
         for (int n = 1; n <= count; ++n) records.push_back({n, CString((L"Message " + std::to_wstring(n)).c_str()), {n}});
         errors->SetRecords(std::move(records));
         return std::wstring(L"done");
     }},
    // Every later PDM call CALL throws the PDM system's exception ("CreatePage", "CreateExplorer", ...).
    {L"FailPdmCall", L"\"CALL\"", [](PageArguments& a) {
         platform::kernel::pdmControl().failingCalls.insert(a.text());
         a.finish();
         return std::wstring(L"done");
     }},
};

}  // namespace

bool Kernel::pageWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer) {
    for (const PageOperation& candidate : kPageOperations) {
        if (operation != candidate.name) continue;
        PageArguments read(operation, arguments);
        answer = candidate.run(read);
        return true;
    }
    return false;
}

std::vector<std::wstring> Kernel::pageOperations() {
    std::vector<std::wstring> names;
    for (const PageOperation& operation : kPageOperations)
        names.push_back(std::wstring(operation.name) + L" " + operation.arguments);
    return names;
}

}  // namespace platform::harness
