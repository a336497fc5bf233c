// Drags between the documents menu's rows as the user ends them: libraries and groups dropped on
// group rows, files dropped on library rows, and the blocks the drags carry, byte for byte.
#include "tests/documentsmenu/structure_test_support.h"

#include <cstring>

#include "documentsmenu/drag_formats.h"
#include "documentsmenu/file_drag_source.h"
#include "documentsmenu/library_drag_drop.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

std::vector<std::byte> bytes(std::initializer_list<int> values) {
    std::vector<std::byte> out;
    for (int value : values) out.push_back(static_cast<std::byte>(value));
    return out;
}

TEST(DragFormats, AnIdentifierListTrustsItsSizeOverItsCount) {
    const GUID id{0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16}};
    const std::vector<std::byte> block = MakeIdentifierList({id});
    EXPECT_EQ(block, bytes({1, 0, 0, 0, 0, 0, 0, 0, 4, 3, 2, 1, 6, 5, 8, 7, 9, 10, 11, 12, 13, 14, 15, 16}));
    ASSERT_EQ(ReadIdentifierList(block.data(), block.size()), std::vector<GUID>{id});

    // Another program's block claiming five identifiers but holding one (and a stray byte).
    std::vector<std::byte> claimed = block;
    claimed[0] = std::byte{5};
    claimed.push_back(std::byte{0xFF});
    EXPECT_EQ(ReadIdentifierList(claimed.data(), claimed.size()), std::vector<GUID>{id});
    EXPECT_EQ(ReadIdentifierList(claimed.data(), 7), std::nullopt);
    const std::vector<std::byte> none = MakeIdentifierList({});
    EXPECT_EQ(none.size(), 8u);
    EXPECT_EQ(ReadIdentifierList(none.data(), none.size()), std::vector<GUID>{});
}

TEST(DragFormats, ADropFilesBlockIsWideWithTwoClosingNulsAndReadsBack) {
    const std::vector<std::byte> block = MakeDropFiles({CString(L"C:\\a.grb"), CString(L"C:\\Ж.grb")});
    const std::size_t characters = 9 + 9 + 1;  // both paths with their NULs, and the closing NUL
    ASSERT_EQ(block.size(), 20 + characters * 2);
    EXPECT_EQ(std::vector<std::byte>(block.begin(), block.begin() + 20),
              bytes({20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(block[20 + 2 * 12], std::byte{0x16});  // "Ж" as one UTF-16 unit, 0x0416
    EXPECT_EQ(block[20 + 2 * 12 + 1], std::byte{0x04});
    EXPECT_EQ(std::vector<std::byte>(block.end() - 4, block.end()), bytes({0, 0, 0, 0}));

    // What the shell's reader makes of it.
    HGLOBAL memory = MakeGlobalBlock(block);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(DragQueryFileW(memory, 0xFFFFFFFFu, nullptr, 0), 2u);
    wchar_t path[32] = {};
    DragQueryFileW(memory, 1, path, 32);
    EXPECT_STREQ(path, L"C:\\Ж.grb");
    GlobalFree(memory);
}

class DragAndDropTest : public StructureTest {
protected:
    ILibrariesGroup* bolts = model.addGroup(standard, L"Bolts");
    ILibrariesGroup* metric = model.addGroup(bolts, L"Metric");
    ILibrary* m6 = model.addLibrary(standard, L"M6", L"M6");

    // The drag that starts next ends on the row showing `caption`.
    void dropOnRow(const std::wstring& caption, bool control) {
        const int index = row(caption);
        ASSERT_GE(index, 0);
        const int top = tree->IsHeaderVisible() ? CXTPReportControl::kRowHeight : 0;
        session.user().expectDragChoose(tree->GetSafeHwnd(), POINT{5, top + index * CXTPReportControl::kRowHeight + 5},
                                        control, caption);
    }
};

TEST_F(DragAndDropTest, ALibraryOrGroupDroppedOnAGroupRowIsCopiedAndNoGroupGoesBelowItself) {
    open();
    expand(L"Standard");
    dropOnRow(L"Bolts", false);
    LibraryDragDrop::DoDragLibrary(m6);
    idle();
    ASSERT_EQ(bolts->GetLibraryCount(), 1);
    EXPECT_NE(bolts->GetLibraryAt(0), m6);  // a copy
    EXPECT_EQ(bolts->GetLibraryAt(0)->GetDisplayName(), CString(L"M6"));
    EXPECT_EQ(m6->GetParent(), standard);

    // A group copied is a new, empty group of the same name.
    dropOnRow(L"Bolts", false);
    LibraryDragDrop::DoDragLibrariesGroup(metric);
    ASSERT_EQ(bolts->GetGroupCount(), 2);
    EXPECT_EQ(bolts->GetGroupAt(1)->GetDisplayName(), CString(L"Metric"));
    EXPECT_EQ(bolts->GetGroupAt(1)->GetGroupCount(), 0);

    // Moved with Ctrl onto its own row or below itself, the group stays where it is.
    dropOnRow(L"Bolts", true);
    LibraryDragDrop::DoDragLibrariesGroup(bolts);
    EXPECT_EQ(bolts->GetParent(), standard);
    EXPECT_EQ(bolts->GetGroupCount(), 2);
    EXPECT_TRUE(session.takeFailures().empty());
}

TEST_F(DragAndDropTest, AGroupMovedWithCtrlLeavesItsGroupForTheOneItWasDroppedOn) {
    IConfiguration* other = model.addConfiguration(kLibraries + L"Other.tws", L"Other");
    open();
    expand(L"Standard");
    expand(L"Bolts");
    dropOnRow(L"Other", true);
    LibraryDragDrop::DoDragLibrariesGroup(metric);
    idle();
    EXPECT_EQ(metric->GetParent(), static_cast<ILibrariesGroup*>(other));
    EXPECT_EQ(bolts->GetGroupCount(), 0);
    ASSERT_EQ(other->GetGroupCount(), 1);
    // Both configurations' rows follow: Metric has left Bolts and shows below Other.
    expand(L"Other");
    EXPECT_EQ(rows().find(L"Metric"), rows().rfind(L"Metric"));
    EXPECT_GT(row(L"Metric"), row(L"Other"));
    EXPECT_TRUE(session.takeFailures().empty());
}

// The drop's answer is what the drag's source learns: true only when the group took everything.
TEST_F(DragAndDropTest, ADropTheGroupRefusesAnswersFalseAndOneItTakesTrue) {
    const auto drop = [](ILibrariesGroup* target, CLIPFORMAT format, const GUID& id, DROPEFFECT effect) {
        IDataObject* data = platform::mfc::makeDataObject({{format, MakeIdentifierList({id})}});
        COleDataObject object;
        object.Attach(data, FALSE);
        const bool answer = LibraryDragDrop::OnDropOnRecord(target, &object, effect);
        data->Release();
        return answer;
    };
    EXPECT_FALSE(drop(metric, LibrariesGroupFormat(), bolts->GetId(), DROPEFFECT_MOVE)) << "below itself";
    EXPECT_FALSE(drop(bolts, LibrariesGroupFormat(), bolts->GetId(), DROPEFFECT_MOVE)) << "onto itself";
    EXPECT_FALSE(drop(bolts, LibrariesGroupFormat(), metric->GetId(), DROPEFFECT_MOVE)) << "where it is already";
    EXPECT_FALSE(drop(standard, LibraryFormat(), m6->GetId(), DROPEFFECT_MOVE)) << "a library where it is already";
    EXPECT_EQ(bolts->GetParent(), standard);
    EXPECT_EQ(metric->GetParent(), bolts);
    EXPECT_TRUE(drop(standard, LibrariesGroupFormat(), metric->GetId(), DROPEFFECT_MOVE));
    EXPECT_EQ(metric->GetParent(), standard);
    EXPECT_TRUE(drop(bolts, LibraryFormat(), m6->GetId(), DROPEFFECT_MOVE));
    EXPECT_EQ(m6->GetParent(), bolts);
    EXPECT_TRUE(drop(bolts, LibrariesGroupFormat(), metric->GetId(), DROPEFFECT_COPY));
    EXPECT_EQ(metric->GetParent(), standard) << "a copy leaves the group where it is";
}

TEST_F(DragAndDropTest, FilesDroppedOnALibraryRowCopyOnlyDocumentsAndAFailedCopyIsNoSuccess) {
    const std::wstring outside = L"C:\\Users\\user\\Outside\\";
    ASSERT_EQ(platform::files::createDirectories(outside), 0u);
    ASSERT_EQ(platform::files::createDirectories(kLibraries + L"M6"), 0u);
    writeFile(outside + L"a.grb");
    writeFile(outside + L"notes.txt");
    writeFile(outside + L"B.GRB");
    open();
    expand(L"Standard");
    dropOnRow(L"M6", false);
    EXPECT_TRUE(FileDragSource::Instance().DragFiles(
        {CString((outside + L"a.grb").c_str()), CString((outside + L"notes.txt").c_str()),
         CString((outside + L"B.GRB").c_str())},
        DROPEFFECT_COPY));
    idle();
    const std::wstring folder = kLibraries + L"M6\\";
    EXPECT_NE(GetFileAttributesW((folder + L"a.grb").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((folder + L"B.GRB").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((folder + L"notes.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((outside + L"a.grb").c_str()), INVALID_FILE_ATTRIBUTES);  // copied, not moved
    // Offered as a move, the documents leave where they were.
    writeFile(outside + L"c.grb");
    dropOnRow(L"M6", false);
    EXPECT_TRUE(FileDragSource::Instance().DragFiles({CString((outside + L"c.grb").c_str())}, DROPEFFECT_MOVE));
    idle();
    EXPECT_NE(GetFileAttributesW((folder + L"c.grb").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((outside + L"c.grb").c_str()), INVALID_FILE_ATTRIBUTES);

    // Only files that are no documents: the shell is handed nothing and the drop fails.
    COleDataObject data;
    data.Attach(platform::mfc::makeDataObject(
        {{CF_HDROP, MakeDropFiles({CString((outside + L"notes.txt").c_str())})}}));
    EXPECT_FALSE(record(L"M6")->OnDrop(&data, DROPEFFECT_COPY));
    // The same document again: the shell refuses to copy over it (its box told) and so does the drop.
    session.user().expectBox(L"Cannot copy a.grb*", platform::harness::Button::Ok);
    COleDataObject again;
    again.Attach(platform::mfc::makeDataObject({{CF_HDROP, MakeDropFiles({CString((outside + L"a.grb").c_str())})}}));
    EXPECT_FALSE(record(L"M6")->OnDrop(&again, DROPEFFECT_COPY));
    EXPECT_TRUE(session.takeFailures().empty());
}

TEST_F(DragAndDropTest, ADragNobodyAnswersIsCancelledAsAFailure) {
    // A selection with a row that is no document's drags nothing at all.
    writeFile(kLibraries + L"M6\\a.grb");
    open();
    expand(L"Standard");
    expand(L"M6");
    Record* document = record(L"a.grb");
    ASSERT_NE(document, nullptr);
    document->BeginDragSelection({document, record(L"M6")});
    EXPECT_TRUE(session.takeFailures().empty());

    LibraryDragDrop::DoDragLibrary(m6);
    const std::vector<std::wstring> failures = session.takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures.front().find(L"unexpected drag \"Library\""), std::wstring::npos);
}

}  // namespace
}  // namespace documentsmenutest
