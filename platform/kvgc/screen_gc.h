// The graphics library's screen context: the kernel draws a page's objects through it onto a
// device context (a memory DC for previews). The stand-in fills and writes texts through GDI, so
// what was drawn shows in the DC's bitmap and recording.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/win32/gdi.h"
#include "platform/win32/types.h"
#include "platform/win32/window/window.h"

// A box of world coordinates in millimetres: top above bottom.
struct KVBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// A graphics context the kernel draws world objects through. Between StartMinMax and the end of
// drawing it also gathers the box of everything drawn.
class KVDrawContext {  // the graphics library's base context (its namespace KVGC holds the loaders)
public:
    virtual ~KVDrawContext() = default;
    // Starts gathering afresh: the box is then inverted (left and bottom at the largest values),
    // so that a drawing with no extent leaves it as it was.
    void StartMinMax();
    const KVBox& GetMinMaxBox() const { return box_; }
    // A line of text whose top-left corner is (x, y) in world units, `height` high and `width`
    // wide; added to the box, then drawn.
    void DrawWorldText(const CString& text, double x, double y, double width, double height);

protected:
    virtual void DrawTextAt(const CString& text, double x, double y, double height) = 0;

private:
    KVBox box_;
};

// A context that draws nothing: it only measures (device rectangle and world box as given).
class KVEmptyGC : public KVDrawContext {
public:
    KVEmptyGC(const RECT& device, const KVBox& world) : device_(device), world_(world) {}
    const RECT& GetDeviceRect() const { return device_; }
    const KVBox& GetWorldBox() const { return world_; }

protected:
    void DrawTextAt(const CString&, double, double, double) override {}

private:
    RECT device_;
    KVBox world_;
};

class KVScreenGC : public KVDrawContext {
public:
    explicit KVScreenGC(HDC dc) : dc_(dc) {}
    // A context over `dc` that maps the world box onto the device rectangle; only flags 15 (the
    // whole drawing) are modelled, others are a strict failure naming the call.
    KVScreenGC(HDC dc, const RECT& device, const KVBox& world, int flags);
    // Colours as the context's colour values: an RGB value shifted left by 8 bits.
    void SetBackgroundColor(unsigned value) { background_ = value; }
    void SetSubstituteForegroundColor(unsigned value) { foreground_ = value; }
    void SetDrawingFactor(double factor, bool enabled) {
        factor_ = factor;
        factorEnabled_ = enabled;
    }
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

protected:
    void DrawTextAt(const CString& text, double x, double y, double height) override;

private:
    HDC dc_;
    RECT area_{};
    RECT device_{};
    int colour_ = 0;
    bool drawing_ = false;
    KVBox world_{0, 1, 1, 0};
    unsigned background_ = 0xFFFFFF00u;
    unsigned foreground_ = 0;
    double factor_ = 1.0;
    bool factorEnabled_ = false;
};

// The kernel's colours as RGB (15 the paper, 0 the pen).
COLORREF KVColorToRGB(int colour);

namespace Korvo {
// An icon of the bitmap's size made from the bitmap (the bitmap stays the caller's); null for a
// handle that is no bitmap.
HICON HICONFromCBitmap(HBITMAP bitmap);
}  // namespace Korvo
