#include "platform/kernel/services/pdm.h"
#include "platform/kernel/services/pdm_control.h"
#include "platform/kernel/services/pdm_failures.h"
#include "platform/kernel/profiles/settings.h"
#include "platform/kernel/services/serverapp.h"
#include "platform/kernel/record.h"

namespace {

using platform::kernel::boolText;
using platform::kernel::quoted;
using platform::kernel::recordCall;

KVPDMConnection*& currentConnection() {
    static KVPDMConnection* connection = nullptr;
    return connection;
}

void tellApplication(bool connected) {
    if (KorvoServerAppProxy* application = KorvoServerAppProxy::Instance())
        application->OnChangeVarnelConnectionState(connected);
}

}  // namespace

void KVPDMConnection::Release() {
    if (--references_ > 0) return;
    --platform::kernel::pdmControl().connectionsAlive;
    delete this;
}

void KVPDMConnection::StartClient() {
    recordCall(L"KVPDMConnection::StartClient()");
    if (platform::kernel::pdmControl().failingCalls.contains(L"StartClient"))
        throw new KVPDMExceptionProxy(L"The PDM system did not answer: StartClient");
}

void KVPDMConnection::OnIdle() { platform::core::recordIdleCall(L"KVPDMConnection::OnIdle()"); }

int KVPDMWorkMix::Connect(bool interactive, LPCWSTR connectionString) {
    recordCall(L"KVPDMWorkMix::Connect(" + std::wstring(boolText(interactive)) + L", " + quoted(connectionString) + L")");
    auto& control = platform::kernel::pdmControl();
    if (control.active) return kConnected;
    if (control.connectFails) return kNotConnected;
    if (control.connectResult != kConnected) return control.connectResult;
    control.active = true;
    control.connectedInstance = GetSettings().varnel.instanceKeyPath.GetString();
    currentConnection() = new KVPDMConnection();
    ++control.connectionsAlive;
    tellApplication(true);
    return kConnected;
}

void KVPDMWorkMix::Disconnect() {
    recordCall(L"KVPDMWorkMix::Disconnect()");
    auto& control = platform::kernel::pdmControl();
    if (!control.active) return;
    control.active = false;
    control.connectedInstance.clear();
    if (KVPDMConnection* connection = std::exchange(currentConnection(), nullptr)) connection->Release();
    tellApplication(false);
}

KVPDMConnection* KVPDMWorkMix::GetConnection() {
    KVPDMConnection* connection = IsActive() ? currentConnection() : nullptr;
    if (connection) connection->AddRef();
    return connection;
}

CString KVPDMWorkMix::GetInstanceKeyPath() {
    // The PDM settings name the instance; without them, the one the program connected to.
    const auto& control = platform::kernel::pdmControl();
    if (!control.instanceKeyPath.empty()) return control.instanceKeyPath.c_str();
    return control.active ? control.connectedInstance.c_str() : L"";
}

CString KVPDMClient::GetProductName() const {
    platform::kernel::throwIfPdmCallFails(L"GetProductName");
    return platform::kernel::pdmControl().productName.c_str();
}
