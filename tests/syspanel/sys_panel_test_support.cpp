#include "tests/syspanel/sys_panel_test_support.h"

namespace syspaneltest {

BEGIN_MESSAGE_MAP(PanelSite, CFrameWnd)
    ON_MESSAGE(XTPWM_CREATECONTROL, &PanelSite::OnCreateControl)
END_MESSAGE_MAP()

void PanelTest::SetUp() {
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    site = new PanelSite;
    ASSERT_TRUE(site->Create(nullptr, L"Panel site"));
    bars.reset(CXTPCommandBars::CreateCommandBars(nullptr, site));
    bar = static_cast<CSysPanelToolbar*>(bars->Add(L"Panel", xtpBarTop, RUNTIME_CLASS(CSysPanelToolbar)));
    ASSERT_NE(bar, nullptr);
    site->bar = bar;
    bar->RegisterSyspanelControls();
}

void PanelTest::TearDown() {
    bars.reset();
    if (site) site->DestroyWindow();
}

}  // namespace syspaneltest
