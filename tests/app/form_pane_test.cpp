// Docking pane 1016 hosting a kernel form: made in the active frame with the form's icon and
// title, fitted to the form while it floats (never below its minimum, and not at all when a
// control fills the form), and gone again with the form kept alive when the kernel takes it back.
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "platform/kernel/ui/panes.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

class FormPaneTest : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame = CKvw32App::Instance()->GetActiveMainFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(form.Create(L"STATIC", nullptr, WS_CHILD, RECT{0, 0, 50, 50}, frame, 4712, nullptr));
        form.SetTitle(L"Chamfer");
        form.SetIconId(812);
        form.SetSizes(SIZE{120, 80}, SIZE{300, 60});
    }
    void TearDown() override {
        if (form.GetSafeHwnd()) form.DestroyWindow();
    }
    CXTPDockingPane* Pane() const { return frame->GetDockingPaneManager()->FindPane(1016); }
    bool Attach() {
        bool attached = false;
        s.kernel().callback([&](KorvoServerAppProxy& kernel) { attached = kernel.AttachFormToPane1016(&form); });
        return attached;
    }

    Session s;
    CMainFrame* frame = nullptr;
    KVFormWindow form;
};

TEST_F(FormPaneTest, TheFormDocksWithItsTitleAndIconAndFitsWhileFloating) {
    ASSERT_TRUE(Attach());
    CXTPDockingPane* pane = Pane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->GetTitle(), L"Chamfer");
    EXPECT_EQ(pane->GetTabCaption(), L"Chamfer");
    EXPECT_EQ(pane->GetIconID(), 812);
    EXPECT_EQ(pane->GetChild(), form.GetSafeHwnd());

    // Floating: the frame takes the preferred width and the minimum height (the preferred one is smaller).
    frame->GetDockingPaneManager()->FloatPane(pane, RECT{400, 300, 420, 320});
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.FitPane1016(); });
    EXPECT_EQ(pane->GetMinTrackSize().cx, 120);
    const RECT fitted = pane->GetFloatingRect();
    EXPECT_EQ(fitted.left, 400);
    EXPECT_EQ(fitted.right - fitted.left, 300);
    EXPECT_EQ(fitted.bottom - fitted.top, 80);

    // A form with a control that fills it keeps the frame's size.
    form.SetFillingControl(true);
    form.SetSizes(SIZE{10, 10}, SIZE{900, 900});
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.FitPane1016(); });
    EXPECT_EQ(pane->GetFloatingRect().right - pane->GetFloatingRect().left, 300);

    // Attaching again reuses the pane.
    ASSERT_TRUE(Attach());
    EXPECT_EQ(Pane(), pane);

    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.DetachFormFromPane1016(); });
    EXPECT_EQ(Pane(), nullptr);
    EXPECT_TRUE(::IsWindow(form.GetSafeHwnd())) << "the form is the kernel's: it outlives the pane";
}

TEST_F(FormPaneTest, NothingIsMadeWithoutAFormOrPaneToWorkOn) {
    bool attached = true;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        attached = kernel.AttachFormToPane1016(nullptr);
        kernel.FitPane1016();
        kernel.DetachFormFromPane1016();
    });
    EXPECT_FALSE(attached);
    EXPECT_EQ(Pane(), nullptr);
}

}  // namespace
