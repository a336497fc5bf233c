// The browser view without a browser engine: the events a navigation raises, in order, what a
// cancel stops, the history, and the plain tool bar of a frame.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/core/hostfs.h"
#include "platform/core/journal.h"
#include "platform/faults.h"
#include "platform/kernel.h"
#include "platform/mfc.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

void WriteHostFile(const std::wstring& windowsPath, const std::string& bytes) {
    const auto location = platform::core::hostFs().resolve(windowsPath);
    std::filesystem::create_directories(location.hostPath.parent_path());
    std::ofstream(location.hostPath, std::ios::binary) << bytes;
}

class RecordingView : public CHtmlView {
public:
    std::vector<std::wstring> events;
    std::wstring cancelBefore;  // an address whose navigation the view cancels
    bool cancelErrors = true;

protected:
    void OnBeforeNavigate2(LPCWSTR url, DWORD, LPCWSTR, LPCWSTR, BOOL* cancel) override {
        events.push_back(L"before " + std::wstring(url));
        *cancel = cancelBefore == url;
    }
    void OnNavigateComplete2(LPCWSTR url) override { events.push_back(L"complete " + std::wstring(url)); }
    void OnTitleChange(LPCWSTR text) override { events.push_back(L"title " + std::wstring(text)); }
    void OnNavigateError(LPCWSTR url, LPCWSTR, DWORD, BOOL* cancel) override {
        events.push_back(L"error " + std::wstring(url));
        *cancel = cancelErrors;
    }
};

using MfcHtmlView = MfcTest;

TEST_F(MfcHtmlView, ANavigationAsksFirstThenCompletesWithTheTitleOrFails) {
    WriteHostFile(L"C:\\Pages\\a.htm", "<html><HEAD><Title>Page A</TITLE></head></html>");
    WriteHostFile(L"C:\\Pages\\b.htm", "no title here");
    WriteHostFile(L"C:\\Pages\\help.chm", "ITSF");
    RecordingView view;
    view.Navigate2(L"C:\\Pages\\a.htm");
    view.Navigate2(L"C:\\Pages\\b.htm");
    view.Navigate2(L"mk:@MSITStore:C:\\Pages\\help.chm::/topic.htm");
    view.Navigate2(L"https://example.com/x");
    EXPECT_EQ(view.events, (std::vector<std::wstring>{
                               L"before C:\\Pages\\a.htm", L"complete C:\\Pages\\a.htm", L"title Page A",
                               L"before C:\\Pages\\b.htm", L"complete C:\\Pages\\b.htm", L"title C:\\Pages\\b.htm",
                               L"before mk:@MSITStore:C:\\Pages\\help.chm::/topic.htm",
                               L"complete mk:@MSITStore:C:\\Pages\\help.chm::/topic.htm",
                               L"title mk:@MSITStore:C:\\Pages\\help.chm::/topic.htm",
                               L"before https://example.com/x", L"complete https://example.com/x",
                               L"title https://example.com/x"}));
    view.events.clear();

    // A cancel before the navigation, or of its error, leaves the page as it was.
    view.cancelBefore = L"C:\\Pages\\a.htm";
    view.Navigate2(L"C:\\Pages\\a.htm");
    view.Navigate2(L"C:\\Pages\\missing.htm");
    view.Navigate2(L"mk:@MSITStore:C:\\Pages\\gone.chm::/x.htm");
    EXPECT_EQ(view.events, (std::vector<std::wstring>{L"before C:\\Pages\\a.htm", L"before C:\\Pages\\missing.htm",
                                                      L"error C:\\Pages\\missing.htm",
                                                      L"before mk:@MSITStore:C:\\Pages\\gone.chm::/x.htm",
                                                      L"error mk:@MSITStore:C:\\Pages\\gone.chm::/x.htm"}));
    EXPECT_EQ(view.GetLocationURL(), L"https://example.com/x");
    EXPECT_EQ(view.GetHistory().size(), 4u);
    // An error nobody cancels shows the error page outside the history.
    view.cancelErrors = false;
    view.Navigate2(L"C:\\Pages\\missing.htm");
    EXPECT_EQ(view.GetLocationName(), L"Navigation canceled");
    EXPECT_EQ(view.GetHistory().size(), 4u);
}

TEST_F(MfcHtmlView, BackAndForwardWalkTheHistoryAndANewPageDropsWhatLayAhead) {
    RecordingView view;
    view.GoBack();  // nothing to go back to
    view.Navigate2(L"http://one");
    view.Navigate2(L"http://two");
    view.Navigate2(L"http://three");
    view.GoBack();
    view.GoBack();
    view.GoBack();  // at the start: nothing
    EXPECT_EQ(view.GetLocationURL(), L"http://one");
    EXPECT_EQ(view.GetHistoryIndex(), 0);
    view.GoForward();
    EXPECT_EQ(view.GetLocationURL(), L"http://two");
    // A cancelled step back stays.
    view.cancelBefore = L"http://one";
    view.GoBack();
    EXPECT_EQ(view.GetLocationURL(), L"http://two");
    view.ClickLink(L"http://four");
    EXPECT_EQ(view.GetHistory(), (std::vector<CString>{L"http://one", L"http://two", L"http://four"}));
    view.GoForward();  // nothing ahead any more
    EXPECT_EQ(view.GetLocationURL(), L"http://four");
    // Without a target of the view's own the browser keeps its own (none here).
    EXPECT_EQ(view.GetBrowserDropTarget(), nullptr);
    EXPECT_TRUE(view.GetRegisterAsDropTarget());
}

class BarFrame : public CFrameWnd {
public:
    bool checked = true;
    afx_msg void OnUpdateFirst(CCmdUI* cmdUI) { cmdUI->SetCheck(checked ? 1 : 0); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(BarFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(40101, &BarFrame::OnUpdateFirst)
END_MESSAGE_MAP()

TEST_F(MfcHtmlView, AToolBarLoadsItsResourceSitsOnTopAndTakesItsCheckMarks) {
    AfxAddToolBarResource({977, SIZE{17, 16}, {40101, 0, 40102}});
    auto* frame = new BarFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Bars", WS_OVERLAPPEDWINDOW, RECT{0, 0, 400, 300}));
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(frame));
    EXPECT_FALSE(bar.LoadToolBar(978));
    ASSERT_TRUE(bar.LoadToolBar(977));
    EXPECT_EQ(bar.GetButtonIds(), (std::vector<UINT>{40101, 0, 40102}));
    CWnd pane;
    ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, frame, AFX_IDW_PANE_FIRST));
    frame->RecalcLayout();
    RECT client{}, barRect{}, paneRect{};
    frame->GetClientRect(&client);
    bar.GetWindowRect(&barRect);
    pane.GetWindowRect(&paneRect);
    EXPECT_EQ(barRect.bottom - barRect.top, 22);
    EXPECT_EQ(paneRect.top, barRect.bottom);
    EXPECT_EQ(paneRect.bottom - paneRect.top, client.bottom - 22);
    bar.UpdateButtons(frame);
    EXPECT_TRUE(bar.IsButtonChecked(40101));
    frame->checked = false;
    bar.UpdateButtons(frame);
    EXPECT_FALSE(bar.IsButtonChecked(40101));
    // A resource that cannot be read.
    platform::faults::arm(L"CToolBar::LoadToolBar");
    EXPECT_FALSE(bar.LoadToolBar(977));
    pane.DestroyWindow();
    frame->DestroyWindow();
}

TEST_F(MfcHtmlView, ProgramsStartOnlyFromFilesThatExistAndArgumentsStayWhole) {
    WriteHostFile(L"C:\\Tools\\player.exe", "MZ");
    platform::core::journal().clear();
    EXPECT_GT(_wspawnl(_P_NOWAIT, L"C:\\Tools\\player.exe", L"\"player\"", L"\"a b\"", nullptr), 0);
    EXPECT_EQ(_wspawnl(_P_NOWAIT, L"C:\\Tools\\none.exe", L"none", nullptr), -1);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", L"C:\\Tools\\player.exe", nullptr, nullptr, 1)), 42);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, nullptr, L"C:\\Tools\\none.pdf", L"", L"", 5)), 2);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, nullptr, L"mailto:someone", L"", L"", 5)), 42);
    const auto lines = platform::core::journal().texts("process");
    EXPECT_EQ(lines, (std::vector<std::wstring>{
                         L"spawned \"C:\\Tools\\player.exe\" \"\"player\"\" \"\"a b\"\"",
                         L"cannot spawn \"C:\\Tools\\none.exe\" \"none\"",
                         L"shell-opened \"open\", \"C:\\Tools\\player.exe\", null",
                         L"cannot shell-open null, \"C:\\Tools\\none.pdf\", \"\"",
                         L"shell-opened null, \"mailto:someone\", \"\""}));
    // Quoting keeps backslashes before a quote and at the end from escaping it.
    EXPECT_EQ(Korvo::QuoteCommandLineArgument(L"C:\\a b\\"), L"\"C:\\a b\\\\\"");
    EXPECT_EQ(Korvo::QuoteCommandLineArgument(L"x\" /evil"), L"\"x\\\" /evil\"");
    EXPECT_EQ(Korvo::QuoteCommandLineArgument(L""), L"\"\"");
}

}  // namespace
