// The technical-requirements pane on documents the harness writes: the model stream through a
// save and a bad file, page columns past 249 pages, the visibility key, the leaders mode, the
// enablement of the tool bar, flags held while the pane is hidden, previews and the select helper.
#include <gtest/gtest.h>

#include <string>

#include "app/kvw32_app.h"
#include "platform/harness/document_files.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/win32/icons.h"
#include "techrequirements/add_select_control.h"
#include "techrequirements/list_model.h"
#include "techrequirements/tech_requirements_window.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;
using Model = TechRequirementListModel;

const std::wstring kCover = L"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb";

class RequirementsPane : public SessionTest {
protected:
    void Open(const std::wstring& path) {
        s.user().expectFileChoose(path);
        s.user().command(frame, 0xE101);
        s.runUntilIdle();
    }
    void Host(const std::wstring& path = kCover) {
        s.start();
        s.runUntilIdle();
        frame = s.inspect().mainFrames().at(0);
        Open(path);
        ASSERT_FALSE(s.kernel().hostRequirementsPane(frame).has_value());
        s.runUntilIdle();
        host = CKvw32App::Instance()->GetTechRequirementsWindow();
        ASSERT_NE(host, nullptr);
        dialog = host->GetDialog();
        ASSERT_NE(dialog, nullptr);
    }
    std::wstring Work(const std::wstring& operation, const std::vector<std::wstring>& arguments) {
        std::wstring answer = s.kernel().work(operation, arguments);
        s.runUntilIdle();
        return answer;
    }
    const Model& model() const { return dialog->listModel(); }
    kvpf::Variant Cell(int row, int column, int role) const { return model().GetData(row, column, role); }
    bool Enabled(const wchar_t* id) const { return kvpf::WpfDockFormView::FindControl(CString(L"TechRequirementDialog.") + id)->IsEnabled(); }

    Session s;
    HWND frame = nullptr;
    TechRequirementsWindow* host = nullptr;
    TechRequirementDialog* dialog = nullptr;
};

TEST_F(RequirementsPane, TheModelStreamKeepsRequirementsThroughASaveAndABadOneLeavesTheFileAlone) {
    Host();
    CKvw32Doc* document = dialog->GetDocument();
    EXPECT_EQ(Work(L"AddRequirement", {L"1", L"Deburr all holes", L"2"}), L"requirement 5");
    Work(L"DeleteRequirement", {L"1", L"2"});
    bool saved = false;
    ASSERT_EQ(document->DoFileSave(saved), 1);
    ASSERT_TRUE(saved);
    const auto streams = platform::kernel::decodeCompoundFile(s.files().read(kCover).value());
    ASSERT_TRUE(streams);
    const std::string model = streams->at(platform::kernel::kModelStreamName);
    EXPECT_NE(model.find("<requirement index=\"5\" pages=\"2\">Deburr all holes</requirement>"), std::string::npos) << model;
    EXPECT_EQ(model.find("Sharp edges"), std::string::npos);
    EXPECT_NE(model.find("<type id=\"2D5C0A10-0001-4000-8000-00000000A002\" name=\"Surfaces\""), std::string::npos);
    EXPECT_NE(streams->find(platform::kernel::kHeaderStreamName), streams->end()) << "the other streams stay";

    const std::wstring bad = L"C:\\Users\\user\\Documents\\Samples\\Bad.grb";
    detail::DocumentFileSpec spec{.kind = 1, .title = L"Bad", .pages = {L"Sheet 1"}};
    spec.modelElements = "  <requirement index=\"1\" pages=\"3\">On a page it lacks</requirement>\n";
    const std::string bytes = detail::buildDocumentFile(spec);
    s.files().write(bad, bytes);
    Open(bad);
    EXPECT_EQ(Korvo::DocumentManager::Instance().GetDocuments().size(), 1u) << "the bad document does not open";
    EXPECT_EQ(s.files().read(bad).value(), bytes);
    bool warned = false;
    for (const auto& entry : s.journal().entries())
        warned = warned || (entry.kind == "warning" && entry.text.find(bad + L"(4): the document has no page 3") != std::wstring::npos);
    EXPECT_TRUE(warned) << "the warning names the file and the line";
}

TEST_F(RequirementsPane, PageColumnsStopAt249SoTheColumnCountNeverWraps) {
    const std::wstring many = L"C:\\Users\\user\\Documents\\Samples\\Many.grb";
    detail::DocumentFileSpec spec{.kind = 1, .title = L"Many"};
    for (int page = 1; page <= 260; ++page) spec.pages.push_back(L"P" + std::to_wstring(page));
    s.files().write(many, detail::buildDocumentFile(spec));
    Host(many);
    EXPECT_EQ(model().GetColumnCount(), 255);
    EXPECT_EQ(kvpf::VariantText(model().GetHeaderData(254, Model::kDisplay)), L"\"P249\"");
    EXPECT_EQ(kvpf::VariantText(model().GetHeaderData(1, Model::kWidth)), kvpf::VariantText(0.6 / 260));
    EXPECT_EQ(dialog->viewSelect().GetItemCount(), 262) << "the view select still offers every page";
}

TEST_F(RequirementsPane, TheVisibilityKeyIsFnv1aOfTheGuidBytesInStorageOrder) {
    EXPECT_EQ(PageColumnVisibilityKey(GUID{}), 0x88201fb960ff6465ull);
    EXPECT_EQ(PageColumnVisibilityKey(GUID{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}}), 0xc83927a219163765ull);
}

TEST_F(RequirementsPane, TheLeadersModeTakesOneRowColoursTheLinkAndEndsBackInEditing) {
    Host();
    CKvw32Doc* document = dialog->GetDocument();
    auto command = std::make_unique<TechRequirementDialog::LeadersCmd>(*dialog);
    s.kernel().setCommandRunning(document, true);
    s.runUntilIdle();
    ASSERT_EQ(dialog->getMode(), TechRequirementDialog::kModeLeaders);
    EXPECT_EQ(dialog->viewSelect().GetSelectedCustomId(), 65537) << "the last enabled item";
    EXPECT_FALSE(dialog->viewSelect().GetItem(1).enabled);
    EXPECT_TRUE(dialog->highlightToggle().IsChecked());
    EXPECT_EQ(dialog->list().GetSelectionMode(), 0);
    EXPECT_FALSE(Enabled(L"Add"));
    EXPECT_TRUE(dialog->viewSelect().IsEnabled());
    ASSERT_EQ(model().GetRowCount(), 2);  // requirements 1 and 3 are on the second page
    dialog->setLeadersState(std::make_unique<TechReqLink>(3, 65537));
    EXPECT_EQ(kvpf::VariantText(Cell(1, 0, Model::kBackground)), L"rgb(198,188,255)");
    EXPECT_EQ(kvpf::VariantText(Cell(0, 0, Model::kBackground)), L"rgb(122,188,255)") << "the inscribed row";
    dialog->setLeadersState(std::make_unique<TechReqLink>(3, std::nullopt));
    EXPECT_EQ(kvpf::VariantText(Cell(1, 0, Model::kBackground)), L"-") << "the link's page differs from the filter's";

    command.reset();
    s.kernel().setCommandRunning(document, false);
    s.runUntilIdle();
    EXPECT_EQ(dialog->getMode(), TechRequirementDialog::kModeDefault);
    EXPECT_TRUE(dialog->viewSelect().GetItem(1).enabled);
    EXPECT_EQ(dialog->list().GetSelectionMode(), 1);
    EXPECT_TRUE(Enabled(L"Add"));
}

TEST_F(RequirementsPane, MovesNeedSameTypeNeighboursAndThePdmButtonsFollowTheSource) {
    s.kernel().setPdmConnected(true);
    Host();
    Work(L"SetRequirementType", {L"1", L"2", L"Tolerances"});
    auto select = [&](std::vector<int> rows) {
        ASSERT_FALSE(s.user().kvpfSelectRows(L"TechRequirementDialog.List", rows).has_value());
        s.runUntilIdle();
    };
    select({1});  // requirement 2, now after requirement 1 of the same type
    EXPECT_TRUE(Enabled(L"MoveUp"));
    EXPECT_FALSE(Enabled(L"MoveDown"));
    EXPECT_TRUE(Enabled(L"Edit"));
    select({0, 1});
    EXPECT_FALSE(Enabled(L"MoveUp")) << "requirement 1 has no earlier one of its type";
    EXPECT_FALSE(Enabled(L"Edit"));
    EXPECT_TRUE(Enabled(L"ExportToVarnel"));
    EXPECT_FALSE(Enabled(L"RemoveFromVarnel"));
    select({0, 2});  // requirement 3 came from the PDM system
    EXPECT_FALSE(Enabled(L"ExportToVarnel"));
    EXPECT_TRUE(Enabled(L"RemoveFromVarnel"));
    EXPECT_TRUE(Enabled(L"SyncWithVarnel"));
    s.kernel().setPdmConnected(false);
    select({2});
    EXPECT_FALSE(Enabled(L"RemoveFromVarnel"));
    EXPECT_FALSE(Enabled(L"SyncWithVarnel"));
}

TEST_F(RequirementsPane, FlagsRaisedWhileThePaneIsHiddenApplyWhenItShowsAgain) {
    Host();
    ASSERT_FALSE(s.user().paneAction(frame, 1038, User::PaneAction::Close).has_value());
    s.runUntilIdle();
    Work(L"AddPage", {L"1", L"Sheet 3"});
    EXPECT_EQ(model().GetColumnCount(), 8);
    EXPECT_NE(host->GetPendingFlags() & TechRequirementDialog::kFlagPages, 0u);
    s.user().command(frame, 823);
    s.runUntilIdle();
    EXPECT_EQ(model().GetColumnCount(), 9);
    EXPECT_EQ(host->GetPendingFlags(), 0u);
}

TEST_F(RequirementsPane, ChangedTypesDropThePreviewsAndTheirIcons) {
    Host();
    ASSERT_FALSE(s.user().kvpfHover(L"TechRequirementDialog.List", 0).has_value());
    ASSERT_TRUE(model().hasValidPreview(0));
    const HICON first = dialog->list().GetHintImage().GetIcon();
    int width = 0, height = 0;
    ASSERT_TRUE(platform::win32::iconSize(first, width, height));
    EXPECT_EQ(width * 1000 + height, 500 * 1000 + 75);
    Work(L"SetRequirementType", {L"1", L"2", L"none"});
    EXPECT_FALSE(model().hasValidPreview(0));
    EXPECT_FALSE(platform::win32::iconSize(first, width, height)) << "the icon went with its entry";
    ASSERT_FALSE(s.user().kvpfHover(L"TechRequirementDialog.List", 0).has_value());
    EXPECT_TRUE(model().hasValidPreview(0));
    ASSERT_FALSE(s.user().kvpfHover(L"TechRequirementDialog.List", -1).has_value());
    EXPECT_TRUE(dialog->list().GetHintImage().IsEmpty());
}

TEST_F(RequirementsPane, ChangesWhileTheDocumentIsBusyWaitForTheCommandToEnd) {
    Host();
    CKvw32Doc* document = dialog->GetDocument();
    s.kernel().setCommandRunning(document, true);
    s.runUntilIdle();
    ASSERT_EQ(dialog->getMode(), TechRequirementDialog::kModeBusy);
    EXPECT_FALSE(dialog->IsEnabled());
    Work(L"AddPage", {L"1", L"Sheet 3"});
    Work(L"DeleteRequirement", {L"1", L"1"});
    EXPECT_NE(host->GetPendingFlags() & TechRequirementDialog::kFlagPages, 0u) << "held, not dropped";
    EXPECT_EQ(model().GetColumnCount(), 8);
    EXPECT_EQ(dialog->requirementAtRow(0), nullptr) << "a removed requirement resolves to nothing";
    EXPECT_TRUE(dialog->getSelectedTechRequirements().empty());
    s.kernel().setCommandRunning(document, false);
    s.runUntilIdle();
    EXPECT_EQ(dialog->getMode(), TechRequirementDialog::kModeDefault);
    EXPECT_EQ(model().GetColumnCount(), 9);
    EXPECT_EQ(model().GetRowCount(), 3);
    EXPECT_EQ(host->GetPendingFlags(), 0u);
}

TEST_F(RequirementsPane, TheKernelsOwnAdditionsAndDeletionsReachTheListAtTheNextIdlePass) {
    Host();
    ASSERT_EQ(model().GetRowCount(), 4);
    EXPECT_EQ(Work(L"AddRequirement", {L"1", L"Deburr all holes", L"2"}), L"requirement 5");
    ASSERT_EQ(model().GetRowCount(), 5);
    EXPECT_EQ(kvpf::VariantText(Cell(4, 3, 0)), L"\"Deburr all holes\"");
    Work(L"DeleteRequirement", {L"1", L"1"});
    ASSERT_EQ(model().GetRowCount(), 4);
    for (int row = 0; row < 4; ++row) EXPECT_NE(dialog->requirementAtRow(row), nullptr) << "row " << row;
    EXPECT_EQ(host->GetPendingFlags(), 0u);
}

TEST_F(RequirementsPane, TheKernelsLeadersRequestShowsAHiddenPaneAndReachesTheEditor) {
    Host();
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.StartTechRequirementsLeaders(); });
    s.runUntilIdle();
    EXPECT_NE(s.inspect().dumpPanes(frame).find(L"1038 docked"), std::wstring::npos) << "a shown pane is not toggled away";
    CKvw32Doc* document = dialog->GetDocument();
    TechRequirementDialog::LeadersCmd* running = dialog->getLeadersCommand();
    ASSERT_NE(running, nullptr) << "the kernel holds the command";
    EXPECT_TRUE(document->IsInCommand());
    ASSERT_FALSE(s.user().paneAction(frame, 1038, User::PaneAction::Close).has_value());
    s.runUntilIdle();
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.StartTechRequirementsLeaders(); });
    s.runUntilIdle();
    EXPECT_NE(s.inspect().dumpPanes(frame).find(L"1038 docked"), std::wstring::npos) << "823 showed it again";
    EXPECT_EQ(dialog->getLeadersCommand(), running) << "a second request leaves the running command in place";
    EXPECT_TRUE(KVCommandRunner::End(document));
    EXPECT_EQ(dialog->getLeadersCommand(), nullptr);
}

TEST_F(RequirementsPane, AnUntypedSuppressedPdmRequirementOnOnePageFillsTheRoleTable) {
    s.kernel().setPdmConnected(true);
    Host();
    CKvw32Doc* document = dialog->GetDocument();
    Work(L"AddRequirement", {L"1", L"Keep dry", L"2"});
    TechRequirementManager manager(document);
    TechRequirement* requirement = manager.GetByIndex(5);
    manager.AddToVarnelWorkItem(requirement);
    TechRequirement::Properties(requirement).SetSuppressed(true, -1);
    dialog->refresh(false);
    const int row = 4;
    auto text = [&](int column, int role) { return kvpf::VariantText(Cell(row, column, role)); };
    EXPECT_EQ(text(0, 0), L"5");
    EXPECT_EQ(text(1, 0), L"\"Тип не задан\"");
    EXPECT_EQ(text(2, 0), L"\"Тип не задан\"");
    EXPECT_EQ(text(3, 0), L"\"Keep dry\"");
    EXPECT_EQ(text(4, 0), L"\"Varnel\"");
    EXPECT_EQ(text(5, 3), L"resource 40756 16,24,32");
    EXPECT_EQ(text(6, 4), L"unchecked");
    EXPECT_EQ(text(7, 4), L"checked");
    EXPECT_EQ(text(7, 5), L"true");
    EXPECT_EQ(text(7, 6), L"false");
    EXPECT_EQ(text(3, 4), L"-");
    EXPECT_EQ(text(4, 10), L"align 1");
    EXPECT_EQ(text(5, 10), L"align 1");
    EXPECT_EQ(text(3, 10), L"-");
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(text(column, 11), column == 0 || column == 1 || column == 4 ? L"false" : L"true") << column;
    EXPECT_EQ(text(6, 21), L"5");
    EXPECT_EQ(text(0, 20), L"-") << "no colour while the highlight is off";
    auto header = [&](int column, int role) { return kvpf::VariantText(model().GetHeaderData(column, role)); };
    EXPECT_EQ(header(5, 8), L"\"Подавлено\"");
    EXPECT_EQ(header(5, 10), L"align 1");
    EXPECT_EQ(header(0, 13), L"false");
    EXPECT_EQ(header(2, 13), L"-");
    EXPECT_EQ(header(1, 15), L"true");
    EXPECT_EQ(header(6, 15), L"false");
    EXPECT_EQ(header(5, 18), L"-24");
    EXPECT_EQ(header(7, 11), L"false");
}

TEST_F(RequirementsPane, AClosedDocumentLetsGoOfTheEditorAndTheNextOneIsBoundAtActivation) {
    Host();
    EXPECT_EQ(s.kernel().hostRequirementsPane(s.inspect().paneWindow(frame, 1004)).value(), L"no such main frame");
    s.user().command(frame, 0xE102);  // File Close
    s.runUntilIdle();
    EXPECT_EQ(host->GetDocument(), nullptr);
    EXPECT_EQ(dialog->GetDocument(), nullptr);
    EXPECT_FALSE(dialog->IsWindowVisible()) << "no document, no editor";
    EXPECT_EQ(kvpf::VariantText(Cell(0, 3, Model::kDisplay)), L"-") << "rows of the closed document resolve to nothing";
    Open(L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb");
    ASSERT_NE(dialog->GetDocument(), nullptr);
    EXPECT_EQ(dialog->GetDocument()->GetTitle(), CString(L"Bracket.grb"));
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_EQ(model().GetColumnCount(), 7);
    EXPECT_EQ(model().GetRowCount(), 0);
}

class SelectHolder : public kvpf::ContainerControl {
public:
    using ContainerControl::ContainerControl;
};

TEST(AddSelectControl, AppendsAnUnnamedSelectAndHandsBackTheContainersHandle) {
    auto container = kvpf::MakeRef<SelectHolder>(CString(L"Candidates"));
    container->Add(kvpf::MakeRef<kvpf::ButtonControl>(CString(L"Ok")));
    kvpf::BaseControl* added = AddSelectControl(*container, nullptr);
    ASSERT_EQ(container->GetControls().size(), 2u);
    EXPECT_EQ(container->GetControls().back().get(), added);
    EXPECT_NE(dynamic_cast<kvpf::SelectControl*>(added), nullptr);
    EXPECT_EQ(added->GetFullId(), CString(L"Candidates."));
}

}  // namespace
