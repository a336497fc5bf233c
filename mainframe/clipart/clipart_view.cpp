#include "mainframe/clipart/clipart_view.h"

#include "mainframe/main_frame.h"
#include "platform/korvoui/vector_icons.h"

CClipartView* CClipartView::head_ = nullptr;
CClipartView* CClipartView::tail_ = nullptr;

CClipartView::CClipartView() {
    // A view already at an end of the list is not linked twice.
    if (head_ == this || tail_ == this) return;
    previous_ = tail_;
    if (tail_) tail_->next_ = this;
    tail_ = this;
    if (!head_) head_ = this;
}

CClipartView::~CClipartView() {
    if (previous_) previous_->next_ = next_;
    if (next_) next_->previous_ = previous_;
    if (head_ == this) head_ = next_;
    if (tail_ == this) tail_ = previous_;
    previous_ = next_ = nullptr;
}

UINT CClipartView::GetControlId() const { return GetSafeHwnd() ? static_cast<UINT>(GetDlgCtrlID()) : 0u; }

BOOL CClipartView::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return FALSE;
    if (!px->IsLoading())
        if (CXTPDockingPane* pane = GetDockingPane(this)) UpdatePaneState(pane);
    PX_Int(px, L"ViewState", viewState_, kShown);
    if (px->IsLoading() && (viewState_ < kShown || viewState_ > kHidden)) viewState_ = kShown;
    ExchangeKeys(px);
    return TRUE;
}

CClipartView* CClipartView::FindByControlId(UINT id) {
    for (CClipartView* view = head_; view; view = view->next_)
        if (view->GetSafeHwnd() && view->GetControlId() == id) return view;
    return nullptr;
}

void CClipartView::Destroy(CClipartView* view) {
    if (!view) return;
    if (view->GetSafeHwnd()) view->DestroyWindow();
    delete view;
}

// ---- Icons and state ---------------------------------------------------------------------------

bool CClipartView::PaneHasIcon(const CXTPDockingPane* pane) const {
    const CXTPDockingPaneManager* manager = pane ? pane->GetDockingPaneManager() : nullptr;
    const CXTPImageManager* images = manager ? manager->GetImageManager() : nullptr;
    return images && images->GetIconSet(GetControlId()) != nullptr;
}

void CClipartView::PutPaneIcon(CXTPDockingPane* pane, bool vector) const {
    CXTPDockingPaneManager* manager = pane ? pane->GetDockingPaneManager() : nullptr;
    CXTPImageManager* images = manager ? manager->GetImageManager() : nullptr;
    if (!images || !GetControlId()) return;
    images->RemoveIcon(GetControlId());
    images->SetIcon(GetControlId(), 16, vector);
    pane->SetIconID(static_cast<int>(GetControlId()));
}

void CClipartView::SetPaneTitle(CXTPDockingPane* pane, const CString& title) const {
    if (!pane || pane->GetChild() != GetSafeHwnd()) return;
    pane->SetTitle(title);
    pane->SetTabCaption(title);
}

void CClipartView::SetPaneIcon(UINT iconId, HINSTANCE owner, CXTPDockingPane* pane) {
    iconId_ = static_cast<int>(iconId);
    iconOwner_ = owner;
    vectorIcon_ = false;
    if (pane && !PaneHasIcon(pane)) UpdateIcon(pane);
}

void CClipartView::SetIcon(HICON icon, CXTPDockingPane* pane) {
    iconId_ = -1;
    iconOwner_ = nullptr;
    vectorIcon_ = false;
    if (icon && pane) PutPaneIcon(pane, false);
}

void CClipartView::SetSvgIcon(const BYTE* svg, std::size_t size, CXTPDockingPane* pane) {
    iconId_ = -1;
    iconOwner_ = nullptr;
    const std::string_view bytes(svg ? reinterpret_cast<const char*>(svg) : "", svg ? size : 0);
    vectorIcon_ = Korvo::UI::IsSvgImage(bytes);
    CXTPDockingPaneManager* manager = pane ? pane->GetDockingPaneManager() : nullptr;
    CXTPImageManager* images = manager ? manager->GetImageManager() : nullptr;
    if (!images || !GetControlId()) return;
    if (vectorIcon_) {
        PutPaneIcon(pane, true);
        return;
    }
    // Data that is no SVG picture may still carry raster icons: each size the data has is set.
    const std::vector<int> sizes = Korvo::UI::FindRasterIconSizes(bytes);
    if (sizes.empty()) return;
    images->RemoveIcon(GetControlId());
    for (const int edge : sizes) images->SetIcon(GetControlId(), edge, false);
    pane->SetIconID(static_cast<int>(GetControlId()));
}

void CClipartView::UpdatePaneState(CXTPDockingPane* pane) {
    if (!pane) return;
    if (pane->IsClosed()) viewState_ = kClosed;
    else if (pane->IsHidden()) viewState_ = kHidden;
    else if (pane->IsSelected()) viewState_ = kSelected;
    else viewState_ = kShown;
}

void CClipartView::ApplyViewState(CXTPDockingPane* pane, bool restore) {
    CXTPDockingPaneManager* manager = pane ? pane->GetDockingPaneManager() : nullptr;
    if (!manager) return;
    switch (viewState_) {
        case kClosed: manager->ClosePane(pane); break;
        case kSelected:
            if (!pane->IsHidden()) {
                manager->ShowPane(pane, FALSE);
                FitContent();
            }
            break;
        case kHidden:
            if (!pane->IsHidden()) {
                manager->ShowPane(pane, FALSE);
                manager->HidePane(pane);
            }
            break;
        default:
            if (restore) {
                manager->ShowPane(pane, FALSE);
                FitContent();
            }
            break;
    }
}

bool CClipartView::CreateContentWithPane(CXTPDockingPane* pane) {
    const bool created = CreateContent(pane);
    if (pane && !PaneHasIcon(pane)) UpdateIcon(pane);
    UpdateTitle(pane);
    return created;
}

bool CClipartView::CreateViewWindow(CWnd* parent, UINT id) {
    return Create(L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, RECT{0, 0, 0, 0}, parent,
                  id, nullptr) != FALSE;
}

void CClipartView::FitContent() {
    const HWND content = GetContentWindow();
    if (!content || !::IsWindow(content) || !GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    ::MoveWindow(content, 0, 0, client.right - client.left, client.bottom - client.top, TRUE);
}

// ---- Window ------------------------------------------------------------------------------------

void CClipartView::paintEmpty(HDC dc) const {
    RECT client{};
    GetClientRect(&client);
    const HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    ::FillRect(dc, &client, face);
    ::DeleteObject(face);
    // A sunken well: a dark line above and left, a light one below and right, the window colour inside.
    RECT inner{client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
    if (inner.right <= inner.left || inner.bottom <= inner.top) return;
    const HBRUSH shadow = ::CreateSolidBrush(RGB(160, 160, 160));
    const HBRUSH light = ::CreateSolidBrush(RGB(255, 255, 255));
    const RECT top{inner.left - 1, inner.top - 1, inner.right + 1, inner.top};
    const RECT left{inner.left - 1, inner.top - 1, inner.left, inner.bottom + 1};
    const RECT bottom{inner.left - 1, inner.bottom, inner.right + 1, inner.bottom + 1};
    const RECT right{inner.right, inner.top - 1, inner.right + 1, inner.bottom + 1};
    ::FillRect(dc, &top, shadow);
    ::FillRect(dc, &left, shadow);
    ::FillRect(dc, &bottom, light);
    ::FillRect(dc, &right, light);
    ::DeleteObject(shadow);
    ::DeleteObject(light);
    const HBRUSH window = ::CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    ::FillRect(dc, &inner, window);
    ::DeleteObject(window);
}

LRESULT CClipartView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            const LRESULT result = Korvo::UI::DockingPaneChildWindow::WindowProc(message, wParam, lParam);
            FitContent();
            return result;
        }
        case WM_ERASEBKGND:
            if (!GetContentWindow() && wParam) {
                paintEmpty(reinterpret_cast<HDC>(wParam));
                return TRUE;
            }
            break;
        case WM_DESTROY: {
            DestroyContent();
            if (CXTPDockingPane* pane = GetDockingPane(this); pane && pane->GetChild() == GetSafeHwnd()) {
                OnToBeDetachedFromPane(pane);
                pane->Detach();
            }
            break;
        }
        default: break;
    }
    return Korvo::UI::DockingPaneChildWindow::WindowProc(message, wParam, lParam);
}
