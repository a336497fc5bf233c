#include "app/image_documents/image_view.h"

#include "app/image_documents/image_command_ids.h"
#include "app/image_documents/image_doc.h"
#include "platform/faults.h"

IMPLEMENT_DYNCREATE(CImageView, CView)

BEGIN_MESSAGE_MAP(CImageView, CView)
    ON_WM_CREATE()
    ON_COMMAND(image_commands::kZoomActual, &CImageView::OnZoomActual)
    ON_COMMAND(image_commands::kZoomIn, &CImageView::OnZoomIn)
    ON_COMMAND(image_commands::kZoomOut, &CImageView::OnZoomOut)
    ON_COMMAND(ID_FILE_PRINT, &CImageView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &CImageView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CImageView::OnFilePrintPreview)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_ERASEBKGND()
    // Size changes take the default processing: the next paint fits the picture again.
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kRepaintAtOnce = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

}  // namespace

CImageDoc* CImageView::GetImageDocument() const { return dynamic_cast<CImageDoc*>(GetDocument()); }

SIZE CImageView::PictureSize() const {
    const CImageDoc* document = GetImageDocument();
    return document ? document->GetImageSize() : SIZE{0, 0};
}

SIZE CImageView::ClientSize() const {
    RECT client{};
    GetClientRect(&client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

SIZE CImageView::ZoomedSize() const {
    const SIZE picture = PictureSize();
    return SIZE{image_geometry::Zoomed(picture.cx, m_zoom), image_geometry::Zoomed(picture.cy, m_zoom)};
}

BOOL CImageView::FitsHorizontally() const { return ClientSize().cx >= ZoomedSize().cx; }

void CImageView::SetZoom(double zoom) {
    if (!image_geometry::ZoomAllowed(PictureSize(), zoom)) return;
    const SIZE client = ClientSize();
    m_originX = image_geometry::OriginAfterZoom(m_originX, client.cx / 2, m_zoom, zoom);
    m_originY = image_geometry::OriginAfterZoom(m_originY, client.cy / 2, m_zoom, zoom);
    m_zoom = zoom;
    RedrawWindow(nullptr, nullptr, kRepaintAtOnce);
}

int CImageView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    // A view that cannot be made fails its frame's creation (tests reach this through the fault).
    if (platform::faultInjected(L"CImageView::OnCreate")) return -1;
    return CView::OnCreate(lpCreateStruct);
}

void CImageView::OnZoomActual() { SetZoom(1.0); }
void CImageView::OnZoomIn() { SetZoom(m_zoom * 2); }
void CImageView::OnZoomOut() { SetZoom(m_zoom / 2); }

image_geometry::BlitRects CImageView::GetBlitRects() {
    return image_geometry::GetBlitRects(PictureSize(), ClientSize(), m_zoom, m_originX, m_originY);
}

void CImageView::UpdateScrollBars() {
    const DWORD style = GetStyle();
    const bool hadVertical = (style & WS_VSCROLL) != 0, hadHorizontal = (style & WS_HSCROLL) != 0;
    const int verticalWidth = hadVertical ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int horizontalHeight = hadHorizontal ? ::GetSystemMetrics(SM_CYHSCROLL) : 0;
    const SIZE client = ClientSize(), zoomed = ZoomedSize();
    // What the client would be without the bars it has now.
    const int availableWidth = client.cx + verticalWidth, availableHeight = client.cy + horizontalHeight;

    const auto setBar = [this](int bar, int extent, int page, int origin) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
        info.nMin = 1;
        info.nMax = std::max(0, extent);
        info.nPage = static_cast<UINT>(std::max(0, page));
        info.nPos = info.nTrackPos = std::max(1, -origin);
        SetScrollInfo(bar, &info, TRUE);
    };
    const bool needsVertical = zoomed.cy > availableHeight;
    if (needsVertical) setBar(SB_VERT, zoomed.cy, client.cy, m_originY);
    const bool needsHorizontal = zoomed.cx > availableWidth;
    if (needsHorizontal) setBar(SB_HORZ, zoomed.cx, client.cx, m_originX);
    EnableScrollBarCtrl(SB_HORZ, needsHorizontal);
    EnableScrollBarCtrl(SB_VERT, needsVertical);
    // A bar that went away gives its room back to the picture's margin.
    if (!needsHorizontal && hadHorizontal) m_originY += horizontalHeight;
    if (!needsVertical && hadVertical) m_originX += verticalWidth;
}

void CImageView::Scroll(int bar, UINT code, UINT messagePosition, int& origin) {
    SCROLLINFO info;
    GetScrollInfo(bar, &info, SIF_ALL);
    // The message carries 16 bits of the thumb position; the bar's track position has all of it.
    const int thumb = (static_cast<UINT>(info.nTrackPos) & 0xFFFF) == messagePosition ? info.nTrackPos
                                                                                       : static_cast<int>(messagePosition);
    const int position =
        image_geometry::ScrollTarget(static_cast<int>(code), info.nPos, -origin, static_cast<int>(info.nPage), info.nMax, thumb);
    origin = -position;
    info.fMask = SIF_ALL;
    info.nPos = position;
    SetScrollInfo(bar, &info, TRUE);
    RedrawWindow(nullptr, nullptr, kRepaintAtOnce);
}

void CImageView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) { Scroll(SB_HORZ, nSBCode, nPos, m_originX); }

void CImageView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    if (nSBCode == SB_TOP || nSBCode == SB_BOTTOM || nSBCode == SB_ENDSCROLL) return;
    Scroll(SB_VERT, nSBCode, nPos, m_originY);
}

void CImageView::OnDraw(CDC* pDC) {
    const auto* document = dynamic_cast<const CDibDoc*>(GetDocument());
    CBitmap* bitmap = document ? document->GetBitmap() : nullptr;
    if (!bitmap) return;
    UpdateScrollBars();
    const bool smooth = GetSettings().smoothRasterImages;
    int oldMode = 0;
    if (smooth) {
        oldMode = pDC->SetStretchBltMode(HALFTONE);
        pDC->SetBrushOrg(0, 0);
    }
    const image_geometry::BlitRects r = GetBlitRects();
    CDC memory;
    if (memory.CreateCompatibleDC(pDC)) {
        if (CBitmap* previous = memory.SelectObject(bitmap)) {
            memory.SetMapMode(pDC->GetMapMode());
            pDC->StretchBlt(r.destinationX, r.destinationY, r.destinationWidth, r.destinationHeight, &memory, r.sourceX,
                            r.sourceY, r.sourceWidth, r.sourceHeight, SRCCOPY);
            memory.SelectObject(previous);
        }
        memory.DeleteDC();
    }
    if (smooth) pDC->SetStretchBltMode(oldMode);
    UpdateScrollBars();
}

BOOL CImageView::OnEraseBkgnd(CDC* pDC) {
    CBrush brush(::GetSysColor(COLOR_WINDOW));
    CBrush* previous = pDC->SelectObject(&brush);
    const image_geometry::Bands bands = image_geometry::FreeBands(ZoomedSize(), ClientSize());
    for (int i = 0; i < bands.count; ++i) {
        const RECT& b = bands.band[i];
        pDC->PatBlt(b.left, b.top, b.right, b.bottom, PATCOPY);
    }
    if (previous) pDC->SelectObject(previous);
    return TRUE;
}

BOOL CImageView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CImageView::Dump(CDumpContext& dc) const {
    const SIZE picture = PictureSize(), client = ClientSize();
    dc << L"zoom " << m_zoom << L" origin (" << m_originX << L"," << m_originY << L") picture "
       << static_cast<int>(picture.cx) << L"x" << static_cast<int>(picture.cy) << L" zoomed "
       << image_geometry::Zoomed(picture.cx, m_zoom) << L"x" << image_geometry::Zoomed(picture.cy, m_zoom)
       << L" client " << static_cast<int>(client.cx) << L"x" << static_cast<int>(client.cy);
}
