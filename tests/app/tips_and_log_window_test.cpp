// The tips strip and the log window as the user reaches them through the application's commands
// (1863 to 1866, 7306): the tip list's ends, a tip hiding itself on the clock, the strip's place
// and paint, and the log shown, kept and reloaded under the log lock.
#include "app/kvw32_app.h"
#include "auxiliary/info_tip.h"
#include "platform/diagnostics.h"
#include "tests/app/document_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

constexpr UINT kToggle = 1863;
constexpr UINT kNext = 1864;
constexpr UINT kPrevious = 1865;
constexpr UINT kReload = 1866;
constexpr UINT kViewLog = 7306;

class TipsStrip : public apptest::DocumentSessionTest {
protected:
    void StartWithTips(Session& s, std::wstring_view tips, std::wstring_view settings = L"") {
        s.files().write(L"C:\\Work\\Tips.txt", platform::core::toUtf8(tips));
        s.files().writeIni(L"Korvo.ini", L"[Tips]\nFileName=C:\\Work\\Tips.txt\n" + std::wstring(settings));
        Start(s);
    }
    void Run(Session& s, UINT id) {
        s.user().command(frame_, id);
        s.runUntilIdle();
    }
    const CInfoTip& Tips() { return CInfoTip::Instance(); }
};

TEST_F(TipsStrip, ATimedTipHidesItselfAndTheNextToggleShowsTheNextTip) {
    Session s;
    StartWithTips(s, L"A#5\nB\n");
    Run(s, kToggle);
    ASSERT_TRUE(Tips().IsShown());
    EXPECT_EQ(Tips().GetCurrentText(), L"A");
    EXPECT_EQ(Tips().GetTimerMilliseconds(), 5000u);
    s.advance(4999);
    EXPECT_TRUE(Tips().IsShown());
    s.advance(1);
    EXPECT_FALSE(Tips().IsShown());
    EXPECT_EQ(Tips().GetCurrentText(), L"B");
    Run(s, kToggle);
    EXPECT_TRUE(Tips().IsShown());
    EXPECT_EQ(Tips().GetTimerMilliseconds(), 0u);  // no time: it stays
    s.advance(60000);
    EXPECT_TRUE(Tips().IsShown());
    Run(s, kToggle);
    EXPECT_FALSE(Tips().IsShown());
    EXPECT_EQ(Tips().GetCurrentText(), L"There are no more tips.");
}

TEST_F(TipsStrip, BothEndsOfTheListShowTheirTextsAndAReloadBeforeTheFirstKeepsItsPlace) {
    Session s;
    StartWithTips(s, L"A#5\nB\n");
    Run(s, kToggle);
    Run(s, kPrevious);
    EXPECT_EQ(Tips().GetCurrentIndex(), -1);
    EXPECT_EQ(Tips().GetCurrentText(), L"This is the beginning of the tips.");
    EXPECT_EQ(Tips().GetTimerMilliseconds(), 0u);
    Run(s, kReload);
    EXPECT_EQ(Tips().GetCurrentIndex(), -1);
    EXPECT_EQ(Tips().GetCurrentText(), L"This is the beginning of the tips.");
    Run(s, kNext);
    EXPECT_EQ(Tips().GetCurrentText(), L"A");
    Run(s, kNext);
    Run(s, kNext);
    Run(s, kNext);
    EXPECT_EQ(Tips().GetCurrentIndex(), 2);  // stays past the last
    EXPECT_EQ(Tips().GetCurrentText(), L"There are no more tips.");

    // The file shrank under the index: back from past its end stands before the first tip.
    s.files().write(L"C:\\Work\\Tips.txt", "only\n");
    Run(s, kReload);
    EXPECT_EQ(Tips().GetCurrentIndex(), 1);
    Run(s, kPrevious);
    EXPECT_EQ(Tips().GetCurrentText(), L"only");
}

TEST_F(TipsStrip, TheStripLiesAlongTheMdiClientAndPaintsWithItsSettings) {
    Session s;
    StartWithTips(s, L"Hello\n",
                  L"Border_Width=3\nFont_Size=20\nFont_Bold=1\nFont_Italic=1\nBk_R=1\nBk_G=2\nBk_B=3\n"
                  L"Font_R=4\nFont_G=5\nFont_B=6\nBorder_R=263\nBorder_G=8\nBorder_B=9\n"
                  L"Font_Name=An extraordinarily long face name beyond the limit\n");
    Run(s, kToggle);
    ASSERT_TRUE(Tips().IsShown());
    RECT strip{};
    ::GetWindowRect(Tips().GetSafeHwnd(), &strip);
    RECT client{};
    auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(frame_));
    ASSERT_NE(frame, nullptr);
    ::GetWindowRect(frame->m_hWndMDIClient, &client);
    EXPECT_EQ(strip.left, client.left);
    EXPECT_EQ(strip.top, client.top);
    EXPECT_EQ(strip.right - strip.left, client.right - client.left);
    EXPECT_EQ(strip.bottom - strip.top, 20 + 2 * 3);
    const auto drawing = s.inspect().drawing(Tips().GetSafeHwnd());
    ASSERT_EQ(drawing.size(), 2u);
    EXPECT_NE(drawing[0].find(L"pen 3 0x090807 brush 0x030201"), std::wstring::npos) << apptest::Utf8(drawing[0]);
    EXPECT_NE(drawing[1].find(L"TextOut (" + std::to_wstring((strip.right - strip.left) / 2) +
                              L",4) \"Hello\" font \"An extraordinarily long face na\" 20 weight 700 italic"),
              std::wstring::npos)
        << apptest::Utf8(drawing[1]);
    EXPECT_NE(drawing[1].find(L"transparent TA_CENTER"), std::wstring::npos);
    EXPECT_NE(drawing[1].find(L"0x060504"), std::wstring::npos) << apptest::Utf8(drawing[1]);
}

TEST_F(TipsStrip, WithoutATipFileTheCommandsDoNothingAndNoStripIsMade) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\n");
    Start(s);
    for (UINT id : {kToggle, kNext, kPrevious, kReload}) Run(s, id);
    EXPECT_EQ(Tips().GetSafeHwnd(), nullptr);
    EXPECT_EQ(Tips().GetCurrentIndex(), 0);
}

class LogWindowTest : public TipsStrip {
protected:
    Korvo::UI::LogWindow* Window() { return CKvw32App::Instance()->GetLogWindow(); }
    // Starts the program and opens the log window; false when it did not open.
    bool OpenLog(Session& s) {
        Start(s);
        Run(s, kViewLog);
        return Window() != nullptr;
    }
    // Hides the window and shows it again with the command, which reads the log.
    void ShowAgain(Session& s) {
        ::ShowWindow(Window()->GetSafeHwnd(), SW_HIDE);
        Run(s, kViewLog);
    }
    CString Shown() {
        CString text;
        Window()->GetEdit().GetWindowText(text);
        return text;
    }
};

TEST_F(LogWindowTest, ShowsTheLogWithWindowsLineEndsAndReloadsOnlyWhenItChanged) {
    Session s;
    ASSERT_TRUE(OpenLog(s));
    const CString first = Shown();
    EXPECT_NE(first.Find(L"Initialized in"), -1);
    EXPECT_EQ(first.Find(L"\n"), first.Find(L"\r\n") + 1);  // every line feed after a carriage return
    const HWND edit = Window()->GetEdit().GetSafeHwnd();
    EXPECT_GT(::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);  // scrolled to the end

    // Shown again with no new output: the text and its scrolling stay.
    ::SendMessageW(edit, EM_LINESCROLL, 0, -1000);
    const auto length = Window()->GetLastLength();
    Run(s, kViewLog);
    EXPECT_EQ(Window()->GetLastLength(), length);
    EXPECT_EQ(::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    // Closing only hides it; new output shows at the next showing.
    ::SendMessageW(Window()->GetSafeHwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(Window()->GetSafeHwnd()));
    EXPECT_FALSE(Window()->IsWindowVisible());
    KVLog_Write(3, L"Fresh line\r\nand its second");
    Run(s, kViewLog);
    EXPECT_TRUE(Window()->IsWindowVisible());
    EXPECT_NE(Shown().Find(L"Fresh line\r\nand its second"), -1);  // a line end already whole stays one
    EXPECT_GT(Window()->GetLastLength(), length);
    // Every later showing without new output keeps the text and its scrolling too.
    ::SendMessageW(edit, EM_LINESCROLL, 0, -1000);
    Run(s, kViewLog);
    EXPECT_EQ(::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(LogWindowTest, ARefusedLockOrAFailedReadLeavesTheTextAndTheLockAsTheyWere) {
    Session s;
    ASSERT_TRUE(OpenLog(s));
    const CString before = Shown();
    KVLog_Write(3, L"Written while the lock is refused");
    s.faults().failAt(L"KVLog_Lock 1");
    ShowAgain(s);
    EXPECT_EQ(Shown(), before);
    s.faults().failAt(L"ReadFile 1");
    ShowAgain(s);
    EXPECT_EQ(Shown(), before);
    // Nothing was left locked: the log is written and read again.
    ShowAgain(s);
    EXPECT_NE(Shown().Find(L"Written while the lock is refused"), -1);
}

TEST_F(LogWindowTest, TheWindowTakesTheThemeAtCreationAndOnEveryThemeChange) {
    Session s;
    ASSERT_TRUE(OpenLog(s));
    const int first = Window()->GetTheme();
    Run(s, 3402);  // another theme
    EXPECT_NE(Window()->GetTheme(), first);
    EXPECT_TRUE(Contains(calls(s), L"CXTPEdit::SetTheme(" + std::to_wstring(Window()->GetTheme()) + L")"));
}

}  // namespace
