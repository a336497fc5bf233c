// User commands run from a main frame and edited: a program waited for keeps the frame disabled
// until it ends, starts that fail are said, only the ids the collection holds are enabled, and a
// cancelled editor changes nothing.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "commandbars/usercommands/user_command_kinds.h"
#include "mainframe/main_frame.h"
#include "tests/commandbars/user_command_test_support.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;
using platform::core::DialogAction;

const std::wstring kProgram = L"C:\\Tools\\Notes.exe";

class UserCommandRun : public StartedWithSampleLibraries {
protected:
    void SetUp() override {
        StartedWithSampleLibraries::SetUp();
        if (HasFatalFailure()) return;
        frame = CKvw32App::Instance()->GetActiveMainFrame();
        ASSERT_NE(frame, nullptr);
    }

    CKVUserCommands& Commands() { return CKvw32App::Instance()->GetUserCommands(); }

    UINT AddProgram(DWORD wait, const CString& app = kProgram.c_str()) {
        auto command = std::make_unique<CKVExternalAppUserCommand>();
        command->Prompt = L"Notes";
        command->App = app;
        command->Wait = wait;
        std::unique_ptr<CKVUserCommand> held = std::move(command);
        return Commands().AssignCommandId(held);
    }

    void Run(UINT id) {
        s.user().command(frame->GetSafeHwnd(), id);
        s.runUntilIdle();
    }

    std::vector<std::wstring> Processes() { return s.journal().texts("process"); }

    CMainFrame* frame = nullptr;
};

// A window of the test's own whose message, posted behind the command, reaches it only through
// the wait's pump: it notes whether the frame is enabled then, and ends the program.
struct WhileWaiting {
    static inline std::vector<bool> frameEnabled;
    static inline HWND frame = nullptr;
    static inline Session* session = nullptr;
    static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_USER) return ::DefWindowProcW(window, message, wParam, lParam);
        frameEnabled.push_back(::IsWindowEnabled(frame) != FALSE);
        session->kernel().endProgram(kProgram, 0);
        return 0;
    }
};

TEST_F(UserCommandRun, AWaitedForProgramKeepsTheFrameDisabledUntilItEnds) {
    ASSERT_EQ(s.kernel().registerProgram(kProgram, std::nullopt), L"");
    const UINT id = AddProgram(1);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WhileWaiting::Procedure;
    windowClass.lpszClassName = L"WhileWaiting";
    ASSERT_NE(::RegisterClassExW(&windowClass), 0);
    const HWND helper = ::CreateWindowExW(0, L"WhileWaiting", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(helper, nullptr);
    WhileWaiting::frame = frame->GetSafeHwnd();
    WhileWaiting::session = &s;
    s.user().command(frame->GetSafeHwnd(), id);
    ::PostMessageW(helper, WM_USER, 0, 0);
    s.runUntilIdle();
    ::DestroyWindow(helper);
    EXPECT_EQ(WhileWaiting::frameEnabled, std::vector<bool>{false});
    EXPECT_TRUE(::IsWindowEnabled(frame->GetSafeHwnd()));
    const auto processes = Processes();
    ASSERT_EQ(processes.size(), 2u);
    EXPECT_EQ(processes[0], L"spawned \"C:\\Tools\\Notes.exe\" \"C:\\Tools\\Notes.exe\" \" \"");
    EXPECT_EQ(processes[1], L"ended \"C:\\Tools\\Notes.exe\" with 0");
}

TEST_F(UserCommandRun, AStartThatFailsIsSaidWhetherOrNotTheCommandWaits) {
    s.files().write(L"C:\\Tools\\Readme.txt", "x");
    for (DWORD wait : {0u, 1u}) {
        const UINT id = AddProgram(wait, L"C:\\Tools");
        s.user().expectBox(L"The program \"C:\\Tools\" cannot be started.", Button::Ok);
        Run(id);
    }
    // A program that is not there is another message, and nothing is started.
    const UINT missing = AddProgram(0, L"C:\\Tools\\Gone.exe");
    s.user().expectBox(L"The program \"C:\\Tools\\Gone.exe\" cannot be read.", Button::Ok);
    Run(missing);
    EXPECT_TRUE(::IsWindowEnabled(frame->GetSafeHwnd()));
    for (const std::wstring& process : Processes()) EXPECT_EQ(process.rfind(L"cannot spawn", 0), 0u) << process;
}

TEST_F(UserCommandRun, OnlyHeldIdsAreEnabledAndAnEmptyFragmentDoesNothing) {
    auto fragment = std::make_unique<CKVFragmentUserCommand>();
    EXPECT_FALSE(fragment->Execute());
    std::unique_ptr<CKVUserCommand> held = std::move(fragment);
    const UINT id = Commands().AssignCommandId(held);
    ASSERT_NE(id, 0u);
    CCmdUI heldUi;
    heldUi.m_nID = id;
    CCmdUI freeUi;
    freeUi.m_nID = id + 1;
    // As a menu or bar asks before it shows the command.
    heldUi.DoUpdate(frame, TRUE);
    freeUi.DoUpdate(frame, TRUE);
    EXPECT_TRUE(heldUi.m_stateEnabled);
    EXPECT_FALSE(freeUi.m_stateEnabled);
}

TEST_F(UserCommandRun, ACancelledEditorChangesNothingAndOkTakesTheValues) {
    const UINT id = AddProgram(0);
    s.user().expectDialog(21246, {{DialogAction::Kind::Text, 1202, L"C:\\Other.exe"}, {DialogAction::Kind::Cancel}});
    EXPECT_FALSE(Commands().EditCommand(id, frame));
    const auto* program = dynamic_cast<const CKVExternalAppUserCommand*>(Commands().Lookup(id));
    EXPECT_EQ(program->App, CString(kProgram.c_str()));

    s.user().expectDialog(21246, {{DialogAction::Kind::Text, 1202, L"C:\\Other.exe"},
                                  {DialogAction::Kind::Text, 1204, L"-x"},
                                  {DialogAction::Kind::Click, 3477},
                                  {DialogAction::Kind::Ok}});
    EXPECT_TRUE(Commands().EditCommand(id, frame));
    EXPECT_EQ(program->App, CString(L"C:\\Other.exe"));
    EXPECT_EQ(program->Args, CString(L"-x"));
    EXPECT_EQ(program->Wait, 1u);

    // A cancelled file, folder or macro choice keeps the field; a new command is not added.
    s.kernel().installMacros({L"Tidy"});
    s.user().expectMacro(std::nullopt);
    s.user().expectFileCancel();
    s.user().expectFolder(std::nullopt);
    s.user().expectDialog(21253, {{DialogAction::Kind::Cancel}});
    const INT_PTR before = Commands().GetCount();
    for (UINT type : {1u, 3u, 4u, 5u}) EXPECT_EQ(Commands().AddCommand(type, frame), 0u);
    EXPECT_EQ(Commands().GetCount(), before);

    s.user().expectMacro(L"Tidy");
    const UINT macro = Commands().AddCommand(1, frame);
    ASSERT_NE(macro, 0u);
    EXPECT_EQ(dynamic_cast<const CKVMacroUserCommand*>(Commands().Lookup(macro))->Macro, CString(L"Tidy"));
    Run(macro);
    EXPECT_GE(indexOf(calls(s), L"MacroManager::RunMacro(\"Tidy\""), 0);

    s.user().expectDialog(21253, {{DialogAction::Kind::Text, 1150, L"Samples"}, {DialogAction::Kind::Select, 3167, L"List"},
                                  {DialogAction::Kind::Ok}});
    const UINT library = Commands().AddCommand(5, frame);
    ASSERT_NE(library, 0u);
    EXPECT_EQ(dynamic_cast<const CKVOpenLibraryUserCommand*>(Commands().Lookup(library))->Mode, 1u);
}

}  // namespace
