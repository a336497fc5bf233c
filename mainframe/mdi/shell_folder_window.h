// The shell's folder window, as the document tabs and the documents menu open it: on a file's
// folder with the file selected, or on a folder itself. Nothing opens for a path that does not
// exist.
#pragma once

#include "platform/mfc.h"

void ShowFileInFolderWindow(const CString& path);
void OpenFolderWindow(const CString& folder);
