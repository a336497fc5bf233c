#include "commandbars/backstage/backstage_pages.h"

#include <algorithm>

namespace {

constexpr LPCWSTR kThemeSection = L"CommandBars.Ribbon.Backstage";
constexpr DWORD kHostedStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

RECT clientOf(const CWnd& window) {
    RECT rect{};
    if (window.GetSafeHwnd()) ::GetClientRect(window.GetSafeHwnd(), &rect);
    return rect;
}

CKvw32Doc* activeDocument() {
    KorvoServerAppProxy* app = KorvoServerAppProxy::Instance();
    return app ? app->GetCurrentDocument() : nullptr;
}

KVDocument* activeDocument2D() {
    CKvw32Doc* document = activeDocument();
    return document ? document->Cont2D() : nullptr;
}

bool isOpenDocument(CKvw32Doc* document) {
    const std::vector<CKvw32Doc*> open = Korvo::DocumentManager::Instance().GetDocuments();
    return std::find(open.begin(), open.end(), document) != open.end();
}

}  // namespace

// ---- Theme and help -----------------------------------------------------------------------------

void KVRibbonBackstagePage::SetTheme(int theme) {
    theme_ = theme;
    background_ = XTPIniColor(kThemeSection, L"PageBackground", GetSysColor(COLOR_WINDOW));
    text_ = XTPIniColor(kThemeSection, L"PageText", GetSysColor(COLOR_WINDOWTEXT));
}

KVRibbonHelpChangingBackstagePage::~KVRibbonHelpChangingBackstagePage() {
    if (modifier_) modifier_->Reset();
}

BOOL KVRibbonHelpChangingBackstagePage::OnSetActive() {
    if (modifier_) modifier_->Reset();
    modifier_ = std::make_unique<HelpIDModifier>();
    modifier_->SetHelpID(helpId_, nullptr, false);
    return KVRibbonBackstagePage::OnSetActive();
}

BOOL KVRibbonHelpChangingBackstagePage::OnKillActive() {
    if (modifier_) modifier_->Reset();
    modifier_.reset();
    return KVRibbonBackstagePage::OnKillActive();
}

// ---- Print ------------------------------------------------------------------------------------

KVRibbonBackstagePrintPage::~KVRibbonBackstagePrintPage() {
    destroyPrintWindow();
    if (GetSafeHwnd()) CWnd::DestroyWindow();
}

BOOL KVRibbonBackstagePrintPage::CreatePage(CWnd* ribbon) {
    static constexpr LPCWSTR kClass = L"Korvo.RibbonBackstagePrintPage";
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hInstance = AfxGetInstanceHandle();
        windowClass.lpszClassName = kClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered || !ribbon || !ribbon->GetSafeHwnd()) return FALSE;
    return CreateEx(0, kClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, RECT{0, 0, 0, 0}, ribbon, 0);
}

void KVRibbonBackstagePrintPage::destroyPrintWindow() {
    if (print_ && print_->GetSafeHwnd()) print_->DestroyWindow();
    print_.reset();
}

BOOL KVRibbonBackstagePrintPage::OnSetActive() {
    // The page hears of closed documents only through the next active view: one closed since
    // then must not reach the kernel.
    if (document_ && !isOpenDocument(document_)) {
        destroyPrintWindow();
        document_ = nullptr;
    }
    makePrintWindow();
    return KVRibbonHelpChangingBackstagePage::OnSetActive();
}

void KVRibbonBackstagePrintPage::makePrintWindow() {
    if (print_ || (!context_ && !document_)) return;
    std::unique_ptr<KVPrintWnd> created = context_ ? create_print_wnd(*context_) : create_print_wnd(document_);
    destroyPrintWindow();
    if (created && created->CreatePrintWindow(kHostedStyle, clientOf(*this), this)) print_ = std::move(created);
}

bool KVRibbonBackstagePrintPage::isShown() const { return GetSafeHwnd() && (GetStyle() & WS_VISIBLE) != 0; }

void KVRibbonBackstagePrintPage::SetDocument(CKvw32Doc* document) {
    if (document == document_) return;
    destroyPrintWindow();
    document_ = document;
    context_.reset();
    // A page on show is not activated again (its tab is the active one already): it prints the
    // new document at once.
    if (isShown()) makePrintWindow();
}

void KVRibbonBackstagePrintPage::SetDrawingContext(std::shared_ptr<Korvo::Print::PrintDrawingContext> context) {
    if (context == context_) return;
    destroyPrintWindow();
    context_ = std::move(context);
    if (isShown()) makePrintWindow();
}

void KVRibbonBackstagePrintPage::DropPrintWindow() {
    destroyPrintWindow();
    context_.reset();
}

LRESULT KVRibbonBackstagePrintPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = KVRibbonHelpChangingBackstagePage::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE && print_ && print_->GetSafeHwnd()) {
        const RECT client = clientOf(*this);
        ::MoveWindow(print_->GetSafeHwnd(), 0, 0, client.right - client.left, client.bottom - client.top, TRUE);
    }
    return result;
}

// ---- New document --------------------------------------------------------------------------------

int PrototypesThemeCode(int theme, COLORREF background) {
    // 0.299 R + 0.587 G + 0.114 B over 255 above one half, in whole numbers.
    const long weighted = 299L * GetRValue(background) + 587L * GetGValue(background) + 114L * GetBValue(background);
    const bool light = weighted > 500L * 255L;
    const int base = theme == 12 ? 2 : theme == 16 ? 4 : 0;
    return base + (light ? 0 : 1);
}

KVRibbonNewDocumentBackstagePage::~KVRibbonNewDocumentBackstagePage() { DestroyWindow(); }

BOOL KVRibbonNewDocumentBackstagePage::CreatePage(CWnd* ribbon) {
    auto* callback = dynamic_cast<KorvoManagedUIProxy::IPrototypesCallback*>(AfxGetApp());
    HWND control = KorvoManagedUIProxy::PrototypesController::CreateControl(ribbon ? ribbon->GetSafeHwnd() : nullptr, nullptr, callback);
    if (!control) return FALSE;
    ::ShowWindow(control, SW_HIDE);
    return Attach(control);
}

BOOL KVRibbonNewDocumentBackstagePage::OnSetActive() {
    if (!folderPassed_ && GetSafeHwnd()) SetPrototypeFolder(KVNewOptions::GetTemplateFolder(), false);
    return KVRibbonHelpChangingBackstagePage::OnSetActive();
}

void KVRibbonNewDocumentBackstagePage::SetPrototypeFolder(LPCWSTR folder, bool flag) {
    if (!GetSafeHwnd()) return;
    KorvoManagedUIProxy::PrototypesController::SetPrototypeFolder(GetSafeHwnd(), folder, flag);
    folderPassed_ = true;
}

void KVRibbonNewDocumentBackstagePage::SetTheme(int theme) {
    KVRibbonBackstagePage::SetTheme(theme);
    if (GetSafeHwnd()) KorvoManagedUIProxy::PrototypesController::SetTheme(GetSafeHwnd(), PrototypesThemeCode(theme, background_));
}

BOOL KVRibbonNewDocumentBackstagePage::DestroyWindow() {
    const HWND control = Detach();
    if (!control) return FALSE;
    ::DestroyWindow(control);
    return TRUE;
}

// ---- Export ---------------------------------------------------------------------------------------

KVRibbonExportBackstagePageBase::KVRibbonExportBackstagePageBase(CWnd* parent, UINT helpId, bool toPdm)
    : KVRibbonHelpChangingBackstagePage(helpId), toPdm_(toPdm) {
    HWND control = KorvoManagedUIProxy::ExportController::CreateControl(parent ? parent->GetSafeHwnd() : nullptr, {}, this);
    if (!control) return;
    ::ShowWindow(control, SW_HIDE);
    Attach(control);
}

KVRibbonExportBackstagePageBase::~KVRibbonExportBackstagePageBase() { DestroyWindow(); }

BOOL KVRibbonExportBackstagePageBase::DestroyWindow() {
    const HWND control = Detach();
    if (!control) return FALSE;
    ::DestroyWindow(control);
    return TRUE;
}

BOOL KVRibbonExportBackstagePageBase::OnSetActive() {
    if (!filtersLoaded_ && GetSafeHwnd()) {
        std::vector<KorvoManagedUIProxy::ExportFilter> filters;
        for (const auto& filter : LTModuleProxy::Instance().GetExportFilters(activeDocument2D()))
            filters.push_back({filter.name, filter.pattern, filter.module});
        KorvoManagedUIProxy::ExportController::SetFilters(GetSafeHwnd(), filters);
        filtersLoaded_ = true;
    }
    if (!themed_ && GetSafeHwnd()) {
        KorvoManagedUIProxy::ExportController::SetTheme(GetSafeHwnd(), background_, text_);
        themed_ = true;
    }
    return KVRibbonHelpChangingBackstagePage::OnSetActive();
}

void KVRibbonExportBackstagePageBase::SetTheme(int theme) {
    KVRibbonBackstagePage::SetTheme(theme);
    if (GetSafeHwnd()) KorvoManagedUIProxy::ExportController::SetTheme(GetSafeHwnd(), background_, text_);
}

void KVRibbonExportBackstagePageBase::OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) {
    const auto* flags = dynamic_cast<const ModuleFlagsEventArgs*>(&args);
    if (eventId != kEventExportModulesChanged || !flags) return;
    if ((flags->GetFirstFlags() & 4) && !(flags->GetSecondFlags() & 2)) filtersLoaded_ = false;
}

void KVRibbonExportBackstagePageBase::OnExportChosen(int index) {
    LTModuleProxy::Instance().Export(activeDocument2D(), toPdm_, index);
}

// ---- Recent files -------------------------------------------------------------------------------

BOOL RecentFilesBackstagePage::OnSetActive() {
    const BOOL shown = CXTPRibbonBackstagePageRecent::OnSetActive();
    for (Item& item : GetItems()) item.network = item.path.IsEmpty() || PathIsNetworkPathW(item.path);
    return shown;
}

BOOL RecentFilesBackstagePage::OnKillActive() {
    CWinApp* app = AfxGetApp();
    if (auto* list = dynamic_cast<CXTPRecentFileList*>(app ? app->m_pRecentFileList : nullptr)) list->OnPinStateChanged(-1);
    return CXTPRibbonBackstagePageRecent::OnKillActive();
}
