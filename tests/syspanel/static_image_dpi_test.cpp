// The panel's icon control on a screen of 144 dpi: a raster icon grows with the screen when the
// bars scale their bitmaps and the grown icon fits the control, and keeps its extent otherwise.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/record.h"
#include "syspanel/parameter_controls.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

class StaticImageDpi : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        platform::harness::Config config;
        config.platform.dpi = 144;
        session.emplace(config);
        session->start();
        ASSERT_EQ(session->startResult(), 1);
        site = new syspaneltest::PanelSite;
        ASSERT_TRUE(site->Create(nullptr, L"Panel site"));
        bars.reset(CXTPCommandBars::CreateCommandBars(nullptr, site));
        bar = static_cast<CSysPanelToolbar*>(bars->Add(L"Panel", xtpBarTop, RUNTIME_CLASS(CSysPanelToolbar)));
        icon = new CStaticImageControl(218);
        bar->GetControls()->Add(icon, 910);
        // A raster icon as wide as the bar's buttons, opaque throughout.
        const int side = static_cast<int>(bar->GetButtonSize().cx);
        bars->GetImageManager()->SetIcon(
            218, new CXTPImageManagerIcon(218, side, side, std::vector<std::uint32_t>(static_cast<std::size_t>(side * side), 0xFF102030u)));
    }
    void TearDown() override {
        bars.reset();
        if (site) site->DestroyWindow();
    }
    // What drawing the control into `rect` of the site put there.
    std::wstring drawn(RECT rect) {
        CDC dc;
        dc.Attach(::GetDC(site->GetSafeHwnd()));
        icon->Draw(&dc, rect);
        ::ReleaseDC(site->GetSafeHwnd(), dc.Detach());
        const std::vector<std::wstring> lines = platform::win32::windowDrawing(site->GetSafeHwnd());
        const auto found = std::find_if(lines.rbegin(), lines.rend(),
                                        [](const std::wstring& line) { return line.rfind(L"StretchBlt", 0) == 0; });
        return found == lines.rend() ? std::wstring() : *found;
    }

    std::optional<platform::harness::Session> session;
    syspaneltest::PanelSite* site = nullptr;
    std::unique_ptr<CXTPCommandBars> bars;
    CSysPanelToolbar* bar = nullptr;
    CStaticImageControl* icon = nullptr;
};

TEST_F(StaticImageDpi, ARasterIconGrowsWithTheScreenOnlyWhenTheBarsScaleAndItFits) {
    EXPECT_EQ(icon->GetSize(nullptr), bar->GetButtonSize());
    const int side = static_cast<int>(bar->GetButtonSize().cx), grown = XTPDpiHelper()->ScaleX(side);
    ASSERT_GT(grown, side);
    // The grown icon fits a control of 80 pixels: drawn centred at its grown size.
    const int in = (80 - grown) / 2;
    EXPECT_EQ(drawn(RECT{0, 0, 80, 80}).find(L"StretchBlt " + platform::core::rectText(in, in, in + grown, in + grown)), 0u);
    // Too small a control for the grown icon: the icon's own extent.
    const int own = 2;  // centred in 4 spare pixels
    EXPECT_EQ(drawn(RECT{0, 0, side + 4, side + 4}).find(L"StretchBlt " + platform::core::rectText(own, own, own + side, own + side)), 0u);
    bars->GetCommandBarsOptions()->bDpiScaling = FALSE;
    const int plain = (80 - side) / 2;
    EXPECT_EQ(drawn(RECT{0, 0, 80, 80}).find(L"StretchBlt " + platform::core::rectText(plain, plain, plain + side, plain + side)), 0u);
}

// The layer, coordinate-system and material choosers are as wide as the names they draw need,
// grown with the screen like the bar's buttons are high.
TEST_F(StaticImageDpi, ChoosersTakeTheirWidthsScaledToTheScreen) {
    auto* layer = new CLayerPopupControl;
    bar->GetControls()->Add(layer, 903);
    auto* system = new LCSPopupControl;
    bar->GetControls()->Add(system, 920);
    auto* material = new CMaterialPopup(true);
    bar->GetControls()->Add(material, 905);
    ASSERT_GT(XTPDpiHelper()->ScaleX(183), 183);
    EXPECT_EQ(layer->GetSize(nullptr).cx, XTPDpiHelper()->ScaleX(183));
    EXPECT_EQ(system->GetSize(nullptr).cx, XTPDpiHelper()->ScaleX(183));
    EXPECT_EQ(material->GetSize(nullptr).cx, XTPDpiHelper()->ScaleX(137));
    EXPECT_EQ(layer->GetSize(nullptr).cy, bar->GetButtonSize().cy);
}

}  // namespace
