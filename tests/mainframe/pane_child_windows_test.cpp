// The pane windows that host a UI library control: made with the control filling them, the
// pane's icon bound in the active frame, and showing, pane attachment and layout values passed
// on to the control.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/kvw32_app.h"
#include "mainframe/panes/docking_pane_manager.h"
#include "mainframe/panes/document_pane_windows.h"
#include "tests/support/main_frame_at.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class PaneChildWindowsTest : public SessionTest {
protected:
    void SetUp() override {
        // Both windows are left out at start-up, so they are made while a frame is active.
        s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nDockingPanes=!modelElements,!assemblyStructure\n");
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        app = CKvw32App::Instance();
        app->EnableDockingPaneWindow(L"modelElements", true);
        app->EnableDockingPaneWindow(L"assemblyStructure", true);
    }
    Session s;
    CKvw32App* app = nullptr;
};

TEST_F(PaneChildWindowsTest, TheControlFillsTheWindowAndFollowsItsSize) {
    auto* window = dynamic_cast<CModelElementsListWnd*>(app->GetDockingPaneWindow(1022, true));
    ASSERT_NE(window, nullptr);
    CModelElementsList& list = window->GetList();
    ASSERT_NE(list.GetSafeHwnd(), nullptr);
    EXPECT_EQ(list.GetDlgCtrlID(), 100);
    EXPECT_EQ(::GetParent(list.GetSafeHwnd()), window->GetSafeHwnd());
    EXPECT_GE(indexOf(calls(s), L"UIModuleProxy::BindCommandIcon(1022, 795)"), 0);

    window->MoveWindow(0, 0, 240, 180);
    RECT placed{};
    list.GetClientRect(&placed);
    EXPECT_EQ(placed.right, 240);
    EXPECT_EQ(placed.bottom, 180);

    auto* assembly = dynamic_cast<AssemblyStructureWindow*>(app->GetDockingPaneWindow(1023, true));
    ASSERT_NE(assembly, nullptr);
    EXPECT_TRUE(assembly->GetControlSite().GetStyle() & WS_CLIPCHILDREN);
    EXPECT_GE(indexOf(calls(s), L"UIModuleProxy::BindCommandIcon(1023, 796)"), 0);
}

TEST_F(PaneChildWindowsTest, ShowingThemesAttachmentAndLayoutValuesReachTheControl) {
    auto* window = dynamic_cast<AssemblyStructureWindow*>(app->GetDockingPaneWindow(1023, true));
    ASSERT_NE(window, nullptr);
    window->ShowWindow(SW_HIDE);
    EXPECT_GE(indexOf(calls(s), L"Korvo::UI::AssemblyStructureControlSite::OnShow(false)"), 0);

    Korvo::UI::Theme theme;
    theme.name = L"office2016black";
    window->SetTheme(theme);
    EXPECT_EQ(std::wstring(window->GetControlSite().GetThemeName()), L"office2016black");

    CKVDockingPaneManager manager;
    ASSERT_TRUE(manager.InstallDockingPanes(platform::harness::mainFrameAt(s)));
    auto* pane = dynamic_cast<Korvo::UI::DockingPane*>(manager.CreatePane(1023, RECT{0, 0, 100, 100}, xtpPaneDockRight));
    ASSERT_NE(pane, nullptr);
    pane->AttachChild(window);
    EXPECT_EQ(window->GetControlSite().GetOptionsUpdates(), 1);

    // The control's own values travel with the pane in a saved layout.
    window->GetControlSite().SetColumnWidths(L"120,80");
    CXTPPropExchangeXMLNode stored(FALSE, L"Layout");
    auto layout = manager.CreateLayout();
    manager.GetLayout(layout.get());
    ASSERT_TRUE(layout->DoPropExchange(&stored));
    window->GetControlSite().SetColumnWidths(L"");
    CXTPPropExchangeXMLNode loaded(TRUE, L"Layout");
    ASSERT_TRUE(loaded.LoadFromString(std::wstring_view(stored.SaveToString()), L"layout"));
    auto restored = manager.CreateLayout();
    ASSERT_TRUE(restored->DoPropExchange(&loaded));
    manager.SetLayout(restored.get());
    EXPECT_EQ(std::wstring(window->GetControlSite().GetColumnWidths()), L"120,80");
    manager.ReturnPaneWindows();
}

TEST_F(PaneChildWindowsTest, TheProductStructureWindowDrivesTheKernelsEditor) {
    // No creator of this edition makes it; an edition that has the pane makes it this way.
    auto window = std::make_unique<CProductStructWnd>();
    window->Refresh();  // no window yet: the editor is not asked
    ASSERT_TRUE(window->Create(L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0},
                               app->GetDockingPaneDummyWindow(), CProductStructWnd::kPaneId, nullptr));
    window->MoveWindow(0, 0, 300, 200);
    window->OnAttachedToPane(nullptr);
    window->SetTheme(Korvo::UI::Theme{0, L"office2016white", L"White"});
    window->Refresh();
    window->OnDocumentClosed(nullptr);
    window->DestroyWindow();
    window.reset();
    const std::vector<std::wstring> journal = calls(s);
    const long long bound = indexOf(journal, L"UIModuleProxy::BindCommandIcon(1020, 1553)");
    const long long resized = indexOf(journal, L"ProductStructEditorProxy::Resize(300, 200)");
    const long long attached = indexOf(journal, L"ProductStructEditorProxy::Attach(");
    const long long themed = indexOf(journal, L"ProductStructEditorProxy::SetTheme(\"office2016white\")");
    const long long refreshed = indexOf(journal, L"ProductStructEditorProxy::Refresh()");
    const long long closed = indexOf(journal, L"ProductStructEditorProxy::OnDocumentClosed(");
    const long long detached = indexOf(journal, L"ProductStructEditorProxy::Detach()");
    EXPECT_GE(bound, 0);
    EXPECT_LT(bound, resized);
    EXPECT_LT(resized, attached);
    EXPECT_LT(attached, themed);
    EXPECT_LT(themed, refreshed);
    EXPECT_LT(refreshed, closed);
    EXPECT_LT(closed, detached);
    EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                            [](const std::wstring& call) { return call == L"ProductStructEditorProxy::Refresh()"; }),
              1);
}

}  // namespace

namespace {

// The kernel changed the elements' visual states: both windows that show them follow, and a
// window not made yet is not made for it.
TEST_F(PaneChildWindowsTest, ChangedVisualStatesReachTheAssemblyAndTheModelElements) {
    s.kernel().callback(L"OnChangeVisualItemStates", {});
    EXPECT_EQ(app->GetModelElementsWindow(false), nullptr);
    ASSERT_NE(app->GetDockingPaneWindow(1022, true), nullptr);
    ASSERT_NE(app->GetDockingPaneWindow(1023, true), nullptr);
    s.kernel().callback(L"OnChangeVisualItemStates", {});
    const std::vector<std::wstring> journal = calls(s);
    const int assembly = indexOf(journal, L"Korvo::UI::AssemblyStructureControlSite::OnChangeVisualItemStates()");
    const int elements = indexOf(journal, L"CModelElementsList::Refresh()");
    EXPECT_GE(assembly, 0);
    EXPECT_GT(elements, assembly);
}

}  // namespace

namespace {

// The kernel asks to show its selection in the assembly tree: only for a document with a 3D model,
// and only once the tree's window exists; a change of PDM states reaches the tree the same way.
TEST_F(PaneChildWindowsTest, TheAssemblyTreeShowsTheSelectionOfA3DDocumentOnceItExists) {
    CKvw32Doc drawing, model;
    s.kernel().set3DContainerMode(&model, 1);
    const auto show = [&](CKvw32Doc* document) {
        s.kernel().callback([&](KorvoServerAppProxy& kernel) { kernel.ShowSelectionInAssemblyTree(document); });
    };
    const auto shown = [&] {
        const std::vector<std::wstring> journal = calls(s);
        return std::count_if(journal.begin(), journal.end(), [](const std::wstring& call) {
            return call.rfind(L"Korvo::UI::AssemblyStructureControlSite::ShowSelection(", 0) == 0;
        });
    };
    show(&model);
    s.kernel().callback(L"OnChangeVarnelItemStates", {});
    EXPECT_EQ(app->GetDockingPaneWindow(1023, false), nullptr) << "not made for the request";
    EXPECT_EQ(shown(), 0);
    ASSERT_NE(app->GetDockingPaneWindow(1023, true), nullptr);
    show(&drawing);
    show(nullptr);
    EXPECT_EQ(shown(), 0) << "no 3D model, no document";
    show(&model);
    EXPECT_EQ(shown(), 1);
    s.kernel().callback(L"OnChangeVarnelItemStates", {});
    EXPECT_GE(indexOf(calls(s), L"Korvo::UI::AssemblyStructureControlSite::OnChangeVarnelRepositoryItemStates()"), 0);
}

}  // namespace
