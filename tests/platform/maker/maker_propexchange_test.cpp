#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/toolkit.h"
#include "platform/win32/files/file.h"

namespace {

const wchar_t* kApplicationXml =
    LR"(<?xml version="1.0" encoding="utf-8"?>
<Settings version="3">
  <ApplicationCommand name="Tool A" id="17000" visible="true"/>
  <Other name="not an entry"/>
  <ApplicationCommand name="Tool B" id="17001" visible="false">
    <Icon file="b.ico"/>
  </ApplicationCommand>
  <ApplicationCommand name="Tool C" id="x17" visible="maybe"/>
</Settings>)";

struct Command {
    CString name;
    int id = 0;
    bool visible = false;
    CString icon;
};

std::vector<Command> readCommands(CXTPPropExchange& px) {
    std::vector<Command> commands;
    CXTPPropExchangeEnumeratorPtr enumerator(px.GetEnumerator(L"ApplicationCommand"));
    POSITION position = enumerator->GetPosition();
    while (position) {
        CXTPPropExchange* entry = enumerator->GetNext(position);
        Command command;
        PX_String(entry, L"name", command.name);
        PX_Int(entry, L"id", command.id, -1);
        PX_Bool(entry, L"visible", command.visible, true);
        CXTPPropExchangeSection icon(entry->GetSection(L"Icon"));
        PX_String(icon.get(), L"file", command.icon, L"none");
        commands.push_back(command);
    }
    return commands;
}

TEST(MakerPropExchange, EnumeratesEntriesInOrderWithDefaultsForMissingAndBadValues) {
    CXTPPropExchangeXMLNode px(TRUE, L"Settings");
    ASSERT_TRUE(px.LoadFromString(kApplicationXml, L"application.xml"));
    int version = 0;
    PX_Int(&px, L"version", version);
    EXPECT_EQ(version, 3);

    const auto commands = readCommands(px);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].name, L"Tool A");
    EXPECT_EQ(commands[0].id, 17000);
    EXPECT_TRUE(commands[0].visible);
    EXPECT_EQ(commands[0].icon, L"none");  // no section: an empty one answering defaults
    EXPECT_EQ(commands[1].id, 17001);
    EXPECT_FALSE(commands[1].visible);
    EXPECT_EQ(commands[1].icon, L"b.ico");
    EXPECT_EQ(commands[2].id, -1);
    EXPECT_TRUE(commands[2].visible);

    const auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].rfind(L"application.xml(8): ", 0), 0u) << platform::core::toUtf8(warnings[0]);
    EXPECT_NE(warnings[0].find(L"x17"), std::wstring::npos);
}

TEST(MakerPropExchange, AnEmptyEnumerationHasNoPosition) {
    CXTPPropExchangeXMLNode px(TRUE, L"Settings");
    ASSERT_TRUE(px.LoadFromString(L"<Settings/>", L"empty.xml"));
    CXTPPropExchangeEnumeratorPtr enumerator(px.GetEnumerator(L"ApplicationCommand"));
    EXPECT_EQ(enumerator->GetPosition(), nullptr);
}

TEST(MakerPropExchange, RejectsMalformedFilesAndWrongRootsNamingTheFile) {
    const std::wstring folder = L"C:\\Work";
    ASSERT_EQ(platform::files::createDirectories(folder), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(folder + L"\\bad.xml", "<Settings>\n  <A>\n</Settings>\n"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(folder + L"\\other.xml", "<Layout/>"), 0u);

    CXTPPropExchangeXMLNode px(TRUE, L"Settings");
    EXPECT_FALSE(px.LoadFromFile(L"C:\\Work\\bad.xml"));
    EXPECT_FALSE(px.LoadFromFile(L"C:\\Work\\other.xml"));
    EXPECT_FALSE(px.LoadFromFile(L"C:\\Work\\missing.xml"));
    const auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0].rfind(L"C:\\Work\\bad.xml(3): malformed XML", 0), 0u) << platform::core::toUtf8(warnings[0]);
    EXPECT_NE(warnings[1].find(L"<Layout>"), std::wstring::npos);
    EXPECT_EQ(warnings[2].rfind(L"C:\\Work\\missing.xml", 0), 0u);
    // A failed load leaves an empty exchange that answers defaults.
    int value = 5;
    PX_Int(&px, L"version", value, 7);
    EXPECT_EQ(value, 7);
}

TEST(MakerPropExchange, WhatIsStoredLoadsBackTheSame) {
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Work"), 0u);
    {
        CXTPPropExchangeXMLNode px(FALSE, L"Settings");
        CString title = L"A <quoted> & \"odd\" name";
        int count = -12;
        BOOL flag = TRUE;
        PX_String(&px, L"title", title);
        PX_Int(&px, L"count", count);
        PX_Bool(&px, L"flag", flag);
        CXTPPropExchangeEnumeratorPtr enumerator(px.GetEnumerator(L"Item"));
        POSITION position = enumerator->GetPosition(2);
        for (int i = 0; position; ++i) {
            int index = i * 10;
            PX_Int(enumerator->GetNext(position), L"index", index);
        }
        ASSERT_TRUE(px.SaveToFile(L"C:\\Work\\state.xml"));
    }
    CXTPPropExchangeXMLNode px(TRUE, L"Settings");
    ASSERT_TRUE(px.LoadFromFile(L"C:\\Work\\state.xml"));
    CString title;
    int count = 0;
    BOOL flag = FALSE;
    PX_String(&px, L"title", title);
    PX_Int(&px, L"count", count);
    PX_Bool(&px, L"flag", flag);
    EXPECT_EQ(title, L"A <quoted> & \"odd\" name");
    EXPECT_EQ(count, -12);
    EXPECT_EQ(flag, TRUE);
    std::vector<int> indexes;
    CXTPPropExchangeEnumeratorPtr enumerator(px.GetEnumerator(L"Item"));
    for (POSITION position = enumerator->GetPosition(); position;) {
        int index = -1;
        PX_Int(enumerator->GetNext(position), L"index", index);
        indexes.push_back(index);
    }
    EXPECT_EQ(indexes, (std::vector<int>{0, 10}));
}

}  // namespace
