// The pop-up that switches the user's ribbon tabs off and on.
#include "commandbars/ribbon_tabs_popup.h"
#include "platform/core/text.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;

std::string menus(platform::harness::Session& s) {
    std::string text;
    for (const auto& entry : s.journal().entries())
        if (entry.line().rfind(L"menu ", 0) == 0) text += platform::core::toUtf8(entry.line()) + "\n";
    return text;
}

class RibbonTabsPopupTest : public RibbonFrameTest {
protected:
    void SetUp() override {
        RibbonFrameTest::SetUp();
        if (HasFatalFailure()) return;
        home->GetGroup(0)->Add(new RibbonTabsPopup, 0);
        s.runUntilIdle();
    }
};

TEST_F(RibbonTabsPopupTest, OffersOnlyNonContextualTabsWithAnIdentityAndTogglesTheChosenOne) {
    // Sheet and Model are contextual, Plain is contextual without a GUID, Tagged has no GUID.
    s.user().expectMenuChoose(L"Home");
    s.user().expectMenuDismiss();
    EXPECT_EQ(s.user().clickControl(frame->GetSafeHwnd(), 0), std::nullopt);
    const std::string shown = menus(s);
    EXPECT_NE(shown.find("2 items\nmenu   0 \"Home\" checked\nmenu   ---- 9607 "), std::string::npos) << shown;
    EXPECT_TRUE(home->IsDisabledByUser());
    EXPECT_FALSE(home->IsVisible()) << "a tab switched off leaves the tab row";
    // The menu stays open after the click and shows the new state.
    EXPECT_NE(shown.find("2 items\nmenu   0 \"Home\"\nmenu   ---- 9607 "), std::string::npos) << shown;
    EXPECT_FALSE(sheet->IsDisabledByUser());
    EXPECT_FALSE(tagged->IsDisabledByUser());
}

TEST_F(RibbonTabsPopupTest, DoesNotOpenWhileTheBarsAreCustomised) {
    bars->SetCustomizeMode(TRUE);
    EXPECT_EQ(s.user().clickControl(frame->GetSafeHwnd(), 0), std::nullopt);
    EXPECT_EQ(menus(s), "");
    bars->SetCustomizeMode(FALSE);
}

}  // namespace
