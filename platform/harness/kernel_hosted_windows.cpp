// Windows the kernel's parts make for the program to host: add-on application windows, PDM
// reference controls and model trees.
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/services/pdm_control.h"
#include "platform/kernel/ui/control.h"

namespace platform::harness {

void Kernel::runApplication(std::wstring_view name, bool running) {
    const std::wstring text(name);
    CKVApplicationManager::InstallApplication(text.c_str())->SetRunning(running);
    if (running) platform::kernel::control().inAppCreateToolsMode = true;
}

void Kernel::pdmReferenceControlsLeaveWindows(bool leave) {
    platform::kernel::pdmControl().referenceControlsLeaveWindows = leave;
}

int Kernel::pdmReferenceControlsAlive() const { return platform::kernel::pdmControl().referenceControlsAlive; }

int Kernel::hostedModelTrees() const { return KVModelTrees::Count(); }

}  // namespace platform::harness
