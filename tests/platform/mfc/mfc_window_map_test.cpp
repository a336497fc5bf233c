// The permanent map between handles and window objects: attaching, detaching, handing a window
// from one object to another, and what happens to each side when the other goes first.
#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using namespace mfctest;

constexpr UINT kAsk = WM_USER + 20;

class CAnswerWnd : public CWnd {
public:
    explicit CAnswerWnd(LRESULT answer = 1) : answer_(answer) {}
    int destroys = 0;
    int ncDestroys = 0;
    bool destroyAgainInOnDestroy = false;
    BOOL nestedResult = -1;

    afx_msg LRESULT OnAsk(WPARAM, LPARAM) { return answer_; }
    afx_msg void OnDestroy() {
        ++destroys;
        if (destroyAgainInOnDestroy) nestedResult = DestroyWindow();
        CWnd::OnDestroy();
    }
    afx_msg void OnNcDestroy() {
        ++ncDestroys;
        CWnd::OnNcDestroy();
    }
    DECLARE_MESSAGE_MAP()

private:
    LRESULT answer_;
};

BEGIN_MESSAGE_MAP(CAnswerWnd, CWnd)
    ON_MESSAGE(kAsk, &CAnswerWnd::OnAsk)
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

HWND plainWindow(LPCWSTR text = L"plain") {
    return ::CreateWindowExW(0, L"STATIC", text, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(MfcTest, AHandleBelongsToOneObjectAtATimeAndDetachingLeavesTheWindowAlive) {
    HWND hWnd = plainWindow();
    ASSERT_NE(hWnd, nullptr);
    CAnswerWnd first(1), second(2);
    ASSERT_TRUE(first.SubclassWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &first);
    EXPECT_FALSE(second.Attach(hWnd)) << "already in the map for another object";
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_FALSE(first.Attach(plainWindow(L"other"))) << "an object holds one handle";
    EXPECT_FALSE(second.Attach(nullptr));
    EXPECT_EQ(::SendMessageW(hWnd, kAsk, 0, 0), 1);

    // The subclassed procedure stays; with nobody in the map it falls back to the default.
    EXPECT_EQ(first.Detach(), hWnd);
    EXPECT_EQ(first.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(::SendMessageW(hWnd, kAsk, 0, 0), 0);
    EXPECT_EQ(first.Detach(), nullptr) << "detaching twice is harmless";

    ASSERT_TRUE(second.Attach(hWnd));
    EXPECT_EQ(::SendMessageW(hWnd, kAsk, 0, 0), 2) << "the new object answers through the same procedure";
    EXPECT_EQ(CWnd::FromHandle(hWnd), &second) << "a permanent object wins over a temporary wrapper";
    second.DestroyWindow();
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_EQ(second.ncDestroys, 1);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(MfcTest, AnObjectThatOutlivesItsWindowLetsGoAtNcDestroyAndOneThatDiesFirstTakesItsWindow) {
    HWND hWnd = plainWindow();
    {
        CAnswerWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        ASSERT_TRUE(::DestroyWindow(hWnd)) << "destroyed behind the object's back";
        EXPECT_EQ(wnd.destroys, 1);
        EXPECT_EQ(wnd.m_hWnd, nullptr) << "detached at WM_NCDESTROY";
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        EXPECT_FALSE(wnd.DestroyWindow()) << "nothing left to destroy";
    }

    HWND kept = plainWindow(L"kept");
    {
        CAnswerWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(kept));
    }
    EXPECT_FALSE(::IsWindow(kept)) << "the object's end destroys the window it still holds";
    EXPECT_EQ(CWnd::FromHandlePermanent(kept), nullptr);

    HWND detached = plainWindow(L"detached");
    {
        CAnswerWnd wnd;
        ASSERT_TRUE(wnd.Attach(detached));
        wnd.Detach();
    }
    EXPECT_TRUE(::IsWindow(detached)) << "a detached window is not the object's to destroy";
    ::DestroyWindow(detached);
}

TEST_F(MfcTest, DestroyingAgainFromOnDestroyDoesNotDestroyTwice) {
    HWND hWnd = plainWindow();
    CAnswerWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    wnd.destroyAgainInOnDestroy = true;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.destroys, 1);
    EXPECT_EQ(wnd.ncDestroys, 1);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(MfcTest, TemporaryWrappersNeverEnterThePermanentMapAndDoNotDestroyOnTheirOwn) {
    HWND hWnd = plainWindow();
    CWnd* wrapper = CWnd::FromHandle(hWnd);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(nullptr), nullptr);

    CAnswerWnd owner;
    EXPECT_TRUE(owner.Attach(hWnd)) << "a wrapper does not hold the handle in the map";
    EXPECT_EQ(CWnd::FromHandle(hWnd), &owner);
    owner.Detach();

    // Freeing the wrappers at idle must leave the window alone.
    app().OnIdle(1);
    EXPECT_TRUE(::IsWindow(hWnd));
    CWnd* again = CWnd::FromHandle(hWnd);
    EXPECT_TRUE(again->DestroyWindow());
    EXPECT_EQ(again->m_hWnd, nullptr) << "a wrapper lets go of the handle it destroyed";
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(MfcTest, SendToDescendantsReachesEveryLevelOrOnlyTheChildrenAndOnlyPermanentOnesWhenAsked) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW));
    CAnswerWnd child(5);
    ASSERT_TRUE(child.Create(nullptr, L"child", WS_CHILD, RECT{0, 0, 50, 50}, frame, 1));
    HWND grandchild = ::CreateWindowExW(0, L"STATIC", L"g", WS_CHILD, 0, 0, 5, 5, child, nullptr, nullptr, nullptr);
    ASSERT_NE(grandchild, nullptr);
    ::SetWindowTextW(grandchild, L"before");

    frame->SendMessageToDescendants(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"shallow"), FALSE, FALSE);
    CString text;
    child.GetWindowText(text);
    EXPECT_EQ(text, L"shallow");
    wchar_t buffer[16];
    ::GetWindowTextW(grandchild, buffer, 16);
    EXPECT_STREQ(buffer, L"before") << "not deep";

    frame->SendMessageToDescendants(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"perm"), TRUE, TRUE);
    ::GetWindowTextW(grandchild, buffer, 16);
    EXPECT_STREQ(buffer, L"before") << "only windows with a permanent object";
    child.GetWindowText(text);
    EXPECT_EQ(text, L"perm");

    frame->SendMessageToDescendants(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"deep"), TRUE, FALSE);
    ::GetWindowTextW(grandchild, buffer, 16);
    EXPECT_STREQ(buffer, L"deep");
    frame->DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr) << "the child went with the frame and let go of its object";
}


// The class name stands for the class's style and handles: windows asking with the same ones share
// a class, any difference makes another.
TEST_F(MfcTest, RegisteredClassNamesSpellTheStyleAndEveryHandle) {
    const auto handle = [](std::uintptr_t bits) { return reinterpret_cast<void*>(bits); };
    wchar_t instance[17] = {};
    std::swprintf(instance, 17, L"%016llX", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(AfxGetInstanceHandle())));
    const std::wstring name = AfxRegisterWndClass(0x2B, static_cast<HCURSOR>(handle(0xAB0)), static_cast<HBRUSH>(handle(0x1F)),
                                                  static_cast<HICON>(handle(0xFEDCBA9876543210)));
    EXPECT_EQ(name, L"Afx:" + std::wstring(instance) + L":2b:0000000000000AB0:000000000000001F:FEDCBA9876543210");
    EXPECT_EQ(std::wstring(AfxRegisterWndClass(0)), L"Afx:" + std::wstring(instance) + L":0:0000000000000000:0000000000000000:0000000000000000");
    EXPECT_EQ(std::wstring(AfxRegisterWndClass(0xFFFFFFFF)).substr(20, 10), L":ffffffff:");

    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, name.c_str(), L"classed", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wchar_t className[128] = {};
    ASSERT_GT(::GetClassNameW(wnd.GetSafeHwnd(), className, 128), 0);
    EXPECT_EQ(std::wstring(className), name);
    wnd.DestroyWindow();
}

}  // namespace
