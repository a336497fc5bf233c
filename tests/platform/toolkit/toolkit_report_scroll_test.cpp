// The report control's scroll position: rows under points follow it, it never leaves the end of
// the rows short of a screenful, and a drag over the first or last row in view moves it a row.
#include <gtest/gtest.h>

#include "platform/harness.h"
#include "platform/toolkit.h"

namespace {

class ScrollRecord : public CXTPReportRecord {
public:
    explicit ScrollRecord(int n) { AddItem(new CXTPReportRecordItem(std::to_wstring(n).c_str())); }
};

class ReportScrollTest : public ::testing::Test {
protected:
    platform::harness::Session session;
    CXTPReportControl report;

    // Ten rows in a control showing four below its header.
    ReportScrollTest() {
        EXPECT_TRUE(report.Create(WS_POPUP, RECT{0, 0, 200, 5 * CXTPReportControl::kRowHeight}, nullptr, 0));
        report.AddColumn(new CXTPReportColumn(0, L"Name", 100));
        for (int n = 0; n < 10; ++n) report.AddRecord(new ScrollRecord(n));
        report.Populate();
    }
    int rowAt(int y) {
        CXTPReportRow* row = report.HitTestRow(POINT{5, y});
        for (int index = 0; row && index < report.GetRows()->GetCount(); ++index)
            if (report.GetRows()->GetAt(index) == row) return index;
        return -1;
    }
};

TEST_F(ReportScrollTest, RowsUnderPointsFollowTheScrollPositionWhichStaysInTheRows) {
    ASSERT_EQ(report.GetVisibleRowCount(), 4);
    EXPECT_EQ(rowAt(25), 0);
    report.SetTopRowIndex(3);
    EXPECT_EQ(rowAt(25), 3);
    report.SetTopRowIndex(100);
    EXPECT_EQ(report.GetTopRowIndex(), 6) << "the last screenful, not past it";
    report.SetTopRowIndex(-5);
    EXPECT_EQ(report.GetTopRowIndex(), 0);
    report.SetTopRowIndex(6);
    // Rows going away take the position back with them.
    for (int n = 0; n < 7; ++n) report.GetRecords()->RemoveAt(0);
    report.Populate();
    EXPECT_EQ(report.GetTopRowIndex(), 0);
}

TEST_F(ReportScrollTest, ADragOverTheFirstOrLastRowInViewScrollsOneRowThatWay) {
    const int last = CXTPReportControl::kRowHeight * 4 + 5;
    report.AutoScrollForDrag(POINT{5, 50});  // a middle row: no scrolling
    EXPECT_EQ(report.GetTopRowIndex(), 0);
    report.AutoScrollForDrag(POINT{5, last});
    report.AutoScrollForDrag(POINT{5, last});
    EXPECT_EQ(report.GetTopRowIndex(), 2);
    EXPECT_EQ(rowAt(last), 5);
    report.AutoScrollForDrag(POINT{5, 25});
    EXPECT_EQ(report.GetTopRowIndex(), 1);
    for (int n = 0; n < 20; ++n) report.AutoScrollForDrag(POINT{5, last});
    EXPECT_EQ(report.GetTopRowIndex(), 6);
}

}  // namespace
