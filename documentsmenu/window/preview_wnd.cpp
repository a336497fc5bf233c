#include "documentsmenu/window/preview_wnd.h"

#include "documentsmenu/browser/folder_browser.h"
#include "documentsmenu/browser/folder_listing.h"
#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/browser/group_browsers.h"
#include "documentsmenu/browser/library_browser.h"
#include "documentsmenu/browser/list_item.h"
#include "documentsmenu/window/file_preview.h"
#include "documentsmenu/window/form_factor_preview_wnd.h"
#include "documentsmenu/window/preview_history.h"
#include "platform/toolkit/listbox_theme.h"
#include "platform/win32.h"

namespace DocumentsMenu {

namespace {

constexpr UINT kFilePreviewId = Browser::kFirstId + 4;
constexpr UINT kAcceleratorTable = 1051;
constexpr DWORD kNavigationBarDocking = 0x60;  // stretched, no wrapping
constexpr int kBarHeight = 26;                 // at 96 dpi

// A tool-bar button the pane sets itself (command routing leaves it alone); it runs its step
// only while enabled.
class NavigationButton : public CXTPControlButton {
public:
    NavigationButton(PreviewWnd& pane, void (PreviewWnd::*step)(), UINT id) : pane_(pane), step_(step) {
        SetID(static_cast<int>(id));
        SetIconId(static_cast<int>(id));
        SetStyle(xtpButtonIcon);
        SetFlags(GetFlags() | xtpFlagManualUpdate);
        SetEnabled(FALSE);
    }
    void OnExecute() override {
        if (GetEnabled() && IsVisible()) (pane_.*step_)();
    }

private:
    PreviewWnd& pane_;
    void (PreviewWnd::*step_)();
};

// The folder above, named as the pane names a folder: without a trailing backslash, except a
// drive's root (C:\ keeps its own). Empty for a drive's root or a bare name.
CString ParentFolder(const CString& path) {
    CString folder = path;
    while (folder.Right(1) == L"\\") folder = folder.Left(folder.GetLength() - 1);
    const int slash = folder.ReverseFind(L'\\');
    if (slash < 0) return CString();
    const bool root = slash == 2 && folder[1] == L':';
    return folder.Left(root ? slash + 1 : slash);
}

ILibrariesGroup* ParentOf(ILibrariesGroup* group) { return group ? group->GetParent() : nullptr; }

// Posted to the pane when the group above what it shows changed.
constexpr UINT kRefreshLevelUp = WM_APP + 0x108;

}  // namespace

// The group above the shown location. A move tells only the groups (the one left and the one
// joined), not the object moved, and a rename tells only the group renamed: whichever it hears,
// the pane sets its Level-up button again once the model is done.
class PreviewWnd::ParentWatch final : public ILibrariesGroup::IClient {
public:
    explicit ParentWatch(PreviewWnd& pane) : pane_(pane) {}
    ~ParentWatch() { Watch(nullptr); }
    ParentWatch(const ParentWatch&) = delete;
    ParentWatch& operator=(const ParentWatch&) = delete;

    void Watch(ILibrariesGroup* group) {
        if (group == group_) return;
        if (group_) group_->RemoveClient(this);
        group_ = group;
        if (group_) group_->AddClient(this);
    }

    void LibraryAdded(ILibrariesGroup*, ILibrary*) override {}
    void LibrariesGroupAdded(ILibrariesGroup*, ILibrariesGroup*) override {}
    void GroupNameChanged(ILibrariesGroup*) override { changed(); }
    void GroupRemoved(ILibrariesGroup*) override { changed(); }
    void GroupDestroyed(ILibrariesGroup*) override {
        group_ = nullptr;
        changed();
    }
    void LibrariesChanged(ILibrariesGroup*) override { changed(); }
    void GroupsChanged(ILibrariesGroup*) override { changed(); }

private:
    void changed() {
        if (pane_.GetSafeHwnd()) pane_.PostMessage(kRefreshLevelUp);
    }

    PreviewWnd& pane_;
    ILibrariesGroup* group_ = nullptr;
};

PreviewWnd::PreviewWnd(int kind)
    : history_(kind == 1 ? std::make_unique<History>() : nullptr),
      background_(GetSysColor(COLOR_WINDOW)),
      text_(GetSysColor(COLOR_WINDOWTEXT)),
      configurations_(std::make_unique<ConfigurationBrowser>()),
      groups_(std::make_unique<LibrariesGroupBrowser>()),
      libraries_(std::make_unique<LibraryBrowser>()),
      folders_(std::make_unique<FolderBrowser>()),
      preview_(std::make_unique<FilePreview>()),
      parentWatch_(std::make_unique<ParentWatch>(*this)) {}

PreviewWnd::~PreviewWnd() {
    // Each browser leaves what it observes as it goes; none sends its list a message then.
    shown_ = nullptr;
    shownChild_ = nullptr;
    parentWatch_.reset();
    if (history_) history_->SetButtons(nullptr, nullptr);
    DestroyCommandBars();
    configurations_.reset();
    groups_.reset();
    libraries_.reset();
    folders_.reset();
}

std::array<Browser*, 4> PreviewWnd::browsers() const {
    return {configurations_.get(), groups_.get(), libraries_.get(), folders_.get()};
}

BOOL PreviewWnd::Create(CWnd* parent, DWORD style, UINT id) {
    if (!CreateEx(WS_EX_STATICEDGE, AfxRegisterWndClass(0), nullptr, style, RECT{0, 0, 0, 0}, parent, id, nullptr))
        return FALSE;
    UINT child = Browser::kFirstId;
    for (Browser* browser : browsers())
        if (!browser->CreateIn(this, child++)) return FALSE;
    if (!preview_->Create(this, kFilePreviewId)) return FALSE;
    // Without it documents with form factors show their pictures.
    formFactors_ = CreateFormFactorPreviewWnd(this);
    return createNavigationBar() ? TRUE : FALSE;
}

bool PreviewWnd::createNavigationBar() {
    if (!InitCommandBars()) return false;
    CXTPCommandBars* bars = GetCommandBars();
    CXTPCommandBarsOptions& options = *bars->GetCommandBarsOptions();
    options.szIcons = SIZE{16, 16};
    options.szLargeIcons = SIZE{24, 24};
    options.ShowKeyboardCues(xtpKeyboardCuesShowWindowsDefault);
    bars->GetShortcutManager()->SetAccelerators(kAcceleratorTable);
    CXTPImageManager* images = bars->GetImageManager();
    for (UINT icon : {kLevelUpId, kBackId, kForwardId}) images->SetIcon(icon, 16);
    toolBar_ = bars->Add(L"", xtpBarTop);
    if (!toolBar_) return false;
    toolBar_->ShowGripper(FALSE);
    toolBar_->ShowExpandButton(FALSE);
    toolBar_->EnableDocking(kNavigationBarDocking);
    toolBar_->SetVisible(FALSE);
    CXTPControls* controls = toolBar_->GetControls();
    levelUp_ = controls->Add(new NavigationButton(*this, &PreviewWnd::GoLevelUp, kLevelUpId), kLevelUpId);
    if (history_) {
        CXTPControl* back = controls->Add(new NavigationButton(*this, &PreviewWnd::GoBack, kBackId), kBackId);
        CXTPControl* forward = controls->Add(new NavigationButton(*this, &PreviewWnd::GoForward, kForwardId), kForwardId);
        history_->SetButtons(back, forward);
    }
    return true;
}

void PreviewWnd::SetClient(DocumentsMenuDlg* client) {
    if (client == client_) return;
    // The browsers observe the window they were given: they leave it before it changes.
    if (client_) {
        for (Browser* browser : browsers()) browser->Detach();
        shown_ = nullptr;
        if (shownChild_ != preview_.get()) shownChild_ = nullptr;
    }
    client_ = client;
}

void PreviewWnd::SetIconSize(int size) {
    if (size == iconSize_) return;
    iconSize_ = size;
    for (Browser* browser : browsers())
        if (browser->GetSafeHwnd()) browser->RebuildImageList();
    // The host keeps the size with what it shows, so that its saved state has it too.
    if (auto* host = dynamic_cast<IPreviewHost*>(GetParent())) host->UpdateFromDocumentsMenu();
}

void PreviewWnd::SetTheme(const Korvo::UI::Theme& theme) {
    themeName_ = theme.name;
    // The browsers are drawn as the toolkit's list boxes are under the theme; other themes take
    // the window colours.
    XTPListBoxThemeColors colours{GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
    XTPGetListBoxThemeColors(theme.paintTheme, colours);
    background_ = colours.background;
    text_ = colours.text;
    for (Browser* browser : browsers()) {
        if (!browser->GetSafeHwnd()) continue;
        browser->SetBkColor(background_);
        browser->SetTextColor(text_);
        browser->SetTextBkColor(background_);
        browser->Invalidate(TRUE);
    }
    if (formFactors_) formFactors_->SetTheme(theme);
    if (GetSafeHwnd()) Invalidate(TRUE);
}

void PreviewWnd::showToolBar(bool show) {
    if (!toolBar_ || (toolBar_->IsVisible() != FALSE) == show) return;
    toolBar_->SetVisible(show ? TRUE : FALSE);
    layout();
}

void PreviewWnd::setLevelUp(const CString& parent) {
    if (!levelUp_) return;
    levelUpTarget_ = parent;
    levelUp_->SetEnabled(parent.IsEmpty() ? FALSE : TRUE);
    levelUp_->SetTooltip(parent.IsEmpty() ? CString() : Korvo::I18n::FormatTranslation(L"docs_menu.tooltip.go_to", parent));
}

ILibrariesGroup* PreviewWnd::shownParent() const {
    switch (mode_) {
        case kModeLibrary: {
            ILibrary* library = libraries_->GetLibrary();
            return library ? library->GetParent() : nullptr;
        }
        case kModeLibrariesGroup: return ParentOf(groups_->GetLibrariesGroup());
        default: return nullptr;
    }
}

CString PreviewWnd::levelUpTarget() const {
    switch (mode_) {
        case kModeLibrary:
        case kModeLibrariesGroup: {
            ILibrariesGroup* parent = shownParent();
            return parent ? parent->GetDisplayName() : CString();
        }
        case kModeFolder: return ParentFolder(folders_->GetFolder());
        case kModeFilePreview:
        case kModeFormFactor: {
            ILibrary* library = preview_->GetLibrary();
            return library ? library->GetDisplayName() : CString();
        }
        default: return CString();
    }
}

void PreviewWnd::refreshLevelUp() {
    if (parentWatch_) parentWatch_->Watch(shownParent());
    const CString target = levelUpTarget();
    if (target != levelUpTarget_) setLevelUp(target);
}

void PreviewWnd::showChild(Mode mode, CWnd* child) {
    for (Browser* browser : browsers()) {
        if (browser == child) continue;
        // Hiding lets the browser go of its location; one never shown holds none.
        if (browser->GetSafeHwnd() && browser->IsWindowVisible()) browser->ShowWindow(SW_HIDE);
        else browser->Detach();
    }
    if (child != preview_.get() && preview_->GetSafeHwnd() && preview_->IsWindowVisible()) preview_->ShowWindow(SW_HIDE);
    if (formFactors_ && child != formFactors_.get() && formFactors_->IsWindowVisible()) formFactors_->ShowWindow(SW_HIDE);
    mode_ = mode;
    shownChild_ = child;
    shown_ = dynamic_cast<Browser*>(child);
    layout();
    if (child && child->GetSafeHwnd()) child->ShowWindow(SW_SHOW);
    // Mode 0 paints the pane's own background.
    if (!child && GetSafeHwnd()) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void PreviewWnd::layout() {
    if (!GetSafeHwnd()) return;
    const RECT client = RepositionBars(kBarHeight);
    for (Browser* browser : browsers())
        if (browser->GetSafeHwnd()) browser->MoveWindow(&client);
    if (preview_->GetSafeHwnd()) preview_->MoveWindow(&client);
    if (formFactors_ && formFactors_->GetSafeHwnd()) formFactors_->MoveWindow(&client);
}

void PreviewWnd::record(HistoryEntry entry, bool record) {
    if (record && history_) history_->Push(std::move(entry));
}

void PreviewWnd::notifyHost() {
    refreshLevelUp();
    if (GetSafeHwnd()) {
        CString text;
        if (IConfiguration* configuration = GetCurrentConfiguration())
            text = static_cast<ILibrariesGroup*>(configuration)->GetName();
        else if (ILibrariesGroup* group = GetCurrentLibrariesGroup())
            text = group->GetName();
        else if (ILibrary* library = GetCurrentLibrary())
            text = library->GetName();
        else if (mode_ == kModeFolder)
            text = GetCurrentFolder();
        else if (showsDocument())
            text = preview_->GetPath().Mid(preview_->GetPath().ReverseFind(L'\\') + 1);
        SetWindowText(text);
    }
    if (auto* host = dynamic_cast<IPreviewHost*>(GetParent())) host->UpdateFromDocumentsMenu();
}

void PreviewWnd::ShowConfiguration(IConfiguration* configuration, bool record) {
    if (!configuration) return;
    showToolBar(true);
    setLevelUp(CString());
    showChild(kModeConfiguration, configurations_.get());
    configurations_->SetConfiguration(configuration);
    if (client_) client_->SelectConfiguration(configuration);
    this->record(HistoryEntry::ForConfiguration(configuration), record);
    notifyHost();
}

void PreviewWnd::ShowLibrariesGroup(ILibrariesGroup* group, bool record) {
    if (!group) return;
    showToolBar(true);
    ILibrariesGroup* parent = ParentOf(group);
    setLevelUp(parent ? parent->GetDisplayName() : CString());
    showChild(kModeLibrariesGroup, groups_.get());
    groups_->SetLibrariesGroup(group);
    if (client_) client_->SelectConfiguration(group);
    this->record(HistoryEntry::ForLibrariesGroup(group), record);
    notifyHost();
}

void PreviewWnd::ShowLibrary(ILibrary* library, bool record) {
    if (!library) return;
    showToolBar(true);
    ILibrariesGroup* parent = library->GetParent();
    setLevelUp(parent ? parent->GetDisplayName() : CString());
    showChild(kModeLibrary, libraries_.get());
    libraries_->SetLibrary(library);
    if (client_) client_->SelectLibrary(library);
    this->record(HistoryEntry::ForLibrary(library), record);
    notifyHost();
}

void PreviewWnd::ShowFolder(const CString& path, bool record) {
    if (path.IsEmpty()) return;
    // A folder icon's path ends in a backslash: the pane names the folder as every other way of
    // opening it does.
    const CString folder = FolderPathWithoutSeparator(path);
    showToolBar(true);
    setLevelUp(ParentFolder(folder));
    showChild(kModeFolder, folders_.get());
    // Showing the folder shown already is no step of its own.
    if (folders_->SetFolder(folder)) this->record(HistoryEntry::ForFolder(folders_->GetFolder()), record);
    notifyHost();
}

bool PreviewWnd::ShowDocument(ILibrary* library, const CString& relativePath, bool record) {
    if (!library) return false;
    const CString full = GetLibraryAbsolutePath(library) + relativePath;
    const DWORD attributes = GetFileAttributesW(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    setLevelUp(library->GetDisplayName());
    showToolBar(false);
    // The picture keeps the document shown either way (the pane's path and Level up read it).
    preview_->SetDocument(library, full, relativePath);
    if (formFactors_ && !GetFormFactorPathByDocPath(full, true).IsEmpty()) {
        showChild(kModeFormFactor, formFactors_.get());
        formFactors_->SetDocument(library, relativePath);
    } else {
        showChild(kModeFilePreview, preview_.get());
    }
    this->record(HistoryEntry::ForDocument(library, relativePath), record);
    notifyHost();
    return true;
}

void PreviewWnd::Hide() {
    showToolBar(false);
    setLevelUp(CString());
    showChild(kModeNone, nullptr);
    notifyHost();
}

void PreviewWnd::GoLevelUp() {
    const auto showGroup = [this](ILibrariesGroup* group) {
        if (auto* configuration = dynamic_cast<IConfiguration*>(group)) ShowConfiguration(configuration, true);
        else if (group) ShowLibrariesGroup(group, true);
    };
    switch (mode_) {
        case kModeLibrary:
            if (ILibrary* library = libraries_->GetLibrary()) showGroup(library->GetParent());
            break;
        case kModeFilePreview:
        case kModeFormFactor: ShowLibrary(preview_->GetLibrary(), true); break;
        case kModeLibrariesGroup: showGroup(ParentOf(groups_->GetLibrariesGroup())); break;
        case kModeFolder: ShowFolder(ParentFolder(folders_->GetFolder()), true); break;
        default: break;
    }
}

bool PreviewWnd::showEntry(const HistoryEntry& entry) {
    switch (entry.kind) {
        case HistoryEntry::Kind::Configuration: {
            auto* configuration = dynamic_cast<IConfiguration*>(FindLibrariesGroup(entry.id));
            if (!configuration) configuration = FindConfigurationByPath(entry.path);
            if (!configuration) return false;
            ShowConfiguration(configuration, false);
            return true;
        }
        case HistoryEntry::Kind::LibrariesGroup: {
            ILibrariesGroup* group = FindLibrariesGroup(entry.id);
            if (!group) return false;
            ShowLibrariesGroup(group, false);
            return true;
        }
        case HistoryEntry::Kind::Library: {
            ILibrary* library = FindLibrary(entry.id);
            if (!library) return false;
            ShowLibrary(library, false);
            return true;
        }
        case HistoryEntry::Kind::LibraryDocument: return ShowDocument(FindLibrary(entry.id), entry.path, false);
        case HistoryEntry::Kind::Folder: {
            const DWORD attributes = GetFileAttributesW(entry.path);
            if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
            ShowFolder(entry.path, false);
            return true;
        }
    }
    return false;
}

// Entries whose objects went since are passed over; when none is left that way nothing changes.
void PreviewWnd::step(int direction) {
    if (!history_) return;
    std::size_t at = history_->GetPosition();
    while (direction < 0 ? at > 0 : at + 1 < history_->GetCount()) {
        at = direction < 0 ? at - 1 : at + 1;
        // Copied: showing may not touch the history, but the entry must outlive any change.
        const HistoryEntry entry = history_->At(at);
        if (showEntry(entry)) {
            history_->SetPosition(at);
            return;
        }
    }
}

void PreviewWnd::GoBack() { step(-1); }

void PreviewWnd::GoForward() { step(1); }

IConfiguration* PreviewWnd::GetCurrentConfiguration() const {
    return mode_ == kModeConfiguration ? configurations_->GetConfiguration() : nullptr;
}

ILibrariesGroup* PreviewWnd::GetCurrentLibrariesGroup() const {
    return mode_ == kModeLibrariesGroup ? groups_->GetLibrariesGroup() : nullptr;
}

ILibrary* PreviewWnd::GetCurrentLibrary() const { return mode_ == kModeLibrary ? libraries_->GetLibrary() : nullptr; }

CString PreviewWnd::GetCurrentFolder() const { return mode_ == kModeFolder ? folders_->GetFolder() : CString(); }

CString PreviewWnd::GetCurrentPath() const {
    if (shown_) return shown_->GetPath();
    return showsDocument() ? preview_->GetPath() : CString();
}

HICON PreviewWnd::GetCurrentIcon() const {
    // Every browser loads a fresh icon, so the caller may destroy it.
    return shown_ ? shown_->GetIcon() : nullptr;
}

void PreviewWnd::LocationRenamed() {
    notifyHost();
    if (auto* host = dynamic_cast<IPreviewHost*>(GetParent())) host->UpdateCaption();
}

void PreviewWnd::LocationMoved() {
    if (auto* host = dynamic_cast<IPreviewHost*>(GetParent())) host->UpdatePane();
}

// The shown browser's items for what is under the point, then the icon sizes.
void PreviewWnd::onContextMenu(POINT screen) {
    if (!shown_ || !shown_->GetSafeHwnd()) return;
    CXTPPopupBar* popup = CreateContextMenu();
    if (!popup) return;
    POINT point = screen;
    ::ScreenToClient(shown_->GetSafeHwnd(), &point);
    shown_->AddContextMenuItems(popup, point);
    CXTPPopupBar* view = AddSubMenu(popup, L"docs_menu.ctx_menu.view", true);
    AddMenuItem(view, new PreviewMenuItems::HugeIcons(this));
    AddMenuItem(view, new PreviewMenuItems::LargeIcons(this));
    AddMenuItem(view, new PreviewMenuItems::MediumIcons(this));
    AddMenuItem(view, new PreviewMenuItems::SmallIcons(this));
    TrackContextMenu(popup, screen);
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
    return CXTPDialogBase<CView>::OnNotify(wParam, lParam, pResult);
}

LRESULT PreviewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return TRUE;
        // The pane is no view of the frame's documents: a click in it leaves the frame's active
        // view as it is.
        case WM_MOUSEACTIVATE: return DefWindowProc(message, wParam, lParam);
        case WM_COMMAND:
            // A command for the form factors shown (insert, open with the focused one).
            if (mode_ == kModeFormFactor && lParam == 0 && formFactors_) return formFactors_->SendMessage(WM_COMMAND, wParam, 0);
            break;
        case kRefreshLevelUp: refreshLevelUp(); return 0;
        case WM_CONTEXTMENU:
            onContextMenu(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        default: break;
    }
    const LRESULT result = CXTPDialogBase<CView>::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE) layout();
    return result;
}

void PreviewWnd::OnDraw(CDC* dc) {
    if (mode_ != kModeNone || !dc) return;
    RECT client{};
    GetClientRect(&client);
    HBRUSH brush = CreateSolidBrush(background_);
    FillRect(dc->GetSafeHdc(), &client, brush);
    DeleteObject(brush);
}

}  // namespace DocumentsMenu
