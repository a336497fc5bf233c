// The fixture of the clipart panes' tests: a started program's first main frame, its views, its
// log, and a layout of its panes saved and loaded again as a next start does.
#pragma once

#include <string>
#include <string_view>

#include "mainframe/clipart/clipart_view.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

class ClipartPanesTest : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(s.inspect().mainFrames().at(0)));
        ASSERT_NE(frame, nullptr);
    }
    static int Views() {
        int count = 0;
        for (CClipartView* view = CClipartView::GetHead(); view; view = view->GetNext()) ++count;
        return count;
    }
    bool Logged(std::wstring_view text) { return platform::harness::indexOf(platform::harness::logs(s), text) >= 0; }
    // The layout of the frame's panes as saved, then every view gone as at the end of a run.
    std::wstring SaveLayoutAndEndViews() {
        CKVDockingPaneManager& manager = frame->GetPaneManager();
        auto layout = manager.CreateLayout();
        manager.GetLayout(layout.get());
        CXTPPropExchangeXMLNode stored(FALSE, L"DockingPaneLayout");
        EXPECT_TRUE(layout->DoPropExchange(&stored));
        CClipartView::DestroyAll();
        return std::wstring(stored.SaveToString());
    }
    void LoadLayout(const std::wstring& xml) {
        CKVDockingPaneManager& manager = frame->GetPaneManager();
        CXTPPropExchangeXMLNode loaded(TRUE, L"DockingPaneLayout");
        ASSERT_TRUE(loaded.LoadFromString(xml, L"layout"));
        auto layout = manager.CreateLayout();
        ASSERT_TRUE(layout->DoPropExchange(&loaded));
        CClipartView::PrepareFrameForLayout(frame);
        manager.SetLayout(layout.get());
        CClipartView::ReattachFramePanes(frame);
    }

    platform::harness::Session s;
    CMainFrame* frame = nullptr;
};
