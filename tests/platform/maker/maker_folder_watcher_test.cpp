// The kernel's folder watcher over the host's own notifications: whatever changes a watched
// folder (the program or anything else), its handler hears it later, on the thread that watches,
// once that thread's queue is run; renames come paired, a move between folders is a removal and
// an addition, an atomic save's exchange of names is no rename, and a folder left is heard no
// more.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/control.h"
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/win32/files/file.h"

namespace {

const std::wstring kFolder = L"C:\\Users\\user\\Watched\\";
const std::wstring kOther = L"C:\\Users\\user\\Other\\";

class Recording : public CDirectoryChangeHandler {
public:
    explicit Recording(std::vector<std::wstring>& calls) : calls_(calls) {}
    void On_FileAdded(const CString& path) override { calls_.push_back(L"added " + leaf(path)); }
    void On_FileRemoved(const CString& path) override { calls_.push_back(L"removed " + leaf(path)); }
    void On_FileNameChanged(const CString& from, const CString& to) override {
        calls_.push_back(L"renamed " + leaf(from) + L" " + leaf(to));
    }
    void On_FileModified(const CString& path) override { calls_.push_back(L"modified " + leaf(path)); }

private:
    static std::wstring leaf(const CString& path) {
        const std::wstring text(path.view());
        return text.substr(text.find_last_of(L'\\') + 1);
    }
    std::vector<std::wstring>& calls_;
};

class FolderWatcherTest : public ::testing::Test {
protected:
    platform::harness::Session session;
    std::vector<std::wstring> calls;
    std::vector<std::wstring> otherCalls;
    CDirectoryChangeWatcher watcher{true, 0xE1};

    FolderWatcherTest() {
        CreateDirectoryW(L"C:\\Users\\user", nullptr);
        CreateDirectoryW(kFolder.c_str(), nullptr);
        CreateDirectoryW(kOther.c_str(), nullptr);
        auto* handler = new Recording(calls);
        EXPECT_EQ(watcher.WatchDirectory(kFolder.c_str(), 3, handler), ERROR_SUCCESS);
        handler->Release();
    }
    // What the watcher's thread heard reaches the handler when the queue runs.
    std::vector<std::wstring> heard() {
        platform::core::control::quiesce();
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        std::vector<std::wstring> all;
        all.swap(calls);
        return all;
    }
    static void write(const std::wstring& path) {
        ASSERT_EQ(platform::files::appendText(path, "x"), 0u);
    }
};

TEST_F(FolderWatcherTest, ChangesArriveLaterThroughTheQueueAndRenamesComePaired) {
    write(kFolder + L"a.grb");
    EXPECT_TRUE(calls.empty()) << "never while the change is made";
    EXPECT_EQ(heard(), (std::vector<std::wstring>{L"added a.grb"}));

    ASSERT_TRUE(MoveFileW((kFolder + L"a.grb").c_str(), (kFolder + L"b.grb").c_str()));
    ASSERT_TRUE(CreateDirectoryW((kFolder + L"Sub").c_str(), nullptr));
    write(kFolder + L"Sub\\deeper.grb");  // no subtree
    ASSERT_TRUE(DeleteFileW((kFolder + L"b.grb").c_str()));
    EXPECT_EQ(heard(), (std::vector<std::wstring>{L"renamed a.grb b.grb", L"added Sub", L"removed b.grb"}));
}

TEST_F(FolderWatcherTest, AMoveBetweenFoldersIsARemovalAndAnAddition) {
    auto* other = new Recording(otherCalls);
    ASSERT_EQ(watcher.WatchDirectory(kOther.c_str(), 3, other), ERROR_SUCCESS);
    other->Release();
    write(kFolder + L"a.grb");
    write(kFolder + L"c.grb");
    heard();
    ASSERT_TRUE(MoveFileW((kFolder + L"a.grb").c_str(), (kOther + L"a.grb").c_str()));
    EXPECT_EQ(heard(), (std::vector<std::wstring>{L"removed a.grb"}));
    EXPECT_EQ(otherCalls, (std::vector<std::wstring>{L"added a.grb"}));

    // Out of every watched folder, or in from one not watched: half a rename.
    ASSERT_TRUE(watcher.UnwatchDirectory(kOther.c_str()));
    ASSERT_TRUE(MoveFileW((kOther + L"a.grb").c_str(), (kFolder + L"a.grb").c_str()));
    ASSERT_TRUE(MoveFileW((kFolder + L"c.grb").c_str(), (kOther + L"c.grb").c_str()));
    EXPECT_EQ(heard(), (std::vector<std::wstring>{L"added a.grb", L"removed c.grb"}));
    EXPECT_EQ(otherCalls.size(), 1u) << "a folder left is heard no more";
}

TEST_F(FolderWatcherTest, AnAtomicSaveOverAFileKeepsItsName) {
    write(kFolder + L"a.grb");
    heard();
    // Saved again under another spelling: the file keeps its entry and its name.
    ASSERT_EQ(platform::files::writeAllAtomic(kFolder + L"A.GRB", "saved again"), 0u);
    const std::vector<std::wstring> saved = heard();
    for (const std::wstring& call : saved) {
        EXPECT_NE(call, L"removed a.grb");
        EXPECT_NE(call.rfind(L"renamed a.grb", 0), 0u) << call;
    }
}

TEST_F(FolderWatcherTest, AHandlerThatLeavesWhileANoticeWaitsHearsNothingAndTheWatcherGoesCleanly) {
    write(kFolder + L"a.grb");
    platform::core::control::quiesce();
    ASSERT_TRUE(watcher.UnwatchDirectory(kFolder.c_str()));
    EXPECT_TRUE(heard().empty());
    EXPECT_FALSE(watcher.IsWatchingDirectory(kFolder.c_str()));
    auto* handler = new Recording(calls);
    EXPECT_EQ(watcher.WatchDirectory((kFolder + L"missing").c_str(), 3, handler), ERROR_PATH_NOT_FOUND);
    handler->Release();
}

}  // namespace
