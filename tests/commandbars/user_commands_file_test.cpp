// The user commands' command file and registry section: every kind's fields survive both, and a
// damaged or hostile file or registry never costs a command already held, takes over a built-in id
// or replaces another command.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/kvw32_app.h"
#include "commandbars/usercommands/byte_streams.h"
#include "commandbars/usercommands/user_command_kinds.h"
#include "tests/commandbars/user_command_test_support.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;
using Korvo::UserCommands::MemoryReadStream;
using Korvo::UserCommands::MemoryWriteStream;

const std::wstring kSection = L"Software\\Velmora\\Korvo CAD 18.0\\UserCommands";
constexpr const wchar_t* kLibraryFolder = L"C:\\Users\\user\\Documents\\Samples\\";

std::string Word(DWORD value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Text(const std::string& ascii) {
    std::string bytes = Word(static_cast<DWORD>(ascii.size()));
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
}

// A record of a macro command as the file holds it: its record id and its stored id.
std::string MacroRecord(DWORD id, const std::string& prompt, DWORD storedId = 0) {
    return Word(id) + Word(1) + Text(prompt) + Text("") + Text("") + Word(storedId ? storedId : id) + Text("M");
}

std::string File(const std::string& records) { return Word(0x1234) + Word(1) + records + Word(0); }

// Every kind with every field set, the path fields of the second half inside the Samples library.
std::vector<std::unique_ptr<CKVUserCommand>> EveryKind() {
    std::vector<std::unique_ptr<CKVUserCommand>> made;
    for (UINT type = 1; type <= 7; ++type) {
        std::unique_ptr<CKVUserCommand> command = CKVUserCommand::Create(type);
        command->Prompt.Format(L"Prompt %u", type);
        command->Tooltip.Format(L"Tip \u00e9 %u", type);
        command->ID = 37100 + type;
        made.push_back(std::move(command));
    }
    static_cast<CKVMacroUserCommand&>(*made[0]).Macro = L"Tidy";
    auto& app = static_cast<CKVExternalAppUserCommand&>(*made[1]);
    app.App = L"C:\\Tools\\Notes.exe";
    app.Args = L"-q \"x y\"";
    app.Wait = 1;
    static_cast<CKVOpenFileUserCommand&>(*made[2]).File = CString(kLibraryFolder) + L"Bracket.grb";
    static_cast<CKVOpenFolderUserCommand&>(*made[3]).Folder = L"C:\\Users\\user\\Documents";
    auto& library = static_cast<CKVOpenLibraryUserCommand&>(*made[4]);
    library.Library = L"Samples";
    library.Mode = 2;
    static_cast<CKVFragmentUserCommand&>(*made[5]).Path = CString(kLibraryFolder) + L"Cover plate.grb";
    static_cast<CKVCreateDocumentUserCommand&>(*made[6]).Prototype = L"C:\\Elsewhere\\Drawing.grb";
    made[5]->Icon = CString(kLibraryFolder) + L"Cover plate.grb";
    return made;
}

// Every command as its list text with its id and icon, by id.
std::vector<std::wstring> Listed(const CKVUserCommands& commands) {
    std::vector<std::wstring> lines;
    commands.ForEach([&](UINT id, const CKVUserCommand& command) {
        lines.push_back(std::to_wstring(id) + L" " + std::wstring(command.GetText().view()) + L" [" +
                        std::wstring(command.Tooltip.view()) + L"] " + std::wstring(command.Icon.view()));
    });
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The ids in the collection's own order, the order the user tools list shows.
std::vector<UINT> InOrder(const CKVUserCommands& commands) {
    std::vector<UINT> ids;
    commands.ForEach([&](UINT id, const CKVUserCommand&) { ids.push_back(id); });
    return ids;
}

class UserCommandsFile : public StartedWithSampleLibraries {
protected:
    bool ReadBytes(CKVUserCommands& commands, std::string bytes) {
        MemoryReadStream stream(std::move(bytes));
        return commands.Read(stream);
    }

    void Fill(CKVUserCommands& commands) {
        for (std::unique_ptr<CKVUserCommand>& command : EveryKind()) ASSERT_NE(commands.AssignCommandId(command), 0u);
    }
};

TEST_F(UserCommandsFile, EveryKindAndFieldComesBack) {
    CKVUserCommands written;
    Fill(written);
    const auto* app = dynamic_cast<const CKVExternalAppUserCommand*>(written.Lookup(37102));
    ASSERT_NE(app, nullptr);
    MemoryWriteStream stream;
    ASSERT_TRUE(written.Write(stream));

    CKVUserCommands read;
    ASSERT_TRUE(ReadBytes(read, stream.Bytes()));
    EXPECT_EQ(Listed(read), Listed(written));
    EXPECT_EQ(InOrder(read), InOrder(written)) << "a file read back keeps the order it was written in";
    const auto* readApp = dynamic_cast<const CKVExternalAppUserCommand*>(read.Lookup(37102));
    ASSERT_NE(readApp, nullptr);
    EXPECT_EQ(readApp->Args, app->Args);
    EXPECT_EQ(readApp->Wait, 1u);
    EXPECT_EQ(dynamic_cast<const CKVOpenLibraryUserCommand*>(read.Lookup(37105))->Mode, 2u);
}

TEST_F(UserCommandsFile, AnEmptyFileEmptiesTheCollectionAndAWrongMagicLeavesIt) {
    CKVUserCommands commands;
    Fill(commands);
    EXPECT_FALSE(ReadBytes(commands, Word(0x1235) + Word(1) + Word(0)));
    EXPECT_EQ(commands.GetCount(), 7);
    EXPECT_FALSE(ReadBytes(commands, std::string()));
    EXPECT_EQ(commands.GetCount(), 7);
    EXPECT_TRUE(ReadBytes(commands, File("")));
    EXPECT_EQ(commands.GetCount(), 0);
}

TEST_F(UserCommandsFile, StoredIdsThatAreTakenOrNoUserIdsGetTheNextFreeOne) {
    CKVUserCommands commands;
    ASSERT_TRUE(ReadBytes(commands, File(MacroRecord(37005, "a") + MacroRecord(37005, "b") + MacroRecord(1, "zero", 0xFFFFFFFF) +
                                         MacroRecord(1, "below", 36999) + MacroRecord(1, "above", 38000) +
                                         MacroRecord(37006, "c"))));
    std::vector<std::pair<UINT, std::wstring>> ids;
    commands.ForEach([&](UINT id, const CKVUserCommand& command) {
        EXPECT_EQ(command.ID, id);
        ids.emplace_back(id, command.Prompt.view());
    });
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::pair<UINT, std::wstring>>{
                       {37000, L"zero"}, {37001, L"below"}, {37002, L"above"}, {37005, L"a"}, {37006, L"b"}, {37007, L"c"}}));

    // The record id 0 ends the file: what follows it is not read.
    CKVUserCommands ended;
    ASSERT_TRUE(ReadBytes(ended, File(MacroRecord(37005, "a") + Word(0) + MacroRecord(37006, "after"))));
    EXPECT_EQ(ended.GetCount(), 1);
}

TEST_F(UserCommandsFile, AnIdIsFoundUpwardOnlyAndWithNoneFreeTheCommandIsDropped) {
    std::string records;
    for (DWORD id = 37000; id <= 37999; ++id) records += MacroRecord(id, "full");
    CKVUserCommands commands;
    ASSERT_TRUE(ReadBytes(commands, File(records + MacroRecord(37500, "late"))));
    EXPECT_EQ(commands.GetCount(), 1000);
    EXPECT_EQ(commands.Lookup(37500)->Prompt, CString(L"full"));

    // Ids 37990 to 37999 taken: a command asking for 37990 gets none though lower ids are free.
    CKVUserCommands upper;
    ASSERT_TRUE(ReadBytes(upper, File("")));
    for (UINT id = 37990; id <= 37999; ++id) {
        std::unique_ptr<CKVUserCommand> command = CKVUserCommand::Create(1);
        command->ID = id;
        ASSERT_EQ(upper.AssignCommandId(command), id);
    }
    std::unique_ptr<CKVUserCommand> late = CKVUserCommand::Create(1);
    late->ID = 37990;
    EXPECT_EQ(upper.AssignCommandId(late), 0u);
    EXPECT_NE(late, nullptr);  // still the caller's
    std::unique_ptr<CKVUserCommand> none;
    EXPECT_EQ(upper.AssignCommandId(none), 0u);
}

TEST_F(UserCommandsFile, ADamagedRecordEndsTheFileWithTheCommandsBeforeIt) {
    const std::string good = MacroRecord(37001, "kept");
    const std::string second = MacroRecord(37002, "cut");
    CKVUserCommands cut;
    EXPECT_TRUE(ReadBytes(cut, Word(0x1234) + Word(1) + good + second.substr(0, second.size() - 3)));
    EXPECT_EQ(Listed(cut).size(), 1u);

    // A string longer than the file: no huge allocation, the file ends there.
    CKVUserCommands hostile;
    EXPECT_TRUE(ReadBytes(hostile, Word(0x1234) + Word(1) + good + Word(37003) + Word(1) + Word(0x7FFFFFFF) + "ab"));
    EXPECT_EQ(hostile.GetCount(), 1);

    // An unknown type: records carry no length, so nothing after it is trusted.
    CKVUserCommands unknown;
    EXPECT_TRUE(ReadBytes(unknown, File(good + Word(37004) + Word(9) + MacroRecord(37005, "after"))));
    EXPECT_EQ(unknown.GetCount(), 1);
    EXPECT_NE(unknown.Lookup(37001), nullptr);
}

TEST_F(UserCommandsFile, TheRegistryKeepsLibraryPathsAsReferencesAndReadsThemBack) {
    CKVUserCommands written;
    Fill(written);
    written.WriteToRegistry(L"UserCommands");
    EXPECT_EQ(s.registry().getDword(L"HKEY_CURRENT_USER", kSection, L"Count"), 7u);
    const std::wstring fileKey = kSection + L"\\Command" + std::to_wstring([&] {
        DWORD index = 0, found = 0;
        written.ForEach([&](UINT id, const CKVUserCommand&) {
            if (id == 37103) found = index;
            ++index;
        });
        return found;
    }());
    EXPECT_EQ(s.registry().getString(L"HKEY_CURRENT_USER", fileKey, L"FileInLibrary"), L"<Samples>Bracket.grb");
    EXPECT_EQ(s.registry().getDword(L"HKEY_CURRENT_USER", fileKey, L"Type"), 3u);

    CKVUserCommands read;
    ASSERT_TRUE(read.ReadFromRegistry(L"UserCommands"));
    EXPECT_EQ(Listed(read), Listed(written));
    EXPECT_EQ(InOrder(read), InOrder(written)) << "the registry read back keeps the order it was written in";
}

TEST_F(UserCommandsFile, TheRegistryReaderSkipsWhatItCannotUseAndKeepsIdsUnique) {
    auto command = [&](int index, DWORD type, DWORD id, const std::wstring& prompt) {
        const std::wstring key = kSection + L"\\Command" + std::to_wstring(index);
        if (type) s.registry().setDword(L"HKEY_CURRENT_USER", key, L"Type", type);
        s.registry().setDword(L"HKEY_CURRENT_USER", key, L"ID", id);
        s.registry().setString(L"HKEY_CURRENT_USER", key, L"Prompt", prompt);
        return key;
    };
    s.registry().setDword(L"HKEY_CURRENT_USER", kSection, L"Count", 6);
    command(0, 4, 37010, L"first");
    command(1, 4, 37010, L"same id");
    command(2, 4, 1001, L"built-in id");
    command(3, 0, 37020, L"no type");
    command(4, 12, 37021, L"unknown type");
    // The app's path: a reference to a library that does not exist leaves the plain path.
    const std::wstring app = command(5, 2, 37030, L"program");
    s.registry().setString(L"HKEY_CURRENT_USER", app, L"App", L"C:\\Tools\\Notes.exe");
    s.registry().setString(L"HKEY_CURRENT_USER", app, L"AppInLibrary", L"<Nowhere>Notes.exe");
    command(6, 1, 37040, L"beyond the count");
    // "Wait" stored as four binary bytes, and any value but 0 is 1.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, app.c_str(), 0, KEY_WRITE, &key), ERROR_SUCCESS);
    const BYTE wait[4] = {7, 0, 0, 0};
    ::RegSetValueExW(key, L"Wait", 0, REG_BINARY, wait, 4);
    ::RegCloseKey(key);

    CKVUserCommands read;
    ASSERT_TRUE(read.ReadFromRegistry(L"UserCommands"));
    std::vector<std::pair<UINT, std::wstring>> ids;
    read.ForEach([&](UINT id, const CKVUserCommand& c) { ids.emplace_back(id, c.Prompt.view()); });
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::pair<UINT, std::wstring>>{
                       {37000, L"built-in id"}, {37010, L"first"}, {37011, L"same id"}, {37030, L"program"}}));
    const auto* program = dynamic_cast<const CKVExternalAppUserCommand*>(read.Lookup(37030));
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program->App, CString(L"C:\\Tools\\Notes.exe"));
    EXPECT_EQ(program->Wait, 1u);

    // Writing fewer commands leaves the stale sub-keys beyond the count.
    read.RemoveAll();
    read.WriteToRegistry(L"UserCommands");
    EXPECT_EQ(s.registry().getDword(L"HKEY_CURRENT_USER", kSection, L"Count"), 0u);
    EXPECT_TRUE(s.registry().hasKey(L"HKEY_CURRENT_USER", kSection + L"\\Command6"));

    // A count beyond what a save can write is damage: the sub-keys a save can have written are
    // read (up to Command999, one per user-command id), and none past them is looked for.
    s.registry().setDword(L"HKEY_CURRENT_USER", kSection, L"Count", 0xFFFFFFFF);
    command(999, 4, 37999, L"the last a save writes");
    command(1000, 4, 37998, L"past what a save writes");
    ASSERT_TRUE(read.ReadFromRegistry(L"UserCommands"));
    ids.clear();
    read.ForEach([&](UINT id, const CKVUserCommand& c) { ids.emplace_back(id, c.Prompt.view()); });
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::pair<UINT, std::wstring>>{{37000, L"built-in id"},
                                                               {37010, L"first"},
                                                               {37011, L"same id"},
                                                               {37030, L"program"},
                                                               {37040, L"beyond the count"},
                                                               {37999, L"the last a save writes"}}));
}

TEST_F(UserCommandsFile, TheProfileStateKeepsTheApplicationsCommandsAndReadsWhatTheRegistryHolds) {
    CKVUserCommands& commands = CKvw32App::Instance()->GetUserCommands();
    Fill(commands);
    const std::vector<std::wstring> held = Listed(commands);
    KorvoProfileManager::Instance().SaveState();
    EXPECT_EQ(s.registry().getDword(L"HKEY_CURRENT_USER", kSection, L"Count"), 7u);

    // A command put into the section from outside is read with the saved ones.
    const std::wstring added = kSection + L"\\Command7";
    s.registry().setDword(L"HKEY_CURRENT_USER", kSection, L"Count", 8);
    s.registry().setDword(L"HKEY_CURRENT_USER", added, L"Type", 4);
    s.registry().setDword(L"HKEY_CURRENT_USER", added, L"ID", 37500);
    s.registry().setString(L"HKEY_CURRENT_USER", added, L"Prompt", L"Outside");
    s.registry().setString(L"HKEY_CURRENT_USER", added, L"Folder", L"C:\\Users\\user\\Documents");
    commands.RemoveAll();
    KorvoProfileManager::Instance().LoadState();
    const CKVUserCommand* outside = commands.Lookup(37500);
    ASSERT_NE(outside, nullptr);
    EXPECT_EQ(outside->Prompt, CString(L"Outside"));
    std::vector<std::wstring> listed = Listed(commands);
    std::erase_if(listed, [](const std::wstring& line) { return line.starts_with(L"37500 "); });
    EXPECT_EQ(listed, held);
}

TEST(UserCommandTexts, FragmentNamesLibraryReferencesAndListTexts) {
    EXPECT_EQ(CKVFragmentUserCommand::DisplayName(L"<Standard parts>Bolts\\M6.grb"), CString(L"Bolts\\M6"));
    EXPECT_EQ(CKVFragmentUserCommand::DisplayName(L"C:\\Parts\\Nut.grs"), CString(L"C:\\Parts\\Nut"));
    EXPECT_EQ(CKVFragmentUserCommand::DisplayName(L"C:\\Parts\\Plain"), CString(L"C:\\Parts\\Plain"));
    const CKVFragmentUserCommand dropped(L"<Lib>Gear.grb");
    EXPECT_EQ(dropped.Prompt, CString(L"Gear"));
    EXPECT_EQ(dropped.Tooltip, CString(L"Gear"));
    EXPECT_EQ(dropped.Icon, CString(L"<Lib>Gear.grb"));
    EXPECT_EQ(CKVUserCommand::Create(0), nullptr);
    EXPECT_EQ(CKVUserCommand::Create(8), nullptr);
}

TEST_F(UserCommandsFile, LibraryReferencesResolveOnlyWhenWellFormedAndKnown) {
    using Korvo::UserCommands::ResolveLibraryReference;
    EXPECT_EQ(ResolveLibraryReference(L"<Samples>Bracket.grb"), CString(kLibraryFolder) + L"Bracket.grb");
    EXPECT_EQ(ResolveLibraryReference(L"<Samples>"), std::nullopt);
    EXPECT_EQ(ResolveLibraryReference(L"Samples>x<y"), std::nullopt);
    EXPECT_EQ(ResolveLibraryReference(L"<Unknown>x.grb"), std::nullopt);
    EXPECT_EQ(Korvo::UserCommands::MakeLibraryReference(CString(kLibraryFolder) + L"Bracket.grb"),
              CString(L"<Samples>Bracket.grb"));
    CKVOpenLibraryUserCommand library;
    library.Prompt = L"Parts";
    library.Library = L"Samples";
    EXPECT_EQ(library.GetText(), CString(L"Parts (Library: Samples)"));
}

}  // namespace
