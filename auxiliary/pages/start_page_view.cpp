#include "auxiliary/pages/start_page_view.h"

#include "auxiliary/pages/page_documents.h"
#include "auxiliary/theme_names.h"
#include "platform/kernel.h"
#include "platform/win32/icons.h"
#include "services/application.h"
#include "services/main_frame.h"

IMPLEMENT_DYNCREATE(CStartPageDocument, CDocument)
IMPLEMENT_DYNCREATE(CManagedStartPage, CView)

namespace {

constexpr UINT kStartPageIcon = 1068;
constexpr UINT kOpenDocumentCommand = 1001;
// Posted to the view itself: the page closes after the control's callback returned.
constexpr UINT kClosePageMessage = WM_APP + 0x168;

CXTPRecentFileList* RecentFiles() {
    const ApplicationServices* app = ApplicationServices::Instance();
    return app ? app->GetRecentFileList() : nullptr;
}

// The window of the main frame that holds `window`, or null.
CFrameWnd* FrameWindowOf(const CWnd* window) {
    MainFrameServices* frame = MainFrameOfWindow(window);
    return frame ? frame->AsMdiMainFrame().AsWindow() : nullptr;
}

// Entries up to the first empty one.
int EntryCount(const CXTPRecentFileList& list) {
    int count = 0;
    while (count < list.GetSize() && !list.m_arrNames[static_cast<std::size_t>(count)].IsEmpty()) ++count;
    return count;
}

bool IsEntry(const CXTPRecentFileList* list, unsigned index) {
    return list && index < static_cast<unsigned>(EntryCount(*list));
}

}  // namespace

BEGIN_MESSAGE_MAP(CManagedStartPage, CView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(kClosePageMessage, &CManagedStartPage::OnClosePage)
END_MESSAGE_MAP()

void ActivatePageView(CView* view) {
    if (ApplicationServices* app = ApplicationServices::Instance()) app->ActivateDocument(nullptr);
    UIModuleProxy::Instance().SetActiveView(view);
}

int CManagedStartPage::OnCreate(LPCREATESTRUCT createStruct) {
    if (CView::OnCreate(createStruct) == -1) return -1;
    if (CFrameWnd* frame = GetParentFrame())
        if (HICON icon = ::LoadIconW(AfxGetInstanceHandle(), kStartPageIcon))
            frame->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    const CString folder = KVNewOptions::GetTemplateFolder();
    std::vector<KorvoManagedUIProxy::RecentItem> items;
    if (const CXTPRecentFileList* list = RecentFiles())
        for (int i = 0; i < EntryCount(*list); ++i)
            items.push_back({list->m_arrNames[static_cast<std::size_t>(i)], list->IsPinned(i) != FALSE});
    const NativeSettings::StartPage& settings = GetSettings().startPage;
    m_control = KorvoManagedUIProxy::StartPageController::CreateControl(
        m_hWnd, folder, items, this, settings.displayOption, settings.closeAfterOpen);
    if (!m_control) return -1;
    const Korvo::UI::Theme* theme = UIModuleProxy::Instance().GetCurrentTheme();
    SetTheme(ParseThemeName(theme ? theme->name.GetString() : L""));
    return 0;
}

void CManagedStartPage::OnDestroy() {
    if (m_control) KorvoManagedUIProxy::StartPageController::DestroyControl(m_control);
    m_control = nullptr;
    CView::OnDestroy();
}

void CManagedStartPage::OnSize(UINT, int cx, int cy) {
    if (!m_control) return;
    ::SetWindowPos(m_control, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ::RedrawWindow(m_control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CManagedStartPage::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
    if (activate) ActivatePageView(this);
    CView::OnActivateView(activate, activated, deactivated);
}

void CManagedStartPage::OnRecentDocumentAdded(int removedIndex) {
    if (removedIndex >= 0) KorvoManagedUIProxy::StartPageController::RecentDocumentRemoved(m_control, removedIndex);
    const CXTPRecentFileList* list = RecentFiles();
    if (list && EntryCount(*list) > 0)
        KorvoManagedUIProxy::StartPageController::RecentDocumentAdded(m_control, list->m_arrNames[0],
                                                                      list->IsPinned(0) != FALSE);
}

void CManagedStartPage::OnRecentDocumentRemoved(int index) {
    KorvoManagedUIProxy::StartPageController::RecentDocumentRemoved(m_control, index);
}

void CManagedStartPage::OnRecentDocumentPinStateChanged(int index) {
    const CXTPRecentFileList* list = RecentFiles();
    if (index < 0 || !IsEntry(list, static_cast<unsigned>(index))) return;
    KorvoManagedUIProxy::StartPageController::RecentDocumentPinStateChanged(m_control, index,
                                                                            list->IsPinned(index) != FALSE);
}

void CManagedStartPage::SetTheme(int themeNumber) {
    KorvoManagedUIProxy::StartPageController::SetTheme(m_control, themeNumber);
}

void CManagedStartPage::SetPrototypeFolder(const CString& folder, bool refresh) {
    KorvoManagedUIProxy::StartPageController::SetPrototypeFolder(m_control, folder, refresh);
}

void CManagedStartPage::CloseAfterOpen(bool close) {
    if (!close || !KVGetActiveDoc(FrameWindowOf(this))) return;
    PostMessage(kClosePageMessage, 0, 0);
}

LRESULT CManagedStartPage::OnClosePage(WPARAM, LPARAM) {
    if (CDocument* document = GetDocument()) document->OnCloseDocument();
    return 0;
}

void CManagedStartPage::OpenRecentDocument(unsigned index, bool closeAfterOpen) {
    // Only a real entry: a slot past the entries would open whatever the empty slot names.
    if (!IsEntry(RecentFiles(), index)) return;
    GetSettings().startPage.closeAfterOpen = closeAfterOpen;
    if (CFrameWnd* frame = FrameWindowOf(this)) frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + index, 0);
    CloseAfterOpen(closeAfterOpen);
}

void CManagedStartPage::RemoveRecentDocument(unsigned index) {
    CXTPRecentFileList* list = RecentFiles();
    if (IsEntry(list, index)) list->Remove(static_cast<int>(index));
}

void CManagedStartPage::SetRecentDocumentPinned(unsigned index, bool pinned) {
    CXTPRecentFileList* list = RecentFiles();
    if (IsEntry(list, index)) list->SetPinned(static_cast<int>(index), pinned ? TRUE : FALSE);
}

void CManagedStartPage::OpenDocument(bool closeAfterOpen) {
    GetSettings().startPage.closeAfterOpen = closeAfterOpen;
    if (CFrameWnd* frame = FrameWindowOf(this)) frame->SendMessage(WM_COMMAND, kOpenDocumentCommand, 0);
    CloseAfterOpen(closeAfterOpen);
}

void CManagedStartPage::CreateDocumentFromPrototype(LPCWSTR path, bool closeAfterOpen) {
    GetSettings().startPage.closeAfterOpen = closeAfterOpen;
    Korvo::DocumentManager::Instance().CreateAndSaveNewDocumentFromPrototype(path, Korvo::DocInitParams());
    CloseAfterOpen(closeAfterOpen);
}

void CManagedStartPage::SetShowOption(bool show) { GetSettings().startPage.displayOption = show; }

bool CManagedStartPage::ExecuteLink(LPCWSTR url) {
    ApplicationServices* app = ApplicationServices::Instance();
    return app && app->OnHelpLink(url);
}
