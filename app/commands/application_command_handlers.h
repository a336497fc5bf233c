// The handlers of the application command table: plain functions the kernel's command objects
// call. A document handler gets the active document (null when there is none), a system handler
// the command's argument; each returns nonzero when the command was carried out. Update handlers
// set the state of a command's user-interface item.
//
// Handlers without a frame to work in do nothing and answer 1, unless their rule says 0. The
// settings command is not built yet: it does nothing and answers 0.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

namespace AppCommands {

// Document handlers.
int OnDocumentClose(CKvw32Doc* document);
int OnDocumentSave(CKvw32Doc* document);
int OnDocumentSaveAs(CKvw32Doc* document);
int OnDocumentSaveCopy(CKvw32Doc* document);
int OnDocumentCheckLinks(CKvw32Doc* document);
int OnSelectVarnelMaterial(CKvw32Doc* document);

// System handlers.
int OnDocumentSaveAll(std::int64_t argument);
int OnDocumentOpen(std::int64_t argument);
int OnDocumentSetAccess(std::int64_t argument);
int OnWindowTileHorizontal(std::int64_t argument);
int OnWindowTileVertical(std::int64_t argument);
int OnWindowCascade(std::int64_t argument);
int OnWindowArrange(std::int64_t argument);
int OnNewMainWindow(std::int64_t argument);
int OnSettings(std::int64_t argument);
int OnApiReference(std::int64_t argument);
int OnLibraryConfigurationNew(std::int64_t argument);
int OnLibraryConfigurationOpen(std::int64_t argument);
int OnLibraryConfigurationSaveAll(std::int64_t argument);
int OnLibraryConfigurationCloseAll(std::int64_t argument);
int OnLibraryConfigurationEdit(std::int64_t argument);
int OnWindowOpenLibraryVarnel(std::int64_t argument);
int OnWindowOpenLibrary(std::int64_t argument);
int OnOpenFolderWindow(std::int64_t argument);
int OnWindowOpenVarnel(std::int64_t argument);
int OnManageApplications(std::int64_t argument);
int OnEditMaterials(std::int64_t argument);
int OnFeaHelp(std::int64_t argument);
int OnDynamicsHelp(std::int64_t argument);
int OnEnableAutoParameterization(std::int64_t argument);
int OnEnableAutoDimensions(std::int64_t argument);
int OnWindowStartPage(std::int64_t argument);
int OnCheckForUpdates(std::int64_t argument);
// Does nothing and answers 1: the id is taken and always succeeds.
int ReturnTrueStub(std::int64_t argument);

// The commands that draw in a sketch (the automatic sketching options follow them).
bool IsSketchDrawingCommand(UINT id);

// Update handlers.
void UpdateSelectVarnelMaterial(CKvw32Doc* document, CCmdUI* cmdUI);
void UpdateDocumentSetAccess(CCmdUI* cmdUI);
void UpdateLibraryConfigurationCommand(CCmdUI* cmdUI);
void UpdateFeaHelp(CCmdUI* cmdUI);
void UpdateDynamicsHelp(CCmdUI* cmdUI);
void UpdateEnableAutoParameterization(CCmdUI* cmdUI);
void UpdateEnableAutoDimensions(CCmdUI* cmdUI);

}  // namespace AppCommands
