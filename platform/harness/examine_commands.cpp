// The commands the kernel's containers and the UI library's context-menu container know, as a
// table a reader can hold against the command tables: a header, then one line per registration
// sorted by id, in aligned columns (an empty name or symbol leaves its column blank).
#include <algorithm>
#include <array>
#include <map>

#include "platform/harness.h"
#include "platform/kernel/ui/command_control.h"
#include "platform/korvoui/context_menu_control.h"
#include "platform/mfc.h"

namespace platform::harness {
namespace {

using platform::kernel::CommandContainer;
using platform::kernel::CommandObjectKind;
using platform::kernel::CommandRegistration;
using platform::kernel::CommandRegistrationKind;

constexpr std::size_t kColumns = 5;
using Row = std::array<std::wstring, kColumns>;  // id, name, flags, registered as, symbol

std::wstring howText(const CommandRegistration& registration) {
    std::wstring how = platform::kernel::commandRegistrationKindName(registration.how);
    switch (registration.how) {
        case CommandRegistrationKind::CommandObject:
            if (registration.objectKind == CommandObjectKind::System) how += L" (system)";
            if (registration.objectKind == CommandObjectKind::Document) how += L" (document)";
            break;
        case CommandRegistrationKind::NameOnly:
            how += registration.container == CommandContainer::Command ? L" (command container)"
                                                                       : L" (global container)";
            break;
        case CommandRegistrationKind::Range: break;
    }
    return how;
}

struct Line {
    UINT firstId = 0;
    std::size_t order = 0;  // registration order breaks ties
    Row row;
};

std::wstring render(const std::vector<Row>& rows) {
    std::array<std::size_t, kColumns> widths{};
    for (const Row& row : rows) {
        for (std::size_t column = 0; column < kColumns; ++column) {
            widths[column] = std::max(widths[column], row[column].size());
        }
    }
    std::wstring text;
    for (const Row& row : rows) {
        std::wstring line;
        for (std::size_t column = 0; column < kColumns; ++column) {
            line += row[column];
            if (column + 1 < kColumns) line.append(widths[column] - row[column].size() + 2, L' ');
        }
        line.erase(line.find_last_not_of(L' ') + 1);
        text += line + L"\n";
    }
    return text;
}

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
                         {id, registration.name, platform::format(L"0x%X", registration.flags), howText(registration),
                          symbol}});
    }
    // Symbols of ids the kernel does not know.
    for (const auto& [id, symbol] : symbols) {
        lines.push_back({id, lines.size(), {std::to_wstring(id), L"", L"", L"context menu only", symbol}});
    }
    if (lines.empty()) return {};
    std::ranges::sort(lines, [](const Line& a, const Line& b) {
        return a.firstId != b.firstId ? a.firstId < b.firstId : a.order < b.order;
    });
    std::vector<Row> rows{{L"id", L"name", L"flags", L"registered as", L"symbol"}};
    for (Line& line : lines) rows.push_back(std::move(line.row));
    return render(rows);
}

}  // namespace platform::harness
