// Values the installation wrote into the local-machine hive.
#pragma once

#include "platform/mfc.h"

// The string value `name` of HKEY_LOCAL_MACHINE\<key>; empty when the key or value is missing.
CString ReadMachineString(const CString& key, LPCWSTR name);
