// The PDM client's windows the program hosts: the work-mix page a page factory makes for an
// address, and the explorers of the work mix's PDM objects, one per pane kind. Every object is a
// counted handle (made with one reference); every call may throw the PDM system's exception.
#pragma once

#include "platform/mfc.h"

// A counted PDM handle.
class KVPDMHandle {
public:
    KVPDMHandle();
    KVPDMHandle(const KVPDMHandle&) = delete;
    KVPDMHandle& operator=(const KVPDMHandle&) = delete;
    void AddRef() { ++references_; }
    void Release();

protected:
    virtual ~KVPDMHandle();

private:
    int references_ = 1;
};

// What a page tells about itself: its tab icon (owned by the information) and title.
class KVPDMPageInformation : public KVPDMHandle {
public:
    KVPDMPageInformation(HICON icon, CString title) : icon_(icon), title_(std::move(title)) {}
    HICON GetIcon() const { return icon_; }
    const CString& GetTitle() const { return title_; }

protected:
    ~KVPDMPageInformation() override;

private:
    HICON icon_;
    CString title_;
};

// A work-mix page: a window of the PDM client showing an address.
class KVPDMPage : public KVPDMHandle {
public:
    explicit KVPDMPage(CString url);
    // The page's window (it stays the page's until destroyed); null when it has none.
    HWND GetWindow();
    // A new reference, or null.
    KVPDMPageInformation* GetInformation();
    const CString& GetUrl() const { return url_; }
    // The window as it is, without making one.
    HWND PeekWindow() const { return window_; }

protected:
    ~KVPDMPage() override;

private:
    CString url_;
    HWND window_ = nullptr;
};

class KVPDMPageFactory {
public:
    // A new page (one reference) for the address.
    KVPDMPage* CreatePage(LPCWSTR url);
};

class KVPDMItem;

// What an explorer runs when the user selects an item in it.
class KVPDMExplorerCommand : public KVPDMHandle {
public:
    virtual bool Execute(KVPDMHandle* item) = 0;
};

// A working copy of a managed file: what a selected explorer item may be.
class KVPDMWorkingCopy : public KVPDMHandle {
public:
    explicit KVPDMWorkingCopy(CString path) : path_(std::move(path)) {}
    const CString& GetFilePath() const { return path_; }

private:
    CString path_;
};

// A new reference to `item` as a working copy, or null when it is none.
KVPDMWorkingCopy* AsWorkingCopy(KVPDMHandle* item);

// An explorer of the PDM client inside a pane.
class KVPDMExplorer : public KVPDMHandle {
public:
    explicit KVPDMExplorer(int kind);
    // The explorer keeps a reference to the command.
    void SetCommand(KVPDMExplorerCommand* command);
    KVPDMExplorerCommand* GetCommand() const { return command_; }
    // Its icon (owned by the explorer), or null.
    HICON GetIcon();
    // Its window, made at the first ask; null when it has none.
    HWND GetWindow();
    bool PreTranslateMessage(MSG* message);
    void Refresh();
    // Closes the explorer's window; the handle stays until released.
    void Close();
    int GetKind() const { return kind_; }
    int GetRefreshCount() const { return refreshes_; }

protected:
    ~KVPDMExplorer() override;

private:
    int kind_;
    KVPDMExplorerCommand* command_ = nullptr;
    HICON icon_ = nullptr;
    HWND window_ = nullptr;
    int refreshes_ = 0;
};

// The PDM object of an explorer pane kind.
class KVPDMPaneObject {
public:
    explicit KVPDMPaneObject(int kind) : kind_(kind) {}
    CString GetName() const;
    // The two ways of making its explorer (a new reference each).
    KVPDMExplorer* CreateExplorer();
    KVPDMExplorer* CreateExplorerEx(int option = -1);

private:
    int kind_;
};

namespace platform::kernel {
// The explorers alive, for the harness: what their panes show.
std::vector<KVPDMExplorer*> liveExplorers();
// The work-mix pages alive.
std::vector<KVPDMPage*> livePages();
}  // namespace platform::kernel
