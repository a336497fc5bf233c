// Values the installation wrote into the local-machine hive.
#pragma once

#include <optional>

#include "platform/mfc.h"

// The string value `name` of HKEY_LOCAL_MACHINE\<key>; empty when the key or value is missing.
CString ReadMachineString(const CString& key, LPCWSTR name);

// The DWORD value `name` of HKEY_LOCAL_MACHINE\<key>; nothing when the key or value is missing.
std::optional<DWORD> ReadMachineDword(const CString& key, LPCWSTR name);
