// The steps of closing a main frame, in order: the next frame made active first, then the
// frame's own clean-up, its unregistration and last its window; the last frame is hidden before
// the program lets go of it.
#include "platform/core/record.h"
#include "tests/mainframe/main_frame_test_support.h"
#include "tests/support/table_check.h"

namespace {

using namespace platform::harness;

class ClosingOrder : public SessionTest {
protected:
    // The journal's lines from entry `from` on.
    std::vector<std::wstring> LinesFrom(std::size_t from) {
        std::vector<std::wstring> lines;
        const auto& entries = s.journal().entries();
        for (std::size_t i = from; i < entries.size(); ++i) lines.push_back(entries[i].line());
        return lines;
    }

    Session s;
};

TEST_F(ClosingOrder, AFrameHandsOverThenCleansUpThenGoes) {
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    const HWND first = s.inspect().mainFrames().at(0);
    const HWND second = s.kernel().newMainFrame();
    ASSERT_NE(second, nullptr);
    const std::wstring firstText = platform::core::handleText(first);
    const std::wstring secondText = platform::core::handleText(second);

    std::size_t from = s.journal().entries().size();
    s.user().close(second);
    s.runUntilIdle();
    tablecheck::ExpectSteps("closing the second frame", LinesFrom(from),
                            {L"user close " + secondText, L"call UIModuleProxy::SetActiveMainFrame(" + firstText + L")",
                             L"call KVResetDialogCache()", L"call KVNotifyMainFrameDestroyed(" + secondText + L")",
                             L"call UIModuleProxy::UnregisterMainFrame(" + secondText + L")",
                             L"window destroyed " + secondText});

    from = s.journal().entries().size();
    s.user().close(first);
    s.runUntilIdle();
    tablecheck::ExpectSteps("closing the last frame", LinesFrom(from),
                            {L"window hidden " + firstText, L"call KVResetDialogCache()",
                             L"call KVNotifyMainFrameDestroyed(" + firstText + L")",
                             L"call UIModuleProxy::UnregisterMainFrame(" + firstText + L")",
                             L"window destroyed " + firstText, L"program exit 0"});
}

}  // namespace
