// The commands the kernel's containers and the UI library's context-menu container know, as text.
#include <algorithm>
#include <map>

#include "platform/harness.h"
#include "platform/kernel/command_control.h"
#include "platform/korvoui/context_menu_control.h"
#include "platform/mfc.h"

namespace platform::harness {
namespace {

using platform::kernel::CommandContainer;
using platform::kernel::CommandObjectKind;
using platform::kernel::CommandRegistration;
using platform::kernel::CommandRegistrationKind;

std::wstring howText(const CommandRegistration& registration) {
    std::wstring how = platform::kernel::commandRegistrationKindName(registration.how);
    if (registration.how == CommandRegistrationKind::CommandObject) {
        if (registration.objectKind == CommandObjectKind::System) how += L" (system)";
        if (registration.objectKind == CommandObjectKind::Document) how += L" (document)";
    } else if (registration.how == CommandRegistrationKind::NameOnly &&
               registration.container == CommandContainer::Command) {
        how += L" (command container)";
    }
    return how;
}

struct Line {
    UINT firstId = 0;
    std::size_t order = 0;
    std::wstring text;
};

}  // namespace

std::wstring Inspect::dumpCommands() const {
    std::map<UINT, std::wstring> symbols;
    for (const auto& command : platform::korvoui::contextMenuCommands()) symbols.emplace(command.id, command.symbol);

    std::vector<Line> lines;
    for (const CommandRegistration& registration : platform::kernel::commandRegistrations()) {
        const bool single = registration.firstId == registration.lastId;
        std::wstring symbol;
        if (single) {
            if (auto it = symbols.find(registration.firstId); it != symbols.end()) {
                symbol = it->second;
                symbols.erase(it);
            }
        }
        const std::wstring id = single ? std::to_wstring(registration.firstId)
                                       : platform::format(L"%u-%u", registration.firstId, registration.lastId);
        lines.push_back({registration.firstId, lines.size(),
                         id + L"\t" + registration.name + L"\t" + platform::format(L"0x%X", registration.flags) +
                             L"\t" + howText(registration) + L"\t" + symbol});
    }
    // Symbols of ids the kernel does not know.
    for (const auto& [id, symbol] : symbols) {
        lines.push_back({id, lines.size(), std::to_wstring(id) + L"\t\t\tcontext menu only\t" + symbol});
    }
    std::ranges::sort(lines, [](const Line& a, const Line& b) {
        return a.firstId != b.firstId ? a.firstId < b.firstId : a.order < b.order;
    });
    std::wstring text;
    for (const Line& line : lines) text += line.text + L"\n";
    return text;
}

}  // namespace platform::harness
