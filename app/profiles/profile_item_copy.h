// The profiles page's work on stored profiles: copying items (their registry sub-keys and folders)
// from one settings profile into another, renaming and deleting. Each changes a registry section
// and a folder together; a run that ends half-way is finished or undone at the next start.
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

// Gives profile `from` the name `to`, its registry section and its folder; false (and the profile
// as it was) when either cannot move.
bool RenameProfile(const CString& from, const CString& to);

// Deletes profile `profile` (`item` empty) or one of its items, registry sub-key and folder.
bool DeleteProfile(const CString& profile, const CString& item);

// Work of the above that a run left half done: a rename's folder follows its registry key, a
// deleted profile's folder goes, a copy into an existing profile gives it back what it had and a
// copy into a new one removes it; a copy's kept-aside items go. Run at start, before any profile
// state is read.
void FinishInterruptedWork();

}  // namespace KorvoProfiles
