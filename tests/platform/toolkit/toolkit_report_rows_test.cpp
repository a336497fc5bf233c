// The rows of a big tree across insertions, rebuilds and deletions: each row the control hands
// out stays whole and points at its record, parent and place, and once the records went (as when
// a search starts) and others came, the tree shows the new rows with nothing left on the old.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/harness.h"
#include "platform/toolkit.h"

namespace {

CXTPReportRecord* named(const std::wstring& name) {
    auto* made = new CXTPReportRecord;
    made->AddItem(new CXTPReportRecordItem(name.c_str()));
    return made;
}

// Names that sort as their numbers do.
std::wstring document(int number) {
    std::wstring digits = std::to_wstring(number);
    return L"doc " + std::wstring(6 - digits.size(), L'0') + digits;
}

class ReportRows : public ::testing::Test {
protected:
    ReportRows() {
        EXPECT_TRUE(created);
        control.AddColumn(new CXTPReportColumn(0, L"Name", 100))->SetTreeColumn(TRUE);
        control.GetColumns()->SetSortColumn(control.GetColumns()->Find(0), TRUE);
    }
    // A folder of `count` documents (even numbers), expanded, and a record after it.
    CXTPReportRecord* addFolder(int count) {
        CXTPReportRecord* folder = control.AddRecord(named(L"folder"));
        for (int i = 0; i < count; ++i) folder->GetChilds()->Add(named(document(2 * i)));
        folder->SetExpanded(TRUE);
        control.AddRecord(named(L"zeta"));
        return folder;
    }
    // Every row is at its index, found for its record, below its record's parent's row.
    void expectRowsWhole() {
        CXTPReportRows* rows = control.GetRows();
        for (int i = 0; i < rows->GetCount(); ++i) {
            CXTPReportRow* row = rows->GetAt(i);
            ASSERT_EQ(row->GetIndex(), i);
            ASSERT_EQ(row->GetControl(), &control);
            ASSERT_EQ(rows->Find(row->GetRecord()), row) << i;
            CXTPReportRow* parent = row->GetParentRow();
            ASSERT_EQ(parent ? parent->GetRecord() : nullptr, row->GetRecord()->GetParentRecord()) << i;
            ASSERT_EQ(row->GetTreeDepth(), parent ? parent->GetTreeDepth() + 1 : 0) << i;
        }
    }
    platform::harness::Session session;
    CXTPReportControl control;
    bool created = control.Create(WS_POPUP, RECT{0, 0, 300, 200}, nullptr, 0) != FALSE;
    platform::harness::ReportDriver report{control.GetSafeHwnd()};
};

TEST_F(ReportRows, ABigTreesRowsStayWholeAcrossInsertionsAndASearchThatReplacesThem) {
    CXTPReportRecord* folder = addFolder(2500);
    control.Populate();
    CXTPReportRecord* deep = folder->GetChilds()->GetAt(2400);
    CXTPReportRow* kept = control.GetRows()->Find(deep);

    // Odd numbers fall between the rows shown: the rows already there are the same objects.
    CXTPReportRecords* children = folder->GetChilds();
    for (int i = 0; i < 1500; ++i) children->Add(named(document(2 * i + 1)));
    control.InsertRecordRows(children, 2500);
    EXPECT_EQ(control.GetRows()->Find(deep), kept);
    EXPECT_EQ(kept->GetIndex(), 1500 + 2400 + 1);
    expectRowsWhole();
    const std::wstring inserted = report.dump();
    report.select(kept->GetIndex(), false);
    control.Populate();
    EXPECT_EQ(report.dump(), inserted);
    ASSERT_EQ(control.GetSelectedRows().size(), 1u);
    EXPECT_EQ(control.GetSelectedRows()[0], control.GetRows()->Find(deep));

    // A search starts: the folder's children are taken out whole, then every record goes and
    // the answers come in their place, with no row, selection or focus left on the old ones.
    control.SetFocusedRow(control.GetSelectedRows()[0]);
    std::unique_ptr<CXTPReportRecords> taken = folder->TakeChilds();
    EXPECT_EQ(report.rowCount(), 0);
    EXPECT_EQ(control.GetFocusedRow(), nullptr);
    EXPECT_TRUE(control.GetSelectedRows().empty());
    taken.reset();
    control.GetRecords()->RemoveAll();
    CXTPReportRecord* found = control.AddRecord(named(L"found"));
    for (const wchar_t* name : {L"b", L"a"}) found->GetChilds()->Add(named(name));
    found->SetExpanded(TRUE);
    control.Populate();
    EXPECT_EQ(report.dump(), L"- found\n    a\n    b\n");
    EXPECT_EQ(control.GetFocusedRow(), nullptr);

    // The search ends: the whole folder is back, with rows that go with it.
    control.GetRecords()->RemoveAll();
    folder = addFolder(3000);
    control.Populate();
    ASSERT_EQ(report.rowCount(), 3002);
    expectRowsWhole();
    report.select(2001, false);
    ASSERT_EQ(control.GetSelectedRows().size(), 1u);
    EXPECT_EQ(control.GetSelectedRows()[0]->GetRecord(), folder->GetChilds()->GetAt(2000));
    EXPECT_TRUE(session.takeFailures().empty());
}

}  // namespace
