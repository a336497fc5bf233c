// Editing requirements through the pane as a user does: moving around rows whose requirement
// is gone, undo steps that change nothing, refusals at the list's cells, the inscriptions a
// selection marks and the types editor ending without a change.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/techrequirements/requirement_session.h"

namespace {

using namespace reqtest;
using Model = TechRequirementListModel;

TEST_F(RequirementEditing, MovingPastARemovedRequirementReselectsOnlyRowsInsideTheList) {
    Host();
    Work(L"SetRequirementType", {L"1", L"3", L"none"});
    // Removed behind the pane's back (no kernel notice): row 0 still shows it until the list reloads.
    TechRequirement* removed = TechRequirementManager(document).GetByIndex(1);
    ASSERT_NE(removed, nullptr);
    document->Cont2D()->TechRequirements().Remove(TechRequirement::Properties(removed).GetReqIndex());
    Select({0, 2});
    ASSERT_FALSE(Click(L"MoveUp").has_value());
    EXPECT_EQ(RowIndexes(), (std::vector<unsigned>{3, 2, 4}));
    EXPECT_EQ(dialog->list().GetSelectedRows(), (std::vector<int>{1})) << "row -1 is not selected";
    EXPECT_EQ(UndoSteps().size(), 1u);
}

TEST_F(RequirementEditing, AStepThatChangesNothingLeavesNoUndoStepAndTheDocumentUnmodified) {
    Host();
    Select({1});
    s.user().expectRequirementEditor(L"Sharp edges to be blunted");
    ASSERT_FALSE(Click(L"Edit").has_value());
    EXPECT_TRUE(UndoSteps().empty());
    EXPECT_FALSE(document->IsModified());
    // Choosing the type a row already has changes nothing either.
    ASSERT_FALSE(s.user().kvpfEditCell(kList, 0, Model::kType, L"Tolerances").has_value());
    s.runUntilIdle();
    EXPECT_TRUE(UndoSteps().empty());
    EXPECT_FALSE(dialog->list().IsEditing()) << "picking the shown item still ends the edit";

    s.user().expectRequirementEditor(L"Blunt every sharp edge");
    ASSERT_FALSE(s.user().kvpfEditCell(kList, 1, Model::kText, std::nullopt).has_value());
    s.runUntilIdle();
    EXPECT_EQ(Text(2), CString(L"Blunt every sharp edge"));
    EXPECT_EQ(UndoSteps().size(), 1u);
    EXPECT_TRUE(document->IsModified());
}

TEST_F(RequirementEditing, CellsRefuseWhatTheyDoNotOffer) {
    Host();
    Model& model = dialog->listModel();
    EXPECT_FALSE(model.TryChangeData(0, Model::kText, kvpf::CheckState::Checked, Model::kCheck)) << "not a page column";
    EXPECT_FALSE(model.TryChangeData(0, Model::kFirstPage, kvpf::CheckState::Checked, Model::kDisplay)) << "not the check role";
    EXPECT_FALSE(model.TryChangeData(0, Model::kFirstPage + 5, kvpf::CheckState::Checked, Model::kCheck)) << "no such page";
    EXPECT_TRUE(UndoSteps().empty());

    EXPECT_TRUE(s.user().kvpfEditCell(kList, 0, Model::kId, std::nullopt).has_value());
    EXPECT_TRUE(s.user().kvpfEditCell(kList, 0, Model::kType, L"No such type").has_value());
    EXPECT_FALSE(dialog->list().IsEditing());
    EXPECT_TRUE(s.user().kvpfCheckCell(kList, 0, Model::kType, true).has_value());
    EXPECT_TRUE(s.user().kvpfClickIcon(kList, 0, Model::kText).has_value());
    EXPECT_TRUE(s.user().kvpfClickIcon(kList, 0, 99).has_value());
    EXPECT_TRUE(s.user().kvpfEditCell(L"TechRequirementDialog.View", 0, 0, std::nullopt).has_value()) << "not a list";

    // Unticking a page takes every selected requirement off it.
    Select({0, 1});
    ASSERT_FALSE(s.user().kvpfCheckCell(kList, 1, Model::kFirstPage, false).has_value());
    s.runUntilIdle();
    const int firstPage = document->Cont2D()->GetPageIds().at(0);
    for (unsigned index : {1u, 2u})
        EXPECT_FALSE(TechRequirement::Properties(TechRequirementManager(document).GetByIndex(index)).IsOnPage(firstPage));
    EXPECT_EQ(UndoSteps().size(), 1u);
}

TEST_F(RequirementEditing, ASelectionMarksTheInscriptionsOfItsRequirementsOnTheFilteredPage) {
    Host();
    const auto& marks = document->GetMarkContainer().Objects();
    const int firstPage = document->Cont2D()->GetPageIds().at(0);
    Select({0});
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks.front(), L"inscription on page " + std::to_wstring(firstPage) + L" to 1");
    Select({1});
    EXPECT_TRUE(marks.empty()) << "the marks of the last selection go";
    ASSERT_FALSE(s.user().kvpfSelect(L"TechRequirementDialog.View", document->Cont2D()->GetPageIds().at(1)).has_value());
    s.runUntilIdle();
    Select({0});
    EXPECT_TRUE(marks.empty()) << "the inscription is on another page";
}

TEST_F(RequirementEditing, TheTypesEditorEndingWithoutChangeOpensNoUndoStep) {
    Host();
    s.user().expectDialog(L"TechRequirementTypesDialog", {DialogAction{DialogAction::Kind::Ok}});
    ASSERT_FALSE(Click(L"TypesSettings").has_value());
    const auto entries = calls(s);
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                            [](const std::wstring& call) { return call.starts_with(L"UndoManager::Open"); }),
              0);
    EXPECT_TRUE(UndoSteps().empty());
}

}  // namespace
