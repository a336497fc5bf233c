// Message maps and window dispatch: handlers reached through the map chain, the CWnd attached
// before the first message, self-deleting windows, the temporary wrappers, exceptions in handlers.
#include <type_traits>

#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using namespace mfctest;

constexpr UINT kPing = WM_USER + 10;
constexpr UINT kBaseOnly = WM_USER + 11;
UINT g_registered = 0;  // filled after the maps were built, as a registered message would be

class CBaseWnd : public CWnd {
public:
    std::vector<std::string> seen;
    afx_msg LRESULT OnPing(WPARAM, LPARAM) {
        seen.push_back("base ping");
        return 1;
    }
    afx_msg LRESULT OnBaseOnly(WPARAM wParam, LPARAM lParam) {
        seen.push_back("base only");
        return static_cast<LRESULT>(wParam + static_cast<WPARAM>(lParam));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_MESSAGE(kPing, &CBaseWnd::OnPing)
    ON_MESSAGE(kBaseOnly, &CBaseWnd::OnBaseOnly)
END_MESSAGE_MAP()

class CProbeWnd : public CBaseWnd {
public:
    bool attachedAtNcCreate = false;
    std::vector<UINT_PTR> timers;
    std::vector<std::pair<int, int>> sizes;
    bool* deleted = nullptr;
    int createResult = 0;

    ~CProbeWnd() override {
        if (deleted != nullptr) *deleted = true;
    }
    void PostNcDestroy() override { delete this; }

    afx_msg LRESULT OnNcCreate(WPARAM, LPARAM) {
        attachedAtNcCreate = CWnd::FromHandlePermanent(m_hWnd) == this;
        return Default();
    }
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        seen.push_back("create " + utf8(cs->lpszName ? cs->lpszName : L""));
        return createResult;
    }
    afx_msg void OnTimer(UINT_PTR id) { timers.push_back(id); }
    afx_msg void OnSize(UINT, int cx, int cy) { sizes.emplace_back(cx, cy); }
    afx_msg LRESULT OnPing(WPARAM, LPARAM) {
        seen.push_back("derived ping");
        return 2;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) {
        seen.push_back("registered");
        return static_cast<LRESULT>(wParam);
    }
    afx_msg LRESULT OnThrow(WPARAM, LPARAM) { throw new CUserException; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CBaseWnd)
    ON_MESSAGE(WM_NCCREATE, &CProbeWnd::OnNcCreate)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_MESSAGE(kPing, &CProbeWnd::OnPing)
    ON_REGISTERED_MESSAGE(g_registered, &CProbeWnd::OnRegistered)
    ON_MESSAGE(WM_USER + 12, &CProbeWnd::OnThrow)
END_MESSAGE_MAP()

CProbeWnd* createProbe(LPCWSTR name = L"probe", bool* deleted = nullptr, int createResult = 0) {
    auto* wnd = new CProbeWnd;
    wnd->deleted = deleted;
    wnd->createResult = createResult;
    if (!wnd->CreateEx(0, AfxRegisterWndClass(0), name, WS_POPUP, 10, 20, 300, 200, nullptr, nullptr)) return nullptr;
    return wnd;
}

// Handlers must match the framework's signature exactly; one declared in a base class fits a
// derived class's map.
static_assert(std::is_convertible_v<decltype(&CBaseWnd::OnBaseOnly), LRESULT (CProbeWnd::*)(WPARAM, LPARAM)>);
static_assert(!std::is_convertible_v<BOOL (CProbeWnd::*)(), void (CProbeWnd::*)()>);

TEST_F(MfcTest, CreationReachesTheMapFromTheFirstMessageAndMessagesFindTheMostDerivedHandler) {
    CProbeWnd* wnd = createProbe(L"first");
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(wnd->attachedAtNcCreate) << "the object is attached before WM_NCCREATE";
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd->m_hWnd), wnd);
    ASSERT_FALSE(wnd->seen.empty());
    EXPECT_EQ(wnd->seen.front(), "create first");
    EXPECT_FALSE(wnd->sizes.empty()) << "WM_SIZE after creation reaches ON_WM_SIZE";

    wnd->seen.clear();
    EXPECT_EQ(wnd->SendMessage(kPing), 2) << "the derived entry shadows the base's";
    EXPECT_EQ(wnd->SendMessage(kBaseOnly, 3, 4), 7) << "unhandled here, found in the base map";
    EXPECT_EQ(wnd->seen, (std::vector<std::string>{"derived ping", "base only"}));

    g_registered = ::RegisterWindowMessageW(L"Korvo.Test.Registered");
    ASSERT_GE(g_registered, 0xC000u);
    EXPECT_EQ(wnd->SendMessage(g_registered, 9), 9) << "registered ids are read at lookup";

    wnd->SetTimer(77, 10);
    wnd->SendMessage(WM_TIMER, 77);
    EXPECT_EQ(wnd->timers, std::vector<UINT_PTR>{77});
    wnd->DestroyWindow();
}

TEST_F(MfcTest, DestroyingDetachesThenDeletesSelfDeletingObjects) {
    bool deleted = false;
    CProbeWnd* wnd = createProbe(L"gone", &deleted);
    ASSERT_NE(wnd, nullptr);
    HWND hWnd = wnd->m_hWnd;
    EXPECT_TRUE(wnd->DestroyWindow());
    EXPECT_TRUE(deleted) << "PostNcDestroy deleted the object";
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(MfcTest, CreateHandlerReturningMinusOneFailsCreationAndTheObjectCleansUp) {
    bool deleted = false;
    EXPECT_EQ(createProbe(L"refused", &deleted, -1), nullptr);
    EXPECT_TRUE(deleted);
}

TEST_F(MfcTest, TemporaryWrappersLiveUntilTheSecondIdlePass) {
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    CWnd* wrapper = CWnd::FromHandle(plain);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(CWnd::FromHandle(plain), wrapper) << "one wrapper per handle";
    CString text;
    wrapper->GetWindowText(text);
    EXPECT_EQ(text, L"plain");

    app().OnIdle(0);
    EXPECT_EQ(CWnd::FromHandle(plain), wrapper) << "count 0 keeps them";
    app().OnIdle(1);
    CWnd* fresh = CWnd::FromHandle(plain);
    EXPECT_EQ(fresh->m_hWnd, plain) << "count 1 freed the old wrapper; a new one stands in";
    ::DestroyWindow(plain);
}

TEST_F(MfcTest, SubclassedWindowsGetTheirOriginalProcedureAsDefault) {
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"before", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CBaseWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(plain));
    EXPECT_EQ(wnd.SendMessage(kPing), 1);
    wnd.SetWindowText(L"after");  // unhandled: the original procedure stores the text
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, L"after");
    EXPECT_EQ(wnd.UnsubclassWindow(), plain);
    EXPECT_EQ(::SendMessageW(plain, kPing, 0, 0), 0) << "the original procedure is back";
    ::DestroyWindow(plain);
}

TEST_F(MfcTest, FrameworkExceptionInAHandlerGoesToTheThreadAndTheDispatchContinues) {
    CProbeWnd* wnd = createProbe();
    ASSERT_NE(wnd, nullptr);
    // A user exception is reported by whoever threw it: no message box here.
    EXPECT_EQ(wnd->SendMessage(WM_USER + 12), 0);
    EXPECT_EQ(wnd->SendMessage(kPing), 2);
    wnd->DestroyWindow();
}

}  // namespace
