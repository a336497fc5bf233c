// The document tabs and the plain MDI client as the user meets them: tabs that follow the
// document windows, the pinned-document guard, the tab context menu, closing from a tab, and the
// background picture.
#include <algorithm>
#include <memory>

#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/textcore/clipboard.h"
#include "mainframe/mdi/tab_group_layout.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;
using mainframetest::frameOf;

constexpr std::wstring_view kFirst = L"C:\\Work\\first.grb";
constexpr std::wstring_view kSecond = L"C:\\Work\\second.grb";

std::wstring OpenCommand(std::wstring_view path) { return L"[open(\"" + std::wstring(path) + L"\")]"; }

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(L'\n', start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return lines;
}

bool HasLine(const std::vector<std::wstring>& lines, std::wstring_view needle) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::wstring& l) { return l.find(needle) != std::wstring::npos; });
}

class DocumentTabs : public SessionTest {
protected:
    void StartWithTwoDocuments() {
        s.kernel().writeDocumentFile(kFirst);
        s.kernel().writeDocumentFile(kSecond);
        s.start();
        s.runUntilIdle();
        window = s.inspect().mainFrames().at(0);
        frame = frameOf(window);
        ASSERT_NE(frame, nullptr);
        s.user().dde(OpenCommand(kFirst));
        s.user().dde(OpenCommand(kSecond));
        s.runUntilIdle();
        GiveWindows();
    }
    // A document without a window gets one from its template, as opening it gives it.
    void GiveWindows() {
        for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
            if (document->GetFrame()) continue;
            CDocTemplate* docTemplate = document->GetDocTemplate();
            ASSERT_NE(docTemplate, nullptr);
            CFrameWnd* child = docTemplate->CreateNewFrame(document, nullptr);
            ASSERT_NE(child, nullptr);
            docTemplate->InitialUpdateFrame(child, document);
        }
        s.runUntilIdle();
    }
    CKvw32Doc* DocumentOfTab(int index) { return DocumentOfFrame(frame->GetTabClient().GetItemWindow(index)); }
    HWND Active() { return frame->MDIGetActive() ? frame->MDIGetActive()->GetSafeHwnd() : nullptr; }

    Session s;
    HWND window = nullptr;
    CMainFrame* frame = nullptr;
};

// A document window whose views sit in a splitter: the selected tab's splitter shows, the
// group's other splitters hide.
TEST_F(DocumentTabs, SelectingATabShowsOnlyItsWindowsSplitter) {
    StartWithTwoDocuments();
    std::vector<std::unique_ptr<CSplitterWnd>> splitters;
    for (int index = 0; index < 2; ++index) {
        const HWND child = frame->GetTabClient().GetItemWindow(index);
        CWnd* view = CWnd::FromHandle(child)->GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST));
        ASSERT_NE(view, nullptr);
        ::SetWindowLongPtrW(view->GetSafeHwnd(), GWLP_ID, static_cast<LONG_PTR>(CSplitterWnd::IdFromRowCol(0, 1)));
        auto splitter = std::make_unique<CSplitterWnd>();
        ASSERT_TRUE(splitter->CreateStatic(CWnd::FromHandle(child), 1, 2));
        ::SetParent(view->GetSafeHwnd(), splitter->GetSafeHwnd());
        EXPECT_EQ(CSplitterWnd::OfFrame(child), splitter.get());
        EXPECT_EQ(splitter->GetPane(0, 1), view);
        EXPECT_EQ(splitter->GetPane(0, 0), nullptr);
        splitters.push_back(std::move(splitter));
    }
    EXPECT_EQ(CSplitterWnd::OfFrame(window), nullptr);
    for (int index : {0, 1, 0}) {
        s.user().clickTab(window, index + 1);
        s.runUntilIdle();
        EXPECT_TRUE(::IsWindowVisible(splitters[static_cast<std::size_t>(index)]->GetSafeHwnd())) << index;
        EXPECT_FALSE(::IsWindowVisible(splitters[static_cast<std::size_t>(1 - index)]->GetSafeHwnd())) << index;
    }
}

TEST_F(DocumentTabs, EachDocumentWindowHasATabAndTheActiveOneIsSelected) {
    StartWithTwoDocuments();
    const std::vector<std::wstring> dump = Lines(s.inspect().dumpTabs(window));
    ASSERT_EQ(dump.size(), 3u) << platform::core::toUtf8(s.inspect().dumpTabs(window));
    SCOPED_TRACE(platform::core::toUtf8(s.inspect().dumpTabs(window)));
    EXPECT_EQ(dump[0].rfind(L"group 1", 0), 0u);
    EXPECT_NE(dump[1].find(L"\"first.grb"), std::wstring::npos);
    EXPECT_EQ(dump[1].find(L"selected"), std::wstring::npos);
    EXPECT_NE(dump[2].find(L"\"second.grb"), std::wstring::npos);
    EXPECT_NE(dump[2].find(L" selected "), std::wstring::npos);
    EXPECT_NE(dump[2].find(L" close ("), std::wstring::npos);

    s.user().clickTab(window, 1);
    EXPECT_EQ(Active(), frame->GetTabClient().GetItemWindow(0));
    EXPECT_EQ(frame->GetTabClient().GetSelectedItem(), 0);

    // A window that refuses to close keeps its tab; closing a window takes its tab away.
    auto* child = dynamic_cast<Korvo::UI::MdiChildFrame*>(CWnd::FromHandlePermanent(frame->GetTabClient().GetItemWindow(0)));
    ASSERT_NE(child, nullptr);
    child->SetRefuseClose(true);
    s.user().clickTabCloseButton(window, 1);
    s.runUntilIdle();
    EXPECT_EQ(frame->GetTabClient().GetItemCount(), 2);
    child->SetRefuseClose(false);
    s.user().clickTabCloseButton(window, 1);
    s.runUntilIdle();
    EXPECT_EQ(Lines(s.inspect().dumpTabs(window)).size(), 2u);
    EXPECT_EQ(frame->GetTabClient().GetItemCount(), 1);
}

TEST_F(DocumentTabs, APinnedDocumentKeepsTheUserOnItsTabAndWindow) {
    StartWithTwoDocuments();
    CKvw32Doc* second = DocumentOfTab(1);
    ASSERT_NE(second, nullptr);
    second->SetFlag(KorvoDocument2::kFlagPinned);
    const HWND pinnedWindow = Active();

    s.user().clickTab(window, 1);
    EXPECT_EQ(Active(), pinnedWindow);

    // A pin count holds as the flag does; unpinned, the tabs switch again.
    second->SetFlagValue(KorvoDocument2::kFlagPinned, false);
    second->Pin();
    s.user().clickTab(window, 1);
    EXPECT_EQ(Active(), pinnedWindow);
    second->Unpin();
    s.user().clickTab(window, 1);
    EXPECT_EQ(Active(), frame->GetTabClient().GetItemWindow(0));
}

TEST_F(DocumentTabs, ThePlainClientRefusesToLeaveAPinnedDocumentButLetsItsOwnWindowGo) {
    StartWithTwoDocuments();
    frame->SetWorkbookMode(false);
    const HWND secondWindow = Active();
    CKvw32Doc* second = DocumentOfFrame(secondWindow);
    ASSERT_NE(second, nullptr);
    second->Pin();
    const HWND firstWindow = frame->GetTabClient().GetSafeHwnd() ? nullptr : ::GetWindow(secondWindow, GW_HWNDNEXT);
    ASSERT_NE(firstWindow, nullptr);
    frame->MDIActivate(CWnd::FromHandle(firstWindow));
    EXPECT_EQ(Active(), secondWindow);
    // Another window of the pinned document itself may come forward.
    second->Unpin();
    frame->MDIActivate(CWnd::FromHandle(firstWindow));
    EXPECT_EQ(Active(), firstWindow);
    second->Pin();
    frame->MDIActivate(CWnd::FromHandle(secondWindow));
    EXPECT_EQ(Active(), secondWindow);
    s.user().command(window, 1059);  // a new window of the pinned document comes forward
    s.runUntilIdle();
    const HWND twin = Active();
    EXPECT_NE(twin, secondWindow);
    EXPECT_EQ(DocumentOfFrame(twin), second);
    frame->MDIActivate(CWnd::FromHandle(secondWindow));
    EXPECT_EQ(Active(), secondWindow);
    ::SendMessageW(twin, WM_CLOSE, 0, 0);
    s.runUntilIdle();
    // Closing the pinned document's own window still activates the other one.
    ::SendMessageW(secondWindow, WM_CLOSE, 0, 0);
    s.runUntilIdle();
    EXPECT_NE(Active(), nullptr);
    EXPECT_NE(Active(), secondWindow);
}

TEST_F(DocumentTabs, TheContextMenuOffersItsItemsAndActsOnTheChosenOne) {
    StartWithTwoDocuments();
    std::vector<std::wstring> menu;
    s.user().expectMenu([&](const std::vector<std::wstring>& lines) {
        menu = lines;
        return 607u;
    });
    s.user().rightClickTab(window, 1);
    EXPECT_TRUE(HasLine(menu, L"600 "));
    EXPECT_TRUE(HasLine(menu, L"605 "));
    EXPECT_FALSE(HasLine(menu, L"605 [x]"));
    EXPECT_TRUE(HasLine(menu, L"601 [x] "));
    EXPECT_TRUE(HasLine(menu, L"1204 "));
    EXPECT_TRUE(HasLine(menu, L"61217 "));
    EXPECT_TRUE(HasLine(menu, L"2046 New Main Window"));  // the second line of its kernel string
    EXPECT_TRUE(HasLine(menu, L"  3450 [x] "));  // the one main frame, checked
    EXPECT_TRUE(HasLine(menu, L"  2826 "));
    EXPECT_FALSE(HasLine(menu, L"606 (greyed)"));
    EXPECT_EQ(Korvo::ClipboardManager::GetText(), CString(kFirst.data()));

    // Tabs at the bottom: the radio mark moves; a document without a path greys 606 and 607.
    frame->GetTabClient().SetTabPosition(xtpTabPositionBottom);
    DocumentOfTab(1)->SetPathName(L"", FALSE);
    s.user().expectMenu([&](const std::vector<std::wstring>& lines) {
        menu = lines;
        return 605u;
    });
    s.user().rightClickTab(window, 2);
    EXPECT_TRUE(HasLine(menu, L"603 [x] "));
    EXPECT_TRUE(HasLine(menu, L"606 (greyed)"));
    EXPECT_TRUE(HasLine(menu, L"607 (greyed)"));
    EXPECT_EQ(GetOptions().fixedWidthTabs, 1);
    EXPECT_EQ(frame->GetTabClient().GetPaintManager()->GetLayout(), xtpTabLayoutFixed);
    s.user().expectMenu([&](const std::vector<std::wstring>& lines) {
        menu = lines;
        return 0u;
    });
    s.user().rightClickTab(window, 1);
    EXPECT_TRUE(HasLine(menu, L"605 [x]"));
}

TEST_F(DocumentTabs, TheTabMenuGoesThroughTheCommandBarsAndTheTabPositionGoesWithTheLayout) {
    StartWithTwoDocuments();
    // The menu is the command bars' popup: the console's menu answer chooses from it.
    s.user().expectMenuChoose(603);
    s.user().rightClickTab(window, 1);
    EXPECT_EQ(frame->GetTabClient().GetTabPosition(), xtpTabPositionBottom);
    EXPECT_TRUE(HasLine(s.journal().texts("menu"), L"answer choose 603 (expected)"));

    // The layout written now brings the tabs back at the bottom in another frame.
    CXTPPropExchangeXMLNode stored(FALSE, L"MainWindow");
    frame->SaveCommandBarsLayout(stored, false);
    const CString xml = stored.SaveToString();
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    CMainFrame* second = frameOf(s.inspect().mainFrames().at(1) == window ? s.inspect().mainFrames().at(0)
                                                                          : s.inspect().mainFrames().at(1));
    ASSERT_NE(second, nullptr);
    // The new window takes this frame's layout, the tabs' place among it.
    EXPECT_EQ(second->GetTabClient().GetTabPosition(), xtpTabPositionBottom);
    second->GetTabClient().SetTabPosition(xtpTabPositionTop);
    CXTPPropExchangeXMLNode loaded(TRUE, L"MainWindow");
    ASSERT_TRUE(loaded.LoadFromString(std::wstring_view(xml), L"layout"));
    second->LoadCommandBarsLayout(loaded, false);
    EXPECT_EQ(second->GetTabClient().GetTabPosition(), xtpTabPositionBottom);
}

// Each chosen item does its own work on the tab it was opened on.
TEST_F(DocumentTabs, TheTabMenuItemsActOnTheirTab) {
    StartWithTwoDocuments();
    CKVTabClientWnd& client = frame->GetTabClient();
    const auto choose = [&](UINT id, int tab) {
        s.user().expectMenuChoose(id);
        s.user().rightClickTab(window, tab);
        s.runUntilIdle();
    };
    const auto frames = [&] { return s.inspect().mainFrames().size(); };
    ASSERT_EQ(frames(), 1u);

    // A new main window: the frame runs the application's command, which opens another main
    // frame showing the active document; this frame's tabs stay.
    choose(2046, 1);
    EXPECT_GE(indexOf(calls(s), L"KVCommand::Run(2046, \"NewMainWindow\")"), 0);
    EXPECT_EQ(client.GetItemCount(), 2);
    ASSERT_EQ(frames(), 2u);
    const HWND other = s.inspect().mainFrames().at(1) == window ? s.inspect().mainFrames().at(0) : s.inspect().mainFrames().at(1);
    ASSERT_EQ(CKvw32App::Instance()->GetMainFrames().at(1)->GetSafeHwnd(), other);
    // The new frame shows the active document in a window of its own; closing that window
    // leaves the document to this frame's tab.
    ASSERT_EQ(frameOf(other)->GetTabClient().GetItemCount(), 1);
    ::SendMessageW(frameOf(other)->GetTabClient().GetItemWindow(0), WM_CLOSE, 0, 0);
    s.runUntilIdle();
    ASSERT_EQ(frameOf(other)->GetTabClient().GetItemCount(), 0);
    EXPECT_EQ(client.GetItemCount(), 2);

    // Moved to the frame of its own list entry: the second frame takes the first tab's window.
    CKvw32Doc* first = DocumentOfTab(0);
    choose(3451, 1);
    EXPECT_EQ(client.GetItemCount(), 1);
    ASSERT_EQ(frameOf(other)->GetTabClient().GetItemCount(), 1);
    EXPECT_EQ(DocumentOfFrame(frameOf(other)->GetTabClient().GetItemWindow(0)), first);
    // Its own frame's entry leaves it where it is.
    choose(3450, 1);
    EXPECT_EQ(client.GetItemCount(), 1);

    // Moved to a new main window: a third frame holds it.
    CKvw32Doc* second = DocumentOfTab(0);
    choose(2826, 1);
    ASSERT_EQ(frames(), 3u);
    EXPECT_EQ(client.GetItemCount(), 0);
    bool found = false;
    for (HWND main : s.inspect().mainFrames())
        if (main != window && main != other) found = DocumentOfFrame(frameOf(main)->GetTabClient().GetItemWindow(0)) == second;
    EXPECT_TRUE(found);

    // Closing from the second frame's menu: the tab's window only.
    CKVTabClientWnd& otherTabs = frameOf(other)->GetTabClient();
    s.user().expectMenuChoose(600u);
    s.user().rightClickTab(other, 1);
    s.runUntilIdle();
    EXPECT_EQ(otherTabs.GetItemCount(), 0);
    EXPECT_EQ(Korvo::DocumentManager::Instance().GetDocuments().size(), 1u);
}

// Ending the running commands and closing the document, or closing every document.
TEST_F(DocumentTabs, TheTabMenuClosesItsDocumentAfterTheCommandsOrEveryDocument) {
    StartWithTwoDocuments();
    CKVTabClientWnd& client = frame->GetTabClient();
    const HWND firstWindow = client.GetItemWindow(0);
    s.user().expectMenuChoose(604u);
    s.user().rightClickTab(window, 1);
    s.runUntilIdle();
    EXPECT_GE(indexOf(calls(s), L"KorvoServerAppProxy::TerminateAllCommands(null, true)"), 0);
    EXPECT_FALSE(::IsWindow(firstWindow)) << "the tab's document, made active, is the one closed";
    ASSERT_EQ(client.GetItemCount(), 1);

    s.kernel().writeDocumentFile(L"C:\\Work\\third.grb");
    s.user().dde(OpenCommand(L"C:\\Work\\third.grb"));
    s.runUntilIdle();
    GiveWindows();
    ASSERT_EQ(Korvo::DocumentManager::Instance().GetDocuments().size(), 2u);
    s.user().expectMenuChoose(1204u);
    s.user().rightClickTab(window, 1);
    s.runUntilIdle();
    EXPECT_TRUE(Korvo::DocumentManager::Instance().GetDocuments().empty());
    EXPECT_EQ(client.GetItemCount(), 0);
}

// The move submenu has ids for fifty frames: the fifty-first is not listed (its id would be
// another command's), while "new main window" still is.
TEST_F(DocumentTabs, TheMoveSubmenuListsAtMostFiftyFrames) {
    StartWithTwoDocuments();
    for (int i = 0; i < 50; ++i) ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    ASSERT_EQ(s.inspect().mainFrames().size(), 51u);
    std::vector<std::wstring> menu;
    s.user().expectMenu([&](const std::vector<std::wstring>& lines) {
        menu = lines;
        return 0u;
    });
    s.user().rightClickTab(window, 1);
    EXPECT_TRUE(HasLine(menu, L"  3499 "));
    EXPECT_FALSE(HasLine(menu, L"  3500 "));
    EXPECT_TRUE(HasLine(menu, L"  2826 "));
}

TEST_F(DocumentTabs, FixedWidthTabsAreSixteenAverageCharactersWideWithTheirMarginsIconAndCloseButton) {
    GetOptions().fixedWidthTabs = 1;
    StartWithTwoDocuments();
    CXTPTabPaintManager* paint = frame->GetTabClient().GetPaintManager();
    // Bold Tahoma 13 px: 7 + 1 for bold = 8 average; 16 x 8 at 96 DPI over 72 = 171 (rounded).
    EXPECT_EQ(paint->GetFixedTabWidth(), 171 + 4 + 4 + 16 + xtpTabCloseButtonWidth);
    const RECT first = frame->GetTabClient().GetWorkspace(0)->GetItem(0)->GetRect();
    EXPECT_EQ(first.right - first.left, paint->GetFixedTabWidth());
}

TEST_F(DocumentTabs, ASecondWindowOfADocumentOpensNextToItsTabAndMiddleClickClosesOnlyWithGroups) {
    StartWithTwoDocuments();
    s.user().clickTab(window, 1);
    // A second window of the first document (the framework's "new window" of a document).
    auto* firstFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandle(frame->GetTabClient().GetItemWindow(0)));
    CKvw32Doc* first = DocumentOfTab(0);
    CDocTemplate* docTemplate = first->GetDocTemplate();
    CFrameWnd* another = docTemplate->CreateNewFrame(first, firstFrame);
    ASSERT_NE(another, nullptr);
    docTemplate->InitialUpdateFrame(another, first);
    s.runUntilIdle();
    ASSERT_EQ(frame->GetTabClient().GetItemCount(), 3);
    EXPECT_EQ(frame->GetTabClient().GetItemWindow(1), another->GetSafeHwnd());

    // Without tab groups the middle button does nothing.
    s.user().middleClickTab(window, 2);
    s.runUntilIdle();
    EXPECT_EQ(frame->GetTabClient().GetItemCount(), 3);
}

// A tab shows the document's short title in place of its title, unless the document keeps the
// full one; the window's own text is left alone.
TEST_F(DocumentTabs, ATabShowsTheShortTitle) {
    StartWithTwoDocuments();
    CKVTabClientWnd& client = frame->GetTabClient();
    CWnd* child = CWnd::FromHandle(client.GetItemWindow(0));
    CKvw32Doc* document = DocumentOfTab(0);
    CString windowText;
    child->GetWindowText(windowText);
    const CString title = document->GetTitle();
    ASSERT_FALSE(title.IsEmpty());
    ASSERT_GE(windowText.Find(title), 0);
    document->SetShortTitle(L"Short");
    CString expected = windowText;
    expected.Replace(title, L"Short");
    EXPECT_EQ(client.GetItemText(child), expected);
    document->SetKeepsFullTitle(true);
    EXPECT_EQ(client.GetItemText(child), windowText);
    // The tooltip is the window's text; a tab text of the window's own stands for both.
    CXTPTabManagerItem* item = client.GetWorkspace(0)->GetItem(0);
    EXPECT_EQ(client.GetItemTooltip(item), windowText);
    auto* frameWithText = dynamic_cast<Korvo::UI::MdiChildFrame*>(child);
    ASSERT_NE(frameWithText, nullptr);
    frameWithText->SetTabText(L"Own text");
    EXPECT_EQ(client.GetItemText(child), CString(L"Own text"));
    EXPECT_EQ(client.GetItemTooltip(item), CString(L"Own text"));
}

// A read-only document's tab is longer by its mark: one icon and two pixels.
TEST_F(DocumentTabs, AReadOnlyDocumentsTabMakesRoomForItsMark) {
    StartWithTwoDocuments();
    CKVTabClientWnd& client = frame->GetTabClient();
    const auto width = [&] {
        client.UpdateContents();
        s.runUntilIdle();
        const RECT rect = client.GetWorkspace(0)->GetItem(0)->GetRect();
        return rect.right - rect.left;
    };
    const int plain = width();
    s.kernel().setReadOnly(DocumentOfTab(0), true);
    EXPECT_EQ(width(), plain + 2 + client.GetPaintManager()->GetIconSize().cx);
}

// The menu bar's system buttons follow the active document window on every watched frame message,
// and the toolkit's own handling of the message runs after.
TEST_F(DocumentTabs, TheMenuBarHandsWatchedMessagesOnToTheToolkitsHook) {
    StartWithTwoDocuments();
    CXTPMenuBar* menuBar = frame->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    frame->MDIMaximize(frame->MDIGetActive());
    s.runUntilIdle();
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    int before = menuBar->GetSysButtonsRefreshCount();
    EXPECT_FALSE(menuBar->OnHookMessage(window, WM_SIZE, wParam, lParam, result));
    EXPECT_EQ(menuBar->GetSysButtonsRefreshCount(), before + 1);
    EXPECT_EQ(menuBar->GetSysButtonsChild(), Active());
    // Activation: the menu bar's refresh, then the toolkit's for the maximised child.
    before = menuBar->GetSysButtonsRefreshCount();
    EXPECT_FALSE(menuBar->OnHookMessage(window, WM_MDIACTIVATE, wParam, lParam, result));
    EXPECT_EQ(menuBar->GetSysButtonsRefreshCount(), before + 2);
}

// The new-window item stands for the last document tab before it: choosing it selects that one.
TEST_F(DocumentTabs, TheNewWindowItemSelectsTheTabBeforeIt) {
    StartWithTwoDocuments();
    CKVTabClientWnd& client = frame->GetTabClient();
    client.ShowNewWindowItem(TRUE);
    client.UpdateContents();
    s.user().clickTab(window, 1);  // the first document's
    s.runUntilIdle();
    CXTPTabClientWnd::CWorkspace* workspace = client.GetWorkspace(0);
    ASSERT_NE(workspace, nullptr);
    ASSERT_EQ(workspace->GetItemCount(), 3);
    CXTPTabManagerItem* newWindow = workspace->GetItem(2);
    ASSERT_TRUE(newWindow->IsNewWindowItem());
    workspace->SetSelectedItem(newWindow);
    s.runUntilIdle();
    EXPECT_EQ(workspace->GetSelectedItem(), workspace->GetItem(1));
    EXPECT_EQ(Active(), workspace->GetItem(1)->GetHandle());
}

TEST_F(DocumentTabs, TheBackgroundPictureIsCentredOrDrawnFromItsMinimumOffsetAndSharedByTheClients) {
    s.files().writePicture(L"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\Background.png", 100, 50);
    s.start();
    s.runUntilIdle();
    window = s.inspect().mainFrames().at(0);
    frame = frameOf(window);
    const HWND client = frame->m_hWndMDIClient;
    RECT area{};
    ::GetClientRect(client, &area);
    ::InvalidateRect(client, nullptr, TRUE);
    ::UpdateWindow(client);
    const std::vector<std::wstring> drawn = s.inspect().drawing(client);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], L"FillRect (0,0)-(" + std::to_wstring(area.right + 1) + L"," + std::to_wstring(area.bottom + 1) +
                            L") 0xABABAB");
    const int x = std::max<int>(15, (area.right - 100) / 2), y = std::max<int>(10, (area.bottom - 50) / 2);
    EXPECT_EQ(drawn[1].rfind(L"BitBlt (" + std::to_wstring(x) + L"," + std::to_wstring(y) + L")-(", 0), 0u);

    // Too small a client: the picture starts at (15, 10) and is clipped.
    ::SetWindowPos(client, nullptr, 0, 0, 60, 30, SWP_NOZORDER | SWP_NOMOVE);
    ::InvalidateRect(client, nullptr, TRUE);
    ::UpdateWindow(client);
    const std::vector<std::wstring> small = s.inspect().drawing(client);
    ASSERT_EQ(small.size(), 2u);
    EXPECT_EQ(small[1].rfind(L"BitBlt (15,10)-(115,60)", 0), 0u);
    EXPECT_NE(small[1].find(L"visible (15,10)-("), std::wstring::npos);

    // Every client holds the one picture; it is loaded again once none holds it.
    auto held = CMDIClientWndBackground::Acquire();
    EXPECT_EQ(held->GetWidth(), 100);
    EXPECT_EQ(held.use_count(), 3);  // the frame's two clients and this one
    EXPECT_EQ(CMDIClientWndBackground::Acquire().get(), held.get());
}

TEST(TabGroupPlacement, GroupsShareTheLengthByRatioWithSplittersBetween) {
    const RECT rect{0, 0, 1000, 600};
    TabGroupPlacement two = PlaceTabGroups(rect, false, {1.0, 1.0}, 4);
    ASSERT_EQ(two.groups.size(), 2u);
    EXPECT_EQ(two.groups[0].right, 498);  // trunc(1 x 996 / 2)
    EXPECT_EQ(two.splitters[0].left, 498);
    EXPECT_EQ(two.groups[1].left, 502);
    EXPECT_EQ(two.groups[1].right, 1000);

    TabGroupPlacement three = PlaceTabGroups(rect, true, {0.5, 0.25, 0.25}, 4);
    ASSERT_EQ(three.groups.size(), 3u);
    EXPECT_EQ(three.groups[0].bottom, 296);           // trunc(0.5 x 592)
    EXPECT_EQ(three.groups[1].top, 300);
    EXPECT_EQ(three.groups[1].bottom, 444 + 4);       // trunc(0.75 x 592) + 1 splitter
    EXPECT_EQ(three.groups[2].bottom, 592 + 8);
    EXPECT_EQ(three.splitters.size(), 2u);

    // Ratios whose sum truncates to zero count against 1.0: the groups leave the rest empty.
    TabGroupPlacement tiny = PlaceTabGroups(rect, false, {0.25, 0.25}, 4);
    EXPECT_EQ(tiny.groups[0].right, 249);  // trunc(0.25 x 996)
    EXPECT_EQ(tiny.groups[1].right, 498 + 4);
}

TEST(TabGroupPlacement, TabButtonsAreRightAlignedOnHorizontalTabsAndBottomAlignedOnVerticalOnes) {
    const RECT tab{100, 0, 200, 24};
    const RECT margins{4, 2, 4, 2};
    const std::vector<RECT> across = PlaceTabButtons(tab, margins, true, {SIZE{14, 14}, SIZE{10, 10}});
    EXPECT_EQ(across[1].right, 193);
    EXPECT_EQ(across[1].left, 183);
    EXPECT_EQ(across[0].right, 183);
    EXPECT_EQ(across[0].top, 5);
    const std::vector<RECT> down = PlaceTabButtons(RECT{0, 0, 24, 100}, margins, false, {SIZE{14, 14}});
    EXPECT_EQ(down[0].bottom, 95);
    EXPECT_EQ(down[0].left, 5);
}

// The tab row takes the kernel's navigation images, and under the toolkit's own theme its flat
// look with a two-pixel margin.
TEST_F(DocumentTabs, TheTabRowTakesKernelImagesAndTheToolkitThemesLook) {
    StartWithTwoDocuments();
    EXPECT_NE(XTPImageManager()->Lookup(9157, 16), nullptr);
    EXPECT_NE(XTPImageManager()->Lookup(9158, 16), nullptr);
    bool bound = false;
    for (const auto& entry : s.journal().entries())
        bound |= entry.line().find(L"UIModuleProxy::BindIcon(9158, 501)") != std::wstring::npos;
    EXPECT_TRUE(bound);

    CKVTabClientWnd& tabs = frame->GetTabClient();
    tabs.RefreshTheme();
    EXPECT_NE(tabs.GetPaintManager()->GetAppearance(), 10);
    frame->GetCommandBars()->SetTheme(6);
    tabs.RefreshTheme();
    EXPECT_EQ(tabs.GetPaintManager()->GetAppearance(), 10);
    const int margin = XTPDpiHelper()->ScaleX(2);
    EXPECT_EQ(tabs.GetPaintManager()->m_rcControlMargin.left, margin);
    EXPECT_EQ(tabs.GetPaintManager()->m_rcControlMargin.bottom, margin);
}

}  // namespace
