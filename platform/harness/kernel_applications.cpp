#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/control.h"

namespace platform::harness {

void Kernel::setApplicationsRefuseExit(bool refuse) { platform::kernel::control().applicationsRefuseExit = refuse; }

void Kernel::installApplication(std::wstring_view name, unsigned firstCommand, unsigned lastCommand) {
    const std::wstring text(name);
    CKVApplicationManager::InstallApplication(text.c_str())->SetCommandRange(firstCommand, lastCommand);
}

void Kernel::setApplicationCommandDisabled(std::wstring_view name, unsigned id, bool disabled) {
    const std::wstring text(name);
    CKVApplicationManager::InstallApplication(text.c_str())->SetCommandDisabled(id, disabled);
}

void Kernel::setDescribedCommandDisabled(unsigned id, bool disabled) {
    auto& ids = platform::kernel::control().disabledDescribedCommands;
    if (disabled) ids.insert(id);
    else ids.erase(id);
}

}  // namespace platform::harness
