// What reaches a frame's frameless tool bars (the options, icon size and shortcuts of its command
// bars), what a frame writes of them into its state, what a new main window cloned from a frame
// carries over, and the kernel's notice that a view changed.
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/varnel_popup.h"
#include "mainframe/main_frame_state.h"
#include "mainframe/toolsengine/customize_sheet.h"
#include "platform/kernel/ui/frame_services.h"
#include "mainframe/frameless_bars.h"
#include "platform/core/record.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace mainframetest;
using Korvo::UI::XML::Element;

constexpr UINT kViewChanged = WM_USER + 291;

class FramelessBarsAndClone : public RunningFrameTest {
protected:
    bool HasShortcut(CXTPCommandBars& bars, WORD command) {
        for (const ACCEL& entry : bars.GetShortcutManager()->GetAccelerators())
            if (entry.cmd == command) return true;
        return false;
    }
    std::size_t JournalCount(std::size_t from, const std::wstring& text) {
        std::size_t count = 0;
        const auto& entries = s.journal().entries();
        for (std::size_t i = from; i < entries.size(); ++i) count += entries[i].line().find(text) != std::wstring::npos;
        return count;
    }
};

TEST_F(FramelessBarsAndClone, TheFramelessBarsFollowTheFramesOptionsIconSizeAndShortcuts) {
    Korvo::UI::FramelessToolBars* frameless = frame->GetFramelessToolBars();
    ASSERT_NE(frameless, nullptr);
    CXTPCommandBars* bars = frame->GetCommandBars();
    ASSERT_NE(bars, nullptr);
    // From the frame's creation on, they have its shortcuts and icons.
    EXPECT_FALSE(frameless->GetShortcutManager()->GetAccelerators().empty());
    const CXTPCommandBarsOptions& shared = *frameless->GetCommandBarsOptions();
    EXPECT_EQ(shared.szIcons.cx, bars->GetCommandBarsOptions()->szIcons.cx);
    const SIZE viewIcons = frame->GetFramelessToolBar(frameless_bars::kView)->GetIconSize();
    EXPECT_GT(viewIcons.cx, 0);
    for (const UINT id : {frameless_bars::kAutoMenu, frameless_bars::kEditInPlace, frameless_bars::kDrawingView,
                          frameless_bars::kFeaTaskModel})
        EXPECT_EQ(frame->GetFramelessToolBar(id)->GetIconSize().cx, viewIcons.cx) << id;
    EXPECT_EQ(frame->GetFramelessToolBar(frameless_bars::kSelectionFilter)->GetIconSize().cx, 0);
    EXPECT_EQ(frame->GetFramelessToolBar(frameless_bars::kSplit)->GetIconSize().cx, 0);

    // A shortcut the user assigns, and big tool-bar icons, reach them as the customise sheet ends.
    bars->GetShortcutManager()->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'J', 1215});
    CKvw32App::Instance()->SetToolBarIconSize(SIZE{32, 32});
    frame->ApplyCommandBarsOptions(true);
    frame->CopyShortcutsToFramelessToolBars();
    EXPECT_TRUE(HasShortcut(*frameless, 1215));
    EXPECT_EQ(frameless->GetShortcutManager()->GetAccelerators().size(),
              bars->GetShortcutManager()->GetAccelerators().size());
    EXPECT_TRUE(shared.bLargeIcons);
    CKvw32App::Instance()->SetToolBarIconSize(SIZE{24, 24});
    frame->ApplyCommandBarsOptions(true);
    EXPECT_FALSE(shared.bLargeIcons);
}

TEST_F(FramelessBarsAndClone, TheStateHoldsTheFramelessViewBarAndNamesTheRibbonTabsPopup) {
    CXTPToolBar* view = frame->GetFramelessViewToolBar();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view, frame->GetFramelessToolBar(frameless_bars::kView)) << "the view bar, not the first one";
    view->GetControls()->Add(xtpControlButton, 1215);
    Element element(L"MainWindow");
    frame->SaveXmlState(element, false, false);
    const std::shared_ptr<Element> saved = element.child(L"framelessToolBar");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->attribute(L"id", L""), L"3");
    ASSERT_EQ(saved->children().size(), 1u);
    EXPECT_EQ(saved->children()[0]->attribute(L"id", L""), L"1215");
    const std::shared_ptr<Element> ribbon = element.child(Korvo::UI::XML::TagNames::RibbonBar);
    ASSERT_NE(ribbon, nullptr);
    EXPECT_NE(ribbon->toXml().find(L"name=\"ribbonTabsPopup\""), std::wstring::npos);
}

// A new main window looks like the one it is made from: its ribbon as the user changed it, the
// command bars' layout (shortcuts among it) and the frameless view bar.
TEST_F(FramelessBarsAndClone, AClonedFrameCarriesTheRibbonTheBarsLayoutAndTheFramelessViewBar) {
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    ASSERT_NE(ribbon, nullptr);
    ASSERT_GT(ribbon->GetTabCount(), 1);
    ribbon->GetTab(1)->SetCaption(L"My tools");
    frame->GetCommandBars()->GetShortcutManager()->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'J', 1215});
    frame->GetFramelessViewToolBar()->GetControls()->Add(xtpControlButton, 1215);

    CMainFrame* clone = frameOf(s.kernel().newMainFrame());
    ASSERT_NE(clone, nullptr);
    ASSERT_NE(clone->GetRibbonBar(), nullptr);
    EXPECT_EQ(clone->GetRibbonBar()->GetTab(1)->GetCaption(), CString(L"My tools"));
    EXPECT_TRUE(HasShortcut(*clone->GetCommandBars(), 1215));
    EXPECT_TRUE(HasShortcut(*clone->GetFramelessToolBars(), 1215));
    CXTPToolBar* view = clone->GetFramelessViewToolBar();
    ASSERT_NE(view, nullptr);
    EXPECT_NE(view->GetControls()->FindControl(1215), nullptr);
    EXPECT_EQ(clone->GetScreenMode(), 0u);
    EXPECT_EQ(frame->GetScreenMode(), 0u);
}

// The kernel tells a frame that a view changed: only the frame's active view counts; a model's
// view not in its alternate state hands its document to the 3D kernel.
TEST_F(FramelessBarsAndClone, AViewChangedNoticeUpdatesWhatFollowsTheActiveView) {
    s.kernel().writeDocumentFile(L"C:\\Work\\first.grb");
    const std::size_t opening = s.journal().entries().size();
    s.user().dde(L"[open(\"C:\\Work\\first.grb\")]");
    s.runUntilIdle();
    EXPECT_GE(JournalCount(opening, L"CKVBasicEditEx::ChangePage()"), 1u) << "a new active view tells the edit controls";
    CKvw32Doc* document = frame->GetActiveKorvoDocument();
    ASSERT_NE(document, nullptr);
    auto* view = dynamic_cast<CKVView*>(document->GetActiveKVView());
    ASSERT_NE(view, nullptr);
    const DWORD drawingMask = frame->GetViewTypeMask();

    view->SetViewTraits(2, false, true, false);
    EXPECT_EQ(frame->GetViewTypeMask(), drawingMask) << "nothing follows until the kernel tells";
    std::size_t from = s.journal().entries().size();
    // Another view's notice changes nothing.
    ::SendMessageW(window, kViewChanged, reinterpret_cast<WPARAM>(window), 0);
    EXPECT_EQ(frame->GetViewTypeMask(), drawingMask);
    ::SendMessageW(window, kViewChanged, reinterpret_cast<WPARAM>(view), 0);
    EXPECT_NE(frame->GetViewTypeMask(), drawingMask);
    EXPECT_EQ(JournalCount(from, L"CKVCom_Is3D::SetActiveDocument("), 1u);

    from = s.journal().entries().size();
    view->SetViewTraits(2, true, false, false);
    ::SendMessageW(window, kViewChanged, reinterpret_cast<WPARAM>(view), 0);
    EXPECT_EQ(JournalCount(from, L"CKVCom_Is3D::SetActiveDocument("), 0u) << "not in the alternate state";
}

// A state's analysis mode reaches the ribbon's analysis items through the UI module, and an
// applied ribbon shows the PDM items as the connection is.
TEST_F(FramelessBarsAndClone, AnAppliedStateTellsTheUIModuleItsAnalysisModeAndTheRibbonFollowsThePdm) {
    MainFrameState state;
    state.analysisMode = 2;
    std::size_t from = s.journal().entries().size();
    frame->LoadState(state, false, false);
    EXPECT_EQ(JournalCount(from, L"UIModuleProxy::ReapplyRibbonTabSet("), 1u);
    EXPECT_EQ(JournalCount(from, L"keeps 0,2)"), 1u);
    EXPECT_EQ(frame->GetAnalysisMode(), 2u);

    s.kernel().setPdmConnected(true);
    const auto defaults = CKvw32App::Instance()->GetDefaultMainFrameState();
    ASSERT_TRUE(defaults && defaults->ribbonBar);
    frame->ApplyRibbonBarState(*defaults->ribbonBar);
    VarnelPopup* popup = frame->GetRibbonBar()->GetVarnelPopup();
    ASSERT_NE(popup, nullptr);
    const CXTPControl* disconnect = popup->GetCommandBar()->GetControls()->FindControl(VarnelPopup::kDisconnectCommand);
    const CXTPControl* connect = popup->GetCommandBar()->GetControls()->FindControl(VarnelPopup::kConnectCommand);
    ASSERT_NE(disconnect, nullptr);
    ASSERT_NE(connect, nullptr);
    EXPECT_TRUE(disconnect->IsVisible());
    EXPECT_FALSE(connect->IsVisible());

    // The frame told of the connection's end offers connecting again.
    s.kernel().setPdmConnected(false);
    frame->OnChangeVarnelConnectionState(false);
    EXPECT_FALSE(disconnect->IsVisible());
    EXPECT_TRUE(connect->IsVisible());
    EXPECT_TRUE(popup->IsVisible());

    // With no PDM installation named or installed, the popup goes.
    const CString named = GetSettings().varnel.instanceKeyPath;
    GetSettings().varnel.instanceKeyPath.Empty();
    s.kernel().pdmSetInstalledPrograms({});
    frame->UpdateVarnelWindows(false);
    EXPECT_FALSE(popup->IsVisible());
    GetSettings().varnel.instanceKeyPath = named;
}

// With a 3D mouse the customise sheet offers its page, as the sheet's last one.
TEST_F(FramelessBarsAndClone, TheCustomiseSheetsThreeDMousePageIsItsLast) {
    CKVSpaceballDeviceManager::Instance().Plug({4, 6, true});
    int pages = 0;
    s.user().expectDialog(783u, [&](HWND dialog) {
        if (const auto* sheet = dynamic_cast<const CPropertySheet*>(CWnd::FromHandlePermanent(dialog)))
            pages = sheet->GetPageCount();
        EXPECT_FALSE(s.user().act(dialog, {platform::core::DialogAction::Kind::Page, 20870, {}}));
        s.user().act(dialog, {platform::core::DialogAction::Kind::Cancel, 0, {}});
    });
    frame->ShowCustomizeSheet(0, 0);
    CKVSpaceballDeviceManager::Instance().Plug({0, 0, true});
    ASSERT_GT(pages, 1);
    EXPECT_EQ(CustomizeSheet::LastPageIndex(), pages - 1);
}

}  // namespace
