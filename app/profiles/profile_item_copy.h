// Copying items (their registry sub-keys and folders) from one settings profile into another.
#pragma once

#include <vector>

#include "platform/mfc.h"

namespace KorvoProfiles {

// Deletes a file or folder with all it holds (nothing to do when it is missing); false on failure.
bool DeletePath(const CString& path);

// Copies the items `keys` of profile `source` into profile `target` (each replacing the target's
// item of that name, registry sub-key and folder), stopping at the first failure. A failure into
// a profile that existed before (`existing`) puts back what the copy replaced; into a new profile
// it deletes that profile's sub-key and folder.
bool CopyProfileItems(const CString& source, const CString& target, const std::vector<CString>& keys, bool existing);

}  // namespace KorvoProfiles
