// The application command table's handlers that belong to the application object itself.
#include "app/kvw32_app.h"

int CKvw32App::OnQuit(std::int64_t) {
    CKvw32App* app = Instance();
    if (!app) return 0;
    if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance()) kernel->TerminateAllCommands(nullptr, true);
    if (!app->SaveAllModified()) return 0;
    if (!ApplicationManager::CanExitApplication()) return 0;
    app->SaveOpenDocumentsList();
    app->RequestExit();
    return 1;
}

int CKvw32App::OnWindowCloseAll(std::int64_t) {
    if (CKvw32App* app = Instance(); app && app->SaveAllModified()) app->CloseAllDocuments(FALSE);
    return 1;
}
