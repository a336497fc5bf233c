// The engine makes its frame's system panel and answers the toolkit's requests for the panel's
// controls, and only for the panel.
#include <gtest/gtest.h>

#include <memory>

#include "mainframe/main_frame_profile_item.h"
#include "syspanel/manip_panel.h"
#include "syspanel/parameter_control_factory.h"
#include "syspanel/parameter_controls.h"
#include "syspanel/sys_panel_toolbar.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

// A frame whose create-control requests go to its frame tools, as a main frame's do.
class ToolsSite : public CFrameWnd {
public:
    CFrameToolsEngine* engine = nullptr;
    afx_msg LRESULT OnCreateControl(WPARAM, LPARAM lParam) {
        return engine->CreateSysPanelControl(reinterpret_cast<XTP_COMMANDBARS_CREATECONTROL*>(lParam));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ToolsSite, CFrameWnd)
    ON_MESSAGE(XTPWM_CREATECONTROL, &ToolsSite::OnCreateControl)
END_MESSAGE_MAP()

class FrameToolsPanel : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        site = new ToolsSite;
        site->engine = &engine;
        ASSERT_TRUE(site->Create(nullptr, L"Tools site"));
        bars.reset(CXTPCommandBars::CreateCommandBars(nullptr, site));
    }
    void TearDown() override {
        bars.reset();
        site->DestroyWindow();
    }

    Session s;
    CMainFrameProfileItem engine;
    ToolsSite* site = nullptr;
    std::unique_ptr<CXTPCommandBars> bars;
};

TEST_F(FrameToolsPanel, ThePanelIsBar1002WithItsControlsRegisteredAndBothManipulatorPanels) {
    EXPECT_FALSE(engine.CreateSysPanelToolbar(nullptr));
    EXPECT_EQ(engine.GetSysPanelToolbar(), nullptr);
    EXPECT_EQ(engine.GetManipPanel(1), nullptr);

    ASSERT_TRUE(engine.CreateSysPanelToolbar(bars.get()));
    CSysPanelToolbar* panel = engine.GetSysPanelToolbar();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(bars->GetToolBar(1002), panel);
    EXPECT_EQ(panel->GetTitle(), KVLoadString(10161));
    EXPECT_EQ(panel->GetFlags(), 0x100033u);
    EXPECT_FALSE(panel->IsCustomizable());
    EXPECT_EQ(::GetDlgCtrlID(panel->GetSafeHwnd()), 1002);
    for (int id : {904, 905, 906, 907, 908, 909, 910, 911, 912, 914, 915, 918}) {
        EXPECT_NE(panel->FindRegisteredControl(id), nullptr) << id;
    }
    EXPECT_EQ(panel->GetControls()->GetCount(), 0);  // registered controls wait for a list
    ASSERT_NE(engine.GetManipPanel(1), nullptr);
    EXPECT_EQ(engine.GetManipPanel(2)->GetPanelId(), 2);
}

TEST_F(FrameToolsPanel, OnlyThePanelsOwnButtonListsGetItsRegisteredControls) {
    ASSERT_TRUE(engine.CreateSysPanelToolbar(bars.get()));
    CSysPanelToolbar* panel = engine.GetSysPanelToolbar();
    const UINT ids[] = {907, 1869};
    ASSERT_TRUE(panel->SetButtons(ids, 2));
    EXPECT_EQ(panel->GetControls()->GetAt(0), panel->FindRegisteredControl(907));
    EXPECT_EQ(panel->GetControls()->GetAt(1)->GetType(), xtpControlButtonPopup);

    CXTPToolBar* other = bars->Add(L"Other", xtpBarTop);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(other->SetButtons(ids, 2));
    EXPECT_NE(other->GetControls()->GetAt(0), panel->FindRegisteredControl(907));
    EXPECT_EQ(other->GetControls()->GetAt(1)->GetType(), xtpControlButton);
}

TEST(ParameterControlFactory, MakesEachTwinWithThePanelsArguments) {
    CXTPCommandBars bars;
    auto make = [&bars](int id) { return std::unique_ptr<CXTPControl, void (*)(CXTPControl*)>(
                                      CreateParameterControl(id, &bars), [](CXTPControl* c) { if (c) c->InternalRelease(); }); };
    auto level = make(907);
    auto* edit = dynamic_cast<CSyspanelEdit*>(level.get());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetParameterName(), std::string_view("Level"));
    EXPECT_EQ(edit->GetEditStyle(), 2);
    auto fontSize = make(915);
    edit = dynamic_cast<CSyspanelEdit*>(fontSize.get());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetParameterName(), std::string_view("FontSize"));
    EXPECT_EQ(edit->GetEditStyle(), 9);
    EXPECT_EQ(edit->GetSettingsKey1(), 1016);
    EXPECT_EQ(edit->GetSettingsKey2(), 1023);
    EXPECT_EQ(dynamic_cast<CSyspanelEdit*>(make(909).get())->GetParameterName(), std::string_view("Priority"));
    EXPECT_TRUE(dynamic_cast<CMaterialPopup*>(make(905).get())->IsForBodies());
    EXPECT_FALSE(dynamic_cast<CMaterialPopup*>(make(918).get())->IsForBodies());
    EXPECT_NE(dynamic_cast<CColorPopupControl*>(make(904).get()), nullptr);
    EXPECT_NE(dynamic_cast<CLayerPopupControl*>(make(911).get()), nullptr);
    EXPECT_NE(dynamic_cast<LCSPopupControl*>(make(912).get()), nullptr);
    EXPECT_NE(dynamic_cast<CFontComboBox*>(make(914).get()), nullptr);
    EXPECT_NE(dynamic_cast<OptixCameraPopup*>(make(2041).get()), nullptr);
    EXPECT_NE(dynamic_cast<OptixQualityPopup*>(make(2042).get()), nullptr);
    auto icon = make(910);  // of the panel's icons only 910 has a twin
    ASSERT_NE(dynamic_cast<CStaticImageControl*>(icon.get()), nullptr);
    EXPECT_EQ(icon->GetIconId(), 218);
    EXPECT_EQ(dynamic_cast<CStaticImageControl*>(icon.get())->GetImageId(), 218);
    // The font combo answers the frame's font request by its selected entry; none yet.
    auto fontCombo = make(914);
    EXPECT_EQ(dynamic_cast<CFontComboBox*>(fontCombo.get())->GetSelectedFontKind(), 32);
    EXPECT_EQ(make(906).get(), nullptr);
    EXPECT_EQ(make(0).get(), nullptr);
}

}  // namespace
