// The command search's list and synonyms against the kernel's commands: which commands are
// listed, how they are sorted and found, and how synonym lines are read.
#include <algorithm>

#include "commandbars/search/command_list.h"
#include "commandbars/search/command_tags.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/korvoui/kvpf.h"
#include "platform/kernel/ui/control.h"
#include "tests/support/session_test.h"
#include "tests/support/table_check.h"

namespace {

class CommandSearchTest : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
    }
    static int Position(const std::vector<CommandEntry>& list, UINT id) {
        const auto found = std::find_if(list.begin(), list.end(), [id](const CommandEntry& entry) { return entry.id == id; });
        return found == list.end() ? -1 : static_cast<int>(found - list.begin());
    }
    platform::harness::Session s;
};

TEST_F(CommandSearchTest, TheListTakesVisibleCommandsWithTextsSortedByCaption) {
    using platform::kernel::overrideString;
    overrideString(1001, L"Opens a document\n&Open");
    overrideString(2046, L"Research\nR&&D");
    overrideString(1093, L"first\nSame");
    overrideString(1201, L"second\nSame");
    overrideString(1062, L"A description without a caption\n");
    overrideString(1204, L"Closes them\nClose all");
    overrideString(1190, L"Applies the first profile\nProfile 1");
    overrideString(1191, L"Applies the second profile\nProfile 2");
    overrideString(1192, L"Applies the third profile\nProfile 3");
    platform::kernel::control().invisibleCommands.insert(1204);
    for (const wchar_t* profile : {L"Office", L"Home"})
        s.registry().setString(L"HKEY_CURRENT_USER", s.registry().productKey() + L"\\Profiles\\" + profile, L"x", L"y");

    const std::vector<CommandEntry> list = BuildCommandList(L"");
    ASSERT_GE(Position(list, 1001), 0);
    // One "&" goes, a doubled one stays.
    EXPECT_EQ(list[static_cast<std::size_t>(Position(list, 1001))].text, CString(L"Opens a document\nOpen"));
    EXPECT_EQ(list[static_cast<std::size_t>(Position(list, 2046))].text, CString(L"Research\nR&&D"));
    // Equal captions by id; an empty caption after all the others.
    EXPECT_LT(Position(list, 1093), Position(list, 1201));
    EXPECT_EQ(Position(list, 1062), static_cast<int>(list.size()) - 1);
    // Invisible commands and profiles beyond the existing ones stay out.
    EXPECT_EQ(Position(list, 1204), -1);
    EXPECT_GE(Position(list, 1190), 0);
    EXPECT_GE(Position(list, 1191), 0);
    EXPECT_EQ(Position(list, 1192), -1);
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), CommandEntryLess));
}

TEST_F(CommandSearchTest, AnAddOnCommandIsListedOnceWhicheverWayItWasRegistered) {
    using platform::kernel::overrideString;
    // Registered by name, the kernel lists them and the add-on range holds them too; registered
    // out of id order so that the two sources meet in another order than they were made.
    overrideString(16980, L"Listed by the kernel\nBoth ways, later");
    overrideString(16970, L"Listed by the kernel too\nBoth ways, earlier");
    overrideString(16990, L"Known only to the add-on range\nAdd-on only");
    overrideString(16960, L"Says it once\nSays it once");
    KVCommandContainer& commands = KVCommandContainer::Instance();
    ASSERT_TRUE(commands.RegisterCommand(16980, L"ADDON_LATER", {}));
    ASSERT_TRUE(commands.RegisterCommand(16970, L"ADDON_EARLIER", {}));
    ASSERT_TRUE(commands.RegisterCommand(new KVDocumentCommand(16990, L"ADDON_OBJECT", nullptr, nullptr, {}), 16990));
    ASSERT_TRUE(commands.RegisterCommand(new KVDocumentCommand(16960, L"ADDON_ECHO", nullptr, nullptr, {}), 16960));

    for (const CString& filter : {CString(), Korvo::GetSearchableEquivalent(L"kernel"), Korvo::GetSearchableEquivalent(L"add-on")}) {
        const std::vector<CommandEntry> list = BuildCommandList(filter);
        for (const UINT id : {16970u, 16980u, 16990u}) {
            const auto times = std::count_if(list.begin(), list.end(), [id](const CommandEntry& entry) { return entry.id == id; });
            EXPECT_LE(times, 1) << id << " listed " << times << " times for the filter \"" << filter.GetString() << "\"";
        }
    }
    const std::vector<CommandEntry> all = BuildCommandList(L"");
    EXPECT_GE(Position(all, 16970), 0);
    EXPECT_GE(Position(all, 16980), 0);
    ASSERT_GE(Position(all, 16990), 0);
    EXPECT_EQ(all[static_cast<std::size_t>(Position(all, 16990))].text, CString(L"Known only to the add-on range\nAdd-on only"));
    // A prompt that only repeats the caption is not shown twice.
    ASSERT_GE(Position(all, 16960), 0);
    EXPECT_EQ(all[static_cast<std::size_t>(Position(all, 16960))].text, CString(L"Says it once"));
    EXPECT_EQ(BuildCommandList(Korvo::GetSearchableEquivalent(L"both ways")).size(), 2u);
}

TEST_F(CommandSearchTest, AFilterFindsTheIdTheTextsAndTheSynonyms) {
    using platform::kernel::overrideString;
    overrideString(1001, L"Opens a document\nOpen");
    overrideString(1029, L"Saves 1001 copies\nSave");
    overrideString(1093, L"Stores under another name\nSave as");
    // The id finds its command whatever the text; the same digits in a text find that one too.
    std::vector<CommandEntry> list = BuildCommandList(L"1001");
    EXPECT_GE(Position(list, 1001), 0);
    EXPECT_GE(Position(list, 1029), 0);
    EXPECT_EQ(Position(list, 1093), -1);
    // The filter comes in searchable form; captions and descriptions are folded the same way.
    list = BuildCommandList(Korvo::GetSearchableEquivalent(L"ANOTHER NAME"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].id, 1093u);
    // The sample's synonyms: "store" is one of 1029's; off, only the texts count.
    list = BuildCommandList(L"keep");
    EXPECT_GE(Position(list, 1029), 0);
    GetKVOptions().findBySynonyms = false;
    EXPECT_EQ(Position(BuildCommandList(L"keep"), 1029), -1);
}

TEST_F(CommandSearchTest, SynonymLinesNameACommandThenItsWords) {
    const auto tags = [](const wchar_t* line) -> std::wstring {
        const auto parsed = ParseCommandTagLine(line);
        return parsed ? std::to_wstring(parsed->id) + L":" + std::wstring(parsed->tags.view()) : L"skipped";
    };
    platform::kernel::control().invisibleCommands.insert(1029);
    tablecheck::ExpectRows<const wchar_t*, std::wstring>(
        "synonym lines",
        {{L"  DocumentOpen   Load  File  ", L"1001:  load  file"},
         {L"DocumentOpen", L"skipped"},
         {L"1001 &Load &&Co", L"1001:load &&co"},
         {L"17001 an application command", L"skipped"},
         {L"32000 the last application command", L"skipped"},
         {L"32001 past them", L"32001:past them"},
         {L"9335 the pane's own menu", L"skipped"},
         {L"46500 a user command", L"skipped"},
         {L"NoSuchCommand words", L"skipped"},
         {L"1029 invisible", L"skipped"},
         {L"1001 &", L"skipped"}},
        tags);
}

TEST_F(CommandSearchTest, TwoFilesOfOneCommandJoinTheirSynonyms) {
    s.files().writeIni(L"Tags1.txt", L"\xFEFF" L"DocumentOpen load\n\n1029 keep\r\nDocumentOpen browse\n");
    s.files().writeIni(L"Tags2.txt", L"DocumentOpen открыть\n");
    CommandTagMap map;
    EXPECT_TRUE(ReadCommandTagsFile(KVAppendProgramPath(L"Tags1.txt"), map));
    EXPECT_TRUE(ReadCommandTagsFile(KVAppendProgramPath(L"Tags2.txt"), map));
    EXPECT_FALSE(ReadCommandTagsFile(KVAppendProgramPath(L"Missing.txt"), map));
    EXPECT_EQ(map[1001], CString(L"load;browse;открыть"));
    EXPECT_EQ(map[1029], CString(L"keep"));
}

}  // namespace

namespace {

// The kernel's command chooser, looked at while it is open: its rows are the search's, black
// for what the frame can run and grey otherwise, and typing into its filter refills them.
TEST_F(CommandSearchTest, TheChooserColoursItsRowsByTheFramesCommandStateAndTypingRefillsIt) {
    std::vector<std::pair<UINT, kvpf::Color>> shown;
    std::size_t unfiltered = 0;
    s.user().expectDialog(std::wstring(L"FindCommand.Title"), [&](HWND dialog) {
        auto* list = dynamic_cast<kvpf::ListControl*>(kvpf::WpfDockFormView::FindControl(L"FindCommandDialog.Commands"));
        ASSERT_NE(list, nullptr);
        unfiltered = static_cast<std::size_t>(list->GetModel()->GetRowCount());
        using Action = platform::core::DialogAction;
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Text, 0, L"tile", L"FindCommandDialog.Filter"}), std::nullopt);
        auto* rows = static_cast<kvpf::SimpleListModel*>(list->GetModel());
        for (int row = 0; row < rows->GetRowCount(); ++row)
            shown.emplace_back(static_cast<UINT>(rows->GetRow(row).id), rows->GetRow(row).color.value_or(kvpf::Color{1, 2, 3}));
        EXPECT_EQ(s.user().act(dialog, Action{Action::Kind::Cancel, 0, {}}), std::nullopt);
    });
    std::optional<UINT> chosen = 1;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { chosen = kernel.SelectCommandId(nullptr); });
    EXPECT_EQ(chosen, std::nullopt) << "cancelled";
    EXPECT_EQ(unfiltered, BuildCommandList(L"").size());
    ASSERT_EQ(shown.size(), 2u) << "the filter narrowed the list";
    EXPECT_EQ(shown[0].first, 1062u);
    EXPECT_EQ(shown[1].first, 1092u);
    const HWND frame = s.inspect().mainFrames().at(0);
    for (const auto& [id, color] : shown) {
        const bool enabled = UIModuleProxy::Instance().IsCommandEnabled(id, frame);
        EXPECT_EQ(color, enabled ? (kvpf::Color{0, 0, 0}) : (kvpf::Color{128, 128, 128})) << id;
    }
}

}  // namespace
