// The framework's drawing objects over the GDI functions: device contexts, bitmaps and brushes.
#pragma once

#include <deque>

#include "platform/mfc/object.h"
#include "platform/win32/colors.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window/window.h"

class CWnd;

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    // Deletes the GDI object it still holds.
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

    HGDIOBJ m_hObject = nullptr;
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    int GetBitmap(BITMAP* pBitMap) { return ::GetObjectW(m_hObject, sizeof(BITMAP), pBitMap); }
};

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { Attach(::CreateSolidBrush(crColor)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CDC;

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    // A font of `nPointSize` tenths of a point in face `lpszFaceName`, its pixel height from the
    // vertical DPI of `pDC` (the screen's when null). FALSE when the object holds a font already.
    BOOL CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC = nullptr);
};

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    // Deletes a DC it created (CreateCompatibleDC).
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL IsPrinting() const { return m_bPrinting; }

    // The object selected before, wrapped in an object that lives as long as this DC; null on
    // failure.
    CBitmap* SelectObject(CBitmap* pBitmap);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);

    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    // Fills the rectangle with one colour (recorded as a fill).
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    int IntersectClipRect(LPCRECT lpRect);
    int DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
        return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
    }
    int SetStretchBltMode(int nStretchMode);
    int GetStretchBltMode() const;
    POINT SetBrushOrg(int x, int y);
    int SetMapMode(int nMapMode);
    int GetMapMode() const;

    HDC m_hDC = nullptr;
    BOOL m_bPrinting = FALSE;

protected:
    bool m_bOwnsDC = false;

private:
    std::deque<CBitmap> m_previousBitmaps;
    std::deque<CBrush> m_previousBrushes;
    std::deque<CFont> m_previousFonts;
};

// The DC of a WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd = nullptr;
};

// What a print or print preview run knows: pages and whether it previews.
struct CPrintInfo {
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    UINT m_nCurPage = 1;
    UINT m_nFromPage = 1;
    UINT m_nToPage = 1;
    UINT GetMaxPage() const { return m_nMaxPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }

private:
    UINT m_nMaxPage = 1;
};
