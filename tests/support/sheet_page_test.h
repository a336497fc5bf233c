// Fixture for tests of the customise sheet's pages: the started program's first main frame, and
// the sheet opened on it with one page shown while the test acts in it as a user.
#pragma once

#include <functional>

#include "mainframe/main_frame.h"
#include "platform/core/text.h"
#include "tests/support/main_frame_at.h"
#include "tests/support/session_test.h"

namespace platform::harness {

class SheetPageTest : public SessionTest {
protected:
    static constexpr UINT kFirstPage = 783;

    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame = mainFrameAt(s);
        ASSERT_NE(frame, nullptr);
    }
    // Opens the sheet on its first page, shows page `pageId` as its tab does and runs `steps` in
    // that page's window; then OK closes the sheet.
    void OnPage(UINT pageId, const std::function<void(HWND page)>& steps) {
        s.user().expectDialog(kFirstPage, [&](HWND dialog) {
            if (pageId != kFirstPage) Act(dialog, {platform::core::DialogAction::Kind::Page, static_cast<int>(pageId), {}});
            steps(::GetDlgItem(dialog, static_cast<int>(pageId)));
            Act(dialog, {platform::core::DialogAction::Kind::Ok, 0, {}});
        });
        frame->ShowCustomizeSheet(0, 0);
    }
    void Act(HWND dialog, const platform::core::DialogAction& action) {
        const auto refusal = s.user().act(dialog, action);
        EXPECT_FALSE(refusal) << platform::core::toUtf8(*refusal);
    }
    static bool Enabled(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }

    Session s;
    CMainFrame* frame = nullptr;
};

}  // namespace platform::harness
