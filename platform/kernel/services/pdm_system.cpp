#include "platform/kernel/services/pdm_system.h"

#include "platform/kernel/record.h"

namespace {
bool g_windowsShown = false;
}  // namespace

namespace platform::kernel {
std::wstring& pdmSystemVersion() {
    static std::wstring version = L"18.0";
    return version;
}
}  // namespace platform::kernel

CString KVPDMGetSystemVersion() { return platform::kernel::pdmSystemVersion().c_str(); }
bool KVArePdmWindowsShown() { return g_windowsShown; }
void KVSetPdmWindowsShown(bool shown) {
    platform::kernel::recordCall(std::wstring(L"KVSetPdmWindowsShown(") + (shown ? L"true" : L"false") + L")");
    g_windowsShown = shown;
}
