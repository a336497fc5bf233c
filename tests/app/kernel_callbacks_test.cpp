// The kernel's callback object as the kernel drives it: edition answers, empty answers without a
// main frame, frame-wide requests reaching every frame in the UI module's order, tools-mode menus,
// crash flags, help, message bars, frames and the answers for panes this edition never makes.
#include <algorithm>
#include <utility>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Utf8;

struct NamedAnswer {
    const wchar_t* operation;
    std::vector<std::wstring> arguments;
    const wchar_t* answer;
};

class KernelCallbacks : public SessionTest {
protected:
    void Start() {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
    }
    void ExpectAnswers(const std::vector<NamedAnswer>& table) {
        for (const NamedAnswer& row : table) {
            EXPECT_EQ(s.kernel().callback(row.operation, row.arguments), row.answer) << Utf8(row.operation);
        }
    }
    static CMainFrame* Frame(HWND window) { return DYNAMIC_DOWNCAST(CMainFrame, CWnd::FromHandle(window)); }
    // The top-level menu ids of a frame's menu bar.
    static std::vector<int> MenuIds(HWND window) {
        std::vector<int> ids;
        CXTPControls* controls = Frame(window)->GetMenuBarControls();
        for (int i = 0; controls && i < controls->GetCount(); ++i) ids.push_back(controls->GetAt(i)->GetID());
        return ids;
    }
    static bool HasItem(HWND window, int id) {
        const std::vector<int> ids = MenuIds(window);
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    }

    Session s;
};

TEST_F(KernelCallbacks, EditionQueriesAnswerAsTheViewerEdition) {
    Start();
    ExpectAnswers({{L"IsShellEditionFeature", {}, L"true"},
                   {L"IsViewerEdition", {}, L"true"},
                   {L"IsEditionFeatureOff", {}, L"false"},
                   {L"IsEdition128", {}, L"false"},
                   {L"IsEdition256", {}, L"false"},
                   {L"IsEdition512", {}, L"false"},
                   {L"CanLoadWorkSessionFiles", {}, L"true"},
                   {L"IsGrsDocumentsShown", {}, L"false"},
                   {L"GetProductFlags", {}, L"0x20001"},
                   {L"IsMardel", {}, L"false"}});
    // The partner product adds its own flag.
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        GlobalContainer::InitSessionLocale(L"ENG", true, KorvoOemProduct::Mardel);
        DWORD flags = 0;
        EXPECT_EQ(kernel.GetProductFlags(flags), 0x30001u);
        EXPECT_EQ(flags, 0x30001u);
        EXPECT_TRUE(kernel.IsMardel());
    });
}

TEST_F(KernelCallbacks, WithoutAMainFrameEveryFrameOperationAnswersEmptyAndChangesNothing) {
    // Before start-up no main frame exists; the callback object does already.
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        EXPECT_EQ(kernel.GetSyspanelCurrentId(), 0xFFFFFFFFu);  // 0 would be a real filter set
        CString text = L"stale";
        kernel.GetFontComboText(text, 0xFFFFFFFF);
        EXPECT_TRUE(text.IsEmpty());
        double measure = 1.5;
        int value = 7;
        bool checked = true, disabled = true;
        EXPECT_FALSE(kernel.UnpackSyspanelDoubleVar(907, measure));
        EXPECT_FALSE(kernel.UnpackSyspanelIntVar(907, value));
        EXPECT_FALSE(kernel.GetSyspanelControlIntValue(904, value));
        EXPECT_FALSE(kernel.GetSyspanelControlState(904, checked, disabled));
        EXPECT_EQ(measure, 1.5);
        EXPECT_EQ(value, 7);
        EXPECT_EQ(kernel.GetSyspanelControlData(904), nullptr);
        EXPECT_EQ(kernel.GetSyspanelValue2042(), 0);  // no quality popup: no value
        EXPECT_FALSE(kernel.IsToolBarVisible(1063));
        EXPECT_EQ(kernel.GetMainBarTabCount(), 0);
        EXPECT_FALSE(kernel.ShowEmbeddedHelp(L"page", 0));
        EXPECT_FALSE(kernel.HideEmbeddedHelp());
        EXPECT_FALSE(kernel.IsAnalysisPaneOpen());
        EXPECT_FALSE(kernel.IsPane826Open());
        EXPECT_EQ(kernel.ShowMessageBar(5, L"Title", L"Text"), nullptr);
        EXPECT_EQ(kernel.GetActiveFrameMemberA(), nullptr);
        EXPECT_EQ(kernel.GetActiveFrameMemberB(), nullptr);
        EXPECT_EQ(kernel.GetStatusLineProxy(), nullptr);
        EXPECT_EQ(kernel.GetFrameTabsState(nullptr), nullptr);
        EXPECT_EQ(kernel.GetActiveBackstageTabId(nullptr), 0xFFFFFFFFu);
        CString section;
        kernel.GetWindowsProfileCurrentSectionName(section);
        EXPECT_TRUE(section.IsEmpty());
        // Frame-wide requests find no frame to reach.
        kernel.SetSyspanelControls({{904, 0, 0}});
        kernel.set_syspanel_int(nullptr, 904, 3);
        kernel.set_syspanel_cstr(nullptr, 914, L"Arial");
        kernel.SetSyspanelButtonStatus(904, true, false);
        kernel.DisableSyspanelControls();
        kernel.SyspanelStatusChanged();
        kernel.ShowVarnelWindows(true);
        kernel.CloseMessageBar(5);
        kernel.RedrawCommandBars();
        kernel.StartTechRequirementsLeaders();
    });
    EXPECT_TRUE(s.inspect().mainFrames().empty());
}

TEST_F(KernelCallbacks, PanesThisEditionNeverMakesStayAbsentWhenAskedAgain) {
    Start();
    CWnd* errorWindow = CKvw32App::Instance()->GetErrorWindow();
    ASSERT_NE(errorWindow, nullptr) << "the diagnostics pane's window comes with the first frame";
    s.kernel().callback([errorWindow](KorvoServerAppProxy& kernel) {
        for (int round = 0; round < 2; ++round) {
            kernel.QueryAbsentPane();
            kernel.QueryAbsentPaneB();
            EXPECT_EQ(kernel.GetAbsentPaneA(), nullptr);
            EXPECT_EQ(kernel.GetAbsentPaneC(), nullptr);
            EXPECT_EQ(kernel.GetAbsentPaneD(), nullptr);
            EXPECT_EQ(kernel.GetAbsentPaneE(), nullptr);
            EXPECT_EQ(kernel.GetAbsentPaneF(), nullptr);
            EXPECT_EQ(kernel.GetBirdsEyeView(), nullptr);
            EXPECT_EQ(kernel.GetErrorWindow(), errorWindow);
            // No document's messages were shown yet: the library's diagnostics window is not open.
            EXPECT_EQ(kernel.GetDiagnosticsWindow(), nullptr);
        }
    });
    // Pane windows the edition does have are made on demand, once.
    const std::wstring first = s.kernel().callback(L"GetModelTreeWindow", {});
    EXPECT_EQ(first.rfind(L"window 0x", 0), 0u) << Utf8(first);
    EXPECT_EQ(s.kernel().callback(L"GetModelTreeWindow", {}), first);
}

TEST_F(KernelCallbacks, CommandIdsRegisteredNamesAndResourceIds) {
    Start();
    ExpectAnswers({{L"IsApplicationCommandId", {L"16999"}, L"false"},
                   {L"IsApplicationCommandId", {L"17000"}, L"true"},
                   {L"IsApplicationCommandId", {L"32000"}, L"true"},
                   {L"IsApplicationCommandId", {L"32001"}, L"false"},
                   {L"IsRegisteredName", {L"MyTool"}, L"false"},
                   {L"AddRegisteredName", {L"MyTool"}, L"done"},
                   {L"IsRegisteredName", {L"MYTOOL"}, L"true"},
                   {L"IsClipartControlId", {L"11000"}, L"false"}});
    const std::wstring resource = s.kernel().callback(L"GetMainResourceId", {});
    EXPECT_EQ(s.kernel().callback(L"SetMainResourceId", {L"4242"}), resource);
    EXPECT_EQ(s.kernel().callback(L"GetMainResourceId", {}), L"4242");
    s.kernel().callback([](KorvoServerAppProxy& kernel) { EXPECT_EQ(kernel.GetSelectedCamera(nullptr), nullptr); });
}

TEST_F(KernelCallbacks, CrashFlagsHelpAndTheErrorReportAddress) {
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nBugReportAddress=support@example.com\n");
    Start();
    ExpectAnswers({{L"IsCrashFlagSet", {}, L"false"},
                   {L"IsRestartRequested", {}, L"false"},
                   {L"SetCrashFlag", {}, L"done"},
                   {L"IsCrashFlagSet", {}, L"true"},
                   {L"IsRestartRequested", {}, L"false"},
                   {L"GetBugReportAddress", {}, L"\"support@example.com\""}});
    const std::wstring helpId = s.kernel().callback(L"GetCurrentHelpId", {});
    EXPECT_EQ(s.kernel().callback(L"SetHelpContext", {L"4100", L"Other.chm"}), helpId);
    EXPECT_EQ(s.kernel().callback(L"GetCurrentHelpId", {}), L"4100");
}

TEST_F(KernelCallbacks, FrameQuestionsTakeOnlyMainFrames) {
    Start();
    HWND frame = s.inspect().mainFrames().at(0);
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        CWnd* window = CWnd::FromHandle(frame);
        EXPECT_NE(kernel.GetRibbonBarOfFrame(window), nullptr);
        EXPECT_NE(kernel.GetFrameCommandBars(window), nullptr);
        EXPECT_NE(kernel.GetFrameToolsData(window), nullptr);
        // A window that is no main frame (the pane windows' hidden host) is not taken for one.
        CWnd* other = kernel.GetModelTreeWindow()->GetParent();
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(kernel.GetRibbonBarOfFrame(other), nullptr);
        EXPECT_EQ(kernel.GetFrameCommandBars(other), nullptr);
        EXPECT_EQ(kernel.GetFrameToolsData(nullptr), nullptr);
        EXPECT_EQ(kernel.GetActiveBackstageTabId(window), 0xFFFFFFFFu);
        EXPECT_NE(kernel.GetActiveFrameMemberA(), nullptr);
        EXPECT_NE(kernel.GetStatusLineProxy(), nullptr);
        EXPECT_NE(kernel.GetStaticObject(), nullptr);
    });
    EXPECT_EQ(s.kernel().callback(L"GetSyspanelCurrentId", {}), L"-1");  // the panel shows no filter set
    EXPECT_EQ(s.kernel().callback(L"CreateMainFrame", {}).rfind(L"window 0x", 0), 0u);
    EXPECT_EQ(s.inspect().mainFrames().size(), 2u);
}

TEST_F(KernelCallbacks, MessageBarsAreShownInTheActiveFrameAndClosedInEvery) {
    Start();
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        Korvo::UI::MessageBar* bar = kernel.ShowMessageBar(77, L"Title", L"Text");
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(kernel.IsValidMessageBar(bar));
        EXPECT_EQ(kernel.GetMessageBarId(bar), 77u);
        EXPECT_EQ(kernel.GetMessageBarId(nullptr), 0u);
        kernel.CloseMessageBar(77);
        EXPECT_FALSE(kernel.IsValidMessageBar(bar));
        EXPECT_EQ(kernel.GetMessageBarTag(bar), 0);
        kernel.CloseMessageBarObject(bar);  // no longer valid: nothing happens
    });
}

TEST_F(KernelCallbacks, MenuRequestsOutsideToolsModeChangeNothing) {
    Start();
    HWND frame = s.inspect().mainFrames().at(0);
    const std::vector<int> before = MenuIds(frame);
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        EXPECT_FALSE(kernel.InsertUserMenuItem(L"Tool", 20001, 0, 0, 0, 0));
        EXPECT_FALSE(kernel.InsertUserPopupMenu(L"Tools", nullptr, 0, 0, 0, L"MyTools", 0));
        EXPECT_FALSE(kernel.RemoveUserPopupMenu(L"MyTools"));
        EXPECT_EQ(kernel.ShowApplicationClipart(L"MyApp", 11000, L"Clipart"), nullptr);
    });
    EXPECT_EQ(MenuIds(frame), before);
}

TEST_F(KernelCallbacks, FrameWideRequestsReachEveryFrameInTheUIModulesOrderAndStopAtAFailure) {
    Start();
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    const std::vector<HWND> frames = s.inspect().mainFrames();
    ASSERT_EQ(frames.size(), 3u);
    s.kernel().setToolsMode(true);
    // Mode 0: at the given index of the menu bar itself.
    s.kernel().callback([](KorvoServerAppProxy& kernel) { EXPECT_TRUE(kernel.InsertUserMenuItem(L"Tool", 20001, 0, 0, 0, 0)); });
    for (HWND frame : frames) EXPECT_EQ(MenuIds(frame).front(), 20001);

    // The second frame lacks the Help menu the next item goes before: the first frame takes it,
    // the second refuses, and the third is never asked.
    CXTPControls* second = Frame(frames[1])->GetMenuBarControls();
    second->Remove(second->FindControl(57664));
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        EXPECT_FALSE(kernel.InsertUserMenuItem(L"Before help", 20002, 57664, 1, 0x400, 0));
    });
    EXPECT_TRUE(HasItem(frames[0], 20002));
    EXPECT_FALSE(HasItem(frames[1], 20002));
    EXPECT_FALSE(HasItem(frames[2], 20002));
}

TEST_F(KernelCallbacks, CallsFromAWorkerThreadAnswerToo) {
    Start();
    EXPECT_EQ(s.kernel().callback(L"IsViewerEdition", {}, true), L"true");
    EXPECT_EQ(s.kernel().callback(L"GetRegistryCompanyName", {}, true), L"\"Velmora\"");
}

TEST_F(KernelCallbacks, CallsByNameRefuseWhatDoesNotFit) {
    Start();
    EXPECT_THROW(s.kernel().callback(L"NoSuchOperation", {}), std::invalid_argument);
    EXPECT_THROW(s.kernel().callback(L"IsApplicationCommandId", {}), std::invalid_argument);
    EXPECT_THROW(s.kernel().callback(L"IsApplicationCommandId", {L"ten"}), std::invalid_argument);
    EXPECT_THROW(s.kernel().callback(L"IsViewerEdition", {L"1"}), std::invalid_argument);
    EXPECT_THROW(s.kernel().callback(L"SetCurrentDocument", {L"3"}), std::invalid_argument);  // no third document
}

TEST_F(KernelCallbacks, StartingTheLeadersPostsTheTitleBlockNotesCommandToTheActiveFrame) {
    const std::wstring refused = L"warning disabled command 823 not executed";
    // No frame yet: nothing to post to.
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.StartTechRequirementsLeaders(); });
    EXPECT_FALSE(apptest::Contains(apptest::Lines(s), L"823"));
    Start();
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.StartTechRequirementsLeaders(); });
    // Posted, not sent: the frame meets it only when its queue runs; without a document its
    // update pass refuses the command, which is how the arrival shows.
    EXPECT_FALSE(apptest::Contains(apptest::Lines(s), refused));
    s.runUntilIdle();
    const std::vector<std::wstring> lines = apptest::Lines(s);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), refused), 1);
}

}  // namespace

namespace {

// A layout that marks the Help menu as where add-ons put their help items.
TEST_F(KernelCallbacks, HelpItemsGoToTheMenuTheLayoutAnchorsInEveryFrame) {
    const std::wstring layout = s.files().programFile(L"DefaultLayout.xml");
    std::string text = s.files().read(layout).value();
    const std::string help = "<Popup id=\"57664\" caption=\"&amp;Help\">";
    ASSERT_NE(text.find(help), std::string::npos);
    text.replace(text.find(help), help.size(), "<Popup id=\"57664\" caption=\"&amp;Help\" anchor=\"help\">");
    s.files().write(layout, text);
    Start();
    // A second frame is built from the first one's menu bar: the anchor goes with it.
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    s.kernel().setToolsMode(true);
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        EXPECT_TRUE(kernel.InsertUserMenuItem(L"Add-on help", 20012, 0, 6, 0, 1));
    });
    for (HWND window : s.inspect().mainFrames()) {
        CXTPControl* menu = Frame(window)->GetMenuBarControls()->FindControl(57664);
        ASSERT_NE(menu, nullptr);
        ASSERT_NE(menu->GetCommandBar(), nullptr);
        CXTPControls* items = menu->GetCommandBar()->GetControls();
        // Among the sample's two help items, at the index the add-on gave.
        ASSERT_EQ(items->GetCount(), 3);
        EXPECT_EQ(items->GetAt(1)->GetID(), 20012);
        EXPECT_EQ(items->GetAt(1)->GetCaption(), CString(L"Add-on help"));
    }
}

}  // namespace
