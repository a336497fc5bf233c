// A critical error the kernel reported, waiting to be offered to the user in a message bar.
#pragma once

#include "mainframe/generate_dump_file_app_context.h"
#include "platform/korvoui.h"
#include "platform/mfc.h"

struct CriticalErrorRecord {
    CString message;
    // The frame whose message bar shows the error; null until shown, and again once that frame
    // or its bar went away (the next idle pass shows it on the active frame).
    HWND barFrame = nullptr;
    // Compared only, never followed: the frame's message bars say whether it still stands.
    const Korvo::UI::MessageBar* bar = nullptr;
    GenerateDumpFileAppContext context;
    CString reportPath;  // empty until the report files exist
    CString reportFolder;
    CString dumpFile;
};
