// The kernel's own work around the start and work-mix pages, the PDM explorers and the
// diagnostics: its settings, the PDM system's objects and failures, a document's errors.
#include <cstdlib>

#include "platform/harness.h"
#include "platform/harness/argument_reader.h"
#include "platform/kernel.h"
#include "platform/kernel/services/pdm_control.h"

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
