// The backstage view as the shell drives it: which page hears that it is shown or left, the
// default marks, hidden tabs; the managed controls' state and the light path and help helpers the
// pages lean on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/managedui.h"
#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

class ToolkitBackstage : public MfcTest {};

// A page that records what it hears.
class RecordingPage : public CPropertyPage {
public:
    RecordingPage(std::vector<std::wstring>& heard, std::wstring name) : heard_(heard), name_(std::move(name)) {}
    BOOL OnSetActive() override {
        heard_.push_back(L"shown " + name_);
        return TRUE;
    }
    BOOL OnKillActive() override {
        heard_.push_back(L"left " + name_);
        return TRUE;
    }

private:
    std::vector<std::wstring>& heard_;
    std::wstring name_;
};

TEST_F(ToolkitBackstage, PagesHearWhenTheyAreShownAndLeftAndTheViewOpensOnTheDefaultTab) {
    std::vector<std::wstring> heard;
    RecordingPage recent(heard, L"recent"), print(heard, L"print");
    auto* view = new CXTPRibbonBackstageView;
    view->AddTab(0, L"Recent", &recent);
    view->AddTab(1027, L"Print", &print, 0, L"printDialog");
    view->SetDefaultItem(1);
    EXPECT_EQ(view->GetTab(1)->name, CString(L"printDialog"));
    EXPECT_EQ(view->GetActiveIndex(), -1) << "nothing shown while closed";

    view->Popup();
    EXPECT_EQ(view->GetActiveIndex(), 1) << "the default tab";
    EXPECT_TRUE(view->SetActiveTab(0));
    EXPECT_TRUE(view->SetActiveTab(0)) << "the shown tab again changes nothing";
    view->Close();
    EXPECT_EQ(heard, (std::vector<std::wstring>{L"shown print", L"left print", L"shown recent", L"left recent"}));

    // A hidden tab is neither chosen nor opened on; the marks are per tab.
    view->GetTab(1)->visible = FALSE;
    EXPECT_FALSE(view->SetActiveTab(1027));
    view->SetDefaultItem(0);
    EXPECT_FALSE(view->GetTab(1)->defaultItem);
    view->GetTab(1)->defaultItem = TRUE;
    EXPECT_EQ(view->GetDefaultItem(), 0) << "the first marked";
    view->GetTab(0)->defaultItem = FALSE;
    heard.clear();
    view->Popup();
    EXPECT_EQ(view->GetActiveIndex(), 0) << "a hidden default tab gives way";
    EXPECT_EQ(view->GetActiveTab(), 0);
    view->Refresh();
    EXPECT_EQ(view->GetRefreshCount(), 1);
    view->Close();
    view->InternalRelease();
}

TEST_F(ToolkitBackstage, ManagedControlsKeepTheirStateOnlyWhileTheirWindowLives) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"parent", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0));
    EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::CreateControl(nullptr, L"C:\\T", nullptr), nullptr);

    const HWND prototypes = KorvoManagedUIProxy::PrototypesController::CreateControl(parent.GetSafeHwnd(), L"C:\\T", nullptr);
    ASSERT_NE(prototypes, nullptr);
    EXPECT_FALSE(::IsWindowVisible(prototypes)) << "made hidden";
    EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::GetFolder(prototypes), CString(L"C:\\T"));
    EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::GetThemeCode(prototypes), -1);
    KorvoManagedUIProxy::PrototypesController::SetTheme(prototypes, 3);
    EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::GetThemeCode(prototypes), 3);

    struct Chosen : KorvoManagedUIProxy::IExportCallback {
        std::vector<int> indexes;
        void OnExportChosen(int index) override { indexes.push_back(index); }
    } chosen;
    const HWND exporter = KorvoManagedUIProxy::ExportController::CreateControl(parent.GetSafeHwnd(), {{L"A", L"*.a", L"m"}}, &chosen);
    EXPECT_TRUE(KorvoManagedUIProxy::ExportController::Choose(exporter, 0));
    EXPECT_FALSE(KorvoManagedUIProxy::ExportController::Choose(exporter, 1));
    EXPECT_FALSE(KorvoManagedUIProxy::ExportController::Choose(exporter, -1));
    EXPECT_EQ(chosen.indexes, (std::vector<int>{0}));

    ::DestroyWindow(prototypes);
    ::DestroyWindow(exporter);
    EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::GetFolder(prototypes), CString());
    EXPECT_TRUE(KorvoManagedUIProxy::ExportController::GetFilters(exporter).empty());
    EXPECT_FALSE(KorvoManagedUIProxy::ExportController::Choose(exporter, 0)) << "a gone control calls nobody back";
    parent.DestroyWindow();
}

TEST_F(ToolkitBackstage, NetworkPathsAndIniColours) {
    EXPECT_TRUE(PathIsNetworkPathW(L"\\\\server\\share\\a.grb"));
    EXPECT_TRUE(PathIsNetworkPathW(L"//server/share"));
    EXPECT_FALSE(PathIsNetworkPathW(L"\\\\"));
    EXPECT_FALSE(PathIsNetworkPathW(L"C:\\Work\\a.grb"));
    EXPECT_FALSE(PathIsNetworkPathW(L"\\Work"));
    EXPECT_FALSE(PathIsNetworkPathW(nullptr));

    EXPECT_EQ(XTPIniColor(L"Section.Unset", L"Key", RGB(1, 2, 3)), RGB(1, 2, 3));
    XTPSetIniColor(L"Section.Set", L"Key", RGB(9, 8, 7));
    EXPECT_EQ(XTPIniColor(L"Section.Set", L"Key", RGB(1, 2, 3)), RGB(9, 8, 7));
    EXPECT_EQ(XTPIniColor(L"Section.Set", L"Other", RGB(1, 2, 3)), RGB(1, 2, 3));
}

}  // namespace
