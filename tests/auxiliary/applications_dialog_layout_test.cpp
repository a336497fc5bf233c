// The applications dialog's frame: its own small icon, no smaller than it opened, and a layout
// that gives the growth to the list while the buttons keep to the right edge.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "auxiliary/applications_dialog.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

RECT ClientRectOf(HWND dialog, int id) {
    RECT at{};
    const HWND control = GetDlgItem(dialog, id);
    GetWindowRect(control, &at);
    POINT corners[2] = {{at.left, at.top}, {at.right, at.bottom}};
    ScreenToClient(dialog, &corners[0]);
    ScreenToClient(dialog, &corners[1]);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

class ApplicationsDialogFrame : public SessionTest {};

TEST_F(ApplicationsDialogFrame, ItShowsItsIconAndGivesTheGrowthToTheList) {
    Session s;
    s.start();
    s.runUntilIdle();
    UINT icon = 0;
    int iconWidth = 0, iconHeight = 0;
    RECT list{}, start{}, close{}, grownList{}, grownStart{}, grownClose{};
    MINMAXINFO limits{};
    s.user().expectDialog(CKVAppDlg::kTemplate, [&](HWND dialog) {
        const auto small = reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0));
        icon = platform::win32::iconResource(small);
        platform::win32::iconSize(small, iconWidth, iconHeight);
        list = ClientRectOf(dialog, CKVAppDlg::kList);
        start = ClientRectOf(dialog, CKVAppDlg::kStart);
        close = ClientRectOf(dialog, IDCANCEL);
        RECT window{};
        GetWindowRect(dialog, &window);
        SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top + 50, SWP_NOMOVE | SWP_NOZORDER);
        grownList = ClientRectOf(dialog, CKVAppDlg::kList);
        grownStart = ClientRectOf(dialog, CKVAppDlg::kStart);
        grownClose = ClientRectOf(dialog, IDCANCEL);
        SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        limits.ptMinTrackSize.x -= window.right - window.left;
        limits.ptMinTrackSize.y -= window.bottom - window.top;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    s.user().command(CKvw32App::Instance()->GetActiveMainFrame()->GetSafeHwnd(), 1258);
    s.runUntilIdle();
    EXPECT_EQ(icon, CKVAppDlg::kIcon);
    EXPECT_EQ(iconWidth, 16);
    EXPECT_EQ(iconHeight, 16);
    EXPECT_EQ(grownList.right - grownList.left, list.right - list.left + 100);
    EXPECT_EQ(grownList.bottom - grownList.top, list.bottom - list.top + 50);
    EXPECT_EQ(grownStart.left, start.left + 100);
    EXPECT_EQ(grownStart.top, start.top);
    EXPECT_EQ(grownClose.left, close.left + 100);
    EXPECT_EQ(grownClose.top, close.top + 50);
    EXPECT_EQ(limits.ptMinTrackSize.x, 0);
    EXPECT_EQ(limits.ptMinTrackSize.y, 0);
}

}  // namespace
