// The user tools page driven as a user would from command 1215: a new command that finds no free
// id leaves no row behind, deleting keeps the selection in the list and takes the command's
// controls out of every main frame, and icons go to the command selected in the list.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/kvw32_app.h"
#include "commandbars/usertools/user_tools_page.h"
#include "mainframe/main_frame.h"
#include "platform/core/text.h"
#include "tests/commandbars/user_command_test_support.h"
#include "tests/support/main_frame_at.h"

namespace {

using Kind = platform::core::DialogAction::Kind;
using Page = CKVUserToolsPage;
constexpr UINT kShowPage = 1215, kProgramKind = 2, kProgramDialog = 21246, kProgramEdit = 1202;

class UserToolsPage : public StartedWithSampleLibraries {
protected:
    CKVUserCommands& Commands() { return CKvw32App::Instance()->GetUserCommands(); }
    UINT AddProgram(const wchar_t* prompt) {
        std::unique_ptr<CKVUserCommand> command = CKVUserCommand::Create(kProgramKind);
        command->Prompt = prompt;
        return Commands().AssignCommandId(command);
    }
    void OnPage(const std::function<void(HWND page)>& steps) {
        s.user().expectDialog(Page::kTemplateId, [&](HWND page) {
            steps(page);
            if (::IsWindow(page)) Act(page, {Kind::Ok, 0, {}});
        });
        s.user().command(platform::harness::mainFrameAt(s)->GetSafeHwnd(), kShowPage);
        s.runUntilIdle();
    }
    void Act(HWND page, const platform::core::DialogAction& action) {
        const auto refusal = s.user().act(page, action);
        EXPECT_FALSE(refusal) << platform::core::toUtf8(*refusal);
    }
    // A new program command through the kinds' menu and the program dialog.
    void AddThroughMenu(HWND page) {
        s.user().expectMenuChoose(static_cast<int>(kProgramKind));
        s.user().expectDialog(kProgramDialog, std::vector<platform::core::DialogAction>{{Kind::Text, kProgramEdit, L"C:\\Tools\\New.exe"},
                                                                                      {Kind::Ok, 0, {}}});
        Act(page, {Kind::Click, Page::kAdd, {}});
    }
    static LRESULT ToList(HWND page, UINT message, WPARAM wParam = 0) {
        return ::SendMessageW(::GetDlgItem(page, Page::kList), message, wParam, 0);
    }
    static int Rows(HWND page) { return static_cast<int>(ToList(page, LB_GETCOUNT)); }
    static int SelectedRow(HWND page) { return static_cast<int>(ToList(page, LB_GETCURSEL)); }
    static std::wstring Text(HWND page, int id) {
        wchar_t text[512] = {};
        ::GetWindowTextW(::GetDlgItem(page, id), text, 512);
        return text;
    }
    static const CKVUserCommand* RowCommand(HWND page, int row) {
        return reinterpret_cast<const CKVUserCommand*>(ToList(page, LB_GETITEMDATA, static_cast<WPARAM>(row)));
    }
};

TEST_F(UserToolsPage, ANewCommandWithoutAFreeIdLeavesNoRowBehind) {
    for (UINT id = CKVUserCommand::kFirstId; id <= CKVUserCommand::kLastId; ++id) ASSERT_NE(AddProgram(L"Taken"), 0u);
    OnPage([&](HWND page) {
        ASSERT_EQ(Rows(page), 1000);
        AddThroughMenu(page);
        EXPECT_EQ(Rows(page), 1000) << "the refused command's row went with it";
        EXPECT_EQ(SelectedRow(page), 999) << "as after a delete of the last row";
        // Every row still holds a live command.
        std::set<const CKVUserCommand*> live;
        Commands().ForEach([&](UINT, const CKVUserCommand& command) { live.insert(&command); });
        for (int row = 0; row < Rows(page); ++row) ASSERT_TRUE(live.contains(RowCommand(page, row))) << "row " << row;
        EXPECT_EQ(Text(page, Page::kPrompt), L"Taken");
    });
    EXPECT_EQ(Commands().GetCount(), 1000);
}

TEST_F(UserToolsPage, DeletingKeepsASelectionAndTakesTheControlsFromEveryFrame) {
    AddProgram(L"One");
    AddProgram(L"Two");
    const UINT third = AddProgram(L"Three");
    ASSERT_TRUE(s.kernel().newMainFrame());
    s.runUntilIdle();
    CMainFrame* frames[] = {platform::harness::mainFrameAt(s, 0), platform::harness::mainFrameAt(s, 1)};
    for (CMainFrame* frame : frames) {
        CXTPCommandBars* bars = frame->GetCommandBars();
        CXTPToolBar* bar = bars->GetAt(bars->GetCount() - 1);
        bar->GetControls()->Add(Commands().Lookup(third)->CreateControl(false, bars), static_cast<int>(third));
        ASSERT_NE(bars->FindControl(xtpControlError, static_cast<int>(third), FALSE, TRUE), nullptr);
    }
    OnPage([&](HWND page) {
        // Rows follow the collection's order: the third command's row is looked up.
        int row = 0;
        while (row < Rows(page) && RowCommand(page, row)->ID != third) ++row;
        ASSERT_LT(row, 3);
        Act(page, {Kind::Select, Page::kList, L"#" + std::to_wstring(row)});
        Act(page, {Kind::Click, Page::kDelete, {}});
        EXPECT_EQ(Rows(page), 2);
        EXPECT_EQ(SelectedRow(page), row < 2 ? row : 1) << "the row at the old index, or the new last";
        EXPECT_EQ(Text(page, Page::kPrompt), RowCommand(page, SelectedRow(page))->Prompt.GetString());
        // The freed id goes to the next new command.
        AddThroughMenu(page);
        EXPECT_EQ(RowCommand(page, 2)->ID, third);
        EXPECT_EQ(Text(page, Page::kPrompt), L"New command");
        for (int row = 2; row >= 0; --row) {
            Act(page, {Kind::Select, Page::kList, L"#0"});
            Act(page, {Kind::Click, Page::kDelete, {}});
        }
        EXPECT_EQ(Rows(page), 0);
        EXPECT_EQ(SelectedRow(page), LB_ERR);
        EXPECT_EQ(Text(page, Page::kPrompt), L"");
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, Page::kDelete)));
    });
    EXPECT_EQ(Commands().GetCount(), 0);
    for (CMainFrame* frame : frames)
        EXPECT_EQ(frame->GetCommandBars()->FindControl(xtpControlError, static_cast<int>(third), FALSE, TRUE), nullptr)
            << "no frame keeps a control a later command could take the id of";
}

TEST_F(UserToolsPage, IconsGoToTheSelectedCommandAndThePromptKeepsItsRow) {
    AddProgram(L"One");
    AddProgram(L"Two");
    const std::wstring browsed = s.files().programFile(L"UserIcons\\notes.ico");
    UINT chosen = 0, other = 0;
    OnPage([&](HWND page) {
        chosen = RowCommand(page, 1)->ID;
        other = RowCommand(page, 0)->ID;
        // The drop-down's first entry chosen while the second row is selected.
        Act(page, {Kind::Select, Page::kList, L"#1"});
        Act(page, {Kind::Select, Page::kIconCombo, L"#0"});
        const HWND preview = ::GetDlgItem(page, Page::kPreview);
        EXPECT_NE(::SendMessageW(preview, STM_GETICON, 0, 0), 0) << "a preview of the chosen icon";
        Act(page, {Kind::Text, Page::kIconCombo, L"missing.ico"});
        EXPECT_EQ(::SendMessageW(preview, STM_GETICON, 0, 0), 0) << "a missing icon file shows nothing";
        s.user().expectFileChoose(browsed);
        Act(page, {Kind::Click, Page::kBrowse, {}});
        EXPECT_EQ(Text(page, Page::kIconCombo), browsed);
        // The frames show the new icon at once, under the selected command's id only.
        CXTPImageManager* images = platform::harness::mainFrameAt(s)->GetCommandBars()->GetImageManager();
        EXPECT_NE(images->GetIconSet(chosen), nullptr);
        EXPECT_EQ(images->GetIconSet(other), nullptr);
        // A new prompt rewrites the row in its place, still selected.
        Act(page, {Kind::Text, Page::kPrompt, L"Second"});
        EXPECT_EQ(SelectedRow(page), 1);
        EXPECT_EQ(RowCommand(page, 1)->ID, chosen);
        Act(page, {Kind::Text, Page::kTooltip, L"Tip"});
    });
    EXPECT_EQ(Commands().Lookup(other)->Icon, L"");
    const CKVUserCommand* command = Commands().Lookup(chosen);
    EXPECT_EQ(command->Icon, browsed.c_str()) << "a browsed icon is kept as its full path";
    EXPECT_EQ(command->Prompt, L"Second");
    EXPECT_EQ(command->Tooltip, L"Tip");
    const auto entries = platform::harness::calls(s);
    EXPECT_GE(platform::harness::indexOf(entries, L"UIModuleProxy::SelectFile(\"\", \"ico\" at ("), 0);
}

TEST_F(UserToolsPage, AnExportThatCannotBeWrittenSaysSoNamingTheFile) {
    AddProgram(L"Notes");
    s.files().write(L"C:\\Work\\Tools.kvcmd", "the user's");
    ASSERT_TRUE(::SetFileAttributesW(L"C:\\Work\\Tools.kvcmd", FILE_ATTRIBUTE_READONLY));
    for (const wchar_t* path : {L"C:\\Nowhere\\Tools.kvcmd", L"C:\\Work\\Tools.kvcmd"}) {
        int boxes = 0;
        s.user().expectFileChoose(path);
        s.user().expectBox(L"Не удалось записать файл \"" + std::wstring(path) + L"\".", [&](const platform::harness::BoxRequest& box) {
            EXPECT_EQ(box.type, MB_OK | MB_ICONEXCLAMATION);
            ++boxes;
            return platform::harness::Button::Ok;
        });
        OnPage([&](HWND page) { Act(page, {Kind::Click, Page::kExport, {}}); });
        EXPECT_EQ(boxes, 1) << platform::core::toUtf8(path);
    }
    EXPECT_EQ(s.files().read(L"C:\\Work\\Tools.kvcmd"), std::optional<std::string>("the user's"));
    EXPECT_FALSE(s.files().exists(L"C:\\Nowhere\\Tools.kvcmd"));
}

}  // namespace
