#include "platform/kernel/services/pdm.h"
#include "platform/kernel/services/pdm_control.h"
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
    if (KVPDMConnection* connection = std::exchange(currentConnection(), nullptr)) connection->Release();
    tellApplication(false);
}

KVPDMConnection* KVPDMWorkMix::GetConnection() {
    KVPDMConnection* connection = IsActive() ? currentConnection() : nullptr;
    if (connection) connection->AddRef();
    return connection;
}

CString KVPDMWorkMix::GetInstanceKeyPath() { return platform::kernel::pdmControl().instanceKeyPath.c_str(); }
