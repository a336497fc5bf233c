// The panel's registry and selection-filter buttons: references that balance through rebuilds,
// clones and destruction; buttons that come back with their own look; the layout run by the
// outermost unlock only; button sizes measured at the screen's resolution.
#include <optional>

#include "syspanel/parameter_controls.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using Korvo::UI::SelectionFilterButton;
using syspaneltest::PanelTest;

KVDocument* const kDocument = nullptr;

TEST_F(PanelTest, BuiltinFilterButtonsAreRegisteredInTheirOrderAndComeBackWithTheirOwnLook) {
    EXPECT_EQ(bar->GetRegisteredCount(), 12u + static_cast<std::size_t>(Korvo::UI::GetBuiltinFilterButtonCount()));
    auto* lines = dynamic_cast<SelectionFilterButton*>(bar->FindRegisteredControl(2702));
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->GetTag(), 1u);  // its place among the built-in buttons
    EXPECT_EQ(lines->GetIconId(), 4134);
    EXPECT_EQ(lines->GetTooltip(), CString(L"Lines"));
    EXPECT_EQ(lines->GetFlags(), xtpFlagManualUpdate);
    EXPECT_NE(bars->GetImageManager()->Lookup(4134, 16), nullptr);
    EXPECT_EQ(bar->GetControls()->GetCount(), 0);  // measured, then taken off again
    ASSERT_NE(bar->GetSelectionModePopup(), nullptr);
    EXPECT_FALSE(bar->GetGeometricTypeButton(0)->IsVisible());
    EXPECT_TRUE(bar->GetGeometricTypeButton(0)->GetBeginGroup());

    // A set's own look lasts while the button is on the bar; leaving it restores the default.
    const UINT ids[] = {2702, 2750};
    ASSERT_TRUE(bar->SetButtons(ids, 2));
    bar->SetFilterButtonText(2702, 4130, L"Segments");
    lines->SetVisible(FALSE);
    CXTPControl* made = bar->GetControls()->FindControl(2750);
    ASSERT_TRUE(made->IsKindOf(RUNTIME_CLASS(SelectionFilterButton)));
    EXPECT_FALSE(static_cast<SelectionFilterButton*>(made)->IsBuiltIn());
    ASSERT_TRUE(bar->SetButtons(nullptr, 0));
    EXPECT_EQ(lines->GetIconId(), 4134);
    EXPECT_EQ(lines->GetTooltip(), CString(L"Lines"));
    EXPECT_TRUE(lines->IsVisible());

    // Anything else taken off the bar keeps what it had.
    CXTPControlButton other;
    other.SetID(2702);
    other.SetVisible(FALSE);
    other.SetTooltip(L"Own");
    ResetRemovedFilterButton(&other);
    EXPECT_FALSE(other.IsVisible());
    EXPECT_EQ(other.GetTooltip(), CString(L"Own"));
}

TEST_F(PanelTest, ShownFilterButtonsKeepTheirOrderAndStandBeforeACommandsControls) {
    CXTPControls* controls = bar->GetControls();
    bar->ShowRegisteredControl(2705, true);
    bar->ShowRegisteredControl(2709, true);
    bar->ShowRegisteredControl(2702, true);
    ASSERT_EQ(controls->GetCount(), 3);
    EXPECT_EQ(controls->GetAt(0)->GetID(), 2702);
    EXPECT_EQ(controls->GetAt(1)->GetID(), 2705);
    EXPECT_EQ(controls->GetAt(2)->GetID(), 2709);

    // While a command's controls stand on the bar, a button shown goes right before them.
    auto* own = new CXTPControlButton();
    own->SetID(1);
    bar->InsertCommandControl(own, 1);
    bar->ShowRegisteredControl(2701, true);
    ASSERT_EQ(controls->GetCount(), 5);
    EXPECT_EQ(controls->GetAt(3)->GetID(), 2701);
    EXPECT_EQ(controls->GetAt(4), own);

    // A button a command names that is not built in goes before the command's controls too.
    bar->SetFilterButtonText(2760, 500, L"Mine");
    EXPECT_EQ(controls->GetAt(4)->GetID(), 2760);
    EXPECT_EQ(controls->GetAt(5), own);
}

TEST_F(PanelTest, ReferencesBalanceThroughRebuildsClonesAndTheEndOfTheBar) {
    bar->set_syspanel_doublevar(kDocument, 907, 6.0, -1);
    CXTPControl* level = bar->FindRegisteredControl(907);
    CXTPControl* lines = bar->FindRegisteredControl(2702);
    level->InternalAddRef();
    lines->InternalAddRef();
    const LONG levelCount = level->GetRefCount();

    const UINT ids[] = {907, 0, 2702, 904};
    for (int round = 0; round < 3; ++round) ASSERT_TRUE(bar->SetButtons(ids, 4));
    EXPECT_EQ(level->GetRefCount(), levelCount + 1);  // the registry's, the bar's and ours

    // A clone has the controls and the settings, but registers nothing.
    bar->SetButtonSize({40, 40});
    auto* copy = dynamic_cast<CSysPanelToolbar*>(bar->Clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetRegisteredCount(), 0u);
    EXPECT_EQ(copy->FindRegisteredControl(907), nullptr);
    ASSERT_EQ(copy->GetControls()->GetCount(), 3);
    EXPECT_NE(copy->GetControls()->GetAt(0), level);
    EXPECT_TRUE(copy->GetControls()->GetAt(1)->GetBeginGroup());
    EXPECT_EQ(copy->GetButtonSize().cx, 40);
    EXPECT_EQ(level->GetRefCount(), levelCount + 1);
    copy->InternalRelease();

    // The bar's end gives back the bar's and the registry's references once each.
    bars.reset();
    EXPECT_EQ(level->GetRefCount(), 1);
    EXPECT_EQ(lines->GetRefCount(), 1);
    EXPECT_EQ(static_cast<const SysPanelValue*>(dynamic_cast<IDataExchange*>(level)->GetValue())->value, 6.0);
    level->InternalRelease();
    lines->InternalRelease();
}

TEST_F(PanelTest, TheOutermostUnlockLaysOutTheSelectionAreaButDisablingDoesNot) {
    const UINT ids[] = {907, 2703, 2704};
    ASSERT_TRUE(bar->SetButtons(ids, 3));
    CXTPControls* controls = bar->GetControls();
    controls->GetAt(2)->SetBeginGroup(TRUE);

    bar->DisableSyspanelControls();  // the redraw lock only
    EXPECT_FALSE(controls->GetAt(1)->GetBeginGroup());
    EXPECT_TRUE(controls->GetAt(2)->GetBeginGroup());

    bar->LockLayout();
    bar->LockLayout();
    bar->UnlockLayout();
    EXPECT_FALSE(controls->GetAt(1)->GetBeginGroup());
    bar->UnlockLayout();
    EXPECT_TRUE(controls->GetAt(1)->GetBeginGroup());  // the first filter button starts the area
    EXPECT_FALSE(controls->GetAt(2)->GetBeginGroup());
    EXPECT_FALSE(controls->GetAt(0)->GetBeginGroup());
}

TEST_F(PanelTest, RequestsForAnIdThatIsOnlyOnTheBarChangeNothing) {
    const UINT ids[] = {5000};
    ASSERT_TRUE(bar->SetButtons(ids, 1));
    CXTPControl* plain = bar->GetControls()->GetAt(0);
    plain->SetEnabled(FALSE);
    bar->set_syspanel_int(kDocument, 5000, 1);
    bar->set_syspanel_doublevar(kDocument, 5000, 1.0, -1);
    bar->set_syspanel_cstr(kDocument, 5000, L"x");
    bar->set_syspanel_font(kDocument, 5000, L"Arial", 0);
    EXPECT_FALSE(plain->GetEnabled());
    EXPECT_EQ(bar->GetControlValue(5000), nullptr);
    int out = 7;
    EXPECT_EQ(bar->GetControlIntValue(5000, &out), nullptr);
    EXPECT_EQ(out, 7);
}

// Bars measured on a screen of a given resolution.
class PanelSizeTest : public platform::harness::SessionTest {
protected:
    void start(int dpi, int dpiY = 0) {
        platform::harness::Config config;
        config.platform.dpi = dpi;
        config.platform.dpiY = dpiY;
        session.emplace(config);
        session->start();
        ASSERT_EQ(session->startResult(), 1);
        site = new syspaneltest::PanelSite;
        ASSERT_TRUE(site->Create(nullptr, L"Panel site"));
        bars.reset(CXTPCommandBars::CreateCommandBars(nullptr, site));
        bar = static_cast<CSysPanelToolbar*>(bars->Add(L"Panel", xtpBarTop, RUNTIME_CLASS(CSysPanelToolbar)));
        site->bar = bar;
        bar->RegisterSyspanelControls();
    }
    void TearDown() override {
        bars.reset();
        if (site) site->DestroyWindow();
    }
    SIZE measured(int id) {
        CXTPControl* control = bar->FindRegisteredControl(id);
        control->InternalAddRef();
        bar->GetControls()->Add(control, id);
        const SIZE size = control->GetSize(nullptr);
        bar->GetControls()->Remove(control);
        return size;
    }
    // A control that asks for its own height.
    void registerTall(int height) {
        auto* tall = new CXTPControlButton();
        tall->SetHeight(height);
        bar->RegisterControl(3000, tall, -1);
        tall->InternalRelease();
    }

    std::optional<platform::harness::Session> session;
    syspaneltest::PanelSite* site = nullptr;
    std::unique_ptr<CXTPCommandBars> bars;
    CSysPanelToolbar* bar = nullptr;
};

TEST_F(PanelSizeTest, At96DpiButtonsAre22AndEditsSitTwoPixelsLower) {
    start(96);
    EXPECT_EQ(bar->GetButtonSize(), (SIZE{22, 22}));  // no registered control is taller
    EXPECT_EQ(measured(907), (SIZE{46, 20}));
    EXPECT_EQ(measured(915), (SIZE{80, 20}));  // the font size shows the default text: wide
    EXPECT_EQ(measured(910), (SIZE{22, 22}));
    EXPECT_EQ(measured(2701), (SIZE{22, 22}));
    registerTall(30);
    EXPECT_EQ(bar->GetButtonSize(), (SIZE{30, 30}));
    registerTall(26);  // a lower control (and an id taken) changes nothing
    EXPECT_EQ(bar->GetButtonSize(), (SIZE{30, 30}));
}

TEST_F(PanelSizeTest, At144DpiEverythingScales) {
    start(144);
    EXPECT_EQ(bar->GetButtonSize(), (SIZE{33, 33}));
    EXPECT_EQ(measured(907), (SIZE{69, 31}));
    EXPECT_EQ(measured(915), (SIZE{120, 31}));
    EXPECT_EQ(measured(904), (SIZE{33, 33}));
    registerTall(45);
    EXPECT_EQ(bar->GetButtonSize(), (SIZE{45, 45}));
}

TEST_F(PanelSizeTest, AtUnequalResolutionsATallerControlKeepsTheButtonsSquareInDesignUnits) {
    start(144, 120);
    EXPECT_EQ(bar->GetButtonSize(), (SIZE{33, 28}));
    registerTall(40);  // 32 design pixels high: 48 screen pixels wide
    EXPECT_EQ(bar->GetButtonSize(), (SIZE{48, 40}));
}

}  // namespace
