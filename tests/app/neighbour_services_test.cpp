// The services the system panel, the documents menu, the auxiliary panes and the requirements
// editor take from the application, the main frame, the ribbon and the auxiliary parts, each by
// the name its callers use, checked for what those callers rely on.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "auxiliary/spaceball/spaceball_page.h"
#include "auxiliary/start_page.h"
#include "auxiliary/theme_names.h"
#include "auxiliary/varnel_frame.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/clipart/documents_menu_clipart_factories.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class NeighbourServices : public SessionTest {
protected:
    void Start(Session& s) {
        s.start();
        s.runUntilIdle();
    }
};

TEST_F(NeighbourServices, TheApplicationObjectAnswersWhatItsNeighboursAsk) {
    Session s;
    Start(s);
    CKvw32App* app = CKvw32App::Instance();
    ASSERT_NE(app, nullptr);
    CMainFrame* frame = app->GetActiveMainFrame();
    ASSERT_NE(frame, nullptr);
    int frames = 0;
    app->ForEachMainFrame([&](CFrameWnd* window) { frames += window == frame ? 1 : 0; });
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(app->AddDocTemplateSafe(nullptr), nullptr);
    EXPECT_EQ(app->GetMainResourceId(), 1000u);
    const int image = app->GetProductImageIndex();
    EXPECT_TRUE(image == 1 || (image >= 9 && image <= 12)) << image;
    EXPECT_NE(app->GetRecentFileList(), nullptr);
    EXPECT_TRUE(app->GetTutorialsFolder().IsEmpty());
    EXPECT_TRUE(app->GetApplicationsIniPath().Right(16).CompareNoCase(L"Applications.ini") == 0 ||
                !app->GetApplicationsIniPath().IsEmpty());
    EXPECT_FALSE(app->GetVideoPlayer().IsEmpty());
    // The kernel's callback object: no ".grs" documents beside drawings, and a build date.
    EXPECT_FALSE(KorvoServerAppProxy::Instance()->IsGrsDocumentsShown());
    EXPECT_FALSE(KorvoServerAppProxy::Instance()->BuildDate().IsEmpty());
}

TEST_F(NeighbourServices, TheFrameAndItsRibbonFindWhatTheyAreAskedForAndNothingElse) {
    Session s;
    Start(s);
    CMainFrame* frame = CKvw32App::Instance()->GetActiveMainFrame();
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    ASSERT_NE(ribbon, nullptr);
    EXPECT_EQ(ribbon->FindTabByGuid(GUID{0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}}), nullptr);
    // An id no control has gives no value, from the ribbon or the frame.
    EXPECT_EQ(ribbon->GetControlData(65000), nullptr);
    EXPECT_EQ(frame->GetSyspanelControlData(65000), nullptr);
    // The PDM panes are named by kind, the accelerator mark first when asked for; the search
    // pane has no caption of its own.
    for (int kind = 0; kind <= 6; ++kind) {
        const CString plain = CVarnelFrame::BuildPaneTitle(kind, false);
        EXPECT_EQ(plain.IsEmpty(), kind == 3) << kind;
        EXPECT_EQ(CVarnelFrame::BuildPaneTitle(kind, true), plain.IsEmpty() ? plain : L"&" + plain) << kind;
    }
}

TEST_F(NeighbourServices, TheAuxiliaryServicesKeepTheirWord) {
    Session s;
    Start(s);
    // Dark themes are 1, 3 and 5.
    EXPECT_EQ(ParseThemeName(L"office2013dark"), 3);
    EXPECT_EQ(ParseThemeName(L"office2010black"), 1);
    int views = 0;
    ForEachStartPageView([&](IStartPageView*) { ++views; });
    EXPECT_GE(views, 0);
    RefreshAllWorkmixPages();
    CloseWorkmixPagesOf(CKvw32App::Instance()->GetActiveMainFrame());
    // A 3D-mouse page only with a device.
    const std::vector<UINT> commands{1001};
    const HWND window = CKvw32App::Instance()->GetActiveMainFrame()->GetSafeHwnd();
    EXPECT_EQ(CreateSpaceballSettingsPage(commands, window), nullptr);
    CKVSpaceballDeviceManager::Instance().Plug({2, 6, true});
    EXPECT_NE(CreateSpaceballSettingsPage(commands, window), nullptr);
    // The documents menu's panes: a folder opens in a new pane of the active frame; without a
    // library there is no fragment tool bar.
    CClipartView* view = ShowFolderDocumentsMenuClipart(L"C:\\Users\\user\\Documents", 0, nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_NE(CClipartView::GetDockingPane(view), nullptr);
    EXPECT_FALSE(LoadLibraryFragmentButtons(CKvw32App::Instance()->GetActiveMainFrame(), nullptr));
    EXPECT_EQ(ShowLibraryDocumentsMenuClipart(nullptr, 0, nullptr), nullptr);
    EXPECT_EQ(ShowDocumentsMenuClipart(nullptr, 0, nullptr), nullptr);
}

}  // namespace
