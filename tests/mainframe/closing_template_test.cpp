// A closing main frame is registered with the document template while its close runs, and only
// then, however the close ends.
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";

class ClosingTemplate : public mainframetest::RunningFrameTest {
protected:
    CKVDocTemplate* Template() { return CKvw32App::Instance()->GetDocTemplate(); }
};

TEST_F(ClosingTemplate, TheFrameIsRegisteredWhileItsCloseAsksAndLeavesWhenItIsRefused) {
    s.user().dde(std::wstring(L"[open(\"") + kBracket + L"\")]");
    s.runUntilIdle();
    ASSERT_NE(Template(), nullptr);
    frame->GetActiveKorvoDocument()->SetModifiedFlag(TRUE);
    std::vector<CFrameWnd*> whileAsked;
    s.user().expectBox(L"*Bracket*", [&](const BoxRequest&) {
        whileAsked = Template()->GetMainFrames();
        return Button::Cancel;
    });
    s.user().close(window);
    s.runUntilIdle();
    EXPECT_EQ(whileAsked, std::vector<CFrameWnd*>{frame});
    EXPECT_TRUE(Template()->GetMainFrames().empty()) << "a refused close leaves the template";
    ASSERT_EQ(s.inspect().mainFrames().size(), 1u);
    frame->GetActiveKorvoDocument()->SetModifiedFlag(FALSE);
}

TEST_F(ClosingTemplate, AClosedFrameAndARepostedCloseLeaveTheTemplateToo) {
    const HWND second = s.kernel().newMainFrame();
    ASSERT_NE(second, nullptr);
    s.user().close(second);
    s.runUntilIdle();
    ASSERT_EQ(s.inspect().mainFrames().size(), 1u);
    EXPECT_TRUE(Template()->GetMainFrames().empty());

    // A close inside a nested loop is posted again: the inner handler leaves the template at once.
    bool ran = false;
    s.user().expectDialog(std::wstring(L"dialogs.window_list"), [&](HWND dialog) {
        frame->SendMessage(WM_CLOSE);
        EXPECT_TRUE(Template()->GetMainFrames().empty());
        ran = true;
        s.user().act(dialog, platform::core::DialogAction{platform::core::DialogAction::Kind::Cancel, 0, {}});
    });
    s.user().command(window, 61217);
    s.runUntilIdle();
    EXPECT_TRUE(ran);
}

}  // namespace
