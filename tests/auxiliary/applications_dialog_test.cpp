// The applications dialog as a user works it: one rule decides whether an application may start,
// whichever way the user asks (button, double-click, Enter), so a double-click cannot start an
// application that needs the PDM system while it is not connected.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "auxiliary/applications_dialog.h"
#include "mainframe/main_frame.h"
#include "platform/core/text.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

constexpr const char* kApplications =
    "[PdmTool]\nName=PDM tool\nPath=C:\\Program Files\\Velmora\\Korvo CAD 18.0\\KVCatalog.dll\nFlags=1024\n";

// A double-click on the list's first row, as the list tells its dialog.
void DoubleClick(HWND dialog, HWND list) {
    NMITEMACTIVATE activate;
    activate.hdr.hwndFrom = list;
    activate.hdr.idFrom = CKVAppDlg::kList;
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = 0;
    SendMessageW(dialog, WM_NOTIFY, CKVAppDlg::kList, reinterpret_cast<LPARAM>(&activate));
}

class ApplicationsDialog : public SessionTest {
protected:
    // Starts the program with one application that needs the PDM system, added by the user
    // earlier (so it is not started), and opens the dialog; `act` works it with the row selected.
    void Open(Session& s, bool connected, const std::function<void(HWND dialog, HWND list)>& act) {
        s.start();
        s.runUntilIdle();
        KVPDMWorkMix::SetActive(connected);
        kvio::IniFile ini;
        ini.LoadFromText(platform::core::fromUtf8(kApplications), L"Tools.kva");
        kvaux::ApplicationIniFileEntry entry;
        ASSERT_TRUE(entry.Read(ini, L"PdmTool", nullptr));
        ASSERT_NE(CKVApplicationManager::AddApplication(L"PdmTool", entry, nullptr), nullptr);
        s.user().expectDialog(CKVAppDlg::kTemplate, [act](HWND dialog) {
            const HWND list = GetDlgItem(dialog, CKVAppDlg::kList);
            LVITEMW select;
            select.state = select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select));
            act(dialog, list);
        });
        s.user().command(CKvw32App::Instance()->GetActiveMainFrame()->GetSafeHwnd(), 1258);
        s.runUntilIdle();
    }
};

TEST_F(ApplicationsDialog, NeitherTheButtonNorADoubleClickNorEnterStartsAPdmToolWhileDisconnected) {
    Session s;
    bool stillOpen = false;
    bool startEnabled = true;
    Open(s, false, [&](HWND dialog, HWND list) {
        startEnabled = IsWindowEnabled(GetDlgItem(dialog, CKVAppDlg::kStart));
        DoubleClick(dialog, list);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // Enter
        stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(startEnabled);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(indexOf(calls(s), L"CKVBaseApplication::Start(\"PdmTool\""), -1);
}

TEST_F(ApplicationsDialog, OnceConnectedADoubleClickStartsItAfterTheDialogClosed) {
    Session s;
    bool startEnabled = false;
    Open(s, true, [&](HWND dialog, HWND list) {
        startEnabled = IsWindowEnabled(GetDlgItem(dialog, CKVAppDlg::kStart));
        DoubleClick(dialog, list);
    });
    EXPECT_TRUE(startEnabled);
    const auto all = calls(s);
    EXPECT_GE(indexOf(all, L"CKVBaseApplication::Start(\"PdmTool\", true, true)"), 0);
    EXPECT_GE(indexOf(all, L"CKVBaseApplication::CreateTools(\"PdmTool\")"), 0);
}

// An installed application is removed by uninstalling it: the dialog says so and keeps it.
TEST_F(ApplicationsDialog, AnInstalledApplicationStaysAndTheUserIsToldToUninstallIt) {
    Session s;
    s.user().expectBox(L"In order to delete this application you should uninstall it", Button::Ok);
    int rows = 0;
    Open(s, false, [&](HWND dialog, HWND list) {
        CKVApplicationManager::GetApplication(L"PdmTool")->SetOrigin(CKVBaseApplication::Origin::Installed);
        SendMessageW(dialog, WM_COMMAND, CKVAppDlg::kRemove, 0);
        rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_GE(rows, 1);
    EXPECT_NE(CKVApplicationManager::GetApplication(L"PdmTool"), nullptr);
    EXPECT_EQ(indexOf(calls(s), L"RemoveApplication(\"PdmTool\")"), -1);
}

}  // namespace
