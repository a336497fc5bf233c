// The manipulator panel's getters when the active frame's bar is hidden, its read-only switch,
// a null kernel object, and a kernel object that goes before its views.
#include <memory>

#include "syspanel/manip_panel.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using syspaneltest::FrameTest;

class ManipPanelTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        panel = frame->GetManipPanel(1);
        ASSERT_NE(panel, nullptr);
        bar = frame->GetSysPanelToolbar();
        toolBar = frame->GetSelectionFilterToolBar();
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(toolBar, nullptr);
    }

    CManipPanel* panel = nullptr;
    CSysPanelToolbar* bar = nullptr;
    Korvo::UI::SelectionFilterToolBar* toolBar = nullptr;
};

TEST_F(ManipPanelTest, GettersReadTheBarViewThenTheToolBarViewThenTheirDefaults) {
    auto edit = std::make_unique<CKVSysPanelEditImpl>(L"len", 3001);
    panel->AddEdit(edit.get());
    ASSERT_EQ(edit->GetControls().size(), 2u);
    // The tool bar's view alone holds another value: it shows whose value a getter reads.
    SysPanelValue other;
    other.value = 7.0;
    panel->SetEditValue(edit.get(), nullptr, 1.5, -1);
    dynamic_cast<IDataExchange*>(edit->GetControls()[1])->SetValue(nullptr, &other);
    panel->SetEditShowSign(edit.get(), false);
    panel->SetEditFormatValue(edit.get(), 0.25);

    double value = 0.0;
    int variable = 0;
    ASSERT_TRUE(panel->GetEditValue(edit.get(), &value, &variable));
    EXPECT_EQ(value, 1.5);
    EXPECT_EQ(variable, -1);
    bar->SetVisible(FALSE);
    ASSERT_TRUE(panel->GetEditValue(edit.get(), &value, nullptr));
    EXPECT_EQ(value, 7.0);
    toolBar->SetVisible(FALSE);
    value = -1.0;
    EXPECT_FALSE(panel->GetEditValue(edit.get(), &value, &variable));
    EXPECT_EQ(value, -1.0);  // untouched
    EXPECT_FALSE(panel->IsControlEnabled(edit.get()));
    EXPECT_TRUE(panel->GetEditShowSign(edit.get()));
    EXPECT_EQ(panel->GetEditFormatValue(edit.get()), 0.0);
    toolBar->SetVisible(TRUE);
    EXPECT_FALSE(panel->GetEditShowSign(edit.get()));
    EXPECT_EQ(panel->GetEditFormatValue(edit.get()), 0.25);

    // A null object: views without an object, setters and getters that do nothing.
    panel->AddLabel(nullptr);
    panel->SetLabelCaption(nullptr, L"Ignored");
    EXPECT_EQ(panel->GetLabelCaption(nullptr), CString());
    EXPECT_FALSE(panel->IsCheckBoxChecked(nullptr));
    panel->Clear();
    EXPECT_TRUE(edit->GetControls().empty());
}

TEST_F(ManipPanelTest, ReadOnlyTakesTheFocusAwayAndGivesBackTheEditItWas) {
    auto edit = std::make_unique<CKVSysPanelEditImpl>(L"len", 3001);
    panel->AddEdit(edit.get());
    auto* view = dynamic_cast<CXTPControlEdit*>(edit->GetControls()[0]);
    ASSERT_NE(view, nullptr);
    view->SetEditStyle(0x1);
    const DWORD flagsBefore = view->GetFlags();
    ASSERT_NE(flagsBefore & xtpFlagManualUpdate, 0u) << "the command, not the idle pass, keeps the view's state";
    panel->SetEditReadOnly(edit.get(), true);
    EXPECT_TRUE(view->GetReadOnly());
    EXPECT_EQ(view->GetEditStyle(), 0x901u);
    EXPECT_EQ(view->GetFlags(), flagsBefore | xtpFlagSkipFocus);
    view->SetEditStyle(view->GetEditStyle() | 0x4);
    panel->SetEditReadOnly(edit.get(), false);
    EXPECT_FALSE(view->GetReadOnly());
    EXPECT_EQ(view->GetEditStyle(), 0x5u);
    EXPECT_EQ(view->GetFlags(), flagsBefore) << "read-only off keeps the manual update: the edit can be typed into";
    panel->Clear();
}

TEST_F(ManipPanelTest, AnObjectThatGoesFirstLeavesItsViewsWithoutIt) {
    auto box = std::make_unique<CKVSysPanelCheckBoxImpl>(L"snap", 3002);
    panel->AddCheckBox(box.get());
    auto* view = dynamic_cast<CManipPanelCheckBox*>(box->GetControls()[0]);
    ASSERT_NE(view, nullptr);
    box.reset();
    EXPECT_EQ(view->GetKernelObject(), nullptr);
    view->OnExecute();  // toggles and tells nobody
    EXPECT_TRUE(view->GetChecked());
    panel->Clear();  // the views go without reaching the object
    EXPECT_TRUE(panel->IsEmpty());
}

}  // namespace
