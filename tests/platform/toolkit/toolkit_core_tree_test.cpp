// The tree control of owned items: what its window shows and when, where the focus goes, and the
// ticks a user changed in the window.
#include <gtest/gtest.h>

#include "platform/core/journal.h"
#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

class ToolkitCoreTree : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        window = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        tree.Attach(nullptr, 0);
        ::DestroyWindow(window);
        MfcTest::TearDown();
    }
    CXTPCoreTreeItem* Add(const wchar_t* caption, CXTPCoreTreeItem* parent = nullptr) {
        auto item = std::make_unique<CXTPCoreTreeItem>();
        item->SetCaption(caption);
        return tree.AddItem(std::move(item), parent);
    }
    long Fills() const {
        long count = 0;
        for (const auto& entry : platform::core::journal().entries("dialog"))
            if (entry.text.starts_with(L"tree 7: ")) ++count;
        return count;
    }
    HTREEITEM Row(UINT which, HTREEITEM from = nullptr) {
        return reinterpret_cast<HTREEITEM>(::SendMessageW(window, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
    }

    HWND window = nullptr;
    CXTPCoreTreeControl tree;
};

TEST_F(ToolkitCoreTree, ALockedFillReachesTheWindowOnceAndTheFocusOpensItsParents) {
    tree.Attach(window, 7);
    const long before = Fills();
    tree.BeginUpdate();
    tree.BeginUpdate();
    CXTPCoreTreeItem* home = Add(L"Home");
    CXTPCoreTreeItem* group = Add(L"Document", home);
    CXTPCoreTreeItem* save = Add(L"Save", group);
    group->ShowCheckbox(true);
    tree.EndUpdate();
    EXPECT_EQ(Fills(), before) << "the inner lock's end refills nothing";
    tree.EndUpdate();
    EXPECT_EQ(Fills(), before + 1);
    EXPECT_EQ(::SendMessageW(window, TVM_GETCOUNT, 0, 0), 3);

    tree.SetFocusedItem(save);
    EXPECT_TRUE(home->IsExpanded());
    EXPECT_TRUE(group->IsExpanded());
    EXPECT_EQ(tree.ItemFromHandle(Row(TVGN_CARET)), save);
    EXPECT_EQ(save->GetPath(), CString(L"Home|Document|Save"));
    EXPECT_EQ(platform::core::journal().entries("dialog").back().text, L"tree 7 focus \"Home|Document|Save\"");
    EXPECT_TRUE(home->IsAncestorOf(save));
    EXPECT_FALSE(save->IsAncestorOf(save));
    EXPECT_FALSE(save->IsAncestorOf(home));

    // A tick the user changed in the window reaches its item; an item without a box ignores it.
    const HTREEITEM groupRow = Row(TVGN_CHILD, Row(TVGN_ROOT));
    TVITEMW tick;
    tick.mask = TVIF_STATE;
    tick.hItem = groupRow;
    tick.stateMask = TVIS_STATEIMAGEMASK;
    tick.state = INDEXTOSTATEIMAGEMASK(2);
    ::SendMessageW(window, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tick));
    EXPECT_EQ(tree.SyncCheckFromWindow(groupRow), group);
    EXPECT_TRUE(group->IsChecked());
    EXPECT_EQ(tree.SyncCheckFromWindow(Row(TVGN_ROOT)), nullptr);
}

TEST_F(ToolkitCoreTree, EmptyingTheTreeDropsTheFocusAndForeignItemsAreNeverFocused) {
    tree.Attach(window, 7);
    CXTPCoreTreeItem* first = Add(L"First");
    tree.SetFocusedItem(first);
    CXTPCoreTreeItem foreign;
    tree.SetFocusedItem(&foreign);
    EXPECT_EQ(tree.GetFocusedItem(), first);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetFocusedItem(), nullptr);
    EXPECT_EQ(tree.GetItemCount(), 0);
    EXPECT_EQ(::SendMessageW(window, TVM_GETCOUNT, 0, 0), 0);
    // Without a window the items are kept all the same.
    tree.Attach(nullptr, 0);
    Add(L"Kept");
    EXPECT_EQ(tree.GetItemCount(), 1);
}

}  // namespace
