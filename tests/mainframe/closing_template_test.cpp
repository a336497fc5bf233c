// A closing main frame is registered with the document template while its close runs, and only
// then, however the close ends.
#include "platform/core/record.h"
#include "tests/mainframe/main_frame_test_support.h"
#include "tests/support/table_check.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";

class ClosingTemplate : public mainframetest::RunningFrameTest {
protected:
    std::vector<std::wstring> LinesFrom(std::size_t from) {
        std::vector<std::wstring> lines;
        const auto& entries = s.journal().entries();
        for (std::size_t i = from; i < entries.size(); ++i) lines.push_back(entries[i].line());
        return lines;
    }
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
    const std::wstring address = platform::core::handleText(mainframetest::frameOf(second));
    const std::size_t from = s.journal().entries().size();
    s.user().close(second);
    s.runUntilIdle();
    tablecheck::ExpectSteps("closing the second frame", LinesFrom(from),
                            {L"log 2 Closing main window", L"call CKVDocTemplate::AddMainFrame(" + address + L")",
                             L"window destroyed " + platform::core::handleText(second),
                             L"call CKVDocTemplate::RemoveMainFrame(" + address + L")"});
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
