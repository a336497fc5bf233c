#include "platform/kvgc/screen_gc.h"

#include <cmath>
#include <cwchar>
#include <string>

#include "platform/core/record.h"
#include "platform/win32/icons.h"

KVScreenGC::KVScreenGC(HDC dc, const RECT& device, double left, double top, double right, double bottom, int colour)
    : dc_(dc), area_(device), device_(device), colour_(colour) {
    SetWindow(left, top, right, bottom);
}

void KVScreenGC::SetWindow(double left, double top, double right, double bottom) {
    world_[0] = left;
    world_[1] = top;
    world_[2] = right;
    world_[3] = bottom;
}

void KVScreenGC::DCtoWC(POINT device, double& x, double& y) const {
    const double width = device_.right - device_.left, height = device_.bottom - device_.top;
    x = width > 0 ? world_[0] + (device.x - device_.left) * (world_[2] - world_[0]) / width : world_[0];
    y = height > 0 ? world_[1] + (device.y - device_.top) * (world_[3] - world_[1]) / height : world_[1];
}

POINT KVScreenGC::WCtoDC(double x, double y) const {
    const double width = world_[2] - world_[0], height = world_[3] - world_[1];
    const double px = width != 0 ? device_.left + (x - world_[0]) * (device_.right - device_.left) / width : device_.left;
    const double py = height != 0 ? device_.top + (y - world_[1]) * (device_.bottom - device_.top) / height : device_.top;
    return POINT{static_cast<LONG>(std::lround(px)), static_cast<LONG>(std::lround(py))};
}

void KVScreenGC::SetThinLines(bool thin) {
    platform::core::recordCall(L"KVScreenGC::SetThinLines(" + std::wstring(thin ? L"true" : L"false") + L")");
}

void KVScreenGC::SetWysiwyg(bool wysiwyg) {
    platform::core::recordCall(L"KVScreenGC::SetWysiwyg(" + std::wstring(wysiwyg ? L"true" : L"false") + L")");
}

void KVScreenGC::SetLineSetting(double value) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%g", value);
    platform::core::recordCall(L"KVScreenGC::SetLineSetting(" + std::wstring(text) + L")");
}

void KVScreenGC::Erase() { FillWorldRect(world_[0], world_[1], world_[2], world_[3], 15); }

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
