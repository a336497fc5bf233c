// The main windows' state file: the panes' layouts written per frame into the settings profile's
// "state.xml", and applied to the frames (new ones made for more windows) at the next start.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

constexpr std::wstring_view kStateFile =
    L"C:\\Users\\user\\AppData\\Local\\Velmora\\Korvo CAD 18.0\\Profiles\\Default\\MainFrame\\state.xml";
constexpr std::wstring_view kMainFrameSection = L"Software\\Velmora\\Korvo CAD 18.0\\Profiles\\Default\\MainFrame";

// A "MainWindow" element whose docking panes show the model tree alone, or with `open` docked
// in its group and selected.
std::string Window(int open) {
    std::string panes = "<Pane ID=\"1006\" State=\"0\" Direction=\"0\" Selected=\"" +
                        std::string(open ? "false" : "true") + "\"/>";
    if (open) panes += "<Pane ID=\"" + std::to_string(open) + "\" State=\"0\" Group=\"1006\" Selected=\"true\"/>";
    return "<MainWindow><codejock><normalLayout><DockingPane>" + panes +
           "</DockingPane></normalLayout></codejock></MainWindow>";
}

class StateFileTest : public SessionTest {
protected:
    void Seed(const std::string& root, bool useStateFile = true) {
        s.files().write(kStateFile, "<?xml version=\"1.0\"?>\n" + root);
        if (useStateFile) s.registry().setDword(L"HKEY_CURRENT_USER", kMainFrameSection, L"UseStateFile", 1);
    }
    void Start() {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
    }
    CMainFrame* Frame(std::size_t index) {
        return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(s.inspect().mainFrames().at(index)));
    }
    static std::vector<UINT> OpenPanes(CMainFrame* frame) {
        std::vector<UINT> open;
        for (const CXTPDockingPane* pane : frame->GetPaneManager().GetPaneList())
            if (!pane->IsClosed()) open.push_back(pane->GetID());
        return open;
    }

    Session s;
};

TEST_F(StateFileTest, EachWindowOfTheFileGoesToAFrameAndFramesAreMadeForTheRest) {
    Seed("<state product=\"Viewer\">" + Window(1008) + Window(1031) + Window(0) + "</state>");
    Start();
    ASSERT_EQ(s.inspect().mainFrames().size(), 3u);
    EXPECT_EQ(OpenPanes(Frame(0)), (std::vector<UINT>{1006, 1008}));
    EXPECT_EQ(OpenPanes(Frame(1)), (std::vector<UINT>{1006, 1031}));
    EXPECT_EQ(OpenPanes(Frame(2)), (std::vector<UINT>{1006}));
    // A pane of the saved group is selected and hosts its window in the new frame.
    const CXTPDockingPane* layers = Frame(1)->GetPaneManager().FindPane(1031);
    ASSERT_NE(layers, nullptr);
    EXPECT_TRUE(layers->IsSelected());
    EXPECT_TRUE(layers->IsValid());
    EXPECT_NE(indexOf(logs(s), L"2 Loaded state in "), -1);
}

TEST_F(StateFileTest, AFileOfAnotherProductOrWithoutTheProfilesWordLoadsNothing) {
    Seed("<state product=\"Other\">" + Window(1008) + Window(1031) + "</state>");
    Start();
    EXPECT_EQ(s.inspect().mainFrames().size(), 1u);
    EXPECT_EQ(OpenPanes(Frame(0)), (std::vector<UINT>{1006, 1022, 1004, 1007}));
    // Without "UseStateFile" the file is not even read.
    CKvw32App* app = CKvw32App::Instance();
    Seed("<state>" + Window(1008) + "</state>", false);
    s.registry().setDword(L"HKEY_CURRENT_USER", kMainFrameSection, L"UseStateFile", 0);
    EXPECT_FALSE(app->LoadState(nullptr, false));
    EXPECT_EQ(OpenPanes(Frame(0)), (std::vector<UINT>{1006, 1022, 1004, 1007}));  // the first frame's own panes, untouched
    // Another root is no state file at all.
    Seed("<other>" + Window(1008) + "</other>", false);
    EXPECT_FALSE(app->LoadState(nullptr, true));
    EXPECT_EQ(OpenPanes(Frame(0)), (std::vector<UINT>{1006, 1022, 1004, 1007}));
    // ... unless the caller ignores it; only "MainWindow" elements count as windows.
    Seed("<state><Toolbars/>" + Window(1008) + "</state>", false);
    EXPECT_TRUE(app->LoadState(nullptr, true));
    EXPECT_EQ(s.inspect().mainFrames().size(), 1u);
    EXPECT_EQ(OpenPanes(Frame(0)), (std::vector<UINT>{1006, 1008}));
}

TEST_F(StateFileTest, SavingWritesOneWindowPerFrameAndFramesBeyondTheFileTakeTheLast) {
    // Asked while the program starts, nothing is written: there is no state of the user's yet.
    std::optional<bool> savedEarly;
    s.kernel().whileApplicationsStart([&](bool firstPhase) {
        if (firstPhase) savedEarly = CKvw32App::Instance()->SaveState();
    });
    Start();
    EXPECT_EQ(savedEarly, true);
    EXPECT_FALSE(s.files().exists(kStateFile));
    EXPECT_EQ(s.registry().getDword(L"HKEY_CURRENT_USER", kMainFrameSection, L"UseStateFile").value_or(0u), 0u);
    CKvw32App* app = CKvw32App::Instance();
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    Frame(1)->GetPaneManager().ShowPane(1029, FALSE);
    ASSERT_TRUE(app->SaveState());
    const std::optional<std::string> saved = s.files().read(kStateFile);
    ASSERT_TRUE(saved);
    EXPECT_NE(saved->find("<state product=\"Viewer\">"), std::string::npos);
    std::size_t windows = 0;
    for (std::size_t at = saved->find("<MainWindow "); at != std::string::npos; at = saved->find("<MainWindow ", at + 1))
        ++windows;
    EXPECT_EQ(windows, 2u);
    EXPECT_EQ(s.registry().getDword(L"HKEY_CURRENT_USER", kMainFrameSection, L"UseStateFile"), 1u);

    // One window in the file and three frames: the file's window goes to all of them.
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    Seed("<state>" + Window(1031) + "</state>");
    ASSERT_TRUE(app->LoadState(nullptr, false));
    for (std::size_t index = 0; index < 3; ++index)
        EXPECT_EQ(OpenPanes(Frame(index)), (std::vector<UINT>{1006, 1031})) << index;
}

TEST_F(StateFileTest, AMalformedFileIsReportedAndLeavesTheFramesAsTheyAre) {
    Seed("<state><MainWindow>");
    Start();
    const std::vector<std::wstring> warnings = s.journal().texts("warning");
    ASSERT_FALSE(warnings.empty());
    EXPECT_NE(warnings.front().find(L"state.xml"), std::wstring::npos) << warnings.front();
    EXPECT_EQ(OpenPanes(Frame(0)), (std::vector<UINT>{1006, 1022, 1004, 1007}));
    EXPECT_EQ(indexOf(logs(s), L"2 Loaded state in "), -1);
}

}  // namespace
