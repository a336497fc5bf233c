#include "platform/kernel/ui/command_prompts.h"

#include <mutex>

#include "platform/core/config.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/key_command_control.h"
#include "platform/kernel/ui/key_commands.h"
#include "platform/kernel/ui/control.h"
#include "platform/win32/files/file.h"

namespace {

constexpr const wchar_t* kCommandTableFile = L"commands.tsv";

// The kernel's own command strings, "<id><TAB><string>" a line in the program folder, read at
// the first lookup; the control surface's strings win over them.
const std::map<UINT, std::wstring>& fileStrings() {
    static std::once_flag once;
    static std::map<UINT, std::wstring> table;
    std::call_once(once, [] {
        const std::wstring folder = platform::core::config().programFolder;
        if (folder.empty()) return;
        const std::wstring path = folder + L"\\" + kCommandTableFile;
        std::string bytes;
        if (platform::files::readAll(path, bytes) != 0) return;  // a kernel without command strings
        std::vector<std::wstring> warnings;
        table = platform::kernel::parseStringTable(bytes, path, &warnings);
        for (auto& warning : warnings) platform::kernel::recordWarning(std::move(warning));
    });
    return table;
}

CString lookUp(const std::map<UINT, std::wstring>& table, UINT id) {
    const auto it = table.find(id);
    return it == table.end() ? CString() : CString(it->second.c_str());
}

}  // namespace

CString KVGetCmdStr(UINT id) {
    const auto& own = platform::kernel::control().commandStrings;
    return own.count(id) ? lookUp(own, id) : lookUp(fileStrings(), id);
}
CString KVGetCmdStr3D(UINT id) { return lookUp(platform::kernel::control().commandStrings3D, id); }
int KVGetActiveCommandId() { return platform::kernel::control().activeCommandId; }
CString KVGetActiveCommandPrompt() { return platform::kernel::control().activeCommandPrompt.c_str(); }

std::vector<std::pair<UINT, CString>> KVGetKeyCommands() {
    std::map<UINT, std::wstring> merged = fileStrings();
    for (const auto& [id, text] : platform::kernel::control().commandStrings) merged[id] = text;
    std::vector<std::pair<UINT, CString>> commands;
    for (const auto& [id, text] : merged)
        if (!text.empty()) commands.emplace_back(id, CString(text.c_str()));
    return commands;
}

namespace platform::kernel {
KeyCommandControl& keyCommandControl() {
    static KeyCommandControl state;
    return state;
}
}  // namespace platform::kernel

bool KV3DKeyboardCommandsAllowed() { return !platform::kernel::keyCommandControl().keyboardCommandsRefused; }
bool KV3DIsCommandAvailable(UINT id) { return platform::kernel::keyCommandControl().unavailableCommands.count(id) == 0; }
