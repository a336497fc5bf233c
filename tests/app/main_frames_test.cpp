// Several main frames at once: the UI module keeps them, the application numbers their titles,
// walks them to activate the next one, and takes them all into a modal state together.
#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

// A program whose main window title is "T", with three main frames open.
class ThreeFrames : public SessionTest {
protected:
    void SetUp() override {
        s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nAppTitle=T\n");
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        ASSERT_NE(s.kernel().newMainFrame(), nullptr);
        ASSERT_NE(s.kernel().newMainFrame(), nullptr);
        s.runUntilIdle();
        frames = s.inspect().mainFrames();
        ASSERT_EQ(frames.size(), 3u);
    }

    std::vector<std::wstring> Titles() {
        std::vector<std::wstring> titles;
        for (HWND frame : s.inspect().mainFrames()) titles.push_back(s.inspect().text(frame));
        return titles;
    }
    HWND Active() {
        CMainFrame* active = CKvw32App::Instance()->GetActiveMainFrame();
        return active ? active->GetSafeHwnd() : nullptr;
    }

    Session s;
    std::vector<HWND> frames;
};

TEST_F(ThreeFrames, AreNumberedInTheUIModulesOrderAndRenumberedAsTheyClose) {
    EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"T (1)", L"T (2)", L"T (3)"}));

    s.user().close(frames[1]);
    s.runUntilIdle();
    // The order of the others stays; the third frame moves up to second place.
    EXPECT_EQ(s.inspect().mainFrames(), (std::vector<HWND>{frames[0], frames[2]}));
    EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"T (1)", L"T (2)"}));

    s.user().close(frames[2]);
    s.runUntilIdle();
    EXPECT_EQ(Titles(), std::vector<std::wstring>{L"T"});
}

TEST_F(ThreeFrames, DumpShowsEachFrameWithItsTitleAndTheActiveOne) {
    wchar_t handles[3][16];
    for (int i = 0; i < 3; ++i)
        std::swprintf(handles[i], 16, L"0x%08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(frames[i])));
    EXPECT_EQ(s.inspect().dumpFrames(), L"1 " + std::wstring(handles[0]) + L" \"T (1)\" inactive\n2 " + handles[1] +
                                            L" \"T (2)\" inactive\n3 " + handles[2] + L" \"T (3)\" active");
}

TEST_F(ThreeFrames, ActivatingTheNextFrameWrapsAround) {
    CKvw32App* app = CKvw32App::Instance();
    ASSERT_EQ(Active(), frames[2]);  // a new frame becomes the active one
    app->ActivateNextMainFrame();
    EXPECT_EQ(Active(), frames[0]);
    app->ActivateNextMainFrame();
    EXPECT_EQ(Active(), frames[1]);
    app->ActivateNextMainFrame();
    EXPECT_EQ(Active(), frames[2]);
}

// The taskbar's Close on a frame that is not the active one: that frame makes itself active in
// the UI module to close, and the next one, the active window already, hears no activation. It
// is the active main frame all the same, and the kernel's requests reach it.
TEST_F(ThreeFrames, ClosingAFrameThatIsNotActiveLeavesTheNextOneActive) {
    ASSERT_EQ(Active(), frames[2]);
    s.user().close(frames[1]);
    s.runUntilIdle();
    ASSERT_EQ(s.inspect().mainFrames(), (std::vector<HWND>{frames[0], frames[2]}));
    EXPECT_EQ(Active(), frames[2]);
    EXPECT_NE(KorvoServerAppProxy::Instance()->ShowMessageBar(5, L"Title", L"Text"), nullptr);
}

TEST_F(ThreeFrames, AModalBoxOverOneFrameDisablesThemAll) {
    std::vector<bool> enabledDuringBox;
    s.user().expectBox(L"Busy", [&](const BoxRequest&) {
        for (HWND frame : frames) enabledDuringBox.push_back(IsWindowEnabled(frame) != FALSE);
        return Button::Ok;
    });
    AfxMessageBox(L"Busy");
    EXPECT_EQ(enabledDuringBox, (std::vector<bool>{false, false, false}));
    for (HWND frame : frames) EXPECT_TRUE(IsWindowEnabled(frame));
    // Each frame told the 3D part once per change, though disabling one frame disabled the rest.
    const auto calls = platform::harness::calls(s);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"CKVCom_Is3D::SetMainWindowsDisabled(true)"), 3);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"CKVCom_Is3D::SetMainWindowsDisabled(false)"), 3);
}

TEST_F(ThreeFrames, FramesOfOtherClassesInTheUIModuleAreLeftAlone) {
    auto* foreign = new Korvo::UI::MdiMainFrame;
    ASSERT_TRUE(foreign->LoadFrame(1, WS_OVERLAPPEDWINDOW));
    foreign->SetWindowText(L"foreign");
    ASSERT_EQ(UIModuleProxy::Instance().GetMainFrames().size(), 4u);

    CKvw32App* app = CKvw32App::Instance();
    EXPECT_EQ(app->NumMainFrames(), 3);
    app->UpdateFrameTitles();
    app->SetRibbonMode(false);
    app->SetToolBarIconSize({20, 20});
    EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"T (1)", L"T (2)", L"T (3)", L"foreign"}));
    EXPECT_FALSE(UIModuleProxy::Instance().GetCommandBarsIconSize(foreign).has_value());
    foreign->DestroyWindow();
}

TEST_F(ThreeFrames, ThemeAndRibbonModeReachEveryFrameAndLaterOnes) {
    CKvw32App* app = CKvw32App::Instance();
    ASSERT_TRUE(app->SetTheme(L"msvs2015dark"));
    app->SetRibbonMode(false);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    const std::vector<CMainFrame*> all = app->GetMainFrames();
    ASSERT_EQ(all.size(), 4u);
    for (CMainFrame* frame : all) {
        EXPECT_EQ(frame->GetThemeName(), L"msvs2015dark");
        EXPECT_FALSE(frame->IsRibbonMode());
    }
}

TEST_F(ThreeFrames, IconSizesApplyToEveryFrameWithTheLargeFlagAtTheEdges) {
    CKvw32App* app = CKvw32App::Instance();
    auto frameIcons = [&](CMainFrame* frame) { return UIModuleProxy::Instance().GetCommandBarsIconSize(frame); };
    struct Case {
        SIZE size;
        bool large;
    };
    for (const Case& c : {Case{{16, 16}, false}, Case{{20, 20}, true}, Case{{16, 17}, true}, Case{{17, 16}, true}}) {
        app->SetToolBarIconSize(c.size);
        EXPECT_EQ(app->IsLargeToolBarIcons(), c.large) << c.size.cx << "x" << c.size.cy;
        for (CMainFrame* frame : app->GetMainFrames()) {
            const auto icons = frameIcons(frame);
            ASSERT_TRUE(icons.has_value());
            EXPECT_EQ(icons->size, c.size);
            EXPECT_EQ(icons->largeIcons, c.large);
        }
    }

    const std::size_t before = s.journal().entries().size();
    for (SIZE ignored : {SIZE{0, 24}, SIZE{24, 0}, SIZE{-1, -1}}) app->SetToolBarIconSize(ignored);
    EXPECT_EQ(s.journal().entries().size(), before);
    EXPECT_EQ(app->GetToolBarIconSize(), (SIZE{17, 16}));
}

class MainFrames : public SessionTest {};

TEST_F(MainFrames, OneFrameHasThePlainTitleAndNothingToActivateNext) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nAppTitle=T\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    const HWND frame = s.inspect().mainFrames().at(0);
    EXPECT_EQ(s.inspect().text(frame), L"T");
    const std::size_t before = s.journal().entries().size();
    CKvw32App::Instance()->ActivateNextMainFrame();
    EXPECT_EQ(s.journal().entries().size(), before);
}

TEST_F(MainFrames, WithoutAnAppTitleTheProductTitleNamesTheFrames) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    const auto frames = s.inspect().mainFrames();
    EXPECT_EQ(s.inspect().text(frames.at(0)), L"Korvo CAD (1)");
    EXPECT_EQ(CKvw32App::Instance()->GetMainWindowTitle(), L"Korvo CAD");
}

TEST_F(MainFrames, NoActiveFrameOnceTheLastOneHasClosed) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    ASSERT_NE(UIModuleProxy::Instance().GetActiveMainFrame(), nullptr);
    s.quit();
    EXPECT_TRUE(UIModuleProxy::Instance().GetMainFrames().empty());
    EXPECT_EQ(UIModuleProxy::Instance().GetActiveMainFrame(), nullptr);
}

// DPI scaling of the tool-bar icons follows the screen.
TEST_F(MainFrames, ScaledIconSizeFollowsTheScreensDpi) {
    Config config;
    config.platform.dpi = 144;
    Session s(config);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    CKvw32App::Instance()->SetToolBarIconSize({20, 16});
    EXPECT_EQ(CKvw32App::Instance()->GetScaledToolBarIconSize(), (SIZE{30, 24}));
}

}  // namespace
