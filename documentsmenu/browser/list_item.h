// One icon of a browser: a document, a folder, a libraries group or a library. Its row carries
// the item's id, unique in the process, as its item data.
#pragma once

#include "documentsmenu/library_ref.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class Browser;

class ListItem {
public:
    ListItem(Browser* browser, const CString& text);
    ListItem(const ListItem&) = delete;
    ListItem& operator=(const ListItem&) = delete;
    virtual ~ListItem();

    virtual int GetSortGroup() const = 0;
    virtual int GetIconIndex() const = 0;
    virtual void AddMenuItems(CXTPPopupBar* popup) = 0;
    virtual void Rename(const CString& text) = 0;
    virtual void Open() = 0;
    virtual void BeginDrag() = 0;
    // The file or folder the item stands for (a folder's with a trailing backslash); empty for
    // model objects.
    virtual CString GetFilePath() const { return CString(); }
    // A word for the kind, as the console prints it.
    virtual const wchar_t* GetKind() const = 0;

    UINT GetId() const { return id_; }
    Browser* GetBrowser() const { return browser_; }
    // The row's text as the browser last set it.
    const CString& GetText() const { return text_; }

private:
    friend class Browser;
    static UINT nextId();

    UINT id_;
    Browser* browser_;
    CString text_;
};

class DocumentItem : public ListItem {
public:
    DocumentItem(Browser* browser, const CString& path, ILibrary* library);
    int GetSortGroup() const override;
    int GetIconIndex() const override;
    void AddMenuItems(CXTPPopupBar* popup) override;
    void Rename(const CString& text) override;
    void Open() override;
    void BeginDrag() override;
    CString GetFilePath() const override { return path_; }
    const wchar_t* GetKind() const override { return L"document"; }
    // The item stands for the file at `path` from now on (the caller sets the row's text).
    void SetPath(const CString& path) { path_ = path; }
    // Null in a folder browser, and once the library is gone.
    ILibrary* GetLibrary() const { return library_.Get(); }

private:
    CString path_;
    LibraryRef library_;
};

class FolderItem : public ListItem {
public:
    // `path` ends with a backslash.
    FolderItem(Browser* browser, const CString& path);
    int GetSortGroup() const override { return 0; }
    int GetIconIndex() const override;
    void AddMenuItems(CXTPPopupBar* popup) override;
    void Rename(const CString& text) override;
    void Open() override;
    void BeginDrag() override {}
    CString GetFilePath() const override { return path_; }
    const wchar_t* GetKind() const override { return L"folder"; }
    void SetPath(const CString& path) { path_ = path; }

private:
    CString path_;
};

// The overrides of an icon standing for an object of the model (a libraries group or a library),
// which sorts after the folders and documents; `kind` is what a dump calls it.
#define KORVO_MODEL_OBJECT_ITEM_OVERRIDES(kind)                \
    int GetSortGroup() const override { return 1; }            \
    int GetIconIndex() const override;                         \
    void AddMenuItems(CXTPPopupBar* popup) override;           \
    void Rename(const CString& text) override;                 \
    void Open() override;                                      \
    void BeginDrag() override;                                 \
    const wchar_t* GetKind() const override { return kind; }

class LibrariesGroupItem : public ListItem, private ILibrariesGroup::IClient {
public:
    LibrariesGroupItem(Browser* browser, ILibrariesGroup* group);
    ~LibrariesGroupItem() override;
    KORVO_MODEL_OBJECT_ITEM_OVERRIDES(L"group");
    ILibrariesGroup* GetGroup() const { return group_; }

private:
    void LibraryAdded(ILibrariesGroup*, ILibrary*) override {}
    void LibrariesGroupAdded(ILibrariesGroup*, ILibrariesGroup*) override {}
    void GroupNameChanged(ILibrariesGroup* group) override;
    void GroupRemoved(ILibrariesGroup* group) override;
    void GroupDestroyed(ILibrariesGroup* group) override;
    void LibrariesChanged(ILibrariesGroup*) override {}
    void GroupsChanged(ILibrariesGroup*) override {}

    ILibrariesGroup* group_;
};

class LibraryItem : public ListItem, private ILibrary::IClient {
public:
    LibraryItem(Browser* browser, ILibrary* library);
    ~LibraryItem() override;
    KORVO_MODEL_OBJECT_ITEM_OVERRIDES(L"library");
    ILibrary* GetLibrary() const { return library_; }

private:
    void LibraryPathChanged(ILibrary* library) override;
    void LibraryNameChanged(ILibrary* library) override;
    void LibraryRemoved(ILibrary* library) override;
    void LibraryDestroyed(ILibrary* library) override;
    void LibraryContentsChanged(ILibrary*) override {}

    ILibrary* library_;
};

// Whether the path names a document: its extension is ".grb" (any case), exactly.
bool IsDocumentPath(const CString& path);
// The last part of a path (a trailing backslash ignored).
CString PathLeaf(const CString& path);
// Whether a folder is there.
bool IsExistingFolder(const CString& path);

}  // namespace DocumentsMenu
