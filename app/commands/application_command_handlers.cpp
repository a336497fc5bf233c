#include "app/commands/application_command_handlers.h"

#include "app/kvw32_app.h"

namespace AppCommands {

int OnDocumentClose(CKvw32Doc*) { return 0; }
int OnDocumentSave(CKvw32Doc*) { return 0; }
int OnDocumentSaveAs(CKvw32Doc*) { return 0; }
int OnDocumentSaveCopy(CKvw32Doc*) { return 0; }
int OnDocumentCheckLinks(CKvw32Doc*) { return 0; }
int OnSelectVarnelMaterial(CKvw32Doc*) { return 0; }

int OnDocumentSaveAll(std::int64_t) { return 0; }
int OnDocumentOpen(std::int64_t) {
    // The framework's File Open: the file chooser, then the application's opener.
    if (CKvw32App* app = CKvw32App::Instance()) app->OnFileOpen();
    return 1;
}
int OnDocumentSetAccess(std::int64_t) { return 0; }
int OnWindowTileHorizontal(std::int64_t) { return 0; }
int OnWindowTileVertical(std::int64_t) { return 0; }
int OnWindowCascade(std::int64_t) { return 0; }
int OnWindowArrange(std::int64_t) { return 0; }
int OnNewMainWindow(std::int64_t) { return 0; }
int OnSettings(std::int64_t) { return 0; }
int OnApiReference(std::int64_t) { return 0; }
int OnLibraryConfigurationNew(std::int64_t) { return 0; }
int OnLibraryConfigurationOpen(std::int64_t) { return 0; }
int OnLibraryConfigurationSaveAll(std::int64_t) { return 0; }
int OnLibraryConfigurationCloseAll(std::int64_t) { return 0; }
int OnLibraryConfigurationEdit(std::int64_t) { return 0; }
int OnWindowOpenLibraryVarnel(std::int64_t) { return 0; }
int OnWindowOpenLibrary(std::int64_t) { return 0; }
int OnOpenFolderWindow(std::int64_t) { return 0; }
int OnWindowOpenVarnel(std::int64_t) { return 0; }
int OnManageApplications(std::int64_t) { return 0; }
int OnEditMaterials(std::int64_t) { return 0; }
int OnFeaHelp(std::int64_t) { return 0; }
int OnDynamicsHelp(std::int64_t) { return 0; }
int OnEnableAutoParameterization(std::int64_t) { return 0; }
int OnEnableAutoDimensions(std::int64_t) { return 0; }
int OnWindowStartPage(std::int64_t) { return 0; }
int OnCheckForUpdates(std::int64_t) { return 0; }
int ReturnTrueStub(std::int64_t) { return 1; }

void UpdateSelectVarnelMaterial(CKvw32Doc*, CCmdUI*) {}
void UpdateDocumentSetAccess(CCmdUI*) {}
void UpdateLibraryConfigurationCommand(CCmdUI*) {}
void UpdateFeaHelp(CCmdUI*) {}
void UpdateDynamicsHelp(CCmdUI*) {}
void UpdateEnableAutoParameterization(CCmdUI*) {}
void UpdateEnableAutoDimensions(CCmdUI*) {}

}  // namespace AppCommands
