#include "documentsmenu/pdm_folder_update.h"

#include <memory>

namespace DocumentsMenu {

namespace {

struct ItemRelease {
    void operator()(KVPDMItem* item) const { item->Release(); }
};

}  // namespace

void UpdateLibraryFolderFromPdm(KVPDMWorkMix& workMix, ILibrary* library) {
    const CString folder = library ? GetLibraryAbsolutePath(library) : CString();
    if (folder.IsEmpty()) return;
    const std::unique_ptr<KVPDMItem, ItemRelease> found(workMix.FindFolder(SharedPathName(folder)));
    if (!found) return;
    const bool localCopies = GetSettings().files.pdmLocalFiles == 1;
    // The update names no item of its own: only the local-copies choice goes with it.
    found->Update(false, localCopies);
}

}  // namespace DocumentsMenu
