// Pictures in the stand-ins: the graphics library's codecs, memory bitmaps with real pixels,
// stretched copies and fills, print jobs, and a window's own scroll bars.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/journal.h"
#include "platform/harness/embedded_sample.h"
#include "platform/kernel.h"
#include "platform/kvgc/picture_codec.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;
using platform::kvgc::Picture;

class Win32Pictures : public MfcTest {};

Picture opaque(int width, int height) {
    Picture p{width, height, {}};
    for (int i = 0; i < width * height; ++i) p.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 0x010307));
    return p;
}

TEST_F(Win32Pictures, EveryListedFormatRoundTripsAndTheContentDecidesTheCodec) {
    const Picture picture = opaque(5, 3);
    for (const wchar_t* extension : {L".png", L".bmp", L".dib", L".gif", L".tif", L".tiff", L".pcx", L".tga"}) {
        const auto bytes = platform::kvgc::encodePicture(picture, extension);
        ASSERT_TRUE(bytes) << mfctest::utf8(extension);
        const auto back = platform::kvgc::decodePicture(*bytes, extension);
        ASSERT_TRUE(back) << mfctest::utf8(extension);
        EXPECT_EQ(back->pixels, picture.pixels) << mfctest::utf8(extension);
    }
    // JPEG is lossy: the size survives.
    const auto jpeg = platform::kvgc::encodePicture(picture, L".JPEG");
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(platform::kvgc::decodePicture(*jpeg, L".jpg")->width, 5);

    // A PNG or GIF named otherwise is read as what it is; TGA, which has no signature, only by its
    // extension; nothing else is handed to a codec the library would guess.
    const std::string png = *platform::kvgc::encodePicture(picture, L".png");
    EXPECT_EQ(platform::kvgc::pictureFormat(png, L".jpg"), "PNG");
    EXPECT_TRUE(platform::kvgc::decodePicture(png, L".JPG"));
    const std::string gif = *platform::kvgc::encodePicture(picture, L".gif");
    EXPECT_EQ(platform::kvgc::pictureFormat(gif, L".tga"), "GIF");
    const std::string tga = *platform::kvgc::encodePicture(picture, L".tga");
    EXPECT_EQ(platform::kvgc::pictureFormat(tga, L".png"), "");
    EXPECT_FALSE(platform::kvgc::decodePicture(tga, L".png"));
    EXPECT_FALSE(platform::kvgc::decodePicture("%!PS-Adobe-3.0\n0 0 moveto\n", L".tga"));
    EXPECT_FALSE(platform::kvgc::decodePicture(png.substr(0, png.size() / 2), L".png"));
    EXPECT_FALSE(platform::kvgc::decodePicture("", L".png"));
    EXPECT_FALSE(platform::kvgc::encodePicture(picture, L".svg"));
}

TEST_F(Win32Pictures, DecodingOntoABackgroundBlendsInThePassThatReadsThePixels) {
    // Opacities 0, 0x80 and 0xFF keep their exact bytes without a background, and blend with one.
    const Picture picture{3, 2, {0xFF102030u, 0x80FF0000u, 0x00FFFFFFu, 0xFF000000u, 0x800000FFu, 0xFFFFFFFFu}};
    const std::string png = *platform::kvgc::encodePicture(picture, L".png");
    EXPECT_EQ(platform::kvgc::decodePicture(png, L".png")->pixels, picture.pixels);
    const auto onGrey = platform::kvgc::decodePicture(png, L".png", 0x7D7D7Du);
    ASSERT_TRUE(onGrey);
    EXPECT_EQ(onGrey->width, 3);
    EXPECT_EQ(onGrey->pixels,
              (std::vector<std::uint32_t>{0x102030u, 0xBE3E3Eu, 0x7D7D7Du, 0x000000u, 0x3E3EBEu, 0xFFFFFFu}));

    // An opaque picture only loses its opacity byte.
    const Picture opaque{2, 1, {0xFF0A0B0Cu, 0xFFF0E0D0u}};
    const std::string bmp = *platform::kvgc::encodePicture(opaque, L".bmp");
    EXPECT_EQ(platform::kvgc::decodePicture(bmp, L".bmp")->pixels, opaque.pixels);
    EXPECT_EQ(platform::kvgc::decodePicture(bmp, L".bmp", 0x7D7D7Du)->pixels,
              (std::vector<std::uint32_t>{0x0A0B0Cu, 0xF0E0D0u}));
}

TEST_F(Win32Pictures, APictureBecomesABitmapWithItsTransparentPartsOnTheBackground) {
    Picture picture{2, 1, {0xFF102030u, 0x00FFFFFFu}};
    ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Pictures\\half.png", *platform::kvgc::encodePicture(picture, L".png")),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Pictures"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Pictures\\half.png", *platform::kvgc::encodePicture(picture, L".png")), 0u);
    HBITMAP bitmap = Korvo::CreateImageBitmap(L"C:\\Pictures\\half.png", RGB(125, 125, 125));
    ASSERT_NE(bitmap, nullptr);
    CWinBMP copy;
    ASSERT_EQ(copy.Create(bitmap, nullptr, 0.0, 0.0), 0);
    EXPECT_EQ(copy.pixels, (std::vector<std::uint32_t>{0x102030u, 0x7D7D7Du}));
    EXPECT_EQ(Korvo::CreateImageBitmap(L"C:\\Pictures\\missing.png", 0), nullptr);
    ::DeleteObject(bitmap);

    // Saving: the extension names the format; an unknown one or a missing folder writes nothing.
    EXPECT_EQ(copy.Save(L"C:\\Pictures\\copy.bmp"), 0);
    std::string bytes;
    ASSERT_EQ(platform::files::readAll(L"C:\\Pictures\\copy.bmp", bytes), 0u);
    EXPECT_EQ(platform::kvgc::decodePicture(bytes, L".bmp")->pixels, (std::vector<std::uint32_t>{0xFF102030u, 0xFF7D7D7Du}));
    EXPECT_EQ(copy.Save(L"C:\\Pictures\\copy.svg"), 3);
    EXPECT_EQ(copy.Save(L"C:\\Nowhere\\copy.png"), 4);
    EXPECT_EQ(CWinBMP{}.Save(L"C:\\Pictures\\empty.png"), 1);
    EXPECT_EQ(CWinBMP{}.Create(nullptr, nullptr, 0.0, 0.0), 1);
}

TEST_F(Win32Pictures, ADeferredBitmapMakesItsPixelsOnceAndOnlyWhenTheyAreUsed) {
    int made = 0;
    const auto picture = [&made] {
        ++made;
        return std::vector<std::uint32_t>{1, 2, 3, 4};
    };
    EXPECT_EQ(platform::win32::createDeferredBitmap(1 << 14, 1 << 14, picture), nullptr);

    // Its size, a DC holding it and text drawn on it (recorded, not rasterised) need no pixels.
    HBITMAP shown = platform::win32::createDeferredBitmap(2, 2, picture);
    ASSERT_NE(shown, nullptr);
    BITMAP info{};
    ASSERT_EQ(::GetObjectW(shown, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 2);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, shown);
    RECT box{0, 0, 2, 2};
    ::DrawTextW(dc, L"notice", -1, &box, DT_NOPREFIX);
    EXPECT_EQ(made, 0);

    // A copy from it makes them, once; reading them afterwards gives the same.
    HBITMAP target = ::CreateCompatibleBitmap(nullptr, 2, 2);
    HDC to = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previousTarget = ::SelectObject(to, target);
    ASSERT_TRUE(::BitBlt(to, 0, 0, 2, 2, dc, 0, 0, SRCCOPY));
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(platform::win32::bitmapPixels(target, width, height, pixels));
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{1, 2, 3, 4}));
    ASSERT_TRUE(platform::win32::bitmapPixels(shown, width, height, pixels));
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(made, 1);

    // Drawing over part of one keeps the rest of its picture; one deleted unused is never made.
    HBITMAP drawnOn = platform::win32::createDeferredBitmap(2, 2, picture);
    ::SelectObject(dc, drawnOn);
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    RECT corner{1, 1, 2, 2};
    ::FillRect(dc, &corner, red);
    ASSERT_TRUE(platform::win32::bitmapPixels(drawnOn, width, height, pixels));
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{1, 2, 3, 0xFF0000u}));
    EXPECT_EQ(made, 2);
    ::DeleteObject(platform::win32::createDeferredBitmap(2, 2, picture));
    EXPECT_EQ(made, 2);

    ::SelectObject(dc, previous);
    ::SelectObject(to, previousTarget);
    ::DeleteDC(dc);
    ::DeleteDC(to);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(shown), static_cast<HGDIOBJ>(target), static_cast<HGDIOBJ>(drawnOn),
                           static_cast<HGDIOBJ>(red)})
        ::DeleteObject(object);
}

TEST_F(Win32Pictures, APlainBitmapFileBecomesTheBitmapItsDecodingGivesWhenItsPixelsAreUsed) {
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Pictures"), 0u);
    int banners = 0;
    for (const auto& [path, bytes] : platform::harness::embeddedSampleFiles()) {
        if (!path.ends_with(".bmp")) continue;
        SCOPED_TRACE(std::string(path));
        ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Pictures\\banner.bmp", bytes), 0u);
        HBITMAP bitmap = Korvo::CreateImageBitmap(L"C:\\Pictures\\banner.bmp", RGB(125, 125, 125));
        ASSERT_NE(bitmap, nullptr);
        int width = 0, height = 0;
        std::vector<std::uint32_t> pixels;
        ASSERT_TRUE(platform::win32::bitmapPixels(bitmap, width, height, pixels));
        const auto decoded = platform::kvgc::decodePicture(std::string(bytes), L".bmp", 0x7D7D7Du);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(width, decoded->width);
        EXPECT_EQ(height, decoded->height);
        EXPECT_EQ(pixels, decoded->pixels);
        ::DeleteObject(bitmap);
        ++banners;
    }
    EXPECT_GE(banners, 2);

    // A damaged file is refused when it is read, not when its pixels are first wanted.
    ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Pictures\\cut.bmp", std::string("BM") + std::string(60, '\0')), 0u);
    EXPECT_EQ(Korvo::CreateImageBitmap(L"C:\\Pictures\\cut.bmp", 0), nullptr);
}

TEST_F(Win32Pictures, MemoryBitmapsTakeStretchedCopiesAndFillsAsPixels) {
    HBITMAP source = platform::win32::createBitmap(2, 2, {0x000001, 0x000002, 0x000003, 0x000004});
    HBITMAP target = ::CreateCompatibleBitmap(nullptr, 4, 4);
    ASSERT_NE(source, nullptr);
    ASSERT_NE(target, nullptr);
    CDC from, to;
    from.CreateCompatibleDC(nullptr);
    to.CreateCompatibleDC(nullptr);
    CBitmap sourceBitmap, targetBitmap;
    sourceBitmap.Attach(source);
    targetBitmap.Attach(target);
    CBitmap* previousSource = from.SelectObject(&sourceBitmap);
    CBitmap* previousTarget = to.SelectObject(&targetBitmap);
    ASSERT_TRUE(to.StretchBlt(0, 0, 4, 4, &from, 0, 0, 2, 2, SRCCOPY));
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(platform::win32::bitmapPixels(target, width, height, pixels));
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
    CBrush red(RGB(255, 0, 0));
    to.SelectObject(&red);
    ASSERT_TRUE(to.PatBlt(3, 3, 5, 5, PATCOPY));  // clipped to the bitmap
    platform::win32::bitmapPixels(target, width, height, pixels);
    EXPECT_EQ(pixels.back(), 0xFF0000u);
    EXPECT_EQ(pixels[14], 4u);
    // What is not modelled is no quiet success.
    EXPECT_FALSE(to.StretchBlt(0, 0, -4, 4, &from, 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(to.PatBlt(0, 0, 1, 1, SRCCOPY));
    EXPECT_EQ(to.SetMapMode(8), 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 3u);
    EXPECT_EQ(::CreateCompatibleBitmap(nullptr, 1 << 14, 1 << 14), nullptr);
    from.SelectObject(previousSource);
    to.SelectObject(previousTarget);
}

TEST_F(Win32Pictures, AWindowKeepsThePixelsItsPaintDrewUntilItsNextPaint) {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                          nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    EXPECT_FALSE(platform::win32::windowPixels(window, width, height, pixels)) << "nothing drawn yet";
    HBITMAP source = platform::win32::createBitmap(2, 1, {0xFF000001u, 0x000002});
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    CDC from;
    from.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(source);
    CBitmap* previous = from.SelectObject(&bitmap);
    ASSERT_TRUE(::StretchBlt(dc, 10, 20, 4, 2, from.GetSafeHdc(), 0, 0, 2, 1, SRCCOPY));
    from.SelectObject(previous);
    ::EndPaint(window, &paint);
    RECT client{};
    ::GetClientRect(window, &client);
    ASSERT_TRUE(platform::win32::windowPixels(window, width, height, pixels));
    EXPECT_EQ(width, client.right);
    EXPECT_EQ(height, client.bottom);
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; };
    EXPECT_EQ(at(10, 20), 1u) << "the source's alpha does not reach the screen";
    EXPECT_EQ(at(13, 21), 2u);
    EXPECT_EQ(at(14, 20), 0xFF000000u) << "unpainted";
    // The next paint starts afresh.
    ::BeginPaint(window, &paint);
    ::EndPaint(window, &paint);
    EXPECT_FALSE(platform::win32::windowPixels(window, width, height, pixels));
    // A destroyed window's pixels and drawing go with it.
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    const RECT corner{0, 0, 5, 5};
    dc = ::BeginPaint(window, &paint);
    ::FillRect(dc, &corner, brush);
    ::EndPaint(window, &paint);
    ::DeleteObject(brush);
    ASSERT_TRUE(platform::win32::windowPixels(window, width, height, pixels));
    ASSERT_FALSE(platform::win32::windowDrawing(window).empty());
    ::DestroyWindow(window);
    EXPECT_FALSE(platform::win32::windowPixels(window, width, height, pixels));
    EXPECT_TRUE(platform::win32::windowDrawing(window).empty());
}

TEST_F(Win32Pictures, AFillOverTheWholeClientAreaGivesWayToWhatIsDrawnOverPartOfIt) {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                          nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    RECT client{};
    ::GetClientRect(window, &client);
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 255));
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    const RECT beyond{-5, -5, client.right + 5, client.bottom + 5};
    ::FillRect(dc, &beyond, blue);
    ::FillRect(dc, &client, red);
    const RECT part{client.right - 3, client.bottom - 2, client.right + 10, client.bottom + 10};
    ::FillRect(dc, &part, blue);
    const RECT empty{7, 7, 7, 9};
    ::FillRect(dc, &empty, blue);
    ::EndPaint(window, &paint);
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(platform::win32::windowPixels(window, width, height, pixels));
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(client.right) * static_cast<std::size_t>(client.bottom));
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; };
    EXPECT_EQ(at(0, 0), 0xFF0000u);
    EXPECT_EQ(at(7, 7), 0xFF0000u) << "an empty rectangle draws nothing";
    EXPECT_EQ(at(width - 4, height - 1), 0xFF0000u);
    EXPECT_EQ(at(width - 3, height - 2), 0x0000FFu);
    EXPECT_EQ(at(width - 1, height - 1), 0x0000FFu);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0x0000FFu), 6);
    ::DeleteObject(red);
    ::DeleteObject(blue);
    ::DestroyWindow(window);
}

TEST_F(Win32Pictures, PrintJobsRecordTheirPages) {
    auto picture = std::make_shared<CWinBMP>();
    picture->width = 2;
    picture->height = 4;
    picture->pixels.assign(8, 0x123456);
    EXPECT_EQ(print_bitmap(picture), 0);
    EXPECT_EQ(print_bitmap(std::make_shared<CWinBMP>()), 1);
    const auto jobs = platform::win32::printJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].document, L"Picture 2x4");
    EXPECT_TRUE(jobs[0].ended);
    EXPECT_EQ(jobs[0].drawing,
              std::vector<std::wstring>{L"StretchBlt (0,0)-(3300,6600) from 2x4 (0,0)-(2,4) SRCCOPY BLACKONWHITE"});
}

TEST_F(Win32Pictures, AWindowsScrollBarsKeepTheirRangeAndShowWhenTheRangeExceedsThePage) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 200, 100}, frame, 1));
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 1;
    info.nMax = 500;
    info.nPage = 200;
    info.nPos = 1000;  // kept where the page still fits
    EXPECT_EQ(::SetScrollInfo(child, SB_HORZ, &info, TRUE), 301);
    EXPECT_TRUE(child.GetStyle() & WS_HSCROLL);
    RECT client{};
    child.GetClientRect(&client);
    EXPECT_EQ(client.bottom, 100 - ::GetSystemMetrics(SM_CYHSCROLL));
    info.nPage = 900;  // larger than the range: the page shrinks to it and the bar goes
    info.fMask = SIF_PAGE;
    ::SetScrollInfo(child, SB_HORZ, &info, TRUE);
    EXPECT_FALSE(child.GetStyle() & WS_HSCROLL);
    child.GetScrollInfo(SB_HORZ, &info);
    EXPECT_EQ(info.nPage, 500u);
    EXPECT_EQ(info.nPos, 1);
    // SIF_DISABLENOSCROLL keeps the bar as it is; ShowScrollBar shows it whatever the range.
    child.EnableScrollBarCtrl(SB_BOTH, TRUE);
    info.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
    ::SetScrollInfo(child, SB_HORZ, &info, TRUE);
    EXPECT_EQ(child.GetStyle() & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    child.GetClientRect(&client);
    EXPECT_EQ(client.right, 200 - ::GetSystemMetrics(SM_CXVSCROLL));
    // Scroll-bar controls are not modelled.
    EXPECT_EQ(::SetScrollInfo(child, SB_CTL, &info, TRUE), 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    child.DestroyWindow();
    frame->DestroyWindow();
}

}  // namespace
