// Which other programs hold a file open, as the system's restart manager sees it. The manager's
// module is loaded on first use; when it or one of its functions is missing, every later query
// answers nothing.
#pragma once

#include <utility>
#include <vector>

#include "platform/mfc.h"
#include "platform/win32.h"

class ProcessesUsingFile {
public:
    ProcessesUsingFile() = default;
    ProcessesUsingFile(const ProcessesUsingFile&) = delete;
    ProcessesUsingFile& operator=(const ProcessesUsingFile&) = delete;
    ~ProcessesUsingFile();

    // Appends (application name, executable path) for each program other than this one that holds
    // `path`; answers the restart manager's last result (0 for an empty path or no manager).
    DWORD Query(std::vector<std::pair<CString, CString>>& programs, LPCWSTR path);

private:
    bool Load();

    bool tried_ = false;
    HMODULE module_ = nullptr;
    RmStartSessionFunction start_ = nullptr;
    RmRegisterResourcesFunction register_ = nullptr;
    RmGetListFunction list_ = nullptr;
    RmEndSessionFunction end_ = nullptr;
};
