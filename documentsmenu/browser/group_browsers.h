// Browsers of a configuration and of a libraries group: their libraries, then their groups, as
// the documents-menu window shows them (hidden and excluded objects only when it shows those).
#pragma once

#include "documentsmenu/browser/browser.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "platform/kernel.h"

namespace DocumentsMenu {

class GroupListBrowser : public Browser, public IConfiguration::IClient, public DocumentsMenuDlg::IClient {
public:
    ~GroupListBrowser() override;
    CString GetPath() const override { return group_ ? group_->GetDisplayName() : CString(); }
    void Detach() override;

    // IConfiguration::IClient (the libraries-group part is what both browsers hear).
    void LibraryAdded(ILibrariesGroup* group, ILibrary* library) override;
    void LibrariesGroupAdded(ILibrariesGroup* group, ILibrariesGroup* added) override;
    void GroupNameChanged(ILibrariesGroup* group) override;
    void GroupRemoved(ILibrariesGroup* group) override;
    void GroupDestroyed(ILibrariesGroup* group) override;
    void LibrariesChanged(ILibrariesGroup*) override { Fill(); }
    void GroupsChanged(ILibrariesGroup*) override { Fill(); }
    void ActiveChanged(IConfiguration*) override;
    void PathChanged(IConfiguration*) override {}
    void Reloaded(IConfiguration*) override;
    void ReloadedFromVarnel(IConfiguration*) override;

    // DocumentsMenuDlg::IClient
    void ShowHiddenChanged() override { Fill(); }
    void ShowExcludedChanged() override { Fill(); }
    void DocumentHiddenChanged(ILibrary*, const CString&) override {}
    void LibrariesGroupHiddenChanged(ILibrariesGroup* group) override;
    void LibraryHiddenChanged(ILibrary* library) override;

protected:
    explicit GroupListBrowser(bool configurations) : configurations_(configurations) {}
    // False for the same group; else leaves the old one and fills with the new.
    bool setGroup(ILibrariesGroup* group);
    ILibrariesGroup* shownGroup() const { return group_; }
    void FillItems() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void leave();
    bool shown(ILibrariesGroup* group) const;
    bool shown(ILibrary* library) const;

    bool configurations_;
    ILibrariesGroup* group_ = nullptr;
    DocumentsMenuDlg* observed_ = nullptr;
    // The id of the group destroyed while shown, until the pane has acted on it.
    GUID destroyed_{};
};

class ConfigurationBrowser : public GroupListBrowser {
public:
    ConfigurationBrowser() : GroupListBrowser(true) {}
    bool SetConfiguration(IConfiguration* configuration);
    IConfiguration* GetConfiguration() const { return dynamic_cast<IConfiguration*>(shownGroup()); }
    HICON GetIcon() const override;
};

class LibrariesGroupBrowser : public GroupListBrowser {
public:
    LibrariesGroupBrowser() : GroupListBrowser(false) {}
    bool SetLibrariesGroup(ILibrariesGroup* group) { return setGroup(group); }
    ILibrariesGroup* GetLibrariesGroup() const { return shownGroup(); }
    HICON GetIcon() const override;
};

// Posted to a browser whose object was removed: the pane stops showing it once the model's
// notification is over.
inline constexpr UINT kHideRemovedLocation = WM_APP + 0x105;

}  // namespace DocumentsMenu
