// The idle pass: its count protocol and the kernel's heartbeat timer; auto-save on the clock;
// critical errors kept for the user on the UI thread and ending the process on another thread.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/app/document_test_support.h"

#include "app/kvw32_app.h"
#include "mainframe/panes/document_pane_windows.h"
#include "mainframe/main_frame.h"
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

TEST_F(IdlePass, OnePassRunsItsStepsInOrderAfterEachBurstOfMessages) {
    Session s;
    Start(s);
    CDocument* bracket = Open(s, kBracket);
    ASSERT_NE(bracket, nullptr);
    s.kernel().set3DContainerMode(bracket, 1);
    CKvw32App* app = CKvw32App::Instance();
    CWnd* host = app->GetDockingPaneDummyWindow();
    PaneWindows& panes = app->GetPaneWindows();
    panes.properties.Reset(Korvo::UI::PropertiesWindow::Instance(host));
    panes.layers.Reset(CLayersWnd::Create(host));
    panes.configurations.Reset(CConfigurationsWnd::Instance(host));
    auto* product = new CProductStructWnd;
    product->Create(L"STATIC", nullptr, WS_CHILD, RECT{0, 0, 0, 0}, host, 1020);
    panes.productStructure.Reset(product);
    auto* elements = new CModelElementsListWnd;
    elements->Create(L"STATIC", nullptr, WS_CHILD, RECT{0, 0, 0, 0}, host, 1022);
    panes.modelElements.Reset(elements);
    auto* assembly = new AssemblyStructureWindow;
    assembly->Create(L"STATIC", nullptr, WS_CHILD, RECT{0, 0, 0, 0}, host, 1023);
    panes.assemblyStructure.Reset(assembly);
    auto* errors = new Korvo::UI::ErrorWindowBase;
    errors->Create(L"STATIC", nullptr, WS_CHILD, RECT{0, 0, 0, 0}, host, 1005);
    kvpf::CKVDiagnosticsDialog page;
    errors->SetActiveWnd(&page);
    panes.error.Reset(errors);
    s.kernel().takeIdleCalls();

    Later(s, 0);
    EXPECT_EQ(s.kernel().takeIdleCalls(), (std::vector<std::wstring>{
                                               L"kvrt::TaskManager::Idle()",
                                               L"kvrt::StatusLineBkProcManager::Update()",
                                               L"Korvo::UI::PropertiesWindow::OnIdleUpdate()",
                                               L"kvpf::CKVDiagnosticsDialog::UpdateIfNeed()",
                                               L"CModelElementsList::UpdateIfDirty()",
                                               L"Korvo::UI::AssemblyStructureControlSite::UpdateIfDirty()",
                                               L"CLayersWnd::UpdateIfDirty()",
                                               L"KV3DContainer::ModelTreeIdle()",
                                               L"CXTPReportControl::FreeRowBatchExtraData()",
                                               L"CConfigurationsWnd::OnIdleUpdate()",
                                           }));
    // The product structure's editor refreshes at every pass.
    EXPECT_GE(indexOf(calls(s), L"ProductStructEditorProxy::Refresh()"), 0);
    // Nothing to do, no pass.
    s.runUntilIdle();
    EXPECT_TRUE(s.kernel().takeIdleCalls().empty());
    errors->SetActiveWnd(nullptr);  // the page goes before the program ends
}

TEST_F(IdlePass, ThePopupToolBarFollowsOneFreshSelectionInAFocusedView) {
    Session s;
    Start(s);
    CDocument* bracket = Open(s, kBracket);
    ASSERT_NE(bracket, nullptr);
    auto* view = dynamic_cast<CKVView*>(dynamic_cast<CKvw32Doc*>(bracket)->GetActiveView());
    ASSERT_NE(view, nullptr);
    const std::wstring shown = L"Korvo::UI::PopupToolBar::ShowPopupToolBar(" + apptest::HandleText(view->GetSafeHwnd()) + L", 0, 0)";
    const auto popupCalls = [&] {
        std::vector<std::wstring> found;
        for (const std::wstring& line : calls(s)) {
            if (line.starts_with(L"Korvo::UI::PopupToolBar::")) found.push_back(line);
        }
        return found;
    };
    const auto selectAndIdle = [&](int selected, unsigned flags) {
        s.kernel().setStoredSelection(bracket, selected);
        s.kernel().raiseSelectionEvent(bracket, flags);
        Later(s, 0);
    };

    // Without the keyboard focus the view gets no popup tool bar.
    ::SetFocus(frame_);
    selectAndIdle(2, 0);
    EXPECT_TRUE(popupCalls().empty());

    ::SetFocus(view->GetSafeHwnd());
    selectAndIdle(2, 32);  // the kernel asked for none
    EXPECT_TRUE(popupCalls().empty());
    selectAndIdle(2, 0);
    EXPECT_EQ(popupCalls(), std::vector<std::wstring>{shown});
    // The selection was answered once: later passes leave the bar alone.
    Later(s, 0);
    EXPECT_EQ(popupCalls().size(), 1u);
    selectAndIdle(0, 0);
    EXPECT_EQ(popupCalls().back(), L"Korvo::UI::PopupToolBar::HidePopupToolBar()");

    view->SetPopupSuppressed(true);
    selectAndIdle(2, 0);
    EXPECT_EQ(popupCalls().size(), 2u);
    view->SetPopupSuppressed(false);
    s.kernel().setInCommand(bracket, true);
    selectAndIdle(2, 0);
    EXPECT_EQ(popupCalls().size(), 2u);
}

TEST_F(IdlePass, KeysPressedInACurrentDocumentGoToItsActionLogWithTheirModifiers) {
    Session s;
    Start(s);
    ASSERT_NE(Open(s, kBracket), nullptr);
    const auto key = [&](UINT message, WPARAM code) {
        PostMessageW(frame_, message, code, 0);
        s.runUntilIdle();
    };
    key(WM_KEYDOWN, VK_CONTROL);
    key(WM_KEYDOWN, VK_SHIFT);
    key(WM_KEYDOWN, 'A');
    key(WM_KEYUP, 'A');
    key(WM_KEYUP, VK_SHIFT);
    key(WM_KEYUP, VK_CONTROL);
    key(WM_KEYDOWN, VK_MENU);
    key(WM_KEYDOWN, 'B');
    key(WM_KEYUP, VK_MENU);
    key(WM_KEYDOWN, 'C');
    std::vector<std::wstring> actions;
    for (const std::wstring& line : calls(s)) {
        if (line.starts_with(L"CKvw32Doc::PushAction(")) actions.push_back(line);
    }
    EXPECT_EQ(actions, (std::vector<std::wstring>{L"CKvw32Doc::PushAction(\"Bracket.grb\", 1, 65, 5)",
                                                 L"CKvw32Doc::PushAction(\"Bracket.grb\", 1, 66, 2)",
                                                 L"CKvw32Doc::PushAction(\"Bracket.grb\", 1, 67, 0)"}));
}

TEST_F(IdlePass, AKeyOrAButtonPressedPutsAwayTheTipTheMouseRestedOn) {
    Session s;
    Start(s);
    const auto tipShown = [&] { return !s.inspect().tooltip(frame_).empty(); };
    const auto post = [&](UINT message) {
        PostMessageW(frame_, message, 'A', 0);
        s.runUntilIdle();
    };
    for (UINT putsAway : {WM_KEYDOWN, WM_SYSKEYUP, WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_NCLBUTTONDOWN,
                          WM_NCRBUTTONDOWN, WM_NCMBUTTONDBLCLK}) {
        ASSERT_EQ(s.user().hover(frame_, 1001), std::nullopt);
        ASSERT_TRUE(tipShown());
        // Moving the mouse and letting a button go leave the tip.
        post(WM_MOUSEMOVE);
        post(WM_LBUTTONUP);
        EXPECT_TRUE(tipShown());
        post(putsAway);
        EXPECT_FALSE(tipShown()) << std::hex << putsAway;
    }
}

TEST_F(IdlePass, AutoSaveWaitsItsIntervalAndSkipsUntitledAndReadOnlyDocuments) {
    Session s;
    s.files().write(L"C:\\Work\\model.step", "ISO-10303-21;");
    s.kernel().writeDocumentFile(L"C:\\Work\\unchanged.grb");
    Start(s);
    ASSERT_NE(Open(s, L"C:\\Work\\unchanged.grb"), nullptr);
    CDocument* bracket = Open(s, kBracket);
    CDocument* cover = Open(s, kCoverPlate);
    s.kernel().set3DImport(Kernel::Import3D::DocumentWithView);
    Open(s, L"C:\\Work\\model.step");
    CDocument* untitled = Korvo::DocumentManager::Instance().GetDocuments().back();
    ASSERT_TRUE(bracket && cover && untitled && untitled->GetPathName().IsEmpty());
    s.kernel().setReadOnly(cover, true);
    for (CDocument* document : {bracket, cover, untitled}) s.kernel().setModified(document, true);

    s.kernel().setAutoSave(false, 10);
    Later(s, 10 * kMinute);
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 0) << "auto-save is off";
    s.kernel().setAutoSave(true, 10);
    Later(s, 10 * kMinute);
    ASSERT_EQ(Saves(s, L"Bracket.grb"), 1);
    EXPECT_EQ(Saves(s, L"unchanged.grb"), 0);
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
    Later(s, kMinute - 1000);  // with the dialog's second, the interval to the second
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 2);

    // The kernel's own request runs the same check at once, the interval and all.
    s.kernel().setModified(bracket, true);
    const auto autoSave = [&] { s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.AutoSaveDocuments(); }); };
    autoSave();
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 2);
    s.advance(10 * kMinute);
    ASSERT_EQ(Saves(s, L"Bracket.grb"), 2) << "no idle pass without a message";
    autoSave();
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 3);

    // A save that fails is logged and not tried again before another interval.
    s.faults().failDocumentSave(kBracket);
    s.kernel().setModified(bracket, true);
    Later(s, 10 * kMinute);
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 4);
    EXPECT_TRUE(Contains(logs(s), L"6 Auto-save of \"" + kBracket + L"\" failed"));
    Later(s, kMinute);
    EXPECT_EQ(Saves(s, L"Bracket.grb"), 4);
    // The three documents are still modified when the program closes.
    for (int i = 0; i < 3; ++i) s.user().expectBox(L"Save changes to *", Button::No);
}

class CriticalErrors : public apptest::DocumentSessionTest {
protected:
    // The critical-error bars (id 299) of main frame `frame`.
    static std::vector<Korvo::UI::MessageBar*> ErrorBars(HWND frame) {
        std::vector<Korvo::UI::MessageBar*> bars;
        auto* mainFrame = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frame));
        if (!mainFrame) return bars;
        for (const auto& bar : mainFrame->GetMessageBars()) {
            if (bar->GetId() == 299) bars.push_back(bar.get());
        }
        return bars;
    }
    static void Press(Session& s, Korvo::UI::MessageBar* bar, int button) {
        s.user().pressButton(::GetDlgItem(bar->GetSafeHwnd(), button));
        s.runUntilIdle();
    }
    // The kernel reports from inside some message's handling; an idle pass follows it.
    static void Report(Session& s, HWND frame, const wchar_t* message) {
        s.kernel().reportCriticalError(message, false);
        PostMessageW(frame, WM_NULL, 0, 0);
        s.runUntilIdle();
    }
};

TEST_F(CriticalErrors, TheFirstErrorOnTheUiThreadWaitsInABarAndItsReportIsMadeOnce) {
    Session s;
    Start(s);
    const HWND frame = frame_;
    Report(s, frame, L"out of memory");
    Report(s, frame, L"second");
    const auto bars = ErrorBars(frame);
    ASSERT_EQ(bars.size(), 1u);
    const std::wstring dump = s.inspect().dumpWindows();
    for (const wchar_t* text : {L"\"Korvo.MessageBar\" \"Произошла критическая ошибка. Сохраните документы и перезапустите программу.\"",
                                L"\"Korvo.MessageBarButton\" \"Отправить отчёт\"",
                                L"\"Korvo.MessageBarButton\" \"Просмотреть отчёт\"",
                                L"\"Korvo.MessageBarButton\" \"Показать файлы отчёта\"",
                                L"\"Korvo.MessageBarButton\" \"Close\""}) {
        EXPECT_NE(dump.find(text), std::wstring::npos) << apptest::Utf8(text) << "\n" << apptest::Utf8(dump);
    }

    Press(s, bars[0], 1);
    Press(s, bars[0], 0);
    Press(s, bars[0], 2);
    const auto lines = calls(s);
    ASSERT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::wstring& line) { return line.find(L"GenerateReportFiles") != std::wstring::npos; }),
              1);
    EXPECT_TRUE(Contains(lines, L"GenerateDumpFileContextBase::GenerateReportFiles(\"Viewer\", \"out of memory\")"));
    const std::wstring report = L"C:\\Users\\user\\AppData\\Local\\Velmora\\Reports\\Report1\\report.txt";
    EXPECT_TRUE(Contains(lines, L"GenerateDumpFileContextBase::ShowReport(\"" + report + L"\")"));
    EXPECT_TRUE(Contains(lines, L"GenerateDumpFileContextBase::SendReport(\"" + report + L"\")"));
    EXPECT_TRUE(Contains(lines, L"GenerateDumpFileContextBase::ShowReportFiles("));
    EXPECT_TRUE(s.files().exists(report));
    EXPECT_TRUE(s.files().exists(L"C:\\Users\\user\\AppData\\Local\\Velmora\\Reports\\Report1\\crash.dmp"));
    ASSERT_EQ(ErrorBars(frame).size(), 1u) << "the report buttons leave the bar open";

    // Its close button ends the error: the next one gets a bar of its own.
    Press(s, bars[0], 61536);
    EXPECT_TRUE(ErrorBars(frame).empty());
    CKvw32App* app = CKvw32App::Instance();
    EXPECT_FALSE(app->HasPendingCriticalError());
    Report(s, frame, L"later");
    EXPECT_TRUE(app->HasPendingCriticalError());
    EXPECT_EQ(ErrorBars(frame).size(), 1u);
}

TEST_F(CriticalErrors, ABarClosedByItsIdIsOfferedAgainAtTheNextIdlePass) {
    Session s;
    Start(s);
    const HWND frame = frame_;
    Report(s, frame, L"out of memory");
    ASSERT_EQ(ErrorBars(frame).size(), 1u);
    KorvoServerAppProxy::Instance()->CloseMessageBar(299);
    EXPECT_TRUE(ErrorBars(frame).empty());
    PostMessageW(frame, WM_NULL, 0, 0);
    s.runUntilIdle();
    ASSERT_EQ(ErrorBars(frame).size(), 1u);
    EXPECT_TRUE(CKvw32App::Instance()->HasPendingCriticalError());
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
