#include "platform/managedui.h"

#include "platform/core/record.h"

namespace {
bool g_darkTheme = false;
}  // namespace

namespace KorvoManagedUIProxy {

void InitManagedResourcesWraps() {
    platform::core::recordCall(L"KorvoManagedUIProxy::InitManagedResourcesWraps()");
}

void StringResourceAccessor::UpdateResourcesCulture() {
    platform::core::recordCall(L"KorvoManagedUIProxy::StringResourceAccessor::UpdateResourcesCulture()");
}

void WpfAccessor::EnableDarkTheme(bool dark) {
    platform::core::recordCall(std::wstring(L"KorvoManagedUIProxy::WpfAccessor::EnableDarkTheme(") +
                                 platform::core::boolText(dark) + L")");
    g_darkTheme = dark;
}

bool WpfAccessor::IsDarkThemeEnabled() { return g_darkTheme; }

void WpfAccessor::ShutdownDispatcher() { platform::core::recordCall(L"KorvoManagedUIProxy::WpfAccessor::ShutdownDispatcher()"); }

}  // namespace KorvoManagedUIProxy
