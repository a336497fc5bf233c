// The toolkit's sizes: each axis scales by its own resolution and back, and a control measures
// by its bar's buttons; a bar's copy carries clones of its controls.
#include <gtest/gtest.h>

#include "platform/core/config.h"
#include "platform/core/control.h"
#include "platform/toolkit.h"
#include "platform/win32.h"

namespace {

TEST(ToolkitSizes, UnequalResolutionsScaleEachAxisAndUnscaleBack) {
    platform::core::Config config;
    config.dpi = 144;
    config.dpiY = 120;
    platform::core::control::configure(config);
    CXTPDpi* dpi = XTPDpiHelper();
    EXPECT_EQ(dpi->GetDPIY(), 120);
    EXPECT_EQ(dpi->Scale(SIZE{22, 22}), (SIZE{33, 28}));  // 27.5 rounds up
    EXPECT_EQ(dpi->UnscaleY(40), 32);
    EXPECT_EQ(dpi->UnscaleX(-3), -2);  // halves away from zero
    EXPECT_EQ(::GetDeviceCaps(nullptr, LOGPIXELSY), 120);
    EXPECT_EQ(::GetDeviceCaps(nullptr, LOGPIXELSX), 144);
}

TEST(ToolkitSizes, ControlsMeasureByTheirBarsButtonsAndBarCopiesCloneTheirControls) {
    CXTPToolBar bar;
    EXPECT_EQ(bar.GetButtonSize(), (SIZE{22, 22}));
    bar.SetButtonSize({30, 26});
    CXTPControl* button = bar.GetControls()->Add(xtpControlButton, 1);
    auto* edit = static_cast<CXTPControlEdit*>(bar.GetControls()->Add(xtpControlEdit, 2));
    auto* combo = static_cast<CXTPControlComboBox*>(bar.GetControls()->Add(xtpControlComboBox, 3));
    EXPECT_EQ(button->GetSize(nullptr), (SIZE{30, 26}));
    button->SetHeight(40);
    EXPECT_EQ(button->GetSize(nullptr), (SIZE{30, 40}));
    EXPECT_EQ(edit->GetSize(nullptr), (SIZE{100, 26}));  // no width: the toolkit's
    edit->SetWidth(60);
    EXPECT_EQ(edit->GetSize(nullptr), (SIZE{60, 26}));
    combo->SetWidth(70);
    EXPECT_EQ(combo->GetSize(nullptr), (SIZE{70, 26}));
    CXTPControlButton loose;
    EXPECT_EQ(loose.GetSize(nullptr), (SIZE{22, 22}));

    bar.SetTitle(L"Tools");
    CXTPCommandBar* copy = bar.Clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CXTPToolBar)));
    EXPECT_EQ(copy->GetTitle(), CString(L"Tools"));
    EXPECT_EQ(copy->GetButtonSize(), (SIZE{30, 26}));
    ASSERT_EQ(copy->GetControls()->GetCount(), 3);
    EXPECT_NE(copy->GetControls()->GetAt(1), edit);
    EXPECT_EQ(static_cast<CXTPControlEdit*>(copy->GetControls()->GetAt(1))->GetWidth(), 60);
    EXPECT_EQ(copy->GetControls()->GetAt(1)->GetSize(nullptr), (SIZE{60, 26}));
    EXPECT_EQ(edit->GetRefCount(), 1);
    copy->InternalRelease();
}

}  // namespace
