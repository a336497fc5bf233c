#include "platform/kvgc/screen_gc.h"

#include "platform/win32/icons.h"

COLORREF KVColorToRGB(int colour) {
    switch (colour) {
        case 0: return RGB(0, 0, 0);
        case 15: return RGB(255, 255, 255);
        default: return RGB(128, 128, 128);
    }
}

void KVScreenGC::BeginDraw(const RECT& deviceArea) {
    area_ = deviceArea;
    drawing_ = dc_ != nullptr;
}

void KVScreenGC::EndDraw() { drawing_ = false; }

void KVScreenGC::FillWorldRect(double, double, double, double, int colour) {
    // The world rectangle the callers fill is the whole drawing area.
    if (!drawing_ || !dc_) return;
    HBRUSH brush = ::CreateSolidBrush(KVColorToRGB(colour));
    ::FillRect(dc_, &area_, brush);
    ::DeleteObject(brush);
}

void KVScreenGC::DrawText(const CString& text, RECT area) {
    if (!drawing_ || !dc_) return;
    ::SetTextColor(dc_, KVColorToRGB(colour_));
    ::SetBkMode(dc_, TRANSPARENT);
    ::DrawTextW(dc_, text.GetString(), -1, &area, DT_LEFT);
}

namespace Korvo {

HICON HICONFromCBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) == 0) return nullptr;
    return platform::win32::createIcon(info.bmWidth, info.bmHeight);
}

}  // namespace Korvo
