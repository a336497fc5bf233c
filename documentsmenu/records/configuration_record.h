// The row of a library configuration in the configurations tree.
#pragma once

#include "documentsmenu/records/group_record.h"

namespace DocumentsMenu {

class ConfigurationRecord : public GroupRecord<IConfiguration> {
public:
    using GroupRecord::GroupRecord;

    IConfiguration* GetConfiguration() const { return object(); }
    int GetIconId() override;

    // The tests the views' own fills use.
    static bool NameContains(IConfiguration* configuration, const CString& filter);
    static bool MatchesFilterRecursive(IConfiguration* configuration, const CString& filter,
                                       const DocumentsMenuDlg* window);

    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;
    CString GetName() override;
    bool SetName(const CString& value) override;
    CString GetPath() override;
    bool SetPath(const CString& value) override;
    void OnSelected() override;
    void BeginRename() override;

    void ActiveChanged(IConfiguration* configuration) override;
    void PathChanged(IConfiguration* configuration) override;
    void Reloaded(IConfiguration* configuration) override;
    void ReloadedFromVarnel(IConfiguration* configuration) override;

private:
    void reload();
};

// A configuration that comes from the PDM system: its own icons, PDM children, no drops.
class PDMConfigurationRecord : public ConfigurationRecord {
public:
    using ConfigurationRecord::ConfigurationRecord;
    int GetIconId() override;
    Record* CreateLibraryRecord(ILibrary* library) override;
    Record* CreateLibrariesGroupRecord(ILibrariesGroup* group) override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState) override;
    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;
};

}  // namespace DocumentsMenu
