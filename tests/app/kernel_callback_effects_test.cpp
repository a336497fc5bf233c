// What kernel callbacks that do more than pass a call on do: keeping a recent entry only while a
// recent file is being opened, panel values reaching every main frame, not only the active, and
// the windows section named only while a frame exists.
#include "app/documents/recent_file_list.h"
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

class CallbackEffects : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        app = CKvw32App::Instance();
    }
    void KeepRecentEntry() {
        s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.KeepRecentEntry(); });
    }

    Session s;
    CKvw32App* app = nullptr;
};

TEST_F(CallbackEffects, ARecentEntryIsKeptOnlyWhileARecentFileOpens) {
    CKVRecentFileList* list = app->GetRecentFileList();
    list->Add(L"C:\\Work\\gone.grb", nullptr);
    // Outside a recent open the request is ignored: the list stays free to change.
    KeepRecentEntry();
    EXPECT_FALSE(list->GetKeepEntries());

    bool keptWhileOpening = false;
    // "File not found, remove from recent?" in the sample's language.
    s.user().expectBox(L"Файл не найден. Удалить*", [&](const BoxRequest&) {
        KeepRecentEntry();
        keptWhileOpening = list->GetKeepEntries();
        return Button::Yes;
    });
    app->OnOpenRecentFile(ID_FILE_MRU_FILE1);
    s.runUntilIdle();
    EXPECT_TRUE(keptWhileOpening);
    // The open over, the list is free again.
    EXPECT_FALSE(list->GetKeepEntries());
}

TEST_F(CallbackEffects, PanelValuesReachEveryFrame) {
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.set_syspanel_doublevar(nullptr, 907, 2.5, -1); });
    for (int frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE(frame);
        double value = 0;
        s.kernel().callback([&](KorvoServerAppProxy& kernel) { EXPECT_TRUE(kernel.UnpackSyspanelDoubleVar(907, value)); });
        EXPECT_EQ(value, 2.5);
        app->ActivateNextMainFrame();
    }
}

// A bar the kernel binds to an object (a document) carries it; with nothing to say no bar is made.
TEST_F(CallbackEffects, AMessageBarMayBeBoundToAnObject) {
    CKvw32Doc document;
    Korvo::UI::MessageBar* bar = nullptr;
    Korvo::UI::MessageBar* none = nullptr;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        bar = kernel.ShowMessageBarEx(12, L"Links", L"Two links are broken", &document);
        none = kernel.ShowMessageBarEx(13, L"", L"", &document);
    });
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetBoundObject(), &document);
    EXPECT_EQ(bar->GetId(), 12u);
    EXPECT_EQ(none, nullptr);
    // The bar stays the kernel's while another frame is active, and its id closes it from there.
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        EXPECT_TRUE(kernel.IsValidMessageBar(bar));
        kernel.CloseMessageBar(12);
        EXPECT_FALSE(kernel.IsValidMessageBar(bar));
    });
}

// With the PDM assembly pane allowed (true) or left out by the ini file (false).
class WorkMixPosition : public SessionTest, public ::testing::WithParamInterface<bool> {};

// The kernel selects a position of the PDM work mix: its filler runs only where the PDM assembly
// pane can have a window, which the request makes.
TEST_P(WorkMixPosition, IsFilledOnlyWhereThePdmAssemblyPaneCanBe) {
    const bool paneOn = GetParam();
    Session s;
    if (!paneOn) s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nDockingPanes=!varnelAssembly\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    int filled = 0;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        kernel.SelectWorkmixPosition([&](KVWorkmixPosition&) { ++filled; });
        kernel.SelectWorkmixPosition({});
    });
    EXPECT_EQ(filled, paneOn ? 1 : 0);
    EXPECT_EQ(CKvw32App::Instance()->GetVarnelAssemblyWindow(false, false) != nullptr, paneOn);
}

INSTANTIATE_TEST_SUITE_P(PaneAllowedOrNot, WorkMixPosition, ::testing::Bool());

// Pane 1041 of command 826 opens at the kernel's request and says so; a command's symbol is its
// table name, an unknown one none.
TEST_F(CallbackEffects, PaneRequestsReachTheirPanesAndCommandSymbolsComeFromTheTable) {
    auto* frame = app->GetActiveMainFrame();
    ASSERT_NE(frame, nullptr);
    CXTPDockingPane* pane = frame->GetPaneManager().FindPane(1041);
    if (!pane) pane = frame->GetPaneManager().CreatePane(1041, RECT{0, 0, 200, 120}, xtpPaneDockBottom);
    ASSERT_NE(pane, nullptr);
    frame->GetPaneManager().ClosePane(pane);
    bool open = true;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { open = kernel.IsPane826Open(); });
    EXPECT_FALSE(open);
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        kernel.ShowPane826();
        open = kernel.IsPane826Open();
    });
    EXPECT_TRUE(open);
    EXPECT_FALSE(pane->IsClosed());

    CString known, unknown = L"stale";
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        known = kernel.GetCommandSymbolById(1399);
        unknown = kernel.GetCommandSymbolById(4242);
    });
    EXPECT_EQ(known, CString(L"CM_3D_SELECT_CAMERA"));
    EXPECT_TRUE(unknown.IsEmpty());
}

// Without a frame the request leaves the name alone (see the kernel-callback tests); with one it
// is the profile's windows section.
TEST_F(CallbackEffects, TheWindowsProfileSectionIsNamedWhileAFrameExists) {
    CString name = L"stale";
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { kernel.GetWindowsProfileCurrentSectionName(name); });
    EXPECT_EQ(name, CString(L"Windows"));
}

}  // namespace
