// The kernel's folder chooser.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/mfc.h"

// Lets the user choose folders, starting at `start`; false when cancelled. The two flags are the
// kernel's own (one folder only; files shown). The stand-in answers with what the harness
// prepared; a chooser nobody prepared an answer for is a strict failure.
bool SelectFolders(std::vector<CString>& result, CWnd* owner, LPCWSTR start, LPCWSTR title, bool singleFolder,
                   bool showFiles);

namespace platform::kernel {
// The prepared answers, in order: a folder, or nothing for Cancel.
std::deque<std::optional<std::wstring>>& folderChooserAnswers();
}  // namespace platform::kernel
