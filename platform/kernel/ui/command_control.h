// Control surface of the kernel's command containers for the harness and tests (never for shell
// code): every registration the containers kept, in registration order.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/types.h"

namespace platform::kernel {

enum class CommandContainer { Global, Command };  // GlobalContainer, KVCommandContainer

enum class CommandRegistrationKind {
    CommandObject,  // a KVCommand registered by id
    NameOnly,       // a built-in kernel command known by id and name
    Range,          // a block of ids reserved with flags
};

enum class CommandObjectKind { None, System, Document, Other };

// How far the kernel session had come: the last of its start-up steps that succeeded.
enum class SessionStage { NotStarted, PreInitialised, PostInitialised, Finished };

struct CommandRegistration {
    UINT firstId = 0;
    UINT lastId = 0;  // == firstId except for a range
    std::wstring name;
    std::uint32_t flags = 0;
    UINT commandNumber = 0;  // the object's or the plain registration's; 0 for a range
    CommandRegistrationKind how = CommandRegistrationKind::NameOnly;
    CommandContainer container = CommandContainer::Global;
    CommandObjectKind objectKind = CommandObjectKind::None;
    bool hasUpdateHandler = false;
    SessionStage stage = SessionStage::NotStarted;  // when the registration was made
};

// How many times `id` was registered (a name-only id may be registered again under its name);
// 0 when it is not registered.
int registrationCount(UINT id);

// Takes a name-only registration out of the table (GlobalContainer::UnregisterCmd).
bool removeNameOnly(long long id);

// The stage the kernel session is in now.
SessionStage sessionStage();

// Accepted registrations, in the order they were made.
std::vector<CommandRegistration> commandRegistrations();
// Shows `visit` each accepted registration in the order they were made, without copying them,
// under the table's lock: `visit` must not register or look up commands itself.
void visitCommandRegistrations(const std::function<void(const CommandRegistration&)>& visit);
// The first accepted registration that `match` takes, without copying the others: lookups by id
// or name run many times while the program starts.
std::optional<CommandRegistration> findCommandRegistration(const std::function<bool(const CommandRegistration&)>& match);
// Registrations refused so far (an id out of range or registered already).
int refusedCommandRegistrations();

const wchar_t* commandRegistrationKindName(CommandRegistrationKind how);

}  // namespace platform::kernel
