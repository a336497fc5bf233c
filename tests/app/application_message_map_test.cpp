// The application's own commands as a user reaches them from a main frame: application commands
// with a module's callback record, add-on commands shared by several applications, themes, the
// tip strip and the log window.
#include "app/kvw32_app.h"
#include "auxiliary/info_tip.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "tests/app/document_test_support.h"

namespace {

using namespace platform::harness;

const std::wstring kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";

class MessageMap : public apptest::DocumentSessionTest {
protected:
    // A module's command with a callback record; its runs are counted.
    UINT Register(int internalId, bool allowWithoutDocument, bool withExecute = true) {
        auto record = std::make_shared<ApplicationCommandCallbacks>();
        if (withExecute) record->execute = [this](CKvw32Doc*, UINT id) { runs_.push_back(id); };
        record->allowWithoutDocument = allowWithoutDocument;
        auto command = std::make_unique<ApplicationCommand>(internalId, Korvo::UniqueIdentifier{}, L"Module command", false);
        command->SetCallbacks(record);
        return CKvw32App::Instance()->RegisterApplicationCommand(std::move(command), false)->GetCommandId();
    }
    // The state the update pass gives the command's controls in the frame.
    bool Enabled(UINT id) {
        CCmdUI state;
        state.m_nID = id;
        state.DoUpdate(CWnd::FromHandle(frame_), FALSE);
        return state.m_stateEnabled != FALSE;
    }
    void Run(Session& s, UINT id) {
        s.user().command(frame_, id);
        s.runUntilIdle();
    }
    std::vector<UINT> runs_;
};

TEST_F(MessageMap, AModuleCommandRunsWithoutADocumentOnlyWhenItsRecordAllowsIt) {
    Session s;
    Start(s);
    const UINT free = Register(1, true);
    const UINT bound = Register(2, false);
    const UINT inert = Register(3, true, false);
    EXPECT_TRUE(Enabled(free));
    EXPECT_FALSE(Enabled(bound));
    EXPECT_FALSE(Enabled(inert));  // no execute callback
    EXPECT_FALSE(Enabled(inert + 1));  // past the last command
    Run(s, free);
    Run(s, bound);
    Run(s, inert + 1);
    EXPECT_EQ(runs_, std::vector<UINT>{free});

    // This edition opens documents with editing blocked: the flag still enables the command,
    // but nothing runs.
    auto* document = dynamic_cast<CKvw32Doc*>(Open(s, kBracket));
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(document->IsEditingBlocked());
    EXPECT_TRUE(Enabled(free));
    EXPECT_FALSE(Enabled(bound));
    Run(s, free);
    EXPECT_EQ(runs_.size(), 1u);

    // The kernel decides what may be changed: a read-only file it lets the user edit runs them.
    document->BlockEditing(0, 0, 0);
    s.kernel().setReadOnly(document, true);
    EXPECT_TRUE(Enabled(bound));
    Run(s, bound);
    EXPECT_EQ(runs_, (std::vector<UINT>{free, bound}));
    s.kernel().setReadOnly(document, false);

    // The kernel reaches the same handlers through its callback object.
    KorvoServerAppProxy* kernelCallbacks = KorvoServerAppProxy::Instance();
    EXPECT_TRUE(kernelCallbacks->OnObjectCommand(free));
    EXPECT_EQ(runs_, (std::vector<UINT>{free, bound, free}));
    EXPECT_FALSE(kernelCallbacks->OnObjectCommand(inert + 1));
    CCmdUI state;
    state.m_nID = inert;
    state.m_stateEnabled = TRUE;
    EXPECT_TRUE(kernelCallbacks->OnUpdateObjectCommand(&state));
    EXPECT_FALSE(state.m_stateEnabled);
    state.m_nID = inert + 1;
    EXPECT_FALSE(kernelCallbacks->OnUpdateObjectCommand(&state));
}

TEST_F(MessageMap, APdmFileNotTakenForEditingRunsNoModuleCommand) {
    Session s;
    s.kernel().setPdmConnected(true);
    s.kernel().pdmManageFile(kBracket, false);
    s.kernel().pdmSetItemState(kBracket, 3);
    Start(s);
    const UINT bound = Register(2, false);
    auto* document = dynamic_cast<CKvw32Doc*>(Open(s, kBracket));
    ASSERT_NE(document, nullptr);
    document->BlockEditing(0, 0, 0);
    EXPECT_FALSE(Enabled(bound));
    Run(s, bound);
    EXPECT_TRUE(runs_.empty());
    s.kernel().pdmSetItemState(kBracket, 2);
    EXPECT_TRUE(Enabled(bound));
    Run(s, bound);
    EXPECT_EQ(runs_, std::vector<UINT>{bound});
}

TEST_F(MessageMap, ADescribedCommandGoesToTheAddOnManagerAndItsViewWhenItAsksForTheSelection) {
    Session s;
    Start(s);
    auto command = std::make_unique<ApplicationCommand>(7, Korvo::UniqueIdentifier{}, L"Described", false);
    command->SetAsksForSelection(true);
    const UINT id = CKvw32App::Instance()->RegisterApplicationCommand(std::move(command), false)->GetCommandId();
    CDocument* document = Open(s, kBracket);
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(Enabled(id)) << "this edition opens documents with editing blocked";
    dynamic_cast<CKvw32Doc*>(document)->BlockEditing(0, 0, 0);
    EXPECT_TRUE(Enabled(id));
    s.kernel().setDescribedCommandDisabled(id, true);
    EXPECT_FALSE(Enabled(id));
    s.kernel().setDescribedCommandDisabled(id, false);

    Run(s, id);  // nothing selected: the view is not asked
    s.kernel().setStoredSelection(document, 2);
    Run(s, id);
    const auto entries = calls(s);
    const std::wstring ran = L"ApplicationManager::RunCommand(" + std::to_wstring(id);
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [&](const std::wstring& e) { return e.starts_with(ran); }), 2);
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                            [](const std::wstring& e) { return e.starts_with(L"CKVView::OnObjectCommand"); }),
              1);
}

TEST_F(MessageMap, EveryAddOnWhoseRangeHoldsTheIdRunsIt) {
    Session s;
    s.kernel().installApplication(L"Gears", 15000, 15020);
    s.kernel().installApplication(L"Springs", 15010, 15030);
    Start(s);
    Run(s, 15010);
    Run(s, 15005);
    Run(s, 15500);  // nobody's
    const auto entries = calls(s);
    EXPECT_TRUE(apptest::Contains(entries, L"CKVApplication::OnCommand(\"Gears\", null, 15010)"));
    EXPECT_TRUE(apptest::Contains(entries, L"CKVApplication::OnCommand(\"Springs\", null, 15010)"));
    EXPECT_TRUE(apptest::Contains(entries, L"CKVApplication::OnCommand(\"Gears\", null, 15005)"));
    EXPECT_FALSE(apptest::Contains(entries, L"CKVApplication::OnCommand(\"Springs\", null, 15005)"));
    EXPECT_FALSE(apptest::Contains(entries, L"15500)"));

    Run(s, 15020);  // the last id of the first range, inside the second one
    EXPECT_TRUE(apptest::Contains(calls(s), L"CKVApplication::OnCommand(\"Gears\", null, 15020)"));
    EXPECT_TRUE(apptest::Contains(calls(s), L"CKVApplication::OnCommand(\"Springs\", null, 15020)"));

    s.kernel().setApplicationCommandDisabled(L"Springs", 15010, true);
    EXPECT_FALSE(Enabled(15010));  // the later application's answer stands
    EXPECT_TRUE(Enabled(15005));
    // A document the user may not change disables them all.
    ASSERT_NE(Open(s, kBracket), nullptr);
    EXPECT_FALSE(Enabled(15005));
}

TEST_F(MessageMap, TheCurrentThemeIsNotAppliedAgainAndAFailedOneChangesNothing) {
    Session s;
    s.kernel().setThemes({L"office2016white", L"msvs2015dark", L"msvs2015light"});
    s.faults().failTheme(L"msvs2015light");
    Start(s);
    CKvw32App* app = CKvw32App::Instance();
    ASSERT_EQ(app->GetThemeCommandId(), 3401u);
    const std::size_t before = calls(s).size();
    Run(s, 3401);
    for (std::size_t i = before; i < calls(s).size(); ++i) EXPECT_EQ(calls(s)[i].find(L"Theme"), std::wstring::npos);
    Run(s, 3403);
    EXPECT_EQ(app->GetThemeCommandId(), 3401u);
    Run(s, 3404);  // past the list
    EXPECT_EQ(app->GetThemeCommandId(), 3401u);
    Run(s, 3402);
    EXPECT_EQ(app->GetThemeCommandId(), 3402u);
    EXPECT_EQ(app->GetThemeName(), L"msvs2015dark");
    CCmdUI state;
    state.m_nID = 3402;
    state.DoUpdate(CWnd::FromHandle(frame_), FALSE);
    EXPECT_EQ(state.m_stateCheck, 1);
    Run(s, 3449);  // no such theme
    EXPECT_EQ(app->GetThemeCommandId(), 3402u);
}

TEST_F(MessageMap, TipsAndTheLogWindowAreReachedFromTheFrame) {
    Session s;
    Start(s);
    Run(s, 1863);
    EXPECT_TRUE(CInfoTip::Instance().IsShown());
    Run(s, 1863);
    EXPECT_FALSE(CInfoTip::Instance().IsShown());
    EXPECT_EQ(CInfoTip::Instance().GetCurrentIndex(), 1);  // the sample's second tip is next
    Run(s, 7306);
    ASSERT_NE(CKvw32App::Instance()->GetLogWindow(), nullptr);
    EXPECT_TRUE(CKvw32App::Instance()->GetLogWindow()->IsWindowVisible());
}

TEST_F(MessageMap, FixedSizeRestoresTheFrameAtItsCorner) {
    Session s;
    Start(s);
    ShowWindow(frame_, SW_MAXIMIZE);
    Run(s, 1868);
    RECT rect{};
    GetWindowRect(frame_, &rect);
    EXPECT_FALSE(IsZoomed(frame_));
    EXPECT_EQ(rect.right - rect.left, 1440);
    EXPECT_EQ(rect.bottom - rect.top, 900);
}

TEST_F(MessageMap, TheKernelsDocumentStateChangeReachesTheFramesRibbon) {
    Session s;
    Start(s);
    auto* document = dynamic_cast<CKvw32Doc*>(Open(s, kBracket));
    ASSERT_NE(document, nullptr);
    auto* frame = DYNAMIC_DOWNCAST(CMainFrame, CWnd::FromHandle(frame_));
    ASSERT_NE(frame, nullptr);
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    ASSERT_NE(ribbon, nullptr);
    auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->AddTab(L"Welding"));
    ASSERT_NE(tab, nullptr);
    tab->SetTags(L"weld");
    tab->SetVisible(FALSE);
    // The document gains the tab's keyword; only the kernel's notice makes the frame look again.
    document->GetProperties()->keywords = {L"weld"};
    s.kernel().callback([document](KorvoServerAppProxy& kernel) { kernel.OnChangeDocumentState(document, 0); });
    EXPECT_TRUE(tab->IsVisible());
    document->GetProperties()->keywords.clear();
    s.kernel().callback([document](KorvoServerAppProxy& kernel) { kernel.OnChangeDocumentState(document, 0); });
    EXPECT_FALSE(tab->IsVisible());
}

}  // namespace
