// The row of a library (a folder of documents): its children are the documents, made when it is
// first expanded, and it follows the folder's changes once it was expanded.
#pragma once

#include <memory>
#include <string>
#include <map>

#include "documentsmenu/directory_changes_handler.h"
#include "documentsmenu/library_listing.h"
#include "documentsmenu/records/model_record.h"

namespace DocumentsMenu {

class DocumentRecord;

class LibraryRecord : public ModelRecord<ILibrary>, public DirectoryChangesHandler {
public:
    LibraryRecord(ILibrary* library, bool browseButton) : ModelRecord(library), browseButton_(browseButton) {}
    ~LibraryRecord() override;

    virtual ILibrary* GetLibrary() const { return object(); }
    virtual DocumentRecord* CreateDocumentRecord(const CString& name);

    static bool NameContains(ILibrary* library, const CString& filter);
    static bool MatchesSearch(ILibrary* library, const CString& filter, const DocumentsMenuDlg* window);

    void Init() override;
    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;
    CString GetName() override;
    bool SetName(const CString& value) override;
    CString GetPath() override;
    bool SetPath(const CString& value) override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState) override;
    bool OnDrop(COleDataObject* data, DROPEFFECT effect) override;
    void BeginRename() override;
    // Makes the first screen of document rows at once and the rest in steps while the UI thread
    // is idle (library_fill.cpp).
    void UpdateChildren(const CString& filter) override;
    // Makes the rows a fill still owes now.
    void FinishFill();
    bool IsFilling() const { return listing_ != nullptr; }

    void LibraryPathChanged(ILibrary* library) override;
    void LibraryNameChanged(ILibrary* library) override;
    void LibraryRemoved(ILibrary* library) override;
    void LibraryDestroyed(ILibrary* library) override;
    void LibraryContentsChanged(ILibrary* library) override;

    // The watched folder's changes (library_folder_changes.cpp).
    void FileAdded(const SharedPathName& path) override;
    void FileRemoved(const SharedPathName& path) override;
    void FileNameChanged(const SharedPathName& oldPath, const SharedPathName& newPath) override;
    std::wstring DescribeWatcher() override;

protected:
    void OnExpandedChanged(bool expanded) override;
    // Before the documents are listed (PDM rows refresh the folder first).
    virtual void BeforeFill() {}
    // Whether the document passes the filter the rows were last filled with (a file that comes
    // while a search shows its rows is listed only when it matches).
    bool MatchesFillFilter(const CString& fileName) const;
    // The child document row of the file (compared without regard to case), or null.
    DocumentRecord* FindDocumentRow(const CString& fileName) const;
    // A new child row for the document, unless one shows it already; null then. Grey when
    // excluded; out of view when the window hides it and hidden rows are not shown.
    DocumentRecord* AppendDocument(const CString& fileName, bool excluded);
    // The same for a document the folder watcher reports: left out while it is excluded and
    // excluded documents are not shown.
    DocumentRecord* ListDocument(const CString& fileName);
    void DeleteDocument(DocumentRecord* row);
    void RenameDocument(DocumentRecord* row, const CString& fileName);

private:
    void watchFolder();
    void clearChildren();
    // Rows for the next documents of the listing, at most `rows` of them and no more than `work`
    // (documents looked at, rows made counting more); false at its end.
    bool fillRows(int rows, int work);
    bool fillStep();

    LibraryRecordItemName* nameItem_ = nullptr;
    ReportRecordItem* pathItem_ = nullptr;
    LibraryRecordButtonBrowse* browse_ = nullptr;
    bool browseButton_;
    // The fill under way: what is left of the folder, and its filter.
    std::unique_ptr<LibraryListing> listing_;
    CString fillFilter_;
    // The document rows by folded file name: duplicate checks stay cheap in huge folders, and a
    // tree of names grows without ever moving them all at once.
    std::map<std::wstring, DocumentRecord*> documents_;
};

// A library row of the flat list: it also shows its configuration.
class LibraryListRecord : public LibraryRecord {
public:
    explicit LibraryListRecord(ILibrary* library) : LibraryRecord(library, true) {}
    void Init() override;
    DocumentRecord* CreateDocumentRecord(const CString& name) override;
};

// A library below a PDM configuration: no browse button; its folder is the PDM system's.
class PDMLibraryRecord : public LibraryRecord {
public:
    explicit PDMLibraryRecord(ILibrary* library) : LibraryRecord(library, false) {}
    DocumentRecord* CreateDocumentRecord(const CString& name) override;
    void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) override;
    void AddMenuItems(CXTPPopupBar* popup) override;

protected:
    // The PDM system brings the folder up to date before its documents are listed; a PDM error
    // is reported and the listing goes on with what the folder holds.
    void BeforeFill() override;
};

}  // namespace DocumentsMenu
