// The taskbar button's progress indicator, reached as the framework hands it out through its
// global data. Each top-level window has one state and one value; the harness reads them.
#pragma once

#include "platform/mfc/ole.h"  // E_INVALIDARG
#include "platform/win32.h"

enum TBPFLAG { TBPF_NOPROGRESS = 0, TBPF_INDETERMINATE = 0x1, TBPF_NORMAL = 0x2, TBPF_ERROR = 0x4, TBPF_PAUSED = 0x8 };

class ITaskbarList3 {
public:
    // E_INVALIDARG for a window that does not exist or is not top-level (no taskbar button).
    HRESULT SetProgressState(HWND hwnd, TBPFLAG state);
    HRESULT SetProgressValue(HWND hwnd, ULONGLONG completed, ULONGLONG total);
};

struct AFX_GLOBAL_DATA {
    // The taskbar object, or null when the shell offers none (the harness can take it away).
    ITaskbarList3* GetITaskbarList3();
    // The program ends: the framework's shared drawing objects go (recorded).
    void CleanUp();
};

AFX_GLOBAL_DATA* GetGlobalData();

namespace platform::mfc {

struct TaskbarProgress {
    TBPFLAG state = TBPF_NOPROGRESS;
    ULONGLONG completed = 0;
    ULONGLONG total = 0;
    int updates = 0;  // SetProgressState and SetProgressValue calls that reached the button
};

// The taskbar progress of `hwnd` as the calls so far left it.
TaskbarProgress taskbarProgress(HWND hwnd);
// Whether GetITaskbarList3 answers with the taskbar object (default true).
void setTaskbarAvailable(bool available);

}  // namespace platform::mfc
