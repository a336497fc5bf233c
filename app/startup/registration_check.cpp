// The document server's registration is refreshed only where the user may write the classes
// root; a probe key tells.
#include "app/kvw32_app.h"

namespace {

constexpr const wchar_t* kProbeKey = L"KV.Check";

// Creates the probe key with its default value "0" and removes it again; true when both the
// key and the value could be written.
bool ProbeClassesRootWrite(HKEY classes) {
    HKEY probe = nullptr;
    if (RegCreateKeyExW(classes, kProbeKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &probe,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    static constexpr wchar_t kZero[] = L"0";
    const LSTATUS written = RegSetValueExW(probe, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kZero),
                                           static_cast<DWORD>(sizeof(kZero)));
    RegCloseKey(probe);
    RegDeleteKeyW(classes, kProbeKey);
    return written == ERROR_SUCCESS;
}

}  // namespace

void CKvw32App::RefreshRegistrationIfWritable() {
    HKEY classes = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_WRITE, &classes) == ERROR_SUCCESS) {
        if (ProbeClassesRootWrite(classes)) {
            m_server.UpdateRegistry(OAT_INPLACE_SERVER, nullptr, nullptr, TRUE);
        }
        RegCloseKey(classes);
    }
    COleObjectFactory::UpdateRegistryAll(TRUE);
}
