#include "platform/kernel/ui/command_runner.h"

#include <map>

#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/ui_control.h"

namespace {

using platform::kernel::documentText;
using platform::kernel::recordCall;

std::map<const CKvw32Doc*, std::shared_ptr<KVRunningCommand>>& running() {
    static std::map<const CKvw32Doc*, std::shared_ptr<KVRunningCommand>> commands;
    return commands;
}

// A command's start and end reach the program's loop as a message, after which it runs its idle
// updates.
void tellLoop() { ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0); }

}  // namespace

bool KVCommandRunner::Start(CKvw32Doc* document, std::shared_ptr<KVRunningCommand> command) {
    if (!document || !command || running().contains(document)) {
        recordCall(L"KVCommandRunner::Start(" + documentText(document) + L"): refused");
        return false;
    }
    recordCall(L"KVCommandRunner::Start(" + documentText(document) + L", code " + std::to_wstring(command->KernelCommandCode()) + L")");
    running()[document] = command;
    platform::kernel::DocumentAccess::setInCommand(*document, true);
    command->KernelStarted();
    tellLoop();
    return true;
}

bool KVCommandRunner::SendKey(CKvw32Doc* document, int code) {
    const auto it = running().find(document);
    if (it == running().end()) return false;
    // The command may end itself on the key: it is held for the call.
    const std::shared_ptr<KVRunningCommand> command = it->second;
    recordCall(L"KVCommandRunner::SendKey(" + documentText(document) + L", " + std::to_wstring(code) + L")");
    command->KernelKeyPressed(code);
    return true;
}

bool KVCommandRunner::UserClose(CKvw32Doc* document, bool confirmed) {
    const auto it = running().find(document);
    if (it == running().end()) return false;
    const std::shared_ptr<KVRunningCommand> command = it->second;
    recordCall(L"KVCommandRunner::UserClose(" + documentText(document) + L", " + platform::kernel::boolText(confirmed) + L")");
    command->KernelUserClosed(confirmed);
    return true;
}

bool KVCommandRunner::End(CKvw32Doc* document) {
    const auto it = running().find(document);
    if (it == running().end()) return false;
    const std::shared_ptr<KVRunningCommand> command = std::move(it->second);
    running().erase(it);
    platform::kernel::DocumentAccess::setInCommand(*document, false);
    recordCall(L"KVCommandRunner::End(" + documentText(document) + L")");
    command->KernelEnded();
    tellLoop();
    return true;
}

KVRunningCommand* KVCommandRunner::Running(const CKvw32Doc* document) {
    const auto it = running().find(document);
    return it == running().end() ? nullptr : it->second.get();
}
