// What a main frame does for the UI library's interface and for its tools engine and system
// panel, seen through a stand-in engine registered as the program's.
#include <string>
#include <vector>

#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;
using mainframetest::frameOf;

std::vector<std::wstring>& panelCalls() {
    static std::vector<std::wstring> calls;
    return calls;
}

// Records what reaches the panel and what the library's own tool bar held at that moment.
class RecordingPanel : public SysPanelAccess {
public:
    explicit RecordingPanel(CMainFrame& frame) : frame_(frame) {}
    void BeginSelectionFilterConfiguration() override {
        panelCalls().push_back(frame_.IsConfiguringSelectionFilters() ? L"begin after base" : L"begin");
    }
    void SetSelectionFilterSet(int set) override {
        panelCalls().push_back(L"set " + std::to_wstring(set) + L" base " + std::to_wstring(frame_.GetSelectionFilterSet()));
    }
    void ShowSelectionFilterButton(int id, bool show) override {
        panelCalls().push_back(L"show " + std::to_wstring(id) + (show ? L" on" : L" off"));
    }
    void HideAllSelectionFilterButtons() override { panelCalls().push_back(L"hide all"); }
    void SetSelectionFilterButtonIconAndToolTip(int id, int, LPCWSTR) override { panelCalls().push_back(L"icon " + std::to_wstring(id)); }
    void SetSelectionFilterButtonIconAndToolTip(int id, LPCWSTR, LPCWSTR) override { panelCalls().push_back(L"icon path " + std::to_wstring(id)); }
    void SetSelectionFilterButtonState(int id, int state) override {
        panelCalls().push_back(L"state " + std::to_wstring(id) + L" base " + std::to_wstring(frame_.GetSelectionFilterButtonState(id)) +
                               L" panel " + std::to_wstring(state));
    }
    void SetSelectionFilterButtonState(LPCWSTR name, int) override { panelCalls().push_back(std::wstring(L"state ") + name); }
    void SetSelectionFilterButtonProperties(int id, DWORD) override { panelCalls().push_back(L"properties " + std::to_wstring(id)); }
    void SetSelectionFilterButtonProperties(LPCWSTR name, DWORD) override { panelCalls().push_back(std::wstring(L"properties ") + name); }
    void EndSelectionFilterConfiguration() override {
        panelCalls().push_back(frame_.IsConfiguringSelectionFilters() ? L"end early" : L"end after base");
    }
    bool GetSyspanelControlState(int id, bool& checked, bool& disabled) override {
        checked = id == 907;
        disabled = false;
        return true;
    }
    bool GetSyspanelControlIntValue(int, int& value) override {
        value = 42;
        return true;
    }
    bool UnpackSyspanelDoubleVar(int, double& value) override {
        value = 2.5;
        return true;
    }
    bool UnpackSyspanelIntVar(int, int&) override { return false; }
    int GetSyspanelCurrentId() override { return 3; }
    IDataExchange* GetSyspanelControlData(int) override { return nullptr; }
    void DisableSyspanelControls() override { panelCalls().push_back(L"disable all"); }
    void EnableSyspanelControl(int id, bool enable) override {
        panelCalls().push_back(L"enable " + std::to_wstring(id) + (enable ? L" on" : L" off"));
    }
    CXTPControl* FindControl(int) override { return nullptr; }
    CXTPControl* CreateControlForId(UINT) override { return nullptr; }
    CXTPToolBar* GetBar() override { return nullptr; }

private:
    CMainFrame& frame_;
};

class RecordingTools : public FrameTools {
public:
    explicit RecordingTools(CMainFrame& frame) : panel_(frame) {}
    void SetOwningFrame(CMainFrame* frame) override { owner = frame; }
    void ApplyCommandBarsOptions(bool) override {}
    void CopyShortcutsToFramelessToolBars() override {}
    bool GetCommandPrompt(UINT id, CString& prompt) override {
        if (id != 1000) return false;
        prompt = L"Engine prompt";
        return true;
    }
    UINT FindPaneByCommand(UINT command) override { return command == 811 ? 1007 : 0; }
    CXTPCommandBars* GetAutoMenuCommandBars() override { return nullptr; }
    SysPanelAccess* GetSysPanel() override { return &panel_; }
    bool CreateSystemPanel() override { return true; }

    CMainFrame* owner = nullptr;

private:
    RecordingPanel panel_;
};

class MainFrameInterface : public SessionTest {
protected:
    void StartWithEngine() {
        SetFrameToolsMaker([](CMainFrame& frame) -> std::unique_ptr<FrameTools> {
            return std::make_unique<RecordingTools>(frame);
        });
        s.start();
        s.runUntilIdle();
        frame = frameOf(s.inspect().mainFrames().at(0));
        ASSERT_NE(frame, nullptr);
        panelCalls().clear();
    }

    Session s;
    CMainFrame* frame = nullptr;
};

TEST_F(MainFrameInterface, SelectionFilterCallsReachTheLibraryFirstThenThePanel) {
    StartWithEngine();
    EXPECT_EQ(static_cast<RecordingTools*>(frame->GetFrameTools())->owner, frame);
    frame->BeginSelectionFilterConfiguration();
    frame->SetSelectionFilterSet(12);
    frame->SetSelectionFilterButtonState(2705, 1);
    frame->ShowSelectionFilterButton(2705, true);
    frame->EndSelectionFilterConfiguration();
    EXPECT_EQ(panelCalls(), (std::vector<std::wstring>{L"begin after base", L"set 12 base 12", L"state 2705 base 1 panel 1",
                                                      L"show 2705 on", L"end after base"}));
    EXPECT_TRUE(frame->GetSelectionFilterButtons().at(2705).visible);
}

TEST_F(MainFrameInterface, PanelForwardersAnswerFromThePanelAndPromptsFromTheEngineFirst) {
    StartWithEngine();
    bool checked = false, disabled = true;
    EXPECT_TRUE(frame->GetSyspanelControlState(907, checked, disabled));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(disabled);
    int value = 0;
    EXPECT_TRUE(frame->GetSyspanelControlIntValue(904, value));
    EXPECT_EQ(value, 42);
    EXPECT_EQ(frame->GetSyspanelCurrentId(), 3);
    frame->EnableSyspanelControl(911, false);
    EXPECT_EQ(panelCalls().back(), L"enable 911 off");

    CString prompt;
    frame->GetMessageString(1000, prompt);
    EXPECT_EQ(prompt, CString(L"Engine prompt"));
    frame->GetMessageString(57344, prompt);  // the framework's string
    EXPECT_EQ(prompt, CString(L"Korvo CAD"));
}

TEST_F(MainFrameInterface, WithoutAnEngineTheForwardersDoNothing) {
    s.start();
    s.runUntilIdle();
    CMainFrame* only = frameOf(s.inspect().mainFrames().at(0));
    bool checked = true, disabled = true;
    int value = 7;
    EXPECT_FALSE(only->GetSyspanelControlState(907, checked, disabled));
    EXPECT_FALSE(only->GetSyspanelControlIntValue(904, value));
    EXPECT_EQ(only->GetSyspanelCurrentId(), -1);
    EXPECT_EQ(only->GetSyspanelControlData(904), nullptr);
    CString text = L"stale";
    only->FindCommandControl(text);
    EXPECT_TRUE(text.IsEmpty());
    only->DisableSyspanelControls();  // nothing to do, nothing breaks
}

TEST_F(MainFrameInterface, FramelessBarsShowOnlyForTheActiveShownFrameAndLessOutsideTheRibbon) {
    StartWithEngine();
    frame->SetFramelessToolBarsVisible(0x3F);
    EXPECT_EQ(frame->GetFramelessToolBarsFlags(), 0xFFFFFFFEu);
    frame->MakeActive();
    frame->SetRibbonMode(true);
    EXPECT_EQ(frame->GetVisibleFramelessToolBars(1), 0x3Fu);
    frame->SetRibbonMode(false);
    EXPECT_EQ(frame->GetVisibleFramelessToolBars(1), 48u);
    frame->SetScreenMode(2);
    EXPECT_EQ(frame->GetVisibleFramelessToolBars(1), 0u);
    frame->SetScreenMode(0);
    const HWND other = s.kernel().newMainFrame();
    ASSERT_NE(other, nullptr);
    EXPECT_NE(UIModuleProxy::Instance().GetActiveMainFrame(), frame);
    EXPECT_EQ(frame->GetVisibleFramelessToolBars(1), 0u);
}

TEST_F(MainFrameInterface, ToolBarCommandsNameTheBarsOfTheList) {
    StartWithEngine();
    CXTPCommandBars* bars = frame->GetCommandBars();
    const int count = bars->GetCount();
    EXPECT_EQ(frame->GetToolBarByCommand(700), bars->GetAt(0));
    EXPECT_EQ(frame->GetToolBarByCommand(700 + count - 1), bars->GetAt(count - 1));
    EXPECT_EQ(frame->GetToolBarByCommand(700 + count), nullptr);
    EXPECT_EQ(frame->GetToolBarByCommand(699), nullptr);

    // The user toggles a bar through its command.
    CXTPToolBar* last = bars->GetAt(count - 1);
    const BOOL wasVisible = last->IsVisible();
    s.user().command(frame->GetSafeHwnd(), 700 + count - 1);
    s.runUntilIdle();
    EXPECT_NE(last->IsVisible(), wasVisible);
}

TEST_F(MainFrameInterface, ThePaneCommandShowsThePaneTheEngineNames) {
    StartWithEngine();
    CXTPDockingPane* pane = frame->GetPaneManager().CreatePane(1007, RECT{0, 0, 200, 200}, xtpPaneDockLeft);
    ASSERT_NE(pane, nullptr);
    frame->GetPaneManager().ClosePane(pane);
    s.user().command(frame->GetSafeHwnd(), 811);
    s.runUntilIdle();
    EXPECT_FALSE(pane->IsClosed());
    // Another pane command without a pane changes nothing.
    s.user().command(frame->GetSafeHwnd(), 812);
    s.runUntilIdle();
}

}  // namespace
