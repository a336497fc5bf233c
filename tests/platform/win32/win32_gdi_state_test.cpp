// What device contexts and GDI objects keep: the selected objects, the modes, and which handle
// goes back by which call; stale handles fail instead of reaching another object.
#include "tests/platform/win32/win32_test_support.h"

#include "platform/win32/edges.h"

namespace {

using namespace win32test;

TEST(Win32Gdi, SelectingHandsBackThePreviousObjectOfTheSameKind) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Sans");
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 3);
    ASSERT_TRUE(red && blue && font && bitmap);

    SelectObject(dc, red);
    EXPECT_EQ(SelectObject(dc, blue), red);
    EXPECT_EQ(SelectObject(dc, font), font) << "the first font: the stand-in's own start";
    EXPECT_EQ(SelectObject(dc, bitmap), bitmap);
    EXPECT_EQ(SelectObject(dc, red), blue) << "a font and a bitmap in between did not replace the brush";

    BITMAP info{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof(info), &info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(GetObjectW(bitmap, sizeof(info) - 1, &info), 0) << "a buffer too small";
    EXPECT_EQ(GetObjectW(red, sizeof(info), &info), 0) << "not a bitmap";

    EXPECT_TRUE(DeleteObject(blue));
    EXPECT_FALSE(DeleteObject(blue)) << "deleted already";
    EXPECT_EQ(SelectObject(dc, blue), nullptr) << "a deleted object cannot be selected";
    RECT r{0, 0, 2, 2};
    EXPECT_EQ(FillRect(dc, &r, blue), 0);
    EXPECT_EQ(FillRect(dc, &r, red), 1);
    EXPECT_EQ(FillRect(dc, nullptr, red), 0);

    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(SelectObject(dc, red), nullptr) << "a deleted DC";
    EXPECT_EQ(FillRect(dc, &r, red), 0);
    expectNoFailures();
}

TEST(Win32Gdi, ModesReturnTheirPreviousValueAndRefuseWhatIsNotModelled) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(dc, HALFTONE), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(dc, 0), 0) << "no such mode";
    EXPECT_EQ(GetStretchBltMode(dc), HALFTONE);
    POINT previous{-1, -1};
    EXPECT_TRUE(SetBrushOrgEx(dc, 3, 4, &previous));
    EXPECT_EQ(previous, (POINT{0, 0}));
    EXPECT_TRUE(SetBrushOrgEx(dc, 0, 0, &previous));
    EXPECT_EQ(previous, (POINT{3, 4}));
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
    expectNoFailures();
    EXPECT_EQ(SetMapMode(dc, MM_TEXT + 1), 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u) << "a mapping mode the stand-in cannot honour";
    DeleteDC(dc);
    EXPECT_FALSE(SetBrushOrgEx(dc, 1, 1, nullptr));
    EXPECT_EQ(SetStretchBltMode(dc, HALFTONE), 0);
}

TEST(Win32Gdi, TextIsRecordedWithItsFontColourModeAndTheNarrowedClip) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HDC dc = GetDC(top);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 7), 0) << "no such mode";
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 100, 20), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(dc, 10, 5, 200, 50), SIMPLEREGION) << "narrowed to (10,5,100,20)";
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    SelectObject(dc, font);
    RECT box{0, 0, 120, 30};
    EXPECT_EQ(DrawTextW(dc, L"42%x", 3, &box, DT_CENTER | DT_SINGLELINE), 13);
    EXPECT_EQ(DrawTextW(dc, L"all", -1, &box, DT_NOCLIP), 13);
    EXPECT_EQ(IntersectClipRect(dc, 300, 300, 400, 400), NULLREGION) << "outside what is left";
    const std::vector<std::wstring> expected{
        L"DrawText (0,0)-(120,30) \"42%\" font \"Tahoma\" 13 colour 0x030201 transparent DT_CENTER DT_SINGLELINE "
        L"clip (10,5)-(100,20)",
        L"DrawText (0,0)-(120,30) \"all\" font \"Tahoma\" 13 colour 0x030201 transparent",
    };
    EXPECT_EQ(platform::win32::windowDrawing(top), expected);
    ReleaseDC(top, dc);
    EXPECT_EQ(DrawTextW(dc, L"gone", -1, &box, 0), 0) << "a released DC draws nothing";
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    DeleteObject(font);
    DestroyWindow(top);
    expectNoFailures();
}

TEST(Win32Gdi, WindowDcsGoBackThroughReleaseDcAndMemoryDcsOnlyThroughDeleteDc) {
    HWND top = createNamed("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HDC window = GetDC(top);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(window);
    ASSERT_TRUE(window && screen && memory);
    EXPECT_EQ(ReleaseDC(top, memory), 0) << "not a DC of GetDC";
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_NE(SelectObject(memory, brush), nullptr) << "still alive";
    EXPECT_EQ(ReleaseDC(top, window), 1);
    EXPECT_EQ(ReleaseDC(top, window), 0) << "released once";
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_TRUE(DeleteDC(memory));

    DestroyWindow(top);
    EXPECT_EQ(GetDC(top), nullptr) << "a destroyed window has no DC";
    expectNoFailures();
}

TEST(Win32Kernel, ManualEventsStayOpenForEveryWaitUntilResetAndNamesAreShared) {
    HANDLE manual = CreateEventW(nullptr, TRUE, FALSE, L"Korvo.Test.Event");
    ASSERT_NE(manual, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0) << "manual reset: still signalled";

    // Opening the same name gives the same object, whatever the other arguments say.
    HANDLE again = CreateEventW(nullptr, FALSE, FALSE, L"korvo.test.EVENT");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_NE(again, manual) << "a handle of its own";
    EXPECT_EQ(WaitForSingleObject(again, 0), WAIT_OBJECT_0) << "already signalled, still manual";
    EXPECT_TRUE(ResetEvent(again));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

    EXPECT_TRUE(CloseHandle(manual));
    EXPECT_TRUE(SetEvent(again)) << "the other handle keeps the object";
    EXPECT_TRUE(CloseHandle(again));
    HANDLE fresh = CreateEventW(nullptr, TRUE, FALSE, L"Korvo.Test.Event");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "the last handle took the name with it";
    EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT);
    CloseHandle(fresh);

    SetLastError(0);
    EXPECT_FALSE(SetEvent(manual));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(ResetEvent(nullptr));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(manual));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    expectNoFailures();
}

TEST(Win32Kernel, AMutexIsNotAnEventAndRecursesForItsOwner) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, nullptr);
    ASSERT_NE(mutex, nullptr);
    SetLastError(0);
    EXPECT_FALSE(SetEvent(mutex)) << "a handle of another kind";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0) << "the owner enters again";
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
    SetLastError(0);
    EXPECT_FALSE(ReleaseMutex(mutex)) << "released more often than taken";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
    CloseHandle(mutex);
    expectNoFailures();
}

}  // namespace

namespace {

TEST(Win32Gdi, LinesAreRecordedWithTheirPenAndRasterOperationAndXorIsUndone) {
    HWND top = createNamed("lines", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HDC dc = GetDC(top);
    ASSERT_NE(dc, nullptr);
    HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_TRUE(MoveToEx(dc, 1, 2, nullptr));
    EXPECT_TRUE(LineTo(dc, 5, 2)) << "the stock pen: black, width 1";
    SelectObject(dc, white);
    EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
    POINT previous{};
    EXPECT_TRUE(MoveToEx(dc, 0, 0, &previous));
    EXPECT_EQ(previous, (POINT{5, 2})) << "a line ends where it was drawn to";
    EXPECT_TRUE(LineTo(dc, 3, 4));
    const std::vector<std::wstring> drawing = platform::win32::windowDrawing(top);
    ASSERT_EQ(drawing.size(), 2u);
    EXPECT_EQ(drawing[0], L"LineTo (1,2)-(5,2) 0x000000 width 1 COPYPEN");
    EXPECT_EQ(drawing[1], L"LineTo (0,0)-(3,4) 0xFFFFFF width 1 XORPEN");
    ReleaseDC(top, dc);
    DeleteObject(white);
    expectNoFailures();

    EXPECT_EQ(CreatePen(PS_SOLID + 1, 1, 0), nullptr);
    EXPECT_EQ(SetROP2(dc, R2_XORPEN + 1), 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 2u) << "a dashed pen and another raster operation";
    EXPECT_FALSE(LineTo(dc, 1, 1)) << "a released DC";
}

TEST(Win32Gdi, AFocusRectangleInvertsEveryOtherBorderPixelAndAnIconDrawnInAStateIsRecorded) {
    HBITMAP bitmap = platform::win32::createBitmap(4, 3, std::vector<std::uint32_t>(12, 0xFFFFFFu));
    HDC memory = CreateCompatibleDC(nullptr);
    ASSERT_NE(memory, nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const RECT all{0, 0, 4, 3};
    ASSERT_TRUE(DrawFocusRect(memory, &all));
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(platform::win32::bitmapPixels(bitmap, width, height, pixels));
    // Dotted: the corner is inverted, its neighbours along the border are not; inside nothing is.
    const std::vector<std::uint32_t> dotted{0x000000u, 0xFFFFFFu, 0x000000u, 0xFFFFFFu,
                                            0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu, 0x000000u,
                                            0x000000u, 0xFFFFFFu, 0x000000u, 0xFFFFFFu};
    EXPECT_EQ(pixels, dotted);
    ASSERT_TRUE(DrawFocusRect(memory, &all));
    ASSERT_TRUE(platform::win32::bitmapPixels(bitmap, width, height, pixels));
    EXPECT_EQ(pixels, std::vector<std::uint32_t>(12, 0xFFFFFFu)) << "drawn twice it is gone";
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);

    HWND top = createNamed("states", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HDC dc = GetDC(top);
    HICON icon = platform::win32::createIcon(16, 16, 799);
    const RECT row{2, 3, 40, 20};
    EXPECT_TRUE(DrawFocusRect(dc, &row));
    EXPECT_TRUE(DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, 4, 5, 32, 32, DST_ICON | DSS_NORMAL));
    EXPECT_TRUE(DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, 4, 5, 0, 0, DST_ICON | DSS_DISABLED));
    EXPECT_FALSE(DrawStateW(dc, nullptr, nullptr, 0, 0, 4, 5, 32, 32, DST_ICON)) << "no icon";
    const std::vector<std::wstring> drawing = platform::win32::windowDrawing(top);
    ASSERT_EQ(drawing.size(), 3u);
    EXPECT_EQ(drawing[0], L"DrawFocusRect (2,3)-(40,20)");
    EXPECT_EQ(drawing[1], L"DrawState (4,5) 32x32 icon 799");
    EXPECT_EQ(drawing[2], L"DrawState (4,5) 16x16 icon 799 disabled") << "no size takes the icon's own";
    expectNoFailures();
    EXPECT_FALSE(DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, 4, 5, 32, 32, DST_ICON | 0x0010));
    EXPECT_EQ(platform::core::takeFailures().size(), 1u) << "another state is not modelled";
    DestroyIcon(icon);
    ReleaseDC(top, dc);
}

}  // namespace
