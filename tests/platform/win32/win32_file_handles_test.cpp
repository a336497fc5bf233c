// Files by handle, UTF-8 conversion and metafile DCs: what the log window and the text
// browsers' metafile callback rely on.
#include <filesystem>

#include "platform/harness.h"
#include "tests/platform/win32/win32_test_support.h"
#include "tests/support/session_test.h"

namespace {

using namespace win32test;

class Win32FileHandles : public platform::harness::SessionTest {};

TEST_F(Win32FileHandles, AHandleReadsSeeksAndWritesTheMappedFileAndFailsWhereWindowsDoes) {
    platform::harness::Session s;
    s.files().write(L"C:\\Work\\data.bin", "0123456789");
    EXPECT_EQ(CreateFileW(L"C:\\Work\\none.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    HANDLE file = CreateFileW(L"C:\\Work\\data.bin", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    ASSERT_TRUE(GetFileSizeEx(file, &size));
    EXPECT_EQ(size.QuadPart, 10);
    LARGE_INTEGER move{};
    move.QuadPart = -3;
    LARGE_INTEGER at{};
    ASSERT_TRUE(SetFilePointerEx(file, move, &at, FILE_END));
    EXPECT_EQ(at.QuadPart, 7);
    move.QuadPart = -20;
    EXPECT_FALSE(SetFilePointerEx(file, move, &at, FILE_CURRENT));
    char out[8] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file, out, 8, &read, nullptr));
    EXPECT_EQ(std::string(out, read), "789");
    s.faults().failAt(L"ReadFile 1");
    EXPECT_FALSE(ReadFile(file, out, 8, &read, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_READ_FAULT);
    DWORD written = 0;
    EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));  // opened for reading
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(ReadFile(file, out, 1, &read, nullptr));  // closed
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    HANDLE created = CreateFileW(L"C:\\Work\\new.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(WriteFile(created, "abc", 3, &written, nullptr));
    EXPECT_EQ(written, 3u);
    CloseHandle(created);
    EXPECT_EQ(s.files().read(L"C:\\Work\\new.bin"), "abc");
}

// A handle names where its file really is: the spelling the file system keeps, with "." and ".."
// gone and every link on the way followed; a folder opens only with backup semantics.
TEST_F(Win32FileHandles, TheFinalPathOfAHandleIsWhereTheFileReallyIs) {
    platform::harness::Session s;
    s.files().write(L"C:\\Users\\user\\Documents\\Report.grs", "x");
    s.files().write(L"C:\\Users\\user\\AppData\\Local\\Temp\\keep.txt", "x");
    std::filesystem::create_directory_symlink(s.files().hostPath(L"C:\\Users\\user\\Documents"),
                                              s.files().hostPath(L"C:\\Users\\user\\AppData\\Local\\Temp") + "/DocsLink");
    auto finalPath = [](LPCWSTR path, DWORD flags, DWORD access = 0) {
        HANDLE file = CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  flags, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::wstring(L"error ") + std::to_wstring(GetLastError());
        wchar_t buffer[MAX_PATH] = {};
        const DWORD length = GetFinalPathNameByHandleW(file, buffer, MAX_PATH, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        CloseHandle(file);
        return std::wstring(buffer, length);
    };
    const std::wstring report = L"\\\\?\\C:\\Users\\user\\Documents\\Report.grs";
    EXPECT_EQ(finalPath(L"C:\\Users\\user\\AppData\\Local\\Temp\\..\\..\\..\\Documents\\Report.grs", 0), report);
    EXPECT_EQ(finalPath(L"c:\\USERS\\user\\appdata\\local\\temp\\.\\../..\\..\\documents\\REPORT.GRS", 0, GENERIC_READ), report);
    EXPECT_EQ(finalPath(L"C:\\Users\\user\\AppData\\Local\\Temp\\DocsLink\\report.grs", 0), report);
    EXPECT_EQ(finalPath(L"C:\\Users\\user\\AppData\\Local\\Temp\\DocsLink", 0), L"error 5") << "a folder needs backup semantics";
    EXPECT_EQ(finalPath(L"c:\\users\\user\\appdata\\local\\temp\\DocsLink", FILE_FLAG_BACKUP_SEMANTICS),
              L"\\\\?\\C:\\Users\\user\\Documents");
    EXPECT_EQ(finalPath(L"C:\\Users\\user\\AppData\\Local\\Temp\\none.txt", 0), L"error 2");

    HANDLE folder = CreateFileW(L"C:\\Users\\user\\AppData\\Local\\Temp", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(folder, INVALID_HANDLE_VALUE);
    char byte = 0;
    DWORD read = 0;
    EXPECT_FALSE(ReadFile(folder, &byte, 1, &read, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FUNCTION);
    // The buffer convention: the size needed with the terminator, then the length without it.
    const std::wstring temp = L"\\\\?\\C:\\Users\\user\\AppData\\Local\\Temp";
    wchar_t small[4] = {};
    EXPECT_EQ(GetFinalPathNameByHandleW(folder, small, 4, VOLUME_NAME_DOS), temp.size() + 1);
    wchar_t buffer[MAX_PATH] = {};
    EXPECT_EQ(GetFinalPathNameByHandleW(folder, buffer, MAX_PATH, FILE_NAME_OPENED | VOLUME_NAME_NONE), 30u);
    EXPECT_EQ(std::wstring(buffer), L"\\Users\\user\\AppData\\Local\\Temp");
    EXPECT_EQ(GetFinalPathNameByHandleW(folder, buffer, MAX_PATH, 0x10), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    CloseHandle(folder);
    EXPECT_EQ(GetFinalPathNameByHandleW(folder, buffer, MAX_PATH, VOLUME_NAME_DOS), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Win32CodePages, Utf8BecomesUtf16AndBadBytesBecomeReplacementCharacters) {
    const char text[] = "\xd0\x9b\xd0\xbe\xd0\xb3 \xff!";
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 9, nullptr, 0), 6);
    wchar_t out[8] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 9, out, 8), 6);
    EXPECT_EQ(std::wstring(out, 6), L"Лог \xFFFD!");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 9, out, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", -1, out, 8), 3);  // with its terminator
}

TEST(Win32Metafiles, AMetafileDcRecordsItsMappingAndDrawingUntilClosed) {
    const RECT frame{0, 0, 500, 200};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, L"Korvo CAD");
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(SetMapMode(dc, MM_ISOTROPIC), MM_TEXT);
    EXPECT_TRUE(SetWindowExtEx(dc, 50, 20, nullptr));
    EXPECT_TRUE(SetViewportExtEx(dc, 5, 2, nullptr));
    TextOutW(dc, 1, 2, L"text", 4);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    ASSERT_NE(metafile, nullptr);
    const auto info = platform::win32::enhMetafile(metafile);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->frame.right, 500);
    EXPECT_EQ(info->description, L"Korvo CAD");
    EXPECT_EQ(info->mapMode, MM_ISOTROPIC);
    EXPECT_EQ(info->windowExt.cx, 50);
    EXPECT_EQ(info->viewportExt.cy, 2);
    ASSERT_EQ(info->drawing.size(), 1u);
    EXPECT_NE(info->drawing[0].find(L"TextOut (1,2) \"text\""), std::wstring::npos);
    EXPECT_EQ(GetDeviceCaps(nullptr, HORZSIZE), 508);
    EXPECT_TRUE(DeleteEnhMetaFile(metafile));
    EXPECT_FALSE(platform::win32::enhMetafile(metafile));
}

}  // namespace
