// The splash's choices: which banner for which monitor, and where the notice goes on it.
#include <gtest/gtest.h>

#include <set>

#include "app/startup/splash_layout.h"

namespace {

const CString kFolder = L"C:\\Korvo";

SplashBanner Choose(const CString& configured, int width, std::set<std::wstring> files) {
    return ChooseSplashBanner(configured, width, kFolder, [&](const CString& path) { return files.count(path.str()) > 0; });
}

TEST(SplashBanner, TheConfiguredPictureWinsOnlyWhenItExists) {
    const std::wstring own = L"D:\\Pictures\\Own.png";
    EXPECT_EQ(Choose(own.c_str(), 3840, {own, L"C:\\Korvo\\Banner4K.bmp"}).path, CString(own.c_str()));
    EXPECT_EQ(Choose(own.c_str(), 3840, {own}).scale, 1);
    const SplashBanner missing = Choose(own.c_str(), 1920, {L"C:\\Korvo\\Banner.bmp"});
    EXPECT_EQ(missing.path, CString(L"C:\\Korvo\\Banner.bmp"));
    EXPECT_EQ(missing.scale, 1);
}

TEST(SplashBanner, TheWideBannerNeedsAWideMonitorAndItsFile) {
    const std::set<std::wstring> both{L"C:\\Korvo\\Banner.bmp", L"C:\\Korvo\\Banner4K.bmp"};
    const SplashBanner wide = Choose(L"", 1800, both);
    EXPECT_EQ(wide.path, CString(L"C:\\Korvo\\Banner4K.bmp"));
    EXPECT_EQ(wide.scale, 2);
    EXPECT_EQ(Choose(L"", 1799, both).scale, 1);
    const SplashBanner withoutFile = Choose(L"", 3840, {L"C:\\Korvo\\Banner.bmp"});
    EXPECT_EQ(withoutFile.path, CString(L"C:\\Korvo\\Banner.bmp"));
    EXPECT_EQ(withoutFile.scale, 1);
}

TEST(SplashNotice, ItsTextIsCentredInTheBandAndEveryMetricScales) {
    const RECT normal = SplashNoticeRect(SIZE{600, 360}, 1, 26);
    EXPECT_EQ(normal.left, 22);
    EXPECT_EQ(normal.right, 578);
    EXPECT_EQ(normal.top, 360 - 70 + (82 - 26) / 2);
    EXPECT_EQ(normal.bottom, normal.top + 26);
    const RECT doubled = SplashNoticeRect(SIZE{1200, 720}, 2, 52);
    EXPECT_EQ(doubled.left, 2 * normal.left);
    EXPECT_EQ(doubled.right, 2 * normal.right);
    EXPECT_EQ(doubled.top, 2 * normal.top);
    EXPECT_EQ(doubled.bottom, 2 * normal.bottom);
    EXPECT_EQ(SplashNoticeFontHeight(2), 26);
}

TEST(SplashNotice, ItNeverPassesTheBanner) {
    // The band reaches 12 pixels past the bottom: a tall text is cut there.
    const RECT tall = SplashNoticeRect(SIZE{600, 360}, 1, 80);
    EXPECT_EQ(tall.bottom, 360);
    EXPECT_GE(tall.top, 0);
    // A banner narrower and lower than the margins and the band.
    const RECT tiny = SplashNoticeRect(SIZE{30, 40}, 1, 13);
    EXPECT_GE(tiny.top, 0);
    EXPECT_LE(tiny.bottom, 40);
    EXPECT_LE(tiny.top, tiny.bottom);
    EXPECT_LE(tiny.left, tiny.right);
}

TEST(SplashNotice, TheTextFollowsTheCountryAndNamesTheYear) {
    EXPECT_NE(SplashNotice(7), SplashNotice(1));
    for (const int country : {1, 3, 7}) EXPECT_NE(SplashNotice(country).Find(L"2025"), -1) << country;
}

}  // namespace
