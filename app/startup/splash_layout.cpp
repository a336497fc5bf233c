#include "app/startup/splash_layout.h"

#include <algorithm>

namespace {

constexpr int kWideMonitor = 1800;
constexpr int kMargin = 22;
constexpr int kBandTop = 70;  // above the bottom
constexpr int kBandHeight = 82;
constexpr int kNoticeYear = 2025;
constexpr int kRussianCountry = 7;

}  // namespace

SplashBanner ChooseSplashBanner(const CString& configured, int monitorWidth, const CString& programFolder,
                                const std::function<bool(const CString&)>& fileExists) {
    if (!configured.IsEmpty() && fileExists(configured)) return {configured, 1};
    const CString wide = programFolder + L"\\Banner4K.bmp";
    if (monitorWidth >= kWideMonitor && fileExists(wide)) return {wide, 2};
    return {programFolder + L"\\Banner.bmp", 1};
}

RECT SplashNoticeArea(SIZE size, int scale) {
    return RECT{kMargin * scale, size.cy - kBandTop * scale, size.cx - kMargin * scale, size.cy};
}

RECT SplashNoticeRect(SIZE size, int scale, int textHeight) {
    RECT rect = SplashNoticeArea(size, scale);
    rect.top += (kBandHeight * scale - textHeight) / 2;
    rect.bottom = rect.top + textHeight;
    // A banner smaller than its band, or a text taller than it, stays inside the picture.
    rect.top = std::clamp<LONG>(rect.top, 0, size.cy);
    rect.bottom = std::clamp<LONG>(rect.bottom, rect.top, size.cy);
    rect.right = std::max(rect.left, rect.right);
    return rect;
}

CString SplashNotice(int country) {
    CString text;
    if (country == kRussianCountry)
        text.Format(L"© Velmora, %d. Все права защищены. Программа защищена законами об авторском праве.", kNoticeYear);
    else
        text.Format(L"© Velmora, %d. All rights reserved. This program is protected by copyright law.", kNoticeYear);
    return text;
}
