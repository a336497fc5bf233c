// The image list and the tooltip control: images are copies kept in order at the list's size, an
// index outside the list changes nothing; a tip shows the text of the tool under the relayed
// mouse (asked of its owner each time when it gives it by callback, at most the notice's buffer),
// without its mnemonic marks, and goes with a click, a move off the tools or deactivation.
#include "tests/platform/win32/win32_test_support.h"

#include "platform/mfc/imagelist.h"

namespace {

using namespace win32test;

TEST(Win32ImageList, ImagesAreCopiesAtTheListsSizeAndBadIndexesChangeNothing) {
    EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR32, 0, 1), nullptr);
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    ASSERT_NE(list, nullptr);
    const HICON big = platform::win32::createIcon(32, 32, 4171);
    EXPECT_EQ(ImageList_AddIcon(list, big), 0);
    DestroyIcon(big);  // the list keeps its own copy
    const HICON other = platform::win32::createIcon(16, 16, 394);
    EXPECT_EQ(ImageList_AddIcon(list, other), 1);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 5, other), -1);
    EXPECT_EQ(ImageList_AddIcon(list, nullptr), -1);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);

    const HICON first = ImageList_GetIcon(list, 0, ILD_NORMAL);
    int width = 0, height = 0;
    ASSERT_TRUE(platform::win32::iconSize(first, width, height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    EXPECT_EQ(platform::win32::iconResource(first), 4171u);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 0, other), 0);
    const HICON replaced = ImageList_GetIcon(list, 0, ILD_NORMAL);
    EXPECT_EQ(platform::win32::iconResource(replaced), 394u);
    EXPECT_EQ(ImageList_GetIcon(list, 2, ILD_NORMAL), nullptr);
    for (const HICON icon : {first, replaced, other}) DestroyIcon(icon);

    EXPECT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    CImageList owned;
    EXPECT_FALSE(owned.Create(16, -1, ILC_COLOR32, 0, 1));
    EXPECT_EQ(owned.GetSafeHandle(), nullptr);
    expectNoFailures();
}

struct TipFixture {
    HWND owner = create("owner", WS_POPUP | WS_VISIBLE);
    HWND button = CreateWindowExW(0, L"BUTTON", L"&Save && close", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, owner,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), nullptr, nullptr);
    HWND other = CreateWindowExW(0, L"BUTTON", L"Other", WS_CHILD | WS_VISIBLE, 0, 30, 80, 20, owner,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(8)), nullptr, nullptr);
    HWND tip = nullptr;

    explicit TipFixture(DWORD style = 0) {
        tip = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | style, 0, 0, 0, 0, owner, nullptr, nullptr, nullptr);
    }
    ~TipFixture() { DestroyWindow(owner); }
    bool add(HWND tool, LPWSTR text, UINT flags = TTF_IDISHWND) {
        TTTOOLINFOW info;
        info.uFlags = flags;
        info.hwnd = owner;
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.lpszText = text;
        return SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    }
    void relay(HWND window, UINT message) {
        MSG relayed{};
        relayed.hwnd = window;
        relayed.message = message;
        relayed.lParam = MAKELPARAM(5, 5);
        SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    std::wstring shown() const {
        if (!IsWindowVisible(tip)) return L"(none)";
        wchar_t text[128]{};
        GetWindowTextW(tip, text, 128);
        return text;
    }
};

TEST(Win32ToolTip, TheToolUnderTheMouseShowsItsTextWithoutMnemonicMarksAndAClickHidesIt) {
    TipFixture f;
    int asked = 0;
    const auto needText = onMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (info->hdr.code != TTN_NEEDTEXTW) return std::nullopt;
        ++asked;
        GetWindowTextW(reinterpret_cast<HWND>(info->hdr.idFrom), info->szText, 80);
        return 0;
    });
    ASSERT_TRUE(f.add(f.button, LPSTR_TEXTCALLBACKW));
    wchar_t fixed[] = L"Fixed";
    ASSERT_TRUE(f.add(f.other, fixed));
    EXPECT_EQ(SendMessageW(f.tip, TTM_GETTOOLCOUNT, 0, 0), 2);

    f.relay(f.button, WM_MOUSEMOVE);
    EXPECT_EQ(f.shown(), L"Save & close");
    f.relay(f.button, WM_MOUSEMOVE);  // resting on the same tool asks nothing more
    EXPECT_EQ(asked, 1);
    TTTOOLINFOW current;
    ASSERT_TRUE(SendMessageW(f.tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(current.uId, reinterpret_cast<UINT_PTR>(f.button));

    f.relay(f.other, WM_MOUSEMOVE);
    EXPECT_EQ(f.shown(), L"Fixed");
    f.relay(f.other, WM_LBUTTONDOWN);
    EXPECT_EQ(f.shown(), L"(none)");
    f.relay(f.owner, WM_MOUSEMOVE);  // off every tool
    EXPECT_EQ(f.shown(), L"(none)");
    f.relay(f.button, WM_MOUSEMOVE);
    EXPECT_EQ(asked, 2);  // asked anew each time the tip shows

    SendMessageW(f.tip, TTM_ACTIVATE, FALSE, 0);
    EXPECT_EQ(f.shown(), L"(none)");
    f.relay(f.other, WM_MOUSEMOVE);
    EXPECT_EQ(f.shown(), L"(none)") << "a deactivated control shows no tip";
    SendMessageW(f.tip, TTM_ACTIVATE, TRUE, 0);
    f.relay(f.other, WM_MOUSEMOVE);
    EXPECT_EQ(f.shown(), L"Fixed");

    TTTOOLINFOW gone;
    gone.hwnd = f.owner;
    gone.uId = reinterpret_cast<UINT_PTR>(f.other);
    SendMessageW(f.tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&gone));
    EXPECT_EQ(f.shown(), L"(none)") << "a removed tool takes its tip with it";
    EXPECT_EQ(SendMessageW(f.tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    expectNoFailures();
}

TEST(Win32ToolTip, AnEmptyOrOverlongAnswerAndNoPrefixStyleAndAWatchingToolAreHandledSafely) {
    TipFixture f(TTS_NOPREFIX);
    std::wstring answer;
    const auto needText = onMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (info->hdr.code != TTN_NEEDTEXTW) return std::nullopt;
        // An owner that fills the whole buffer without a terminator.
        if (answer == L"full") std::fill(std::begin(info->szText), std::end(info->szText), L'x');
        else info->lpszText = answer.data();
        return 0;
    });
    ASSERT_TRUE(f.add(f.button, LPSTR_TEXTCALLBACKW));
    answer = L"";
    f.relay(f.button, WM_MOUSEMOVE);
    EXPECT_EQ(f.shown(), L"(none)");
    answer = L"full";
    f.relay(f.owner, WM_MOUSEMOVE);
    f.relay(f.button, WM_MOUSEMOVE);
    EXPECT_EQ(f.shown().size(), 79u);
    answer = L"&Keep";
    f.relay(f.owner, WM_MOUSEMOVE);
    f.relay(f.button, WM_MOUSEMOVE);
    EXPECT_EQ(f.shown(), L"&Keep");

    EXPECT_FALSE(f.add(f.other, LPSTR_TEXTCALLBACKW, TTF_IDISHWND | TTF_SUBCLASS));
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures.front().find(L"TTF_SUBCLASS"), std::wstring::npos);
    expectNoFailures();
}

}  // namespace
