// A system-panel bar on a frame of its own that answers the toolkit's create-control requests
// through the bar, as a main frame does for its panel.
#pragma once

#include <memory>

#include "syspanel/sys_panel_toolbar.h"
#include "tests/support/session_test.h"

namespace syspaneltest {

class PanelSite : public CFrameWnd {
public:
    CSysPanelToolbar* bar = nullptr;

    afx_msg LRESULT OnCreateControl(WPARAM, LPARAM lParam) {
        auto* request = reinterpret_cast<XTP_COMMANDBARS_CREATECONTROL*>(lParam);
        return bar && request->pCommandBar == bar && bar->CreateControlForId(request);
    }
    DECLARE_MESSAGE_MAP()
};

class PanelTest : public platform::harness::SessionTest {
protected:
    void SetUp() override;
    void TearDown() override;

    platform::harness::Session s;
    PanelSite* site = nullptr;
    std::unique_ptr<CXTPCommandBars> bars;
    CSysPanelToolbar* bar = nullptr;
};

}  // namespace syspaneltest
