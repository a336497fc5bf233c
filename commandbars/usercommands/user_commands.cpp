#include "commandbars/user_commands.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "commandbars/usercommands/byte_streams.h"

using namespace Korvo::UserCommands;

namespace {

constexpr UINT kTitleString = 41693;
constexpr UINT kBucketCount = 17;

// Closes the key when it goes.
struct RegistryKey {
    HKEY key = nullptr;
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key) ::RegCloseKey(key);
    }
};

CString SubKeyName(DWORD index) {
    CString name;
    name.Format(L"Command%u", index);
    return name;
}

// The section under the application's key, opened for reading only: reading never makes it.
bool OpenSectionForReading(LPCWSTR section, RegistryKey& opened) {
    CWinApp* app = AfxGetApp();
    RegistryKey appKey;
    appKey.key = app ? app->GetAppRegistryKey() : nullptr;
    return appKey.key && ::RegOpenKeyExW(appKey.key, section, 0, KEY_READ, &opened.key) == ERROR_SUCCESS;
}

// The first id from `start` (when a user-command id, else the first one) upward that `taken` does
// not hold, or 0.
UINT FirstFreeId(UINT start, const std::set<UINT>& taken) {
    if (start < CKVUserCommand::kFirstId || start > CKVUserCommand::kLastId) start = CKVUserCommand::kFirstId;
    for (UINT id = start; id <= CKVUserCommand::kLastId; ++id)
        if (!taken.contains(id)) return id;
    return 0;
}

// Commands read in their stored order, each given its id as the collection would have given it
// had they been stored one after another.
class ReadCommands {
public:
    // A stored id that is no user-command id, or one already taken, would take over a built-in
    // command or push out another: it gets the next free id instead, and with none left the
    // command is dropped.
    void Add(std::unique_ptr<CKVUserCommand> command) {
        const UINT id = FirstFreeId(command->ID, taken_);
        if (id == 0) return;
        command->ID = id;
        taken_.insert(id);
        commands_.push_back(std::move(command));
    }
    std::vector<std::unique_ptr<CKVUserCommand>>& Commands() { return commands_; }

private:
    std::set<UINT> taken_;
    std::vector<std::unique_ptr<CKVUserCommand>> commands_;
};

}  // namespace

CKVUserCommands::CKVUserCommands() : KorvoProfileItem(L"UserCommands", kTitleString) {
    m_commands.InitHashTable(kBucketCount);
}

CKVUserCommands::~CKVUserCommands() { RemoveAll(); }

void CKVUserCommands::RemoveAll() {
    ForEach([](UINT, CKVUserCommand& command) { delete &command; });
    m_commands.RemoveAll();
}

CKVUserCommand* CKVUserCommands::Lookup(UINT id) const {
    CKVUserCommand* command = nullptr;
    m_commands.Lookup(id, command);
    return command;
}

bool CKVUserCommands::IsFree(UINT id) const { return Lookup(id) == nullptr; }

UINT CKVUserCommands::FindFreeId(UINT start) const {
    if (start < CKVUserCommand::kFirstId || start > CKVUserCommand::kLastId) start = CKVUserCommand::kFirstId;
    for (UINT id = start; id <= CKVUserCommand::kLastId; ++id)
        if (IsFree(id)) return id;
    return 0;
}

void CKVUserCommands::Store(UINT id, std::unique_ptr<CKVUserCommand> command) {
    command->ID = id;
    CKVUserCommand* held = command.release();
    m_commands[id] = held;
    held->LoadIcon();
}

void CKVUserCommands::StoreInWrittenOrder(std::vector<std::unique_ptr<CKVUserCommand>>& commands) {
    // The map lists the newest entry of a bucket first: stored from the end, a list written in the
    // map's order comes back in that order, so the user's order survives a save and a start, an
    // export and an import.
    for (auto command = commands.rbegin(); command != commands.rend(); ++command) {
        const UINT id = (*command)->ID;
        Store(id, std::move(*command));
    }
    commands.clear();
}

UINT CKVUserCommands::AssignCommandId(std::unique_ptr<CKVUserCommand>& command) {
    if (!command) return 0;
    const UINT id = FindFreeId(command->ID);
    if (id == 0) return 0;
    Store(id, std::move(command));
    return id;
}

// ---- The user tools page's operations -------------------------------------------------------------

UINT CKVUserCommands::AddCommand(UINT type, CWnd* owner) {
    std::unique_ptr<CKVUserCommand> command = CKVUserCommand::Create(type);
    if (!command || !command->Edit(owner)) return 0;
    return AssignCommandId(command);
}

bool CKVUserCommands::EditCommand(UINT id, CWnd* owner) {
    CKVUserCommand* command = Lookup(id);
    if (!command || !command->Edit(owner)) return false;
    command->LoadIcon();
    return true;
}

bool CKVUserCommands::DeleteCommand(UINT id) {
    CKVUserCommand* command = Lookup(id);
    if (!command) return false;
    m_commands.RemoveKey(id);
    delete command;
    return true;
}

bool CKVUserCommands::RunCommand(UINT id) {
    CKVUserCommand* command = Lookup(id);
    return command && command->Execute();
}

bool CKVUserCommands::ExportToFile(const CString& path) const {
    MemoryWriteStream stream;
    return Write(stream) && WriteWholeFile(path, stream.Bytes());
}

bool CKVUserCommands::ImportFromFile(const CString& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return false;
    MemoryReadStream stream(std::move(*bytes));
    return Read(stream);
}

// ---- Profile and registry ------------------------------------------------------------------------

int CKVUserCommands::LoadState() {
    const int result = KorvoProfileItem::LoadState();
    if (result == 2) return result;
    const bool read = ReadFromRegistry(result == 1 ? CString(L"UserCommands") : GetRegistrySection());
    return read ? 0 : result;
}

int CKVUserCommands::SaveState() {
    const int result = KorvoProfileItem::SaveState();
    // No commands and no section: there is nothing to keep and nothing stale to clear.
    RegistryKey existing;
    if (m_commands.IsEmpty() && !OpenSectionForReading(GetRegistrySection(), existing)) return result;
    WriteToRegistry(GetRegistrySection());
    return result;
}

bool CKVUserCommands::ReadFromRegistry(LPCWSTR section) {
    RemoveAll();
    RegistryKey sectionKey;
    if (!OpenSectionForReading(section, sectionKey)) return false;
    DWORD count = 0;
    ReadRegistryDword(sectionKey.key, L"Count", count);
    // A save writes one sub-key per command and the collection holds at most one command per id:
    // a larger count is damage, and looking for billions of sub-keys would hang the start.
    constexpr DWORD kMostCommands = CKVUserCommand::kLastId - CKVUserCommand::kFirstId + 1;
    if (count > kMostCommands) {
        KVLog_WriteF(6, L"The user commands' count %u is more than can be kept; only the first %u are read", count,
                     kMostCommands);
        count = kMostCommands;
    }
    ReadCommands read;
    for (DWORD index = 0; index < count; ++index) {
        RegistryKey commandKey;
        if (::RegOpenKeyExW(sectionKey.key, SubKeyName(index), 0, KEY_READ, &commandKey.key) != ERROR_SUCCESS) continue;
        DWORD type = 0;
        ReadRegistryDword(commandKey.key, L"Type", type);
        std::unique_ptr<CKVUserCommand> command = CKVUserCommand::Create(type);
        if (!command) continue;
        command->LoadFromRegistry(commandKey.key);
        read.Add(std::move(command));
    }
    StoreInWrittenOrder(read.Commands());
    return true;
}

void CKVUserCommands::WriteToRegistry(LPCWSTR section) const {
    CWinApp* app = AfxGetApp();
    RegistryKey sectionKey;
    sectionKey.key = app ? app->GetSectionKey(section) : nullptr;
    if (!sectionKey.key) return;
    DWORD written = 0;
    ForEach([&](UINT, const CKVUserCommand& command) {
        RegistryKey commandKey;
        if (::RegCreateKeyExW(sectionKey.key, SubKeyName(written), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                              &commandKey.key, nullptr) != ERROR_SUCCESS)
            return;
        WriteRegistryDword(commandKey.key, L"Type", command.GetType());
        command.SaveToRegistry(commandKey.key);
        ++written;
    });
    WriteRegistryDword(sectionKey.key, L"Count", written);
}

// ---- Command file ---------------------------------------------------------------------------------

bool CKVUserCommands::Write(kvio::IWriteStream& stream) const {
    bool written = WriteDword(stream, kFileMagic) && WriteDword(stream, kFileVersion);
    ForEach([&](UINT id, const CKVUserCommand& command) {
        written = written && WriteDword(stream, id) && WriteDword(stream, command.GetType()) && command.Write(stream);
    });
    return written && WriteDword(stream, 0);
}

bool CKVUserCommands::Read(kvio::IReadStream& stream) {
    DWORD magic = 0, version = 0;
    ReadDword(stream, magic);
    if (magic != kFileMagic) return false;
    ReadDword(stream, version);  // every version so far reads the same
    RemoveAll();
    ReadCommands read;
    for (;;) {
        DWORD recordId = 0, type = 0;
        ReadDword(stream, recordId);
        if (recordId == 0) break;
        ReadDword(stream, type);
        // Records carry no length: past an unknown type nothing more can be read safely.
        std::unique_ptr<CKVUserCommand> command = CKVUserCommand::Create(type);
        if (!command) break;
        command->ID = recordId;
        // A record cut off inside its fields is no command; the file ends there.
        if (!command->Read(stream)) break;
        read.Add(std::move(command));
    }
    StoreInWrittenOrder(read.Commands());
    return true;
}
