#include "tests/syspanel/sys_panel_test_support.h"

#include "commandbars/kv_ribbon_bar.h"
#include "platform/kernel.h"

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

void FrameTest::SetUp() {
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    window = s.inspect().activeMainFrame();
    frame = frameOf(window);
    ASSERT_NE(frame, nullptr);
}

CKvw32Doc* FrameTest::openDocument(HWND frameWindow, const wchar_t* path) {
    constexpr unsigned kFileOpen = 0xE101;
    s.user().expectFileChoose(path);
    s.user().command(frameWindow, kFileOpen);
    s.runUntilIdle();
    return Korvo::DocumentManager::Instance().FindDocument(path);
}

CXTPControl* FrameTest::onBar(unsigned id) {
    return frame->GetSysPanelToolbar()->GetControls()->FindControl(static_cast<int>(id));
}

CXTPControl* FrameTest::inRibbon(unsigned id) {
    CXTPControl* found = nullptr;
    frame->GetRibbonBar()->ForEachControl(
        [&](CXTPControl* control) {
            if (!found && control->GetID() == static_cast<int>(id)) found = control;
        },
        true);
    return found;
}

}  // namespace syspaneltest
