// The view commands other parts send the main frame with an argument (message 1387): which go on
// to the active view and which insert a file through the annotation module.
#include <algorithm>

#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
constexpr UINT kViewCommandMessage = 1387;

class FrameViewCommands : public mainframetest::RunningFrameTest {
protected:
    // What the kernel heard while the frame took the message; the frame's answer in `result`.
    std::vector<std::wstring> Send(WPARAM command, const CFragmentPath* record, LRESULT& result) {
        const std::size_t before = s.journal().texts("call").size();
        result = ::SendMessageW(window, kViewCommandMessage, command, reinterpret_cast<LPARAM>(record));
        s.runUntilIdle();
        const std::vector<std::wstring> calls = s.journal().texts("call");
        return {calls.begin() + static_cast<std::ptrdiff_t>(before), calls.end()};
    }
    static bool Has(const std::vector<std::wstring>& calls, const std::wstring& call) {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

// The insert commands need no view; a record without a path, or none at all, inserts nothing,
// and ids the frame does not know are dropped. The answer is always 0.
TEST_F(FrameViewCommands, InsertCommandsPassANonEmptyPathToTheAnnotationModule) {
    CFragmentPath record;
    record.SetPath(L"C:\\Work\\Gear.grb");
    LRESULT result = -1;
    for (const WPARAM command : {1212u, 1609u, 1610u}) {
        EXPECT_TRUE(Has(Send(command, &record, result), L"AnnotateModuleProxy::Insert(" + std::to_wstring(command) +
                                                           L", \"C:\\Work\\Gear.grb\")"));
        EXPECT_EQ(result, 0);
    }
    CFragmentPath empty;
    EXPECT_TRUE(Send(1212, &empty, result).empty());
    EXPECT_TRUE(Send(1610, nullptr, result).empty());
    EXPECT_TRUE(Send(1213, &record, result).empty());
    EXPECT_TRUE(Send(1214, &record, result).empty()) << "no view to pass it to";
    EXPECT_EQ(result, 0);
}

// With a document open, 1211, 1214 and 1216 reach its view with their argument; the view's own
// answer stays with the view.
TEST_F(FrameViewCommands, ViewCommandsGoOnToTheActiveView) {
    s.user().dde(std::wstring(L"[open(\"") + kBracket + L"\")]");
    s.runUntilIdle();
    ASSERT_FALSE(s.user().activateDocument(kBracket).has_value());
    s.runUntilIdle();
    CFragmentPath record;
    record.SetPath(L"<Samples>Bracket.grb");
    LRESULT result = -1;
    EXPECT_TRUE(Has(Send(1211, &record, result), L"CKVView::InsertFragment(\"<Samples>Bracket.grb\", at 0,0)"));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Has(Send(1214, &record, result), L"CKVView::OnViewCommand(1214)"));
    EXPECT_TRUE(Has(Send(1216, &record, result), L"CKVView::OnViewCommand(1216)"));
    EXPECT_EQ(result, 0);
}

}  // namespace
