// What the UI module's file chooser (UIModuleProxy::SelectFile) is asked.
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

