#include "documentsmenu/documents_menu_dlg.h"

#include <algorithm>

#include "documentsmenu/window/preview_wnd.h"
#include "documentsmenu/window/tool_bar_controls.h"

namespace DocumentsMenu {

namespace {

constexpr double kGoldenRatio = 1.618034;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr SIZE kMinPaneSize{50, 50};  // at 96 dpi
constexpr int kBarHeight = 26;        // at 96 dpi
constexpr DWORD kMainBarDocking = 96;     // stretched, no wrapping
constexpr DWORD kSearchBarDocking = 97;   // top, stretched, no wrapping
constexpr UINT kAcceleratorTable = 1051;
constexpr int kMainBarIcons[] = {690, 691, 1912, 693, 696, 40780};

int Scaled(int value) { return XTPDpiHelper()->ScaleX(value); }

}  // namespace

BEGIN_MESSAGE_MAP(DocumentsMenuDlg, CXTPDialogBase<CWnd>)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &DocumentsMenuDlg::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

DocumentsMenuDlg::DocumentsMenuDlg() : splitter_(kGoldenRatio, true), structure_(this) {}

// Clients are expected to have left; the views let go of the model with the structure.
DocumentsMenuDlg::~DocumentsMenuDlg() {
    // The browsers observe this window: they leave it while its client list is still here.
    preview_.reset();
    clients_.clear();
    if (GetSafeHwnd()) DestroyWindow();
}

int DocumentsMenuDlg::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    if (!splitter_.Create(this, kChildStyle, kSplitterId)) return -1;
    splitter_.SetMinPaneSize(SIZE{Scaled(kMinPaneSize.cx), Scaled(kMinPaneSize.cy)});
    if (!structure_.Create(&splitter_, kChildStyle, Korvo::UI::SimpleSplitter::GetPaneId(0))) return -1;
    auto preview = std::make_unique<PreviewWnd>();
    if (!preview->Create(&splitter_, kChildStyle, Korvo::UI::SimpleSplitter::GetPaneId(1))) return -1;
    preview_ = std::move(preview);
    if (!createCommandBars()) return -1;
    createToolBars();
    recalcLayout();
    return 0;
}

bool DocumentsMenuDlg::createCommandBars() {
    if (!InitCommandBars()) return false;
    commandBarsSite_.UpdateCommandBarsOptions(GetCommandBars());
    CXTPCommandBarsOptions& options = *GetCommandBars()->GetCommandBarsOptions();
    options.szIcons = SIZE{16, 16};
    options.szLargeIcons = SIZE{24, 24};
    options.szPopupIcons = SIZE{16, 16};
    options.ShowKeyboardCues(xtpKeyboardCuesShowWindowsDefault);
    GetCommandBars()->GetShortcutManager()->SetAccelerators(kAcceleratorTable);
    return true;
}

void DocumentsMenuDlg::createToolBars() {
    CXTPCommandBars* bars = GetCommandBars();
    mainBar_ = bars->Add(L"", xtpBarTop);
    mainBar_->EnableDocking(kMainBarDocking);
    CXTPImageManager* images = bars->GetImageManager();
    // Each icon under its own id; the collapse button shows resource 496.
    for (int icon : kMainBarIcons) images->SetIcon(static_cast<UINT>(icon), 16);
    images->SetIcon(kCollapseId, 16);
    CXTPControls* mainControls = mainBar_->GetControls();
    mainControls->Add(new OpenConfigurationButton, kOpenConfigurationId);
    varnelButton_ = static_cast<OpenVarnelConfigurationButton*>(
        mainControls->Add(new OpenVarnelConfigurationButton, kOpenVarnelConfigurationId));

    searchBar_ = bars->Add(Korvo::I18n::Translate(L"panels.search_panel"), xtpBarTop);
    searchBar_->EnableDocking(kSearchBarDocking);
    searchBar_->SetVisible(TRUE);
    searchBox_ = static_cast<ComboBoxFind*>(searchBar_->GetControls()->Add(new ComboBoxFind(structure_), kSearchBoxId));
    auto* find = static_cast<ButtonFind*>(searchBar_->GetControls()->Add(new ButtonFind(*searchBox_), kFindId));
    searchBox_->SetFindButton(find);

    mainControls->Add(new CollapseButton(structure_), kCollapseId);
    mainControls->Add(new ColumnsSelector(structure_), 0);
    mainControls->CreateOriginalControls();
}

void DocumentsMenuDlg::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    recalcLayout();
}

// The tool bars stand one above the other at the top; the splitter takes the rest.
void DocumentsMenuDlg::recalcLayout() {
    if (!GetSafeHwnd() || !splitter_.GetSafeHwnd()) return;
    const RECT rest = RepositionBars(kBarHeight);
    splitter_.MoveWindow(&rest);
}

BOOL DocumentsMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;
    if (lParam != 0 || !preview_ || preview_->GetMode() != PreviewWnd::kModeFormFactor) return FALSE;
    preview_->SendMessage(WM_COMMAND, wParam, 0);
    return TRUE;
}

LRESULT DocumentsMenuDlg::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (varnelButton_) varnelButton_->UpdateVisibility();
    if (GetCommandBars()) GetCommandBars()->UpdateCommandBars();
    return 0;
}

void DocumentsMenuDlg::AddClient(IClient* client) {
    if (client && std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void DocumentsMenuDlg::RemoveClient(IClient* client) { std::erase(clients_, client); }

template <class Call>
void DocumentsMenuDlg::notifyClients(Call call) {
    // A client may leave while it is told.
    const std::vector<IClient*> clients = clients_;
    for (IClient* client : clients) {
        if (std::find(clients_.begin(), clients_.end(), client) != clients_.end()) call(*client);
    }
}

bool DocumentsMenuDlg::SetShowHidden(bool show) {
    if (!structure_.SetShowHidden(show)) return false;
    notifyClients([](IClient& client) { client.ShowHiddenChanged(); });
    return true;
}

bool DocumentsMenuDlg::SetShowExcluded(bool show) {
    if (show == showExcluded_) return false;
    showExcluded_ = show;
    if (structure_.GetSafeHwnd()) structure_.SetFilter(CString());
    notifyClients([](IClient& client) { client.ShowExcludedChanged(); });
    return true;
}

int DocumentsMenuDlg::GetSplitMode() const {
    if (!splitter_.IsSecondPaneShown()) return 0;
    return splitter_.IsHorizontal() ? 1 : 2;
}

bool DocumentsMenuDlg::SetSplitMode(int mode) {
    if (mode < 0 || mode > 2 || mode == GetSplitMode()) return false;
    if (mode == 0) {
        splitter_.ShowSecondPane(false, true, false);
        return true;
    }
    splitter_.SetHorizontal(mode == 1, true, false, false);
    splitter_.ShowSecondPane(true, true, false);
    return true;
}

bool DocumentsMenuDlg::IsHidden(ILibrary* library, const CString& documentName) const {
    return viewState_.IsDocumentHidden(library, documentName);
}

void DocumentsMenuDlg::SetHidden(ILibrariesGroup* group, bool hidden) {
    if (!group) return;
    viewState_.SetGroupHidden(group, hidden);
    notifyClients([group](IClient& client) { client.LibrariesGroupHiddenChanged(group); });
}

void DocumentsMenuDlg::SetHidden(ILibrary* library, bool hidden) {
    if (!library) return;
    viewState_.SetLibraryHidden(library, hidden);
    notifyClients([library](IClient& client) { client.LibraryHiddenChanged(library); });
}

void DocumentsMenuDlg::SetHidden(ILibrary* library, const CString& documentName, bool hidden) {
    if (!library) return;
    viewState_.SetDocumentHidden(library, documentName, hidden);
    notifyClients([&](IClient& client) { client.DocumentHiddenChanged(library, documentName); });
}

bool DocumentsMenuDlg::browserShown() const { return preview_ && GetSplitMode() != 0; }

bool DocumentsMenuDlg::ShowInBrowser(IConfiguration* configuration) {
    if (!browserShown()) return false;
    preview_->SetClient(this);
    preview_->ShowConfiguration(configuration, true);
    return true;
}

bool DocumentsMenuDlg::ShowInBrowser(ILibrariesGroup* group) {
    // A configuration's row hands its group base.
    if (auto* configuration = dynamic_cast<IConfiguration*>(group)) return ShowInBrowser(configuration);
    if (!browserShown()) return false;
    preview_->SetClient(this);
    preview_->ShowLibrariesGroup(group, true);
    return true;
}

bool DocumentsMenuDlg::ShowInBrowser(ILibrary* library) {
    if (!browserShown()) return false;
    preview_->SetClient(this);
    preview_->ShowLibrary(library, true);
    return true;
}

bool DocumentsMenuDlg::ShowInBrowser(ILibrary* library, const CString& documentName) {
    if (!browserShown()) return false;
    preview_->SetClient(this);
    return preview_->ShowDocument(library, documentName, true);
}

void DocumentsMenuDlg::ClearBrowser() {
    if (browserShown()) preview_->Hide();
}

BOOL DocumentsMenuDlg::DoPropExchange(CXTPPropExchange* px) {
    if (searchBar_) {
        bool show = searchBar_->IsVisible() != FALSE;
        PX_Bool(px, L"ShowSearchToolBar", show, true);
        if (px->IsLoading()) {
            searchBar_->SetVisible(show ? TRUE : FALSE);
            recalcLayout();
        }
    }
    {
        CXTPPropExchangeSection state(px->GetSection(L"State"));
        viewState_.DoPropExchange(state.get());
    }
    PX_Bool(px, L"ShowExcluded", showExcluded_, showExcluded_);
    structure_.DoPropExchange(px);
    splitter_.DoPropExchange(px);
    if (!px->IsLoading() && browserShown()) iconSize_ = preview_->GetIconSize();
    PX_Int(px, L"IconSize", iconSize_, iconSize_);
    if (px->IsLoading() && browserShown()) preview_->SetIconSize(iconSize_);
    return TRUE;
}

void DocumentsMenuDlg::OnAttachedToPane(CXTPDockingPane*) {
    commandBarsSite_.UpdateCommandBarsOptions(GetCommandBars());
    if (structure_.GetSafeHwnd()) structure_.EnsurePopulated();
}

void DocumentsMenuDlg::OnToBeDetachedFromPane(CXTPDockingPane*) { structure_.ClearSelection(); }

void DocumentsMenuDlg::SetTheme(const Korvo::UI::Theme& theme) {
    structure_.SetTheme(theme);
    if (preview_) preview_->SetTheme(theme);
}

void DocumentsMenuDlg::OnApplicationEvent(UINT eventId, const ApplicationEventArgs&) {
    if (eventId != kEventProfileApplied) return;
    commandBarsSite_.UpdateCommandBarsOptions(GetCommandBars());
    structure_.ApplyScreenTipOption();
}

}  // namespace DocumentsMenu
