#include "documentsmenu/clipart_opener.h"

#include "documentsmenu/browser/folder_listing.h"

namespace DocumentsMenu {

namespace {

ClipartOpener& opener() {
    static ClipartOpener installed;
    return installed;
}

}  // namespace

void SetClipartOpener(ClipartOpener installed) { opener() = std::move(installed); }

const ClipartOpener& GetClipartOpener() { return opener(); }

bool OpenLibraryClipart(ILibrary* library, const POINT* point) {
    return library && opener().openLibrary && opener().openLibrary(library, point);
}

bool OpenLibrariesGroupClipart(ILibrariesGroup* group, const POINT* point) {
    return group && opener().openLibrariesGroup && opener().openLibrariesGroup(group, point);
}

// A folder icon's path ends in a backslash; the pane and its saved layout name the folder without.
bool OpenFolderClipart(const CString& folder) {
    return !folder.IsEmpty() && opener().openFolder && opener().openFolder(FolderPathWithoutSeparator(folder));
}

bool LoadActiveFrameLibraryFragmentButtons(ILibrary* library) {
    return library && opener().loadLibraryFragmentButtons && opener().loadLibraryFragmentButtons(library);
}

}  // namespace DocumentsMenu
