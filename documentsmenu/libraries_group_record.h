// The row of a libraries group.
#pragma once

#include "documentsmenu/group_rows.h"
#include "documentsmenu/record.h"
#include "documentsmenu/record_items.h"

namespace DocumentsMenu {

class LibrariesGroupRecord : public Record, public ILibrariesGroup::IClient {
public:
    explicit LibrariesGroupRecord(ILibrariesGroup* group) : group_(group) {}
    ~LibrariesGroupRecord() override;

    virtual ILibrariesGroup* GetLibrariesGroup() const { return group_; }
    virtual int GetIconId();
    virtual Record* CreateLibraryRecord(ILibrary* library);
    virtual Record* CreateLibrariesGroupRecord(ILibrariesGroup* group);

    static bool NameContains(ILibrariesGroup* group, const CString& filter);
    static bool MatchesSearch(ILibrariesGroup* group, const CString& filter, const DocumentsMenuDlg* window);

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

    void LibraryAdded(ILibrariesGroup* group, ILibrary* library) override;
    void LibrariesGroupAdded(ILibrariesGroup* group, ILibrariesGroup* added) override;
    void GroupNameChanged(ILibrariesGroup* group) override;
    void GroupRemoved(ILibrariesGroup* group) override;
    void GroupDestroyed(ILibrariesGroup* group) override;
    void LibrariesChanged(ILibrariesGroup* group) override;
    void GroupsChanged(ILibrariesGroup* group) override;

protected:
    void OnExpandedChanged(bool expanded) override;

private:
    GroupChildRows childRows();
    void refill();

    ReportRecordItem* nameItem_ = nullptr;
    ILibrariesGroup* group_;
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
