// Renaming a file or folder of a browser through the shell, as the user's own rename.
#pragma once

#include "platform/mfc.h"

namespace DocumentsMenu {

class Browser;

// Renames the file or folder at `path` (a folder's may end with a backslash) to `text` in its
// parent folder; a name that cannot be a file's is refused with a message box. The rows change
// when the folder watcher reports the new name. False when refused or the shell failed.
bool RenameOnDisk(Browser* browser, const CString& path, const CString& text);

}  // namespace DocumentsMenu
