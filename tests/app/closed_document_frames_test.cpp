// What a main frame keeps of a window that went: a drawing closed beside a picture, and a
// picture moved to a new main frame and closed there. The frame's next look at its active view
// (a settings pass, full screen) must find none, and what it showed of a closed drawing goes.
#include "tests/app/document_test_support.h"

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "mainframe/statusline/status_line.h"

namespace {

using namespace platform::harness;

constexpr unsigned kFileClose = 57602, kMoveToNewMainWindow = 2826, kFullScreen = 1254;
constexpr DWORD kNoViewBit = 16;

class ClosedDocumentFrames : public apptest::DocumentSessionTest {
protected:
    void SetUp() override {
        s.files().writePicture(L"C:\\Work\\A.png", 20, 10);
        s.kernel().writeDocumentFile(L"C:\\Work\\Plan.grb");
            Start(s);
        main = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frame_));
        ASSERT_NE(main, nullptr);
    }
    bool HasBar(CMainFrame* frame, std::uint64_t id) {
        for (const auto& bar : frame->GetMessageBars())
            if (bar->GetId() == id) return true;
        return false;
    }
    Session s;
    CMainFrame* main = nullptr;
};

// The drawing's window goes first, the picture's window becomes the active child without telling
// the frame, then the kernel says the drawing closed: the frame holds no view of it, its prompt
// is cleared and only the bars bound to it go.
TEST_F(ClosedDocumentFrames, ADrawingClosedBesideAPictureLeavesNoViewPromptOrBarOfIt) {
    Open(s, L"C:\\Work\\A.png");
    CMDIChildWnd* pictureFrame = main->MDIGetActive();
    ASSERT_NE(pictureFrame, nullptr);
    CDocument* picture = pictureFrame->GetActiveDocument();
    ASSERT_NE(picture, nullptr);
    CDocument* plan = Open(s, L"C:\\Work\\Plan.grb");
    ASSERT_NE(plan, nullptr);
    ASSERT_EQ(main->GetActiveKorvoDocument(), plan);
    EXPECT_EQ(main->GetViewTypeMask() & kNoViewBit, 0u) << "the drawing's view is the frame's";
    main->ShowMessageBar(0, L"Plan", L"of the plan", {}, {}, 1, 0, plan);
    main->ShowMessageBar(0, L"Picture", L"of the picture", {}, {}, 2, 0, picture);
    main->ShowMessageBar(0, L"All", L"of no document", {}, {}, 3, 0, nullptr);
    main->GetStatusLine().SetPromptText(L"Pick a point", false);

    s.user().command(frame_, kFileClose);
    s.runUntilIdle();
    ASSERT_EQ(Korvo::DocumentManager::Instance().FindDocument(L"C:\\Work\\Plan.grb"), nullptr);
    ASSERT_EQ(main->MDIGetActive(), pictureFrame);

    main->ApplySettings();
    EXPECT_NE(main->GetViewTypeMask() & kNoViewBit, 0u) << "no view is left to read";
    EXPECT_EQ(main->GetStatusLine().GetPromptText(), L"");
    EXPECT_FALSE(HasBar(main, 1)) << "the closed drawing's bar goes";
    EXPECT_TRUE(HasBar(main, 2)) << "another document's bar stays";
    EXPECT_TRUE(HasBar(main, 3)) << "a bar of no document stays";
    s.user().command(frame_, kFullScreen);
    s.runUntilIdle();
    EXPECT_EQ(main->GetScreenMode(), 1u);
}

// A picture's window moved to a new main frame becomes that frame's view; closing the picture
// tells that frame nothing, which must then find no view rather than the gone one.
TEST_F(ClosedDocumentFrames, APictureMovedToANewFrameAndClosedLeavesThatFrameNoView) {
    Open(s, L"C:\\Work\\A.png");
    s.user().command(frame_, kMoveToNewMainWindow);
    s.runUntilIdle();
    std::vector<HWND> frames = s.inspect().mainFrames();
    ASSERT_EQ(frames.size(), 2u);
    auto* moved = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frames[1]));
    ASSERT_NE(moved, nullptr);
    ASSERT_NE(moved->MDIGetActive(), nullptr) << "the picture's window moved";

    s.user().command(frames[1], kFileClose);
    s.runUntilIdle();
    ASSERT_EQ(moved->MDIGetActive(), nullptr);
    moved->ApplySettings();
    EXPECT_NE(moved->GetViewTypeMask() & kNoViewBit, 0u);
    s.user().command(frames[1], kFullScreen);
    s.runUntilIdle();
    EXPECT_EQ(moved->GetScreenMode(), 1u);
}

}  // namespace
