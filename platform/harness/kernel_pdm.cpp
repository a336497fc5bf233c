#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/services/pdm_control.h"

namespace platform::harness {

void Kernel::setPdmConnected(bool connected) { KVPDMWorkMix::SetActive(connected); }

void Kernel::pdmManageFile(std::wstring_view windowsPath, bool readOnly, bool nomenclature) {
    platform::kernel::pdmControl().files[std::wstring(windowsPath)] = {readOnly, nomenclature};
}

void Kernel::pdmSetItemState(std::wstring_view windowsPath, int state) {
    platform::kernel::pdmControl().files[std::wstring(windowsPath)].state = state;
}

void Kernel::pdmManageFolder(std::wstring_view windowsPath) {
    platform::kernel::pdmControl().folders.insert(std::wstring(windowsPath));
}

void Kernel::pdmHoldBack(std::wstring_view windowsPath) {
    platform::kernel::pdmControl().heldBack.insert(std::wstring(windowsPath));
}

void Kernel::pdmFailCall(std::wstring_view call) { platform::kernel::pdmControl().failingCalls.insert(std::wstring(call)); }

}  // namespace platform::harness
