// The selection rule of cell changes both ways (inside the selection every selected row, outside
// it the row alone) for page checks and suppression, at the list's first and last rows, and
// removal at both ends of the list.
#include <gtest/gtest.h>

#include "tests/techrequirements/requirement_session.h"

namespace {

using namespace reqtest;
using Model = TechRequirementListModel;

class RequirementRules : public RequirementEditing {
protected:
    TechRequirement::Properties Requirement(unsigned index) const {
        return TechRequirement::Properties(TechRequirementManager(document).GetByIndex(index));
    }
    int Page(int position) const { return document->Cont2D()->GetPageIds().at(static_cast<std::size_t>(position)); }
    void Check(int row, int column, bool on) {
        ASSERT_FALSE(s.user().kvpfCheckCell(kList, row, column, on).has_value());
        s.runUntilIdle();
    }
    void Icon(int row) {
        ASSERT_FALSE(s.user().kvpfClickIcon(kList, row, Model::kSuppress).has_value());
        s.runUntilIdle();
    }
};

TEST_F(RequirementRules, APageCheckOutsideTheSelectionChangesThatRowAloneBothWays) {
    Host();
    const int second = Page(1);
    // Rows 0 and 3 (the list's ends) are selected; the check is on row 1.
    Select({0, 3});
    Check(1, Model::kFirstPage + 1, true);
    EXPECT_TRUE(Requirement(2).IsOnPage(second));
    EXPECT_FALSE(Requirement(4).IsOnPage(second)) << "the selection is left alone";
    // The list reloads after a page change: the user selects again.
    Select({0, 3});
    Check(1, Model::kFirstPage + 1, false);
    EXPECT_FALSE(Requirement(2).IsOnPage(second));
    EXPECT_TRUE(Requirement(1).IsOnPage(second)) << "row 0 keeps its page";
    EXPECT_EQ(UndoSteps().size(), 2u);
}

TEST_F(RequirementRules, APageCheckOnTheLastSelectedRowReachesTheFirstToo) {
    Host();
    const int second = Page(1);
    Select({0, 3});
    Check(3, Model::kFirstPage + 1, true);
    EXPECT_TRUE(Requirement(1).IsOnPage(second));
    EXPECT_TRUE(Requirement(4).IsOnPage(second));
    Select({0, 3});
    Check(0, Model::kFirstPage + 1, false);
    EXPECT_FALSE(Requirement(1).IsOnPage(second));
    EXPECT_FALSE(Requirement(4).IsOnPage(second));
    EXPECT_TRUE(Requirement(3).IsOnPage(second)) << "an unselected row keeps its page";
}

TEST_F(RequirementRules, TheSuppressionIconFlipsTheSelectionOrTheRowAloneAndBack) {
    Host();
    // Requirement 4 (the last row) is suppressed, requirement 1 (the first) is not.
    Select({0, 3});
    Icon(0);
    EXPECT_TRUE(Requirement(1).IsSuppressed());
    EXPECT_TRUE(Requirement(4).IsSuppressed()) << "every selected row takes the clicked row's new state";
    Icon(3);
    EXPECT_FALSE(Requirement(1).IsSuppressed());
    EXPECT_FALSE(Requirement(4).IsSuppressed());
    Icon(1);
    EXPECT_TRUE(Requirement(2).IsSuppressed());
    EXPECT_FALSE(Requirement(1).IsSuppressed()) << "a row outside the selection changes alone";
    EXPECT_EQ(UndoSteps().size(), 3u);
}

TEST_F(RequirementRules, RemovingTheFirstAndLastRowsKeepsTheMiddle) {
    Host();
    Select({0, 3});
    ASSERT_FALSE(Click(L"Remove").has_value());
    EXPECT_EQ(RowIndexes(), (std::vector<unsigned>{2, 3}));
    EXPECT_TRUE(dialog->list().GetSelectedRows().empty());
    EXPECT_EQ(UndoSteps().size(), 1u);
}

}  // namespace
