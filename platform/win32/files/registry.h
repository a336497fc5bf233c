// The registry as the shell uses it: predefined hives, keys opened and created by path, typed
// values. Keys and value names are case-insensitive and keep the spelling they were created
// with; sub-keys enumerate in case-insensitive name order, values in creation order.
//
// String data crosses this interface as wchar_t buffers: a REG_SZ or REG_EXPAND_SZ value of n
// characters has the byte count (n + 1) * sizeof(wchar_t), terminator included; a REG_MULTI_SZ
// value is its strings, each with its terminator, followed by one more terminator. A string
// written without a terminator, or with trailing ones, reads back with exactly one.
//
// The 32-bit and 64-bit registry views are one and the same here (KEY_WOW64_* are accepted and
// ignored); callers that want "WOW6432Node" name it in the path.
#pragma once

#include "platform/core/registry_types.h"
#include "platform/win32/types.h"

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
// The keys it makes are volatile with REG_OPTION_VOLATILE (in memory only, gone with the process;
// ignored for a key that exists); a key that is not volatile cannot be made below a volatile one
// (ERROR_CHILD_MUST_BE_VOLATILE). Links and backup semantics are not supported: a strict failure
// naming the call, and ERROR_INVALID_PARAMETER. Beyond the limits (512 levels, 255-character key
// names) it fails with ERROR_INVALID_PARAMETER.
LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                        REGSAM samDesired, const LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                        LPDWORD lpdwDisposition);
LSTATUS RegCloseKey(HKEY hKey);
// Writes the key's hive to its file before returning, when it has changes not yet written.
LSTATUS RegFlushKey(HKEY hKey);
LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                       DWORD cbData);
// Sets a value in the sub-key `lpSubKey` of `hKey` (the key itself when it is null or empty),
// creating what is missing of the sub-key first (not volatile). A value name longer than 16,383
// characters fails here and in RegSetValueExW with ERROR_INVALID_PARAMETER.
LSTATUS RegSetKeyValueW(HKEY hKey, LPCWSTR lpSubKey, LPCWSTR lpValueName, DWORD dwType, LPCVOID lpData, DWORD cbData);
LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData);
LSTATUS RegGetValueW(HKEY hkey, LPCWSTR lpSubKey, LPCWSTR lpValue, DWORD dwFlags, LPDWORD pdwType, PVOID pvData,
                     LPDWORD pcbData);
LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);
// Deletes a key without sub-keys; a key that still has sub-keys is refused (ERROR_ACCESS_DENIED).
LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);
LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                      LPWSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LSTATUS RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
                         LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                         LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                         PFILETIME lpftLastWriteTime);

// ---- Whole keys -------------------------------------------------------------------------------
// Deletes the sub-key `lpSubKey` of `hKey` with everything below it; ERROR_FILE_NOT_FOUND when it
// does not exist; the error of the first key that cannot be deleted (what was below it is gone).
LSTATUS SHDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);
// Copies the values and sub-keys of `lpSubKey` of `hKeySrc` (the key itself when null) into the
// open key `hKeyDest`, replacing values of the same name; stops at the first failure with its
// error.
LSTATUS SHCopyKeyW(HKEY hKeySrc, LPCWSTR lpSubKey, HKEY hKeyDest, DWORD fReserved);
