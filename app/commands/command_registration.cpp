#include "app/commands/command_registration.h"

#include <atomic>

#include "app/commands/command_handler_bindings.h"
#include "app/commands/command_table_data.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace {

using namespace CommandTables;

// Set once the built-in rows have been registered; their symbols are answered from then on.
std::atomic<bool> g_symbolsRegistered{false};

KVCommand* NewCommandObject(const AppCommandEntry& row) {
    const KVCommandFlags flags(row.flags);
    if (row.kind == HandlerKind::Document) {
        return new KVDocumentCommand(row.commandNumber, row.name, DocumentHandler(row.handler),
                                     DocumentUpdateHandler(row.updateHandler), flags);
    }
    return new KVSystemCommand(row.commandNumber, row.name, SystemHandler(row.handler),
                               SystemUpdateHandler(row.updateHandler), flags);
}

}  // namespace

// Results are not checked: a command the kernel refuses is simply not available.
void RegisterApplicationCommands(DWORD editionCode) {
    auto& container = KVCommandContainer::Instance();
    for (const AppCommandEntry& row : ApplicationCommands()) {
        if ((row.editionMask & editionCode) == 0) continue;
        if (row.kind == HandlerKind::Plain) {
            GlobalContainer::RegisterCmd(static_cast<int>(row.id), row.name, static_cast<int>(row.commandNumber),
                                         KVCommandFlags(row.flags));
            continue;
        }
        // The container owns the object from here on.
        container.RegisterCommand(NewCommandObject(row), row.id);
    }
    for (const CommandRange& range : ApplicationCommandRanges()) {
        container.RegisterCommands(range.first, range.last, KVCommandFlags(range.flags));
    }
}

void RegisterBuiltInCommands() {
    auto& container = KVCommandContainer::Instance();
    for (const BuiltInCommandEntry& row : BuiltInCommands()) {
        const KVCommandFlags flags(row.flags);
        if (RegistersWithCommandContainer(row.id)) {
            container.RegisterCommand(row.id, row.name, flags);
        } else {
            GlobalContainer::RegisterCmd(static_cast<int>(row.id), row.name, static_cast<int>(row.id), flags);
        }
        Korvo::UI::GlobalContextMenuContainer::RegisterCommand(static_cast<int>(row.id), row.symbol);
    }
    g_symbolsRegistered = true;
    Korvo::UI::GlobalContextMenuContainer::RegisterCommands();
    const PlainCommand& stereo = StereoModeCommand();
    GlobalContainer::RegisterCmd(static_cast<int>(stereo.id), stereo.name, static_cast<int>(stereo.commandNumber),
                                 KVCommandFlags(stereo.flags));
}

const wchar_t* GetCommandSymbolById(int id) {
    if (id < 1 || !g_symbolsRegistered) return nullptr;
    return SymbolById(static_cast<UINT>(id));
}
