// The application table's handlers as the user reaches them (commands posted to the frame, the
// update pass's route), and the pure pieces they build on: the update-check address and the
// nomenclature search.
#include "app/commands/application_command_handlers.h"
#include "app/commands/nomenclature_search.h"
#include "app/commands/update_check_address.h"
#include "app/kvw32_app.h"
#include "tests/app/document_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;
using apptest::ExpectInOrder;

const std::wstring kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
const std::wstring kPlate = L"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb";

class ApplicationTableTest : public apptest::DocumentSessionTest {
protected:
    void StartWithBoth() {
        Start(s);
        bracket = dynamic_cast<CKvw32Doc*>(Open(s, kBracket));
        plate = dynamic_cast<CKvw32Doc*>(Open(s, kPlate));
        ASSERT_NE(bracket, nullptr);
        ASSERT_NE(plate, nullptr);
        s.journal().clear();
    }
    void Command(unsigned id) {
        s.user().command(frame_, id);
        s.runUntilIdle();
    }
    // The item's state after the update pass's route through the active frame.
    CCmdUI Update(unsigned id) {
        CCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(CWnd::FromHandlePermanent(frame_), TRUE);
        return ui;
    }
    std::vector<std::wstring> Calls() { return s.journal().texts("call"); }

    Session s;
    CKvw32Doc* bracket = nullptr;
    CKvw32Doc* plate = nullptr;
};

TEST(UpdateCheckAddress, EveryValueIsPercentEncodedAsUtf8) {
    EXPECT_EQ(AppCommands::PercentEncode(L"VIEWER 3D"), CString(L"VIEWER%203D"));
    EXPECT_EQ(AppCommands::PercentEncode(L"a&b=c?d#e/f-g._~"), CString(L"a%26b%3Dc%3Fd%23e%2Ff-g._~"));
    EXPECT_EQ(AppCommands::PercentEncode(L"Вид"), CString(L"%D0%92%D0%B8%D0%B4"));
    EXPECT_EQ(AppCommands::PercentEncode(L"\xD83D\xDE00"), CString(L"%F0%9F%98%80"));  // a pair: one code point
    EXPECT_EQ(AppCommands::PercentEncode(L"\xD83D"), CString(L"%EF%BF%BD"));           // a lone half
    EXPECT_EQ(AppCommands::UpdateCheckAddress(L"https://example.test", {L"ru", L"VIEWER 3D"}),
              CString(L"https://example.test/check_for_updates/index.php?major=18&minor=0&build=21&revision=0"
                      L"&lang=ru&product=VIEWER%203D&platform=x64"));
}

TEST(NomenclatureSearch, FindsAFileAnywhereBelowAndEndsOnCycles) {
    KVPDMNomenclatureRecord top(L"C:\\A.grb"), middle(L"C:\\B.grb"), leaf(L"C:\\C.grb");
    top.AddChild(&middle);
    middle.AddChild(&top);  // back up: the search must still end
    middle.AddChild(&leaf);
    middle.AddChild(&leaf);
    EXPECT_TRUE(AppCommands::NomenclatureNamesFile(&top, L"c:\\c.GRB"));
    EXPECT_TRUE(AppCommands::NomenclatureNamesFile(&top, L"C:\\A.grb"));
    EXPECT_FALSE(AppCommands::NomenclatureNamesFile(&top, L"C:\\D.grb"));
    EXPECT_FALSE(AppCommands::NomenclatureNamesFile(nullptr, L"C:\\A.grb"));
}

TEST(SketchCommands, TheSetHoldsItsRangesAndNothingBeside) {
    for (UINT id : {1125u, 1640u, 1644u, 1646u, 1656u, 1658u, 1791u, 1825u, 1842u, 1850u, 1854u, 2040u, 2870u, 2882u,
                    2934u, 2941u, 2942u, 3166u, 3167u, 7304u})
        EXPECT_TRUE(AppCommands::IsSketchDrawingCommand(id)) << id;
    for (UINT id : {1012u, 1124u, 1126u, 1645u, 1650u, 1657u, 1834u, 1843u, 2935u, 2943u, 7305u})
        EXPECT_FALSE(AppCommands::IsSketchDrawingCommand(id)) << id;
}

TEST_F(ApplicationTableTest, SaveAllHandsEveryDocumentToTheEditInContextFirst) {
    StartWithBoth();
    s.kernel().setEditInPlace(plate, bracket, plate);
    Command(1201);
    ExpectInOrder(Calls(), {L"EditInContextInstance::PrepareDocumentForSave(\"Bracket.grb\")",
                            L"EditInContextInstance::PrepareDocumentForSave(\"Cover plate.grb\")",
                            L"CKvw32Doc::DoFileSave(\"Bracket.grb\")", L"CKvw32Doc::DoFileSave(\"Cover plate.grb\")"});
    EXPECT_EQ(bracket->GetHoldCount(), 0);
    EXPECT_EQ(plate->GetHoldCount(), 0);
}

TEST_F(ApplicationTableTest, ClosingADocumentEditedInContextEndsTheEdit) {
    StartWithBoth();
    s.kernel().setEditInPlace(plate, bracket, plate);
    s.kernel().setEditInPlace(bracket, bracket, plate);
    Command(1200);
    EXPECT_TRUE(Contains(Calls(), L"EditInContextInstance::RunCommand(1744, \"Cover plate.grb\")"));
    EXPECT_FALSE(plate->IsEditInPlaceActive());
    EXPECT_FALSE(bracket->IsEditInPlaceActive());
    // Without the edit the command closes it, asking first about its changes.
    s.kernel().setModified(plate, true);
    s.user().expectBox(L"Save changes to*", Button::Cancel);
    Command(1200);
    ASSERT_NE(Korvo::DocumentManager::Instance().FindDocument(kPlate.c_str()), nullptr);
    s.user().expectBox(L"Save changes to*", Button::No);
    Command(1200);
    EXPECT_EQ(Korvo::DocumentManager::Instance().FindDocument(kPlate.c_str()), nullptr);
}

TEST_F(ApplicationTableTest, AReadOnlyDocumentBoundToNomenclatureFollowsThePdmItem) {
    StartWithBoth();
    std::wstring answer;
    s.kernel().saveWork(L"SetPdmActive", {L"1"}, answer);
    s.kernel().saveWork(L"BindNomenclature", {L"2"}, answer);
    s.kernel().saveWork(L"SetReadOnly", {L"2", L"1"}, answer);
    s.kernel().saveWork(L"SetWorkMixReference", {L"2", L"2"}, answer);

    // Not taken for editing: Save As, with the product structures left alone meanwhile.
    s.kernel().saveWork(L"ManageInPdm", {L"2", L"0"}, answer);
    s.user().expectFileCancel();
    Command(1029);
    EXPECT_TRUE(Contains(Calls(), L"CKvw32Doc::DoFileSaveAs(\"Cover plate.grb\""));
    EXPECT_FALSE(Contains(Calls(), L"UpdateAllProductStructures"));
    EXPECT_TRUE(GetSettings().updateProductStructuresOnSave);

    // Taken for editing: saved in place, the read-only flag let through for the save only.
    s.kernel().saveWork(L"ManageInPdm", {L"2", L"1"}, answer);
    s.journal().clear();
    Command(1029);
    EXPECT_TRUE(Contains(Calls(), L"CKvw32Doc::DoFileSave(\"Cover plate.grb\")"));
    EXPECT_FALSE(Contains(s.journal().texts("warning"), L"is read-only"));
    EXPECT_FALSE(plate->IsFlagSet(KorvoDocument2::kFlagSaveReadOnly));
    EXPECT_TRUE(plate->IsReadOnly());
}

TEST_F(ApplicationTableTest, ASaveRefreshesTheDocumentsWhoseNomenclatureTakesItIn) {
    StartWithBoth();
    std::wstring answer;
    s.kernel().saveWork(L"SetPdmActive", {L"1"}, answer);
    // The bracket's tree takes in the plate and leads back to itself.
    s.kernel().saveWork(L"BindNomenclature", {L"1", kPlate}, answer);
    s.kernel().saveWork(L"BindNomenclature", {L"2", kBracket}, answer);
    plate->Cont2D()->AddVariable(L"$Mass", 1.0);
    KVVariable* mass = plate->Cont2D()->GetVariableForEdit(plate->Cont2D()->GetVariableCount() - 1);
    mass->varnelParameterType = 4;
    mass->state = 2;
    s.journal().clear();
    Command(1029);
    ExpectInOrder(Calls(), {L"CKvw32Doc::SetChangedNomenclatureParameters(\"Cover plate.grb\", true)",
                            L"CKvw32Doc::DoFileSave(\"Cover plate.grb\")",
                            L"KVPDMNomenclatureRecord::Reload(\"" + kBracket + L"\")",
                            L"CKvw32Doc::UpdateFromNomenclature(\"Bracket.grb\")"});
    // A PDM failure is reported, and the save has happened.
    s.kernel().pdmFailCall(L"Reload");
    s.user().expectBox(L"The PDM system did not answer: Reload", Button::Ok);
    Command(1029);
    EXPECT_FALSE(plate->IsModified());
}

TEST_F(ApplicationTableTest, SaveAsAndSaveCopyHoldTheirDocumentOnlyWhileTheyRun) {
    StartWithBoth();
    s.user().expectFileChoose(L"C:\\Users\\user\\Documents\\Copy.grb");
    Command(2054);
    EXPECT_EQ(plate->GetPathName(), CString(kPlate.c_str()));
    EXPECT_TRUE(s.files().exists(L"C:\\Users\\user\\Documents\\Copy.grb"));
    std::wstring answer;
    s.kernel().saveWork(L"CloseWindowsDuringSave", {L"2"}, answer);
    s.user().expectFileChoose(L"C:\\Users\\user\\Documents\\Moved.grb");
    Command(1093);
    // Its windows went during the save: it closed once the holds were let go.
    EXPECT_EQ(Korvo::DocumentManager::Instance().GetDocuments().size(), 1u);
    EXPECT_TRUE(s.files().exists(L"C:\\Users\\user\\Documents\\Moved.grb"));
}

TEST_F(ApplicationTableTest, DocumentProtectionFollowsTheMachineSettingAndTheModule) {
    Start(s);
    EXPECT_TRUE(Update(1045).m_stateEnabled);
    // A module that is not there: the message, and nothing to unload.
    s.files().remove(s.files().programFile(L"KVDocAccess.dll"));
    s.user().expectBox(L"Cannot load module KVDocAccess.dll", Button::Ok);
    Command(1045);
    EXPECT_FALSE(Contains(Calls(), L"shutdownAndUnloadMfc"));
    EXPECT_FALSE(Contains(Calls(), L"ShowDocAccessWizard"));

    s.registry().setDword(apptest::kMachine, apptest::kMachineProductKey, L"DisableDocumentProtection", 1);
    EXPECT_FALSE(Update(1045).m_stateEnabled);
    s.journal().clear();
    Command(1045);
    EXPECT_FALSE(Contains(Calls(), L"loadMfcAndInitialize"));
}

TEST_F(ApplicationTableTest, UpdateRulesOfTheTable) {
    StartWithBoth();
    // No configuration is open on the sample: saving or closing all of them has nothing to do.
    EXPECT_FALSE(Update(1139).m_stateEnabled);
    EXPECT_FALSE(Update(1127).m_stateEnabled);
    s.kernel().documentsMenu().addConfiguration(L"C:\\Users\\user\\Documents\\Lib.tws", L"Lib");
    EXPECT_TRUE(Update(1139).m_stateEnabled);
    // The help files are not installed with the sample.
    EXPECT_FALSE(Update(1205).m_stateEnabled);
    s.files().write(s.files().programFile(L"FEA.chm"), "help");
    EXPECT_TRUE(Update(1205).m_stateEnabled);
    EXPECT_FALSE(Update(1996).m_stateEnabled);
    // The viewer edition does not sketch.
    EXPECT_FALSE(Update(1965).m_stateEnabled);
    EXPECT_FALSE(Update(2935).m_stateEnabled);
    Command(1965);
    EXPECT_EQ(GetSettings().autoParameterization[0], 0);
    // The PDM material needs the connection.
    EXPECT_FALSE(Update(9131).m_stateEnabled);
    s.kernel().setPdmConnected(true);
    EXPECT_TRUE(Update(9131).m_stateEnabled);
}

TEST_F(ApplicationTableTest, AChosenPdmMaterialGoesIntoTheDocumentsVariables) {
    StartWithBoth();
    s.kernel().setPdmConnected(true);
    plate->Cont2D()->AddVariable(L"$материал3", 0.0);  // an existing one, in another case
    s.user().expectVarnelMaterial(std::array<std::wstring, 4>{L"Steel", L"GOST 1050", L"45", L"M-17"});
    Command(9131);
    KVDocument* container = plate->Cont2D();
    const auto text = [&](const wchar_t* name) {
        const int index = container->FindVariable(name);
        return index < 0 ? CString(L"(none)") : container->GetVariable(index)->text;
    };
    // The sample's country is 0: the local-language names.
    EXPECT_EQ(text(L"$Материал2"), CString(L"Steel"));
    EXPECT_EQ(text(L"$Материал3"), CString(L"GOST 1050"));
    EXPECT_EQ(text(L"$Материал4"), CString(L"45"));
    EXPECT_EQ(text(L"$MaterialVarnelId"), CString(L"M-17"));
    EXPECT_EQ(container->GetVariableCount(), 4);
    ExpectInOrder(Calls(), {L"KVDocument::start_undo_block", L"KVDocument::end_undo_block", L"KVDocument::Regenerate()"});
    // Cancelled: nothing changes.
    s.user().expectVarnelMaterial(std::nullopt);
    s.journal().clear();
    Command(9131);
    EXPECT_FALSE(Contains(Calls(), L"start_undo_block"));
}

TEST_F(ApplicationTableTest, WindowCommandsWorkOnTheActiveFrame) {
    StartWithBoth();
    Command(57649);
    ExpectInOrder(s.journal().texts("window"), {L"WM_MDICASCADE", L"WM_MDIICONARRANGE"});
    // A new main window shows the active document too.
    Command(2046);
    EXPECT_EQ(s.inspect().mainFrames().size(), 2u);
    EXPECT_EQ(plate->GetViews().size(), 2u);
}

}  // namespace

namespace {

TEST_F(ApplicationTableTest, YesAtTheClosePromptSavesBeforeTheDocumentCloses) {
    StartWithBoth();
    plate->Cont2D()->AddPage(L"Added");
    s.kernel().setModified(plate, true);
    s.user().expectBox(L"Save changes to*", Button::Yes);
    Command(1200);
    EXPECT_EQ(Korvo::DocumentManager::Instance().FindDocument(kPlate.c_str()), nullptr);
    EXPECT_TRUE(Contains(Calls(), L"CKvw32Doc::DoFileSave(\"Cover plate.grb\")"));
    // The saved file has what the document had.
    CDocument* reopened = Open(s, kPlate);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(dynamic_cast<CKvw32Doc*>(reopened)->Cont2D()->GetPageIds().size(), 3u);
}

TEST_F(ApplicationTableTest, LibraryConfigurationsAreMadeWhereTheUserSays) {
    Start(s);
    s.user().expectFileCancel();
    Command(1119);
    EXPECT_EQ(DocumentsMenu::GlobalCfgGroup()->GetCount(), 0);
    const std::wstring path = L"C:\\Users\\user\\Documents\\Fixtures.tws";
    s.user().expectFileChoose(path);
    Command(1119);
    ASSERT_EQ(DocumentsMenu::GlobalCfgGroup()->GetCount(), 1);
    EXPECT_TRUE(s.files().exists(path));
    EXPECT_TRUE(Update(1127).m_stateEnabled);
    Command(1127);
    EXPECT_EQ(DocumentsMenu::GlobalCfgGroup()->GetCount(), 0);
}

TEST_F(ApplicationTableTest, AnalysisHelpOpensItsOwnFileAndGivesTheContextBack) {
    Start(s);
    CKvw32App* app = CKvw32App::Instance();
    const CString file = app->GetHelpFile();
    const UINT id = app->GetHelpId();
    s.files().write(s.files().programFile(L"KVDynamics.chm"), "help");
    Command(1996);
    EXPECT_TRUE(Contains(s.journal().texts("help"), L"KVDynamics.chm"));
    EXPECT_EQ(app->GetHelpFile(), file);
    EXPECT_EQ(app->GetHelpId(), id);
}

TEST_F(ApplicationTableTest, TheWorkMixPaneNeedsTheConnectionAndReportsPdmFailures) {
    Start(s);
    Command(2003);
    EXPECT_FALSE(Contains(Calls(), L"GetRootObject"));
    s.kernel().setPdmConnected(true);
    s.kernel().pdmFailCall(L"GetRootObject");
    s.user().expectBox(L"The PDM system did not answer: GetRootObject", Button::Ok);
    Command(2003);
    EXPECT_TRUE(Contains(Calls(), L"KVPDMExceptionProxy::Report"));
}

}  // namespace
