#include "app/startup/machine_registry.h"

CString ReadMachineString(const CString& key, LPCWSTR name) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS) return {};
    CString value;
    LPWSTR buffer = value.GetBuffer(static_cast<int>(size / sizeof(wchar_t)) + 1);
    const LSTATUS status = RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    value.ReleaseBuffer();
    return status == ERROR_SUCCESS ? value : CString();
}

std::optional<DWORD> ReadMachineDword(const CString& key, LPCWSTR name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}
