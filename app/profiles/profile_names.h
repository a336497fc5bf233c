// Which names a settings profile may take: a profile's name becomes a registry key and a folder
// name, so it must stay one path component.
#pragma once

#include "platform/mfc.h"

namespace KorvoProfiles {

// False for an empty name, "." or "..", and a name holding "\" or "/".
inline bool IsUsableProfileName(const CString& name) {
    return !name.IsEmpty() && name != L"." && name != L".." && name.Find(L'\\') < 0 && name.Find(L'/') < 0;
}

}  // namespace KorvoProfiles
