// Proxies of the kernel's modules (the 3D part, the 2D annotation module): the stand-in records
// each call.
#pragma once

#include "platform/mfc.h"

// The 3D part of the kernel.
class CKVCom_Is3D {
public:
    static CKVCom_Is3D& Instance();
    // First start-up step (before the built-in commands are registered).
    static void OnStartup();
    // Second start-up step (after the recent-file list is read).
    static void OnStartupCompleted();

private:
    CKVCom_Is3D() = default;
};

// The 2D annotation module.
class AnnotateModuleProxy {
public:
    static AnnotateModuleProxy& Instance();
    // Opens a document through the kernel's document template; null when it cannot.
    static CDocument* OpenDocument(LPCWSTR path, int mode, int page, int flags);

private:
    AnnotateModuleProxy() = default;
};
