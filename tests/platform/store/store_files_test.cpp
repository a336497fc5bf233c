#include <chrono>

#include "platform/win32.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using platform::core::FileAccess;
using platform::core::hostFs;
using store_test::findNames;
using store_test::StoreTest;
namespace files = platform::files;

std::wstring fullPathOf(const wchar_t* path) {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetFullPathNameW(path, MAX_PATH, buffer, nullptr);
    return std::wstring(buffer, length);
}

TEST_F(StoreTest, PathsResolveCaseInsensitivelyAndNewNamesKeepTheirSpelling) {
    writeHost("C/Program Files/Velmora/Korvo CAD 18.0/Korvo.ini", "[SETTINGS]\n");
    std::string bytes;
    EXPECT_EQ(files::readAll(L"c:\\PROGRAM FILES\\velmora\\korvo cad 18.0\\KORVO.INI", bytes), 0u);
    EXPECT_EQ(bytes, "[SETTINGS]\n");
    EXPECT_EQ(files::readAll(L"C:/Program Files/Velmora/Korvo CAD 18.0/./x/../Korvo.ini", bytes), 0u);
    // Trailing dots and spaces of a component are not part of the name, as on Windows.
    EXPECT_TRUE(files::exists(L"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\Korvo.ini. "));

    EXPECT_EQ(files::writeAllAtomic(L"c:\\program files\\VELMORA\\korvo cad 18.0\\New File.TXT", "new"), 0u);
    EXPECT_EQ(readHost("C/Program Files/Velmora/Korvo CAD 18.0/New File.TXT"), "new");
    EXPECT_EQ(files::createDirectories(L"c:\\users\\USER\\AppData\\Local\\Velmora\\Logs"), 0u);
    EXPECT_EQ(files::createDirectories(L"C:\\Users\\user\\appdata\\LOCAL\\velmora\\logs\\Deeper"), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "C/users/USER/AppData/Local/Velmora/Logs/Deeper"));
    EXPECT_EQ(files::appendText(L"C:\\Users\\User\\AppData\\Local\\Velmora\\Logs\\Korvo.log", "a\n"), 0u);
    EXPECT_EQ(files::appendText(L"C:\\USERS\\user\\AppData\\Local\\Velmora\\Logs\\korvo.LOG", "b\n"), 0u);
    EXPECT_EQ(readHost("C/users/USER/AppData/Local/Velmora/Logs/Korvo.log"), "a\nb\n");
}

TEST_F(StoreTest, AppendsGoToTheFileThePathNamesAtEachAppend) {
    const wchar_t* log = L"C:\\Logs\\run.log";
    ASSERT_EQ(files::createDirectories(L"C:\\Logs"), 0u);
    EXPECT_EQ(files::appendText(log, "1\n"), 0u);
    EXPECT_EQ(files::appendText(L"c:\\logs\\RUN.LOG", "2\n"), 0u);
    EXPECT_EQ(readHost("C/Logs/run.log"), "1\n2\n");
    // Renamed away, removed, replaced or rewritten in place between two appends: the next one
    // goes to whatever the name holds then.
    ASSERT_TRUE(MoveFileW(log, L"C:\\Logs\\old.log"));
    EXPECT_EQ(files::appendText(log, "3\n"), 0u);
    EXPECT_EQ(readHost("C/Logs/old.log"), "1\n2\n");
    EXPECT_EQ(readHost("C/Logs/run.log"), "3\n");
    ASSERT_TRUE(DeleteFileW(log));
    EXPECT_EQ(files::appendText(log, "4\n"), 0u);
    EXPECT_EQ(readHost("C/Logs/run.log"), "4\n");
    ASSERT_EQ(files::writeAllAtomic(log, "replaced\n"), 0u);
    EXPECT_EQ(files::appendText(log, "5\n"), 0u);
    EXPECT_EQ(readHost("C/Logs/run.log"), "replaced\n5\n");
    writeHost("C/Logs/run.log", "rewritten\n");
    EXPECT_EQ(files::appendText(log, "6\n"), 0u);
    EXPECT_EQ(files::appendText(L"C:\\Logs\\other.log", "x\n"), 0u);
    EXPECT_EQ(files::appendText(log, "7\n"), 0u);
    // A file made read-only or a folder denied is refused at the very next append.
    ASSERT_TRUE(SetFileAttributesW(log, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(files::appendText(log, "refused\n"), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(SetFileAttributesW(log, FILE_ATTRIBUTE_NORMAL));
    hostFs().deny(L"C:\\Logs", FileAccess::Write);
    EXPECT_EQ(files::appendText(log, "refused\n"), ERROR_ACCESS_DENIED);
    hostFs().allow(L"C:\\Logs", FileAccess::Write);
    EXPECT_EQ(files::appendText(log, "8\n"), 0u);
    EXPECT_EQ(readHost("C/Logs/run.log"), "rewritten\n6\n7\n8\n");
    EXPECT_EQ(readHost("C/Logs/other.log"), "x\n");
}

TEST_F(StoreTest, ANameInAFolderSpelledAsOnTheHostStillMatchesButForCase) {
    writeHost("C/Data/Report.TXT", "report");
    std::string bytes;
    EXPECT_EQ(files::readAll(L"C:\\Data\\report.txt", bytes), 0u);
    EXPECT_EQ(bytes, "report");
    EXPECT_EQ(files::writeAllAtomic(L"C:\\Data\\REPORT.txt", "changed"), 0u);
    EXPECT_EQ(files::appendText(L"C:\\Data\\report.TXT", "+"), 0u);
    EXPECT_EQ(hostEntries("C/Data"), std::vector<std::string>{"Report.TXT"});
    EXPECT_EQ(readHost("C/Data/Report.TXT"), "changed+");
    // A missing name keeps its spelling; a second match but for case makes the name ambiguous.
    EXPECT_EQ(files::hostPath(L"C:\\Data\\New.Txt"), (root_ / "C/Data/New.Txt").string());
    EXPECT_EQ(files::createDirectories(L"C:\\Data\\Sub Folder\\Deeper"), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "C/Data/Sub Folder/Deeper"));
    writeHost("C/Data/REPORT.txt", "upper");
    EXPECT_EQ(GetFileAttributesW(L"C:\\Data\\report.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
}

TEST_F(StoreTest, TwoCaseInsensitiveMatchesAreAFailure) {
    writeHost("C/Data/report.txt", "lower");
    writeHost("C/Data/REPORT.txt", "upper");
    std::string bytes;
    // The exact spelling wins.
    EXPECT_EQ(files::readAll(L"C:\\Data\\REPORT.txt", bytes), 0u);
    EXPECT_EQ(bytes, "upper");
    EXPECT_TRUE(platform::core::takeFailures().empty());

    EXPECT_EQ(GetFileAttributesW(L"C:\\data\\Report.TXT"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"ambiguous"), std::wstring::npos);
    EXPECT_NE(failures[0].find(L"Report.TXT"), std::wstring::npos);
}

TEST_F(StoreTest, NamesBeyondAsciiMatchInAnyCaseAmongManyOthers) {
    for (int i = 0; i < 300; ++i) writeHost("C/Data/file" + std::to_string(i) + ".kva", "");
    writeHost("C/Data/\xd0\x9e\xd1\x82\xd1\x87\xd1\x91\xd1\x82.txt", "report");  // "Отчёт.txt"
    writeHost("C/Data/FILE7.KVA.bak", "");
    std::string bytes;
    EXPECT_EQ(files::readAll(L"C:\\DATA\\\u041e\u0422\u0427\u0401\u0422.TXT", bytes), 0u);
    EXPECT_EQ(bytes, "report");
    EXPECT_EQ(files::readAll(L"C:\\data\\\u043e\u0442\u0447\u0451\u0442.txt", bytes), 0u);
    EXPECT_TRUE(files::exists(L"C:\\Data\\File299.KVA"));
    EXPECT_TRUE(files::exists(L"C:\\Data\\file7.kva.BAK"));
    EXPECT_FALSE(files::exists(L"C:\\Data\\file300.kva"));
    EXPECT_FALSE(files::exists(L"C:\\Data\\\u043e\u0442\u0447\u0435\u0442.txt")) << "another letter, not another case";
}

// A folder looked into again and again is answered first by going through its names, later by
// its hashed index: the answers stay the same throughout.
TEST_F(StoreTest, ManyLookUpsOfASettledFolderKeepTheirAnswers) {
    for (int i = 0; i < 50; ++i) writeHost("C/Data/file" + std::to_string(i) + ".kva", "");
    writeHost("C/Data/\xd0\x9e\xd1\x82\xd1\x87\xd1\x91\xd1\x82.txt", "report");  // "Отчёт.txt"
    writeHost("C/Data/report.TXT", "lower");
    writeHost("C/Data/REPORT.txt", "upper");
    // Settled: changed long enough ago that its listing is kept between look-ups.
    std::filesystem::last_write_time(root_ / "C/Data", std::filesystem::last_write_time(root_ / "C/Data") - std::chrono::hours(1));
    std::string bytes;
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(files::readAll(L"C:\\Data\\\u041e\u0422\u0427\u0401\u0422.TXT", bytes), 0u);
        EXPECT_EQ(bytes, "report");
        EXPECT_TRUE(files::exists(L"C:\\Data\\File49.KVA"));
        EXPECT_FALSE(files::exists(L"C:\\Data\\file50.kva"));
        EXPECT_FALSE(files::exists(L"C:\\Data\\\u043e\u0442\u0447\u0435\u0442.txt"));
        EXPECT_EQ(GetFileAttributesW(L"C:\\Data\\Report.txt"), INVALID_FILE_ATTRIBUTES) << "two names match but for case";
        EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    }
}

TEST_F(StoreTest, RelativePathsFollowTheCurrentFolder) {
    const std::wstring program = platform::core::config().programFolder;
    wchar_t buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryW(MAX_PATH, buffer), program.size());
    EXPECT_EQ(std::wstring(buffer), program);
    EXPECT_EQ(GetCurrentDirectoryW(3, buffer), program.size() + 1);
    EXPECT_EQ(fullPathOf(L"Korvo.ini"), program + L"\\Korvo.ini");

    ASSERT_EQ(files::createDirectories(L"C:\\Work\\Sub"), 0u);
    EXPECT_FALSE(SetCurrentDirectoryW(L"C:\\Nowhere"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    // The current folder keeps the spelling it was set with, as on Windows.
    ASSERT_TRUE(SetCurrentDirectoryW(L"c:\\work"));
    EXPECT_EQ(fullPathOf(L"Sub\\..\\y.txt"), L"C:\\work\\y.txt");
    EXPECT_EQ(fullPathOf(L"\\Temp\\z"), L"C:\\Temp\\z");
    EXPECT_EQ(fullPathOf(L"D:x"), L"D:\\x");
    EXPECT_EQ(fullPathOf(L"C:x"), L"C:\\work\\x");
    EXPECT_EQ(fullPathOf(L"C:\\a\\..\\..\\b\\"), L"C:\\b\\");
    LPWSTR filePart = nullptr;
    GetFullPathNameW(L"Sub\\file.grb", MAX_PATH, buffer, &filePart);
    ASSERT_NE(filePart, nullptr);
    EXPECT_EQ(std::wstring(filePart), L"file.grb");

    EXPECT_EQ(files::writeAllAtomic(L"Sub\\rel.txt", "r"), 0u);
    EXPECT_EQ(readHost("C/Work/Sub/rel.txt"), "r");
    // The current folder cannot be removed while in use.
    EXPECT_FALSE(RemoveDirectoryW(L"C:\\Work"));

    EXPECT_TRUE(platform::core::winpath::isRelative(L"x\\y"));
    EXPECT_TRUE(platform::core::winpath::isRelative(L"\\x"));
    EXPECT_TRUE(platform::core::winpath::isRelative(L"C:x"));
    EXPECT_FALSE(platform::core::winpath::isRelative(L"C:\\x"));
    EXPECT_FALSE(platform::core::winpath::isRelative(L"\\\\server\\share"));
    EXPECT_EQ(platform::core::winpath::combine(L"C:\\A", L"..\\..\\B"), L"C:\\B");
}

TEST_F(StoreTest, NetworkPathsMapBelowUnc) {
    ASSERT_EQ(files::createDirectories(L"\\\\Server\\Share\\Docs"), 0u);
    EXPECT_EQ(files::writeAllAtomic(L"//server/SHARE/docs/a.grb", "x"), 0u);
    EXPECT_EQ(readHost("UNC/Server/Share/Docs/a.grb"), "x");
    EXPECT_EQ(fullPathOf(L"\\\\server\\share\\docs\\..\\b"), L"\\\\server\\share\\b");
    EXPECT_EQ(findNames(L"\\\\SERVER\\share\\*"), std::vector<std::wstring>{L"Docs"});
    EXPECT_EQ(hostFs().windowsPathOf(root_ / "UNC/Server/Share/Docs/a.grb"), L"\\\\Server\\Share\\Docs\\a.grb");
    EXPECT_EQ(hostFs().windowsPathOf(root_ / "C/Work"), L"C:\\Work");
}

TEST_F(StoreTest, FileFunctionsReportWindowsErrorCodes) {
    ASSERT_EQ(files::createDirectories(L"C:\\Work"), 0u);
    std::string bytes;
    EXPECT_EQ(files::readAll(L"C:\\Work\\missing.txt", bytes), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(files::readAll(L"C:\\Nowhere\\missing.txt", bytes), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(files::writeAllAtomic(L"C:\\Nowhere\\new.txt", "x"), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(files::readAll(L"C:\\Work", bytes), ERROR_ACCESS_DENIED);
    EXPECT_EQ(files::readAll(L"C:\\Work\\bad|name", bytes), ERROR_INVALID_NAME);
    EXPECT_FALSE(DeleteFileW(L"C:\\Work\\missing.txt"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(CreateDirectoryW(L"C:\\Work", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(L"C:\\A\\B", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    ASSERT_EQ(files::writeAllAtomic(L"C:\\Work\\doc.grb", "doc"), 0u);
    hostFs().deny(L"C:\\Work", FileAccess::Read);
    EXPECT_EQ(files::readAll(L"C:\\Work\\doc.grb", bytes), ERROR_ACCESS_DENIED);
    EXPECT_EQ(findNames(L"C:\\Work\\*"), std::vector<std::wstring>{});
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    hostFs().allow(L"C:\\Work", FileAccess::Read);
    hostFs().deny(L"c:\\work\\DOC.grb", FileAccess::Write);
    EXPECT_EQ(files::writeAllAtomic(L"C:\\Work\\doc.grb", "changed"), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileW(L"C:\\Work\\doc.grb"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    hostFs().allow(L"C:\\Work\\doc.grb", FileAccess::Write);

    ASSERT_TRUE(SetFileAttributesW(L"C:\\Work\\doc.grb", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(DeleteFileW(L"C:\\Work\\doc.grb"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(files::writeAllAtomic(L"C:\\Work\\doc.grb", "changed"), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(SetFileAttributesW(L"C:\\Work\\doc.grb", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileW(L"C:\\Work\\doc.grb"));
    EXPECT_FALSE(files::exists(L"C:\\Work\\doc.grb"));

    ASSERT_EQ(files::writeAllAtomic(L"C:\\Work\\a.txt", "a"), 0u);
    ASSERT_EQ(files::writeAllAtomic(L"C:\\Work\\b.txt", "b"), 0u);
    EXPECT_FALSE(MoveFileW(L"C:\\Work\\a.txt", L"C:\\Work\\B.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CopyFileW(L"C:\\Work\\a.txt", L"C:\\Work\\b.txt", TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_TRUE(CopyFileW(L"C:\\Work\\a.txt", L"C:\\Work\\b.txt", FALSE));
    EXPECT_EQ(readHost("C/Work/b.txt"), "a");
    EXPECT_FALSE(RemoveDirectoryW(L"C:\\Work"));
    EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
    // Renaming only the case of a name is allowed.
    EXPECT_TRUE(MoveFileW(L"C:\\Work\\a.txt", L"C:\\Work\\A.TXT"));
    EXPECT_EQ(hostEntries("C/Work"), (std::vector<std::string>{"A.TXT", "b.txt"}));
}

TEST_F(StoreTest, EnumerationMatchesLongNamesInCaseInsensitiveOrder) {
    for (const char* name : {"b.grb", "A.grb", "x.grbx", "c.GRB", "README", "notes.grb.bak"}) writeHost(std::string("C/Docs/") + name, "x");
    std::filesystem::create_directories(root_ / "C/Docs/Sub");
    EXPECT_EQ(findNames(L"C:\\docs\\*.grb"), (std::vector<std::wstring>{L"A.grb", L"b.grb", L"c.GRB"}));
    EXPECT_EQ(findNames(L"C:\\Docs\\*"),
              (std::vector<std::wstring>{L".", L"..", L"A.grb", L"b.grb", L"c.GRB", L"notes.grb.bak", L"README", L"Sub", L"x.grbx"}));
    EXPECT_EQ(findNames(L"C:\\Docs\\?.grb"), (std::vector<std::wstring>{L"A.grb", L"b.grb", L"c.GRB"}));
    EXPECT_EQ(findNames(L"C:\\Docs\\*.*").size(), 9u);  // "*.*" matches names without a dot too
    EXPECT_EQ(findNames(L"C:\\Docs\\*."), (std::vector<std::wstring>{L".", L"..", L"README", L"Sub"}));
    EXPECT_EQ(findNames(L"C:\\Docs\\readme"), std::vector<std::wstring>{L"README"});
    // A drive root has no "." and "..".
    EXPECT_EQ(findNames(L"C:\\*"), std::vector<std::wstring>{L"Docs"});

    WIN32_FIND_DATAW data;
    EXPECT_EQ(FindFirstFileW(L"C:\\Docs\\*.kva", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(L"C:\\Missing\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    HANDLE search = FindFirstFileW(L"C:\\Docs\\S*", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
    FindClose(search);
    EXPECT_FALSE(FindClose(search));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(StoreTest, AttributesAreKeptBesideTheDrivesAndFollowTheFile) {
    ASSERT_EQ(files::createDirectories(L"C:\\Icons"), 0u);
    ASSERT_EQ(files::writeAllAtomic(L"C:\\Icons\\hidden.ico", "i"), 0u);
    ASSERT_EQ(files::writeAllAtomic(L"C:\\Icons\\plain.ico", "p"), 0u);
    EXPECT_EQ(GetFileAttributesW(L"C:\\Icons\\plain.ico"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesW(L"C:\\Icons"), FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(SetFileAttributesW(L"c:\\icons\\HIDDEN.ICO", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Icons\\hidden.ico"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(hostEntries("C/Icons"), (std::vector<std::string>{"hidden.ico", "plain.ico"}));
    EXPECT_TRUE(std::filesystem::exists(root_ / "attributes.tsv"));

    nextRun();
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(L"C:\\Icons\\*.ico", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::wstring(data.cFileName), L"hidden.ico");
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(data.nFileSizeLow, 1u);
    FindClose(search);

    // Moves carry the attributes; a delete forgets them, so a new file there starts plain.
    ASSERT_TRUE(MoveFileW(L"C:\\Icons\\hidden.ico", L"C:\\Icons\\moved.ico"));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Icons\\moved.ico"), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(files::writeAllAtomic(L"C:\\Icons\\hidden.ico", "new"), 0u);
    EXPECT_EQ(GetFileAttributesW(L"C:\\Icons\\hidden.ico"), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(CopyFileW(L"C:\\Icons\\moved.ico", L"C:\\Icons\\copy.ico", TRUE));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Icons\\copy.ico"), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(DeleteFileW(L"C:\\Icons\\moved.ico"));
    ASSERT_EQ(files::writeAllAtomic(L"C:\\Icons\\moved.ico", "again"), 0u);
    EXPECT_EQ(GetFileAttributesW(L"C:\\Icons\\moved.ico"), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StoreTest, AtomicWritesLeaveNoTemporaryFiles) {
    ASSERT_EQ(files::createDirectories(L"C:\\State"), 0u);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(files::writeAllAtomic(L"C:\\State\\state.xml", std::string(1000 * i, 'x')), 0u);
    EXPECT_EQ(hostEntries("C/State"), std::vector<std::string>{"state.xml"});
    EXPECT_EQ(readHost("C/State/state.xml").size(), 4000u);

    wchar_t temp[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    EXPECT_EQ(std::wstring(temp, length), platform::core::config().tempFolder + L"\\");
}

TEST_F(StoreTest, MalformedAttributeTableIsReportedAndKept) {
    writeHost("attributes.tsv", "00000002\tC:\\ok.txt\nnot a line\n");
    writeHost("C/ok.txt", "x");
    EXPECT_EQ(GetFileAttributesW(L"C:\\ok.txt"), FILE_ATTRIBUTE_HIDDEN);
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"attributes.tsv(2)"), std::wstring::npos);
    ASSERT_TRUE(SetFileAttributesW(L"C:\\ok.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(readHost("attributes.tsv"), "00000002\tC:\\ok.txt\nnot a line\n");
}

}  // namespace
