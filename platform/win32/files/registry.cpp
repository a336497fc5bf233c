// The Win32 registry functions over the registry store: byte buffers in, typed values out.
#include "platform/win32/files/registry.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/core/api_text.h"
#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/registry_store.h"
#include "platform/core/text.h"

using platform::core::RegistryValue;
using platform::core::registryStore;
using platform::core::viewOf;

namespace {

// wchar_t units of a string buffer given in bytes; a partial unit at the end is dropped.
// Copied, because a byte buffer need not be aligned for wchar_t.
std::wstring wideUnits(const BYTE* data, DWORD bytes) {
    if (data == nullptr) return {};
    std::wstring units(bytes / sizeof(wchar_t), L'\0');
    if (!units.empty()) std::memcpy(units.data(), data, units.size() * sizeof(wchar_t));
    return units;
}

RegistryValue valueFromBytes(DWORD type, const BYTE* data, DWORD bytes) {
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            const std::wstring units = wideUnits(data, bytes);
            const std::wstring_view text = std::wstring_view(units).substr(0, units.find(L'\0'));
            return type == REG_SZ ? RegistryValue::sz(std::wstring(text)) : RegistryValue::expandSz(std::wstring(text));
        }
        case REG_MULTI_SZ: {
            // Strings up to the first empty one (the list terminator).
            std::vector<std::wstring> strings;
            const std::wstring units = wideUnits(data, bytes);
            std::wstring_view rest = units;
            while (!rest.empty()) {
                const std::size_t end = rest.find(L'\0');
                const std::wstring_view item = rest.substr(0, end);
                if (item.empty()) break;
                strings.emplace_back(item);
                if (end == std::wstring_view::npos) break;
                rest.remove_prefix(end + 1);
            }
            return RegistryValue::multiSz(std::move(strings));
        }
        default:
            return RegistryValue::raw(type, data == nullptr ? std::vector<std::uint8_t>() : std::vector<std::uint8_t>(data, data + bytes));
    }
}

std::vector<BYTE> bytesFromValue(const RegistryValue& value) {
    auto appendText = [](std::vector<BYTE>& out, std::wstring_view text) {
        const auto* first = reinterpret_cast<const BYTE*>(text.data());
        out.insert(out.end(), first, first + text.size() * sizeof(wchar_t));
        const wchar_t terminator = L'\0';
        const auto* zero = reinterpret_cast<const BYTE*>(&terminator);
        out.insert(out.end(), zero, zero + sizeof(wchar_t));
    };
    std::vector<BYTE> out;
    switch (value.type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            appendText(out, value.text);
            break;
        case REG_MULTI_SZ:
            for (const auto& text : value.strings) appendText(out, text);
            appendText(out, L"");
            break;
        default:
            out.assign(value.bytes.begin(), value.bytes.end());
    }
    return out;
}

// Copies `data` following the query conventions: size only without a buffer, ERROR_MORE_DATA
// (with the size needed) when the buffer is short.
LONG deliver(const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD bufferBytes) {
    if (buffer != nullptr && bufferBytes == nullptr) return ERROR_INVALID_PARAMETER;
    if (bufferBytes == nullptr) return ERROR_SUCCESS;
    const auto size = static_cast<DWORD>(data.size());
    const DWORD capacity = *bufferBytes;
    *bufferBytes = size;
    if (buffer == nullptr) return ERROR_SUCCESS;
    if (capacity < size) return ERROR_MORE_DATA;
    if (size > 0) std::memcpy(buffer, data.data(), size);
    return ERROR_SUCCESS;
}

// Copies a name into a character buffer; its count is in characters, terminator included on
// input and excluded on output.
LONG deliverName(std::wstring_view name, LPWSTR buffer, LPDWORD characters) {
    if (buffer == nullptr || characters == nullptr) return ERROR_INVALID_PARAMETER;
    if (*characters < name.size() + 1) return ERROR_MORE_DATA;
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = L'\0';
    *characters = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// %NAME% references from the process environment, names case-insensitive; unknown ones stay.
std::wstring expandEnvironment(std::wstring_view text) {
    const auto& environment = platform::core::config().environment;
    std::wstring out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find(L'%', i);
        if (open == std::wstring_view::npos) break;
        const std::size_t close = text.find(L'%', open + 1);
        if (close == std::wstring_view::npos) break;
        const std::wstring_view name = text.substr(open + 1, close - open - 1);
        out += text.substr(i, open - i);
        const std::wstring* found = nullptr;
        for (const auto& [key, value] : environment) {
            if (!name.empty() && platform::core::equalsNoCase(key, name)) found = &value;
        }
        if (found) {
            out += *found;
            i = close + 1;
        } else {
            out += text.substr(open, close - open);
            i = close;
        }
    }
    out += text.substr(i);
    return out;
}

DWORD restrictionBit(DWORD type) {
    switch (type) {
        case REG_NONE: return RRF_RT_REG_NONE;
        case REG_SZ: return RRF_RT_REG_SZ;
        case REG_EXPAND_SZ: return RRF_RT_REG_EXPAND_SZ;
        case REG_BINARY: return RRF_RT_REG_BINARY;
        case REG_DWORD: return RRF_RT_REG_DWORD;
        case REG_MULTI_SZ: return RRF_RT_REG_MULTI_SZ;
        case REG_QWORD: return RRF_RT_REG_QWORD;
        default: return 0;
    }
}

// Whether a value passes a RegGetValueW type restriction.
LONG checkRestriction(const RegistryValue& value, DWORD restriction) {
    const DWORD bit = restrictionBit(value.type);
    if (restriction != RRF_RT_ANY && (bit == 0 || (restriction & bit) == 0)) return ERROR_UNSUPPORTED_TYPE;
    if (value.type == REG_DWORD && (restriction & RRF_RT_REG_DWORD) && value.bytes.size() != 4) return ERROR_DATA_NOT_ACCEPTED;
    if (value.type == REG_QWORD && (restriction & RRF_RT_REG_QWORD) && value.bytes.size() != 8) return ERROR_DATA_NOT_ACCEPTED;
    // A binary value satisfies the DWORD (QWORD) restriction only with exactly 4 (8) bytes.
    if (value.type == REG_BINARY && restriction == RRF_RT_DWORD && value.bytes.size() != 4) return ERROR_DATA_NOT_ACCEPTED;
    if (value.type == REG_BINARY && restriction == RRF_RT_QWORD && value.bytes.size() != 8) return ERROR_DATA_NOT_ACCEPTED;
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    return registryStore().openKey(hKey, viewOf(lpSubKey), samDesired, false, phkResult, nullptr);
}

LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD dwOptions, REGSAM samDesired,
                        const LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
    // Nothing is virtualised here, so asking for no virtualisation is granted as it stands.
    if (const DWORD unsupported = dwOptions & ~(REG_OPTION_VOLATILE | REG_OPTION_DONT_VIRTUALIZE); unsupported != 0) {
        platform::core::reportFailure(L"RegCreateKeyExW: options " + std::to_wstring(unsupported) +
                                      L" (links, backup and restore) are not supported by the registry stand-in");
        return ERROR_INVALID_PARAMETER;
    }
    bool created = false;
    const LONG status = registryStore().openKey(hKey, lpSubKey, samDesired, true, phkResult, &created, dwOptions);
    if (status == ERROR_SUCCESS && lpdwDisposition != nullptr) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return status;
}

LSTATUS RegCloseKey(HKEY hKey) { return registryStore().closeKey(hKey); }

LSTATUS RegFlushKey(HKEY hKey) { return registryStore().flushKey(hKey); }

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    if (lpData == nullptr && cbData != 0) return ERROR_INVALID_PARAMETER;
    return registryStore().setValue(hKey, viewOf(lpValueName), valueFromBytes(dwType, lpData, cbData));
}

LSTATUS RegSetKeyValueW(HKEY hKey, LPCWSTR lpSubKey, LPCWSTR lpValueName, DWORD dwType, LPCVOID lpData, DWORD cbData) {
    if (lpData == nullptr && cbData != 0) return ERROR_INVALID_PARAMETER;
    const auto* bytes = static_cast<const BYTE*>(lpData);
    return registryStore().setKeyValue(hKey, viewOf(lpSubKey), viewOf(lpValueName), valueFromBytes(dwType, bytes, cbData));
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
    RegistryValue value;
    if (LONG status = registryStore().queryValue(hKey, viewOf(lpValueName), value); status != ERROR_SUCCESS) return status;
    if (lpType != nullptr) *lpType = value.type;
    return deliver(bytesFromValue(value), lpData, lpcbData);
}

LSTATUS RegGetValueW(HKEY hkey, LPCWSTR lpSubKey, LPCWSTR lpValue, DWORD dwFlags, LPDWORD pdwType, PVOID pvData,
                     LPDWORD pcbData) {
    const DWORD restriction = dwFlags & RRF_RT_ANY;
    if (restriction == 0 || (pvData != nullptr && pcbData == nullptr)) return ERROR_INVALID_PARAMETER;
    // An expandable string is delivered expanded (as REG_SZ) unless RRF_NOEXPAND says otherwise,
    // so asking for REG_EXPAND_SZ alone only makes sense with that flag.
    const bool expand = (dwFlags & RRF_NOEXPAND) == 0;
    if (expand && (restriction & RRF_RT_REG_EXPAND_SZ) && restriction != RRF_RT_ANY) return ERROR_INVALID_PARAMETER;
    const DWORD capacity = pcbData != nullptr ? *pcbData : 0;
    auto failed = [&](LONG status) {
        if ((dwFlags & RRF_ZEROONFAILURE) && pvData != nullptr && capacity > 0) std::memset(pvData, 0, capacity);
        return status;
    };

    HKEY key = hkey;
    HKEY opened = nullptr;
    if (lpSubKey != nullptr && *lpSubKey != L'\0') {
        if (LONG status = RegOpenKeyExW(hkey, lpSubKey, 0, KEY_QUERY_VALUE, &opened); status != ERROR_SUCCESS) return failed(status);
        key = opened;
    }
    RegistryValue value;
    LONG status = registryStore().queryValue(key, viewOf(lpValue), value);
    if (opened != nullptr) RegCloseKey(opened);
    if (status != ERROR_SUCCESS) return failed(status);

    if (value.type == REG_EXPAND_SZ && expand) value = RegistryValue::sz(expandEnvironment(value.text));
    if (status = checkRestriction(value, restriction); status != ERROR_SUCCESS) return failed(status);
    if (pdwType != nullptr) *pdwType = value.type;
    status = deliver(bytesFromValue(value), static_cast<LPBYTE>(pvData), pcbData);
    return status == ERROR_SUCCESS ? status : failed(status);
}

LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) { return registryStore().deleteValue(hKey, viewOf(lpValueName)); }

LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
    if (lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
    return registryStore().deleteKey(hKey, lpSubKey);
}

LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD, LPWSTR lpClass, LPDWORD lpcchClass,
                      PFILETIME lpftLastWriteTime) {
    std::wstring name;
    if (LONG status = registryStore().enumKey(hKey, dwIndex, name); status != ERROR_SUCCESS) return status;
    if (LONG status = deliverName(name, lpName, lpcchName); status != ERROR_SUCCESS) return status;
    // Keys carry no class; their write time is not kept.
    if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) *lpClass = L'\0';
    if (lpcchClass != nullptr) *lpcchClass = 0;
    if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD, LPDWORD lpType,
                      LPBYTE lpData, LPDWORD lpcbData) {
    if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
    std::wstring name;
    RegistryValue value;
    if (LONG status = registryStore().enumValue(hKey, dwIndex, name, value); status != ERROR_SUCCESS) return status;
    if (LONG status = deliverName(name, lpValueName, lpcchValueName); status != ERROR_SUCCESS) return status;
    if (lpType != nullptr) *lpType = value.type;
    return deliver(bytesFromValue(value), lpData, lpcbData);
}

LSTATUS RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD, LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen,
                         LPDWORD lpcbMaxClassLen, LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                         LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
    platform::core::RegistryKeyInfo info;
    if (LONG status = registryStore().queryInfo(hKey, info); status != ERROR_SUCCESS) return status;
    if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) *lpClass = L'\0';
    if (lpcchClass != nullptr) *lpcchClass = 0;
    if (lpcSubKeys != nullptr) *lpcSubKeys = info.subKeys;
    if (lpcbMaxSubKeyLen != nullptr) *lpcbMaxSubKeyLen = info.maxSubKeyLength;
    if (lpcbMaxClassLen != nullptr) *lpcbMaxClassLen = 0;
    if (lpcValues != nullptr) *lpcValues = info.values;
    if (lpcbMaxValueNameLen != nullptr) *lpcbMaxValueNameLen = info.maxValueNameLength;
    if (lpcbMaxValueLen != nullptr) *lpcbMaxValueLen = info.maxValueBytes;
    if (lpcbSecurityDescriptor != nullptr) *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
}
