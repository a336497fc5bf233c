// The graphics library's screen context: the kernel draws a page's objects through it onto a
// device context (a memory DC for previews). The stand-in fills and writes texts through GDI, so
// what was drawn shows in the DC's bitmap and recording.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/win32/gdi.h"
#include "platform/win32/types.h"
#include "platform/win32/window/window.h"

class KVScreenGC {
public:
    explicit KVScreenGC(HDC dc) : dc_(dc) {}
    // A context over the device rectangle `device` of `dc` showing the world box (left, top)-
    // (right, bottom) (top above bottom in world units), drawing in kernel colour `colour`.
    KVScreenGC(HDC dc, const RECT& device, double left, double top, double right, double bottom, int colour);
    KVScreenGC(const KVScreenGC&) = delete;
    KVScreenGC& operator=(const KVScreenGC&) = delete;
    // Drawing between the two; the world rectangle maps onto the DC's whole area.
    void BeginDraw(const RECT& deviceArea);
    void EndDraw();
    // Drops the DC: later drawing does nothing.
    void ClearContext() { dc_ = nullptr; }
    // Fills the world rectangle (left, top)-(right, bottom) with kernel colour `colour`.
    void FillWorldRect(double left, double top, double right, double bottom, int colour);
    void SetColor(int colour) { colour_ = colour; }
    // A text in the current colour inside a device rectangle.
    void DrawText(const CString& text, RECT area);
    bool IsDrawing() const { return drawing_; }

    // The world box mapped onto the device rectangle: each axis linearly, corner to corner.
    void SetWindow(double left, double top, double right, double bottom);
    void DCtoWC(POINT device, double& x, double& y) const;
    POINT WCtoDC(double x, double y) const;
    // Drawing settings the kernel's drawing of a page follows (recorded).
    void SetThinLines(bool thin);
    void SetWysiwyg(bool wysiwyg);
    void SetLineSetting(double value);
    // Fills the device rectangle with the paper colour (recorded with the window's drawing).
    void Erase();

private:
    HDC dc_;
    RECT area_{};
    RECT device_{};
    double world_[4] = {0, 1, 1, 0};
    int colour_ = 0;
    bool drawing_ = false;
};

// The kernel's colours as RGB (15 the paper, 0 the pen).
COLORREF KVColorToRGB(int colour);

namespace Korvo {
// An icon of the bitmap's size made from the bitmap (the bitmap stays the caller's); null for a
// handle that is no bitmap.
HICON HICONFromCBitmap(HBITMAP bitmap);
}  // namespace Korvo
