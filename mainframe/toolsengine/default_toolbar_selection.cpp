// Which default tool bars and buttons an edition gets.
#include <algorithm>

#include "mainframe/toolsengine/default_toolbar_table.h"

namespace CommandTables {
namespace {

bool InEdition(DWORD editionMask, DWORD editionCode) { return (editionMask & editionCode) != 0; }

// The pairs before the end marker, never more than a bar can hold.
std::span<const ToolBarButton> ListedButtons(const DefaultToolBarRecord& record) {
    const auto limit = std::min(record.buttons.size(), kMaxToolBarButtons);
    const auto listed = record.buttons.first(limit);
    const auto end = std::ranges::find(listed, kEndOfButtons, &ToolBarButton::id);
    return listed.first(static_cast<std::size_t>(end - listed.begin()));
}

}  // namespace

void FillDefaultToolBarButtons(const DefaultToolBarRecord& record, DefaultToolBarEntry& entry, DWORD editionCode) {
    const auto buttons = ListedButtons(record);
    const bool anyInEdition = std::ranges::any_of(
        buttons, [editionCode](const ToolBarButton& button) { return InEdition(button.editionMask, editionCode); });
    if (!anyInEdition) return;
    if (record.kind == ToolBarKind::Tab) {
        entry.commandIds.push_back(kToolBarModeCommand);
        entry.commandIds.push_back(kSeparator);
    }
    for (const ToolBarButton& button : buttons) {
        if (InEdition(button.editionMask, editionCode)) entry.commandIds.push_back(button.id);
    }
}

DefaultToolBarEntries SelectDefaultToolBars(std::span<const DefaultToolBarRecord> records, DWORD editionCode) {
    DefaultToolBarEntries entries;
    for (std::size_t index = 0; index < records.size() && index < kMaxDefaultToolBars; ++index) {
        const DefaultToolBarRecord& record = records[index];
        if (record.internalName == kEndOfDefaultToolBars) break;
        if (!InEdition(record.editionMask, editionCode) || record.kind == ToolBarKind::None) continue;
        // An entry left empty by the bar before is taken over.
        if (entries.empty() || !entries.back().commandIds.empty()) entries.emplace_back();
        entries.back().record = &record;
        FillDefaultToolBarButtons(record, entries.back(), editionCode);
    }
    return entries;
}

}  // namespace CommandTables
