#include "documentsmenu/window/preview_wnd.h"

#include "documentsmenu/browser/folder_browser.h"
#include "documentsmenu/browser/group_browsers.h"
#include "documentsmenu/browser/library_browser.h"
#include "documentsmenu/browser/list_item.h"
#include "platform/win32.h"

namespace DocumentsMenu {

PreviewWnd::PreviewWnd(int mode)
    : mode_(mode),
      configurations_(std::make_unique<ConfigurationBrowser>()),
      groups_(std::make_unique<LibrariesGroupBrowser>()),
      libraries_(std::make_unique<LibraryBrowser>()),
      folders_(std::make_unique<FolderBrowser>()) {}

PreviewWnd::~PreviewWnd() {
    // Each browser leaves what it observes as it goes; none sends its list a message then.
    shown_ = nullptr;
    configurations_.reset();
    groups_.reset();
    libraries_.reset();
    folders_.reset();
}

std::array<Browser*, 4> PreviewWnd::browsers() const {
    return {configurations_.get(), groups_.get(), libraries_.get(), folders_.get()};
}

BOOL PreviewWnd::Create(CWnd* parent, DWORD style, UINT id) {
    if (!CWnd::Create(AfxRegisterWndClass(0), nullptr, style, RECT{0, 0, 0, 0}, parent, id, nullptr)) return FALSE;
    UINT child = Browser::kFirstId;
    for (Browser* browser : browsers())
        if (!browser->CreateIn(this, child++)) return FALSE;
    return TRUE;
}

void PreviewWnd::SetClient(DocumentsMenuDlg* client) {
    if (client == client_) return;
    // The browsers observe the window they were given: they leave it before it changes.
    if (client_) {
        for (Browser* browser : browsers()) browser->Detach();
        shown_ = nullptr;
    }
    client_ = client;
}

void PreviewWnd::SetIconSize(int size) {
    if (size == iconSize_) return;
    iconSize_ = size;
    for (Browser* browser : browsers())
        if (browser->GetSafeHwnd()) browser->RebuildImageList();
}

void PreviewWnd::clear() {
    document_.Empty();
    showBrowser(nullptr);
}

void PreviewWnd::showBrowser(Browser* browser) {
    for (Browser* other : browsers()) {
        if (other == browser) continue;
        // Hiding lets the browser go of its location; one never shown holds none.
        if (other->GetSafeHwnd() && other->IsWindowVisible()) other->ShowWindow(SW_HIDE);
        else other->Detach();
    }
    shown_ = browser;
    if (browser && browser->GetSafeHwnd()) {
        layout();
        browser->ShowWindow(SW_SHOW);
    }
}

void PreviewWnd::layout() {
    if (!shown_ || !shown_->GetSafeHwnd() || !GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    shown_->MoveWindow(&client);
}

void PreviewWnd::show(const CString& text, bool record) {
    if (record) ++history_;
    if (GetSafeHwnd()) SetWindowText(text);
}

void PreviewWnd::ShowConfiguration(IConfiguration* configuration, bool record) {
    document_.Empty();
    if (configuration) configurations_->SetConfiguration(configuration);
    showBrowser(configuration ? configurations_.get() : nullptr);
    show(configuration ? static_cast<ILibrariesGroup*>(configuration)->GetName() : CString(), record);
}

void PreviewWnd::ShowLibrariesGroup(ILibrariesGroup* group, bool record) {
    document_.Empty();
    if (group) groups_->SetLibrariesGroup(group);
    showBrowser(group ? groups_.get() : nullptr);
    show(group ? group->GetName() : CString(), record);
}

void PreviewWnd::ShowLibrary(ILibrary* library, bool record) {
    document_.Empty();
    if (library) libraries_->SetLibrary(library);
    showBrowser(library ? libraries_.get() : nullptr);
    show(library ? library->GetName() : CString(), record);
}

void PreviewWnd::ShowFolder(const CString& path, bool record) {
    document_.Empty();
    if (!path.IsEmpty()) folders_->SetFolder(path);
    showBrowser(path.IsEmpty() ? nullptr : folders_.get());
    show(path, record);
}

bool PreviewWnd::ShowDocument(ILibrary* library, const CString& name, bool record) {
    const CString folder = library ? GetLibraryAbsolutePath(library) : CString();
    const DWORD attributes = folder.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder + name);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // The document's library, with the document's icon selected.
    libraries_->SetLibrary(library);
    showBrowser(libraries_.get());
    document_ = name;
    LVITEMW none;
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    libraries_->SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    for (ListItem* item : libraries_->GetItems()) {
        if (item->GetFilePath().CompareNoCase(folder + name) != 0) continue;
        const int row = libraries_->RowOf(item);
        LVITEMW chosen;
        chosen.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        chosen.state = LVIS_SELECTED | LVIS_FOCUSED;
        libraries_->SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&chosen));
        libraries_->EnsureVisible(row, FALSE);
        break;
    }
    show(name, record);
    return true;
}

void PreviewWnd::Hide() {
    clear();
    show(CString(), false);
}

IConfiguration* PreviewWnd::GetCurrentConfiguration() const {
    return shown_ == configurations_.get() ? configurations_->GetConfiguration() : nullptr;
}

ILibrariesGroup* PreviewWnd::GetCurrentLibrariesGroup() const {
    return shown_ == groups_.get() ? groups_->GetLibrariesGroup() : nullptr;
}

ILibrary* PreviewWnd::GetCurrentLibrary() const { return shown_ == libraries_.get() ? libraries_->GetLibrary() : nullptr; }

CString PreviewWnd::GetCurrentFolder() const {
    if (shown_ == folders_.get()) return folders_->GetFolder();
    if (ILibrary* library = GetCurrentLibrary()) return GetLibraryAbsolutePath(library);
    return CString();
}

CString PreviewWnd::GetCurrentPath() const {
    const CString folder = GetCurrentFolder();
    return document_.IsEmpty() || folder.IsEmpty() ? folder : folder + document_;
}

HICON PreviewWnd::GetCurrentIcon() const { return shown_ ? shown_->GetIcon() : nullptr; }

void PreviewWnd::LocationRenamed() {
    if (ILibrary* library = GetCurrentLibrary()) show(document_.IsEmpty() ? library->GetName() : document_, false);
    else if (ILibrariesGroup* group = GetCurrentLibrariesGroup()) show(group->GetName(), false);
    else if (IConfiguration* configuration = GetCurrentConfiguration()) show(static_cast<ILibrariesGroup*>(configuration)->GetName(), false);
}

BOOL PreviewWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    for (Browser* browser : browsers()) {
        LRESULT result = 0;
        if (browser && browser->OnListNotify(header, &result)) {
            if (pResult) *pResult = result;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

LRESULT PreviewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE) layout();
    return result;
}

}  // namespace DocumentsMenu
