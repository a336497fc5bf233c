#include "app/commands/application_commands.h"

namespace {

void RegisterWithSession(const IApplicationCommand& command) {
    GlobalContainer::RegisterCmd(static_cast<int>(command.GetCommandId()), command.GetName().GetString(), 0, {});
}

}  // namespace

ApplicationCommands::Registered ApplicationCommands::Register(std::unique_ptr<IApplicationCommand> command,
                                                              bool takeOver) {
    if (!command) return {};
    const std::wstring identity = command->GetIdentityKey();
    if (const auto found = byIdentity_.find(identity); found != byIdentity_.end()) {
        IApplicationCommand& existing = *commands_[found->second];
        if (takeOver) existing.TakeOver(*command);
        // The session learns the id again under the name the newcomer brought.
        GlobalContainer::RegisterCmd(static_cast<int>(existing.GetCommandId()), command->GetName().GetString(), 0, {});
        return {&existing, true};
    }
    const UINT id = kFirstId + static_cast<UINT>(commands_.size());
    if (id > kLastId) return {};
    command->SetCommandId(id);
    RegisterWithSession(*command);
    byIdentity_.emplace(identity, commands_.size());
    commands_.push_back(std::move(command));
    return {commands_.back().get(), false};
}

IApplicationCommand* ApplicationCommands::FindEqual(const IApplicationCommand& command) const {
    const auto found = byIdentity_.find(command.GetIdentityKey());
    return found == byIdentity_.end() ? nullptr : commands_[found->second].get();
}

IApplicationCommand* ApplicationCommands::Get(int index) const {
    return index >= 0 && index < GetCount() ? commands_[static_cast<std::size_t>(index)].get() : nullptr;
}

IApplicationCommand* ApplicationCommands::GetById(UINT id) const {
    if (id < kFirstId || id > kLastId) return nullptr;
    return Get(static_cast<int>(id - kFirstId));
}

UINT ApplicationCommands::Find(const Korvo::UniqueIdentifier& key, int kind) const {
    for (const auto& command : commands_) {
        const Korvo::UniqueIdentifier* own = command->GetKeyId();
        if (own && command->GetDescriptionKind() == kind && *own == key) return command->GetCommandId();
    }
    return 0;
}

UINT ApplicationCommands::FindById(LPCWSTR idText, int internalId) const {
    if (!idText || !*idText) return static_cast<UINT>(internalId);
    Korvo::UniqueIdentifier key;
    const bool parsed = Korvo::UniqueIdentifier::TryParse(idText, key);
    for (const auto& command : commands_) {
        if (command->GetInternalId() != internalId) continue;
        const Korvo::UniqueIdentifier* own = command->GetKeyId();
        if (own ? parsed && *own == key : command->GetIdString() == idText) return command->GetCommandId();
    }
    return 0;
}
