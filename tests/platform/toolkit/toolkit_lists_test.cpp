// Shortcut texts and their saved form, the pinned recent-file list, tooltips, and the report
// control's records at their edges (deleting what is selected or edited, moving records,
// deferred rebuilding).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/harness.h"
#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::app;
using mfctest::MfcTest;

// ---- Shortcuts ------------------------------------------------------------------------------

TEST(ToolkitShortcuts, TextsNameModifiersInAFixedOrderAndEveryKeyHasAName) {
    CXTPShortcutManager shortcuts;
    shortcuts.AddShortcut({FVIRTKEY | FSHIFT | FALT | FCONTROL, 'S', 100});
    shortcuts.AddShortcut({FVIRTKEY, 0x70, 101});          // F1
    shortcuts.AddShortcut({FVIRTKEY | FALT, 0x87, 102});   // F24
    shortcuts.AddShortcut({FVIRTKEY, 0x2E, 103});          // a key without a built-in name
    shortcuts.AddShortcut({FVIRTKEY | FCONTROL, '7', 104});
    shortcuts.AddShortcut({FVIRTKEY, 'Q', 104});           // a second shortcut of the command
    EXPECT_EQ(shortcuts.FindShortcutText(100), CString(L"Ctrl+Alt+Shift+S"));
    EXPECT_EQ(shortcuts.FindShortcutText(101), CString(L"F1"));
    EXPECT_EQ(shortcuts.FindShortcutText(102), CString(L"Alt+F24"));
    EXPECT_EQ(shortcuts.FindShortcutText(103), CString(L"#46"));
    EXPECT_EQ(shortcuts.FindShortcutText(104), CString(L"Ctrl+7")) << "the first entry of a command is shown";
    EXPECT_EQ(shortcuts.FindShortcutText(105), CString());
    shortcuts.SetKeyNameText(0x2E, L"Del");
    shortcuts.SetKeyNameText(18, L"Option");
    EXPECT_EQ(shortcuts.FindShortcutText(103), CString(L"Del"));
    EXPECT_EQ(shortcuts.FindShortcutText(102), CString(L"Option+F24"));

    const ACCEL plain{FVIRTKEY, 'A', 1}, control{FVIRTKEY | FCONTROL, 'A', 1}, shiftAlt{FVIRTKEY | FSHIFT | FALT, 'A', 1};
    using Helper = CXTPShortcutManager::CKeyHelper;
    EXPECT_LT(Helper(&plain, &shortcuts).Priority(), Helper(&control, &shortcuts).Priority());
    EXPECT_LT(Helper(&control, &shortcuts).Priority(), Helper(&shiftAlt, &shortcuts).Priority());
    EXPECT_EQ(Helper(nullptr, &shortcuts).Format(), CString());
    EXPECT_EQ(Helper(&plain, nullptr).Format(), CString());

    shortcuts.SetAccelerators(128u);
    EXPECT_TRUE(shortcuts.GetAccelerators().empty()) << "a new table replaces the entries";
    EXPECT_EQ(shortcuts.GetAcceleratorsId(), 128u);
}

TEST(ToolkitShortcuts, SavedEntriesReplaceTheLoadedOnesAndAnEmptySectionEmptiesThem) {
    CXTPShortcutManager shortcuts;
    shortcuts.AddShortcut({FVIRTKEY | FCONTROL, 'N', 57600});
    shortcuts.AddShortcut({FVIRTKEY | FSHIFT, 0x71, 57601});
    CXTPPropExchangeXMLNode saved(FALSE, L"Shortcuts");
    shortcuts.DoPropExchange(&saved);

    CXTPShortcutManager restored;
    restored.AddShortcut({FVIRTKEY, 'X', 1});
    CXTPPropExchangeXMLNode loaded(TRUE, L"Shortcuts");
    ASSERT_TRUE(loaded.LoadFromString(saved.SaveToString().view(), L"shortcuts"));
    restored.DoPropExchange(&loaded);
    ASSERT_EQ(restored.GetAccelerators().size(), 2u);
    EXPECT_EQ(restored.FindShortcutText(57601), CString(L"Shift+F2"));
    EXPECT_EQ(restored.FindShortcutText(1), CString());

    CXTPPropExchangeXMLNode empty(FALSE, L"Shortcuts");
    CXTPPropExchangeXMLNode emptyLoaded(TRUE, L"Shortcuts");
    ASSERT_TRUE(emptyLoaded.LoadFromString(empty.SaveToString().view(), L"shortcuts"));
    restored.DoPropExchange(&emptyLoaded);
    EXPECT_TRUE(restored.GetAccelerators().empty());
}

// ---- Recent files -----------------------------------------------------------------------------

class PinWatch : public CXTPRecentFileList {
public:
    using CXTPRecentFileList::CXTPRecentFileList;
    std::vector<int> changed;
    void OnPinStateChanged(int index) override { changed.push_back(index); }
};

class ToolkitRecentFiles : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        app().SetRegistryKey(L"Velmora");
    }
    void TearDown() override {
        std::free(const_cast<wchar_t*>(app().m_pszRegistryKey));
        app().m_pszRegistryKey = nullptr;
        MfcTest::TearDown();
    }
    static std::vector<std::wstring> names(CXTPRecentFileList& list) {
        std::vector<std::wstring> all;
        for (int i = 0; i < list.GetSize(); ++i) all.emplace_back(list[i]);
        return all;
    }
};

TEST_F(ToolkitRecentFiles, PinnedEntriesKeepTheirPlacesWhileOthersMoveAndFallOff) {
    PinWatch list(0, L"Toolkit Recent", L"File%d", 3);
    list.Add(L"C:\\a.grb");
    list.Add(L"C:\\b.grb");
    list.Add(L"C:\\c.grb");
    EXPECT_EQ(names(list), (std::vector<std::wstring>{L"C:\\c.grb", L"C:\\b.grb", L"C:\\a.grb"}));
    list.SetPinned(1, TRUE);  // b
    list.Add(L"C:\\d.grb");
    EXPECT_EQ(names(list), (std::vector<std::wstring>{L"C:\\d.grb", L"C:\\b.grb", L"C:\\c.grb"}))
        << "the pinned entry stays in the middle; the oldest unpinned one fell off";
    list.Add(L"c:\\B.GRB");
    EXPECT_EQ(list[1], L"C:\\b.grb") << "adding a pinned file again moves nothing";
    list.Add(L"C:\\c.grb");
    EXPECT_EQ(names(list), (std::vector<std::wstring>{L"C:\\c.grb", L"C:\\b.grb", L"C:\\d.grb"}));

    // With every entry pinned a new file has no place, and none of the pinned ones is lost.
    list.SetPinned(0, TRUE);
    list.SetPinned(2, TRUE);
    list.Add(L"C:\\e.grb");
    EXPECT_EQ(names(list), (std::vector<std::wstring>{L"C:\\c.grb", L"C:\\b.grb", L"C:\\d.grb"}));
    EXPECT_EQ(list.changed, (std::vector<int>{1, 0, 2}));

    // Out of range, or an empty slot: no pin and no notification.
    PinWatch sparse(0, L"Toolkit Recent", L"File%d", 3);
    sparse.Add(L"C:\\only.grb");
    sparse.SetPinned(2, TRUE);
    sparse.SetPinned(-1, TRUE);
    sparse.SetPinned(3, TRUE);
    EXPECT_FALSE(sparse.IsPinned(2));
    EXPECT_FALSE(sparse.IsPinned(3));
    EXPECT_TRUE(sparse.changed.empty());
    sparse.Add(L"");
    sparse.Add(nullptr);
    EXPECT_EQ(sparse[1], L"");
}

TEST_F(ToolkitRecentFiles, RemovingAnEntryMovesThePinsWithTheEntriesAndThePinsRoundTripThroughTheRegistry) {
    CXTPRecentFileList list(0, L"Toolkit Recent", L"File%d", 4);
    for (const wchar_t* path : {L"C:\\d.grb", L"C:\\c.grb", L"C:\\b.grb", L"C:\\a.grb"}) list.Add(path);
    list.SetPinned(1, TRUE);  // b
    list.SetPinned(3, TRUE);  // d
    list.Remove(0);
    EXPECT_EQ(list[0], L"C:\\b.grb");
    EXPECT_TRUE(list.IsPinned(0));
    EXPECT_FALSE(list.IsPinned(1));
    EXPECT_TRUE(list.IsPinned(2));
    EXPECT_FALSE(list.IsPinned(3)) << "the freed slot at the end is not pinned";
    list.Remove(4);
    list.Remove(-1);
    EXPECT_EQ(list[2], L"C:\\d.grb");
    list.WriteList();

    CXTPRecentFileList read(0, L"Toolkit Recent", L"File%d", 4);
    read.ReadList();
    EXPECT_EQ(read[0], L"C:\\b.grb");
    EXPECT_TRUE(read.IsPinned(0));
    EXPECT_FALSE(read.IsPinned(1));
    EXPECT_TRUE(read.IsPinned(2));

    // Unpinning is saved too: the next reading does not pin the entry again.
    read.SetPinned(0, FALSE);
    read.WriteList();
    CXTPRecentFileList again(0, L"Toolkit Recent", L"File%d", 4);
    again.ReadList();
    EXPECT_FALSE(again.IsPinned(0));
    EXPECT_TRUE(again.IsPinned(2));
}

// ---- Tooltips -----------------------------------------------------------------------------------

class TipOwner : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        owner_ = new CFrameWnd;
        ASSERT_TRUE(owner_->Create(nullptr, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    }
    void TearDown() override {
        context_.reset();
        owner_->DestroyWindow();
        MfcTest::TearDown();
    }
    CFrameWnd* owner_ = nullptr;
    std::unique_ptr<CXTPToolTipContext> context_ = std::make_unique<CXTPToolTipContext>();
};

TEST_F(TipOwner, TipsShowTheCaptionAsTitleOnlyWithADescriptionAndOneWindowServesEveryTip) {
    CXTPControlButton line;
    line.SetID(801);
    line.SetCaption(L"Line");
    ASSERT_TRUE(context_->ShowToolTip(line, owner_, POINT{10, 10}));
    CXTPToolTipContextToolTip* tip = context_->GetToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetCurrentTool().title, CString());
    EXPECT_EQ(tip->GetCurrentTool().text, CString(L"Line"));
    EXPECT_EQ(context_->GetShownToolId(), 801);

    line.SetTooltip(L"Draws a line");
    context_->ShowToolTip(line, owner_, POINT{10, 10});
    EXPECT_EQ(tip->GetCurrentTool().title, CString()) << "no title until titles are shown";
    context_->ShowTitleAndDescription();
    CXTPControlButton circle;
    circle.SetID(802);
    circle.SetCaption(L"Circle");
    circle.SetTooltip(L"Draws a circle");
    context_->ShowToolTip(circle, owner_, POINT{10, 10});
    EXPECT_EQ(context_->GetToolTip(), tip) << "the window is made once";
    EXPECT_EQ(tip->GetCurrentTool().title, CString(L"Circle"));
    EXPECT_EQ(tip->GetCurrentTool().text, CString(L"Draws a circle"));
    EXPECT_EQ(context_->GetShownToolId(), 802);
    bool drewTitle = false;
    for (const auto& operation : tip->GetDrawing().Operations())
        drewTitle = drewTitle || (operation.kind == L"text" && operation.bold && operation.text == L"Circle");
    EXPECT_TRUE(drewTitle);

    context_->CancelToolTips();
    EXPECT_EQ(context_->GetShownToolId(), -1);
    EXPECT_FALSE(tip->IsWindowVisible());
    context_->CancelToolTips();
    EXPECT_EQ(context_->GetCancelCount(), 2);
}

TEST_F(TipOwner, ATipWindowThatCannotBeMadeIsAFailureNotASilentTip) {
    class NoWindow : public CXTPToolTipContext {
    protected:
        CXTPToolTipContextToolTip* CreateToolTip(CWnd*) override { return nullptr; }
    };
    NoWindow context;
    CXTPControlButton button;
    button.SetCaption(L"Save");
    EXPECT_FALSE(context.ShowToolTip(button, owner_, POINT{}));
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    EXPECT_EQ(context.GetShownToolId(), -1);
    context.CancelToolTips();  // nothing shown: nothing to hide
}

TEST(ToolkitTipText, WrappingBreaksAtBlanksAndKeepsLongWordsWhole) {
    using Drawing = CXTPToolTipDrawing;
    EXPECT_EQ(Drawing::Measure(L"", false).cx, 0);
    EXPECT_EQ(Drawing::Measure(L"", false).cy, 0);
    EXPECT_EQ(Drawing::Measure(L"abc", true).cx, 3 * Drawing::kBoldCharWidth);
    const SIZE lines = Drawing::Measure(L"ab\nabcd\n", false);
    EXPECT_EQ(lines.cx, 4 * Drawing::kCharWidth);
    EXPECT_EQ(lines.cy, 3 * Drawing::kLineHeight) << "a trailing line break starts an empty line";
    const SIZE wrapped = Drawing::Measure(L"aa bb cc", false, 5 * Drawing::kCharWidth);
    EXPECT_EQ(wrapped.cy, 2 * Drawing::kLineHeight);
    EXPECT_EQ(wrapped.cx, 5 * Drawing::kCharWidth);
    const SIZE longWord = Drawing::Measure(L"a abcdefghij b", false, 3 * Drawing::kCharWidth);
    EXPECT_EQ(longWord.cx, 10 * Drawing::kCharWidth) << "a word wider than the wrap stays whole";
    EXPECT_EQ(longWord.cy, 3 * Drawing::kLineHeight);
}

// ---- Report control ------------------------------------------------------------------------------

class ReportEdges : public ::testing::Test {
protected:
    ReportEdges() {
        EXPECT_TRUE(created);
        control.AddColumn(new CXTPReportColumn(0, L"Name", 100))->SetTreeColumn(TRUE);
        control.AddColumn(new CXTPReportColumn(1, L"Size", 60));
    }
    static CXTPReportRecord* record(const wchar_t* name, const wchar_t* size = nullptr) {
        auto* made = new CXTPReportRecord;
        made->AddItem(new CXTPReportRecordItem(name));
        if (size) made->AddItem(new CXTPReportRecordItem(size));
        return made;
    }
    platform::harness::Session session;
    CXTPReportControl control;
    bool created = control.Create(WS_POPUP, RECT{0, 0, 300, 200}, nullptr, 0) != FALSE;
    platform::harness::ReportDriver report{control.GetSafeHwnd()};
};

TEST_F(ReportEdges, DeletingAParentForgetsTheSelectionAndTheEditOfItsChildren) {
    CXTPReportRecord* folder = control.AddRecord(record(L"folder"));
    CXTPReportRecord* child = folder->GetChilds()->Add(record(L"child"));
    child->GetChilds()->Add(record(L"grandchild"));
    child->SetExpanded(TRUE);
    folder->SetExpanded(TRUE);
    control.AddRecord(record(L"other"));
    control.Populate();
    ASSERT_EQ(report.rowCount(), 4);
    report.select(report.find(L"grandchild"), false);
    XTP_REPORTRECORDITEM_ARGS args;
    args.pRow = control.GetRows()->GetAt(report.find(L"child"));
    args.pItem = child->GetItem(0);
    control.EditItem(&args);
    ASSERT_TRUE(control.GetInplaceEdit()->IsWindowVisible());

    folder->Delete();
    EXPECT_FALSE(control.GetInplaceEdit()->IsWindowVisible()) << "the edited item went with its parent";
    EXPECT_FALSE(control.EndEdit(L"late"));
    control.Populate();
    EXPECT_EQ(report.dump(), L"  other | \n");
    EXPECT_TRUE(control.GetSelectedRows().empty());
    control.AddRecord(record(L"new"));
    control.Populate();
    EXPECT_TRUE(control.GetSelectedRows().empty()) << "no forgotten record comes back as selected";
}

TEST_F(ReportEdges, RecordsMoveBetweenCollectionsWithoutBeingDeletedAndIndexesOutsideAreIgnored) {
    CXTPReportRecord* a = control.AddRecord(record(L"a"));
    CXTPReportRecord* b = control.AddRecord(record(L"b"));
    CXTPReportRecords* top = control.GetRecords();
    top->RemoveAt(5);
    top->RemoveAt(-1);
    top->InsertAt(1, nullptr);
    EXPECT_EQ(top->GetCount(), 2);
    EXPECT_EQ(top->GetAt(2), nullptr);

    b->GetChilds()->InsertAt(-3, a);  // clamped to the front of b's children
    EXPECT_EQ(top->GetCount(), 1);
    EXPECT_EQ(a->GetParentRecord(), b);
    EXPECT_EQ(a->GetIndex(), 0);
    EXPECT_EQ(a->GetControl(), &control);
    top->InsertAt(99, a);  // back to the end of the top records
    EXPECT_EQ(a->GetIndex(), 1);
    EXPECT_FALSE(b->HasChildren());
    top->InsertAt(0, a);  // within its own collection
    EXPECT_EQ(top->GetCount(), 2);
    EXPECT_EQ(top->GetAt(0), a);
    EXPECT_EQ(a->GetItem(0)->GetIndex(), 0);
    EXPECT_EQ(a->GetItem(5), nullptr);

    // A record outside every collection deletes itself.
    CXTPReportRecord* loose = record(L"loose");
    EXPECT_EQ(loose->GetIndex(), -1);
    EXPECT_EQ(loose->GetControl(), nullptr);
    loose->Delete();
}

TEST_F(ReportEdges, RebuildingWaitsForTheLastUpdateAndSortingSurvivesMissingItems) {
    control.BeginUpdate();
    control.BeginUpdate();
    control.AddRecord(record(L"b", L"1"));
    control.AddRecord(record(L"a"));  // no size item
    control.AddRecord(record(L"c", L"3"));
    control.Populate();
    control.EndUpdate();
    EXPECT_EQ(control.GetPopulateCount(), 0);
    control.EndUpdate();
    EXPECT_EQ(control.GetPopulateCount(), 1);
    control.EndUpdate();  // unbalanced: nothing more
    EXPECT_EQ(control.GetPopulateCount(), 1);

    report.clickHeader(1);
    EXPECT_EQ(report.dump(), L"  a | \n  b | 1\n  c | 3\n") << "a missing item sorts as an empty caption";
    report.clickHeader(1);
    EXPECT_EQ(report.dump(), L"  c | 3\n  b | 1\n  a | \n") << "a second click sorts the other way";
    report.clickHeader(0);
    EXPECT_TRUE(control.GetColumns()->Find(0)->IsSortedIncreasing());
    EXPECT_EQ(report.dump(), L"  a | \n  b | 1\n  c | 3\n");

    CXTPReportColumn* fixed = control.AddColumn(new CXTPReportColumn(2, L"Fixed", 40, TRUE, -1, FALSE));
    const int before = control.GetPopulateCount();
    control.ClickHeader(fixed);
    control.ClickHeader(nullptr);
    EXPECT_EQ(control.GetPopulateCount(), before) << "a column that cannot sort does not rebuild";
}

TEST_F(ReportEdges, RowsInsertedForNewRecordsSortInAsARebuildWouldPlaceThem) {
    CXTPReportRecord* folder = control.AddRecord(record(L"folder"));
    control.AddRecord(record(L"zeta"));
    for (const wchar_t* name : {L"d", L"b"}) folder->GetChilds()->Add(record(name));
    CXTPReportRecord* open = folder->GetChilds()->Add(record(L"c"));
    open->GetChilds()->Add(record(L"c1"));
    open->SetExpanded(TRUE);
    folder->SetExpanded(TRUE);
    control.GetColumns()->SetSortColumn(control.GetColumns()->Find(0), TRUE);
    control.Populate();
    control.SelectRow(control.GetRows()->Find(open), FALSE);
    CXTPReportRow* focused = control.GetFocusedRow();

    // Equal names go after the shown one, hidden records get no row, a child's own children come
    // along, and the rest stays as it was: no rebuild, the same focused row.
    CXTPReportRecords* children = folder->GetChilds();
    const int first = children->GetCount();
    for (const wchar_t* name : {L"e", L"a", L"c"}) children->Add(record(name, name));
    children->Add(record(L"hidden"))->SetVisible(FALSE);
    CXTPReportRecord* expanded = children->Add(record(L"bb"));
    expanded->GetChilds()->Add(record(L"bb1"));
    expanded->SetExpanded(TRUE);
    const int populated = control.GetPopulateCount();
    control.InsertRecordRows(children, first);
    EXPECT_EQ(control.GetPopulateCount(), populated);
    EXPECT_EQ(control.GetFocusedRow(), focused);
    const std::wstring inserted = report.dump();
    control.Populate();
    EXPECT_EQ(inserted, report.dump());
    EXPECT_EQ(inserted, L"- folder | \n    a | a\n    b | \n  - bb | \n      bb1 | \n  - c | \n      c1 | \n    c | c\n"
                        L"    d | \n    e | e\n  zeta | \n");
    EXPECT_EQ(control.GetRows()->Find(open)->GetIndex(), 5);
    EXPECT_EQ(control.GetRows()->GetAt(10)->GetIndex(), 10);

    // Under a collapsed record nothing shows; after a deletion dropped the rows, they are rebuilt.
    folder->SetExpanded(FALSE);
    control.Populate();
    children->Add(record(L"f"));
    control.InsertRecordRows(children, children->GetCount() - 1);
    EXPECT_EQ(report.dump(), L"+ folder | \n  zeta | \n");
    control.GetRecords()->GetAt(1)->Delete();
    control.AddRecord(record(L"top"));
    control.InsertRecordRows(control.GetRecords(), 1);
    EXPECT_EQ(report.dump(), L"+ folder | \n  top | \n");
}

TEST_F(ReportEdges, BatchesSortedInAmongManyRowsMatchARebuildEitherWay) {
    // Batches of many names, repeats among them, land where a rebuild puts them, under a parent
    // and at the top, sorted up and down; rows already shown stay the same objects.
    CXTPReportRecord* folder = control.AddRecord(record(L"folder"));
    folder->SetExpanded(TRUE);
    for (const BOOL increasing : {TRUE, FALSE}) {
        control.GetColumns()->SetSortColumn(control.GetColumns()->Find(0), increasing);
        folder->GetChilds()->RemoveAll();
        control.Populate();
        unsigned seed = increasing ? 7u : 11u;
        for (int batch = 0; batch < 6; ++batch) {
            CXTPReportRecords* into = batch % 3 == 2 ? control.GetRecords() : folder->GetChilds();
            const int first = into->GetCount();
            for (int i = 0; i < 40; ++i) {
                seed = seed * 1103515245u + 12345u;
                into->Add(record(std::to_wstring(seed % 97).c_str(), std::to_wstring(batch).c_str()));
            }
            CXTPReportRow* kept = control.GetRows()->Find(folder);
            const int populated = control.GetPopulateCount();
            control.InsertRecordRows(into, first);
            EXPECT_EQ(control.GetPopulateCount(), populated);
            EXPECT_EQ(control.GetRows()->Find(folder), kept);
            const std::wstring inserted = report.dump();
            control.Populate();
            ASSERT_EQ(inserted, report.dump()) << "batch " << batch;
        }
    }
}

TEST_F(ReportEdges, TakenChildrenLeaveNoRowSelectionOrEditBehind) {
    CXTPReportRecord* folder = control.AddRecord(record(L"folder"));
    CXTPReportRecord* child = folder->GetChilds()->Add(record(L"child"));
    folder->SetExpanded(TRUE);
    control.Populate();
    control.SelectRow(control.GetRows()->Find(child), FALSE);
    XTP_REPORTRECORDITEM_ARGS args;
    args.pItem = child->GetItem(0);
    control.EditItem(&args);
    std::unique_ptr<CXTPReportRecords> taken = folder->TakeChilds();
    EXPECT_EQ(taken->GetCount(), 1);
    EXPECT_EQ(taken->GetControl(), nullptr);
    EXPECT_FALSE(folder->HasChildren());
    EXPECT_TRUE(control.GetSelectedRows().empty());
    EXPECT_FALSE(control.GetInplaceEdit()->IsWindowVisible());
    control.Populate();
    EXPECT_EQ(report.dump(), L"  folder | \n");
}

TEST_F(ReportEdges, SelectionChangesAreAnnouncedOnlyWhenTheSetChanges) {
    class Counting : public CXTPReportControl {
    public:
        int changes = 0;
        void OnSelectionChanged() override { ++changes; }
    };
    Counting counting;
    for (const wchar_t* name : {L"a", L"b", L"c"}) counting.AddRecord(record(name));
    counting.Populate();
    CXTPReportRows* rows = counting.GetRows();
    counting.SelectRow(rows->GetAt(0), FALSE);
    counting.SelectRow(rows->GetAt(0), FALSE);
    counting.SelectRow(rows->GetAt(2), TRUE);
    EXPECT_EQ(counting.changes, 2);
    rows->GetAt(0)->SetSelected(FALSE);
    EXPECT_EQ(counting.GetSelectedRows(), (std::vector<CXTPReportRow*>{rows->GetAt(2)}));
    const int afterDeselect = counting.changes;
    counting.ClickItem(rows->GetAt(2), nullptr);  // a click inside the selection keeps it
    EXPECT_EQ(counting.GetFocusedRow(), rows->GetAt(2));
    EXPECT_EQ(counting.changes, afterDeselect);
    counting.ClearSelection();
    counting.ClearSelection();
    EXPECT_EQ(counting.changes, afterDeselect + 1);
    counting.ClickItemControl(rows->GetAt(0), counting.GetColumns()->Find(0), 0);
    EXPECT_EQ(session.takeFailures().size(), 1u) << "a cell without that button";
    EXPECT_EQ(rows->Find(nullptr), nullptr);
}

}  // namespace
