// The frame's modes and what follows its active view where the console cannot reach them:
// opening several documents with their PDM contexts, the message bars of the active document,
// analysis mode, and the frameless tool bars' locks by the kernel's positions.
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/frameless_bars.h"
#include "mainframe/main_frame_routing.h"
#include "platform/core/record.h"
#include "syspanel/sys_panel_toolbar.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
constexpr const wchar_t* kCover = L"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb";
constexpr const wchar_t* kMissing = L"C:\\Users\\user\\Documents\\Samples\\Missing.grb";

class FrameModes : public mainframetest::RunningFrameTest {
protected:
    int JournalCount(std::size_t from, const std::wstring& text) {
        int count = 0;
        const auto& entries = s.journal().entries();
        for (std::size_t i = from; i < entries.size(); ++i) count += entries[i].line().find(text) != std::wstring::npos;
        return count;
    }
};

// The answer says whether every path opened; the opening in progress is named only while it
// runs, also when the PDM system fails on the way.
TEST_F(FrameModes, OpeningSeveralPathsAnswersWhetherEveryOneOpened) {
    s.user().expectBox(L"*", Button::Ok);  // the missing file is told
    EXPECT_FALSE(ResolvePdmOpeningContexts({CString(kBracket), CString(kMissing)}, PdmOpenParameters{}));
    EXPECT_EQ(CurrentPdmOpening(), nullptr);
    EXPECT_TRUE(ResolvePdmOpeningContexts({CString(kCover)}, PdmOpenParameters{}));

    s.kernel().setPdmConnected(true);
    s.kernel().pdmManageFile(kBracket, false);
    s.kernel().pdmFailCall(L"FindFiles");
    const std::size_t from = s.journal().entries().size();
    s.user().expectBox(L"The PDM system did not answer: FindFiles", Button::Ok);
    EXPECT_TRUE(ResolvePdmOpeningContexts({CString(kBracket)}, PdmOpenParameters{}));
    s.runUntilIdle();
    EXPECT_EQ(CurrentPdmOpening(), nullptr);
    EXPECT_EQ(JournalCount(from, L"KVPDMExceptionProxy::Report"), 1) << "the failure is reported, the path still opens";
}

TEST_F(FrameModes, OnlyTheActiveDocumentsMessageBarsShow) {
    ASSERT_TRUE(ResolvePdmOpeningContexts({CString(kBracket), CString(kCover)}, PdmOpenParameters{}));
    s.runUntilIdle();
    ASSERT_FALSE(s.user().activateDocument(kBracket).has_value());
    s.runUntilIdle();
    CKvw32Doc* bracket = frame->GetActiveKorvoDocument();
    ASSERT_NE(bracket, nullptr);
    ASSERT_FALSE(s.user().activateDocument(kCover).has_value());
    s.runUntilIdle();
    CKvw32Doc* cover = frame->GetActiveKorvoDocument();
    ASSERT_NE(cover, nullptr);
    ASSERT_NE(cover, bracket);

    frame->ShowMessageBar(0, L"Bracket", L"of the bracket", {}, {}, 1, 0, bracket);
    frame->ShowMessageBar(0, L"Cover", L"of the cover", {}, {}, 2, 0, cover);
    frame->ShowMessageBar(0, L"All", L"of no document", {}, {}, 3, 0, nullptr);
    auto shown = [this](std::uint64_t id) {
        for (const auto& bar : frame->GetMessageBars())
            if (bar->GetId() == id) return bar->IsWindowVisible() != FALSE;
        return false;
    };
    ASSERT_FALSE(s.user().activateDocument(kBracket).has_value());
    s.runUntilIdle();
    EXPECT_TRUE(shown(1));
    EXPECT_FALSE(shown(2));
    EXPECT_TRUE(shown(3));
    ASSERT_FALSE(s.user().activateDocument(kCover).has_value());
    s.runUntilIdle();
    EXPECT_FALSE(shown(1));
    EXPECT_TRUE(shown(2));
    EXPECT_TRUE(shown(3));
}

TEST_F(FrameModes, AnalysisModeTakesOnlyItsTwoIdsAndAChange) {
    const UINT current = frame->GetAnalysisMode();
    EXPECT_FALSE(frame->SetAnalysisMode(current, false));
    EXPECT_FALSE(frame->SetAnalysisMode(3, true));
    EXPECT_FALSE(frame->SetAnalysisMode(0, true));
    EXPECT_EQ(frame->GetAnalysisMode(), current);
    const std::size_t from = s.journal().entries().size();
    EXPECT_TRUE(frame->SetAnalysisMode(2, false));
    EXPECT_EQ(JournalCount(from, L"{034C0869-5691-4818-AF01-454EEB76F27E}, keeps 0,2)"), 1);
    EXPECT_TRUE(frame->SetAnalysisMode(2, true)) << "forced";
    EXPECT_EQ(frame->GetAnalysisMode(), 2u);
}

// The ribbon shows minimised as its screen remembers: full screen keeps a state of its own,
// apart from the normal screen's. The clean screen takes the document tabs away while it lasts.
TEST_F(FrameModes, EachScreenKeepsItsRibbonStateAndTheCleanScreenItsTabs) {
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    ASSERT_NE(ribbon, nullptr);
    ASSERT_TRUE(frame->IsRibbonMode());
    const auto showInFullScreen = [&] {
        frame->SetScreenMode(1);
        ribbon->SetVisible(TRUE);
        frame->ApplySettings();
        return ribbon->IsRibbonMinimized() != FALSE;
    };
    EXPECT_TRUE(showInFullScreen()) << "full screen starts minimised";
    ribbon->SetRibbonMinimized(FALSE);
    frame->SetScreenMode(0);
    EXPECT_FALSE(ribbon->IsRibbonMinimized());
    ribbon->SetRibbonMinimized(TRUE);
    EXPECT_FALSE(showInFullScreen()) << "full screen's own state";
    frame->SetScreenMode(0);
    EXPECT_TRUE(ribbon->IsRibbonMinimized()) << "the normal screen's state";
    ribbon->SetRibbonMinimized(FALSE);

    frame->SetScreenMode(2);
    EXPECT_FALSE(frame->GetTabClient().IsTabsShown());
    frame->SetScreenMode(0);
    EXPECT_TRUE(frame->GetTabClient().IsTabsShown());
}

TEST_F(FrameModes, TheKernelsPositionsLockTheFramelessBars) {
    NativeSettings::FramelessBars& place = GetSettings().framelessBars;
    place.view = 2;
    place.selectionFilter = -1;
    place.autoMenu = 2;
    frame->ApplySettings();
    Korvo::UI::FramelessToolBar* view = frame->GetFramelessToolBar(frameless_bars::kView);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->IsVisibilityLocked());
    EXPECT_TRUE(view->IsPopupsToTheLeft());
    EXPECT_TRUE(frame->GetFramelessToolBar(frameless_bars::kSelectionFilter)->IsVisibilityLocked());
    Korvo::UI::FramelessToolBar* autoMenu = frame->GetFramelessToolBar(frameless_bars::kAutoMenu);
    EXPECT_EQ(autoMenu->IsVisibilityLocked(), !frame->IsRibbonMode()) << "free in ribbon mode only";
    EXPECT_TRUE(autoMenu->IsPopupsToTheLeft());

    place.view = -2;  // hidden even in the clean screen
    frame->ApplySettings();
    EXPECT_TRUE(view->IsVisibilityLocked());
    EXPECT_FALSE(view->IsVisible());
    place.view = -1;
    frame->SetScreenMode(2);
    EXPECT_FALSE(view->IsVisibilityLocked()) << "-1 stands in for the docked view bar in the clean screen";
    frame->SetScreenMode(0);
    EXPECT_TRUE(view->IsVisibilityLocked());

    // Hidden expand buttons take flag 32 off the auto-menu bar; shown ones put it back.
    CXTPToolBar* autoMenuBar = frame->GetAutoMenuToolBar();
    ASSERT_NE(autoMenuBar, nullptr);
    place.hideExpandButtons = true;
    frame->ApplySettings();
    EXPECT_EQ(autoMenuBar->GetFlags() & 32u, 0u);
    place.hideExpandButtons = false;
    frame->ApplySettings();
    EXPECT_EQ(autoMenuBar->GetFlags() & 32u, 32u);

    // The split bar shows at a place of its own in ribbon mode only; the filter bar leaves its
    // first three sections to the system panel while the panel is there to see.
    const bool ribbon = frame->IsRibbonMode();
    Korvo::UI::FramelessToolBar* split = frame->GetFramelessToolBar(frameless_bars::kSplit);
    Korvo::UI::FramelessToolBar* filters = frame->GetFramelessToolBar(frameless_bars::kSelectionFilter);
    place.split = 0;
    frame->SetRibbonMode(false);
    EXPECT_TRUE(split->IsVisibilityLocked());
    CSysPanelToolbar* panel = frame->GetSysPanelToolbar();
    ASSERT_NE(panel, nullptr);
    panel->SetVisible(TRUE);
    frame->ApplySettings();
    EXPECT_EQ(filters->GetSectionLock(0), 0);
    EXPECT_EQ(filters->GetSectionLock(2), 0);
    panel->SetVisible(FALSE);
    frame->ApplySettings();
    EXPECT_EQ(filters->GetSectionLock(0), -1) << "a hidden panel shows no filter buttons";
    EXPECT_EQ(filters->GetSectionLock(2), -1);
    frame->SetRibbonMode(true);
    EXPECT_FALSE(split->IsVisibilityLocked());
    place.split = -1;
    frame->ApplySettings();
    EXPECT_TRUE(split->IsVisibilityLocked());
    panel->SetVisible(TRUE);
    frame->SetRibbonMode(ribbon);
    place = NativeSettings::FramelessBars{};
}

}  // namespace
