// The recent-file list: entries move up instead of repeating, pinned entries stay put, tagged
// entries replace their older namesakes, and the keep-entries flag freezes the list.
#include "tests/app/app_test_support.h"

#include "app/kvw32_app.h"
#include "app/documents/recent_file_list.h"

namespace {

using namespace platform::harness;

const std::wstring kRecent = apptest::section(L"Recent File List");

class RecentFileList : public SessionTest {
protected:
    CKVRecentFileList& Started(Session& s) {
        s.start();
        EXPECT_EQ(s.startResult(), 1);
        return *CKvw32App::Instance()->GetRecentFileList();
    }
    static std::vector<std::wstring> Entries(CKVRecentFileList& list) {
        std::vector<std::wstring> entries;
        for (int i = 0; i < list.GetSize(); ++i) entries.emplace_back(list[i].str());
        return entries;
    }
};

TEST_F(RecentFileList, AKnownPathMovesUpAndPinnedEntriesStayPut) {
    Session s;
    CKVRecentFileList& list = Started(s);
    ASSERT_EQ(list.GetSize(), 4);
    for (const wchar_t* path : {L"C:\\W\\a.grb", L"C:\\W\\b.grb", L"C:\\W\\c.grb", L"C:\\W\\d.grb"}) list.Add(path, nullptr);
    list.Add(L"c:\\w\\B.GRB", nullptr);
    EXPECT_EQ(Entries(list), (std::vector<std::wstring>{L"C:\\w\\B.GRB", L"C:\\W\\d.grb", L"C:\\W\\c.grb", L"C:\\W\\a.grb"}));

    list.SetPinned(0, TRUE);
    list.SetPinned(3, TRUE);
    list.Add(L"C:\\W\\e.grb", nullptr);
    EXPECT_EQ(Entries(list), (std::vector<std::wstring>{L"C:\\w\\B.GRB", L"C:\\W\\e.grb", L"C:\\W\\d.grb", L"C:\\W\\a.grb"}));
    EXPECT_EQ(s.registry().getDword(apptest::kUser, kRecent, L"Pinned4"), 1u);

    list.SetPinned(1, TRUE);
    list.SetPinned(2, TRUE);
    list.Add(L"C:\\W\\f.grb", nullptr);  // every slot pinned: not added
    EXPECT_FALSE(list.Contains(L"C:\\W\\f.grb"));
    EXPECT_EQ(s.registry().getString(apptest::kUser, kRecent, L"File2"), L"C:\\W\\e.grb");
}

TEST_F(RecentFileList, TaggedEntriesReplaceTheirNamesakes) {
    Session s;
    CKVRecentFileList& list = Started(s);
    list.Add(L"C:\\W\\a.grb", nullptr);
    list.Add(L"<pdm>item1", nullptr);
    list.Add(L"C:\\W\\b.grb", nullptr);
    list.Add(L"<PDM>item2", nullptr);
    EXPECT_EQ(Entries(list), (std::vector<std::wstring>{L"<PDM>item2", L"C:\\W\\b.grb", L"C:\\W\\a.grb", L""}));
}

TEST_F(RecentFileList, TheKeepFlagFreezesTheListAndBadPathsAreLoggedNotThrown) {
    Session s;
    CKVRecentFileList& list = Started(s);
    list.Add(L"C:\\W\\a.grb", nullptr);
    list.SetKeepEntries(true);
    list.Add(L"C:\\W\\b.grb", nullptr);
    list.Remove(0);
    EXPECT_EQ(list[0], L"C:\\W\\a.grb");
    EXPECT_FALSE(list.Contains(L"C:\\W\\b.grb"));
    list.SetKeepEntries(false);

    list.Add((L"C:\\" + std::wstring(300, L'x') + L".grb").c_str(), nullptr);
    EXPECT_TRUE(apptest::Contains(logs(s), L"6 Caught an exception during add to recent file list"));
    EXPECT_EQ(list[1], L"");

    EXPECT_FALSE(list.Contains(L""));
    EXPECT_FALSE(list.Contains(L"C:\\W\\a.grbx"));
    EXPECT_TRUE(list.Contains(L"c:\\w\\A.GRB"));
}

}  // namespace
