// No Windows path reaches a host file outside the host folder: not through a server or share
// named "." or "..", and not through a symbolic link that someone put inside the host folder.
#include "platform/win32.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using store_test::findNames;
using store_test::StoreTest;
namespace files = platform::files;
namespace winpath = platform::core::winpath;

// The host folder is "<root_>/host"; "<root_>/outside" stands for everything beside it.
class PathSafetyTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        std::filesystem::create_directories(root_ / "host");
        platform::core::config().hostRoot = (root_ / "host").string();
        nextRun();
        writeHost("outside/x.grb", "outside");
        std::filesystem::create_directories(root_ / "host/C/Docs");
    }

    std::vector<std::string> outsideEntries() const { return hostEntries("outside"); }

    void link(const std::string& inside, const std::filesystem::path& target) {
        std::filesystem::create_symlink(target, root_ / "host" / inside);
    }
};

// Every way of touching a path: all must fail with `error` and leave "outside" as it was.
void expectRefused(const std::wstring& file, const std::wstring& folder, DWORD error) {
    SCOPED_TRACE(platform::core::toUtf8(file));
    std::string bytes;
    EXPECT_EQ(files::readAll(file, bytes), error);
    EXPECT_EQ(files::writeAllAtomic(file, "overwritten"), error);
    EXPECT_EQ(files::appendText(file, "appended"), error);
    EXPECT_EQ(files::appendText(folder + L"\\new.log", "appended"), error);
    EXPECT_EQ(files::createDirectories(folder + L"\\made"), error);
    EXPECT_FALSE(files::exists(file));
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), error);
    EXPECT_FALSE(DeleteFileW(file.c_str()));
    EXPECT_EQ(GetLastError(), error);
    EXPECT_FALSE(CreateDirectoryW((folder + L"\\made").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), error);
    EXPECT_FALSE(CopyFileW(file.c_str(), L"C:\\Docs\\copy.grb", FALSE));
    EXPECT_FALSE(MoveFileW(file.c_str(), L"C:\\Docs\\moved.grb"));
    EXPECT_FALSE(files::exists(L"C:\\Docs\\copy.grb"));
    EXPECT_FALSE(files::exists(L"C:\\Docs\\moved.grb"));
    EXPECT_FALSE(SetCurrentDirectoryW(folder.c_str()));
    EXPECT_EQ(GetLastError(), error);
    WIN32_FIND_DATAW data;
    EXPECT_EQ(FindFirstFileW((folder + L"\\*").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), error);
}

TEST_F(PathSafetyTest, ServersAndSharesNamedDotOrDotDotAreBadNetworkPaths) {
    expectRefused(L"\\\\..\\..\\outside\\x.grb", L"\\\\..\\..\\outside", ERROR_BAD_NETPATH);
    expectRefused(L"//../../outside/x.grb", L"//../../outside", ERROR_BAD_NETPATH);
    expectRefused(L"\\\\server\\..\\..\\outside\\x.grb", L"\\\\server\\..\\..\\outside", ERROR_BAD_NETPATH);
    expectRefused(L"\\\\.\\..\\x.grb", L"\\\\.\\..", ERROR_BAD_NETPATH);
    expectRefused(L"\\\\?\\UNC\\..\\..\\outside\\x.grb", L"\\\\?\\UNC\\..\\..\\outside", ERROR_BAD_NETPATH);
    EXPECT_EQ(outsideEntries(), std::vector<std::string>{"x.grb"});
    EXPECT_EQ(readHost("outside/x.grb"), "outside");
    // A relative path cannot climb above a share either; a server may still be called "..x".
    ASSERT_EQ(files::createDirectories(L"\\\\..x\\share"), 0u);
    EXPECT_EQ(files::writeAllAtomic(L"\\\\..x\\share\\..\\..\\..\\y.grb", "y"), 0u);
    EXPECT_EQ(readHost("host/UNC/..x/share/y.grb"), "y");
}

TEST_F(PathSafetyTest, LinksLeadingOutOfTheHostFolderAreNotFollowed) {
    link("C/Out", root_ / "outside");                 // a folder outside
    link("C/Docs/log.txt", root_ / "outside/x.grb");  // a file outside
    link("C/Docs/new.log", root_ / "outside/new.log");  // nothing yet: writing would create it
    link("C/Docs/loop", root_ / "host/C/Docs/loop");
    expectRefused(L"C:\\Out\\x.grb", L"C:\\Out", ERROR_ACCESS_DENIED);
    expectRefused(L"C:\\docs\\LOG.TXT", L"C:\\Docs\\log.txt", ERROR_ACCESS_DENIED);
    expectRefused(L"C:\\Docs\\new.log", L"C:\\Docs\\new.log", ERROR_ACCESS_DENIED);
    expectRefused(L"C:\\Docs\\loop", L"C:\\Docs\\loop", ERROR_ACCESS_DENIED);
    EXPECT_EQ(outsideEntries(), std::vector<std::string>{"x.grb"});
    EXPECT_EQ(readHost("outside/x.grb"), "outside");

    // Listing the folders that hold them shows none of them, nor anything of what they point at.
    EXPECT_EQ(findNames(L"C:\\*"), std::vector<std::wstring>{L"Docs"});
    EXPECT_EQ(findNames(L"C:\\Docs\\*"), (std::vector<std::wstring>{L".", L".."}));
}

TEST_F(PathSafetyTest, LinksBetweenPlacesInsideTheHostFolderWork) {
    writeHost("host/C/Data/real.grb", "data");
    link("C/Docs/Data", root_ / "host/C/Data");
    link("C/Docs/alias.grb", "../Data/real.grb");  // relative to the link's folder
    std::string bytes;
    EXPECT_EQ(files::readAll(L"C:\\Docs\\data\\REAL.grb", bytes), 0u);
    EXPECT_EQ(bytes, "data");
    EXPECT_EQ(files::readAll(L"C:\\Docs\\alias.grb", bytes), 0u);
    EXPECT_EQ(bytes, "data");
    EXPECT_EQ(files::appendText(L"C:\\Docs\\Data\\more.log", "more"), 0u);
    EXPECT_EQ(readHost("host/C/Data/more.log"), "more");

    // A host folder reached through a link itself is no reason to refuse anything.
    std::filesystem::create_symlink(root_ / "host", root_ / "host-link");
    platform::core::config().hostRoot = (root_ / "host-link").string();
    nextRun();
    EXPECT_EQ(files::readAll(L"C:\\Data\\real.grb", bytes), 0u);
    EXPECT_EQ(files::writeAllAtomic(L"C:\\Data\\new.grb", "new"), 0u);
}

TEST(WindowsPaths, NormalisingTwiceChangesNothing) {
    for (const wchar_t* path :
         {L"C:\\a\\.\\b\\..\\c. \\", L"c:/x//y", L"\\\\?\\C:\\x\\..\\y", L"\\\\?\\UNC\\server\\share\\x", L"\\\\..\\..\\outside\\x",
          L"\\\\server\\share\\..\\..", L"\\\\ \\ \\x", L"\\\\s\\sh\\...\\. .\\x", L"C:\\..\\..\\x"}) {
        const auto once = winpath::normalize(path);
        ASSERT_TRUE(once) << platform::core::toUtf8(path);
        EXPECT_EQ(winpath::normalize(*once), once) << platform::core::toUtf8(path);
    }
    EXPECT_EQ(winpath::normalize(L"\\\\?\\C:\\x\\..\\y"), L"C:\\y");
    EXPECT_EQ(winpath::normalize(L"\\\\..\\..\\outside\\..\\x"), L"\\\\..\\..\\x");
    // A second long prefix, or one hidden behind "UNC", makes a server name no server has.
    EXPECT_EQ(winpath::normalize(L"\\\\?\\\\\\?\\C:\\x"), std::nullopt);
    EXPECT_EQ(winpath::normalize(L"\\\\?\\UNC\\?\\C:\\x"), std::nullopt);
    EXPECT_EQ(winpath::normalize(L"\\\\server\\sh*re\\x"), std::nullopt);
}

}  // namespace
