// The configurations tree of the documents menu: one top row per configuration of the global
// group, each filling its rows as the user expands it.
#pragma once

#include <memory>

#include "documentsmenu/structure_base.h"

namespace DocumentsMenu {

class TreeView : public StructureBase, public IConfigurationsGroup::IClient {
public:
    explicit TreeView(DocumentsMenuDlg* window);
    ~TreeView() override;

    // The control's window below `parent` (a top-level window without one), its columns, and
    // the rows of the configurations open now.
    using CXTPReportControl::Create;
    BOOL Create(CWnd* parent, UINT id);
    // The columns and rows without a window (what Create does after making it).
    void Open();
    // Rebuilds the top rows from the global group, each expanded as the window remembers.
    void Fill();

    void ConfigurationAdded(IConfiguration* configuration) override;
    void ConfigurationsChanged() override;
    void BeginUpdate() override;
    void EndUpdate() override;

private:
    void addConfigurationRow(IConfiguration* configuration);

    Korvo::UI::CachingImageManager images_;
    bool listening_ = false;
};

}  // namespace DocumentsMenu
