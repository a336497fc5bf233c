// The UI library's control framework as a headless model: controls found by full id, user events
// held back while the program fills controls, selects and toggles as a user works them, a list
// over its model (selection modes, resets, column visibility) and form settings by name.
#include <gtest/gtest.h>

#include "platform/korvoui.h"
#include "tests/platform/maker/kvpf_test_forms.h"

namespace {

using kvpftest::Chooser;
using kvpftest::Form;

class Grid : public kvpf::ListControlModel {
public:
    int rows = 3;
    int columns = 4;
    int GetRowCount() const override { return rows; }
    int GetColumnCount() const override { return columns; }
    kvpf::Variant GetData(int row, int column, int) const override { return row * 10 + column; }
    kvpf::Variant GetHeaderData(int, int) const override { return {}; }
};

struct Fixture {
    Fixture() : form(new Form) {
        select = static_cast<kvpf::SelectControl*>(form->Add(kvpf::MakeRef<kvpf::SelectControl>(CString(L"Pick"))));
        select->AddItem({-777, L"Active"});
        select->AddItem({-666, L"All"});
        select->AddItem({5, L"Five", {}, false});
        select->OnSelectionChanged([this] { ++changes; });
        select->OnLostFocus([this] { ++lostFocus; });
        auto popup = kvpf::MakeRef<kvpf::PopupControl>(CString(L"Popup"));
        toggle = static_cast<kvpf::ToggleControl*>(popup->Add(kvpf::MakeRef<kvpf::ToggleControl>(CString(L"Flag"))));
        form->Add(popup);
        model = kvpf::MakeRef<Grid>();
        list = static_cast<kvpf::ListControl*>(form->Add(kvpf::MakeRef<kvpf::ListControl>(CString(L"List"))));
        list->SetModel(model);
        list->Bind(kvpf::ListControl::Event::SelectionChanged, [this](int, int) { ++selections; });
    }
    ~Fixture() { form->Destroy(); }

    Form* form;
    kvpf::SelectControl* select;
    kvpf::ToggleControl* toggle;
    kvpf::ListControl* list;
    kvpf::Ref<Grid> model;
    int changes = 0, lostFocus = 0, selections = 0;
};

TEST(Kvpf, ControlsAreFoundByFullIdAndUsersMeetDisabledOnesAsRefusals) {
    Fixture f;
    EXPECT_EQ(kvpf::WpfDockFormView::FindControl(L"Form.Popup.Flag"), f.toggle);
    EXPECT_EQ(kvpf::WpfDockFormView::FindControl(L"Form.Flag"), nullptr);
    EXPECT_EQ(f.toggle->GetFullId(), CString(L"Form.Popup.Flag"));

    EXPECT_FALSE(f.select->UserSelect(-777).has_value());
    EXPECT_EQ(f.changes, 1);
    EXPECT_EQ(f.lostFocus, 1) << "choosing closes the drop-down";
    EXPECT_EQ(f.select->UserSelect(5).value(), L"item 5 of \"Form.Pick\" is disabled");
    EXPECT_TRUE(f.select->UserSelect(9).has_value());
    EXPECT_EQ(f.select->GetSelectedCustomId(), -777);

    f.form->Enable(false);
    EXPECT_EQ(f.toggle->UserToggle().value(), L"control \"Form.Popup.Flag\" is disabled") << "a disabled form disables its controls";
    f.form->Enable(true);
    EXPECT_FALSE(f.toggle->UserToggle().has_value());
    EXPECT_TRUE(f.toggle->IsChecked());
}

TEST(Kvpf, SuppressedEventsReachNoHandlerAndNestedSuppressionCounts) {
    Fixture f;
    f.form->SuppressUserEvents(true);
    f.select->SuppressUserEvents(true);
    f.select->SetSelectedIndex(1);
    f.form->SuppressUserEvents(false);
    f.select->SetSelectedIndex(0);
    EXPECT_EQ(f.changes, 0);
    f.select->SuppressUserEvents(false);
    f.select->SetSelectedIndex(1);
    EXPECT_EQ(f.changes, 1);
    f.select->RemoveItemsFrom(1);
    EXPECT_EQ(f.select->GetSelectedIndex(), -1) << "the selected item went";
    EXPECT_EQ(f.select->GetItemCount(), 1);
}

TEST(Kvpf, AListSelectsByItsModeAndAResetClearsTheSelectionButKeepsColumnStates) {
    Fixture f;
    EXPECT_FALSE(f.list->UserSelectRows({2, 0}).has_value());
    EXPECT_EQ(f.list->GetSelectedRows(), (std::vector<int>{2, 0})) << "selection order";
    EXPECT_EQ(f.list->GetSelectedRow(), 0);
    EXPECT_EQ(f.list->GetSelectedRow(0), 2);
    EXPECT_EQ(f.selections, 1);
    EXPECT_EQ(f.list->UserSelectRows({3}).value(), L"list \"Form.List\" has no row 3 (3 rows)");
    f.list->SetSelectionMode(0);
    EXPECT_EQ(f.list->GetSelectedRows(), (std::vector<int>{2})) << "single selection keeps one";
    EXPECT_TRUE(f.list->UserSelectRows({0, 1}).has_value());

    f.list->ShowColumn(3, false);
    f.model->columns = 6;
    f.model->NotifyDataReset();
    EXPECT_TRUE(f.list->GetSelectedRows().empty());
    EXPECT_FALSE(f.list->IsColumnVisible(3));
    EXPECT_TRUE(f.list->IsColumnVisible(5)) << "new columns show";
    f.model->columns = 2;
    f.model->NotifyDataReset();
    EXPECT_FALSE(f.list->IsColumnVisible(3));
    f.model->NotifyDataChanged(0, 2, 0, 1, {20});
    EXPECT_EQ(f.list->GetNotifications().back(), L"data 0-2 0-1 role 20");
}

TEST(Kvpf, FormSettingsKeepTheColumnsAsTheListLaidThemOut) {
    {
        Fixture f;
        f.list->ShowColumn(1, false);
        f.model->columns = 5;  // grown, not laid out yet
        f.form->SaveSettings();
    }
    Fixture g;
    g.model->columns = 5;
    g.model->NotifyDataReset();
    g.form->LoadSettings();
    EXPECT_FALSE(g.list->IsColumnVisible(1));
    EXPECT_TRUE(g.list->IsColumnVisible(4)) << "a column the saved layout did not have keeps its state";
}

TEST(Kvpf, AListLetsGoOfItsModelAndTheModelOfItsList) {
    auto model = kvpf::MakeRef<Grid>();
    {
        Fixture f;
        f.list->SetModel(model);
    }
    model->NotifyDataReset();  // no list left to tell
    SUCCEED();
}

}  // namespace

namespace {

}  // namespace

TEST(Kvpf, ATextBoxTellsOfEachChangeUnlessTheProgramHoldsItsEventsBack) {
    Chooser c;
    EXPECT_FALSE(c.text->UserType(L"bo").has_value());
    EXPECT_FALSE(c.text->UserType(L"bo").has_value());
    EXPECT_EQ(c.typed, 1) << "the same text again is no change";
    c.text->SuppressUserEvents(true);
    c.text->SetText(L"bolt");
    c.text->SuppressUserEvents(false);
    EXPECT_EQ(c.typed, 1);
    EXPECT_EQ(c.text->GetText(), CString(L"bolt"));
    c.text->SetVisible(false);
    EXPECT_EQ(c.text->UserType(L"nut").value(), L"control \"Form.Filter\" is hidden");
    EXPECT_EQ(c.text->GetText(), CString(L"bolt"));
}

TEST(Kvpf, ASimpleListAnswersItsRowsByRoleAndIsFoundByTextOrNumber) {
    Chooser c;
    EXPECT_EQ(c.rows->GetRowData(0, kvpf::ListControl::kRowIdRole), kvpf::Variant(7));
    EXPECT_EQ(c.rows->GetData(0, 0, kvpf::SimpleListModel::kTooltipRole), kvpf::Variant(CString(L"7")));
    EXPECT_EQ(c.rows->GetData(0, 0, kvpf::SimpleListModel::kTextColorRole), kvpf::Variant(kvpf::Color{0, 0, 0}));
    EXPECT_EQ(c.rows->GetData(1, 0, kvpf::SimpleListModel::kTextColorRole), kvpf::Variant());
    EXPECT_EQ(c.rows->GetData(2, 0, kvpf::SimpleListModel::kTextRole), kvpf::Variant()) << "the first row outside";
    EXPECT_EQ(c.rows->GetData(0, 1, kvpf::SimpleListModel::kTextRole), kvpf::Variant()) << "the first column outside";

    EXPECT_EQ(c.list->FindRow(L"Nine"), 1);
    EXPECT_EQ(c.list->FindRow(L"#0"), 0);
    EXPECT_EQ(c.list->FindRow(L"#1"), 1);
    EXPECT_EQ(c.list->FindRow(L"#2"), -1);
    EXPECT_EQ(c.list->FindRow(L"#"), -1);
    EXPECT_EQ(c.list->FindRow(L"#99999999999"), -1);
    EXPECT_EQ(c.list->FindRow(L"nine"), -1) << "the text as shown";

    EXPECT_FALSE(c.list->UserDoubleClick(1).has_value());
    EXPECT_EQ(c.doubleClicked, 1);
    EXPECT_EQ(c.list->GetSelectedRow(), 1) << "the click before the double-click selects";
    EXPECT_TRUE(c.list->UserDoubleClick(2).has_value());
    EXPECT_EQ(c.doubleClicked, 1);
    c.rows->SetRows({});
    EXPECT_EQ(c.list->GetSelectedRow(), -1) << "new rows end the selection";
}
