// The report control: rows from records, lazy children through the record's SetExpanded,
// sorting by the items' Compare, in-place editing and column state.
#include <gtest/gtest.h>

#include "platform/harness.h"
#include "platform/toolkit.h"

namespace {

// A record that makes its children the first time it is expanded.
class LazyRecord : public CXTPReportRecord {
public:
    LazyRecord(const wchar_t* name, int children) : children_(children) {
        AddItem(new CXTPReportRecordItem(name));
        if (children_ > 0) GetChilds()->Add(new CXTPReportRecord);  // the expand button
    }
    void SetExpanded(BOOL expanded) override {
        if (expanded && !filled_) {
            filled_ = true;
            GetChilds()->RemoveAll();
            for (int i = children_; i > 0; --i) {
                GetChilds()->Add(new LazyRecord((L"child " + std::to_wstring(i)).c_str(), 0));
            }
        }
        CXTPReportRecord::SetExpanded(expanded);
    }
    bool filled_ = false;

private:
    int children_;
};

class PriorityItem : public CXTPReportRecordItem {
public:
    PriorityItem(const wchar_t* caption, int priority) : CXTPReportRecordItem(caption) { SetSortPriority(priority); }
    int Compare(CXTPReportColumn* column, CXTPReportRecordItem* item) override {
        if (item->GetSortPriority() != GetSortPriority()) return GetSortPriority() - item->GetSortPriority();
        return CXTPReportRecordItem::Compare(column, item);
    }
};

// Counts the selection-changed notifications.
class CountingReport : public CXTPReportControl {
public:
    void OnSelectionChanged() override { ++changes; }
    int changes = 0;
};

class ReportControlTest : public ::testing::Test {
protected:
    ReportControlTest() {
        EXPECT_TRUE(created);
        control.AddColumn(new CXTPReportColumn(0, L"Name", 100))->SetTreeColumn(TRUE);
    }
    platform::harness::Session session;
    CountingReport control;
    bool created = control.Create(WS_POPUP, RECT{0, 0, 300, 200}, nullptr, 0) != FALSE;
    platform::harness::ReportDriver report{control.GetSafeHwnd()};
};

TEST_F(ReportControlTest, CollapsedRecordsHoldNoRowsAndExpandingMakesChildrenThroughTheRecord) {
    auto* lazy = static_cast<LazyRecord*>(control.AddRecord(new LazyRecord(L"folder", 3)));
    control.AddRecord(new LazyRecord(L"empty", 0));
    control.AddRecord(new LazyRecord(L"hidden", 0))->SetVisible(FALSE);
    control.Populate();
    EXPECT_EQ(report.dump(), L"+ folder\n  empty\n");
    EXPECT_FALSE(lazy->filled_);

    report.expand(report.find(L"folder"));
    EXPECT_TRUE(lazy->filled_);
    EXPECT_EQ(report.dump(), L"- folder\n    child 3\n    child 2\n    child 1\n  empty\n");
    report.collapse(0);
    EXPECT_EQ(report.rowCount(), 2);

    // Rows of deleted records go; selection stays with the records that remain.
    report.expand(0);
    report.select(1, false);
    report.select(4, true);
    lazy->GetChilds()->GetAt(0)->Delete();
    control.Populate();
    ASSERT_EQ(control.GetSelectedRows().size(), 1u);
    EXPECT_EQ(control.GetSelectedRows()[0]->GetRecord()->GetItem(0)->GetCaption(), L"empty");
    EXPECT_TRUE(session.takeFailures().empty());
    report.expand(report.find(L"empty"));
    EXPECT_EQ(session.takeFailures().size(), 1u) << "a row without children has no expand button";
}

TEST_F(ReportControlTest, SortingUsesTheItemsCompareAndEditingEndsInOnEditChanged) {
    for (auto [name, priority] : {std::pair{L"beta", 1}, {L"Alpha", 1}, {L"zeta", 0}, {L"alpha", 1}}) {
        control.AddRecord(new CXTPReportRecord)->AddItem(new PriorityItem(name, priority));
    }
    control.GetColumns()->SetSortColumn(control.GetColumns()->Find(0), TRUE);
    control.Populate();
    EXPECT_EQ(report.dump(), L"  zeta\n  Alpha\n  alpha\n  beta\n");
    control.GetColumns()->SetSortColumn(control.GetColumns()->Find(0), FALSE);
    control.Populate();
    EXPECT_EQ(report.dump(), L"  beta\n  alpha\n  Alpha\n  zeta\n");

    XTP_REPORTRECORDITEM_ARGS args;
    args.pRow = control.GetRows()->GetAt(0);
    args.pItem = args.pRow->GetRecord()->GetItem(0);
    control.EditItem(&args);
    EXPECT_TRUE(report.editing());
    report.commitEdit(L"gamma");
    EXPECT_FALSE(report.editing());
    EXPECT_EQ(args.pItem->GetCaption(), L"gamma");
    report.commitEdit(L"again");
    EXPECT_EQ(session.takeFailures().size(), 1u);
}

TEST_F(ReportControlTest, ColumnStateRoundTrips) {
    control.AddColumn(new CXTPReportColumn(1, L"Path", 80));
    control.GetColumns()->Find(1)->SetWidth(150);
    control.GetColumns()->Find(1)->SetVisible(FALSE);
    control.GetColumns()->SetSortColumn(control.GetColumns()->Find(1), FALSE);
    CXTPPropExchangeXMLNode saved(FALSE, L"Report");
    control.SerializeState(&saved);

    CXTPReportControl other;
    other.AddColumn(new CXTPReportColumn(0, L"Name", 100));
    other.AddColumn(new CXTPReportColumn(1, L"Path", 80));
    CXTPPropExchangeXMLNode loaded(TRUE, L"Report");
    ASSERT_TRUE(loaded.LoadFromString(saved.SaveToString().view(), L"state"));
    other.SerializeState(&loaded);
    EXPECT_EQ(other.GetColumns()->Find(1)->GetWidth(), 150);
    EXPECT_FALSE(other.GetColumns()->Find(1)->IsVisible());
    ASSERT_EQ(other.GetColumns()->GetSortOrder().size(), 1u);
    EXPECT_EQ(other.GetColumns()->GetSortOrder()[0]->GetItemIndex(), 1);
    EXPECT_FALSE(other.GetColumns()->GetSortOrder()[0]->IsSortedIncreasing());
}

TEST_F(ReportControlTest, UnselectingARowAnnouncesOneChangeAndKeepsTheOthersAndTheFocus) {
    for (const wchar_t* name : {L"a", L"b", L"c"}) control.AddRecord(new LazyRecord(name, 0));
    control.Populate();
    CXTPReportRows* rows = control.GetRows();
    rows->GetAt(0)->SetSelected(TRUE);
    rows->GetAt(2)->SetSelected(TRUE);
    control.SetFocusedRow(rows->GetAt(0));
    control.changes = 0;
    rows->GetAt(2)->SetSelected(FALSE);
    EXPECT_EQ(control.changes, 1);
    ASSERT_EQ(control.GetSelectedRows().size(), 1u);
    EXPECT_EQ(control.GetSelectedRows()[0], rows->GetAt(0));
    EXPECT_EQ(control.GetFocusedRow(), rows->GetAt(0));
    rows->GetAt(1)->SetSelected(FALSE);
    EXPECT_EQ(control.changes, 1) << "a row that was not selected changes nothing";
}

}  // namespace
