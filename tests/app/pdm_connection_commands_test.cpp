// The PDM connection commands and what the application holds while connected.
#include "app/about/about_dialog.h"
#include "app/kvw32_app.h"
#include "tests/app/document_test_support.h"

namespace {

using namespace platform::harness;

class PdmConnection : public apptest::DocumentSessionTest {
protected:
    bool Enabled(UINT id) {
        CCmdUI state;
        state.m_nID = id;
        state.DoUpdate(CWnd::FromHandle(frame_), FALSE);
        return state.m_stateEnabled != FALSE;
    }
    void Run(Session& s, UINT id) {
        s.user().command(frame_, id);
        s.runUntilIdle();
    }
};

TEST_F(PdmConnection, ConnectIsOfferedOnlyWithAnInstanceAndTheConnectionIsHeldUntilDisconnect) {
    Session s;
    Start(s);
    EXPECT_FALSE(Enabled(2074));  // no PDM system configured
    // The PDM settings start-up fills name the instance.
    GetSettings().varnel.instanceKeyPath = L"SOFTWARE\\Varnel\\Instance";
    EXPECT_TRUE(Enabled(2074));
    EXPECT_FALSE(Enabled(2075));
    EXPECT_FALSE(Enabled(9311));

    const auto secondPhases = [&] {
        const auto entries = calls(s);
        return std::count(entries.begin(), entries.end(), L"CKVApplicationManager::StartApplications(false, true)");
    };
    const auto phasesBefore = secondPhases();
    Run(s, 2074);
    // The kernel reports the change through the application's callback object.
    CKvw32App::Instance()->OnChangeVarnelConnectionState(true);
    s.runUntilIdle();
    EXPECT_FALSE(Enabled(2074));
    EXPECT_TRUE(Enabled(2075));
    EXPECT_TRUE(Enabled(9311));
    Run(s, 9311);
    EXPECT_TRUE(apptest::Contains(calls(s), L"KVPDMConnection::StartClient()"));
    EXPECT_GT(secondPhases(), phasesBefore) << "the add-ons that need the PDM system start now";
    EXPECT_EQ(s.kernel().pdmConnectionsAlive(), 1);

    Run(s, 2075);
    CKvw32App::Instance()->OnChangeVarnelConnectionState(false);
    s.runUntilIdle();
    EXPECT_EQ(s.kernel().pdmConnectionsAlive(), 0);  // released by the work mix and the application
    EXPECT_TRUE(Enabled(2074));
}

TEST_F(PdmConnection, TheAboutStatisticsCountIconSetsRasterAndVectorApart) {
    Session s;
    Start(s);
    CXTPImageManager images;
    images.SetIcon(1019, 16);        // Quit's raster icon
    images.SetIcon(1019, 32, true);  // ... and a vector one: the set counts as vector
    images.SetIcon(40000, 16);       // no command of that id
    const CString text = CAboutDlg::CommandStatistics(&images);
    EXPECT_NE(text.Find(L"system command icon(s): 0 raster + 1 vector"), -1) << apptest::Utf8(text.GetString());
    EXPECT_NE(text.Find(L"\n2 icon(s) total: 1 raster + 1 vector"), -1) << apptest::Utf8(text.GetString());
}

}  // namespace
