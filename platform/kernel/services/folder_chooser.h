// The kernel's folder chooser.
#pragma once

#include <vector>

#include "platform/mfc.h"

// Lets the user choose folders, starting at `start`; false when cancelled. The two flags are the
// kernel's own (one folder only; files shown). The stand-in asks the simulated user (a kernel
// dialog of kind "folder"): a chooser nobody expected is a strict failure.
bool SelectFolders(std::vector<CString>& result, CWnd* owner, LPCWSTR start, LPCWSTR title, bool singleFolder,
                   bool showFiles);
