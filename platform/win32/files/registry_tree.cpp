// Whole-key operations built on the registry's own functions, as the shell's helpers are.
#include <string>
#include <vector>

#include "platform/win32/files/registry.h"

namespace {

constexpr DWORD kMaxKeyName = 256;
constexpr DWORD kMaxValueName = 16384;

std::vector<std::wstring> subKeyNames(HKEY key) {
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[kMaxKeyName];
        DWORD length = kMaxKeyName;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

// Copies the values and sub-keys of the open key `from` into the open key `to`.
LSTATUS copyInto(HKEY from, HKEY to) {
    for (DWORD index = 0;; ++index) {
        std::vector<wchar_t> name(kMaxValueName);
        DWORD nameLength = kMaxValueName;
        DWORD type = 0;
        DWORD size = 0;
        LSTATUS status = RegEnumValueW(from, index, name.data(), &nameLength, nullptr, &type, nullptr, &size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) return status;
        std::vector<BYTE> data(size);
        nameLength = kMaxValueName;
        status = RegEnumValueW(from, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        if (status != ERROR_SUCCESS) return status;
        status = RegSetValueExW(to, name.data(), 0, type, data.data(), size);
        if (status != ERROR_SUCCESS) return status;
    }
    for (const std::wstring& child : subKeyNames(from)) {
        HKEY source = nullptr;
        HKEY target = nullptr;
        LSTATUS status = RegOpenKeyExW(from, child.c_str(), 0, KEY_READ, &source);
        if (status != ERROR_SUCCESS) return status;
        status = RegCreateKeyExW(to, child.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &target,
                                 nullptr);
        if (status == ERROR_SUCCESS) {
            status = copyInto(source, target);
            RegCloseKey(target);
        }
        RegCloseKey(source);
        if (status != ERROR_SUCCESS) return status;
    }
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS SHDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
    if (!lpSubKey || !*lpSubKey) return ERROR_INVALID_PARAMETER;
    HKEY key = nullptr;
    if (LSTATUS status = RegOpenKeyExW(hKey, lpSubKey, 0, KEY_READ, &key); status != ERROR_SUCCESS) return status;
    LSTATUS result = ERROR_SUCCESS;
    for (const std::wstring& child : subKeyNames(key)) {
        result = SHDeleteKeyW(key, child.c_str());
        if (result != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? RegDeleteKeyW(hKey, lpSubKey) : result;
}

LSTATUS SHCopyKeyW(HKEY hKeySrc, LPCWSTR lpSubKey, HKEY hKeyDest, DWORD) {
    HKEY source = nullptr;
    if (LSTATUS status = RegOpenKeyExW(hKeySrc, lpSubKey ? lpSubKey : L"", 0, KEY_READ, &source); status != ERROR_SUCCESS)
        return status;
    const LSTATUS status = copyInto(source, hKeyDest);
    RegCloseKey(source);
    return status;
}
