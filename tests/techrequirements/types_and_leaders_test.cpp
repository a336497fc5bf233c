// The types editor's walks and rules, the leaders command's states and the PDM import dialog's
// references, driven through the pane and the kernel as a user and the kernel do.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/kernel/services/pdm_control.h"
#include "tests/techrequirements/requirement_session.h"

namespace {

using namespace reqtest;

const std::wstring kTypes = L"TechRequirementTypesDialog.List";

DialogAction Named(DialogAction::Kind kind, const std::wstring& control, const std::wstring& text = {}, const std::wstring& row = {},
                   int column = 0) {
    DialogAction action{kind, 0, text, control};
    action.row = row;
    action.column = column;
    return action;
}

DialogAction ListButton(const std::wstring& id) { return Named(DialogAction::Kind::Click, kTypes + L".Buttons." + id); }
DialogAction Rows(const std::wstring& rows) { return Named(DialogAction::Kind::Select, kTypes, rows); }

class TypesEditor : public RequirementEditing {
protected:
    // Runs the types editor: `inside` acts while it is open, then it ends with `button`.
    void RunTypes(const std::function<void(HWND)>& inside, DialogAction::Kind button = DialogAction::Kind::Ok) {
        s.user().expectDialog(L"TechRequirementTypesDialog", [&](HWND window) {
            inside(window);
            EXPECT_FALSE(s.user().act(window, DialogAction{button}).has_value());
        });
        ASSERT_FALSE(Click(L"TypesSettings").has_value());
    }
    void Act(HWND window, const DialogAction& action) { EXPECT_EQ(s.user().act(window, action), std::nullopt) << platform::core::describeDialogAction(action); }
    static bool Enabled(const std::wstring& id) {
        kvpf::BaseControl* control = kvpf::WpfDockFormView::FindControl((kTypes + L".Buttons." + id).c_str());
        return control && control->IsEnabled();
    }
    static kvpf::ListControl& TypesList() {
        return *dynamic_cast<kvpf::ListControl*>(kvpf::WpfDockFormView::FindControl(kTypes.c_str()));
    }
    std::vector<std::wstring> Names() const {
        const TechRequirementTypesDb& types = TechRequirementTypesDb::Instance(document);
        std::vector<std::wstring> names;
        for (const auto& id : types.GetAllSorted(false)) names.emplace_back(types.GetFullName(id, L"\\").view());
        return names;
    }
};

TEST_F(TypesEditor, RemovingAParentTogetherWithItsChildRemovesBothAndTheRowsBelowMoveUp) {
    Host();
    RunTypes([&](HWND window) {
        Act(window, Rows(L"General,Surfaces"));
        Act(window, ListButton(L"RemoveButton"));
        // Child first (one row), then the parent with what is left below it (one row).
        const auto& notes = TypesList().GetNotifications();
        ASSERT_GE(notes.size(), 2u);
        EXPECT_EQ(notes[notes.size() - 2], L"rows removed 1+1");
        EXPECT_EQ(notes.back(), L"rows removed 0+1");
        EXPECT_TRUE(TypesList().GetSelectedRows().empty());
        EXPECT_FALSE(Enabled(L"RemoveButton"));
        EXPECT_TRUE(Enabled(L"AddButton"));
    });
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Tolerances"}));
    EXPECT_EQ(UndoSteps().size(), 1u);
}

TEST_F(TypesEditor, MovesNeedOneParentAndASiblingOnThatSide) {
    Host();
    RunTypes(
        [&](HWND window) {
            // With a second child Surfaces could move down, and so could General: never together.
            Act(window, Rows(L"General"));
            Act(window, ListButton(L"AddEmbeddedButton"));
            Act(window, Rows(L"Surfaces"));
            EXPECT_TRUE(Enabled(L"MoveDownButton"));
            Act(window, Rows(L"General,Surfaces"));
            EXPECT_FALSE(Enabled(L"MoveDownButton")) << "a parent with its child";
        },
        DialogAction::Kind::Cancel);
    RunTypes([&](HWND window) {
        Act(window, Rows(L"Surfaces,Tolerances"));
        EXPECT_FALSE(Enabled(L"MoveUpButton")) << "two parents";
        EXPECT_FALSE(Enabled(L"MoveDownButton"));
        Act(window, Rows(L"General"));
        EXPECT_FALSE(Enabled(L"MoveUpButton")) << "the first type";
        EXPECT_TRUE(Enabled(L"MoveDownButton"));
        Act(window, Rows(L"Tolerances"));
        EXPECT_TRUE(Enabled(L"MoveUpButton"));
        EXPECT_FALSE(Enabled(L"MoveDownButton")) << "the last type";
        Act(window, ListButton(L"MoveUpButton"));
    });
    // A main type moves with its children below it.
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Tolerances", L"General", L"General\\Surfaces"}));
}

TEST_F(TypesEditor, RenamingAnUnselectedRowRenamesItAloneAndLeavesItSelected) {
    Host();
    RunTypes([&](HWND window) {
        Act(window, Rows(L"General,Tolerances"));
        Act(window, Named(DialogAction::Kind::Edit, kTypes, L"Coatings", L"Surfaces", 0));
        EXPECT_EQ(TypesList().GetSelectedRows(), (std::vector<int>{1}));
        // An edited row inside the selection renames every selected type.
        Act(window, Rows(L"General,Tolerances"));
        Act(window, Named(DialogAction::Kind::Edit, kTypes, L"Same", L"General", 0));
    });
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Same", L"Same\\Coatings", L"Same"}));
}

TEST_F(TypesEditor, AnEmptyNameIsRefusedAndChecksKeepToTheirKindOfType) {
    Host();
    s.user().expectBox(L"*", Button::Ok);
    RunTypes([&](HWND window) {
        Act(window, Named(DialogAction::Kind::Edit, kTypes, L"", L"General", 0));
        Act(window, Rows(L"General,Surfaces,Tolerances"));
        // Column 1 of a selected main type reaches every selected main type, not the child.
        Act(window, Named(DialogAction::Kind::Check, kTypes, L"off", L"General", 1));
        Act(window, Named(DialogAction::Kind::Check, kTypes, L"on", L"Surfaces", 2));
        EXPECT_TRUE(s.user().act(window, Named(DialogAction::Kind::Check, kTypes, L"on", L"Surfaces", 1)).has_value());
        auto* model = TypesList().GetModel();
        EXPECT_FALSE(model->TryChangeData(1, 1, kvpf::CheckState::Checked, 4)) << "show header on a child type";
        EXPECT_FALSE(model->TryChangeData(0, 2, kvpf::CheckState::Checked, 4)) << "reset numeration on a main type";
        EXPECT_TRUE(model->TryChangeData(0, 0, kvpf::CheckState::Checked, 4)) << "other columns take it unchanged";
    });
    const TechRequirementTypesDb& types = TechRequirementTypesDb::Instance(document);
    const auto ids = types.GetAllSorted(false);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(types.GetName(ids[0]), CString(L"General"));
    EXPECT_FALSE(types.GetShowHeader(ids[0]));
    EXPECT_FALSE(types.GetShowHeader(ids[2]));
    EXPECT_TRUE(types.GetResetNumeration(ids[1]));
}

TEST_F(TypesEditor, CancelAfterChangesLeavesTheDocumentsTypes) {
    Host();
    RunTypes([&](HWND window) {
        Act(window, ListButton(L"ClearButton"));
        EXPECT_EQ(TypesList().GetModel()->GetRowCount(), 0);
        Act(window, ListButton(L"AddButton"));
    }, DialogAction::Kind::Cancel);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"General", L"General\\Surfaces", L"Tolerances"}));
    EXPECT_TRUE(UndoSteps().empty());
    EXPECT_FALSE(document->IsModified());
}

class LeadersCommand : public RequirementEditing {
protected:
    TechRequirementDialog::LeadersCmd* Command() const { return dialog->getLeadersCommand(); }
    // Leaders are placed on a page: the view filter shows the first sheet.
    void ShowFirstSheet() {
        ASSERT_FALSE(s.user().kvpfSelect(L"TechRequirementDialog.View", document->Cont2D()->GetPageIds().at(0)).has_value());
        s.runUntilIdle();
    }
};

TEST_F(LeadersCommand, StartingWithAPendingLinkHandsItOverAndUserCloseFollowsTheAnswer) {
    Host();
    ShowFirstSheet();
    Select({0});
    ASSERT_FALSE(Click(L"CreateInscription").has_value());
    ASSERT_NE(Command(), nullptr);
    EXPECT_TRUE(Command()->IsPlacing()) << "CreateInscription with a row hands it over at once";
    ASSERT_NE(dialog->getLeaderLink(), nullptr);
    EXPECT_EQ(dialog->getLeaderLink()->ReqIndex(), 1u);
    EXPECT_EQ(dialog->getMode(), TechRequirementDialog::kModeLeaders);

    // A click while placing keeps the link pending; the user confirming hands it over.
    Select({1});
    ASSERT_NE(Command()->GetPendingLink(), nullptr);
    EXPECT_TRUE(KVCommandRunner::UserClose(document, true));
    EXPECT_EQ(Command()->GetPendingLink(), nullptr);
    EXPECT_EQ(dialog->getLeaderLink()->ReqIndex(), 2u) << "row 1 of the first sheet";

    EXPECT_TRUE(KVCommandRunner::UserClose(document, false));
    s.runUntilIdle();
    EXPECT_EQ(Command(), nullptr);
    EXPECT_EQ(dialog->getLeaderLink(), nullptr);
    EXPECT_FALSE(document->IsInCommand());
    EXPECT_EQ(dialog->getMode(), TechRequirementDialog::kModeDefault);
}

TEST_F(LeadersCommand, TheDialogGoingFirstEndsTheCommandWithoutReachingBack) {
    Host();
    // A second editor on the document, as another host would make it.
    TechRequirementDialog* own = TechRequirementDialog::Create(true);
    own->SetDocument(document);
    own->startLeadersCommand();
    ASSERT_NE(own->getLeadersCommand(), nullptr);
    const auto mark = calls(s).size();
    own->Destroy();
    EXPECT_FALSE(document->IsInCommand());
    const auto after = calls(s);
    EXPECT_NE(std::find(after.begin() + static_cast<std::ptrdiff_t>(mark), after.end(), L"AnnotateModuleProxy::EndTechReqLeaders()"),
              after.end());
    EXPECT_EQ(KVCommandRunner::Running(document), nullptr);
}

TEST_F(LeadersCommand, ASecondLinkWhilePlacingOnlyTellsTheView) {
    Host();
    ShowFirstSheet();
    Select({0});
    ASSERT_FALSE(Click(L"CreateInscription").has_value());
    ASSERT_TRUE(Command()->IsPlacing());
    Command()->CreateLeader(2, document->Cont2D()->GetPageIds().at(0));
    s.runUntilIdle();
    const auto entries = calls(s);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), L"CKVView::OnLeaderLinkChanged(the running leader placement takes the new link)"), 1);
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                            [](const std::wstring& call) { return call.starts_with(L"AnnotateModuleProxy::PlaceTechReqLeader"); }),
              1);
    EXPECT_EQ(Command()->GetPendingLink()->ReqIndex(), 2u);
}

TEST_F(RequirementEditing, ThePdmImportDialogsReferencesBalance) {
    Host();
    Work(L"ConnectPdm", {});
    Select({0});
    const int before = platform::kernel::pdmControl().handlesAlive;
    s.user().expectDialog(L"TechRequirementVarnelImportDialog", [&](HWND window) {
        EXPECT_EQ(platform::kernel::pdmControl().handlesAlive, before + 3);
        const DialogAction chooseRow{DialogAction::Kind::Select, 0, L"#1", L"TechRequirementVarnelImportDialog.StandardReqsList"};
        EXPECT_FALSE(s.user().act(window, chooseRow).has_value());
        // A selection emptied again takes OK away until a row is chosen once more.
        auto* list = dynamic_cast<kvpf::ListControl*>(kvpf::WpfDockFormView::FindControl(L"TechRequirementVarnelImportDialog.StandardReqsList"));
        ASSERT_NE(list, nullptr);
        EXPECT_FALSE(list->UserSelectRows({}).has_value());
        EXPECT_TRUE(s.user().act(window, DialogAction{DialogAction::Kind::Ok}).has_value()) << "OK without a selection";
        EXPECT_FALSE(s.user().act(window, chooseRow).has_value());
        EXPECT_FALSE(s.user().act(window, DialogAction{DialogAction::Kind::Ok}).has_value());
    });
    ASSERT_FALSE(Click(L"Import").has_value());
    ASSERT_FALSE(s.user().kvpfSelect(L"TechRequirementDialog.ImportPopup.ImportSource", 1).has_value());
    s.runUntilIdle();
    EXPECT_EQ(platform::kernel::pdmControl().handlesAlive, before) << "rows and chosen handles are released";
    EXPECT_EQ(Text(5), CString(L"Remove burrs"));
}

}  // namespace
