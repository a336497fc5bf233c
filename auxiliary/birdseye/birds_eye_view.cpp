#include "auxiliary/birdseye/birds_eye_view.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace {

constexpr UINT kZoomCommand = 1107;
constexpr int kDrawingColourIndex = 2;
constexpr COLORREF kFrameColour = RGB(255, 255, 255);

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

std::wstring Number(double value) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%g", value);
    return text;
}

std::wstring RectText(const RECT& r) {
    return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L")-(" + std::to_wstring(r.right) + L"," +
           std::to_wstring(r.bottom) + L")";
}

// The world box of a page's sheet: its window as (left, top, right, bottom).
void SheetBox(const STATUS& page, double box[4]) {
    std::copy(std::begin(page.GetProperties().window), std::end(page.GetProperties().window), box);
}

// Draws the closed outline through the rectangle's corners with a white XOR pen.
void XorOutline(HDC dc, const RECT& r, COLORREF colour) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previousPen = ::SelectObject(dc, pen);
    const int previousRop = ::SetROP2(dc, R2_XORPEN);
    ::MoveToEx(dc, r.left, r.top, nullptr);
    ::LineTo(dc, r.right, r.top);
    ::LineTo(dc, r.right, r.bottom);
    ::LineTo(dc, r.left, r.bottom);
    ::LineTo(dc, r.left, r.top);
    ::SetROP2(dc, previousRop);
    ::SelectObject(dc, previousPen);
    ::DeleteObject(pen);
}

}  // namespace

KVBEView::KVBEView() : background_(::GetSysColor(COLOR_BTNFACE)) {}

bool KVBEView::CreateView(CWnd* parent) {
    LPCWSTR className = AfxRegisterWndClass(CS_DBLCLKS);
    return Create(className, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, parent, 0, nullptr) != FALSE;
}

CKVView* KVBEView::View() const {
    return view_ && ::IsWindow(view_) ? dynamic_cast<CKVView*>(CWnd::FromHandlePermanent(view_)) : nullptr;
}

KVDocument* KVBEView::Container() const {
    CKVView* view = View();
    auto* document = view ? dynamic_cast<CKvw32Doc*>(view->GetDocument()) : nullptr;
    return document ? document->Cont2D() : nullptr;
}

const STATUS* KVBEView::Page() const {
    const KVDocument* container = Container();
    return container ? container->GetPageStatus(page_) : nullptr;
}

bool KVBEView::InClient(POINT point) const {
    RECT client{};
    GetClientRect(&client);
    return point.x >= client.left && point.x < client.right && point.y >= client.top && point.y < client.bottom;
}

RECT KVBEView::FrameAround(POINT point) const {
    return RECT{point.x - halfWidth_, point.y - halfHeight_, point.x + halfWidth_, point.y + halfHeight_};
}

// ---- What the kernel tells ---------------------------------------------------------------------

void KVBEView::SetView(CKVView* view) {
    if (!GetSafeHwnd()) return;
    if (!view) {
        view_ = nullptr;
        container_ = nullptr;
        visibleShown_ = false;
        Repaint();
        return;
    }
    const int page = view->GetParentPage();
    if (view->GetSafeHwnd() == view_ && page == page_) return;
    auto* document = dynamic_cast<CKvw32Doc*>(view->GetDocument());
    const KVDocument* container = document ? document->Cont2D() : nullptr;
    view_ = view->GetSafeHwnd();
    if (container == container_ && page == page_) {
        EraseVisibleArea();
        UpdateVisibleArea();
        return;
    }
    page_ = page;
    container_ = container;
    EraseVisibleArea();
    UpdateVisibleArea();
    Repaint();
}

void KVBEView::Redraw() {
    EraseVisibleArea();
    UpdateVisibleArea();
}

void KVBEView::Invalidate() {
    if (updateMode_ != kUpdateOnRequest) Repaint();
}

void KVBEView::Repaint() {
    if (!GetSafeHwnd()) return;
    CWnd::Invalidate(TRUE);
    UpdateWindow();
}

void KVBEView::SetFrameMode(bool frameMode) {
    if (dragging_) return;
    if (!frameMode) DropCapturedFrame();
    frameMode_ = frameMode;
}

void KVBEView::DropCapturedFrame() {
    if (!captured_) return;
    HideFrame();
    captured_ = false;
    if (::GetCapture() == GetSafeHwnd()) ::ReleaseCapture();
}

// ---- Painting ----------------------------------------------------------------------------------

void KVBEView::OnPaint() {
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    if (client.right - client.left < 2 || client.bottom - client.top < 2) return;
    dc.IntersectClipRect(&client);
    KVScreenGC gc(dc, client, 0, 10, 10, 0, kDrawingColourIndex);
    gc.BeginDraw(client);
    // A paint starts the window's picture afresh: no XOR drawing survives it.
    frame_ = RECT{-1, -1, -1, -1};
    frameShown_ = false;
    KVDocument* container = Container();
    if (!container) {
        dc.FillSolidRect(&client, background_);
        gc.EndDraw();
        return;
    }
    if (!container->GetSafePage(page_)) page_ = SCREEN_STAT::FindValidPage(container);
    const STATUS* page = container->GetPageStatus(page_);
    double box[4];
    SheetBox(*page, box);
    gc.SetWindow(box[0], box[1], box[2], box[3]);
    page->PrepareGC(gc);
    gc.SetThinLines(true);
    gc.SetWysiwyg(false);
    gc.SetColor(container->get_border_color());
    gc.SetLineSetting(GetSettings().thinLineWidth / 2);
    gc.Erase();
    auto* document = dynamic_cast<CKvw32Doc*>(View()->GetDocument());
    if (document->IsRegenerationNeeded()) {
        document->RepaintNeeded();
        gc.EndDraw();
        return;
    }
    container->show_sheet_borders(gc);
    {
        KVDocRegenContext regeneration(document, true, false, false);
        container->redraw_struct(page_, gc);
    }
    if (visibleShown_) DrawVisibleArea(dc);
    gc.EndDraw();
}

void KVBEView::DrawFrame(const RECT& rect) {
    HDC dc = ::GetDC(GetSafeHwnd());
    if (!dc) return;
    RECT client{};
    GetClientRect(&client);
    ::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    XorOutline(dc, rect, kFrameColour);
    ::ReleaseDC(GetSafeHwnd(), dc);
}

void KVBEView::ShowFrame(const RECT& rect) {
    HideFrame();
    frame_ = rect;
    DrawFrame(frame_);
    frameShown_ = true;
}

void KVBEView::HideFrame() {
    if (!frameShown_) return;
    DrawFrame(frame_);
    frameShown_ = false;
}

// ---- The visible area --------------------------------------------------------------------------

void KVBEView::UpdateVisibleArea() {
    visibleShown_ = false;
    CKVView* view = View();
    const STATUS* page = Page();
    if (!view || !page || !GetSafeHwnd()) return;
    double left = 0, top = 0, right = 0, bottom = 0;
    view->GetVisibleWindow(left, top, right, bottom);
    const PageProperties& properties = page->GetProperties();
    if (std::abs((right - left) * (bottom - top)) > properties.paperWidth * properties.paperHeight / 2) return;
    view->GetExactVisibleWindow(visible_[0], visible_[1], visible_[2], visible_[3]);
    HDC dc = ::GetDC(GetSafeHwnd());
    if (!dc) return;
    DrawVisibleArea(dc);
    ::ReleaseDC(GetSafeHwnd(), dc);
    visibleShown_ = true;
}

void KVBEView::DrawVisibleArea(HDC dc) {
    const STATUS* page = Page();
    if (!page) return;
    RECT client{};
    GetClientRect(&client);
    double box[4];
    SheetBox(*page, box);
    KVScreenGC gc(dc, client, box[0], box[1], box[2], box[3], kDrawingColourIndex);
    const POINT a = gc.WCtoDC(visible_[0], visible_[1]);
    const POINT b = gc.WCtoDC(visible_[2], visible_[3]);
    const RECT area{std::min(a.x, b.x) + 1, std::min(a.y, b.y) + 1, std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
    XorOutline(dc, area, KVGetColorIndex(kDrawingColourIndex));
}

void KVBEView::EraseVisibleArea() {
    if (!visibleShown_ || !GetSafeHwnd()) return;
    HDC dc = ::GetDC(GetSafeHwnd());
    if (!dc) return;
    DrawVisibleArea(dc);
    ::ReleaseDC(GetSafeHwnd(), dc);
    visibleShown_ = false;
}

// ---- Zooming -----------------------------------------------------------------------------------

void KVBEView::ZoomTo(POINT first, POINT second) {
    const STATUS* page = Page();
    // A rectangle without extent would hand the kernel a degenerate zoom window.
    if (!page || first.x == second.x || first.y == second.y) return;
    RECT client{};
    GetClientRect(&client);
    double box[4];
    SheetBox(*page, box);
    KVScreenGC gc(nullptr, client, box[0], box[1], box[2], box[3], kDrawingColourIndex);
    WorldRect zoom;
    gc.DCtoWC(first, zoom.x1, zoom.y1);
    gc.DCtoWC(second, zoom.x2, zoom.y2);
    if (zoom.x1 > zoom.x2) std::swap(zoom.x1, zoom.x2);
    if (zoom.y1 > zoom.y2) std::swap(zoom.y1, zoom.y2);
    lastZoom_ = zoom;
    set_next_zoom(zoom.x1, zoom.y1, zoom.x2, zoom.y2);
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    if (frame && frame->AsWindow()) KorvoSafeSendMessage(frame->AsWindow()->GetSafeHwnd(), WM_COMMAND, kZoomCommand, 0);
}

// The band's size becomes the frame's, widened to the followed view's proportions so that one
// frame-mode click shows what the band showed.
void KVBEView::SetHalfSizesFromBand(int dx, int dy) {
    dx = std::abs(dx);
    dy = std::abs(dy);
    halfWidth_ = dx;
    halfHeight_ = dy;
    CKVView* view = View();
    if (!view) return;
    RECT viewClient{};
    view->GetClientRect(&viewClient);
    const double width = viewClient.right - viewClient.left, height = viewClient.bottom - viewClient.top;
    if (width > 0 && height > 0) {
        const double rx = width / dx, ry = height / dy;
        if (rx > ry)
            dx = static_cast<int>(dx * rx / ry);
        else
            dy = static_cast<int>(dy * ry / rx);
    }
    halfWidth_ = (dx + 1) / 2;
    halfHeight_ = (dy + 1) / 2;
}

// ---- The mouse and the keys --------------------------------------------------------------------

void KVBEView::OnLeftDown(POINT point) {
    if (!InClient(point)) return;
    if (!frameMode_) {
        if (dragging_) return;
        dragging_ = true;
        dragStart_ = dragCurrent_ = point;
        ::SetCapture(GetSafeHwnd());
        return;
    }
    dragging_ = true;
    if (!captured_) {
        captured_ = true;
        ::SetCapture(GetSafeHwnd());
    }
    ShowFrame(FrameAround(point));
    ZoomTo(POINT{frame_.left, frame_.top}, POINT{frame_.right, frame_.bottom});
}

void KVBEView::OnMove(POINT point) {
    if (!frameMode_) {
        if (!dragging_) return;
        HideFrame();
        ShowFrame(RECT{dragStart_.x, dragStart_.y, point.x, point.y});
        dragCurrent_ = point;
        return;
    }
    if (!InClient(point)) {
        if (!captured_) return;
        dragging_ = false;
        DropCapturedFrame();
        return;
    }
    if (!captured_) {
        captured_ = true;
        ::SetCapture(GetSafeHwnd());
    }
    ShowFrame(FrameAround(point));
    if (dragging_) ZoomTo(POINT{frame_.left, frame_.top}, POINT{frame_.right, frame_.bottom});
}

void KVBEView::OnLeftUp(POINT point) {
    if (!frameMode_) {
        if (!dragging_) return;
        HideFrame();
        dragging_ = false;
        if (::GetCapture() == GetSafeHwnd()) ::ReleaseCapture();
        const int dx = point.x - dragStart_.x, dy = point.y - dragStart_.y;
        if (dx == 0 || dy == 0) return;
        ZoomTo(dragStart_, point);
        SetHalfSizesFromBand(dx, dy);
        return;
    }
    dragging_ = false;
    if (captured_) ShowFrame(FrameAround(point));
}

void KVBEView::OnDoubleClick(POINT point) {
    if (frameMode_ || !InClient(point)) return;
    ZoomTo(POINT{point.x - halfWidth_, point.y - halfHeight_}, POINT{point.x + halfWidth_, point.y + halfHeight_});
}

void KVBEView::OnRightDown(POINT point) {
    if (dragging_) return;
    if (frameMode_) DropCapturedFrame();
    captured_ = false;
    POINT screen = point;
    ::ClientToScreen(GetSafeHwnd(), &screen);
    if (CWnd* pane = GetParent())
        pane->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetSafeHwnd()), MAKELPARAM(screen.x, screen.y));
}

bool KVBEView::OnKey(UINT key) {
    if (!frameMode_ || dragging_ || (key != VK_UP && key != VK_DOWN)) return false;
    const int step = key == VK_UP ? 1 : -1;
    if (step < 0 && (halfWidth_ < 2 || halfHeight_ < 2)) return true;
    const bool shown = frameShown_;
    HideFrame();
    halfWidth_ += step;
    halfHeight_ += step;
    frame_ = RECT{frame_.left - step, frame_.top - step, frame_.right + step, frame_.bottom + step};
    if (shown) ShowFrame(frame_);
    return true;
}

LRESULT KVBEView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN: OnLeftDown(PointOf(lParam)); return 0;
        case WM_LBUTTONUP: OnLeftUp(PointOf(lParam)); return 0;
        case WM_MOUSEMOVE: OnMove(PointOf(lParam)); return 0;
        case WM_LBUTTONDBLCLK:
            if (!InClient(PointOf(lParam))) break;
            OnDoubleClick(PointOf(lParam));
            return 0;
        case WM_RBUTTONDOWN: OnRightDown(PointOf(lParam)); return 0;
        case WM_RBUTTONUP: return 0;
        case WM_KEYDOWN:
            if (OnKey(static_cast<UINT>(wParam))) return 0;
            break;
        case WM_CONTEXTMENU:
            if (CWnd* pane = GetParent()) return pane->SendMessage(message, wParam, lParam);
            break;
        default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- As text -----------------------------------------------------------------------------------

std::wstring KVBEView::Outline() const {
    std::wstring out = L"mode " + std::wstring(frameMode_ ? L"frame" : L"rectangle") + L" update " +
                       std::to_wstring(updateMode_) + L" half " + std::to_wstring(halfWidth_) + L"x" +
                       std::to_wstring(halfHeight_) + (dragging_ ? L" dragging" : L"") +
                       (captured_ ? L" captured" : L"") + L"\n";
    CKVView* view = View();
    out += L"view " + std::wstring(view ? L"followed" : L"none") + L" page " + std::to_wstring(page_) +
           (Container() ? L" sheet shown" : L" empty") + L"\n";
    out += L"visible area " +
           (visibleShown_ ? L"(" + Number(visible_[0]) + L"," + Number(visible_[1]) + L")-(" + Number(visible_[2]) +
                                L"," + Number(visible_[3]) + L")"
                          : std::wstring(L"hidden")) +
           L"\n";
    out += L"frame " + (frameShown_ ? RectText(frame_) : std::wstring(L"hidden")) + L"\n";
    out += L"last zoom " + (lastZoom_ ? L"(" + Number(lastZoom_->x1) + L"," + Number(lastZoom_->y1) + L")-(" +
                                            Number(lastZoom_->x2) + L"," + Number(lastZoom_->y2) + L")"
                                      : std::wstring(L"none")) +
           L"\n";
    return out;
}
