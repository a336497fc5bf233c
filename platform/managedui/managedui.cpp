#include "platform/managedui.h"

#include "platform/kernel/record.h"

namespace KorvoManagedUIProxy {

void InitManagedResourcesWraps() {
    platform::kernel::recordCall(L"KorvoManagedUIProxy::InitManagedResourcesWraps()");
}

void StringResourceAccessor::UpdateResourcesCulture() {
    platform::kernel::recordCall(L"KorvoManagedUIProxy::StringResourceAccessor::UpdateResourcesCulture()");
}

}  // namespace KorvoManagedUIProxy
