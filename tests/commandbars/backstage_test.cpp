// The ribbon's backstage: opening it on a tab for the kernel and the user, the pages' help ids and
// hosted windows, and the frame's floating windows while it is open.
#include <tuple>

#include "app/kvw32_app.h"
#include "commandbars/backstage/backstage_pages.h"
#include "commandbars/backstage/ribbon_backstage_view.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class Backstage : public SessionTest {
protected:
    void SetUp() override {
        s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
        s.kernel().writeDocumentFile(L"C:\\Work\\b.grb");
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        window = s.inspect().mainFrames().at(0);
        frame = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(window));
        ribbon = frame->GetRibbonBar();
        view = ribbon->GetBackstageView();
        ASSERT_NE(view, nullptr);
        kernel = KorvoServerAppProxy::Instance();
    }
    CKvw32Doc* Open(const wchar_t* path) {
        auto* document = dynamic_cast<CKvw32Doc*>(CKvw32App::Instance()->OpenDocumentFile(path));
        s.runUntilIdle();
        return document;
    }
    int IndexOf(int id) const {
        for (int i = 0; i < view->GetTabCount(); ++i)
            if (view->GetTab(i)->id == id) return i;
        return -1;
    }
    std::size_t CallsStartingWith(const std::wstring& prefix) {
        std::size_t count = 0;
        for (const auto& entry : s.journal().entries())
            if (entry.line().rfind(L"call " + prefix, 0) == 0) ++count;
        return count;
    }

    Session s;
    HWND window = nullptr;
    CMainFrame* frame = nullptr;
    KVRibbonBar* ribbon = nullptr;
    CXTPRibbonBackstageView* view = nullptr;
    KorvoServerAppProxy* kernel = nullptr;
};

TEST_F(Backstage, ActivatingATabOpensOnItSkipsDisabledOnesAndPutsTheDefaultMarksBack) {
    // Two tabs of one id: the first disabled by its owner, the second taken.
    const int skipped = view->AddTab(1551, L"Off", nullptr, xtpFlagManualUpdate);
    const int taken = view->AddTab(1551, L"On", ribbon->GetExportVarnelBackstagePage(), xtpFlagManualUpdate);
    view->GetTab(skipped)->enabled = FALSE;
    ASSERT_EQ(view->GetDefaultItem(), 0) << "the recent files";

    EXPECT_TRUE(ribbon->ActivateBackstageTab(1551));
    EXPECT_TRUE(view->IsOpen());
    EXPECT_EQ(view->GetActiveIndex(), taken);
    EXPECT_EQ(view->GetDefaultItem(), 0) << "the other default marks come back";
    EXPECT_FALSE(view->GetTab(taken)->defaultItem);
    EXPECT_EQ(kernel->GetActiveBackstageTabId(frame), 1551u);

    // While open it only switches.
    EXPECT_TRUE(kernel->ActivateBackstageTab(frame, 0));
    EXPECT_EQ(view->GetActiveIndex(), 0);
    EXPECT_TRUE(view->IsOpen());

    view->GetTab(taken)->enabled = FALSE;
    EXPECT_FALSE(ribbon->ActivateBackstageTab(1551)) << "only disabled tabs";
    EXPECT_FALSE(ribbon->ActivateBackstageTab(4242)) << "no tab";
    // The print tab shows the ribbon's own page: the kernel's request for it switches there and
    // leaves it enabled for the user.
    EXPECT_TRUE(kernel->ShowRibbonBackstagePrintPage(frame, static_cast<CKvw32Doc*>(nullptr)));
    EXPECT_EQ(view->GetActiveIndex(), IndexOf(1027));
    EXPECT_TRUE(view->GetTab(IndexOf(1027))->enabled);
    // So does the export tab, whose page is the ribbon's own too.
    EXPECT_TRUE(kernel->ActivateBackstageTab(frame, 1036));
    EXPECT_EQ(view->GetActiveIndex(), IndexOf(1036));
    EXPECT_TRUE(view->GetTab(IndexOf(1036))->enabled);

    view->Close();
    EXPECT_TRUE(ribbon->ActivateBackstageTab(1027)) << "opens the backstage on it";
    EXPECT_TRUE(view->IsOpen());
    EXPECT_EQ(view->GetActiveIndex(), IndexOf(1027));
    view->Close();
    EXPECT_EQ(kernel->GetActiveBackstageTabId(frame), 0xFFFFFFFFu);
    EXPECT_EQ(ribbon->GetActiveBackstageTab(), nullptr);
    CKvw32App::Instance()->SetRibbonMode(false);
    EXPECT_FALSE(kernel->ActivateBackstageTab(frame, 0)) << "no backstage outside ribbon mode";
}

TEST_F(Backstage, ThePrintPageHoldsItsHelpIdAndPrintWindowOnlyWhileShownAndNeverPrintsAClosedDocument) {
    const UINT before = kernel->GetCurrentHelpId();
    CKvw32Doc* document = Open(L"C:\\Work\\a.grb");
    ASSERT_NE(document, nullptr);
    KVRibbonBackstagePrintPage* print = ribbon->GetPrintBackstagePage(false);
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->GetDocument(), document) << "the active view hands it over";
    // Its window class shows the arrow over the page.
    WNDCLASSEXW page{};
    page.cbSize = sizeof(page);
    ASSERT_TRUE(::GetClassInfoExW(AfxGetInstanceHandle(), L"Korvo.RibbonBackstagePrintPage", &page));
    EXPECT_NE(page.hCursor, nullptr);

    ASSERT_EQ(s.user().openBackstage(window, 1027, L""), std::nullopt);
    EXPECT_EQ(kernel->GetCurrentHelpId(), KVRibbonBackstagePrintPage::kHelpId);
    ASSERT_NE(print->GetPrintWindow(), nullptr);
    EXPECT_EQ(print->GetPrintWindow()->GetDocument(), document);
    EXPECT_EQ(::GetParent(print->GetPrintWindow()->GetSafeHwnd()), print->GetSafeHwnd());

    ASSERT_EQ(s.user().openBackstage(window, 0, L""), std::nullopt);
    EXPECT_EQ(kernel->GetCurrentHelpId(), before) << "leaving the page puts the help id back";
    ASSERT_EQ(s.user().closeBackstage(window), std::nullopt);
    EXPECT_EQ(print->GetPrintWindow(), nullptr) << "dropped at every close";
    EXPECT_EQ(print->GetDocument(), document) << "the document stays";

    // A caller that still holds a closed document: the page finds it gone.
    document->OnCloseDocument();
    s.runUntilIdle();
    print->SetDocument(document);
    const std::size_t created = CallsStartingWith(L"create_print_wnd");
    ASSERT_EQ(s.user().openBackstage(window, std::nullopt, L"printDialog"), std::nullopt);
    EXPECT_EQ(CallsStartingWith(L"create_print_wnd"), created);
    EXPECT_EQ(print->GetDocument(), nullptr);
    EXPECT_EQ(print->GetPrintWindow(), nullptr);
    EXPECT_EQ(kernel->GetCurrentHelpId(), KVRibbonBackstagePrintPage::kHelpId);
}

TEST_F(Backstage, ExportFiltersAreFetchedOnceUntilTheModulesReportAChange) {
    const int exportTab = IndexOf(1036);
    ASSERT_GE(exportTab, 0);
    auto* page = ribbon->GetExportBackstagePage();
    const auto activate = [&] {
        ASSERT_EQ(s.user().openBackstage(window, 1036, L""), std::nullopt);
        ASSERT_EQ(s.user().openBackstage(window, 0, L""), std::nullopt);
    };
    activate();
    activate();
    EXPECT_EQ(CallsStartingWith(L"LTModuleProxy::GetExportFilters"), 1u);
    EXPECT_EQ(KorvoManagedUIProxy::ExportController::GetFilters(page->GetSafeHwnd()).size(), 3u);

    struct Flags {
        DWORD first, second;
        bool refetch;
    };
    std::size_t expected = 1;
    for (const Flags& flags : {Flags{4, 2, false}, Flags{0, 0, false}, Flags{2, 4, false}, Flags{4, 0, true}, Flags{7, 1, true}}) {
        ApplicationEventManager::Instance().Raise(kEventExportModulesChanged, ModuleFlagsEventArgs(flags.first, flags.second));
        activate();
        expected += flags.refetch ? 1 : 0;
        EXPECT_EQ(CallsStartingWith(L"LTModuleProxy::GetExportFilters"), expected) << flags.first << " " << flags.second;
    }

    // The user's choice goes to the kernel with the active document, to files.
    EXPECT_TRUE(KorvoManagedUIProxy::ExportController::Choose(page->GetSafeHwnd(), 1));
    EXPECT_EQ(CallsStartingWith(L"LTModuleProxy::Export("), 1u);
    EXPECT_FALSE(page->ExportsToPdm());
    EXPECT_TRUE(ribbon->GetExportVarnelBackstagePage()->ExportsToPdm());
}

TEST_F(Backstage, TheNewDocumentPagePassesTheTemplateFolderOnceAndATheme) {
    GetSettings().templateFolder = L"C:\\Templates";
    KVRibbonNewDocumentBackstagePage* page = ribbon->GetNewDocumentBackstagePage(false);
    ASSERT_NE(page, nullptr);
    ASSERT_NE(page->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(page->IsFolderPassed());
    ASSERT_EQ(s.user().openBackstage(window, 1072, L""), std::nullopt);
    EXPECT_EQ(kernel->GetCurrentHelpId(), KVRibbonNewDocumentBackstagePage::kHelpId);
    EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::GetFolder(page->GetSafeHwnd()), CString(L"C:\\Templates"));
    GetSettings().templateFolder = L"C:\\Elsewhere";
    ASSERT_EQ(s.user().openBackstage(window, 0, L""), std::nullopt);
    ASSERT_EQ(s.user().openBackstage(window, 1072, L""), std::nullopt);
    EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::GetFolder(page->GetSafeHwnd()), CString(L"C:\\Templates")) << "passed once";

    XTPSetIniColor(L"CommandBars.Ribbon.Backstage", L"PageBackground", RGB(20, 20, 20));
    ribbon->SetBackstageTheme({16, 16});
    EXPECT_EQ(view->GetTheme(), 16);
    EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::GetThemeCode(page->GetSafeHwnd()), 5);
    ASSERT_NE(ribbon->GetRecentFilesBackstagePage(false), nullptr);
    EXPECT_EQ(ribbon->GetRecentFilesBackstagePage(false)->GetTheme(), 16) << "the toolkit's page too";
    XTPSetIniColor(L"CommandBars.Ribbon.Backstage", L"PageBackground", GetSysColor(COLOR_WINDOW));
}

// The frame hands the UI theme's paint theme to the backstage as the theme is applied.
TEST_F(Backstage, AUiThemeReachesTheBackstageAndItsPages) {
    EXPECT_EQ(view->GetTheme(), 12) << "the default theme";
    KVRibbonNewDocumentBackstagePage* page = ribbon->GetNewDocumentBackstagePage(false);
    ASSERT_NE(page, nullptr);
    for (const auto& [name, paint, code] : {std::tuple{L"msvs2015dark", 16, 4}, std::tuple{L"office2010black", 0, 0},
                                           std::tuple{L"office2013light", 12, 2}}) {
        ASSERT_TRUE(UIModuleProxy::Instance().ApplyTheme(name)) << name;
        EXPECT_EQ(view->GetTheme(), paint) << name;
        EXPECT_EQ(KorvoManagedUIProxy::PrototypesController::GetThemeCode(page->GetSafeHwnd()), code) << name;
    }
}

TEST(BackstageTheme, TheCodeCountsABackgroundAsLightOnlyAboveHalfLuminance) {
    // 0.587 * 204 + 0.114 * 68 is exactly half of 255.
    EXPECT_EQ(PrototypesThemeCode(0, RGB(0, 204, 68)), 1);
    EXPECT_EQ(PrototypesThemeCode(0, RGB(0, 204, 69)), 0);
    EXPECT_EQ(PrototypesThemeCode(12, RGB(255, 255, 255)), 2);
    EXPECT_EQ(PrototypesThemeCode(12, RGB(0, 0, 0)), 3);
    EXPECT_EQ(PrototypesThemeCode(16, RGB(255, 255, 255)), 4);
    EXPECT_EQ(PrototypesThemeCode(16, RGB(0, 0, 0)), 5);
    EXPECT_EQ(PrototypesThemeCode(3, RGB(0, 0, 0)), 1);
}

TEST_F(Backstage, TheRecentPageMarksNetworkPathsAndTheDirectPrintSettingSwapsThePrintTab) {
    CRecentFileList* recent = CKvw32App::Instance()->m_pRecentFileList;
    ASSERT_NE(recent, nullptr);
    recent->Add(L"\\\\server\\share\\far.grb");
    recent->Add(L"C:\\Work\\near.grb");
    ASSERT_EQ(s.user().openBackstage(window, std::nullopt, L""), std::nullopt);
    const auto& items = ribbon->GetRecentFilesBackstagePage(false)->GetItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].path, CString(L"C:\\Work\\near.grb"));
    EXPECT_FALSE(items[0].network);
    EXPECT_TRUE(items[1].network);
    ASSERT_EQ(s.user().closeBackstage(window), std::nullopt);

    GetSettings().directPrint = true;
    ASSERT_EQ(s.user().openBackstage(window, std::nullopt, L""), std::nullopt);
    EXPECT_FALSE(view->GetTab(IndexOf(1027))->visible);
    EXPECT_TRUE(s.user().openBackstage(window, 1027, L"").has_value()) << "a hidden tab cannot be clicked";
    ASSERT_EQ(s.user().closeBackstage(window), std::nullopt);
    GetSettings().directPrint = false;
    ASSERT_EQ(s.user().openBackstage(window, std::nullopt, L""), std::nullopt);
    EXPECT_TRUE(view->GetTab(IndexOf(1027))->visible);
}

TEST_F(Backstage, ClosingBringsBackExactlyTheFloatingWindowsItHidAndNoDeadOne) {
    auto* own = dynamic_cast<RibbonBackstageView*>(view);
    ASSERT_NE(own, nullptr);
    const auto topLevel = [] {
        return ::CreateWindowExW(0, AfxRegisterWndClass(0), L"floating", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    };
    const HWND shown = topLevel(), hiddenAlready = topLevel(), dying = topLevel();
    ::ShowWindow(hiddenAlready, SW_HIDE);
    own->SetFloatingWindows([&] { return std::vector<HWND>{shown, hiddenAlready, dying, shown}; });
    ASSERT_EQ(s.user().openBackstage(window, std::nullopt, L""), std::nullopt);
    EXPECT_FALSE(::IsWindowVisible(shown));
    EXPECT_EQ(own->GetHiddenWindows(), (std::vector<HWND>{shown, dying}));
    ::DestroyWindow(dying);
    ASSERT_EQ(s.user().closeBackstage(window), std::nullopt);
    EXPECT_TRUE(::IsWindowVisible(shown));
    EXPECT_FALSE(::IsWindowVisible(hiddenAlready)) << "it was not the backstage's to show";
    EXPECT_TRUE(own->GetHiddenWindows().empty());
    ::DestroyWindow(shown);
    ::DestroyWindow(hiddenAlready);
}


TEST_F(Backstage, AHelpModifierPutsBackTheIdItFirstReplacedAndTheKernelCanRefreshAndShowThePrintPage) {
    const UINT before = kernel->GetCurrentHelpId();
    {
        HelpIDModifier modifier;
        modifier.SetHelpID(500, nullptr, false);
        modifier.SetHelpID(600, nullptr, false);
        EXPECT_EQ(kernel->GetCurrentHelpId(), 600u);
        modifier.Reset();
        EXPECT_EQ(kernel->GetCurrentHelpId(), before);
        modifier.SetHelpID(700, nullptr, false);
    }
    EXPECT_EQ(kernel->GetCurrentHelpId(), before) << "a modifier that goes resets";

    kernel->RefreshBackstage(frame);
    EXPECT_EQ(view->GetRefreshCount(), 1);
    kernel->RefreshBackstage(nullptr);
    EXPECT_EQ(view->GetRefreshCount(), 1);

    // The kernel's request shows the print page with the document it names.
    CKvw32Doc* document = Open(L"C:\\Work\\a.grb");
    ASSERT_NE(document, nullptr);
    KVRibbonBackstagePrintPage* print = ribbon->GetPrintBackstagePage(false);
    print->SetDocument(nullptr);
    EXPECT_TRUE(kernel->ShowRibbonBackstagePrintPage(frame, document));
    EXPECT_EQ(print->GetDocument(), document);
    ASSERT_NE(print->GetPrintWindow(), nullptr);
    EXPECT_EQ(print->GetPrintWindow()->GetDocument(), document);
    EXPECT_EQ(kernel->GetActiveBackstageTabId(frame), 1027u);
    // Asked again while it shows (its tab is active already, so it is not activated again): the
    // page prints what the new request names, never an empty page.
    CKvw32Doc* other = Open(L"C:\\Work\\b.grb");
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(view->IsOpen());
    for (CKvw32Doc* next : {other, document}) {
        EXPECT_TRUE(kernel->ShowRibbonBackstagePrintPage(frame, next));
        ASSERT_NE(print->GetPrintWindow(), nullptr) << "another document";
        EXPECT_EQ(print->GetPrintWindow()->GetDocument(), next);
    }
    int drawing = 0;  // the kernel's drawing context is opaque to the shell
    auto* context = reinterpret_cast<KVDrawingContext*>(&drawing);
    for (int request = 0; request < 2; ++request) {
        EXPECT_TRUE(kernel->ShowRibbonBackstagePrintPage(frame, context));
        ASSERT_NE(print->GetPrintWindow(), nullptr) << "a drawing, request " << request;
        EXPECT_NE(print->GetPrintWindow()->GetSafeHwnd(), nullptr);
    }
    // A document named after a drawing: the page prints the document, the drawing is let go.
    EXPECT_TRUE(kernel->ShowRibbonBackstagePrintPage(frame, other));
    ASSERT_NE(print->GetPrintWindow(), nullptr);
    EXPECT_EQ(print->GetPrintWindow()->GetDocument(), other);
    view->Close();
    EXPECT_FALSE(kernel->ShowRibbonBackstagePrintPage(nullptr, document)) << "no frame";
}

}  // namespace
