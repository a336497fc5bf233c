// The flat list of the documents menu: every library of every open configuration, each with its
// configuration's name and its documents below it.
#pragma once

#include "documentsmenu/structure_base.h"

namespace DocumentsMenu {

class LibrariesList : public StructureBase {
public:
    explicit LibrariesList(DocumentsMenuDlg* window) : StructureBase(window) {}

    // Every library (excluded ones grey); with a filter only those whose name or documents match.
    void Fill(const CString& filter) override;
    void CreateColumns() override { AddColumns(true); }

    // A configuration added later lists only its libraries that are not excluded (unless
    // excluded objects are shown).
    void ConfigurationAdded(IConfiguration* configuration) override;
};

}  // namespace DocumentsMenu
