// Owner-drawn list boxes, cursors of the resources and modeless dialogs from templates: what the
// panel's choosers stand on.
#include <gtest/gtest.h>

#include "platform/harness.h"
#include "platform/mfc/dialogs/dialog_templates.h"
#include "platform/win32/resource_bitmaps.h"
#include "tests/support/session_test.h"

namespace {

// The sample's program folder holds the templates, cursors and bitmaps.
class Win32OwnerDrawnList : public platform::harness::SessionTest {
protected:
    void SetUp() override { platform::mfc::reloadDialogTemplates(); }
    platform::harness::Session s;
};

// A parent that draws its list's items and hears of each deleted one.
struct ListParent : CWnd {
    std::vector<std::wstring> events;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            events.push_back(L"draw " + std::to_wstring(item->itemID) + L" data " + std::to_wstring(item->itemData) +
                             L" top " + std::to_wstring(item->rcItem.top) +
                             ((item->itemState & ODS_SELECTED) ? L" selected" : L""));
            return TRUE;
        }
        if (message == WM_DELETEITEM) {
            const auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
            events.push_back(L"delete " + std::to_wstring(item->itemID) + L" data " + std::to_wstring(item->itemData));
            return TRUE;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(Win32OwnerDrawnList, ItsParentDrawsTheItemsThatFitAndHearsOfEachDeletedOne) {
    ListParent parent;
    ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr));
    const HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0,
                                        0, 100, 50, parent.GetSafeHwnd(), reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    // A height past what a list box holds (a negative one's low 16 bits, too) is refused.
    EXPECT_EQ(::SendMessageW(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<WORD>(-60), 0)), LB_ERR);
    EXPECT_EQ(::SendMessageW(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(256, 0)), LB_ERR);
    EXPECT_EQ(::SendMessageW(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(20, 0)), 0);
    EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 20);
    for (const wchar_t* text : {L"Arial", L"simplex.shx", L"gothic.fnt"}) {
        const auto index = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), 100 + index);
    }
    EXPECT_EQ(::SendMessageW(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"Default")), 0);
    EXPECT_EQ(::SendMessageW(list, LB_GETITEMDATA, 1, 0), 100);
    EXPECT_EQ(::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"SIMPLEX.SHX")), 2);
    EXPECT_EQ(::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"simplex")), LB_ERR);
    ::SendMessageW(list, LB_SETCURSEL, 2, 0);

    // 50 pixels show three items of 20.
    ::SendMessageW(list, WM_PAINT, 0, 0);
    EXPECT_EQ(parent.events, (std::vector<std::wstring>{L"draw 0 data 0 top 0", L"draw 1 data 100 top 20",
                                                        L"draw 2 data 101 top 40 selected"}));
    parent.events.clear();
    // Deleting before the selection moves it; emptying goes from the last item to the first.
    EXPECT_EQ(::SendMessageW(list, LB_DELETESTRING, 1, 0), 3);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(list, LB_DELETESTRING, 9, 0), LB_ERR);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(parent.events, (std::vector<std::wstring>{L"delete 1 data 100", L"delete 2 data 102", L"delete 1 data 101",
                                                        L"delete 0 data 0"}));
    parent.DestroyWindow();
}

// The control's own object answers the drawing its parent does not: the framework hands it back.
TEST_F(Win32OwnerDrawnList, AControlsOwnObjectDrawsWhatItsParentLeaves) {
    struct SelfDrawn : CWnd {
        int drawn = 0;
        BOOL OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* result) override {
            if (message != WM_DRAWITEM) return FALSE;
            ++drawn;
            *result = TRUE;
            return TRUE;
        }
    };
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr));
    SelfDrawn list;
    ASSERT_TRUE(list.CreateEx(0, L"LISTBOX", L"", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0, 100, 100,
                              parent.GetSafeHwnd(), nullptr));
    list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    list.SendMessage(WM_PAINT);
    EXPECT_EQ(list.drawn, 1);
    list.DestroyWindow();
    parent.DestroyWindow();
}

TEST_F(Win32OwnerDrawnList, CursorsAndBitmapsComeFromTheProgramsResources) {
    EXPECT_EQ(::LoadCursorW(nullptr, 4242), nullptr);
    EXPECT_EQ(::GetLastError(), 1814u);
    const HCURSOR splitter = ::LoadCursorW(nullptr, 30981);
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(::LoadCursorW(nullptr, 30981), splitter);
    EXPECT_EQ(platform::win32::cursorResource(splitter), 30981u);
    const HCURSOR before = ::SetCursor(splitter);
    EXPECT_EQ(::SetCursor(before), splitter);
    EXPECT_EQ(::GetCursor(), before);

    EXPECT_EQ(::LoadBitmapW(nullptr, 4242), nullptr);
    const HBITMAP bitmap = ::LoadBitmapW(nullptr, 4101);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    EXPECT_NE(::GetObjectW(bitmap, sizeof info, &info), 0);
    EXPECT_GT(info.bmWidth, 0);
    ::DeleteObject(bitmap);
}

TEST_F(Win32OwnerDrawnList, AModelessDialogIsAPopupOfItsOwnerAndAMissingTemplateNamesTheCall) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr));
    CDialog chooser(147);
    ASSERT_TRUE(chooser.Create(147, &owner));
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(chooser.GetSafeHwnd(), GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_CAPTION) << "a pop-up template has no caption";
    EXPECT_FALSE(chooser.IsWindowVisible()) << "the caller places it, then shows it";
    EXPECT_EQ(::GetWindow(chooser.GetSafeHwnd(), GW_OWNER), owner.GetSafeHwnd());
    const HWND list = ::GetDlgItem(chooser.GetSafeHwnd(), 1014);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(::GetWindowLongPtrW(list, GWL_STYLE) & LBS_OWNERDRAWFIXED);
    chooser.DestroyWindow();

    CDialog missing(3999);
    EXPECT_FALSE(missing.Create(3999, &owner));
    bool named = false;
    for (const std::wstring& failure : s.takeFailures())
        named = named || failure.find(L"CDialog::Create(3999)") != std::wstring::npos;
    EXPECT_TRUE(named);
    owner.DestroyWindow();

    const auto parsed = platform::mfc::parseDialogTemplates(
        "<Dialogs>\n<Dialog id=\"5\" size=\"10,10\" popup=\"yes\"/>\n<Dialog id=\"6\" size=\"10,10\">\n"
        "<Button id=\"1\" rect=\"0,0,1,1\" ownerdraw=\"true\"/>\n</Dialog>\n</Dialogs>",
        L"d.xml");
    EXPECT_EQ(parsed.problems.at(5), L"d.xml(2): popup=\"yes\" is neither \"true\" nor \"false\"");
    EXPECT_EQ(parsed.problems.at(6), L"d.xml(4): <Button> has no attribute ownerdraw");
}

}  // namespace
