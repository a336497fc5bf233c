#include "mainframe/generate_dump_file_app_context.h"

#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "services/application.h"

namespace {

constexpr int kPartnerCountry = 3;

BOOL HideChildWindow(HWND window, LPARAM) {
    ShowWindow(window, SW_HIDE);
    return TRUE;
}

}  // namespace

bool GenerateDumpFileAppContext::IsErrorHandled() const {
    const ApplicationServices* app = ApplicationServices::Instance();
    return app && (app->GetApplicationFlags() & kFlagErrorHandled) != 0;
}

void GenerateDumpFileAppContext::SetErrorHandled() {
    if (ApplicationServices* app = ApplicationServices::Instance()) app->SetApplicationFlag(kFlagErrorHandled);
}

void GenerateDumpFileAppContext::RequestRestart() {
    if (ApplicationServices* app = ApplicationServices::Instance()) app->SetApplicationFlag(kFlagRestartRequested);
}

void GenerateDumpFileAppContext::DisableDocumentSaving() {
    if (ApplicationServices* app = ApplicationServices::Instance()) app->SetApplicationFlag(kFlagDocumentsNotSaved);
}

CString GenerateDumpFileAppContext::GetWindowTitle() const {
    const ApplicationServices* app = ApplicationServices::Instance();
    return app ? KVLoadString(app->GetTitleStringId()) : CString();
}

CString GenerateDumpFileAppContext::GetProductName() const { return COUNTRY == kPartnerCountry ? L"VIEWER 3D" : L"Viewer"; }

void GenerateDumpFileAppContext::FreeResources() {
    UIModule::ResetCancellationWindow();
    GenerateDumpFileContextBase::FreeResources();
}

void GenerateDumpFileAppContext::Restart() {
    const ApplicationServices* services = ApplicationServices::Instance();
    if (!services || (services->GetApplicationFlags() & kFlagRestartRequested) == 0) return;
    // The registered application is the framework's one application object.
    CWinApp* app = AfxGetApp();
    if (!app) return;
    app->WriteProfileInt(L"ErrorRestore", L"Restart", 1);
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
    AllowSetForegroundWindow(process.dwProcessId);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    // The windows belong to the UI thread; from another thread (which ends the process next) they
    // are left to go with it.
    if (GetCurrentThreadId() != app->m_nThreadID) return;
    if (CWnd* mainWindow = app->GetMainWnd(); mainWindow && mainWindow->GetSafeHwnd()) {
        mainWindow->ShowWindow(SW_HIDE);
        EnumChildWindows(mainWindow->GetSafeHwnd(), &HideChildWindow, 0);
    }
}
