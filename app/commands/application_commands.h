// The application commands add-on applications and modules registered, in registration order:
// the command at index i has the id 17000 + i, up to 32000. A command is found by its identity
// (kind, owner and internal id) at once, so loading a large command file stays linear.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/kernel.h"

class ApplicationCommands {
public:
    static constexpr UINT kFirstId = 17000;
    static constexpr UINT kLastId = 32000;

    // The outcome of registering a command object.
    struct Registered {
        IApplicationCommand* command = nullptr;  // the registered command, or null when dropped
        bool existed = false;                    // a command of the same identity was there already
    };

    // Registers `command` with the kernel session. An equal command registered before is
    // registered again under its own id and keeps it (with `takeOver`, it first takes the new
    // command's data); the new object is dropped. A new command whose id would pass 32000 is
    // dropped too.
    Registered Register(std::unique_ptr<IApplicationCommand> command, bool takeOver);

    // The registered command of the same identity as `command`, or null.
    IApplicationCommand* FindEqual(const IApplicationCommand& command) const;

    int GetCount() const { return static_cast<int>(commands_.size()); }
    // Null past the end.
    IApplicationCommand* Get(int index) const;
    // Null outside 17000 to 32000 or past the end.
    IApplicationCommand* GetById(UINT id) const;
    // The id of the first command whose kernel description has `kind` and `key`, or 0.
    UINT Find(const Korvo::UniqueIdentifier& key, int kind) const;
    // An empty `idText` answers `internalId` itself. Otherwise the id of the first command with
    // that internal id whose description key is the identifier `idText` names, or, for a command
    // without a description, whose id string is `idText`; 0 when none.
    UINT FindById(LPCWSTR idText, int internalId) const;

private:
    std::vector<std::unique_ptr<IApplicationCommand>> commands_;
    std::unordered_map<std::wstring, std::size_t> byIdentity_;  // identity key -> index
};
