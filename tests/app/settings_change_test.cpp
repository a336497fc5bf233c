// The kernel's changed options reach the frames only when the template folder or how new
// documents use it changed; the kernel adopts the new values after telling the program.
#include "mainframe/frameless_bars.h"
#include "mainframe/main_frame.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

class SettingsChangeTest : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        ASSERT_NE(s.kernel().newMainFrame(), nullptr);
        s.runUntilIdle();
        for (HWND window : s.inspect().mainFrames())
            frames.push_back(dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(window)));
        ASSERT_EQ(frames.size(), 2u);
    }
    void TearDown() override { GetSettings().framelessBars = NativeSettings::FramelessBars{}; }

    // Whether every frame placed its frameless view bar by the kernel's current positions.
    int FramesShowingViewBarAtRight() {
        int count = 0;
        for (CMainFrame* frame : frames) {
            Korvo::UI::FramelessToolBar* bar = frame->GetFramelessToolBar(frameless_bars::kView);
            count += bar && bar->IsPopupsToTheLeft();
        }
        return count;
    }

    std::wstring Change(std::wstring folder, int use, int kinds) {
        return s.kernel().callback(L"OnChangeSettings",
                                   {folder, std::to_wstring(use), std::to_wstring(kinds)});
    }

    Session s;
    std::vector<CMainFrame*> frames;
};

TEST_F(SettingsChangeTest, OnlyATemplateFolderChangeIsPassedToEveryFrame) {
    // The kernel moved the view bar meanwhile; the frames learn of it only through a change.
    GetSettings().framelessBars.view = 2;
    const NativeSettings before = GetSettings();
    EXPECT_EQ(Change(before.templateFolder.GetString(), before.templateFolderUse, before.templateFolderKinds), L"done");
    EXPECT_EQ(FramesShowingViewBarAtRight(), 0) << "unchanged settings tell no frame";

    EXPECT_EQ(Change(L"Templates", before.templateFolderUse, before.templateFolderKinds), L"done");
    EXPECT_EQ(FramesShowingViewBarAtRight(), 2);
    EXPECT_EQ(std::wstring(GetSettings().templateFolder.GetString()), L"Templates") << "the kernel keeps the folder as the user gave it";

    // Either integer alone is a change too; the same values again are not.
    GetSettings().framelessBars.view = -1;
    Change(L"Templates", before.templateFolderUse, before.templateFolderKinds);
    EXPECT_EQ(FramesShowingViewBarAtRight(), 2);
    Change(L"Templates", before.templateFolderUse + 1, before.templateFolderKinds);
    EXPECT_EQ(FramesShowingViewBarAtRight(), 0);
    GetSettings().framelessBars.view = 2;
    Change(L"Templates", before.templateFolderUse + 1, before.templateFolderKinds + 1);
    EXPECT_EQ(FramesShowingViewBarAtRight(), 2);
}

}  // namespace
