// The row of a document of a library: the library row makes it with the document's file name.
// The row shows the name, the path and the summary properties stored in the file (read when a
// property cell is first drawn), opens the document on Enter or a double click of its name, and
// renames the file when its name is edited; the library row follows the folder and renames the
// row when the file has its new name.
#pragma once

#include "documentsmenu/records/record.h"
#include "documentsmenu/records/record_items.h"

namespace DocumentsMenu {

class PropertyItem;

class DocumentRecord : public Record {
public:
    DocumentRecord(ILibrary* library, const CString& name) : library_(library), name_(name) {}

    virtual void SetDocumentName(const CString& name);
    const CString& GetDocumentName() const { return name_; }
    // The library was destroyed: the row stays until its library row goes.
    void ForgetLibrary();
    // Opens the document through the application, as every other way of opening one does.
    void Open();
    // Reads the summary properties into the property cells (once: the cells ask when drawn).
    void LoadProperties();

    void Init() override;
    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;
    CString GetName() override { return name_; }
    // Renames the file; false when refused. The row keeps its name until the folder says so.
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
    void OnSelected() override;
    void BeginDragSelection(const std::vector<Record*>& selection) override;
    void BeginDrag() override;
    DROPEFFECT OnDragOver(COleDataObject*, DWORD) override { return 0; }
    bool OnDrop(COleDataObject*, DROPEFFECT) override { return false; }
    void BeginRename() override;
    void OnKeyDown(UINT virtualKey) override;
    void SetHidden(bool hidden) override;
    bool IsHidden() override;
    // Documents have no children.
    void UpdateChildren(const CString&) override { SetChildrenFilled(true); }

protected:
    void OnExpandedChanged(bool) override {}
    ILibrary* GetLibrary() const { return library_; }
    // The cells from the Visible cell on; the flat list puts its configuration cell at 6.
    virtual void AddTrailingCells();
    void AddPropertyCell(PropertyItem*& cell);

private:
    // The library's path as stored, then the name.
    CString shownPath() const;

    DocumentRecordItemName* nameItem_ = nullptr;
    CXTPReportRecordItem* pathItem_ = nullptr;
    PropertyItem* author_ = nullptr;
    PropertyItem* company_ = nullptr;
    PropertyItem* comment_ = nullptr;
    PropertyItem* title_ = nullptr;
    PropertyItem* subject_ = nullptr;
    PropertyItem* category_ = nullptr;
    PropertyItem* keywords_ = nullptr;
    ILibrary* library_;
    CString name_;

    friend class DocumentListRecord;
};

class DocumentListRecord : public DocumentRecord {
public:
    using DocumentRecord::DocumentRecord;

protected:
    void AddTrailingCells() override;
};

// Its menu offers the PDM system's update instead of copying the path.
class PDMDocumentRecord : public DocumentRecord {
public:
    using DocumentRecord::DocumentRecord;
    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;
};

// The display name of the library's configuration, empty when it has none (list rows show it).
CString ConfigurationNameOf(ILibrary* library);

// The name a file given `typed` gets: Windows drops trailing dots and blanks.
CString DocumentFileNameAsStored(const CString& typed);
// Why `name` (as stored) cannot name a file in a library folder, empty when it can: it must not
// be empty, "." or "..", nor hold separators, drive marks, wildcards, quotes, pipes,
// redirections or control characters, nor be a device name (CON, NUL.grb, COM1.grb...).
CString DocumentFileNameProblem(const CString& name);
inline bool IsValidDocumentFileName(const CString& name) { return DocumentFileNameProblem(name).IsEmpty(); }

}  // namespace DocumentsMenu
