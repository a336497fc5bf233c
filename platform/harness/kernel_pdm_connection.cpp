#include "platform/harness.h"
#include "platform/core/record.h"
#include "platform/kernel/services/pdm.h"
#include "platform/kernel/services/pdm_system.h"
#include "platform/kernel/services/pdm_control.h"

namespace platform::harness {

void Kernel::setPdmInstanceKeyPath(std::wstring_view path) { platform::kernel::pdmControl().instanceKeyPath = path; }

void Kernel::setPdmConnectFails(bool fails) { platform::kernel::pdmControl().connectFails = fails; }

std::wstring Inspect::dumpPdm() const {
    const auto& control = platform::kernel::pdmControl();
    using platform::core::quoted;
    std::wstring out = std::wstring(L"pdm ") + (KVPDMWorkMix::IsActive() ? L"connected" : L"disconnected") + L"\n";
    out += L"instance " + quoted(std::wstring(KVPDMWorkMix::GetInstanceKeyPath().GetString())) + L"\n";
    out += L"product " + quoted(control.productName);
    if (control.failingCalls.contains(L"GetProductName")) out += L" failing";
    out += L"\n";
    out += L"version " + quoted(std::wstring(KVPDMGetSystemVersion().GetString())) + L"\n";
    return out;
}

int Kernel::pdmConnectionsAlive() const { return platform::kernel::pdmControl().connectionsAlive; }

}  // namespace platform::harness
