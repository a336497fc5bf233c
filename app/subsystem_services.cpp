// What the main frame serves every subsystem under it, handed on by the application so that the
// subsystems need not include the main frame.
#include "app/kvw32_app.h"
#include "mainframe/generate_dump_file_app_context.h"
#include "mainframe/help/help_links.h"
#include "mainframe/mdi/shell_folder_window.h"

bool CKvw32App::OnHelpLink(LPCWSTR url) { return ::OnHelpLink(url); }

void CKvw32App::ShowFileInFolderWindow(const CString& path) { ::ShowFileInFolderWindow(path); }

void CKvw32App::OpenFolderWindow(const CString& folder) { ::OpenFolderWindow(folder); }

std::unique_ptr<GenerateDumpFileContextBase> CKvw32App::CreateCrashDumpContext() {
    return std::make_unique<GenerateDumpFileAppContext>();
}
