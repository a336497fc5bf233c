// The help browser: links that run program actions (and those that must not), the help window
// beside the main window, and tutorial pages.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/kvw32_app.h"
#include "mainframe/help/embedded_help_frame.h"
#include "mainframe/help/embedded_html_view.h"
#include "mainframe/help/help_links.h"
#include "mainframe/help/tutorial_document.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

const std::wstring kProgram = L"C:\\Program Files\\Velmora\\Korvo CAD 18.0";
const std::wstring kTutorialsKey = L"SOFTWARE\\WOW6432Node\\Velmora\\Korvo Tutorials 18\\Rus";

bool Has(const std::vector<std::wstring>& entries, std::wstring_view needle) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const std::wstring& entry) { return entry.find(needle) != std::wstring::npos; });
}

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

class HelpBrowser : public SessionTest {
protected:
    CMainFrame& Started(Session& s, const wchar_t* tutorials = L"C:\\Tut\\") {
        if (tutorials) s.registry().setString(L"HKEY_LOCAL_MACHINE", kTutorialsKey, L"SetupDirectory", tutorials);
        s.files().write(L"C:\\Tut\\index.htm", "<html><title>Start here</title></html>");
        s.start();
        EXPECT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        return *CKvw32App::Instance()->GetActiveMainFrame();
    }
};

TEST_F(HelpBrowser, CommandLinksRunTheFirstVerbFoundAnywhereInTableOrder) {
    Session s;
    Started(s);
    // Marker and verbs in any case; the kind is matched whole.
    EXPECT_TRUE(OnHelpLink(L"x.htm?KVCOMMAND=NEW3DAssembly"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=newsheet"));
    const auto calls = s.journal().texts("call");
    EXPECT_TRUE(Has(calls, L"Prototypes\\Assembly.grb\", options 1,0)"));
    EXPECT_TRUE(Has(calls, L"Prototypes\\Drawing.grb\", options 1,0)"));
    // "help": a context number; none, 0 or one past 32 bits does nothing, and is still handled.
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=help"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=help0"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=help4294967296"));
    EXPECT_TRUE(s.journal().texts("help").empty());
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=help4711x"));
    EXPECT_TRUE(Has(s.journal().texts("help"), L"data 4711"));
    // Without a verb the browser navigates; so it does without the marker.
    EXPECT_FALSE(OnHelpLink(L"?kvcommand=nothing"));
    EXPECT_FALSE(OnHelpLink(L"C:\\Tut\\index.htm"));
    EXPECT_FALSE(OnHelpLink(L""));
    // "open" keeps the case it was written in and turns "%20" into blanks; a path with a drive
    // is taken as it is. "shell:open.exe" runs "open", the first verb of the table.
    for (int box = 0; box < 4; ++box) s.user().expectBox(L"*", Button::Ok);  // none of them exists
    EXPECT_TRUE(OnHelpLink(L"?KVCOMMAND=OPENMy%20File.grb"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=openD:\\x.grb"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=open:x.grb"));  // a colon first names no drive
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=shell:open.exe"));
    // Examples need the product's "Examples" setting naming a library configuration.
    s.user().expectBox(L"The examples are not installed.", Button::Ok);
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=example"));
    // "support" opens the support dialog, which the user closes.
    s.user().expectDialog(1400u, std::vector<platform::core::DialogAction>{{platform::core::DialogAction::Kind::Cancel, 0, {}}});
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=support"));
    s.runUntilIdle();
    EXPECT_TRUE(Has(s.journal().texts("call"), L"KVCommand::Run(1048"));
    const auto opened = s.journal().texts("call");
    EXPECT_TRUE(Has(opened, L"ReadDocumentFileInfo(\"C:\\Tut\\My File.grb\")"));
    EXPECT_TRUE(Has(opened, L"ReadDocumentFileInfo(\"D:\\x.grb\")"));
    EXPECT_TRUE(Has(opened, L"ReadDocumentFileInfo(\"C:\\Tut\\:x.grb\")"));
    EXPECT_TRUE(Has(opened, L"ReadDocumentFileInfo(\"C:\\Tut\\.exe\")"));
    EXPECT_TRUE(s.journal().texts("process").empty());
}

// A library named as a fragment's link names it leads to its folder; a library or file that is
// not there leaves the argument as written, and the open says it cannot be found.
TEST_F(HelpBrowser, AnOpenLinkNamingALibraryOpensTheDocumentBelowItsFolder) {
    Session s;
    Started(s);
    DocumentsMenu::IConfiguration* configuration =
        s.kernel().documentsMenu().addConfiguration(L"C:\\Users\\user\\Documents\\Parts.tws", L"Parts");
    ASSERT_NE(s.kernel().documentsMenu().addLibrary(configuration, L"Samples", L"Samples"), nullptr);
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=open<samples>Cover%20plate.grb"));
    s.runUntilIdle();
    const auto opened = Korvo::DocumentManager::Instance().GetDocuments();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front()->GetPathName(), CString(L"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb"));
    s.user().expectBox(L"*", Button::Ok);
    s.user().expectBox(L"*", Button::Ok);
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=open<Nowhere>Bracket.grb"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=open<Samples>Missing.grb"));
    EXPECT_TRUE(Has(s.journal().texts("call"), L"ReadDocumentFileInfo(\"<Nowhere>Bracket.grb\")"));
    EXPECT_EQ(Korvo::DocumentManager::Instance().GetDocuments().size(), 1u);
    EXPECT_TRUE(s.takeFailures().empty());
}

TEST_F(HelpBrowser, WebLinksAndPdfFilesGoToTheShellAndItsFailureIsSaid) {
    Session s;
    Started(s);
    EXPECT_TRUE(OnHelpLink(L"HTTP://example.com/Page"));
    EXPECT_TRUE(Has(s.journal().texts("process"), L"shell-opened null, \"HTTP://example.com/Page\""));
    EXPECT_TRUE(OnHelpLink(L"https://example.com/Secure"));
    EXPECT_TRUE(Has(s.journal().texts("process"), L"shell-opened null, \"https://example.com/Secure\""));
    // A web address inside a help page's own address is the browser's to follow.
    EXPECT_FALSE(OnHelpLink(L"index.htm?from=http://example.com"));
    // ".pdf" at the very start is no PDF file.
    EXPECT_FALSE(OnHelpLink(L".pdf"));
    s.files().write(kProgram + L"\\Docs\\guide.pdf", "%PDF");
    EXPECT_TRUE(OnHelpLink(L"Docs/guide.pdf"));
    EXPECT_TRUE(Has(s.journal().texts("process"), L"shell-opened null, \"" + kProgram + L"\\Docs\\guide.pdf\""));
    s.user().expectBox(L"Cannot open \"" + kProgram + L"\\Docs\\missing.pdf\".", Button::Ok);
    EXPECT_FALSE(OnHelpLink(L"Docs/missing.pdf"));
}

TEST_F(HelpBrowser, LinksStartNothingOutsideTheTutorialsFolder) {
    EXPECT_TRUE(StaysInsideTutorials(L"sub\\x.exe"));
    EXPECT_TRUE(StaysInsideTutorials(L"a..b\\x.exe"));
    for (const wchar_t* escape : {L"..\\x.exe", L"sub/../../x.exe", L"C:\\x.exe", L"\\x.exe", L"\\\\server\\x.exe",
                                  L"/x.exe", L"sub\\.. \\x.exe", L"sub\\...\\x.exe", L""}) {
        EXPECT_FALSE(StaysInsideTutorials(escape)) << std::wstring(escape);
    }
    Session s;
    Started(s);
    s.files().write(L"C:\\Tut\\sub\\demo.exe", "MZ");
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=shell:..\\x.exe"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=shell:c:\\x.exe"));
    EXPECT_TRUE(s.journal().texts("process").empty());
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=shell:sub\\demo.exe"));
    EXPECT_TRUE(Has(s.journal().texts("process"), L"shell-opened \"open\", \"C:\\Tut\\sub\\demo.exe\""));

    // The video plays with the player, the file quoted as one argument whatever it holds.
    s.files().write(L"C:\\Tut\\Rovani\\Rovani.exe", "MZ");
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=video:a\" /x b.avi"));
    EXPECT_TRUE(Has(s.journal().texts("process"), L"spawned \"C:\\Tut\\Rovani\\Rovani.exe\" "
                                                  L"\"\"C:\\Tut\\Rovani\\Rovani.exe\"\" \"\"C:\\Tut\\a\\\" /x b.avi\"\""));
    EXPECT_EQ(Korvo::QuoteCommandLineArgument(L"a\\\"b\\"), L"\"a\\\\\\\"b\\\\\"");
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=video:..\\x.avi"));
    const auto processes = s.journal().texts("process");
    EXPECT_EQ(std::count_if(processes.begin(), processes.end(),
                            [](const std::wstring& line) { return line.find(L"spawned") == 0; }),
              1);
}

TEST_F(HelpBrowser, WithoutTutorialsAShellLinkStartsNothing) {
    Session s;
    Started(s, nullptr);
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=shell:cmd.exe"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=video:x.avi"));
    s.runUntilIdle();
    EXPECT_TRUE(s.journal().texts("process").empty());
}

TEST_F(HelpBrowser, TheAttachedHelpWindowTakesTheRightQuarterAndMovesWithTheMainWindow) {
    Session s;
    CMainFrame& main = Started(s);
    const HWND mainWindow = main.GetSafeHwnd();
    WINDOWPLACEMENT before{};
    ::GetWindowPlacement(mainWindow, &before);
    const RECT original = before.rcNormalPosition;
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=tutorhtm:index.htm"));
    s.runUntilIdle();
    CEmbeddedHelpFrame* help = main.GetEmbeddedHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->GetView()->GetLocationURL(), L"C:\\Tut\\index.htm");
    CString caption;
    help->GetWindowText(caption);
    EXPECT_EQ(caption, L"Start here");
    const int split = original.right - (original.right - original.left) / 4;
    EXPECT_EQ(WindowRect(help->GetSafeHwnd()), (RECT{split, original.top, original.right, original.bottom}));
    EXPECT_EQ(WindowRect(mainWindow), (RECT{original.left, original.top, split, original.bottom}));

    // The main window narrows: the help window's left edge follows, its right edge stays.
    ::MoveWindow(mainWindow, original.left + 10, original.top + 20, split - original.left - 110, 500, TRUE);
    RECT mainNow = WindowRect(mainWindow);
    EXPECT_EQ(WindowRect(help->GetSafeHwnd()), (RECT{mainNow.right, mainNow.top, original.right, mainNow.bottom}));
    // The help window moves: the main window's right edge follows.
    ::MoveWindow(help->GetSafeHwnd(), mainNow.right + 40, 100, 300, 400, TRUE);
    EXPECT_EQ(WindowRect(mainWindow), (RECT{mainNow.left, 100, mainNow.right + 40, 500}));
    // Neither pulls the other across itself: a main window past the help window's right edge, or a
    // help window left of the main window's left edge, leaves the other alone.
    const RECT helpPlaced = WindowRect(help->GetSafeHwnd());
    ::MoveWindow(mainWindow, mainNow.left, 100, helpPlaced.right + 50 - mainNow.left, 400, TRUE);
    EXPECT_EQ(WindowRect(help->GetSafeHwnd()), helpPlaced);
    const RECT mainWide = WindowRect(mainWindow);
    ::MoveWindow(help->GetSafeHwnd(), mainWide.left - 100, 120, 50, 300, TRUE);
    EXPECT_EQ(WindowRect(mainWindow), mainWide);
    // Detached, neither follows the other.
    ::SendMessageW(help->GetSafeHwnd(), WM_COMMAND, CEmbeddedHelpFrame::kToggleAttachedCommand, 0);
    EXPECT_FALSE(help->IsAttached());
    const RECT helpNow = WindowRect(help->GetSafeHwnd());
    ::MoveWindow(mainWindow, 0, 0, 200, 200, TRUE);
    EXPECT_EQ(WindowRect(help->GetSafeHwnd()), helpNow);
    ::MoveWindow(help->GetSafeHwnd(), 400, 50, 300, 300, TRUE);
    EXPECT_EQ(WindowRect(mainWindow), (RECT{0, 0, 200, 200}));
    ::SendMessageW(help->GetSafeHwnd(), WM_COMMAND, CEmbeddedHelpFrame::kToggleAttachedCommand, 0);

    // The close button gives the main window back its placement.
    s.user().close(help->GetSafeHwnd());
    s.runUntilIdle();
    EXPECT_EQ(main.GetEmbeddedHelp(), nullptr);
    WINDOWPLACEMENT after{};
    ::GetWindowPlacement(mainWindow, &after);
    EXPECT_EQ(after.rcNormalPosition, original);

    // Closed while detached, the help window leaves the main window where it stands.
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=tutorhtm:index.htm"));
    s.runUntilIdle();
    help = main.GetEmbeddedHelp();
    ASSERT_NE(help, nullptr);
    ::SendMessageW(help->GetSafeHwnd(), WM_COMMAND, CEmbeddedHelpFrame::kToggleAttachedCommand, 0);
    const RECT beside = WindowRect(mainWindow);
    EXPECT_FALSE(beside == original);
    s.user().close(help->GetSafeHwnd());
    s.runUntilIdle();
    EXPECT_EQ(main.GetEmbeddedHelp(), nullptr);
    EXPECT_EQ(WindowRect(mainWindow), beside);
}

TEST_F(HelpBrowser, AMaximisedMainWindowSplitsTheScreenAndIsLeftAloneOnClose) {
    Session s;
    CMainFrame& main = Started(s);
    const HWND mainWindow = main.GetSafeHwnd();
    ::ShowWindow(mainWindow, SW_SHOWMAXIMIZED);
    ASSERT_TRUE(main.ShowEmbeddedHelp(L"C:\\Tut\\index.htm", 0));
    CEmbeddedHelpFrame* help = main.GetEmbeddedHelp();
    ASSERT_NE(help, nullptr);
    const int width = ::GetSystemMetrics(SM_CXFULLSCREEN), height = ::GetSystemMetrics(SM_CYFULLSCREEN);
    EXPECT_EQ(WindowRect(help->GetSafeHwnd()), (RECT{width - width / 4, 0, width, height}));
    ::ShowWindow(mainWindow, SW_SHOWMAXIMIZED);
    WINDOWPLACEMENT before{};
    ::GetWindowPlacement(mainWindow, &before);
    s.user().close(help->GetSafeHwnd());
    s.runUntilIdle();
    WINDOWPLACEMENT after{};
    ::GetWindowPlacement(mainWindow, &after);
    EXPECT_TRUE(::IsZoomed(mainWindow));
    EXPECT_EQ(after.rcNormalPosition, before.rcNormalPosition);
}

// A page the help window navigated to is drawn when the kernel's command changes, not before.
TEST_F(HelpBrowser, ANavigatedHelpPageIsRedrawnWhenTheActiveCommandChanges) {
    Session s;
    CMainFrame& main = Started(s);
    ASSERT_TRUE(main.ShowEmbeddedHelp(L"C:\\Tut\\index.htm", 0));
    s.runUntilIdle();
    CEmbeddedHelpFrame* help = main.GetEmbeddedHelp();
    ASSERT_NE(help, nullptr);
    ASSERT_NE(help->GetView(), nullptr);
    ASSERT_TRUE(help->GetView()->IsRedrawPending()) << "the idle pass leaves the help window's page alone";
    main.UpdateCommandState();
    EXPECT_FALSE(help->GetView()->IsRedrawPending());
}

TEST_F(HelpBrowser, AFailedCreationLeavesNoWindowAndTheMainWindowAsItWas) {
    Session s;
    CMainFrame& main = Started(s);
    const RECT original = WindowRect(main.GetSafeHwnd());
    s.faults().failAt(L"CToolBar::LoadToolBar");
    EXPECT_FALSE(main.ShowEmbeddedHelp(L"C:\\Tut\\index.htm", 0));
    EXPECT_EQ(main.GetEmbeddedHelp(), nullptr);
    EXPECT_EQ(WindowRect(main.GetSafeHwnd()), original);
    EXPECT_TRUE(Has(s.journal().texts("window"), L"destroyed"));
    // The next try works.
    EXPECT_TRUE(main.ShowEmbeddedHelp(L"C:\\Tut\\index.htm", 0));
    EXPECT_NE(main.GetEmbeddedHelp(), nullptr);
}

TEST_F(HelpBrowser, AHelpWindowMadeWhileTheOldOneClosesSurvivesIt) {
    Session s;
    CMainFrame& main = Started(s);
    ASSERT_TRUE(main.ShowEmbeddedHelp(L"C:\\Tut\\index.htm", 0));
    main.CloseEmbeddedHelp();
    ASSERT_TRUE(main.ShowEmbeddedHelp(L"C:\\Tut\\index.htm", 0));
    CEmbeddedHelpFrame* second = main.GetEmbeddedHelp();
    s.runUntilIdle();  // the first window's close arrives
    EXPECT_EQ(main.GetEmbeddedHelp(), second);
    EXPECT_TRUE(::IsWindow(second->GetSafeHwnd()));
    // No address: the window goes.
    EXPECT_TRUE(main.ShowEmbeddedHelp(nullptr, 0));
    EXPECT_EQ(main.GetEmbeddedHelp(), nullptr);
}

TEST_F(HelpBrowser, ContentsClosesTheHelpWindowAndShowsTheTutorialCommandOrAPage) {
    Session s;
    CMainFrame& main = Started(s);
    ASSERT_TRUE(main.ShowEmbeddedHelp(L"C:\\Tut\\index.htm", 0));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=contents"));
    s.runUntilIdle();
    EXPECT_EQ(main.GetEmbeddedHelp(), nullptr);
    // The tutorial command is the application's own: the kernel is not asked.
    EXPECT_FALSE(Has(s.journal().texts("call"), L"ExecuteCommand(1206"));

    EXPECT_TRUE(OnHelpLink(L"?kvcommand=contents:index.htm"));
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=contents:index.htm"));
    // The next message brings an idle pass after it.
    ::PostMessageW(main.GetSafeHwnd(), WM_NULL, 0, 0);
    s.runUntilIdle();
    ASSERT_NE(FindTutorialTemplate(), nullptr);
    const auto& documents = FindTutorialTemplate()->GetDocuments();
    ASSERT_EQ(documents.size(), 1u);
    auto* view = dynamic_cast<CEmbeddedHtmlView*>(documents[0]->GetViews().at(0));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->IsHosted());
    EXPECT_EQ(view->GetLocationURL(), L"C:\\Tut\\index.htm");
    // A tutorial page's title leaves the tab's caption alone; the idle pass redraws the view.
    CString caption;
    view->GetParentFrame()->GetWindowText(caption);
    EXPECT_NE(caption, L"Start here");
    EXPECT_FALSE(view->IsRedrawPending());
    // A link the page handles is not followed; a missing page shows no error page.
    view->ClickLink(L"?kvcommand=help12");
    view->ClickLink(L"C:\\Tut\\missing.htm");
    EXPECT_EQ(view->GetLocationURL(), L"C:\\Tut\\index.htm");
    EXPECT_FALSE(view->GetRegisterAsDropTarget());

    // Another main window gets a tutorial tab of its own, and the idle pass redraws every page.
    auto* second = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(s.kernel().newMainFrame()));
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(CKvw32App::Instance()->GetActiveMainFrame(), second);
    EXPECT_TRUE(OnHelpLink(L"?kvcommand=contents:index.htm"));
    ::PostMessageW(second->GetSafeHwnd(), WM_NULL, 0, 0);
    s.runUntilIdle();
    ASSERT_EQ(documents.size(), 2u);
    auto* other = dynamic_cast<CEmbeddedHtmlView*>(documents[1]->GetViews().at(0));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->GetParentFrame()->GetParentFrame(), second);
    EXPECT_EQ(view->GetParentFrame()->GetParentFrame(), &main);
    EXPECT_FALSE(other->IsRedrawPending());
}

TEST_F(HelpBrowser, TheViewsDropTargetTakesNothing) {
    CEmbeddedHtmlView::DropTarget target;
    void* object = nullptr;
    EXPECT_EQ(target.QueryInterface(IID_IDropTarget, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDropTarget*>(&target));
    EXPECT_EQ(target.QueryInterface(GUID{1, 2, 3, {}}, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(target.QueryInterface(IID_IUnknown, nullptr), E_INVALIDARG);
    EXPECT_EQ(target.AddRef(), 1u);
    EXPECT_EQ(target.Release(), 1u);
    DWORD effect = 7;
    EXPECT_EQ(target.Drop(nullptr, 0, POINTL{}, &effect), S_OK);
    EXPECT_EQ(effect, 7u);
    EXPECT_EQ(target.DragOver(0, POINTL{}, nullptr), E_INVALIDARG);
}

}  // namespace
