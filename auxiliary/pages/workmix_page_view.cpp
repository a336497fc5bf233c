#include "auxiliary/pages/workmix_page_view.h"

#include <unordered_set>

#include "auxiliary/pages/start_page_view.h"
#include "platform/win32/icons.h"

IMPLEMENT_DYNCREATE(CWorkmixPageDocument, CDocument)
IMPLEMENT_DYNCREATE(CWorkmixPageView, CView)

namespace {

constexpr UINT kWorkmixPageIcon = 610;
constexpr int kSmallIconSide = 16;

std::unordered_set<CWorkmixPageView*>& LiveViews() {
    static std::unordered_set<CWorkmixPageView*> views;
    return views;
}

// A PDM failure is the PDM system's to tell; the view stays as it was.
template <class Call>
void Guarded(Call&& call) {
    try {
        call();
    } catch (KVPDMExceptionProxy* error) {
        error->Report();
        error->Delete();
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CWorkmixPageView, CView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CWorkmixPageView::CWorkmixPageView() { LiveViews().insert(this); }

CWorkmixPageView::~CWorkmixPageView() {
    LiveViews().erase(this);
    if (m_page) m_page->Release();
    if (m_icon) DestroyIcon(m_icon);
}

std::vector<CWorkmixPageView*> CWorkmixPageView::OpenViews() {
    return std::vector<CWorkmixPageView*>(LiveViews().begin(), LiveViews().end());
}

void CWorkmixPageView::ShowIcon(HICON icon) {
    if (m_icon && m_icon != icon) DestroyIcon(m_icon);
    m_icon = icon;
    if (CFrameWnd* frame = GetParentFrame())
        frame->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
}

void CWorkmixPageView::ShowDefaultIcon() {
    HICON resource = ::LoadIconW(AfxGetInstanceHandle(), kWorkmixPageIcon);
    ShowIcon(resource ? static_cast<HICON>(CopyImage(resource, IMAGE_ICON, kSmallIconSide, kSmallIconSide,
                                                     LR_COPYFROMRESOURCE))
                      : nullptr);
    if (resource) DestroyIcon(resource);
}

bool CWorkmixPageView::AttachPage() {
    Guarded([this] {
        KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
        KVPDMPageFactory* factory = workMix ? workMix->GetPageFactory() : nullptr;
        if (!m_page && factory) {
            m_pageUrl = GetSettings().startPage.workmixUrl;
            if (!m_pageUrl.IsEmpty()) {
                KVPDMPage* page = factory->CreatePage(m_pageUrl);
                if (m_page) m_page->Release();
                m_page = page;
            }
        }
    });
    if (!m_page) return true;
    Guarded([this] {
        const HWND window = m_page->GetWindow();
        if (!window) return;
        ::SetParent(window, m_hWnd);
        KVPDMPageInformation* information = m_page->GetInformation();
        if (!information) return;
        bool iconShown = false;
        if (HICON icon = information->GetIcon()) {
            ShowIcon(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, kSmallIconSide, kSmallIconSide, LR_COPYFROMRESOURCE)));
            iconShown = m_icon != nullptr;
        }
        if (auto* document = dynamic_cast<CWorkmixPageDocument*>(GetDocument()))
            document->SetPageTitle(information->GetTitle());
        information->Release();
        // A page without an icon shows the view's own, as a new view does.
        if (!iconShown && GetSafeHwnd()) ShowDefaultIcon();
    });
    return true;
}

void CWorkmixPageView::DetachPage() {
    if (m_page) {
        Guarded([this] {
            if (const HWND window = m_page->GetWindow()) ::DestroyWindow(window);
        });
        m_page->Release();
        m_page = nullptr;
    }
    // The tab must not keep showing an icon that is destroyed: it gets the view's own again.
    if (GetSafeHwnd()) ShowDefaultIcon();
}

int CWorkmixPageView::OnCreate(LPCREATESTRUCT createStruct) {
    if (CView::OnCreate(createStruct) == -1) return -1;
    AttachPage();
    if (!m_icon) ShowDefaultIcon();
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    return 0;
}

void CWorkmixPageView::OnDestroy() {
    if (m_page) {
        Guarded([this] {
            if (const HWND window = m_page->GetWindow()) ::DestroyWindow(window);
        });
        m_page->Release();
        m_page = nullptr;
    }
    CView::OnDestroy();
}

void CWorkmixPageView::OnSize(UINT, int cx, int cy) {
    if (!m_page) return;
    Guarded([&] {
        if (const HWND window = m_page->GetWindow()) {
            ::SetWindowPos(window, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
            ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    });
}

BOOL CWorkmixPageView::OnEraseBkgnd(CDC*) {
    if (m_page) return TRUE;
    return static_cast<BOOL>(Default());
}

void CWorkmixPageView::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
    if (activate) ActivatePageView(this);
    CView::OnActivateView(activate, activated, deactivated);
}
