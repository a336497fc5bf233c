// The row of a document of a library: the library row makes it with the document's file name.
#pragma once

#include "documentsmenu/record.h"
#include "documentsmenu/record_items.h"

namespace DocumentsMenu {

class DocumentRecord : public Record {
public:
    DocumentRecord(ILibrary* library, const CString& name) : library_(library), name_(name) {}

    virtual void SetDocumentName(const CString& name);
    const CString& GetDocumentName() const { return name_; }
    // The library was destroyed: the row stays until its library row goes.
    void ForgetLibrary();

    void Init() override;
    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;
    CString GetName() override { return name_; }
    bool SetName(const CString& value) override;
    // The full path of the document.
    CString GetPath() override;
    bool SetPath(const CString&) override { return false; }
    CString GetAuthor() override { return CString(); }
    bool SetAuthor(const CString&) override { return false; }
    CString GetCompany() override { return CString(); }
    bool SetCompany(const CString&) override { return false; }
    CString GetComment() override { return CString(); }
    bool SetComment(const CString&) override { return false; }
    void OnSelected() override {}
    void BeginDragSelection(const std::vector<Record*>&) override {}
    void BeginDrag() override {}
    DROPEFFECT OnDragOver(COleDataObject*, DWORD) override { return 0; }
    bool OnDrop(COleDataObject*, DROPEFFECT) override { return false; }
    void BeginRename() override;
    void SetHidden(bool hidden) override;
    bool IsHidden() override;
    // Documents have no children.
    void UpdateChildren(const CString&) override { SetChildrenFilled(true); }

protected:
    void OnExpandedChanged(bool) override {}
    ILibrary* GetLibrary() const { return library_; }

private:
    DocumentRecordItemName* nameItem_ = nullptr;
    ILibrary* library_;
    CString name_;
};

class DocumentListRecord : public DocumentRecord {
public:
    using DocumentRecord::DocumentRecord;
    void Init() override;
};

class PDMDocumentRecord : public DocumentRecord {
public:
    using DocumentRecord::DocumentRecord;
};

// The display name of the library's configuration, empty when it has none (list rows show it).
CString ConfigurationNameOf(ILibrary* library);

}  // namespace DocumentsMenu
