// The application's crash-dump context: while one is alive on a thread's stack, a crash on that
// thread is reported through it. It gives the crash reporter the product's name and title, keeps
// the application's crash flags and restarts the program when the user asked for it.
#pragma once

#include "platform/diagnostics.h"

class GenerateDumpFileAppContext : public GenerateDumpFileContextBase {
public:
    // Application flag bits the crash reporter sets.
    static constexpr unsigned char kFlagErrorHandled = 0x1;
    static constexpr unsigned char kFlagRestartRequested = 0x2;
    static constexpr unsigned char kFlagDocumentsNotSaved = 0x4;

    GenerateDumpFileAppContext() = default;

    bool IsErrorHandled() const override;
    void SetErrorHandled() override;
    void RequestRestart() override;
    void DisableDocumentSaving() override;
    CString GetWindowTitle() const override;
    // "VIEWER 3D" for the partner edition (country 3), else "Viewer".
    CString GetProductName() const override;
    void FreeResources() override;
    // Only when a restart was requested: "ErrorRestore" "Restart" := 1, the program started again,
    // and every window of this run hidden.
    void Restart() override;
};
