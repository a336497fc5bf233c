#include "platform/kernel/ui/command_prompts.h"

#include "platform/kernel/ui/control.h"

namespace {
CString lookUp(const std::map<UINT, std::wstring>& table, UINT id) {
    const auto it = table.find(id);
    return it == table.end() ? CString() : CString(it->second.c_str());
}
}  // namespace

CString KVGetCmdStr(UINT id) { return lookUp(platform::kernel::control().commandStrings, id); }
CString KVGetCmdStr3D(UINT id) { return lookUp(platform::kernel::control().commandStrings3D, id); }
int KVGetActiveCommandId() { return platform::kernel::control().activeCommandId; }
CString KVGetActiveCommandPrompt() { return platform::kernel::control().activeCommandPrompt.c_str(); }
