#include "app/commands/command_handler_bindings.h"

#include "app/commands/application_command_handlers.h"
#include "app/kvw32_app.h"
#include "app/commands/settings_profile_commands.h"
#include "auxiliary/support_dialog.h"

namespace CommandTables {
namespace {

int TechnicalSupport(std::int64_t) {
    RunSupportDialog();
    return 1;
}

}  // namespace

KVDocumentCommand::Handler DocumentHandler(AppHandler handler) {
    switch (handler) {
        case AppHandler::KernelNewWindow: return &new_window;
        case AppHandler::OnDocumentClose: return &AppCommands::OnDocumentClose;
        case AppHandler::OnDocumentSaveAs: return &AppCommands::OnDocumentSaveAs;
        case AppHandler::OnDocumentSaveCopy: return &AppCommands::OnDocumentSaveCopy;
        case AppHandler::OnDocumentSave: return &AppCommands::OnDocumentSave;
        case AppHandler::OnDocumentCheckLinks: return &AppCommands::OnDocumentCheckLinks;
        case AppHandler::OnSelectVarnelMaterial: return &AppCommands::OnSelectVarnelMaterial;
        default: return nullptr;
    }
}

KVDocumentCommand::UpdateHandler DocumentUpdateHandler(AppUpdateHandler handler) {
    switch (handler) {
        case AppUpdateHandler::UpdateSelectVarnelMaterial: return &AppCommands::UpdateSelectVarnelMaterial;
        default: return nullptr;
    }
}

KVSystemCommand::Handler SystemHandler(AppHandler handler) {
    using namespace AppCommands;
    switch (handler) {
        case AppHandler::TechnicalSupportRequest: return &TechnicalSupport;
        case AppHandler::OnDocumentSaveAll: return &AppCommands::OnDocumentSaveAll;
        case AppHandler::OnQuit: return &CKvw32App::OnQuit;
        case AppHandler::OnWindowTileHorizontal: return &AppCommands::OnWindowTileHorizontal;
        case AppHandler::OnWindowCascade: return &AppCommands::OnWindowCascade;
        case AppHandler::OnWindowArrange: return &AppCommands::OnWindowArrange;
        case AppHandler::OnWindowTileVertical: return &AppCommands::OnWindowTileVertical;
        case AppHandler::OnWindowCloseAll: return &CKvw32App::OnWindowCloseAll;
        case AppHandler::OnNewMainWindow: return &AppCommands::OnNewMainWindow;
        case AppHandler::OnDocumentOpen: return &AppCommands::OnDocumentOpen;
        case AppHandler::OnSettings: return &AppCommands::OnSettings;
        case AppHandler::OnApiReference: return &AppCommands::OnApiReference;
        case AppHandler::OnDocumentSetAccess: return &AppCommands::OnDocumentSetAccess;
        case AppHandler::OnLibraryConfigurationNew: return &AppCommands::OnLibraryConfigurationNew;
        case AppHandler::OnLibraryConfigurationOpen: return &AppCommands::OnLibraryConfigurationOpen;
        case AppHandler::OnWindowOpenLibraryVarnel: return &AppCommands::OnWindowOpenLibraryVarnel;
        case AppHandler::OnManageApplications: return &AppCommands::OnManageApplications;
        case AppHandler::OnEditMaterials: return &AppCommands::OnEditMaterials;
        case AppHandler::OnLibraryConfigurationSaveAll: return &AppCommands::OnLibraryConfigurationSaveAll;
        case AppHandler::OnLibraryConfigurationCloseAll: return &AppCommands::OnLibraryConfigurationCloseAll;
        case AppHandler::OnFeaHelp: return &AppCommands::OnFeaHelp;
        case AppHandler::OnDynamicsHelp: return &AppCommands::OnDynamicsHelp;
        case AppHandler::OnLibraryConfigurationEdit: return &AppCommands::OnLibraryConfigurationEdit;
        case AppHandler::OnWindowOpenLibrary: return &AppCommands::OnWindowOpenLibrary;
        case AppHandler::OnOpenFolderWindow: return &AppCommands::OnOpenFolderWindow;
        case AppHandler::OnWindowOpenVarnel: return &AppCommands::OnWindowOpenVarnel;
        case AppHandler::OnEnableAutoParameterization: return &AppCommands::OnEnableAutoParameterization;
        case AppHandler::OnEnableAutoDimensions: return &AppCommands::OnEnableAutoDimensions;
        case AppHandler::OnWindowStartPage: return &AppCommands::OnWindowStartPage;
        case AppHandler::ApplyProfile1: return &OnApplyProfile<0>;
        case AppHandler::ApplyProfile2: return &OnApplyProfile<1>;
        case AppHandler::ApplyProfile3: return &OnApplyProfile<2>;
        case AppHandler::ApplyProfile4: return &OnApplyProfile<3>;
        case AppHandler::ApplyProfile5: return &OnApplyProfile<4>;
        case AppHandler::ApplyProfile6: return &OnApplyProfile<5>;
        case AppHandler::ApplyProfile7: return &OnApplyProfile<6>;
        case AppHandler::ApplyProfile8: return &OnApplyProfile<7>;
        case AppHandler::ApplyProfile9: return &OnApplyProfile<8>;
        case AppHandler::ApplyProfile10: return &OnApplyProfile<9>;
        case AppHandler::ResetSettings: return &AppCommands::OnResetSettings;
        case AppHandler::ProfilesPage: return &AppCommands::OnProfiles;
        case AppHandler::ReturnTrueStub: return &AppCommands::ReturnTrueStub;
        case AppHandler::OnCheckForUpdates: return &AppCommands::OnCheckForUpdates;
        default: return nullptr;
    }
}

KVSystemCommand::UpdateHandler SystemUpdateHandler(AppUpdateHandler handler) {
    switch (handler) {
        case AppUpdateHandler::UpdateDocumentSetAccess: return &AppCommands::UpdateDocumentSetAccess;
        case AppUpdateHandler::UpdateLibraryConfigurationCommand: return &AppCommands::UpdateLibraryConfigurationCommand;
        case AppUpdateHandler::UpdateFeaHelp: return &AppCommands::UpdateFeaHelp;
        case AppUpdateHandler::UpdateDynamicsHelp: return &AppCommands::UpdateDynamicsHelp;
        case AppUpdateHandler::UpdateEnableAutoParameterization: return &AppCommands::UpdateEnableAutoParameterization;
        case AppUpdateHandler::UpdateEnableAutoDimensions: return &AppCommands::UpdateEnableAutoDimensions;
        case AppUpdateHandler::ProfileGalleryUpdate: return &AppCommands::UpdateProfileGallery;
        default: return nullptr;
    }
}

}  // namespace CommandTables
