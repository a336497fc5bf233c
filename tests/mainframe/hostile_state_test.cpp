// A state file made to hurt, applied at start-up: thousands of panes the program never makes,
// thousands of hidden documents in the documents menu's values, rectangles at the integer limits.
// Start-up takes time in proportion to the file and keeps only what the program can show.
#include <gtest/gtest.h>

#include <chrono>

#include "mainframe/main_frame.h"
#include "tests/support/main_frame_at.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

constexpr std::wstring_view kStateFile =
    L"C:\\Users\\user\\AppData\\Local\\Velmora\\Korvo CAD 18.0\\Profiles\\Default\\MainFrame\\state.xml";
constexpr std::wstring_view kMainFrameSection = L"Software\\Velmora\\Korvo CAD 18.0\\Profiles\\Default\\MainFrame";
constexpr const char* kSamplesLibrary = "6F1C2A40-8D3B-4E55-9A61-0B7C3D2E1F01";

class HostileStateTest : public SessionTest {
protected:
    void Seed(const std::string& panes) {
        s.files().write(kStateFile, "<?xml version=\"1.0\"?>\n<state product=\"Viewer\"><MainWindow><codejock><normalLayout>"
                                    "<DockingPane>" + panes + "</DockingPane></normalLayout></codejock></MainWindow></state>");
        s.registry().setDword(L"HKEY_CURRENT_USER", kMainFrameSection, L"UseStateFile", 1);
    }
    CMainFrame* Frame() {
        return platform::harness::mainFrameAt(s);
    }

    Session s;
};

TEST_F(HostileStateTest, ThousandsOfUnknownPanesAndHiddenDocumentsLoadInLinearTime) {
    std::string panes = "<Pane ID=\"1006\" State=\"0\" Selected=\"true\"/>"
                        "<Pane ID=\"1004\" State=\"0\" Group=\"1006\"><Values><State><HiddenDocs>";
    for (int i = 0; i < 20000; ++i)
        panes += "<doc libID=\"" + std::string(kSamplesLibrary) + "\" docName=\"d" + std::to_string(i) + ".grb\"/>";
    panes += "</HiddenDocs></State></Values></Pane>";
    for (int id = 5000; id < 25000; ++id) panes += "<Pane ID=\"" + std::to_string(id) + "\" State=\"0\" Group=\"1006\"/>";
    Seed(panes);

    const auto begin = std::chrono::steady_clock::now();
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    // Quadratic loading took minutes here; linear loading takes a few seconds even sanitized.
    EXPECT_LT(seconds, 20.0);
    // Only the panes the program makes are made.
    std::vector<UINT> ids;
    for (const CXTPDockingPane* pane : Frame()->GetPaneManager().GetPaneList()) ids.push_back(pane->GetID());
    EXPECT_LE(ids.size(), 34u);
    for (UINT id : ids) EXPECT_LT(id, 5000u);
}

TEST_F(HostileStateTest, RectanglesAtTheIntegerLimitsArePlacedWithinWindowCoordinates) {
    Seed("<Pane ID=\"1006\" State=\"0\" Selected=\"true\" Left=\"-2147483648\" Top=\"-2147483648\" "
         "Right=\"2147483647\" Bottom=\"2147483647\"/>"
         "<Pane ID=\"1022\" State=\"3\" FloatLeft=\"2147483647\" FloatTop=\"2147483647\" FloatRight=\"-2147483648\" "
         "FloatBottom=\"-2147483648\"/>");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    auto layout = Frame()->GetPaneManager().CreateLayout();
    Frame()->GetPaneManager().GetLayout(layout.get());
    for (const auto& entry : layout->GetEntries()) {
        for (const RECT& rect : {entry.rect, entry.floatRect}) {
            EXPECT_GE(rect.left, -32768);
            EXPECT_GE(rect.top, -32768);
            EXPECT_LE(rect.right, 32767);
            EXPECT_LE(rect.bottom, 32767);
            EXPECT_LE(rect.left, rect.right);
            EXPECT_LE(rect.top, rect.bottom);
        }
    }
}

}  // namespace
