// The kernel's technical-requirement services as the stand-in keeps them: the model stream read
// whole or refused, list order and same-type neighbours per page filter, removal with the links
// to it, the type tree, the clipboard, undo steps, the PDM entries and the editors it refuses.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/journal.h"
#include "platform/kernel.h"
#include "platform/kernel/techreq/store.h"
#include "platform/win32/controls/clipboard.h"

namespace {

using platform::kernel::ReadModelStream;
using platform::kernel::WriteModelStream;
using Properties = TechRequirement::Properties;

const std::string kModel =
    "<?xml version=\"1.0\"?>\n"
    "<document guid=\"2D5C0A10-0001-4000-8000-0000000000FF\">\n"
    "  <page name=\"Sheet 1\"/>\n"
    "  <page name=\"Sheet 2\"/>\n"
    "  <type id=\"2D5C0A10-0001-4000-8000-00000000A001\" name=\"General\">\n"
    "    <type id=\"2D5C0A10-0001-4000-8000-00000000A002\" name=\"Surfaces\"/>\n"
    "  </type>\n"
    "  <type id=\"2D5C0A10-0001-4000-8000-00000000A003\" name=\"Tolerances\"/>\n"
    "  <requirement index=\"1\" type=\"2D5C0A10-0001-4000-8000-00000000A002\" pages=\"1 2\">Coat</requirement>\n"
    "  <requirement index=\"2\" pages=\"1\">Deburr</requirement>\n"
    "  <requirement index=\"5\" type=\"2D5C0A10-0001-4000-8000-00000000A002\" pages=\"2\" source=\"1\">Paint\nthen dry</requirement>\n"
    "  <requirement index=\"7\" type=\"2D5C0A10-0001-4000-8000-00000000A002\" pages=\"1 2\" suppressed=\"true\">Mark</requirement>\n"
    "  <inscription page=\"1\" requirements=\"1 7\"/>\n"
    "</document>\n";

Korvo::UniqueIdentifier Id(const wchar_t* text) {
    Korvo::UniqueIdentifier id;
    EXPECT_TRUE(Korvo::UniqueIdentifier::TryParse(text, id));
    return id;
}

class Requirements : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring problem;
        ASSERT_TRUE(ReadModelStream(kModel, L"a.grb", document, problem)) << problem;
        pages = document.Cont2D()->GetPageIds();
        ASSERT_EQ(pages.size(), 2u);
    }
    std::vector<unsigned> Indexes(const std::vector<TechRequirement*>& requirements) {
        std::vector<unsigned> indexes;
        for (TechRequirement* requirement : requirements) indexes.push_back(Properties(requirement).GetReqIndex());
        return indexes;
    }
    TechRequirement* At(unsigned index) { return manager.GetByIndex(index); }

    CKvw32Doc document;
    TechRequirementManager manager{&document};
    std::vector<int> pages;
};

TEST_F(Requirements, TheModelStreamIsReadWholeAndWrittenBackAsItWasRead) {
    EXPECT_EQ(Korvo::UniqueIdentifier(document.GetGuid()).ToString(), CString(L"2D5C0A10-0001-4000-8000-0000000000FF"));
    EXPECT_EQ(document.Cont2D()->GetSafePage(pages[1])->GetName(), CString(L"Sheet 2"));
    EXPECT_EQ(document.Cont2D()->GetSafePage(pages[1]), document.Cont2D()->GetSafeObject(pages[1]));
    EXPECT_EQ(document.Cont2D()->GetSafePage(0), nullptr) << "a drawing object is no page";
    EXPECT_EQ(Properties(At(5)).GetText(false), CString(L"Paint\nthen dry"));
    EXPECT_EQ(Properties(At(5)).GetText(true), CString(L"Paint then dry"));
    EXPECT_EQ(Properties(At(5)).GetSourceType(), 1);
    EXPECT_TRUE(Properties(At(7)).IsSuppressed());
    EXPECT_EQ(At(1)->GetInscriptions().size(), 1u);
    EXPECT_TRUE(At(2)->GetInscriptions().empty());

    CKvw32Doc again;
    std::wstring problem;
    ASSERT_TRUE(ReadModelStream(WriteModelStream(document), L"b.grb", again, problem)) << problem;
    EXPECT_EQ(WriteModelStream(again), WriteModelStream(document));
    EXPECT_TRUE(TechRequirementTypesDb::Instance(&again) == TechRequirementTypesDb::Instance(&document));
    // New requirements take indexes after the highest one read.
    EXPECT_EQ(Properties(again.Cont2D()->TechRequirements().Add(Rich::Document({L"x"}), {}, {}, false, 0)).GetReqIndex(), 8u);
}

TEST(RequirementModelStream, ABadStreamIsRefusedWithItsLineAndLeavesTheDocumentAsItWas) {
    const struct {
        const char* body;
        const wchar_t* problem;
    } cases[] = {
        {"<requirement index=\"1\"/>\n<requirement index=\"1\"/>", L"(4): requirement 1 is given twice"},
        {"<requirement index=\"0\"/>", L"(3): a requirement needs an index (1 or more)"},
        {"<requirement index=\"1\" pages=\"2\"/>", L"(3): the document has no page 2"},
        {"<requirement index=\"1\" pages=\"one\"/>", L"(3): pages must be page numbers"},
        {"<requirement index=\"1\" source=\"2\"/>", L"(3): source must be 0 or 1"},
        {"<requirement index=\"1\" type=\"nope\"/>", L"(3): the requirement's type is no identifier"},
        {"<type id=\"2D5C0A10-0001-4000-8000-00000000A001\"/>\n<type id=\"2D5C0A10-0001-4000-8000-00000000A001\"/>",
         L"(4): the type 2D5C0A10-0001-4000-8000-00000000A001 is given twice"},
        {"<inscription page=\"3\" requirements=\"1\"/>", L"(3): an inscription needs a page of the document"},
        {"<requirement index=\"1\">", L"(4): "},
    };
    for (const auto& c : cases) {
        CKvw32Doc document;
        std::wstring problem;
        const std::string stream = std::string("<document>\n<page name=\"P\"/>\n") + c.body + "\n</document>\n";
        EXPECT_FALSE(ReadModelStream(stream, L"bad.grb", document, problem)) << c.body;
        EXPECT_EQ(problem.rfind(std::wstring(L"bad.grb") + c.problem, 0), 0u) << problem;
        EXPECT_TRUE(document.Cont2D()->GetPageIds().empty()) << c.body;
        EXPECT_EQ(document.Cont2D()->GetTechRequirementCount(), 0);
    }
    CKvw32Doc document;
    std::wstring problem;
    EXPECT_FALSE(ReadModelStream("<drawing/>", L"bad.grb", document, problem));
    EXPECT_EQ(problem, L"bad.grb(1): the root element is not <document>");
}

TEST_F(Requirements, TheListFollowsThePageFilterAndNeighboursShareTheirType) {
    EXPECT_EQ(Indexes(manager.GetSorted(std::nullopt, true)), (std::vector<unsigned>{1, 2, 5, 7}));
    EXPECT_EQ(Indexes(manager.GetSorted(pages[1], true)), (std::vector<unsigned>{1, 5, 7}));
    EXPECT_EQ(manager.GetPagesWithRequirements(false), pages);
    // Over all pages 2 (untyped) lies between 1 and 5; neighbours skip it.
    EXPECT_EQ(manager.GetNextWithSameType(At(1), std::nullopt, true), At(5));
    EXPECT_EQ(manager.GetPreviousWithSameType(At(7), pages[0], true), At(1)) << "5 is not on the first page";
    EXPECT_EQ(manager.GetPreviousWithSameType(At(2), std::nullopt, true), nullptr);
    EXPECT_EQ(manager.GetNextWithSameType(At(7), std::nullopt, true), nullptr);
    EXPECT_EQ(manager.GetNextWithSameType(At(5), pages[0], true), nullptr) << "not in the filtered list";
    ASSERT_TRUE(manager.MoveRequirementPosition(At(7), std::nullopt, true));
    EXPECT_EQ(Indexes(manager.GetSorted(std::nullopt, true)), (std::vector<unsigned>{1, 2, 7, 5}));
    EXPECT_FALSE(manager.MoveRequirementPosition(At(2), std::nullopt, false));
}

TEST_F(Requirements, RemovingARequirementDropsItsLinksAndItsIndexNoLongerResolves) {
    TechRequirement* removed = At(1);
    ASSERT_TRUE(document.Cont2D()->TechRequirements().Remove(1));
    EXPECT_EQ(manager.GetByIndex(1), nullptr);
    EXPECT_EQ(At(7)->GetInscriptions().size(), 1u);
    EXPECT_EQ(document.Cont2D()->TechRequirements().Inscriptions().front().GetTechNotesLinks().size(), 1u);
    EXPECT_FALSE(document.Cont2D()->TechRequirements().Remove(1));
    EXPECT_EQ(document.Cont2D()->GetTechRequirementCount(), 3);
    (void)removed;
}

TEST_F(Requirements, TheTypeTreeNamesPathsAndCopiesCompare) {
    TechRequirementTypesDb& types = TechRequirementTypesDb::Instance(&document);
    const auto surfaces = Id(L"2D5C0A10-0001-4000-8000-00000000A002");
    EXPECT_EQ(types.GetFullName(surfaces, L"\\"), CString(L"General\\Surfaces"));
    EXPECT_EQ(types.GetName(types.GetMainTypeParent(surfaces)), CString(L"General"));
    EXPECT_EQ(types.GetAllSorted(false).size(), 3u);
    EXPECT_EQ(types.GetAllSorted(false)[1], surfaces) << "depth first";
    EXPECT_EQ(types.GetAllSorted(true).size(), 2u);
    TechRequirementTypesDb copy = types;
    EXPECT_TRUE(copy == types);
    EXPECT_TRUE(copy.Add({Id(L"2D5C0A10-0001-4000-8000-00000000A004"), L"Paint", surfaces}));
    EXPECT_FALSE(copy == types);
    EXPECT_FALSE(copy.Add({Id(L"2D5C0A10-0001-4000-8000-00000000A005"), L"Orphan", Id(L"2D5C0A10-0001-4000-8000-00000000B000")}));
    EXPECT_EQ(types.GetFullName(Korvo::UniqueIdentifier(), L"\\"), CString());
}

TEST_F(Requirements, TheClipboardCarriesTextsUndoStepsAreKeptAndTheEditorsAreRefused) {
    ASSERT_TRUE(manager.CopyToClipboard(nullptr, {At(2), At(5)}));
    EXPECT_TRUE(TechRequirementManager::CanCreateRichDocumentFromClipboard());
    ASSERT_TRUE(manager.PasteFromClipboard(nullptr, pages[1]));
    const auto all = manager.GetSorted(std::nullopt, true);
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(Properties(all[4]).GetText(true), CString(L"Deburr"));
    EXPECT_EQ(Properties(all[5]).GetText(true), CString(L"Paint then dry"));
    EXPECT_TRUE(Properties(all[5]).IsOnPage(pages[1]));
    EXPECT_EQ(Properties(all[5]).GetSourceType(), 0) << "a pasted copy is the document's own";
    // A paste is no editor's undo block: the service makes its own step and marks the document.
    ASSERT_EQ(document.Cont2D()->TechRequirements().UndoSteps().size(), 1u);
    EXPECT_TRUE(document.IsModified());
    document.SetModifiedFlag(FALSE);

    {
        UndoBlock kept(&document, TechRequirement::GetUndoName(1));
        kept.RegForChange(all[5]);
        Properties(all[5]).SetSuppressed(true, -1);
    }
    {
        UndoBlock cancelled(&document, TechRequirement::GetUndoName(4));
        cancelled.Cancel();
    }
    {
        // A step that changed nothing is dropped.
        UndoBlock empty(&document, TechRequirement::GetUndoName(3));
    }
    ASSERT_EQ(document.Cont2D()->TechRequirements().UndoSteps().size(), 2u) << "the block's step alone: nothing inside it made another";
    EXPECT_EQ(document.Cont2D()->TechRequirements().UndoSteps()[1], TechRequirement::GetUndoName(1));
    EXPECT_TRUE(document.IsModified());

    manager.AddToVarnelWorkItem(At(2));
    EXPECT_EQ(Properties(At(2)).GetSourceType(), 0) << "no PDM entry without the PDM system";
    KVPDMWorkMix::SetActive(true);
    manager.AddToVarnelWorkItem(At(2));
    EXPECT_EQ(Properties(At(2)).GetSourceType(), 1);
    manager.DeleteInVarnel(At(2), true);
    EXPECT_EQ(Properties(At(2)).GetSourceType(), 0);
    KVPDMWorkMix::SetActive(false);

    platform::core::takeFailures();
    Rich::Document text;
    EXPECT_FALSE(TechRequirementEditor::EditText(nullptr, text));
    EXPECT_FALSE(manager.ImportStandardReqsFromVarnel({})) << "nothing chosen, nothing made";
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"requirement"), std::wstring::npos) << "no one answered the editor";
}

TEST_F(Requirements, EditedTypesKeepTheirTreeAndFlagsThroughTheModelStream) {
    TechRequirementTypesDb& types = document.Cont2D()->TechRequirements().Types();
    const auto general = Id(L"2D5C0A10-0001-4000-8000-00000000A001");
    const auto tolerances = Id(L"2D5C0A10-0001-4000-8000-00000000A003");
    EXPECT_EQ(types.AddChild(Id(L"2D5C0A10-0001-4000-8000-00000000A0FF"), L"Orphan"), Korvo::UniqueIdentifier()) << "unknown parent";
    const auto inner = types.AddChild(general, L"Inner", Id(L"2D5C0A10-0001-4000-8000-00000000A002"));
    EXPECT_FALSE(types.CanMove(tolerances, false));
    // Tolerances goes before General, whose children must still follow it in the stream.
    ASSERT_TRUE(types.Move(tolerances, true));
    types.SetShowHeader(general, false);
    types.SetResetNumeration(inner, true);

    CKvw32Doc copy;
    std::wstring problem;
    ASSERT_TRUE(ReadModelStream(WriteModelStream(document), L"b.grb", copy, problem)) << problem;
    const TechRequirementTypesDb& read = copy.Cont2D()->TechRequirements().Types();
    std::vector<std::wstring> names;
    for (const auto& id : read.GetAllSorted(false)) names.emplace_back(read.GetFullName(id, L"\\").view());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Tolerances", L"General", L"General\\Surfaces", L"General\\Inner"}));
    EXPECT_FALSE(read.GetShowHeader(general));
    EXPECT_TRUE(read.GetShowHeader(tolerances));
    EXPECT_TRUE(read.GetResetNumeration(inner));

    int count = 0;
    EXPECT_TRUE(types.Remove(general, count));
    EXPECT_EQ(count, 3) << "the type with both children";
    EXPECT_FALSE(types.Remove(general, count));
    EXPECT_EQ(types.GetCount(), 1);
}

}  // namespace
