// The row of a libraries group.
#pragma once

#include "documentsmenu/records/group_record.h"

namespace DocumentsMenu {

class LibrariesGroupRecord : public GroupRecord<ILibrariesGroup> {
public:
    using GroupRecord::GroupRecord;

    virtual ILibrariesGroup* GetLibrariesGroup() const { return object(); }
    int GetIconId() override;

    static bool NameContains(ILibrariesGroup* group, const CString& filter);
    static bool MatchesSearch(ILibrariesGroup* group, const CString& filter, const DocumentsMenuDlg* window);

    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;
    CString GetName() override;
    bool SetName(const CString& value) override;
    CString GetPath() override;
    bool SetPath(const CString& value) override;
    void BeginRename() override;
};

// A group below a PDM configuration: PDM children, no drops.
class PDMLibrariesGroupRecord : public LibrariesGroupRecord {
public:
    using LibrariesGroupRecord::LibrariesGroupRecord;
    Record* CreateLibraryRecord(ILibrary* library) override;
    Record* CreateLibrariesGroupRecord(ILibrariesGroup* group) override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState) override;
};

}  // namespace DocumentsMenu
