// What a browser lists of a folder on disk.
#pragma once

#include <functional>

#include "platform/mfc.h"

namespace DocumentsMenu {

// The folder joined with a name (one backslash between them).
CString JoinPath(const CString& folder, const CString& name);
// A folder named as the user names it: without trailing backslashes (a folder icon's path has
// one), except a drive's root, which keeps its own ("C:" alone is another folder).
CString FolderPathWithoutSeparator(const CString& folder);
// Calls back with the name of each folder in `folder` that is not hidden ("." and ".." never).
void ForEachSubfolder(const CString& folder, const std::function<void(const CString& name)>& callback);
// Calls back with the name of each document file in `folder` that is not hidden: the ".grb"
// files, and the ".grs" files when the kernel lists those. The extension must match exactly
// (the platform's pattern would also take longer ones).
void ForEachDocumentFile(const CString& folder, const std::function<void(const CString& name)>& callback);

}  // namespace DocumentsMenu
