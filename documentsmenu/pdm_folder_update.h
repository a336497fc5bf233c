// The PDM system's update of a library's folder: what the Update action does for each library it
// is given, and what a PDM library row does before it lists its documents.
#pragma once

#include "platform/kernel.h"

namespace DocumentsMenu {

// Brings the local copies of the library's folder up to date when the work mix manages the
// folder; nothing for a library without a folder. The PDM system's exception passes to the
// caller, which decides whether the work goes on.
void UpdateLibraryFolderFromPdm(KVPDMWorkMix& workMix, ILibrary* library);

}  // namespace DocumentsMenu
