#include "documentsmenu/browser/group_browsers.h"

#include <utility>

#include "documentsmenu/browser/list_item.h"
#include "platform/win32/icons.h"
#include "documentsmenu/window/preview_wnd.h"

namespace DocumentsMenu {

namespace {

constexpr UINT kConfigurationIcon = 4300;
constexpr UINT kGroupIcon = 446;

}  // namespace

GroupListBrowser::~GroupListBrowser() { leave(); }

void GroupListBrowser::leave() {
    if (group_) group_->RemoveClient(this);
    if (observed_) observed_->RemoveClient(this);
    group_ = nullptr;
    observed_ = nullptr;
}

bool GroupListBrowser::setGroup(ILibrariesGroup* group) {
    if (group == group_) {
        Sort();
        return false;
    }
    leave();
    group_ = group;
    if (group_) {
        group_->AddClient(this);
        observed_ = GetWindow();
        if (observed_) observed_->AddClient(this);
    }
    Fill();
    return true;
}

void GroupListBrowser::Detach() { setGroup(nullptr); }

bool GroupListBrowser::shown(ILibrariesGroup* group) const {
    const DocumentsMenuDlg* window = GetWindow();
    const bool showExcluded = window && window->IsShowExcluded();
    const bool showHidden = !window || window->IsShowHidden();
    return (!group->IsExcluded() || showExcluded) && (showHidden || !window->IsHidden(group));
}

bool GroupListBrowser::shown(ILibrary* library) const {
    const DocumentsMenuDlg* window = GetWindow();
    const bool showExcluded = window && window->IsShowExcluded();
    const bool showHidden = !window || window->IsShowHidden();
    return (!library->IsExcluded() || showExcluded) && (showHidden || !window->IsHidden(library));
}

void GroupListBrowser::FillItems() {
    if (!group_) return;
    for (int index = 0; index < group_->GetLibraryCount(); ++index)
        if (ILibrary* library = group_->GetLibraryAt(index); library && shown(library)) Append(new LibraryItem(this, library));
    for (int index = 0; index < group_->GetGroupCount(); ++index)
        if (ILibrariesGroup* group = group_->GetGroupAt(index); group && shown(group))
            Append(new LibrariesGroupItem(this, group));
}

// An appended item goes at the end, unsorted and untested, until the next fill.
void GroupListBrowser::LibraryAdded(ILibrariesGroup*, ILibrary* library) {
    if (library) Append(new LibraryItem(this, library));
}

void GroupListBrowser::LibrariesGroupAdded(ILibrariesGroup*, ILibrariesGroup* added) {
    if (added) Append(new LibrariesGroupItem(this, added));
}

void GroupListBrowser::GroupNameChanged(ILibrariesGroup*) {
    if (PreviewWnd* pane = GetPane()) pane->LocationRenamed();
}

void GroupListBrowser::GroupRemoved(ILibrariesGroup*) {
    // The model is walking its clients: this browser leaves at once, and the pane stops showing
    // the object once the notification is over.
    leave();
    if (GetSafeHwnd()) PostMessage(kHideRemovedLocation);
}

// A group goes with its configuration without being removed from it: its icons go at once, and
// once the model is done the pane shows the group again when its configuration was only read
// again (the group keeps its id), and nothing otherwise, as for a library.
void GroupListBrowser::GroupDestroyed(ILibrariesGroup* group) {
    destroyed_ = group ? group->GetId() : GUID{};
    group_ = nullptr;
    if (observed_) observed_->RemoveClient(this);
    observed_ = nullptr;
    Fill();
    if (GetSafeHwnd()) PostMessage(kHideRemovedLocation);
}

void GroupListBrowser::ActiveChanged(IConfiguration*) {
    if (configurations_) Fill();
}

void GroupListBrowser::Reloaded(IConfiguration*) {
    if (configurations_) Fill();
}

void GroupListBrowser::ReloadedFromVarnel(IConfiguration*) {
    if (configurations_) Fill();
}

void GroupListBrowser::LibrariesGroupHiddenChanged(ILibrariesGroup* group) {
    const DocumentsMenuDlg* window = GetWindow();
    if (!window || !window->IsHidden(group) || window->IsShowHidden()) return;
    for (ListItem* item : GetItems()) {
        if (auto* row = dynamic_cast<LibrariesGroupItem*>(item); row && row->GetGroup() == group) {
            DeleteRowOf(row);
            return;
        }
    }
}

void GroupListBrowser::LibraryHiddenChanged(ILibrary* library) {
    const DocumentsMenuDlg* window = GetWindow();
    if (!window || !window->IsHidden(library) || window->IsShowHidden()) return;
    for (ListItem* item : GetItems()) {
        if (auto* row = dynamic_cast<LibraryItem*>(item); row && row->GetLibrary() == library) {
            DeleteRowOf(row);
            return;
        }
    }
}

LRESULT GroupListBrowser::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHideRemovedLocation) {
        const GUID id = std::exchange(destroyed_, GUID{});
        ILibrariesGroup* again = id == GUID{} ? nullptr : FindLibrariesGroup(id);
        // Unless the pane shows something else by now.
        if (PreviewWnd* pane = GetPane(); pane && !group_ && pane->GetShownBrowser() == this) {
            if (auto* configuration = dynamic_cast<IConfiguration*>(again)) pane->ShowConfiguration(configuration, false);
            else if (again) pane->ShowLibrariesGroup(again, false);
            else pane->Hide();
        }
        return 0;
    }
    return Browser::WindowProc(message, wParam, lParam);
}

bool ConfigurationBrowser::SetConfiguration(IConfiguration* configuration) { return setGroup(configuration); }

HICON ConfigurationBrowser::GetIcon() const { return LoadIconW(AfxGetResourceHandle(), kConfigurationIcon); }

HICON LibrariesGroupBrowser::GetIcon() const { return LoadIconW(AfxGetResourceHandle(), kGroupIcon); }

}  // namespace DocumentsMenu
