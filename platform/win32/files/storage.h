// Structured storage as its readers answer: the failure codes, and the files the harness made
// unreadable. Kernel documents and pictures are both read as storage, so a fault injected for a
// path fails either reader alike.
#pragma once

#include <string_view>

#include "platform/win32/types.h"

inline constexpr HRESULT STG_E_FILENOTFOUND = static_cast<HRESULT>(0x80030002u);
inline constexpr HRESULT STG_E_PATHNOTFOUND = static_cast<HRESULT>(0x80030003u);
inline constexpr HRESULT STG_E_ACCESSDENIED = static_cast<HRESULT>(0x80030005u);
inline constexpr HRESULT STG_E_WRITEFAULT = static_cast<HRESULT>(0x8003001Du);
inline constexpr HRESULT STG_E_READFAULT = static_cast<HRESULT>(0x8003001Eu);
inline constexpr HRESULT STG_E_INVALIDHEADER = static_cast<HRESULT>(0x800300FBu);

namespace platform::storage {

// The storage of the file at `windowsPath` cannot be read from now on (STG_E_READFAULT); paths
// compare case-insensitively. A harness control: shell code never calls it.
void failRead(std::wstring_view windowsPath);
// Whether reading the storage of that file fails.
bool readFails(std::wstring_view windowsPath);

}  // namespace platform::storage
