// Wiping the user's settings of the product: its registry key, its shell registrations and the
// files of its local application-data folder that are not user data.
#pragma once

#include "platform/mfc.h"

namespace KorvoProfiles {

// A company or registry name that names exactly one key level: not empty, not "." or "..",
// without "\" or "/".
bool IsSafeKeyName(const CString& name);

// Whether the reset keeps a file of this name (by its extension, compared in lower case; the
// extension starts at the last dot that is not the name's first character).
bool IsKeptByReset(const CString& fileName);

}  // namespace KorvoProfiles

// Deletes HKCU\<keyPath> and the product's shell registrations and cleans
// <LocalAppData>\<keyPath without "SOFTWARE\">; true when the clean-up succeeded (a missing
// folder counts as clean).
bool ResetUserSettings(const CString& keyPath);
