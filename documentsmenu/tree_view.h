// The configurations tree of the documents menu: one top row per configuration of the global
// group, each filling its rows as the user expands it.
#pragma once

#include "documentsmenu/structure_base.h"

namespace DocumentsMenu {

class TreeView : public StructureBase {
public:
    explicit TreeView(DocumentsMenuDlg* window) : StructureBase(window) {}

    // Rebuilds the top rows from the global group, each expanded as the window remembers (or, with
    // a filter, only configurations with something that matches, opened down to the matches).
    void Fill(const CString& filter) override;
    // Without a filter.
    void Fill() { Fill(CString()); }
    void CreateColumns() override { AddColumns(false); }

    void ConfigurationAdded(IConfiguration* configuration) override;

private:
    Record* addConfigurationRow(IConfiguration* configuration);
};

}  // namespace DocumentsMenu
