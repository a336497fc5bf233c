#include "documentsmenu/window/form_factor_preview_wnd.h"

#include "documentsmenu/file_drag_source.h"
#include "documentsmenu/window/preview_form_factor_apply_manager.h"
#include "platform/win32.h"

namespace DocumentsMenu {

namespace {

constexpr UINT kPreviewId = 1037;

CString FileNamePart(const CString& path) { return path.Mid(path.ReverseFind(L'\\') + 1); }

}  // namespace

// ---- The control site -----------------------------------------------------------------------------

FormFactorPreviewControlSite::~FormFactorPreviewControlSite() {
    if (report_) report_->GetState().Save(StateFile());
}

CString FormFactorPreviewControlSite::StateFile() { return GetOptions().GetFolder() + L"\\FormFactorPreview"; }

void FormFactorPreviewControlSite::SetDocument(ILibrary* library, const CString& name, bool refresh) {
    if (!report_) return;
    library_ = LibraryRef(library);
    documentName_ = name;
    report_->SetActiveDocument(library ? GetLibraryAbsolutePath(library) + name : CString(), refresh);
}

BOOL FormFactorPreviewControlSite::InitCommandBars() {
    if (!FormFactorControlSiteBase::InitCommandBars()) return FALSE;
    CXTPCommandBars* bars = GetCommandBars();
    bars->GetToolTipContext()->SetStyle(xtpToolTipOffice);
    CXTPCommandBarsOptions& options = *bars->GetCommandBarsOptions();
    options.ShowKeyboardCues(xtpKeyboardCuesShowWindowsDefault);
    options.szIcons = SIZE{16, 16};
    options.szLargeIcons = SIZE{24, 24};
    options.szPopupIcons = SIZE{0, 0};
    CXTPToolBar* bar = bars->Add(L"FormFactor", xtpBarTop);
    if (!bar) return FALSE;
    bar->EnableDocking(kToolBarDocking);
    bar->ShowGripper(FALSE);
    bar->SetVisible(TRUE);
    CXTPControls* controls = bar->GetControls();
    CXTPControl* label = controls->Add(xtpControlLabel, 0);
    label->SetCaption(Korvo::I18n::Translate(L"FormFactorView"));
    const CString searchText = Korvo::I18n::Translate(L"FormFactorView.SearchString");
    auto* box = new Korvo::UI::ReportControlSearchBox(report_.get());
    controls->Add(box, 0);
    box->SetFlags(box->GetFlags() | xtpFlagControlStretched);
    Korvo::UI::SetControlParameters(box, searchText, 0, 0, xtpButtonAutomatic, 0);
    auto* find = new Korvo::UI::ReportControlFindButton(box);
    controls->Add(find, 0);
    Korvo::UI::SetControlParameters(find, Korvo::I18n::Translate(L"FormFactorView.Search"), kFindIcon, 0, xtpButtonIcon, 0);
    box->AddControl(find);
    box->AddColumn(Korvo::UI::FormFactorReportControl::kNameColumn);
    CXTPControl* view = controls->Add(xtpControlButton, kChangeViewMode);
    Korvo::UI::SetControlParameters(view, Korvo::I18n::Translate(L"FormFactorView.ChangeViewMode"), 0,
                                    kChangeViewMode, 2, 1);
    // The site handles the button itself: no command update greys it.
    view->SetFlags(view->GetFlags() | xtpFlagManualUpdate);
    return TRUE;
}

bool FormFactorPreviewControlSite::CreateReportControl() {
    auto report = std::make_unique<Korvo::UI::FormFactorReportControl>(
        Korvo::UI::FormFactorReportControl::State::Load(StateFile()));
    report_ = std::move(report);
    if (!report_->Create(this, kReportId)) return false;
    report_->SetOwnerSite(this);
    report_->EnableDragDrog(true);
    report_->SetDragCallback([this](const CString& name) { OnFormFactorDragged(name); });
    report_->SetDoubleClickCallback([this](const CString& name) { ApplyFormFactor(name); });
    return true;
}

bool FormFactorPreviewControlSite::OnSiteCommand(UINT id) {
    switch (id) {
        case kApplyFocused: ApplyFocusedFormFactor(); return true;
        case kInsertFocused: InsertFocusedFormFactor(); return true;
        default: return FormFactorControlSiteBase::OnSiteCommand(id);
    }
}

void FormFactorPreviewControlSite::OnFormFactorDragged(const CString& name) {
    const auto provider = report_ ? report_->GetProvider() : nullptr;
    if (!provider) return;
    provider->SetCurrentFormFactor(name);
    PreviewFormFactorApplyManager::Instance().SetPending(provider);
    FileDragSource::Instance().DragFile(provider->GetDocumentPath(), DROPEFFECT_COPY);
}

void FormFactorPreviewControlSite::ApplyFormFactor(const CString& name) {
    const auto provider = report_ ? report_->GetProvider() : nullptr;
    if (!provider) return;
    provider->SetCurrentFormFactor(name);
    report_->SetSelectedFormFactor(name);
    CWinApp* application = AfxGetApp();
    CDocument* opened = application ? application->OpenDocumentFile(provider->GetDocumentPath()) : nullptr;
    auto& manager = PreviewFormFactorApplyManager::Instance();
    manager.SetPending(provider);
    manager.ApplyToOpenedDocument(dynamic_cast<CKvw32Doc*>(opened));
}

void FormFactorPreviewControlSite::ApplyFocusedFormFactor() {
    const CString focused = report_ ? report_->GetFocusedFormFactor() : CString();
    if (!focused.IsEmpty()) ApplyFormFactor(focused);
}

void FormFactorPreviewControlSite::InsertFocusedFormFactor() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    CKVView* view = frame ? frame->GetActiveKorvoView() : nullptr;
    if (!view || !report_) return;
    const CString focused = report_->GetFocusedFormFactor();
    const auto provider = report_->GetProvider();
    if (focused.IsEmpty() || !provider) return;
    provider->SetCurrentFormFactor(focused);
    report_->SetSelectedFormFactor(focused);
    CFragmentPath& fragment = CFragmentPath::InitInstance();
    fragment.Reset();
    const CString path = provider->GetDocumentPath();
    fragment.SetPath(path);
    if (ILibrary* library = library_.Get()) {
        CString link;
        link.Format(L"<%s>%s", library->GetDisplayName().GetString(), FileNamePart(path).GetString());
        fragment.SetLinkText(link);
    }
    auto& manager = PreviewFormFactorApplyManager::Instance();
    manager.SetPending(provider);
    manager.Apply(fragment);
    view->InsertFragment(fragment);
}

// ---- The window ------------------------------------------------------------------------------------

LRESULT FormFactorPreviewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            if (CWnd::WindowProc(message, wParam, lParam) == -1) return -1;
            // Without its site the window still stands; it shows nothing.
            if (site_.Create(this, kSiteId))
                if (const Korvo::UI::Theme* theme = UIModuleProxy::Instance().GetCurrentTheme()) site_.SetTheme(*theme);
            return 0;
        }
        case WM_SIZE:
            if (site_.GetSafeHwnd()) site_.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SHOWWINDOW:
            // The remembered name keeps a document of a library's sub-folder (the file name of
            // its path alone would not).
            if (wParam) site_.SetDocument(site_.GetLibrary(), site_.GetDocumentName(), true);
            break;
        case WM_ERASEBKGND: return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == kIgnoredCommand) return 0;
            // The site's commands reach it through its window.
            if (lParam == 0 && site_.GetSafeHwnd()) return site_.SendMessage(WM_COMMAND, wParam, 0);
            break;
        default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void FormFactorPreviewWnd::OnFinalRelease() {
    if (GetSafeHwnd()) DestroyWindow();
    CWnd::OnFinalRelease();
}

CXTPSmartPtrInternalT<FormFactorPreviewWnd> CreateFormFactorPreviewWnd(CWnd* parent) {
    auto* window = new FormFactorPreviewWnd();
    RECT client{};
    if (parent && parent->GetSafeHwnd()) parent->GetClientRect(&client);
    if (!parent || !window->CreateEx(0, L"STATIC", L"", WS_CHILD, client, parent, kPreviewId)) {
        KVLog_Write(6, L"Failed to create form factor preview window");
        window->InternalRelease();
        return CXTPSmartPtrInternalT<FormFactorPreviewWnd>();
    }
    return CXTPSmartPtrInternalT<FormFactorPreviewWnd>(window);
}

}  // namespace DocumentsMenu
