// The harness's hand on the kernel's documents-menu model: changes it as the kernel would (every
// change goes through the model's own operations, so the shell's clients are notified as they
// would be by the real kernel) and prints it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/kernel/documentsmenu/documents_menu.h"

namespace platform::harness {

class DocumentsMenuModel {
public:
    // A configuration saved to `path` (a small file) and added to the global group; null when
    // the file cannot be written or a configuration with that path is open.
    DocumentsMenu::IConfiguration* addConfiguration(std::wstring_view path, std::wstring_view name);
    // A group or library added below `parent` (a configuration is a group); the library's folder
    // is created when missing. Null when the model refuses.
    DocumentsMenu::ILibrariesGroup* addGroup(DocumentsMenu::ILibrariesGroup* parent, std::wstring_view name);
    DocumentsMenu::ILibrary* addLibrary(DocumentsMenu::ILibrariesGroup* parent, std::wstring_view name,
                                        std::wstring_view path);
    // Removes a library from its group and destroys it.
    void removeLibrary(DocumentsMenu::ILibrary* library);
    // The kernel re-read the folder: the library's clients hear "contents changed".
    void contentsChanged(DocumentsMenu::ILibrary* library);
    // Excluded objects stay in the model; the parent's clients hear that its children changed.
    void setExcluded(DocumentsMenu::ILibrariesGroup* group, bool excluded);
    void setExcluded(DocumentsMenu::ILibrary* library, bool excluded);
    void setInstalledConfigurations(std::vector<std::pair<std::wstring, std::wstring>> namesAndPaths);
    // The next folder chooser (the kernel's SelectFolders) answers with this folder, or is
    // cancelled when none is given.
    void answerFolderChooser(std::optional<std::wstring> folder);
    // Finds objects by display name (first in model order), null when none.
    DocumentsMenu::IConfiguration* configuration(std::wstring_view name) const;
    DocumentsMenu::ILibrariesGroup* group(std::wstring_view name) const;
    DocumentsMenu::ILibrary* library(std::wstring_view name) const;
    // The global group as an indented tree: one line per object, kind, "name", path, flags.
    std::wstring dump() const;
};

}  // namespace platform::harness
