// The UI module's file chooser: what the kernel asks of it and the call that shows it.
#pragma once

#include "platform/mfc.h"

// What the kernel's file chooser is asked: opening or saving, the name the chooser's settings are
// kept under, the default extension, the filter ("name|pattern|...|"), the folder and name it
// starts with, the chooser's options (OFN_...), and, when `placed`, the screen point it shows at
// and the rectangle it lines up with.
struct FileDialogInfo {
    explicit FileDialogInfo(bool forOpening = true)
        : open(forOpening),
          flags(OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | (forOpening ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT)) {}
    bool open;
    CString name;
    CString extension;
    CString filter;
    CString initialFolder;
    CString fileName;
    DWORD flags;
    bool placed = false;
    POINT position{};
    RECT alignment{};
};

namespace UIModule {
// Asks the user for one file (mode kSelectOneFile, the only mode the module offers; any other is a
// failure naming the call) in the chooser `info` describes, owned by `owner`: the chosen path,
// empty when cancelled.
inline constexpr int kSelectOneFile = 0;
CString SelectFile(CWnd* owner, const FileDialogInfo& info, int mode);
}  // namespace UIModule
