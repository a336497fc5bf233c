// The frame popups' contents: the main windows a document can move to, and the profile icons.
#include <gtest/gtest.h>

#include "mainframe/main_frame.h"
#include "mainframe/popups/move_to_main_window_popup.h"
#include "mainframe/popups/profile_icon.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class MoveToMainWindowTest : public SessionTest {
protected:
    void SetUp() override {
        s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nAppTitle=T\n");
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        ASSERT_NE(s.kernel().newMainFrame(), nullptr);
        s.runUntilIdle();
        for (HWND window : s.inspect().mainFrames())
            frames.push_back(dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(window)));
        ASSERT_EQ(frames.size(), 2u);
        controls = new CXTPControls;
    }
    void TearDown() override { controls->InternalRelease(); }

    Session s;
    std::vector<CMainFrame*> frames;
    CXTPControls* controls = nullptr;
};

TEST_F(MoveToMainWindowTest, OneFrameOffersOnlyANewMainWindow) {
    FillMoveToMainWindowControls(controls, {frames[0]}, frames[0], false);
    ASSERT_EQ(controls->GetCount(), 1);
    EXPECT_EQ(controls->GetAt(0)->GetID(), 2826);
    EXPECT_EQ(std::wstring(controls->GetAt(0)->GetCaption()), L"Новое главное окно");
    EXPECT_TRUE(controls->GetAt(0)->GetFlags() & xtpFlagManualUpdate);
}

TEST_F(MoveToMainWindowTest, FramesFollowInAGroupWithTheCurrentOneCheckedUpToTheLastId) {
    FillMoveToMainWindowControls(controls, frames, frames[1], false);
    ASSERT_EQ(controls->GetCount(), 3);
    EXPECT_EQ(controls->GetAt(1)->GetID(), 3450);
    EXPECT_TRUE(controls->GetAt(1)->GetBeginGroup());
    EXPECT_FALSE(controls->GetAt(2)->GetBeginGroup());
    EXPECT_EQ(std::wstring(controls->GetAt(1)->GetCaption()), L"T (1)");
    EXPECT_FALSE(controls->GetAt(1)->GetChecked());
    EXPECT_TRUE(controls->GetAt(2)->GetChecked());

    // Sixty frames: the ids stop at 3498, so 49 of them are listed.
    std::vector<CMainFrame*> many;
    for (int i = 0; i < 30; ++i) many.insert(many.end(), frames.begin(), frames.end());
    FillMoveToMainWindowControls(controls, many, frames[0], false);
    ASSERT_EQ(controls->GetCount(), 50);
    EXPECT_EQ(controls->GetAt(49)->GetID(), 3498);

    // While customising, what is there stays.
    FillMoveToMainWindowControls(controls, {frames[0]}, frames[0], true);
    EXPECT_EQ(controls->GetCount(), 50);
}

TEST(ProfileIcon, ABlackRingAroundTheTableColourOpaque) {
    const auto icon = MakeProfileIcon(16, RGB(10, 20, 30));
    ASSERT_TRUE(icon);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(icon->at(i, 0), 0xFF000000u);
        EXPECT_EQ(icon->at(0, i), 0xFF000000u);
        EXPECT_EQ(icon->at(15, i), 0xFF000000u);
        EXPECT_EQ(icon->at(i, 15), 0xFF000000u);
    }
    EXPECT_EQ(icon->at(1, 1), 0xFF0A141Eu);
    EXPECT_EQ(icon->at(8, 7), 0xFF0A141Eu);
    EXPECT_FALSE(MakeProfileIcon(0, RGB(0, 0, 0)));
}

TEST(ProfileIcon, EachSizeIsBuiltOnceAndProfilesWithoutAColourHaveNone) {
    ProfileIconCache cache(1, {RGB(255, 0, 0), RGB(0, 255, 0)});
    const ProfileIconImage* small = cache.Get(16);
    ASSERT_NE(small, nullptr);
    EXPECT_NE(cache.Get(24), nullptr);
    EXPECT_EQ(cache.Get(16), small);
    EXPECT_EQ(cache.GetBuildCount(), 2);
    EXPECT_EQ(small->at(5, 5), 0xFF00FF00u);

    EXPECT_EQ(ProfileIconCache(ProfileIconCache::kNoColour, {RGB(1, 2, 3)}).Get(16), nullptr);
    EXPECT_EQ(ProfileIconCache(7, {RGB(1, 2, 3)}).Get(16), nullptr);  // outside the table: no read
}

}  // namespace
