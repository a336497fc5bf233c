// The value protocol of the parameter controls: values set while a control is off show, copies
// only between controls of one kind, resets to each control's own empty value.
#include <gtest/gtest.h>

#include <cstdint>

#include "syspanel/manip_panel.h"
#include "syspanel/parameter_controls.h"

namespace {

KVDocument* const kDocument = nullptr;

TEST(ParameterControls, CopyTakesOverOnlyTheSameKindOfControl) {
    CLayerPopupControl layer, otherLayer;
    const std::int32_t three = 3;
    otherLayer.SetValue(kDocument, &three);
    layer.CopyFrom(&otherLayer);
    EXPECT_EQ(*static_cast<const std::int32_t*>(layer.GetValue()), 3);
    layer.CopyFrom(&layer);
    layer.CopyFrom(nullptr);
    LCSPopupControl lcs;
    layer.CopyFrom(&lcs);  // another class: ignored
    EXPECT_EQ(*static_cast<const std::int32_t*>(layer.GetValue()), 3);
    layer.Reset();
    EXPECT_EQ(*static_cast<const std::int32_t*>(layer.GetValue()), -1);

    // A manipulator edit is a parameter edit: the two exchange values.
    CManipPanelEdit manip;
    CSyspanelEdit edit("Level", 2, -1.0);
    const SysPanelValue value{1.5, -1, CString()};
    manip.SetValue(kDocument, &value);
    edit.CopyFrom(&manip);
    EXPECT_EQ(static_cast<const SysPanelValue*>(edit.GetValue())->value, 1.5);
    EXPECT_EQ(edit.GetEditText(), CString(L"1.5"));
    EXPECT_TRUE(manip.GetParameterName().empty());
    EXPECT_EQ(manip.GetSpinStep(), 0.1);
    EXPECT_EQ(edit.GetSpinStep(), 1.0);  // a step of -1 counts as 1
}

TEST(ParameterControls, EachResetsToItsOwnEmptyValue) {
    CSyspanelEdit edit("FontSize", 9, -1.0, 1016, 1023);
    const SysPanelValue value{3.5, 2, L"h1"};
    edit.SetValue(kDocument, &value);
    // Without a document the variable cannot be shown: "0", and the binding is dropped.
    EXPECT_EQ(edit.GetEditText(), CString(L"0"));
    edit.Reset();
    EXPECT_TRUE(edit.GetEditText().IsEmpty());
    // Reading commits the empty text: with style bit 1 that is the "default" sentinel.
    const auto* reset = static_cast<const SysPanelValue*>(edit.GetValue());
    EXPECT_EQ(reset->value, 99999.0);
    EXPECT_EQ(reset->variable, -1);

    OptixQualityPopup quality;
    quality.Initialize();
    EXPECT_EQ(*static_cast<const std::int32_t*>(quality.GetValue()), 2);

    OptixCameraPopup camera;
    camera.SetCameraList({{7, L"Front"}});
    ASSERT_EQ(camera.GetCameraList().size(), 2u);
    EXPECT_EQ(camera.GetCameraList()[0].id, 0u);  // "none" first
    EXPECT_EQ(camera.GetCameraList()[1].name, CString(L"Front"));
    const std::uint64_t seven = 7;
    camera.SetValue(kDocument, &seven);
    camera.Reset();
    EXPECT_TRUE(camera.GetCameraList().empty());
    EXPECT_EQ(*static_cast<const std::uint64_t*>(camera.GetValue()), 0u);

    CColorPopupControl colour;
    const std::int32_t red = 0xFF;
    colour.SetValue(kDocument, &red);
    colour.Reset();  // a colour has no empty value
    EXPECT_EQ(*static_cast<const std::int32_t*>(colour.GetValue()), 0xFF);
}

TEST(ParameterControls, StringsCompareByExactCodeUnits) {
    const CString a = L"Tooltip";
    EXPECT_TRUE(CStringEquals(a, a));
    EXPECT_TRUE(CStringEquals(a, CString(L"Tooltip")));
    EXPECT_FALSE(CStringEquals(a, CString(L"tooltip")));
    EXPECT_FALSE(CStringEquals(a, CString(L"Tooltip ")));
    EXPECT_TRUE(CStringEquals(CString(), CString(L"")));
}

}  // namespace
