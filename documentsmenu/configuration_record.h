// The row of a library configuration in the configurations tree.
#pragma once

#include "documentsmenu/group_rows.h"
#include "documentsmenu/record.h"
#include "documentsmenu/record_items.h"

namespace DocumentsMenu {

class ConfigurationRecord : public Record, public IConfiguration::IClient {
public:
    explicit ConfigurationRecord(IConfiguration* configuration) : configuration_(configuration) {}
    ~ConfigurationRecord() override;

    IConfiguration* GetConfiguration() const { return configuration_; }
    virtual int GetIconId();
    virtual Record* CreateLibraryRecord(ILibrary* library);
    virtual Record* CreateLibrariesGroupRecord(ILibrariesGroup* group);

    // The tests the views' own fills use.
    static bool NameContains(IConfiguration* configuration, const CString& filter);
    static bool MatchesFilterRecursive(IConfiguration* configuration, const CString& filter,
                                       const DocumentsMenuDlg* window);

    void Init() override;
    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;
    CString GetName() override;
    bool SetName(const CString& value) override;
    CString GetPath() override;
    bool SetPath(const CString& value) override;
    CString GetAuthor() override;
    bool SetAuthor(const CString& value) override;
    CString GetCompany() override;
    bool SetCompany(const CString& value) override;
    CString GetComment() override;
    bool SetComment(const CString& value) override;
    void OnSelected() override;
    void BeginDragSelection(const std::vector<Record*>& selection) override;
    void BeginDrag() override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState) override;
    bool OnDrop(COleDataObject* data, DROPEFFECT effect) override;
    void BeginRename() override;
    void SetHidden(bool hidden) override;
    bool IsHidden() override;
    void UpdateChildren(const CString& filter) override;

    // The model's notifications.
    void LibraryAdded(ILibrariesGroup* group, ILibrary* library) override;
    void LibrariesGroupAdded(ILibrariesGroup* group, ILibrariesGroup* added) override;
    void GroupNameChanged(ILibrariesGroup* group) override;
    void GroupRemoved(ILibrariesGroup* group) override;
    void GroupDestroyed(ILibrariesGroup* group) override;
    void LibrariesChanged(ILibrariesGroup* group) override;
    void GroupsChanged(ILibrariesGroup* group) override;
    void ActiveChanged(IConfiguration* configuration) override;
    void PathChanged(IConfiguration* configuration) override;
    void Reloaded(IConfiguration* configuration) override;
    void ReloadedFromVarnel(IConfiguration* configuration) override;

protected:
    void OnExpandedChanged(bool expanded) override;

private:
    ILibrariesGroup* group() const { return configuration_; }
    GroupChildRows childRows();
    void refill();
    void reload();

    ReportRecordItem* nameItem_ = nullptr;
    CXTPReportRecordItem* pathItem_ = nullptr;
    IConfiguration* configuration_;
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
