// The program's own frames: each gets the ribbon of the default layout, and the application's
// switch to classic mode shows the menu bar and tool bars in every frame.
#include "app/kvw32_app.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "mainframe/view_types.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "syspanel/parameter_controls.h"
#include "tests/support/main_frame_at.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class FrameRibbon : public SessionTest {};

CMainFrame* frameOf(HWND window) { return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(window)); }

TEST_F(FrameRibbon, ClassicModeShowsTheMenuBarAndToolBarsInEveryFrame) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    const auto frames = s.inspect().mainFrames();
    ASSERT_EQ(frames.size(), 2u);
    for (HWND window : frames) {
        CMainFrame* frame = frameOf(window);
        ASSERT_NE(frame->GetRibbonBar(), nullptr);
        EXPECT_GE(frame->GetRibbonBar()->GetTabCount(), 3);
        EXPECT_NE(frame->GetRibbonBar()->GetVarnelPopup(), nullptr);
    }
    CKvw32App::Instance()->SetRibbonMode(false);
    s.runUntilIdle();
    for (HWND window : frames) {
        CMainFrame* frame = frameOf(window);
        EXPECT_FALSE(frame->GetRibbonBar()->IsVisible());
        ASSERT_NE(frame->GetMenuBar(), nullptr);
        EXPECT_TRUE(frame->GetMenuBar()->IsVisible());
        EXPECT_TRUE(s.inspect().dumpRibbon(window).rfind(L"ribbon hidden", 0) == 0);
        int visibleToolBars = 0;
        CXTPCommandBars* bars = frame->GetCommandBars();
        for (int i = 0; i < bars->GetCount(); ++i)
            if (bars->GetAt(i)->GetType() == xtpBarTypeNormal && bars->GetAt(i)->IsVisible()) ++visibleToolBars;
        EXPECT_GT(visibleToolBars, 0);
    }
    // A ribbon control is out of reach now; the menu bar's controls are not.
    // (1243 is on no classic bar; 1029 would be, on the tabbed tool bar.)
    EXPECT_TRUE(s.user().clickControl(frames[0], 1243).has_value());
    CKvw32App::Instance()->SetRibbonMode(true);
    // 1243 asks for a library: the chooser is cancelled.
    s.user().expectDialog(202, {platform::core::DialogAction{}});
    EXPECT_EQ(s.user().clickControl(frames[0], 1243), std::nullopt);
}

// The default layout with `extra` put before the closing tag of the Parameters group, and the
// View tab tagged for welded drawings.
void EditDefaultLayout(Session& s, const std::string& extra) {
    const std::wstring path = s.files().programFile(L"DefaultLayout.xml");
    std::string layout = s.files().read(path).value();
    const auto tab = layout.find("<RibbonTab caption=\"&amp;View\"");
    ASSERT_NE(tab, std::string::npos);
    layout.insert(tab + 10, " tags=\"weld\"");
    const auto group = layout.find("</RibbonGroup>", layout.find("caption=\"Parameters\""));
    ASSERT_NE(group, std::string::npos);
    layout.insert(group, extra);
    s.files().write(path, layout);
}

Korvo::UI::RibbonTab* FindTab(KVRibbonBar& ribbon, const wchar_t* caption) {
    for (int t = 0; t < ribbon.GetTabCount(); ++t)
        if (ribbon.GetTab(t)->GetCaption() == caption) return dynamic_cast<Korvo::UI::RibbonTab*>(ribbon.GetTab(t));
    return nullptr;
}

CXTPControl* FindControl(KVRibbonBar& ribbon, int id) {
    CXTPControl* found = nullptr;
    ribbon.ForEachControl(
        [&](CXTPControl* control) {
            if (!found && control->GetID() == id) found = control;
        },
        true);
    return found;
}

TEST_F(FrameRibbon, EveryFrameStartsWithTaggedTabsHiddenAndItsParameterControlsReset) {
    Session s;
    EditDefaultLayout(s, "<Popup id=\"2042\" caption=\"Quality\"/>");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    HWND first = s.inspect().mainFrames().at(0);
    // The kernel enables the level edit in the first frame, as a command does.
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.EnableSyspanelControl(907, true); });
    HWND second = s.kernel().newMainFrame();
    ASSERT_NE(second, nullptr);
    s.runUntilIdle();
    for (HWND window : {first, second}) {
        KVRibbonBar& ribbon = *frameOf(window)->GetRibbonBar();
        // No document has the tag yet.
        ASSERT_NE(FindTab(ribbon, L"&View"), nullptr);
        EXPECT_FALSE(FindTab(ribbon, L"&View")->IsVisible());
        // The quality popup's value protocol was initialised: its reset gives quality 2.
        auto* quality = dynamic_cast<OptixQualityPopup*>(FindControl(ribbon, 2042));
        ASSERT_NE(quality, nullptr);
        EXPECT_EQ(*static_cast<const std::int32_t*>(quality->GetValue()), 2);
        for (int id : {904, 907, 909, 911, 914, 915}) {
            SCOPED_TRACE(id);
            ASSERT_NE(FindControl(ribbon, id), nullptr);
            EXPECT_TRUE(FindControl(ribbon, id)->GetFlags() & xtpFlagManualUpdate);
        }
    }
    // The second frame's parameter controls start as the first frame's did: disabled until the
    // kernel enables them.
    EXPECT_TRUE(FindControl(*frameOf(first)->GetRibbonBar(), 907)->GetEnabled());
    for (int id : {904, 907, 909, 911, 915}) EXPECT_FALSE(FindControl(*frameOf(second)->GetRibbonBar(), id)->GetEnabled());
}

}  // namespace

namespace {

using namespace platform::harness;

constexpr std::wstring_view kModelPath = L"C:\\Work\\model.grb";
constexpr std::wstring_view kSheetPath = L"C:\\Work\\sheet.grb";

class FrameRibbonViews : public SessionTest {
protected:
    // Two documents, each in its own window; the second is active.
    void StartWithTwoDocuments() {
        s.kernel().writeDocumentFile(kModelPath);
        s.kernel().writeDocumentFile(kSheetPath);
        s.start();
        s.runUntilIdle();
        frame = platform::harness::mainFrameAt(s);
        ASSERT_NE(frame, nullptr);
        for (std::wstring_view path : {kModelPath, kSheetPath}) {
            s.user().dde(L"[open(\"" + std::wstring(path) + L"\")]");
            s.runUntilIdle();
            CKvw32Doc* document = Korvo::DocumentManager::Instance().GetDocuments().back();
            if (!document->GetFrame()) {
                CDocTemplate* docTemplate = document->GetDocTemplate();
                CFrameWnd* child = docTemplate->CreateNewFrame(document, nullptr);
                ASSERT_NE(child, nullptr);
                docTemplate->InitialUpdateFrame(child, document);
            }
            windows.push_back(document->GetFrame());
        }
        s.runUntilIdle();
    }
    CKVView* ViewOf(CFrameWnd* child) { return DYNAMIC_DOWNCAST(CKVView, child->GetActiveView()); }
    CXTPRibbonTab* CurrentTab() { return frame->GetRibbonBar()->GetCurrentTab(); }

    Session s;
    CMainFrame* frame = nullptr;
    std::vector<CFrameWnd*> windows;
};

// The 3D tab of the sample layout is contextual and hidden until a view of its type is active.
TEST_F(FrameRibbonViews, ContextualTabsFollowTheActiveViewAndGoWithTheLastWindow) {
    StartWithTwoDocuments();
    ASSERT_EQ(windows.size(), 2u);
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    Korvo::UI::RibbonTab* modelTab = ribbon->FindTabByGuid(k3DRibbonContext);
    ASSERT_NE(modelTab, nullptr);
    EXPECT_FALSE(modelTab->IsVisible());
    ViewOf(windows[0])->SetTypeGuid(k3DRibbonContext);

    frame->MDIActivate(windows[0]);
    s.runUntilIdle();
    EXPECT_TRUE(modelTab->IsVisible());
    EXPECT_EQ(ribbon->GetCurrentTab(), modelTab);
    // The program's own tab change is not the user's choice for the view: nothing is recorded.
    EXPECT_EQ(ViewOf(windows[0])->GetStoredTabGuid(), GUID{});
    EXPECT_EQ(ViewOf(windows[0])->GetMainBarSwitchHistory().GetEventCount(), 0);

    // A view without a type of its own brings the default tab back and hides the contextual one.
    frame->MDIActivate(windows[1]);
    s.runUntilIdle();
    EXPECT_FALSE(modelTab->IsVisible());
    EXPECT_EQ(CurrentTab(), ribbon->GetTab(0));

    frame->MDIActivate(windows[0]);
    s.runUntilIdle();
    ASSERT_EQ(ribbon->GetCurrentTab(), modelTab);
    // No window left: the default context holds and the contextual tab goes.
    for (CFrameWnd* child : windows) child->DestroyWindow();
    s.runUntilIdle();
    EXPECT_EQ(frame->GetActiveKorvoView(), nullptr);
    EXPECT_FALSE(modelTab->IsVisible());
    EXPECT_EQ(CurrentTab(), ribbon->GetTab(0));
}

// A tab the user picks is the view's choice: it comes back with the view, where the view's own
// type would have chosen another; a view that keeps no history stores the tab instead.
TEST_F(FrameRibbonViews, TheUsersTabPickGoesIntoTheViewsHistoryAndComesBackWithTheView) {
    StartWithTwoDocuments();
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    Korvo::UI::RibbonTab* modelTab = ribbon->FindTabByGuid(k3DRibbonContext);
    ASSERT_NE(modelTab, nullptr);
    auto* home = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->GetTab(0));
    ASSERT_NE(home, nullptr);
    ASSERT_NE(home->GetGuid(), GUID{});
    CKVView* view = ViewOf(windows[0]);
    view->SetTypeGuid(k3DRibbonContext);
    frame->MDIActivate(windows[0]);
    s.runUntilIdle();
    ASSERT_EQ(CurrentTab(), modelTab);

    ASSERT_EQ(s.user().selectTab(frame->GetSafeHwnd(), std::wstring(home->GetCaption().view())), std::nullopt);
    ASSERT_EQ(view->GetMainBarSwitchHistory().GetEventCount(), 1);
    EXPECT_EQ(view->GetMainBarSwitchHistory().GetTopEvent().tab, home->GetGuid());
    EXPECT_EQ(view->GetMainBarSwitchHistory().GetTopEvent().context, k3DRibbonContext);
    frame->MDIActivate(windows[1]);
    s.runUntilIdle();
    frame->MDIActivate(windows[0]);
    s.runUntilIdle();
    EXPECT_EQ(CurrentTab(), home);
    EXPECT_EQ(view->GetMainBarSwitchHistory().GetEventCount(), 1) << "the program's selections add nothing";

    CKVView* other = ViewOf(windows[1]);
    other->GetMainBarSwitchHistory().SetKeepsHistory(false);
    other->SetTypeGuid(k3DRibbonContext);
    frame->MDIActivate(windows[1]);
    s.runUntilIdle();
    ASSERT_EQ(CurrentTab(), modelTab);
    EXPECT_EQ(other->GetStoredTabGuid(), GUID{});
    ASSERT_EQ(s.user().selectTab(frame->GetSafeHwnd(), std::wstring(home->GetCaption().view())), std::nullopt);
    EXPECT_EQ(other->GetStoredTabGuid(), home->GetGuid());
}

// The 3D tab shows for a document with 3D content, and the analysis tab for a document the
// analysis part has a task for; neither becomes the selected tab by that alone.
TEST_F(FrameRibbonViews, TheThreeDTabFollowsTheDocumentsContentAndTheAnalysisTabItsTask) {
    StartWithTwoDocuments();
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    Korvo::UI::RibbonTab* modelTab = ribbon->FindTabByGuid(k3DRibbonContext);
    ASSERT_NE(modelTab, nullptr);
    auto* analysis = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->AddTab(L"Analysis"));
    ASSERT_NE(analysis, nullptr);
    analysis->SetGuid(kFeaRibbonContext);
    analysis->SetContextColor(xtpRibbonTabContextColorYellow);
    analysis->SetVisible(FALSE);
    // Both views have the default type, so the first tab is the target every time.
    for (CFrameWnd* child : windows) ViewOf(child)->SetTypeGuid(kDefaultRibbonContext);
    CKvw32Doc* model = dynamic_cast<CKvw32Doc*>(windows[0]->GetActiveDocument());
    CKvw32Doc* sheet = dynamic_cast<CKvw32Doc*>(windows[1]->GetActiveDocument());
    ASSERT_NE(model, nullptr);
    ASSERT_NE(sheet, nullptr);
    s.kernel().set3DContainerMode(model, 1);
    s.kernel().set3DContainerMode(sheet, 0);
    kvcae::I_FEA_Task_Manager::SetPresent(true);
    kvcae::I_FEA_Task_Manager::Instance()->SetTask(model, true);

    const auto activate = [&](CFrameWnd* child) {
        frame->MDIActivate(child);
        s.runUntilIdle();
    };
    activate(windows[0]);
    EXPECT_TRUE(modelTab->IsVisible());
    EXPECT_TRUE(analysis->IsVisible());
    EXPECT_EQ(CurrentTab(), ribbon->GetTab(0));
    activate(windows[1]);
    EXPECT_FALSE(modelTab->IsVisible()) << "a drawing without 3D content";
    EXPECT_FALSE(analysis->IsVisible()) << "a document without an analysis task";
    // A view of a type no tab has: the analysis tab shows, but is still not selected.
    ViewOf(windows[0])->SetTypeGuid(GUID{0x0BADF00D, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}});
    s.kernel().set3DContainerMode(model, 0);
    CXTPRibbonTab* before = CurrentTab();
    activate(windows[0]);
    EXPECT_TRUE(analysis->IsVisible());
    EXPECT_EQ(CurrentTab(), before);
    ViewOf(windows[0])->SetTypeGuid(kDefaultRibbonContext);
    s.kernel().set3DContainerMode(model, 1);
    // Without the analysis part no document has a task.
    kvcae::I_FEA_Task_Manager::SetPresent(false);
    activate(windows[1]);
    activate(windows[0]);
    EXPECT_TRUE(modelTab->IsVisible());
    EXPECT_FALSE(analysis->IsVisible());
}

// The context menus' reset items bring a tab or a group back to the default layout; a group
// without a default definition answers false.
TEST_F(FrameRibbonViews, ResetTabAndGroupReturnToTheDefaultLayout) {
    s.start();
    s.runUntilIdle();
    frame = platform::harness::mainFrameAt(s);
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    auto* home = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->GetTab(0));
    ASSERT_NE(home, nullptr);
    const int groups = home->GetGroupCount();
    ASSERT_GT(groups, 0);
    auto* group = dynamic_cast<Korvo::UI::RibbonGroup*>(home->GetGroup(0));
    const int controls = group->GetCount();
    group->GetControls()->RemoveAll();
    home->RemoveGroup(groups - 1);

    EXPECT_TRUE(frame->ResetRibbonGroup(group));
    EXPECT_EQ(group->GetCount(), controls);
    group->GetControls()->RemoveAll();
    EXPECT_TRUE(frame->ResetRibbonTab(home));
    EXPECT_EQ(home->GetGroupCount(), groups);
    EXPECT_EQ(home->GetGroup(0)->GetCount(), controls);

    auto* stray = dynamic_cast<Korvo::UI::RibbonGroup*>(home->AddGroup(L"Stray"));
    EXPECT_FALSE(frame->ResetRibbonGroup(stray));
    EXPECT_FALSE(frame->ResetRibbonGroup(nullptr));

    // A reset group that the active view does not want stays hidden.
    auto* wanted = dynamic_cast<Korvo::UI::RibbonGroup*>(home->GetGroup(0));
    ASSERT_NE(wanted, nullptr);
    const DWORD unwanted = kViewTypeProperty4;
    ASSERT_EQ(frame->GetViewTypeMask() & unwanted, 0u);
    wanted->SetViewTypes(unwanted);
    frame->UpdateViewDependentRibbonGroups();
    EXPECT_FALSE(wanted->IsVisible());
    EXPECT_TRUE(frame->ResetRibbonGroup(wanted));
    EXPECT_FALSE(wanted->IsVisible());
}

// The classic menu bar shows the system buttons of the active document window once the frame's
// size or place changes.
TEST_F(FrameRibbonViews, TheMenuBarRefreshesTheActiveWindowsSystemButtons) {
    StartWithTwoDocuments();
    CXTPMenuBar* menu = frame->GetMenuBar();
    ASSERT_NE(menu, nullptr);
    const int before = menu->GetSysButtonsRefreshCount();
    ::SendMessageW(frame->GetSafeHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(900, 700));
    EXPECT_GT(menu->GetSysButtonsRefreshCount(), before);
    EXPECT_EQ(menu->GetSysButtonsChild(), windows[1]->GetSafeHwnd());
    // Without a document window there is nothing to refresh.
    for (CFrameWnd* child : windows) child->DestroyWindow();
    const int after = menu->GetSysButtonsRefreshCount();
    ::SendMessageW(frame->GetSafeHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
    EXPECT_EQ(menu->GetSysButtonsRefreshCount(), after);
}

// The default layout's backstage tabs come from the frame's factory: pages by id or by name, the
// recent files under id 0 as the default item; anything else makes no tab.
TEST_F(FrameRibbonViews, TheBackstageTabsComeFromTheFramesFactory) {
    s.start();
    s.runUntilIdle();
    frame = platform::harness::mainFrameAt(s);
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    auto* view = dynamic_cast<CXTPRibbonBackstageView*>(ribbon->GetSystemButton()->GetCommandBar());
    ASSERT_NE(view, nullptr);
    const auto& tabs = view->GetTabs();
    ASSERT_EQ(tabs.size(), 4u);
    EXPECT_EQ(tabs[0].id, 0);
    EXPECT_EQ(tabs[0].flags, static_cast<DWORD>(xtpFlagManualUpdate));
    EXPECT_EQ(view->GetDefaultItem(), 0);
    EXPECT_EQ(tabs[1].id, 1072);
    EXPECT_EQ(tabs[2].id, 1027);
    EXPECT_EQ(tabs[2].caption, CString(L"Print"));
    EXPECT_EQ(tabs[3].id, 1036);

    EXPECT_FALSE(CreateBackstageTab(*view, 1037, L"", L"Other", *ribbon));
    EXPECT_FALSE(CreateBackstageTab(*view, 57607, L"printdialog", L"Print", *ribbon));
    EXPECT_TRUE(CreateBackstageTab(*view, 1551, L"", L"To the PDM system", *ribbon));
    EXPECT_EQ(view->GetTabs().size(), 5u);
}

}  // namespace
