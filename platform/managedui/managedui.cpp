#include "platform/managedui.h"

#include "platform/kernel/record.h"

namespace {
bool g_darkTheme = false;
}  // namespace

namespace KorvoManagedUIProxy {

void InitManagedResourcesWraps() {
    platform::kernel::recordCall(L"KorvoManagedUIProxy::InitManagedResourcesWraps()");
}

void StringResourceAccessor::UpdateResourcesCulture() {
    platform::kernel::recordCall(L"KorvoManagedUIProxy::StringResourceAccessor::UpdateResourcesCulture()");
}

void WpfAccessor::EnableDarkTheme(bool dark) {
    platform::kernel::recordCall(std::wstring(L"KorvoManagedUIProxy::WpfAccessor::EnableDarkTheme(") +
                                 platform::kernel::boolText(dark) + L")");
    g_darkTheme = dark;
}

bool WpfAccessor::IsDarkThemeEnabled() { return g_darkTheme; }

}  // namespace KorvoManagedUIProxy
