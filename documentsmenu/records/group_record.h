// What configuration and libraries-group rows share: a configuration is also a libraries group,
// and both rows list, add and refill their sub-groups and libraries alike.
#pragma once

#include "documentsmenu/group_rows.h"
#include "documentsmenu/records/model_record.h"

namespace DocumentsMenu {

// `Group` is IConfiguration or ILibrariesGroup (instantiated in group_record.cpp).
template <class Group>
class GroupRecord : public ModelRecord<Group> {
public:
    using ModelRecord<Group>::ModelRecord;

    virtual int GetIconId() = 0;
    virtual Record* CreateLibraryRecord(ILibrary* library);
    virtual Record* CreateLibrariesGroupRecord(ILibrariesGroup* group);

    void Init() override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState) override;
    bool OnDrop(COleDataObject* data, DROPEFFECT effect) override;
    void UpdateChildren(const CString& filter) override;

    void LibraryAdded(ILibrariesGroup* group, ILibrary* library) override;
    void LibrariesGroupAdded(ILibrariesGroup* group, ILibrariesGroup* added) override;
    void GroupNameChanged(ILibrariesGroup* group) override;
    void GroupRemoved(ILibrariesGroup* group) override;
    void GroupDestroyed(ILibrariesGroup* group) override;
    void LibrariesChanged(ILibrariesGroup* group) override;
    void GroupsChanged(ILibrariesGroup* group) override;

protected:
    // The group the model object is (a configuration's group base).
    ILibrariesGroup* group() const { return this->object(); }
    void refill();

    ReportRecordItem* nameItem_ = nullptr;
    CXTPReportRecordItem* pathItem_ = nullptr;

private:
    GroupChildRows childRows();
};

extern template class GroupRecord<IConfiguration>;
extern template class GroupRecord<ILibrariesGroup>;

}  // namespace DocumentsMenu
