// The application's user-defined commands (ids 37000 to 37999): a settings-profile item of their
// own, kept in the profile's registry section and exchanged as command files. The collection owns
// its commands; its order (the map's) is the order of the registry sub-keys, the file records and
// the user tools list.
#pragma once

#include <memory>
#include <vector>

#include "commandbars/usercommands/user_command.h"
#include "platform/kernel.h"

class CKVUserCommands : public KorvoProfileItem {
public:
    static constexpr DWORD kFileMagic = 0x1234;
    static constexpr DWORD kFileVersion = 1;

    CKVUserCommands();
    ~CKVUserCommands() override;

    // Deletes every command.
    void RemoveAll();
    // Takes `command` into the collection under the first free id from its own (when that is a
    // user-command id) or from 37000 upward, and loads its icon: the id, or 0 (the command is
    // not taken and stays the caller's) when it is null or no id is free.
    UINT AssignCommandId(std::unique_ptr<CKVUserCommand>& command);
    // The command of `id`, or null.
    CKVUserCommand* Lookup(UINT id) const;
    INT_PTR GetCount() const { return m_commands.GetCount(); }
    // Every command in the collection's order.
    template <class F>
    void ForEach(F&& visit) const {
        for (POSITION position = m_commands.GetStartPosition(); position;) {
            UINT id = 0;
            CKVUserCommand* command = nullptr;
            m_commands.GetNextAssoc(position, id, command);
            if (command) visit(id, *command);
        }
    }

    // The operations of the user tools page: add a command of `type` that the user edits first
    // (its id, or 0 when cancelled or no id is free), edit or delete the command of `id` (true
    // when it changed), run it (true when it ran), export the collection to a command file and
    // import one in its place (true when the file was written, or read).
    UINT AddCommand(UINT type, CWnd* owner);
    bool EditCommand(UINT id, CWnd* owner);
    bool DeleteCommand(UINT id);
    bool RunCommand(UINT id);
    bool ExportToFile(const CString& path) const;
    bool ImportFromFile(const CString& path);

    int LoadState() override;
    int SaveState() override;

    // The registry section's values; false (with an empty collection) when the section cannot be
    // opened. What is read comes back in the order it was written.
    bool ReadFromRegistry(LPCWSTR section);
    void WriteToRegistry(LPCWSTR section) const;
    // The command file: magic, version, the records and a 0. Read is false, with the collection
    // unchanged, for a file that does not start with the magic; else the collection becomes the
    // file's commands read before the first damaged or unknown record.
    bool Write(kvio::IWriteStream& stream) const;
    bool Read(kvio::IReadStream& stream);

private:
    // The first free id from `start` (when a user-command id, else 37000) upward, or 0.
    UINT FindFreeId(UINT start) const;
    bool IsFree(UINT id) const;
    void Store(UINT id, std::unique_ptr<CKVUserCommand> command);
    // Stores commands whose ids are settled, read in the order they were written.
    void StoreInWrittenOrder(std::vector<std::unique_ptr<CKVUserCommand>>& commands);

    CMap<UINT, UINT, CKVUserCommand*, CKVUserCommand*> m_commands;
};
