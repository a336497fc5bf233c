// How a text cell reads and writes its one property of the row.
#pragma once

#include "documentsmenu/records/record.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class IRecordTextValueEditor {
public:
    // False when the row refuses the value.
    virtual bool SetValue(const CString& value) = 0;
    virtual CString GetValue() = 0;
    virtual ~IRecordTextValueEditor() = default;
};

// One editor per property, each forwarding to the row's Get/Set pair of that property.
template <CString (Record::*Get)(), bool (Record::*Set)(const CString&)>
class RecordPropertyEditor : public IRecordTextValueEditor {
public:
    explicit RecordPropertyEditor(Record* record) : record_(record) {}
    bool SetValue(const CString& value) override { return (record_->*Set)(value); }
    CString GetValue() override { return (record_->*Get)(); }

private:
    Record* record_;
};

class RecordNameEditor : public RecordPropertyEditor<&Record::GetName, &Record::SetName> {
    using RecordPropertyEditor::RecordPropertyEditor;
};
class RecordPathEditor : public RecordPropertyEditor<&Record::GetPath, &Record::SetPath> {
    using RecordPropertyEditor::RecordPropertyEditor;
};
class RecordAuthorEditor : public RecordPropertyEditor<&Record::GetAuthor, &Record::SetAuthor> {
    using RecordPropertyEditor::RecordPropertyEditor;
};
class RecordCompanyEditor : public RecordPropertyEditor<&Record::GetCompany, &Record::SetCompany> {
    using RecordPropertyEditor::RecordPropertyEditor;
};
class RecordCommentEditor : public RecordPropertyEditor<&Record::GetComment, &Record::SetComment> {
    using RecordPropertyEditor::RecordPropertyEditor;
};

}  // namespace DocumentsMenu
