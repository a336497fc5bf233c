// What the rows of configurations, libraries groups and libraries share: the model object they
// stand for and observe (forgotten once the model destroys it), its texts, and the window's view
// state for it.
#pragma once

#include "documentsmenu/records/record.h"
#include "documentsmenu/records/record_icons.h"
#include "documentsmenu/records/record_items.h"

namespace DocumentsMenu {

template <class Object>
class ModelRecord : public Record, public Object::IClient {
public:
    explicit ModelRecord(Object* object) : object_(object) {}
    // A destroyed object is not touched, not even to unregister.
    ~ModelRecord() override {
        if (object_) object_->RemoveClient(this);
    }

    CString GetAuthor() override { return object_ ? object_->GetAuthor() : CString(); }
    CString GetCompany() override { return object_ ? object_->GetCompany() : CString(); }
    CString GetComment() override { return object_ ? object_->GetComment() : CString(); }
    // False once the object is gone.
    bool SetAuthor(const CString& value) override {
        if (!object_) return false;
        object_->SetAuthor(value);
        return true;
    }
    bool SetCompany(const CString& value) override {
        if (!object_) return false;
        object_->SetCompany(value);
        return true;
    }
    bool SetComment(const CString& value) override {
        if (!object_) return false;
        object_->SetComment(value);
        return true;
    }

    // Groups and libraries show themselves under a wait cursor: the browser lists a folder.
    void OnSelected() override {
        DocumentsMenuDlg* window = GetWindow();
        if (!window) return;
        BeginWaitCursor();
        window->ShowInBrowser(object_);
        EndWaitCursor();
    }
    void BeginDragSelection(const std::vector<Record*>&) override {}
    void BeginDrag() override {}

    void SetHidden(bool hidden) override {
        if (DocumentsMenuDlg* window = GetWindow()) window->SetHidden(object_, hidden);
    }
    bool IsHidden() override {
        const DocumentsMenuDlg* window = GetWindow();
        return window && window->IsHidden(object_);
    }

protected:
    Object* object() const { return object_; }
    void forgetObject() { object_ = nullptr; }
    // Once, from Init: the row follows its object from then on.
    void observeObject() {
        if (object_) object_->AddClient(this);
    }

    void OnExpandedChanged(bool expanded) override {
        if (DocumentsMenuDlg* window = GetWindow()) window->SetExpanded(object_, expanded);
    }

    // The Author, Company, Comment and Visible cells, in column order after the Path cell.
    void AddDescriptionCells() {
        AddItem(new ReportRecordItem(new RecordAuthorEditor(this), nullptr));
        AddItem(new ReportRecordItem(new RecordCompanyEditor(this), nullptr));
        AddItem(new ReportRecordItem(new RecordCommentEditor(this), nullptr));
        AddItem(new ReportRecordIconItem(kIconShown, kIconHidden));
    }

    // The removed notification: the row leaves its parent; its control is taken first.
    void DeleteSelf() {
        CXTPReportControl* control = GetControl();
        Delete();
        Korvo::UI::ReportControl::Populate(control);
    }

private:
    Object* object_;
};

}  // namespace DocumentsMenu
