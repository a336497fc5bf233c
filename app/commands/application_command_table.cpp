// The commands whose handlers live in the shell, in registration order.
#include <array>

#include "app/commands/command_table_data.h"

namespace CommandTables {
namespace {

using enum HandlerKind;
using enum AppHandler;
using enum AppUpdateHandler;

constexpr AppCommandEntry kApplicationCommands[] = {
    {L"TechnicalSupport", 1048, System, TechnicalSupportRequest, NoUpdate, 0x3BF, 1048, 0x10},
    {L"DocumentSaveAll", 1201, System, OnDocumentSaveAll, NoUpdate, 0x3BF, 1201, 0x0},
    {L"Quit", 1019, System, OnQuit, NoUpdate, 0x3BF, 1019, 0x10},
    {{}, 57665, System, OnQuit, NoUpdate, 0x3BF, 57665, 0x10},
    {L"WindowTileHorizontal", 1062, System, OnWindowTileHorizontal, NoUpdate, 0x3BF, 1062, 0x8},
    {L"WindowCascade", 1063, System, OnWindowCascade, NoUpdate, 0x3BF, 1063, 0x8},
    {{}, 57649, System, OnWindowArrange, NoUpdate, 0x3BF, 57649, 0x8},
    {L"WindowTileVertical", 1092, System, OnWindowTileVertical, NoUpdate, 0x3BF, 1092, 0x8},
    {L"WindowCloseAll", 1204, System, OnWindowCloseAll, NoUpdate, 0x3BF, 1204, 0x0},
    {L"WindowOpen", 1059, Document, KernelNewWindow, NoUpdate, 0x3BF, 1059, 0x8},
    {L"NewMainWindow", 2046, System, OnNewMainWindow, NoUpdate, 0x3BF, 2046, 0x18},
    {L"DocumentClose", 1200, Document, OnDocumentClose, NoUpdate, 0x3BF, 1200, 0x0},
    {L"DocumentSaveAs", 1093, Document, OnDocumentSaveAs, NoUpdate, 0x3BF, 1093, 0x0},
    {L"DocumentSaveCopy", 2054, Document, OnDocumentSaveCopy, NoUpdate, 0x3BF, 2054, 0x0},
    {L"DocumentOpen", 1001, System, OnDocumentOpen, NoUpdate, 0x3BF, 1001, 0x0},
    {{}, 57601, System, OnDocumentOpen, NoUpdate, 0x3BF, 57601, 0x0},
    {L"DocumentSave", 1029, Document, OnDocumentSave, NoUpdate, 0x3BF, 1029, 0x0},
    {L"Settings", 1111, System, OnSettings, NoUpdate, 0x3BF, 1111, 0x10},
    {L"WindowFullScreen", 1254, Plain, None, NoUpdate, 0x3BF, 1254, 0x10},
    {L"WindowPresentation", 2814, Plain, None, NoUpdate, 0x3BF, 2814, 0x10},
    {{}, 1053, Document, OnDocumentCheckLinks, NoUpdate, 0x3BF, 1053, 0x8},
    {L"APIReference", 1763, System, OnApiReference, NoUpdate, 0x23F, 1763, 0x18},
    {L"DocumentSetAccess", 1045, System, OnDocumentSetAccess, UpdateDocumentSetAccess, 0x3BF, 1045, 0x1},
    {L"LibraryConfigurationNew", 1119, System, OnLibraryConfigurationNew, NoUpdate, 0x3BF, 1119, 0x0},
    {L"LibraryConfigurationOpen", 1109, System, OnLibraryConfigurationOpen, NoUpdate, 0x3BF, 1109, 0x0},
    {L"WindowOpenLibraryVarnel", 9101, System, OnWindowOpenLibraryVarnel, NoUpdate, 0x3BF, 9101, 0x30},
    {L"SelectVarnelMaterial", 9131, Document, OnSelectVarnelMaterial, UpdateSelectVarnelMaterial, 0x23F, 9131, 0x21},
    {{}, 1110, Plain, None, NoUpdate, 0x3BF, 1110, 0x10},
    {L"WindowShowVarnelArchives", 787, Plain, None, NoUpdate, 0x3BF, 787, 0x30},
    {L"WindowShowVarnelDesktop", 788, Plain, None, NoUpdate, 0x3BF, 788, 0x30},
    {L"WindowShowVarnelFavorites", 789, Plain, None, NoUpdate, 0x3BF, 789, 0x30},
    {L"WindowShowVarnelSearch", 791, Plain, None, NoUpdate, 0x3BF, 791, 0x30},
    {L"WindowShowVarnelAssembly", 814, Plain, None, NoUpdate, 0x3BF, 814, 0x30},
    {L"WindowShowVarnelMail", 798, Plain, None, NoUpdate, 0x3BF, 798, 0x30},
    {L"WindowShowVarnelConfigurationSettings", 819, Plain, None, NoUpdate, 0x3BF, 819, 0x30},
    {L"WindowShowVarnelLibraryElements", 825, Plain, None, NoUpdate, 0x3BF, 825, 0x30},
    {L"ManageApplications", 1258, System, OnManageApplications, NoUpdate, 0x3BF, 1258, 0x10},
    {L"EditMaterials", 1220, System, OnEditMaterials, NoUpdate, 0x3BF, 1220, 0x18},
    {L"LibraryConfigurationSaveAll", 1139, System,
      OnLibraryConfigurationSaveAll, UpdateLibraryConfigurationCommand, 0x3BF, 1139, 0x0},
    {L"LibraryConfigurationCloseAll", 1127, System,
      OnLibraryConfigurationCloseAll, UpdateLibraryConfigurationCommand, 0x3BF, 1127, 0x0},
    {L"FEAHelp", 1205, System, OnFeaHelp, UpdateFeaHelp, 0x3BF, 1205, 0x8},
    {L"DynamicsHelp", 1996, System, OnDynamicsHelp, UpdateDynamicsHelp, 0x3BF, 1996, 0x8},
    {L"LibraryConfigurationEdit", 1249, System, OnLibraryConfigurationEdit, NoUpdate, 0x3BF, 1249, 0x0},
    {L"WindowOpenLibrary", 1243, System, OnWindowOpenLibrary, NoUpdate, 0x3BF, 1243, 0x0},
    {L"OpenFolderWindow", 1244, System, OnOpenFolderWindow, NoUpdate, 0x3BF, 1244, 0x0},
    {L"WindowOpenVarnel", 2003, System, OnWindowOpenVarnel, NoUpdate, 0x3BF, 2003, 0x30},
    {L"EnableAutoParameterization", 1965, System,
      OnEnableAutoParameterization, UpdateEnableAutoParameterization, 0x3BF, 1965, 0x8},
    {L"EnableAutoDimensions", 2935, System, OnEnableAutoDimensions, UpdateEnableAutoDimensions, 0x3BF, 2935, 0x8},
    {L"WindowStartPage", 1068, System, OnWindowStartPage, NoUpdate, 0x3BF, 1068, 0x10},
    {L"WindowShowBEV", 782, Plain, None, NoUpdate, 0x3BF, 782, 0x10},
    {L"WindowShowDrawingMenu", 783, Plain, None, NoUpdate, 0x3BF, 783, 0x10},
    {L"WindowShowErrors", 784, Plain, None, NoUpdate, 0x3BF, 784, 0x10},
    {L"WindowShowVariables", 786, Plain, None, NoUpdate, 0x3BF, 786, 0x10},
    {L"WindowShowModelTree", 785, Plain, None, NoUpdate, 0x3BF, 785, 0x10},
    {L"WindowShowMaterials", 794, Plain, None, NoUpdate, 0x3BF, 794, 0x10},
    {L"WindowShowProperties", 811, Plain, None, NoUpdate, 0x3BF, 811, 0x10},
    {L"WindowShowWeld", 813, Plain, None, NoUpdate, 0x3BF, 813, 0x10},
    {L"WindowShowStructure", 793, Plain, None, NoUpdate, 0x3BF, 793, 0x10},
    {L"WindowShowModelElements", 795, Plain, None, NoUpdate, 0x3BF, 795, 0x10},
    {L"WindowShowAssemblyStructure", 796, Plain, None, NoUpdate, 0x3BF, 796, 0x10},
    {L"WindowShowConfigurations", 816, Plain, None, NoUpdate, 0x3BF, 816, 0x10},
    {L"WindowShowFormFactors", 821, Plain, None, NoUpdate, 0x3BF, 821, 0x10},
    {L"EditTitleBlockDocumentNotes", 823, Plain, None, NoUpdate, 0x3BF, 823, 0x10},
    {L"ToggleDockingPanesLock", 903, Plain, None, NoUpdate, 0x3BF, 903, 0x10},
    {L"ToggleAutoMenu", 800, Plain, None, NoUpdate, 0x3BF, 800, 0x0},
    {L"ToggleStatusBar", 801, Plain, None, NoUpdate, 0x3BF, 801, 0x0},
    {L"ToggleDocumentTabs", 805, Plain, None, NoUpdate, 0x3BF, 805, 0x0},
    {L"ToggleSystemPanel", 802, Plain, None, NoUpdate, 0x3BF, 802, 0x0},
    {L"ToggleRulers", 803, Plain, None, NoUpdate, 0x3BF, 803, 0x0},
    {L"TogglePageTabs", 804, Plain, None, NoUpdate, 0x3BF, 804, 0x0},
    {L"ToggleMainToolBar", 807, Plain, None, NoUpdate, 0x3BF, 807, 0x0},
    {L"ApplyProfile1", 1190, System, ApplyProfile1, ProfileGalleryUpdate, 0x3BF, 1190, 0x0},
    {L"ApplyProfile2", 1191, System, ApplyProfile2, ProfileGalleryUpdate, 0x3BF, 1191, 0x0},
    {L"ApplyProfile3", 1192, System, ApplyProfile3, ProfileGalleryUpdate, 0x3BF, 1192, 0x0},
    {L"ApplyProfile4", 1193, System, ApplyProfile4, ProfileGalleryUpdate, 0x3BF, 1193, 0x0},
    {L"ApplyProfile5", 1194, System, ApplyProfile5, ProfileGalleryUpdate, 0x3BF, 1194, 0x0},
    {L"ApplyProfile6", 1195, System, ApplyProfile6, ProfileGalleryUpdate, 0x3BF, 1195, 0x0},
    {L"ApplyProfile7", 1196, System, ApplyProfile7, ProfileGalleryUpdate, 0x3BF, 1196, 0x0},
    {L"ApplyProfile8", 1197, System, ApplyProfile8, ProfileGalleryUpdate, 0x3BF, 1197, 0x0},
    {L"ApplyProfile9", 1198, System, ApplyProfile9, ProfileGalleryUpdate, 0x3BF, 1198, 0x0},
    {L"ApplyProfile10", 1199, System, ApplyProfile10, ProfileGalleryUpdate, 0x3BF, 1199, 0x0},
    {L"ResetSettings", 1060, System, ResetSettings, NoUpdate, 0x3BF, 1060, 0x0},
    {L"Profiles", 1061, System, ProfilesPage, NoUpdate, 0x3BF, 1061, 0x0},
    {{}, 2085, System, ReturnTrueStub, NoUpdate, 0x3BF, 2085, 0x10},
    {L"CheckForUpdates", 2110, System, OnCheckForUpdates, NoUpdate, 0x3BF, 2110, 0x10},
};

constexpr CommandRange kApplicationCommandRanges[] = {
    {700, 749, 0x8},
    {3401, 3449, 0x18},
    {65000, 65049, 0x18},
};

static_assert(std::size(kApplicationCommands) == 85);

}  // namespace

std::span<const AppCommandEntry> ApplicationCommands() { return kApplicationCommands; }

std::span<const CommandRange> ApplicationCommandRanges() { return kApplicationCommandRanges; }

}  // namespace CommandTables
