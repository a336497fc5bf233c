#include "platform/kvgc/screen_gc.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <limits>
#include <string>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/win32/icons.h"

KVScreenGC::KVScreenGC(HDC dc, const RECT& device, double left, double top, double right, double bottom, int colour)
    : dc_(dc), area_(device), device_(device), colour_(colour) {
    SetWindow(left, top, right, bottom);
}

void KVScreenGC::SetWindow(double left, double top, double right, double bottom) {
    world_.left = left;
    world_.top = top;
    world_.right = right;
    world_.bottom = bottom;
}

void KVScreenGC::DCtoWC(POINT device, double& x, double& y) const {
    const double width = device_.right - device_.left, height = device_.bottom - device_.top;
    x = width > 0 ? world_.left + (device.x - device_.left) * (world_.right - world_.left) / width : world_.left;
    y = height > 0 ? world_.top + (device.y - device_.top) * (world_.bottom - world_.top) / height : world_.top;
}

POINT KVScreenGC::WCtoDC(double x, double y) const {
    const double width = world_.right - world_.left, height = world_.bottom - world_.top;
    const double px = width != 0 ? device_.left + (x - world_.left) * (device_.right - device_.left) / width : device_.left;
    const double py = height != 0 ? device_.top + (y - world_.top) * (device_.bottom - device_.top) / height : device_.top;
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

void KVScreenGC::Erase() { FillWorldRect(world_.left, world_.top, world_.right, world_.bottom, 15); }

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

void KVDrawContext::StartMinMax() {
    constexpr double kLargest = std::numeric_limits<double>::max();
    box_ = KVBox{kLargest, -kLargest, -kLargest, kLargest};
}

void KVDrawContext::DrawWorldText(const CString& text, double x, double y, double width, double height) {
    box_.left = std::min(box_.left, x);
    box_.right = std::max(box_.right, x + width);
    box_.top = std::max(box_.top, y);
    box_.bottom = std::min(box_.bottom, y - height);
    DrawTextAt(text, x, y, height);
}

KVScreenGC::KVScreenGC(HDC dc, const RECT& device, const KVBox& world, int flags) : dc_(dc), area_(device), device_(device), world_(world) {
    if (flags != 15) platform::core::reportFailure(L"KVScreenGC: drawing flags " + std::to_wstring(flags) + L" are not modelled");
}

void KVScreenGC::DrawTextAt(const CString& text, double x, double y, double height) {
    if (!drawing_ || !dc_) return;
    const double worldWidth = world_.right - world_.left;
    const double worldHeight = world_.top - world_.bottom;
    const auto toDevice = [](double value, double from, double span, LONG low, LONG high) {
        const double share = span > 0 ? (value - from) / span : 0.0;
        return static_cast<int>(std::clamp(low + share * (high - low), -1.0e9, 1.0e9));
    };
    const int left = toDevice(x, world_.left, worldWidth, area_.left, area_.right);
    const int top = toDevice(world_.top - y, 0.0, worldHeight, area_.top, area_.bottom);
    const int bottom = toDevice(world_.top - (y - height), 0.0, worldHeight, area_.top, area_.bottom);
    HFONT font = ::CreateFontW(std::max(1, bottom - top), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 1, 0, 0, 0, 0, L"Rich");
    HGDIOBJ old = ::SelectObject(dc_, font);
    // The substitute foreground stands for the text's own colour on this background.
    ::SetTextColor(dc_, static_cast<COLORREF>(foreground_ >> 8));
    ::SetBkMode(dc_, TRANSPARENT);
    ::TextOutW(dc_, left, top, text.GetString(), text.GetLength());
    ::SelectObject(dc_, old);
    ::DeleteObject(font);
}

namespace Korvo {

HICON HICONFromCBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) == 0) return nullptr;
    return platform::win32::createIcon(info.bmWidth, info.bmHeight);
}

}  // namespace Korvo
