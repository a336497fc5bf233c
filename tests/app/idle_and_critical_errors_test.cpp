// The idle pass: its count protocol and the kernel's heartbeat timer; auto-save on the clock;
// critical errors kept for the user on the UI thread and ending the process on another thread.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/app/document_test_support.h"

#include "app/kvw32_app.h"
#include "platform/core/process.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

constexpr unsigned kMinute = 60 * 1000;
const std::wstring kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
const std::wstring kCoverPlate = L"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb";

class IdlePass : public apptest::DocumentSessionTest {
protected:
    // Time passes, then something happens (any message ends the idle wait) and the loop settles.
    void Later(Session& s, unsigned milliseconds) {
        s.advance(milliseconds);
        PostMessageW(frame_, WM_NULL, 0, 0);
        s.runUntilIdle();
    }
    static long long Saves(Session& s, const std::wstring& title) {
        const auto lines = calls(s);
        return std::count(lines.begin(), lines.end(), L"CKvw32Doc::DoFileSave(\"" + title + L"\")");
    }
};

TEST_F(IdlePass, CountsAndTheHeartbeatTimer) {
    Session s;
    Start(s);
    CKvw32App* app = CKvw32App::Instance();
    MSG heartbeat{};
    heartbeat.message = WM_TIMER;
    heartbeat.wParam = 113341;
    EXPECT_FALSE(app->IsIdleMessage(&heartbeat));
    heartbeat.wParam = 113340;
    EXPECT_TRUE(app->IsIdleMessage(&heartbeat));

    const int before = GlobalContainer::GetSessionIdleCount();
    EXPECT_TRUE(app->OnIdle(0));
    EXPECT_EQ(GlobalContainer::GetSessionIdleCount(), before + 1);
    EXPECT_FALSE(app->OnIdle(1));
    EXPECT_FALSE(app->OnIdle(2));
    EXPECT_EQ(GlobalContainer::GetSessionIdleCount(), before + 1);
}

TEST_F(IdlePass, AutoSaveWaitsItsIntervalAndSkipsUntitledAndReadOnlyDocuments) {
    Session s;
    s.files().write(L"C:\\Work\\model.step", "ISO-10303-21;");
    Start(s);
    CDocument* bracket = Open(s, kBracket);
    CDocument* cover = Open(s, kCoverPlate);
    s.kernel().set3DImport(Kernel::Import3D::DocumentWithView);
    Open(s, L"C:\\Work\\model.step");
    CDocument* untitled = Korvo::DocumentManager::Instance().GetDocuments().back();
    ASSERT_TRUE(bracket && cover && untitled && untitled->GetPathName().IsEmpty());
    s.kernel().setReadOnly(cover, true);
    for (CDocument* document : {bracket, cover, untitled}) s.kernel().setModified(document, true);

    s.kernel().setAutoSave(true, 10);
    Later(s, 10 * kMinute);
    ASSERT_EQ(Saves(s, L"Bracket.grb"), 1);
    EXPECT_EQ(Saves(s, L"Cover plate.grb"), 0);
    EXPECT_EQ(Saves(s, L"model.step"), 0);
    EXPECT_FALSE(bracket->IsModified());
    // The dialog came and went, and the frame is usable again.
    EXPECT_TRUE(Contains(s.journal().texts("window"), L"destroyed"));
    EXPECT_TRUE(IsWindowEnabled(frame_));

    // A later change waits a whole interval after the last save.
    s.kernel().setModified(bracket, true);
    Later(s, 9 * kMinute);
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 1);
    Later(s, kMinute);
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 2);

    // A save that fails is logged and not tried again before another interval.
    s.faults().failDocumentSave(kBracket);
    s.kernel().setModified(bracket, true);
    Later(s, 10 * kMinute);
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 3);
    EXPECT_TRUE(Contains(logs(s), L"6 Auto-save of \"" + kBracket + L"\" failed"));
    Later(s, kMinute);
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 3);
    // The three documents are still modified when the program closes.
    for (int i = 0; i < 3; ++i) s.user().expectBox(L"Save changes to *", Button::No);
}

class CriticalErrors : public SessionTest {};

TEST_F(CriticalErrors, TheFirstErrorOnTheUiThreadWaitsForTheUserAndItsReportIsMadeOnce) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.kernel().reportCriticalError(L"out of memory", false);
    s.kernel().reportCriticalError(L"second", false);
    s.runUntilIdle();
    CKvw32App* app = CKvw32App::Instance();
    EXPECT_TRUE(app->HasPendingCriticalError());

    app->OnCriticalErrorBarButton(1);
    app->OnCriticalErrorBarButton(0);
    const auto lines = calls(s);
    ASSERT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::wstring& line) { return line.find(L"GenerateReportFiles") != std::wstring::npos; }),
              1);
    EXPECT_TRUE(Contains(lines, L"GenerateDumpFileContextBase::GenerateReportFiles(\"Viewer\", \"out of memory\")"));
    const std::wstring report = L"C:\\Users\\user\\AppData\\Local\\Velmora\\Reports\\Report1\\report.txt";
    EXPECT_TRUE(Contains(lines, L"GenerateDumpFileContextBase::ShowReport(\"" + report + L"\")"));
    EXPECT_TRUE(Contains(lines, L"GenerateDumpFileContextBase::SendReport(\"" + report + L"\")"));
    EXPECT_TRUE(s.files().exists(report));
    EXPECT_TRUE(s.files().exists(L"C:\\Users\\user\\AppData\\Local\\Velmora\\Reports\\Report1\\crash.dmp"));

    app->OnCriticalErrorBarButton(61536);
    EXPECT_FALSE(app->HasPendingCriticalError());
    s.kernel().reportCriticalError(L"later", false);
    EXPECT_TRUE(app->HasPendingCriticalError());
}

TEST_F(CriticalErrors, AnErrorOnAWorkerThreadRestartsWhenAskedAndEndsTheProcess) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    s.kernel().setCrashDialogRestarts(true);
    EXPECT_THROW(s.kernel().reportCriticalError(L"heap corrupted", true), platform::core::ProcessTerminated);
    EXPECT_EQ(platform::core::process().exitCode(), 1u);
    const auto lines = apptest::Lines(s);
    apptest::ExpectInOrder(lines, {L"thread suspended 1",
                                   L"call GenerateDumpFileContextBase::ShowErrorDialog(\"heap corrupted\", \"Viewer\")",
                                   L"process started \"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\Korvo.exe\"",
                                   L"process terminate 1"});
    std::ifstream hive(std::filesystem::path(s.hostRoot()) / "registry" / "HKEY_CURRENT_USER.reg");
    const std::string text((std::istreambuf_iterator<char>(hive)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[Software\\Velmora\\Korvo CAD 18.0\\ErrorRestore]"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Restart\"=dword:00000001"), std::string::npos);
}

}  // namespace
