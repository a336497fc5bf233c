// Folder searches read huge folders as they go (every entry once, small folders in name order),
// and the shell's rename moves one name within its folder or says why it cannot.
#include <algorithm>
#include <set>

#include "tests/platform/store/store_test_support.h"

namespace {

using store_test::findNames;
using store_test::StoreTest;
namespace files = platform::files;

TEST_F(StoreTest, AHugeFolderListsEveryEntryOnce) {
    ASSERT_EQ(files::createDirectories(L"C:\\Big"), 0u);
    for (int i = 0; i < 1000; ++i) writeHost("C/Big/part " + std::to_string(i) + ".grb", "d");
    writeHost("C/Big/notes.txt", "n");
    const std::vector<std::wstring> names = findNames(L"C:\\Big\\*.grb");
    ASSERT_EQ(names.size(), 1000u);
    EXPECT_EQ(std::set<std::wstring>(names.begin(), names.end()).size(), 1000u);
    const std::vector<std::wstring> all = findNames(L"C:\\Big\\*");
    ASSERT_EQ(all.size(), 1003u);
    EXPECT_EQ(all[0], L".");
    EXPECT_EQ(all[1], L"..");
}

TEST_F(StoreTest, TheShellRenamesOneNameAndSaysWhyItCannot) {
    ASSERT_EQ(files::createDirectories(L"C:\\Lib"), 0u);
    ASSERT_EQ(files::writeAllAtomic(L"C:\\Lib\\a.grb", "a"), 0u);
    ASSERT_EQ(files::writeAllAtomic(L"C:\\Lib\\b.grb", "b"), 0u);
    // The error box is the documents menu's tests' (here nobody would answer it).
    const auto rename = [](const wchar_t* from, const wchar_t* to, UINT function = FO_RENAME,
                           WORD flags = FOF_ALLOWUNDO | FOF_NOERRORUI) {
        const std::wstring source = std::wstring(from) + L'\0';
        const std::wstring target = std::wstring(to) + L'\0';
        SHFILEOPSTRUCTW operation;
        operation.wFunc = function;
        operation.pFrom = source.c_str();
        operation.pTo = target.c_str();
        operation.fFlags = flags;
        return SHFileOperationW(&operation);
    };
    EXPECT_EQ(rename(L"C:\\Lib\\a.grb", L"C:\\Lib\\b.grb"), static_cast<int>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(rename(L"C:\\Lib\\gone.grb", L"C:\\Lib\\c.grb"), static_cast<int>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(rename(L"C:\\Lib\\a.grb", L"C:\\Lib\\A M6.grb"), 0);
    EXPECT_EQ(findNames(L"C:\\Lib\\*.grb"), (std::vector<std::wstring>{L"A M6.grb", L"b.grb"}));

    // What the stand-in cannot do is a failure, not a quiet success.
    EXPECT_NE(rename(L"C:\\Lib\\b.grb", L"C:\\Other", 7), 0);  // no such operation
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures.front().find(L"SHFileOperationW"), std::wstring::npos);
    EXPECT_TRUE(files::exists(L"C:\\Lib\\b.grb"));
}

// Files copied or moved into a folder keep their names; the first that cannot go ends the
// operation with its error, leaving what was done, and nothing is ever written over.
TEST_F(StoreTest, TheShellCopiesAndMovesFilesIntoAFolderWithoutReplacingAny) {
    ASSERT_EQ(files::createDirectories(L"C:\\From"), 0u);
    ASSERT_EQ(files::createDirectories(L"C:\\To"), 0u);
    writeHost("C/From/a.grb", "a");
    writeHost("C/From/b.grb", "b");
    writeHost("C/To/b.grb", "kept");
    const auto operate = [](UINT function, std::initializer_list<const wchar_t*> names, const wchar_t* to) {
        std::wstring source;
        for (const wchar_t* name : names) source += std::wstring(name) + L'\0';
        source += L'\0';
        const std::wstring target = std::wstring(to) + L'\0';
        SHFILEOPSTRUCTW operation;
        operation.wFunc = function;
        operation.pFrom = source.c_str();
        operation.pTo = target.c_str();
        operation.fFlags = FOF_ALLOWUNDO | FOF_NOERRORUI;
        return SHFileOperationW(&operation);
    };
    EXPECT_EQ(operate(FO_COPY, {L"C:\\From\\a.grb"}, L"C:\\To"), 0);
    EXPECT_EQ(readHost("C/To/a.grb"), "a");
    EXPECT_EQ(readHost("C/From/a.grb"), "a");
    // b.grb is there already: a stops nothing done before it, and the target keeps its content.
    EXPECT_NE(operate(FO_MOVE, {L"C:\\From\\b.grb", L"C:\\From\\a.grb"}, L"C:\\To\\"), 0);
    EXPECT_EQ(readHost("C/To/b.grb"), "kept");
    EXPECT_TRUE(files::exists(L"C:\\From\\b.grb"));
    EXPECT_EQ(operate(FO_MOVE, {L"C:\\From\\a.grb"}, L"C:\\Elsewhere"), static_cast<int>(ERROR_PATH_NOT_FOUND));
    ASSERT_TRUE(DeleteFileW(L"C:\\To\\a.grb"));
    EXPECT_EQ(operate(FO_MOVE, {L"C:\\From\\a.grb"}, L"C:\\To"), 0);
    EXPECT_FALSE(files::exists(L"C:\\From\\a.grb"));
    EXPECT_EQ(readHost("C/To/a.grb"), "a");
    // An empty list is the shell's error, not the stand-in's failure.
    EXPECT_EQ(operate(FO_COPY, {}, L"C:\\To"), static_cast<int>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

TEST_F(StoreTest, RenamesGoByNameNeverByWhatALinkPointsTo) {
    writeHost("C/Lib/Bracket.grb", "bracket");
    std::filesystem::create_symlink("Bracket.grb", root_ / "C/Lib/Alias.grb");
    std::filesystem::create_hard_link(root_ / "C/Lib/Bracket.grb", root_ / "C/Lib/Hard.grb");
    // A link or a second name of the document is a file of its own: the document's name, in any
    // spelling, is taken.
    for (const wchar_t* source : {L"C:\\Lib\\Alias.grb", L"C:\\Lib\\Hard.grb"}) {
        for (const wchar_t* target : {L"C:\\Lib\\Bracket.grb", L"C:\\Lib\\bracket.grb"}) {
            EXPECT_FALSE(MoveFileExW(source, target, 0)) << platform::core::toUtf8(source);
            EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
        }
    }
    EXPECT_EQ(readHost("C/Lib/Bracket.grb"), "bracket");
    EXPECT_TRUE(std::filesystem::is_symlink(root_ / "C/Lib/Alias.grb"));
    // Respelling one name renames it.
    EXPECT_TRUE(MoveFileExW(L"C:\\Lib\\alias.grb", L"C:\\Lib\\ALIAS.grb", 0));
    EXPECT_EQ(hostEntries("C/Lib"), (std::vector<std::string>{"ALIAS.grb", "Bracket.grb", "Hard.grb"}));
    EXPECT_TRUE(std::filesystem::is_symlink(root_ / "C/Lib/ALIAS.grb"));
}

TEST_F(StoreTest, AFileHeldOpenIsReadButNeitherRenamedMovedNorDeleted) {
    writeHost("C/Lib/Bracket.grb", "bracket");
    writeHost("C/Lib/Other.grb", "other");
    {
        const files::OpenFileHold hold(L"c:\\lib\\BRACKET.grb");
        ASSERT_TRUE(hold.holds());
        EXPECT_FALSE(MoveFileW(L"C:\\Lib\\Bracket.grb", L"C:\\Lib\\Moved.grb"));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        EXPECT_FALSE(MoveFileExW(L"C:\\Lib\\Other.grb", L"C:\\Lib\\Bracket.grb", MOVEFILE_REPLACE_EXISTING));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        EXPECT_FALSE(DeleteFileW(L"C:\\Lib\\Bracket.grb"));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        EXPECT_FALSE(MoveFileW(L"C:\\Lib", L"C:\\Library"));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        std::string bytes;
        EXPECT_EQ(files::readAll(L"C:\\Lib\\Bracket.grb", bytes), 0u);
        // Other files of the folder are free.
        EXPECT_TRUE(MoveFileW(L"C:\\Lib\\Other.grb", L"C:\\Lib\\Renamed.grb"));
    }
    EXPECT_TRUE(MoveFileW(L"C:\\Lib\\Bracket.grb", L"C:\\Lib\\Moved.grb"));
    EXPECT_TRUE(DeleteFileW(L"C:\\Lib\\Moved.grb"));
}

}  // namespace
