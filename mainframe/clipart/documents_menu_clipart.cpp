#include "mainframe/clipart/documents_menu_clipart.h"

#include "mainframe/main_frame.h"
#include "platform/mfc/ole.h"

namespace {

constexpr DWORD kBrowserStyle = 0x52000201;
constexpr SIZE kDefaultSize{320, 240};

CMainFrame* ActiveFrame() { return dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetActiveMainFrame()); }

}  // namespace

DocumentsMenuClipart::~DocumentsMenuClipart() = default;

DocumentsMenuClipart* DocumentsMenuClipart::Show(std::unique_ptr<DocumentsMenuClipart> view, UINT neighbour,
                                                 const POINT* position) {
    CMainFrame* frame = ActiveFrame();
    int flags = 0;
    RECT place{100, 100, 100 + kDefaultSize.cx, 100 + kDefaultSize.cy};
    if (position) place = RECT{position->x, position->y, position->x + kDefaultSize.cx, position->y + kDefaultSize.cy};
    // A neighbour given by id is the frame's pane beside which the new one docks.
    CXTPDockingPane* beside = frame && neighbour ? frame->GetPaneManager().FindPane(neighbour) : nullptr;
    CXTPDockingPane* pane = CreateClipartPane(view.get(), frame, flags, &place);
    if (!pane) {
        Destroy(view.release());
        return nullptr;
    }
    if (beside && !beside->IsFloating() && beside->GetContainer()) frame->GetPaneManager().AttachPane(pane, beside);
    DocumentsMenuClipart* shown = view.release();
    if (!shown->CreateContentWithPane(pane)) {
        frame->GetPaneManager().DestroyPane(pane);
        Destroy(shown);
        return nullptr;
    }
    return shown;
}

DocumentsMenuClipart* DocumentsMenuClipart::ShowFolder(const CString& folder, UINT neighbour, const POINT* position) {
    if (folder.IsEmpty()) return nullptr;
    auto view = std::make_unique<DocumentsMenuClipart>();
    view->contentType_ = kFolder;
    view->folderPath_ = folder;
    return Show(std::move(view), neighbour, position);
}

DocumentsMenuClipart* DocumentsMenuClipart::ShowLibrariesGroup(DocumentsMenu::ILibrariesGroup* group, UINT neighbour,
                                                               const POINT* position) {
    if (!group) return nullptr;
    auto view = std::make_unique<DocumentsMenuClipart>();
    if (auto* configuration = dynamic_cast<DocumentsMenu::IConfiguration*>(group)) {
        view->contentType_ = kConfiguration;
        view->cfgPath_ = configuration->GetPath();
    } else {
        view->contentType_ = kLibrariesGroup;
        view->groupId_ = group->GetId();
    }
    return Show(std::move(view), neighbour, position);
}

DocumentsMenuClipart* DocumentsMenuClipart::ShowLibrary(DocumentsMenu::ILibrary* library, UINT neighbour,
                                                        const POINT* position) {
    if (!library) return nullptr;
    auto view = std::make_unique<DocumentsMenuClipart>();
    view->contentType_ = kLibrary;
    view->libId_ = library->GetId();
    return Show(std::move(view), neighbour, position);
}

void DocumentsMenuClipart::UpdateFromDocumentsMenu() {
    if (!browser_ || !browser_->GetSafeHwnd()) return;
    iconSize_ = browser_->GetIconSize();
    if (DocumentsMenu::IConfiguration* configuration = browser_->GetCurrentConfiguration()) {
        contentType_ = kConfiguration;
        cfgPath_ = configuration->GetPath();
    } else if (DocumentsMenu::ILibrariesGroup* group = browser_->GetCurrentLibrariesGroup()) {
        contentType_ = kLibrariesGroup;
        groupId_ = group->GetId();
    } else if (DocumentsMenu::ILibrary* library = browser_->GetCurrentLibrary()) {
        contentType_ = kLibrary;
        libId_ = library->GetId();
    } else if (const CString folder = browser_->GetCurrentFolder(); !folder.IsEmpty()) {
        contentType_ = kFolder;
        folderPath_ = folder;
    }
    CXTPDockingPane* pane = GetDockingPane(this);
    UpdateIcon(pane);
    SetPaneTitle(pane, browser_->GetCurrentPath());
}

void DocumentsMenuClipart::UpdateTitle(CXTPDockingPane* pane) {
    if (browser_ && browser_->GetSafeHwnd()) SetPaneTitle(pane, browser_->GetCurrentPath());
}

bool DocumentsMenuClipart::CreateContent(CXTPDockingPane*) {
    if (browser_ && browser_->GetSafeHwnd()) return true;
    if (!GetSafeHwnd()) return false;
    auto browser = std::make_unique<DocumentsMenu::PreviewWnd>(1);
    if (!browser->Create(this, kBrowserStyle, 0)) return false;
    browser->SetIconSize(iconSize_);
    bool shown = true;
    switch (contentType_) {
        case kConfiguration:
            if (DocumentsMenu::IConfiguration* configuration = DocumentsMenu::FindConfigurationByPath(cfgPath_))
                browser->ShowConfiguration(configuration, true);
            else shown = false;
            break;
        case kLibrariesGroup:
            if (DocumentsMenu::ILibrariesGroup* group = DocumentsMenu::FindLibrariesGroup(groupId_))
                browser->ShowLibrariesGroup(group, true);
            else shown = false;
            break;
        case kLibrary:
            if (DocumentsMenu::ILibrary* library = DocumentsMenu::FindLibrary(libId_)) browser->ShowLibrary(library, true);
            else shown = false;
            break;
        case kFolder:
            if (!folderPath_.IsEmpty()) browser->ShowFolder(folderPath_, true);
            else shown = false;
            break;
        default: shown = false; break;
    }
    if (!shown) {
        browser->DestroyWindow();
        return false;
    }
    browser_ = std::move(browser);
    FitContent();
    return true;
}

void DocumentsMenuClipart::DestroyContent() {
    if (browser_ && browser_->GetSafeHwnd()) browser_->DestroyWindow();
    browser_.reset();
}

HWND DocumentsMenuClipart::GetContentWindow() const { return browser_ ? browser_->GetSafeHwnd() : nullptr; }

void DocumentsMenuClipart::UpdateIcon(CXTPDockingPane* pane) {
    if (!pane || !browser_ || !browser_->GetSafeHwnd()) return;
    if (const HICON icon = browser_->GetCurrentIcon()) {
        PutPaneIcon(pane, false);
        ::DestroyIcon(icon);
    }
}

std::wstring DocumentsMenuClipart::DescribeKeys() const {
    std::wstring keys = L"IconSize=" + std::to_wstring(iconSize_) + L" ContentType=" + std::to_wstring(contentType_);
    switch (contentType_) {
        case kConfiguration: keys += L" CfgPath=\"" + cfgPath_.str() + L"\""; break;
        case kLibrariesGroup: keys += L" GroupID=" + platform::mfc::formatGuid(groupId_); break;
        case kLibrary: keys += L" LibID=" + platform::mfc::formatGuid(libId_); break;
        case kFolder: keys += L" FolderPath=\"" + folderPath_.str() + L"\""; break;
        default: break;
    }
    return keys;
}

void DocumentsMenuClipart::ExchangeKeys(CXTPPropExchange* px) {
    PX_Int(px, L"IconSize", iconSize_, 32);
    PX_Int(px, L"ContentType", contentType_, kNone);
    if (px->IsLoading() && (contentType_ < kNone || contentType_ > kFolder)) contentType_ = kNone;
    switch (contentType_) {
        case kConfiguration: PX_String(px, L"CfgPath", cfgPath_, L""); break;
        case kLibrariesGroup: PX_Guid(px, L"GroupID", groupId_); break;
        case kLibrary: PX_Guid(px, L"LibID", libId_); break;
        case kFolder: PX_String(px, L"FolderPath", folderPath_, L""); break;
        default: break;
    }
    // A view read again while it shows (a reload of the state) keeps showing where it is, at the
    // size the state names: its keys then describe what it shows.
    if (px->IsLoading() && browser_ && browser_->GetSafeHwnd()) {
        browser_->SetIconSize(iconSize_);
        UpdateFromDocumentsMenu();
    }
}
