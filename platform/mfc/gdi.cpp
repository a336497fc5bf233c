#include "platform/mfc/gdi.h"

#include <utility>

#include "platform/mfc/wnd.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (!hObject || m_hObject) return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() { return std::exchange(m_hObject, nullptr); }

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

CDC::~CDC() {
    // The wrappers of previously selected objects do not own them.
    for (CBitmap& bitmap : m_previousBitmaps) bitmap.Detach();
    for (CBrush& brush : m_previousBrushes) brush.Detach();
    for (CFont& font : m_previousFonts) font.Detach();
    if (m_bOwnsDC) DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    if (m_hDC) return FALSE;
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwnsDC = m_hDC != nullptr;
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    m_bOwnsDC = false;
    return ::DeleteDC(std::exchange(m_hDC, nullptr));
}

BOOL CDC::Attach(HDC hDC) {
    if (!hDC || m_hDC) return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach() {
    m_bOwnsDC = false;
    return std::exchange(m_hDC, nullptr);
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    if (!pBitmap) return nullptr;
    HGDIOBJ previous = ::SelectObject(m_hDC, pBitmap->m_hObject);
    if (!previous) return nullptr;
    m_previousBitmaps.emplace_back().m_hObject = previous;
    return &m_previousBitmaps.back();
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    if (!pBrush) return nullptr;
    HGDIOBJ previous = ::SelectObject(m_hDC, pBrush->m_hObject);
    if (!previous) return nullptr;
    m_previousBrushes.emplace_back().m_hObject = previous;
    return &m_previousBrushes.back();
}

CFont* CDC::SelectObject(CFont* pFont) {
    if (!pFont) return nullptr;
    HGDIOBJ previous = ::SelectObject(m_hDC, pFont->m_hObject);
    if (!previous) return nullptr;
    m_previousFonts.emplace_back().m_hObject = previous;
    return &m_previousFonts.back();
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    CBrush brush(clr);
    ::FillRect(m_hDC, lpRect, brush);
}

int CDC::IntersectClipRect(LPCRECT lpRect) {
    return lpRect ? ::IntersectClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : 0;
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC) {
    if (m_hObject) return FALSE;
    const int dpi = ::GetDeviceCaps(pDC ? pDC->m_hDC : nullptr, LOGPIXELSY);
    // Tenths of a point to pixels: a negative height is the character height.
    const int height = -::MulDiv(nPointSize, dpi, 720);
    return Attach(::CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, lpszFaceName));
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FillRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(*pBrush) : nullptr);
}

int CDC::SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }

int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hDC); }

POINT CDC::SetBrushOrg(int x, int y) {
    POINT previous{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &previous);
    return previous;
}

int CDC::SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }

int CDC::GetMapMode() const { return ::GetMapMode(m_hDC); }

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(CWnd::SafeHwnd(pWnd)) { Attach(::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
