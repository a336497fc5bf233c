// No Windows path reaches a host file outside the host folder: not through a server or share
// named "." or "..", and not through a symbolic link that someone put inside the host folder.
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <ctime>

#include "platform/win32.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using store_test::containsText;
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

// Reports whether anything opened or read a host folder or a file in it since the watch began
// (opening a folder only to walk through it by name is not seen, listing it is).
class AccessWatch {
public:
    explicit AccessWatch(const std::filesystem::path& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        EXPECT_GE(fd_, 0);
        EXPECT_GE(inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_ACCESS | IN_MODIFY | IN_CREATE | IN_DELETE), 0);
    }
    ~AccessWatch() { close(fd_); }
    bool touched() const {
        alignas(inotify_event) char buffer[4096];
        return read(fd_, buffer, sizeof buffer) > 0;
    }

private:
    int fd_;
};

TEST_F(PathSafetyTest, NothingOutsideIsListedOrReadOnTheWayToARefusal) {
    writeHost("outside/Sub/deep.grb", "deep");
    link("C/Out", root_ / "outside");
    link("C/Docs/Up", "../../..");  // climbs out by a relative target
    const AccessWatch outside(root_ / "outside");
    const AccessWatch sub(root_ / "outside/Sub");
    for (const wchar_t* path : {L"C:\\Out\\X.GRB", L"C:\\out\\sub\\DEEP.grb", L"C:\\Out\\missing\\new.grb",
                                L"C:\\Docs\\Up\\outside\\x.grb", L"C:\\Docs\\up\\OUTSIDE\\Sub"}) {
        SCOPED_TRACE(platform::core::toUtf8(path));
        EXPECT_EQ(GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        std::string bytes;
        EXPECT_EQ(files::readAll(path, bytes), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    WIN32_FIND_DATAW data;
    EXPECT_EQ(FindFirstFileW(L"C:\\OUT\\Sub\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(findNames(L"C:\\Docs\\*"), (std::vector<std::wstring>{L".", L".."}));
    EXPECT_FALSE(outside.touched());
    EXPECT_FALSE(sub.touched());
}

TEST_F(PathSafetyTest, TheHostsOwnFilesAreNotReadOrWrittenThroughALinkLeadingOut) {
    writeHost("outside/registry/HKEY_CURRENT_USER.reg", "[Outside]\n");
    writeHost("outside/attributes.tsv", "00000002\tC:\\Docs\n");
    std::filesystem::create_symlink(root_ / "outside/registry", root_ / "host/registry");
    std::filesystem::create_symlink(root_ / "outside/attributes.tsv", root_ / "host/attributes.tsv");
    nextRun();
    EXPECT_FALSE(platform::core::registryStore().keyExists(platform::core::Hive::CurrentUser, L"Outside"));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Docs"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Inside", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_TRUE(SetFileAttributesW(L"C:\\Docs", FILE_ATTRIBUTE_HIDDEN));
    platform::core::registryStore().saveChangedHives();
    const auto failures = platform::core::takeFailures();
    EXPECT_TRUE(containsText(failures, L"registry")) << failures.size();
    EXPECT_TRUE(containsText(failures, L"attributes")) << failures.size();
    EXPECT_EQ(outsideEntries(), (std::vector<std::string>{"attributes.tsv", "registry", "x.grb"}));
    EXPECT_EQ(readHost("outside/registry/HKEY_CURRENT_USER.reg"), "[Outside]\n");
    EXPECT_EQ(hostEntries("outside/registry"), std::vector<std::string>{"HKEY_CURRENT_USER.reg"});
    EXPECT_EQ(readHost("outside/attributes.tsv"), "00000002\tC:\\Docs\n");
}

TEST_F(PathSafetyTest, OverlongPathsAndForbiddenCharactersAreRefusedAsWindowsDoes) {
    const std::wstring longName(256, L'n');
    const std::wstring longFolder = L"C:\\Docs\\" + std::wstring(200, L'a') + L"\\" + std::wstring(200, L'b') + L"\\" +
                                    std::wstring(200, L'c') + L"\\" + std::wstring(200, L'd');
    std::wstring hugePath = L"C:\\Docs";
    while (hugePath.size() <= 32767) hugePath += L"\\" + std::wstring(100, L'p');
    struct Case {
        std::wstring path;
        DWORD error;
    };
    for (const Case& each : {Case{L"C:\\Docs\\" + longName, ERROR_FILENAME_EXCED_RANGE},
                             Case{L"C:\\Docs\\" + longName + L"\\x.grb", ERROR_FILENAME_EXCED_RANGE},
                             Case{hugePath, ERROR_FILENAME_EXCED_RANGE}, Case{L"C:\\Docs\\a<b.grb", ERROR_INVALID_NAME},
                             Case{L"C:\\Docs\\a<b\\x.grb", ERROR_INVALID_NAME}, Case{L"C:\\Missing\\a>b", ERROR_INVALID_NAME}}) {
        SCOPED_TRACE(platform::core::toUtf8(each.path.substr(0, 40)));
        EXPECT_EQ(GetFileAttributesW(each.path.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetLastError(), each.error);
        EXPECT_FALSE(CreateDirectoryW(each.path.c_str(), nullptr));
        EXPECT_EQ(GetLastError(), each.error);
        EXPECT_EQ(files::writeAllAtomic(each.path, "x"), each.error);
        std::string bytes;
        EXPECT_EQ(files::readAll(each.path, bytes), each.error);
    }
    // A long path of names the host can hold works like any other.
    EXPECT_EQ(files::writeAllAtomic(longFolder + L"\\x.grb", "long"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    ASSERT_EQ(files::createDirectories(longFolder), 0u);
    ASSERT_EQ(files::writeAllAtomic(longFolder + L"\\x.grb", "long"), 0u);
    std::string bytes;
    EXPECT_EQ(files::readAll(longFolder + L"\\X.GRB", bytes), 0u);
    EXPECT_EQ(bytes, "long");
    EXPECT_EQ(hostEntries("host/C/Docs").size(), 1u);
}

// Looking up a name that is not spelled as on the host reads its folder once; what happens to
// the folder afterwards, through the program or behind its back, is seen at once.
TEST_F(PathSafetyTest, CaseInsensitiveLookUpsFollowEveryChangeToTheFolder) {
    for (int i = 0; i < 20'000; ++i) writeHost("host/C/Big/part " + std::to_string(i) + ".grb", "");
    const std::clock_t begin = std::clock();  // processor time: the machine may be busy with others
    for (int i = 0; i < 2'000; ++i) {
        ASSERT_EQ(GetFileAttributesW((L"C:\\Big\\missing " + std::to_wstring(i) + L".grb").c_str()), INVALID_FILE_ATTRIBUTES);
        ASSERT_EQ(GetFileAttributesW((L"C:\\BIG\\PART " + std::to_wstring(i) + L".GRB").c_str()),
                  static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    }
    // Reading the folder for each look-up took about a minute with the sanitizers.
    EXPECT_LT(static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC, 10.0);

    auto attributes = [](const wchar_t* path) { return GetFileAttributesW(path); };
    EXPECT_EQ(attributes(L"C:\\big\\NEW.grb"), INVALID_FILE_ATTRIBUTES);
    writeHost("host/C/Big/new.grb", "");
    EXPECT_EQ(attributes(L"C:\\big\\NEW.grb"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    std::filesystem::rename(root_ / "host/C/Big/new.grb", root_ / "host/C/Big/Renamed.grb");
    EXPECT_EQ(attributes(L"C:\\big\\NEW.grb"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes(L"C:\\big\\renamed.GRB"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(MoveFileW(L"C:\\BIG\\RENAMED.GRB", L"C:\\Big\\Again.grb"));
    EXPECT_EQ(attributes(L"C:\\big\\renamed.GRB"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes(L"C:\\big\\AGAIN.grb"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(DeleteFileW(L"C:\\big\\again.GRB"));
    EXPECT_EQ(attributes(L"C:\\big\\AGAIN.grb"), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(CreateDirectoryW(L"C:\\Big\\Made", nullptr));
    EXPECT_EQ(attributes(L"C:\\BIG\\MADE"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    // Two names that differ only in case are still a mistake, however the folder was read.
    writeHost("host/C/Big/made.GRB", "");
    writeHost("host/C/Big/MADE.grb", "");
    EXPECT_EQ(attributes(L"C:\\Big\\Made.grb"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
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
    EXPECT_EQ(winpath::normalize(L"C:\\a\\.\\b\\..\\c. \\"), L"C:\\a\\c");
    EXPECT_EQ(winpath::normalize(L"c:/x//y"), L"C:\\x\\y");
    EXPECT_EQ(winpath::normalize(L"C:\\..\\..\\x"), L"C:\\x");
    EXPECT_EQ(winpath::normalize(L"C:\\a\\b\\..\\.."), L"C:\\");
    EXPECT_EQ(winpath::normalize(L"C:\\a\\..\\b..\\c"), L"C:\\b\\c");
    EXPECT_EQ(winpath::normalize(L"\\\\server\\share\\..\\.."), L"\\\\server\\share");
    EXPECT_EQ(winpath::normalize(L"\\\\server\\share\\a\\..\\b"), L"\\\\server\\share\\b");
    EXPECT_EQ(winpath::normalize(L"\\\\s\\sh\\...\\. .\\x"), L"\\\\s\\sh\\x");
    EXPECT_EQ(winpath::normalize(L"\\\\..\\..\\outside\\..\\x"), L"\\\\..\\..\\x");
    // A second long prefix, or one hidden behind "UNC", makes a server name no server has.
    EXPECT_EQ(winpath::normalize(L"\\\\?\\\\\\?\\C:\\x"), std::nullopt);
    EXPECT_EQ(winpath::normalize(L"\\\\?\\UNC\\?\\C:\\x"), std::nullopt);
    EXPECT_EQ(winpath::normalize(L"\\\\server\\sh*re\\x"), std::nullopt);
}

}  // namespace
