// Writing ini files: keys keep the order they were first set and are replaced without regard to
// case, a line break in a value cannot start a line of its own, and what is written reads back.
#include <gtest/gtest.h>

#include "platform/compression.h"
#include "platform/compression/ini_writer.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"

namespace {

TEST(TextIniWriter, KeysKeepTheirPlaceValuesStayOnTheirLineAndTheFileReadsBack) {
    kvio::IniFileWriter writer;
    writer.SetInt(L"Head", L"version", 2);
    writer.SetString(L"Body", L"Name", L"first");
    writer.SetString(L"head", L"Extra", L"x");
    writer.SetString(L"BODY", L"name", L"second\r\n[Head]\nversion=9");
    EXPECT_EQ(writer.Text(), L"[Head]\r\nversion=2\r\nExtra=x\r\n[Body]\r\nName=second  [Head] version=9\r\n");

    ASSERT_EQ(platform::files::createDirectories(L"C:\\Data"), 0u);
    ASSERT_TRUE(writer.Save(L"C:\\Data\\written.ini"));
    kvio::IniFile read;
    ASSERT_TRUE(read.Load(L"C:\\Data\\written.ini"));
    EXPECT_EQ(read.GetInt(L"Head", L"version", 0), 2);
    EXPECT_EQ(std::wstring(read.GetString(L"Body", L"Name").view()), L"second  [Head] version=9");
    EXPECT_EQ(read.GetSectionNames().size(), 2u);
    // A path that cannot be written is a failure, and nothing is left there.
    EXPECT_FALSE(writer.Save(L"C:\\Data\\written.ini\\inside.ini"));
    EXPECT_FALSE(writer.Save(nullptr));
}

}  // namespace
