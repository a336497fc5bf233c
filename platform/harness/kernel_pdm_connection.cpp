#include "platform/harness.h"
#include "platform/kernel/services/pdm_control.h"

namespace platform::harness {

void Kernel::setPdmInstanceKeyPath(std::wstring_view path) { platform::kernel::pdmControl().instanceKeyPath = path; }

void Kernel::setPdmConnectFails(bool fails) { platform::kernel::pdmControl().connectFails = fails; }

int Kernel::pdmConnectionsAlive() const { return platform::kernel::pdmControl().connectionsAlive; }

}  // namespace platform::harness
