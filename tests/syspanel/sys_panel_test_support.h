// A system-panel bar on a frame of its own that answers the toolkit's create-control requests
// through the bar, as a main frame does for its panel; and the running program with its main
// frame, for tests of the panel as the user and the kernel reach it.
#pragma once

#include <memory>

#include "mainframe/main_frame.h"
#include "syspanel/syspanel_edit.h"
#include "syspanel/sys_panel_toolbar.h"
#include "tests/support/session_test.h"

namespace syspaneltest {

class PanelSite : public CFrameWnd {
public:
    CSysPanelToolbar* bar = nullptr;
    // The window's own document, when a test gives it one.
    CDocument* document = nullptr;

    CDocument* GetActiveDocument() override { return document ? document : CFrameWnd::GetActiveDocument(); }

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

// The program started, with its active main frame.
class FrameTest : public platform::harness::SessionTest {
protected:
    void SetUp() override;

    // A drawing opened in `frameWindow` through File Open, as the user opens it.
    CKvw32Doc* openDocument(HWND frameWindow, const wchar_t* path);
    static CMainFrame* frameOf(HWND frameWindow) { return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frameWindow)); }
    // The control with the id on the frame's panel bar, or in its ribbon.
    CXTPControl* onBar(unsigned id);
    CXTPControl* inRibbon(unsigned id);
    CSyspanelEdit* ribbonEdit(unsigned id) { return dynamic_cast<CSyspanelEdit*>(inRibbon(id)); }

    platform::harness::Session s;
    HWND window = nullptr;
    CMainFrame* frame = nullptr;
};

}  // namespace syspaneltest
