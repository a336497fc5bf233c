#include "platform/kernel/ui/commands.h"

#include <array>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/kernel/ui/command_control.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/session.h"

namespace platform::kernel {
namespace {

constexpr UINT kHighestCommandId = 0xFFFF;

struct Slot {
    CommandRegistration registration;
    std::unique_ptr<KVCommand> command;  // only for a command object
    int registrations = 1;               // a name-only id registered again under its name counts here
    bool removed = false;                // taken out of the session again
};

constexpr std::int32_t kNoSlot = -1;

// Id to slot, in pages of 256 ids, each made when an id of it is first registered: a start-up
// registers a few hundred ids in a few ranges, and a flat table of every id is 256 KB written at
// every start.
class SlotsById {
public:
    std::int32_t operator[](std::size_t id) const {
        const auto& page = pages_[id >> kPageBits];
        return page ? (*page)[id & kPageMask] : kNoSlot;
    }
    void set(std::size_t id, std::int32_t slot) {
        auto& page = pages_[id >> kPageBits];
        if (!page) {
            page = std::make_unique<Page>();
            page->fill(kNoSlot);
        }
        (*page)[id & kPageMask] = slot;
    }

private:
    static constexpr int kPageBits = 8;
    static constexpr std::size_t kPageMask = (std::size_t{1} << kPageBits) - 1;
    using Page = std::array<std::int32_t, std::size_t{1} << kPageBits>;
    std::array<std::unique_ptr<Page>, ((kHighestCommandId + 1) >> kPageBits)> pages_;
};

// Both containers share one table: an id means one command whichever container knows it. Every
// update pass asks about each visible control's id, so an id finds its registration at once.
struct Registry {
    mutable std::mutex mutex;
    std::deque<Slot> slots;  // registration order; a slot never moves, so lookups may point into it
    SlotsById byId;
    int refused = 0;
};

Registry& registry() {
    static Registry state;
    return state;
}

bool validId(long long id) { return id >= 1 && id <= kHighestCommandId; }

// Call with the mutex held.
bool anyRegistered(const Registry& state, UINT firstId, UINT lastId) {
    for (UINT id = firstId; id <= lastId; ++id) {
        if (state.byId[id] != kNoSlot) return true;
    }
    return false;
}

std::wstring idText(long long firstId, long long lastId) {
    return firstId == lastId ? std::to_wstring(firstId) : std::to_wstring(firstId) + L"-" + std::to_wstring(lastId);
}

bool refuse(Registry& state, std::wstring_view caller, UINT firstId, UINT lastId, const wchar_t* why) {
    ++state.refused;
    recordWarning(std::wstring(caller) + L": command " + idText(firstId, lastId) + L" " + why + L"; not registered");
    return false;
}

// Adds a registration unless an id is invalid or taken.
bool add(CommandRegistration registration, std::unique_ptr<KVCommand> command, std::wstring_view caller,
         long long requestedFirst, long long requestedLast) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    if (!validId(requestedFirst) || !validId(requestedLast) || requestedFirst > requestedLast) {
        ++state.refused;
        recordWarning(std::wstring(caller) + L": command id " + idText(requestedFirst, requestedLast) +
                      L" is outside 1 to 65535; not registered");
        return false;
    }
    registration.firstId = static_cast<UINT>(requestedFirst);
    registration.lastId = static_cast<UINT>(requestedLast);
    registration.stage = sessionStage();
    if (anyRegistered(state, registration.firstId, registration.lastId)) {
        return refuse(state, caller, registration.firstId, registration.lastId, L"is registered already");
    }
    const auto index = static_cast<std::int32_t>(state.slots.size());
    for (UINT id = registration.firstId; id <= registration.lastId; ++id) state.byId.set(id, index);
    state.slots.push_back({std::move(registration), std::move(command)});
    return true;
}

// An id registered by name alone is registered again under the same name: the session keeps
// one registration and counts the calls. Any other registration of a taken id is refused.
bool registerAgain(long long id, std::wstring_view name) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    if (!validId(id) || state.byId[static_cast<std::size_t>(id)] == kNoSlot) return false;
    Slot& slot = state.slots[static_cast<std::size_t>(state.byId[static_cast<std::size_t>(id)])];
    const CommandRegistration& held = slot.registration;
    if (held.how != CommandRegistrationKind::NameOnly || held.container != CommandContainer::Global ||
        held.firstId != held.lastId || held.name != name)
        return false;
    ++slot.registrations;
    return true;
}

}  // namespace

bool removeNameOnly(long long id) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    if (!validId(id) || state.byId[static_cast<std::size_t>(id)] == kNoSlot) return false;
    Slot& slot = state.slots[static_cast<std::size_t>(state.byId[static_cast<std::size_t>(id)])];
    // Command objects stay where they are: a lookup may still point at them.
    if (slot.registration.how != CommandRegistrationKind::NameOnly) return false;
    slot.removed = true;
    state.byId.set(static_cast<std::size_t>(id), kNoSlot);
    recordCall(L"GlobalContainer::UnregisterCmd(" + std::to_wstring(id) + L")");
    return true;
}

int registrationCount(UINT id) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    if (id > kHighestCommandId || state.byId[id] == kNoSlot) return 0;
    return state.slots[static_cast<std::size_t>(state.byId[id])].registrations;
}

namespace {

std::uint32_t flagsOf(UINT id) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    if (id > kHighestCommandId || state.byId[id] == kNoSlot) return 0;
    return state.slots[static_cast<std::size_t>(state.byId[id])].registration.flags;
}

struct Found {
    CommandRegistrationKind how = CommandRegistrationKind::Range;
    std::wstring_view name;  // the slot's, which stays where it is
    KVCommand* command = nullptr;
};

std::optional<Found> find(UINT id) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    if (id > kHighestCommandId || state.byId[id] == kNoSlot) return std::nullopt;
    const Slot& slot = state.slots[static_cast<std::size_t>(state.byId[id])];
    if (slot.registration.how == CommandRegistrationKind::Range) return Found{};
    return Found{slot.registration.how, slot.registration.name, slot.command.get()};
}

CommandObjectKind objectKindOf(const KVCommand& command, bool& hasUpdateHandler) {
    if (const auto* system = dynamic_cast<const KVSystemCommand*>(&command)) {
        hasUpdateHandler = system->HasUpdateHandler();
        return CommandObjectKind::System;
    }
    if (const auto* document = dynamic_cast<const KVDocumentCommand*>(&command)) {
        hasUpdateHandler = document->HasUpdateHandler();
        return CommandObjectKind::Document;
    }
    hasUpdateHandler = false;
    return CommandObjectKind::Other;
}

}  // namespace

std::vector<CommandRegistration> commandRegistrations() {
    std::vector<CommandRegistration> registrations;
    visitCommandRegistrations([&registrations](const CommandRegistration& registration) { registrations.push_back(registration); });
    return registrations;
}

void visitCommandRegistrations(const std::function<void(const CommandRegistration&)>& visit) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    for (const Slot& slot : state.slots)
        if (!slot.removed) visit(slot.registration);
}

std::optional<CommandRegistration> findCommandRegistration(const std::function<bool(const CommandRegistration&)>& match) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    for (const Slot& slot : state.slots)
        if (!slot.removed && match(slot.registration)) return slot.registration;
    return std::nullopt;
}

int refusedCommandRegistrations() {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    return state.refused;
}

const wchar_t* commandRegistrationKindName(CommandRegistrationKind how) {
    switch (how) {
        case CommandRegistrationKind::CommandObject: return L"command object";
        case CommandRegistrationKind::NameOnly: return L"name only";
        case CommandRegistrationKind::Range: return L"range";
    }
    return L"?";
}

}  // namespace platform::kernel

using platform::kernel::CommandContainer;
using platform::kernel::CommandRegistration;
using platform::kernel::CommandRegistrationKind;

// ---- Command objects -------------------------------------------------------------------------

KVCommand::KVCommand(UINT commandNumber, std::wstring_view name, KVCommandFlags flags)
    : commandNumber_(commandNumber), name_(name), flags_(flags) {}

KVCommand::~KVCommand() = default;

void KVCommand::UpdateUI(CKVView*, CKvw32Doc*, CCmdUI*) {}

KVSystemCommand::KVSystemCommand(UINT commandNumber, std::wstring_view name, Handler handler,
                                 UpdateHandler updateHandler, KVCommandFlags flags)
    : KVCommand(commandNumber, name, flags), handler_(handler), updateHandler_(updateHandler) {}

std::int64_t KVSystemCommand::Run(CKVView*, CKvw32Doc*, std::int64_t argument) {
    return handler_ ? handler_(argument) : 0;
}

void KVSystemCommand::UpdateUI(CKVView*, CKvw32Doc*, CCmdUI* cmdUI) {
    if (updateHandler_ && cmdUI) updateHandler_(cmdUI);
}

KVDocumentCommand::KVDocumentCommand(UINT commandNumber, std::wstring_view name, Handler handler,
                                     UpdateHandler updateHandler, KVCommandFlags flags)
    : KVCommand(commandNumber, name, flags), handler_(handler), updateHandler_(updateHandler) {}

std::int64_t KVDocumentCommand::Run(CKVView*, CKvw32Doc* document, std::int64_t) {
    return handler_ ? handler_(document) : 0;
}

void KVDocumentCommand::UpdateUI(CKVView*, CKvw32Doc* document, CCmdUI* cmdUI) {
    if (updateHandler_ && cmdUI) updateHandler_(document, cmdUI);
}

// ---- Containers ------------------------------------------------------------------------------

KVCommandContainer& KVCommandContainer::Instance() {
    static KVCommandContainer instance;
    return instance;
}

bool KVCommandContainer::RegisterCommand(KVCommand* command, UINT id) {
    std::unique_ptr<KVCommand> owned(command);
    if (!owned) {
        platform::kernel::recordWarning(L"KVCommandContainer::RegisterCommand: no command object for id " +
                                        std::to_wstring(id) + L"; not registered");
        return false;
    }
    CommandRegistration registration;
    registration.name = owned->GetName();
    registration.flags = owned->GetFlags().bits();
    registration.commandNumber = owned->GetCommandNumber();
    registration.how = CommandRegistrationKind::CommandObject;
    registration.container = CommandContainer::Command;
    registration.objectKind = platform::kernel::objectKindOf(*owned, registration.hasUpdateHandler);
    return platform::kernel::add(std::move(registration), std::move(owned), L"KVCommandContainer::RegisterCommand", id,
                                 id);
}

bool KVCommandContainer::RegisterCommand(UINT id, std::wstring_view name, KVCommandFlags flags) {
    CommandRegistration registration;
    registration.name = name;
    registration.flags = flags.bits();
    registration.commandNumber = id;
    registration.how = CommandRegistrationKind::NameOnly;
    registration.container = CommandContainer::Command;
    return platform::kernel::add(std::move(registration), nullptr, L"KVCommandContainer::RegisterCommand", id, id);
}

bool KVCommandContainer::RegisterCommands(UINT firstId, UINT lastId, KVCommandFlags flags) {
    CommandRegistration registration;
    registration.flags = flags.bits();
    registration.how = CommandRegistrationKind::Range;
    registration.container = CommandContainer::Command;
    return platform::kernel::add(std::move(registration), nullptr, L"KVCommandContainer::RegisterCommands", firstId,
                                 lastId);
}

bool KVCommandContainer::IsRegistered(UINT id) const { return platform::kernel::find(id).has_value(); }

std::vector<UINT> KVCommandContainer::RegisteredIds(UINT firstId, UINT lastId) const {
    std::vector<UINT> ids;
    auto& state = platform::kernel::registry();
    std::lock_guard lock(state.mutex);
    for (UINT id = firstId; id <= lastId && id <= platform::kernel::kHighestCommandId; ++id) {
        if (state.byId[id] != platform::kernel::kNoSlot) ids.push_back(id);
    }
    return ids;
}

KVCommand* KVCommandContainer::FindCommand(UINT id) const {
    const auto found = platform::kernel::find(id);
    return found ? found->command : nullptr;
}

bool KVCommandContainer::HasHandler(UINT id) const {
    const auto found = platform::kernel::find(id);
    return found && found->how != CommandRegistrationKind::Range;
}

bool KVCommandContainer::ExecuteCommand(UINT id, CKVView* view, CKvw32Doc* document, std::int64_t argument) {
    const auto found = platform::kernel::find(id);
    if (!found) return false;
    switch (found->how) {
        case CommandRegistrationKind::CommandObject:
            platform::kernel::recordCall(L"KVCommand::Run(" + std::to_wstring(id) + L", " +
                                         platform::kernel::quoted(found->name) + L")");
            // The object is never removed, so it outlives the lookup's lock.
            found->command->Run(view, document, argument);
            return true;
        case CommandRegistrationKind::NameOnly:
            // The kernel carries out its own command; the stand-in records that it was asked to.
            platform::kernel::recordCall(L"KVCommandContainer::ExecuteCommand(" + std::to_wstring(id) + L", " +
                                         platform::kernel::quoted(found->name) + L")");
            return true;
        case CommandRegistrationKind::Range:
            return false;
    }
    return false;
}

bool KVCommandContainer::UpdateCommandUI(UINT id, CKVView* view, CKvw32Doc* document, CCmdUI* cmdUI) {
    const auto found = platform::kernel::find(id);
    if (!found || found->command == nullptr) return false;
    found->command->UpdateUI(view, document, cmdUI);
    return true;
}

bool GlobalContainer::RegisterCmd(int id, std::wstring_view name, int commandNumber, KVCommandFlags flags) {
    CommandRegistration registration;
    registration.name = name;
    registration.flags = flags.bits();
    registration.commandNumber = static_cast<UINT>(commandNumber);
    registration.how = CommandRegistrationKind::NameOnly;
    registration.container = CommandContainer::Global;
    if (platform::kernel::registerAgain(id, name)) return true;
    return platform::kernel::add(std::move(registration), nullptr, L"GlobalContainer::RegisterCmd", id, id);
}

bool GlobalContainer::UnregisterCmd(int id) {
    return platform::kernel::removeNameOnly(id);
}

int new_window(CKvw32Doc* document) {
    platform::kernel::recordCall(L"new_window(" + platform::kernel::documentText(document) + L")");
    if (!document) return 0;
    // The kernel opens every document window in the active main frame, another one as well.
    auto* docTemplate = dynamic_cast<CKVDocTemplate*>(document->GetDocTemplate());
    if (!docTemplate) {
        platform::kernel::recordWarning(L"new_window: " + platform::kernel::documentText(document) +
                                        L" has no kernel document template");
        return 0;
    }
    return docTemplate->OpenAnotherWindow(document) ? 1 : 0;
}

KVCommandFlags KVCommandContainer::GetCommandFlags(UINT id) const {
    return KVCommandFlags(platform::kernel::flagsOf(id));
}

CString KVCommandContainer::GetCommandName(UINT id) const {
    const auto found = platform::kernel::find(id);
    return found ? CString(found->name) : CString();
}
