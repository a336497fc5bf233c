// A start-up step that fails without a message of its own still leaves one log line naming it,
// so a start-up that ends is never unexplained.
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

class StartupFailureReason : public SessionTest {
protected:
    static void ExpectReason(Session& s, std::wstring_view step, std::size_t boxes = 0) {
        s.start();
        EXPECT_EQ(s.startResult(), 0);
        EXPECT_TRUE(Contains(logs(s), L"8 Start-up failed: " + std::wstring(step) + L" returned failure"))
            << apptest::Utf8(step);
        EXPECT_EQ(s.journal().texts("box").size(), boxes * 2);  // each box and its answer
    }
};

TEST_F(StartupFailureReason, SessionPreInitialisation) {
    Session s;
    s.faults().failSessionStep(L"PreInitSession");
    ExpectReason(s, L"GlobalContainer::PreInitSession");
}

TEST_F(StartupFailureReason, SessionPostInitialisation) {
    Session s;
    s.faults().failSessionStep(L"PostInitSession");
    ExpectReason(s, L"GlobalContainer::PostInitSession");
}

TEST_F(StartupFailureReason, SessionFinish) {
    Session s;
    s.faults().failSessionStep(L"FinishInitSession");
    ExpectReason(s, L"GlobalContainer::FinishInitSession");
}

TEST_F(StartupFailureReason, CommandLineDocumentThatDoesNotOpen) {
    Config config;
    config.platform.arguments = {L"C:\\Work\\missing.grb"};
    Session s(config);
    // The opener says why before start-up ends (in the sample's language).
    s.user().expectBox(L"Файл не найден", Button::Ok);
    ExpectReason(s, L"CWinApp::ProcessShellCommand", 1);
}

}  // namespace
