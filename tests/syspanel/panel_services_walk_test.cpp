// Every service the main frame and the ribbon take from the system panel, walked by name: each
// exists under that name, on the owner the frame reaches it through, and does its job.
#include <functional>

#include "mainframe/toolsengine/frame_tools_engine.h"
#include "syspanel/data_exchange.h"
#include "syspanel/manip_panel.h"
#include "syspanel/parameter_control_factory.h"
#include "syspanel/parameter_controls.h"
#include "syspanel/raytracing_popups.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using syspaneltest::FrameTest;
using syspaneltest::PanelTest;

struct Service {
    const char* name;
    std::function<void()> check;
};

void Walk(const std::vector<Service>& services) {
    for (const Service& service : services) {
        SCOPED_TRACE(service.name);
        service.check();
    }
}

template <class Control>
bool Makes(int id) {
    CXTPControl* control = CreateParameterControl(id, nullptr);
    const bool made = dynamic_cast<Control*>(control) != nullptr;
    if (control) control->InternalRelease();
    return made;
}

TEST_F(PanelTest, EveryPanelServiceTheFrameUsesExistsUnderItsNameAndWorks) {
    KVDocument* const none = nullptr;
    Walk({
        {"control factory", [] {
             EXPECT_TRUE(Makes<CColorPopupControl>(904));
             EXPECT_TRUE(Makes<CMaterialPopup>(905));
             EXPECT_TRUE(Makes<CMaterialPopup>(918));
             EXPECT_TRUE(Makes<CSyspanelEdit>(907));
             EXPECT_TRUE(Makes<CSyspanelEdit>(909));
             EXPECT_TRUE(Makes<CSyspanelEdit>(915));
             EXPECT_TRUE(Makes<CStaticImageControl>(910));
             EXPECT_TRUE(Makes<CLayerPopupControl>(911));
             EXPECT_TRUE(Makes<LCSPopupControl>(912));
             EXPECT_TRUE(Makes<CFontComboBox>(914));
             EXPECT_TRUE(Makes<OptixCameraPopup>(2041));
             EXPECT_TRUE(Makes<OptixQualityPopup>(2042));
         }},
        {"CStringEquals", [] {
             const CString text = L"Layer";
             EXPECT_TRUE(CStringEquals(text, text));
             EXPECT_TRUE(CStringEquals(L"Layer", L"Layer"));
             EXPECT_FALSE(CStringEquals(L"Layer", L"layer")) << "no case folding";
             EXPECT_FALSE(CStringEquals(L"Layer", L"Layer "));
         }},
        {"set_syspanel_doublevar, set_syspanel_intvar and the unpacking", [&] {
             bar->set_syspanel_doublevar(none, 907, 2.5, -1);
             double number = 0;
             int variable = 0;
             CSysPanelToolbar::UnpackDoubleVar(static_cast<const SysPanelValue*>(bar->GetControlValue(907)), &number,
                                               &variable);
             EXPECT_EQ(number, 2.5);
             EXPECT_EQ(variable, -1);
             bar->set_syspanel_intvar(none, 909, 7, -1);
             int whole = 0;
             CSysPanelToolbar::UnpackIntVar(static_cast<const SysPanelValue*>(bar->GetControlValue(909)), &whole,
                                            &variable);
             EXPECT_EQ(whole, 7);
             EXPECT_EQ(variable, -1);
         }},
        {"set_syspanel_int and the integer value", [&] {
             bar->set_syspanel_int(none, 904, 5);
             int value = -1;
             EXPECT_NE(bar->GetControlIntValue(904, &value), nullptr);
             EXPECT_EQ(value, 5);
         }},
        {"SetSyspanelButtonStatus and the control state", [&] {
             const UINT ids[] = {904};
             ASSERT_TRUE(bar->SetButtons(ids, 1));
             bar->SetSyspanelButtonStatus(904, true, true);
             bool checked = false, disabled = false;
             EXPECT_TRUE(bar->GetControlState(904, &checked, &disabled));
             EXPECT_TRUE(checked);
             EXPECT_TRUE(disabled);
             EXPECT_FALSE(bar->GetControlState(5000, &checked, &disabled)) << "no such control";
         }},
        {"DisableSyspanelControls and enabling one control", [&] {
             bar->EnableSyspanelControl(904, true);
             bar->DisableSyspanelControls();
             EXPECT_FALSE(bar->FindRegisteredControl(904)->GetEnabled());
             bar->EnableSyspanelControl(904, true);
             EXPECT_TRUE(bar->FindRegisteredControl(904)->GetEnabled());
         }},
        {"FindRegisteredControl", [&] {
             EXPECT_NE(bar->FindRegisteredControl(914), nullptr);
             EXPECT_EQ(bar->FindRegisteredControl(5000), nullptr);
         }},
        {"SetFilterButtonText and SetFilterButton", [&] {
             bar->SetFilterButtonText(2705, 300, L"Lines");
             CXTPControl* button = bar->FindRegisteredControl(2705);
             ASSERT_NE(button, nullptr);
             EXPECT_EQ(button->GetTooltip(), CString(L"Lines"));
             bar->SetFilterButtonText(2705, 0, L"Lines");  // icon 0 takes the button away
             EXPECT_EQ(bar->GetControls()->FindControl(2705), nullptr);
         }},
        {"ShowRegisteredControl", [&] {
             bar->ShowRegisteredControl(911, true);
             CXTPControl* layer = bar->GetControls()->FindControl(911);
             ASSERT_NE(layer, nullptr);
             EXPECT_TRUE(layer->IsVisible());
             bar->ShowRegisteredControl(911, false);
             EXPECT_FALSE(layer->IsVisible());
         }},
        {"SwitchSelectionFilterSet", [&] {
             EXPECT_TRUE(bar->SwitchSelectionFilterSet(2));
             EXPECT_EQ(bar->GetCurrentFilterSet(), 2);
             EXPECT_FALSE(bar->SwitchSelectionFilterSet(1000)) << "no such set";
             EXPECT_EQ(bar->GetCurrentFilterSet(), 2);
         }},
        {"SetSyspanelControls", [&] {
             EXPECT_TRUE(bar->SetSyspanelControls({{904, 0, 0}, {911, 0, 0}}));
             EXPECT_NE(bar->GetControls()->FindControl(911), nullptr);
         }},
        {"CopyControlValue", [&] {
             auto* other = dynamic_cast<CLayerPopupControl*>(CreateParameterControl(911, nullptr));
             ASSERT_NE(other, nullptr);
             other->SetID(911);
             const std::int32_t layer = 4;
             other->SetValue(none, &layer);
             bar->CopyControlValue(other);
             int copied = -1;
             bar->GetControlIntValue(911, &copied);
             EXPECT_EQ(copied, 4);
             other->InternalRelease();
         }},
        {"OptixCameraPopup::SetCameraList", [] {
             OptixCameraPopup popup;
             popup.SetCameraList({{7, L"Front"}, {9, L"Top"}}, 9);
             ASSERT_EQ(popup.GetCameraList().size(), 3u);
             EXPECT_EQ(popup.GetCameraList()[0].id, 0u) << "the entry for no camera comes first";
             EXPECT_EQ(*static_cast<const std::uint64_t*>(popup.GetValue()), 9u);
         }},
    });
}

TEST_F(FrameTest, TheFrameOwnsItsPanelBarTheManipulatorPanelsAndTheFilterForwarders) {
    CSysPanelToolbar* panel = frame->GetSysPanelToolbar();
    ASSERT_NE(panel, nullptr);
    Walk({
        {"CSysPanelToolbar", [&] {
             EXPECT_EQ(panel->GetBarID(), 1002u);
             EXPECT_EQ(panel->GetTitle(), KVLoadString(10161));
             EXPECT_EQ(panel->GetFlags(), 0x100033u);
         }},
        {"CManipPanel", [&] {
             ASSERT_NE(frame->GetManipPanel(1), nullptr);
             ASSERT_NE(frame->GetManipPanel(2), nullptr);
             EXPECT_EQ(frame->GetManipPanel(1)->GetPanelId(), 1);
             EXPECT_EQ(frame->GetManipPanel(2)->GetPanelId(), 2);
         }},
        {"BeginSelectionFilterConfiguration and EndSelectionFilterConfiguration", [&] {
             const unsigned before = panel->GetLayoutLockCount();
             frame->BeginSelectionFilterConfiguration();
             EXPECT_EQ(panel->GetLayoutLockCount(), before + 1) << "the frame forwards to its panel";
             frame->EndSelectionFilterConfiguration();
             EXPECT_EQ(panel->GetLayoutLockCount(), before);
         }},
        {"SetSelectionFilterSet", [&] {
             frame->SetSelectionFilterSet(2);
             EXPECT_EQ(panel->GetCurrentFilterSet(), 2);
             EXPECT_EQ(frame->GetSelectionFilterSet(), 2);
         }},
        {"SetSelectionFilterButtonState", [&] {
             frame->SetSelectionFilterButtonState(904, true, true);
             bool checked = false, disabled = false;
             ASSERT_TRUE(panel->GetControlState(904, &checked, &disabled) || panel->FindRegisteredControl(904));
             EXPECT_TRUE(panel->FindRegisteredControl(904)->GetChecked());
             EXPECT_FALSE(panel->FindRegisteredControl(904)->GetEnabled());
         }},
        {"SetSelectionFilterButtonIconAndToolTip", [&] {
             frame->SetSelectionFilterButtonIconAndToolTip(2706, 301, L"Arcs");
             CXTPControl* button = panel->FindRegisteredControl(2706);
             ASSERT_NE(button, nullptr);
             EXPECT_EQ(button->GetTooltip(), CString(L"Arcs"));
         }},
    });
}

}  // namespace
