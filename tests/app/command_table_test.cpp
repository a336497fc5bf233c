// The constant command and tool-bar tables, checked by their invariants and against exception
// lists typed a second time, independently of the tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <new>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/commands/command_table_data.h"
#include "mainframe/toolsengine/default_toolbar_table.h"

namespace {

using namespace CommandTables;
using IdSet = std::set<UINT>;

IdSet Ids(std::initializer_list<UINT> ids) { return IdSet(ids); }

template <typename Row, typename Predicate>
IdSet IdsWhere(std::span<const Row> rows, Predicate predicate) {
    IdSet ids;
    for (const Row& row : rows) {
        if (predicate(row)) ids.insert(row.id);
    }
    return ids;
}

// Every row's value of `field` is the value its id has in `exceptions`, or `fallback`.
template <typename Row, typename Field>
void ExpectValuesByException(std::span<const Row> rows, Field field, DWORD fallback,
                             const std::map<DWORD, IdSet>& exceptions) {
    IdSet listed;
    for (const auto& [value, ids] : exceptions) {
        for (UINT id : ids) {
            EXPECT_TRUE(listed.insert(id).second) << "id " << id << " listed under two values";
        }
    }
    IdSet seen;
    for (const Row& row : rows) {
        seen.insert(row.id);
        DWORD expected = fallback;
        for (const auto& [value, ids] : exceptions) {
            if (ids.contains(row.id)) expected = value;
        }
        EXPECT_EQ(row.*field, expected) << "id " << row.id;
    }
    for (UINT id : listed) EXPECT_TRUE(seen.contains(id)) << "exception id " << id << " has no row";
}

const DefaultToolBarRecord& Record(std::wstring_view internalName) {
    for (const DefaultToolBarRecord& record : DefaultToolBarRecords()) {
        if (record.internalName == internalName) return record;
    }
    throw std::invalid_argument("no such tool bar");
}

std::vector<UINT> IdsOf(const ToolBarCommandIds& ids) { return {ids.begin(), ids.end()}; }

// The command ids one bar gets in an edition.
std::vector<UINT> ButtonIds(const DefaultToolBarRecord& record, DWORD editionCode) {
    DefaultToolBarEntry entry;
    FillDefaultToolBarButtons(record, entry, editionCode);
    return IdsOf(entry.commandIds);
}

std::string GuidText(const GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1, guid.Data2,
                  guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                  guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

// ---- Application commands ----

TEST(ApplicationCommandTable, RowsIdsAndUnnamedRows) {
    const auto rows = ApplicationCommands();
    ASSERT_EQ(rows.size(), 85u);
    EXPECT_EQ(IdsWhere(rows, [](auto&) { return true; }).size(), 85u) << "ids are not unique";
    for (const AppCommandEntry& row : rows) EXPECT_EQ(row.commandNumber, row.id);

    const IdSet unnamed = IdsWhere(rows, [](const AppCommandEntry& row) { return row.name.empty(); });
    EXPECT_EQ(unnamed, Ids({1053, 57601, 57649, 57665, 1110, 2085}));
    for (const AppCommandEntry& row : rows) {
        if (row.name.empty()) {
            EXPECT_EQ(row.name.data(), nullptr) << "an unnamed row registers a null view";
        }
    }
}

TEST(ApplicationCommandTable, HandlerKindsAgreeWithTheirHandlers) {
    const auto rows = ApplicationCommands();
    EXPECT_EQ(IdsWhere(rows, [](const AppCommandEntry& row) { return row.kind == HandlerKind::Document; }),
              Ids({1059, 1200, 1093, 2054, 1029, 1053, 9131}));
    EXPECT_EQ(IdsWhere(rows, [](const AppCommandEntry& row) { return row.kind == HandlerKind::Plain; }),
              Ids({1254, 2814, 1110, 787, 788, 789, 791, 814, 798, 819, 825, 782, 783, 784, 786, 785, 794,
                   811, 813, 793, 795, 796, 816, 821, 823, 903, 800, 801, 805, 802, 803, 804, 807}));
    const auto hasUpdate = [](const AppCommandEntry& row) { return row.updateHandler != AppUpdateHandler::NoUpdate; };
    EXPECT_EQ(IdsWhere(rows, hasUpdate),
              Ids({1045, 9131, 1139, 1127, 1205, 1996, 1965, 2935, 1190, 1191, 1192, 1193, 1194, 1195, 1196, 1197,
                   1198, 1199}));

    for (const AppCommandEntry& row : rows) {
        const bool documentHandler = row.handler >= AppHandler::KernelNewWindow &&
                                     row.handler <= AppHandler::OnSelectVarnelMaterial;
        switch (row.kind) {
        case HandlerKind::Plain:
            EXPECT_EQ(row.handler, AppHandler::None) << row.id;
            EXPECT_EQ(row.updateHandler, AppUpdateHandler::NoUpdate) << row.id;
            break;
        case HandlerKind::Document: EXPECT_TRUE(documentHandler) << row.id; break;
        case HandlerKind::System:
            EXPECT_FALSE(documentHandler) << row.id;
            EXPECT_NE(row.handler, AppHandler::None) << row.id;
            break;
        }
    }
}

TEST(ApplicationCommandTable, SharedHandlersAndProfileSlots) {
    std::map<UINT, const AppCommandEntry*> byId;
    for (const AppCommandEntry& row : ApplicationCommands()) byId[row.id] = &row;
    // The framework's own ids for quit, arrange and open reach the same handlers as the named commands.
    EXPECT_EQ(byId.at(57665)->handler, AppHandler::OnQuit);
    EXPECT_EQ(byId.at(1019)->handler, AppHandler::OnQuit);
    EXPECT_EQ(byId.at(57601)->handler, AppHandler::OnDocumentOpen);
    EXPECT_EQ(byId.at(1001)->handler, AppHandler::OnDocumentOpen);
    EXPECT_EQ(byId.at(57649)->handler, AppHandler::OnWindowArrange);
    for (UINT slot = 1; slot <= 10; ++slot) {
        const AppCommandEntry& row = *byId.at(1189 + slot);
        EXPECT_EQ(row.name, L"ApplyProfile" + std::to_wstring(slot));
        EXPECT_EQ(static_cast<int>(row.handler),
                  static_cast<int>(AppHandler::ApplyProfile1) + static_cast<int>(slot) - 1);
        EXPECT_EQ(row.updateHandler, AppUpdateHandler::ProfileGalleryUpdate);
    }
}

TEST(ApplicationCommandTable, MasksAndFlagsFollowTheirExceptionLists) {
    const auto rows = ApplicationCommands();
    ExpectValuesByException(rows, &AppCommandEntry::editionMask, 0x3BF, {{0x23F, Ids({1763, 9131})}});
    ExpectValuesByException(
        rows, &AppCommandEntry::flags, 0x0,
        {{0x10, Ids({1048, 1019, 57665, 1111, 1254, 2814, 1110, 1258, 1068, 782, 783, 784, 786, 785, 794, 811, 813,
                     793, 795, 796, 816, 821, 823, 903, 2085, 2110})},
         {0x8, Ids({1062, 1063, 57649, 1092, 1059, 1053, 1205, 1996, 1965, 2935})},
         {0x30, Ids({9101, 787, 788, 789, 791, 814, 798, 819, 825, 2003})},
         {0x18, Ids({2046, 1763, 1220})},
         {0x1, Ids({1045})},
         {0x21, Ids({9131})}});
    // The only edition there is (code 1) takes every row.
    for (const AppCommandEntry& row : rows) EXPECT_NE(row.editionMask & 1u, 0u) << row.id;
}

TEST(ApplicationCommandTable, RangesDoNotOverlapAnyNamedCommand) {
    const auto ranges = ApplicationCommandRanges();
    ASSERT_EQ(ranges.size(), 3u);
    EXPECT_EQ((std::vector<UINT>{ranges[0].first, ranges[0].last, ranges[0].flags}),
              (std::vector<UINT>{700, 749, 0x8}));
    EXPECT_EQ((std::vector<UINT>{ranges[1].first, ranges[1].last, ranges[1].flags}),
              (std::vector<UINT>{3401, 3449, 0x18}));
    EXPECT_EQ((std::vector<UINT>{ranges[2].first, ranges[2].last, ranges[2].flags}),
              (std::vector<UINT>{65000, 65049, 0x18}));

    IdSet named = IdsWhere(ApplicationCommands(), [](auto&) { return true; });
    for (const BuiltInCommandEntry& row : BuiltInCommands()) {
        EXPECT_TRUE(named.insert(row.id).second) << "id " << row.id << " is in both tables";
    }
    EXPECT_TRUE(named.insert(StereoModeCommand().id).second);
    for (const CommandRange& range : ranges) {
        EXPECT_EQ(named.lower_bound(range.first), named.upper_bound(range.last))
            << "a named command lies in " << range.first << "-" << range.last;
    }
}

TEST(CommandTables, NamesAreUniqueAcrossBothTables) {
    std::set<std::wstring_view> names;
    for (const AppCommandEntry& row : ApplicationCommands()) {
        if (!row.name.empty()) {
            EXPECT_TRUE(names.insert(row.name).second) << row.id;
        }
    }
    for (const BuiltInCommandEntry& row : BuiltInCommands()) {
        if (!row.name.empty()) {
            EXPECT_TRUE(names.insert(row.name).second) << row.id;
        }
    }
    EXPECT_TRUE(names.insert(StereoModeCommand().name).second);
}

// ---- Built-in commands ----

TEST(BuiltInCommandTable, RowsIdsNamesAndSymbols) {
    const auto rows = BuiltInCommands();
    ASSERT_EQ(rows.size(), 316u);
    EXPECT_EQ(IdsWhere(rows, [](auto&) { return true; }).size(), 316u) << "ids are not unique";
    EXPECT_EQ(IdsWhere(rows, [](const BuiltInCommandEntry& row) { return row.name.empty(); }),
              Ids({1338, 1987, 8149, 8143, 8034, 8077, 8156, 8157, 8080, 8081, 8082, 8083, 8102, 8033, 8164, 8166,
                   8165, 8167, 8162, 8168, 694, 695, 8097, 8049, 8155, 8154, 8209, 8137, 8221, 8230, 8229, 8231,
                   8232}));
    for (const BuiltInCommandEntry& row : rows) {
        if (row.name.empty()) {
            EXPECT_EQ(row.name.data(), nullptr) << row.id;
        }
    }

    // With "StereoMode", registered on its own after the table, the shell names 317 kernel commands.
    const PlainCommand& stereo = StereoModeCommand();
    EXPECT_EQ(stereo.id, 2104u);
    EXPECT_EQ(stereo.name, L"StereoMode");
    EXPECT_EQ(stereo.commandNumber, 2104u);
    EXPECT_EQ(stereo.flags, 0u);
    EXPECT_FALSE(IdsWhere(rows, [](auto&) { return true; }).contains(stereo.id));

    std::set<std::wstring_view> symbols;
    std::map<UINT, std::wstring_view> otherPrefixes;
    for (const BuiltInCommandEntry& row : rows) {
        ASSERT_NE(row.symbol, nullptr) << row.id;
        const std::wstring_view symbol = row.symbol;
        EXPECT_TRUE(symbols.insert(symbol).second) << "symbol of " << row.id << " is not unique";
        if (!symbol.starts_with(L"CM_")) otherPrefixes[row.id] = symbol;
    }
    EXPECT_EQ(otherPrefixes, (std::map<UINT, std::wstring_view>{{781, L"CMT_TW_HELP"},
                                                                {790, L"CMT_TW_TASK"},
                                                                {792, L"CMT_TW_NC"},
                                                                {797, L"CMT_TW_STRUCTELEMSWND"},
                                                                {799, L"CMT_TW_FINDCOMMAND"},
                                                                {820, L"CMT_TW_CAM"},
                                                                {57612, L"ID_FILE_SEND_MAIL"},
                                                                {57664, L"ID_APP_ABOUT"},
                                                                {57670, L"ID_HELP"}}));
}

TEST(BuiltInCommandTable, MasksFollowTheirExceptionLists) {
    ExpectValuesByException(
        BuiltInCommands(), &BuiltInCommandEntry::editionMask, 0x23F,
        {{0x8, Ids({1470, 1457, 1467, 1438, 1454, 1446, 1437, 1441, 1440, 1460, 1439, 1443, 1442, 1465, 1456, 1444,
                    1471, 1445, 1455})},
         {0x22D, Ids({1433, 2922, 1918, 2010, 2037, 1124, 1992, 1758, 1606, 8141, 8143, 2042, 1521, 1522, 2948,
                      1523, 1524, 1525, 1526, 1527, 1528, 1529, 1530, 1531, 1532, 1533, 1534, 1759, 1118, 8193,
                      2900, 2901, 8234, 65250, 65254, 65251, 65252, 65253})}});
}

TEST(BuiltInCommandTable, FlagsFollowTheirExceptionLists) {
    ExpectValuesByException(
        BuiltInCommands(), &BuiltInCommandEntry::flags, 0x1,
        {{0x0, Ids({1470, 1457, 1467, 1438, 1454, 1446, 1437, 1441, 1440, 1460, 1439, 1443, 1442, 1465, 1456, 1444,
                    1471, 1445, 2037, 2041, 1714, 1715, 1202, 1758, 1593, 1463, 2045, 8091, 8141, 8143, 8063, 8118,
                    1413, 2042, 1523, 1524, 1525, 1526, 1527, 1532, 1533, 1534, 1759, 1118, 1477, 2086, 1283, 2872,
                    1455, 681, 682, 683, 688, 685, 696, 690, 691, 693, 1075, 1215, 1757, 2825, 2826, 57612, 2852,
                    2853, 2854, 39200, 2074, 2075, 2929, 2930, 2938, 1399})},
         {0x5, Ids({8030, 8185})},
         {0x8, Ids({9311, 65250, 65254, 65251, 65252, 65253, 7306})},
         {0xF, Ids({1969, 1968, 1274, 3173, 1970, 1273, 1813, 1276, 1794, 1271, 2896, 1275, 1277, 1270, 1997, 3161,
                    1272, 1340, 1289, 1290, 1291, 1292, 1293, 1294, 1295, 1296, 1297, 1298, 1320, 1327})},
         {0x10, Ids({1251, 781, 792, 797, 820, 790, 799, 1206, 57664, 57670, 2851})},
         {0x18, Ids({900})},
         {0x20, Ids({2128})},
         {0x21, Ids({695})},
         {0x40, Ids({8049})},
         {0x41, Ids({8193, 8190, 8191, 8097, 8155, 8154, 8209, 8137, 8230, 8229, 8231, 8232, 2900, 2901, 8234})}});
}

TEST(BuiltInCommandTable, OnlyTheModelRepresentationAndReferenceCommandsGoToTheCommandContainer) {
    const auto routedById = [](const BuiltInCommandEntry& row) { return RegistersWithCommandContainer(row.id); };
    const IdSet routed = IdsWhere(BuiltInCommands(), routedById);
    EXPECT_EQ(routed, Ids({8390, 8392, 8393, 8394, 65250, 65251, 65252, 65253, 65254}));
    EXPECT_FALSE(RegistersWithCommandContainer(8391));
    EXPECT_FALSE(RegistersWithCommandContainer(StereoModeCommand().id));
}

TEST(CommandSymbols, LookupAtTheEdges) {
    EXPECT_EQ(SymbolById(0), nullptr);
    EXPECT_EQ(SymbolById(65536), nullptr);
    EXPECT_EQ(SymbolById(static_cast<UINT>(-1)), nullptr);
    EXPECT_EQ(SymbolById(1), nullptr);
    EXPECT_EQ(SymbolById(65535), nullptr);
    EXPECT_EQ(SymbolById(8391), nullptr) << "no built-in row has 8391";
    EXPECT_EQ(SymbolById(2104), nullptr) << "\"StereoMode\" has no symbol";
    EXPECT_EQ(SymbolById(1019), nullptr) << "application commands have no symbol";
    // Ids beyond 65535 must not alias a low id.
    EXPECT_EQ(SymbolById(65536 + 1470), nullptr);

    ASSERT_NE(SymbolById(1470), nullptr);
    EXPECT_EQ(std::wstring_view(SymbolById(1470)), L"CM_3D_DRAW_MOVE_TO_MODEL");
    ASSERT_NE(SymbolById(680), nullptr) << "the lowest id";
    EXPECT_EQ(std::wstring_view(SymbolById(680)), L"CM_TB_SHOW_PROPERTYMATERIAL");
    ASSERT_NE(SymbolById(65254), nullptr) << "the highest id";
    EXPECT_EQ(std::wstring_view(SymbolById(65254)), L"CM_3D_EDIT_IN_PLACE_GEOMETRIC_REFERENCE_SOURCE_UNDEFINED");
    for (const BuiltInCommandEntry& row : BuiltInCommands()) EXPECT_EQ(SymbolById(row.id), row.symbol) << row.id;
}

// ---- Default tool bars ----

TEST(DefaultToolBarTable, RecordsAreWellFormed) {
    const auto records = DefaultToolBarRecords();
    ASSERT_EQ(records.size(), 11u);
    EXPECT_EQ(records.back().internalName, kEndOfDefaultToolBars);

    std::set<UINT> barIds;
    std::set<std::string> tabGuids;
    for (const DefaultToolBarRecord& record : records.first(10)) {
        const std::string name(record.internalName.begin(), record.internalName.end());
        EXPECT_LE(record.internalName.size(), kMaxCaptionLength) << name;
        EXPECT_TRUE(barIds.insert(record.barId).second) << name;
        EXPECT_GE(static_cast<UINT>(record.kind), 1u) << name;
        EXPECT_LE(static_cast<UINT>(record.kind), 6u) << name;
        if (record.kind == ToolBarKind::Tab) {
            EXPECT_NE(record.tabGuid, GUID{}) << name;
            EXPECT_TRUE(tabGuids.insert(GuidText(record.tabGuid)).second) << name;
        } else {
            EXPECT_EQ(record.tabGuid, GUID{}) << name;
        }
        const auto end = std::ranges::find(record.buttons, kEndOfButtons, &ToolBarButton::id);
        ASSERT_NE(end, record.buttons.end()) << name << " has no end of buttons";
        EXPECT_LE(static_cast<std::size_t>(end - record.buttons.begin()), kMaxToolBarButtons) << name;
        // The only edition there is (code 1) takes every bar and every button.
        EXPECT_NE(record.editionMask & 1u, 0u) << name;
        for (auto button = record.buttons.begin(); button != end; ++button) {
            EXPECT_NE(button->editionMask & 1u, 0u) << name << " button " << button->id;
        }
    }
    EXPECT_EQ(tabGuids.size(), 8u);
    EXPECT_EQ(GuidText(Record(L"2D").tabGuid), "{D773CF70-44FC-4055-ACC1-FA1AB0FDB95A}");
    EXPECT_EQ(GuidText(Record(L"Explode animation").tabGuid), "{7EB4FAE1-C764-4869-906D-97BF25A7BC14}");
}

TEST(DefaultToolBarTable, TheEditionGetsEveryBarAndTabsOpenWithTheModeCommand) {
    const auto entries = SelectDefaultToolBars(DefaultToolBarRecords(), 1);
    ASSERT_EQ(entries.size(), 10u);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        EXPECT_EQ(entries[index].record, &DefaultToolBarRecords()[index]);
        const auto& ids = entries[index].commandIds;
        ASSERT_FALSE(ids.empty());
        const bool opensWithMode = ids.size() >= 2 && ids[0] == kToolBarModeCommand && ids[1] == kSeparator;
        EXPECT_EQ(opensWithMode, entries[index].record->kind == ToolBarKind::Tab);
    }

    const auto twoD = ButtonIds(Record(L"2D"), 1);
    ASSERT_GE(twoD.size(), 5u);
    EXPECT_EQ(std::vector<UINT>(twoD.begin(), twoD.begin() + 5), (std::vector<UINT>{1075, 0, 1001, 1029, 1027}));
    EXPECT_EQ(ButtonIds(Record(L"FullScreen"), 1), (std::vector<UINT>{1254, 2814}));
    const auto view = ButtonIds(Record(L"View"), 1);
    ASSERT_GE(view.size(), 2u);
    EXPECT_EQ(view[0], 1589u);
    EXPECT_EQ(view.back(), 2859u);
    EXPECT_EQ(ButtonIds(Record(L"Weld"), 1),
              (std::vector<UINT>{1075, 0, 1001, 1029, 1027, 0, 1115, 1117, 0, 813}));
}

TEST(DefaultToolBarTable, ButtonMasksDecideWithinABar) {
    // Bit 1 is in 0x23F and 0x3BF but not in 0x22D or 0x3AD; bit 7 is in 0x3BF and 0x3AD only.
    const auto bitOne = SelectDefaultToolBars(DefaultToolBarRecords(), 0x2);
    std::vector<std::wstring_view> names;
    for (const auto& entry : bitOne) names.push_back(entry.record->internalName);
    EXPECT_EQ(names, (std::vector<std::wstring_view>{L"Startup", L"2D", L"Sketch", L"Edit", L"Table", L"FullScreen",
                                                     L"View"}))
        << "a bar outside the edition is left out even when some of its buttons are in it";
    EXPECT_EQ(ButtonIds(Record(L"View"), 0x2),
              (std::vector<UINT>{1589, 0, 1255, 1965, 2935, 1340, 0, 1038, 1098, 1099, 0, 1104, 1106, 1095, 0, 1122, 0,
                                 0, 0, 2859}));
    // Weld's 1027 carries its own mask and is the one button left for bit 1.
    EXPECT_EQ(ButtonIds(Record(L"Weld"), 0x2), (std::vector<UINT>{1075, 0, 1027}));

    const auto bitSeven = ButtonIds(Record(L"View"), 0x80);
    EXPECT_EQ(std::ranges::count(bitSeven, 1589u), 0);
    EXPECT_EQ(std::ranges::count(bitSeven, 1613u), 1);
}

TEST(DefaultToolBarSelection, EmptyBarsGiveTheirEntryToTheNextBar) {
    constexpr ToolBarButton onlyEditionTwo[] = {{10, 0x2}, {kEndOfButtons, 0}};
    constexpr ToolBarButton editionOne[] = {{20, 0x1}, {kSeparator, 0x1}, {21, 0x1}, {kEndOfButtons, 0}};
    const DefaultToolBarRecord records[] = {
        {L"Empty", 1, GUID{}, 100, true, ToolBarKind::DockedTop, 0x1, onlyEditionTwo},
        {L"Never", 2, GUID{}, 101, true, ToolBarKind::None, 0x1, editionOne},
        {L"OtherEdition", 3, GUID{}, 102, true, ToolBarKind::DockedTop, 0x2, editionOne},
        {L"Full", 4, GUID{}, 103, true, ToolBarKind::DockedLeft, 0x1, editionOne},
        {L"EmptyLast", 5, GUID{}, 104, true, ToolBarKind::Tab, 0x1, onlyEditionTwo},
        {kEndOfDefaultToolBars},
        {L"AfterTheEnd", 6, GUID{}, 105, true, ToolBarKind::DockedTop, 0x1, editionOne},
    };
    const auto entries = SelectDefaultToolBars(records, 0x1);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].record, &records[3]);
    EXPECT_EQ(IdsOf(entries[0].commandIds), (std::vector<UINT>{20, 0, 21}));
    EXPECT_EQ(entries[1].record, &records[4]) << "a trailing empty bar keeps its entry";
    EXPECT_TRUE(entries[1].commandIds.empty()) << "an empty tab gets no mode command either";
}

TEST(DefaultToolBarSelection, BoundsOfBarsAndButtons) {
    constexpr ToolBarButton one[] = {{1, 0x1}, {kEndOfButtons, 0}};
    std::vector<DefaultToolBarRecord> records(kMaxDefaultToolBars + 2,
                                              {L"Bar", 1, GUID{}, 1, true, ToolBarKind::DockedTop, 0x1, one});
    EXPECT_EQ(SelectDefaultToolBars(records, 0x1).size(), kMaxDefaultToolBars) << "the walk stops without an end";

    // Without an end marker only the first 60 pairs count.
    std::vector<ToolBarButton> many(kMaxToolBarButtons + 5, {7, 0x1});
    const DefaultToolBarRecord docked{L"Many", 1, GUID{}, 1, true, ToolBarKind::DockedTop, 0x1, many};
    EXPECT_EQ(ButtonIds(docked, 0x1).size(), kMaxToolBarButtons);
    // A tab needs two more ids than its buttons: with 59 they no longer fit.
    const DefaultToolBarRecord tab{L"Tab", 1, GUID{1}, 1, true, ToolBarKind::Tab, 0x1,
                                   std::span(many).first(kMaxToolBarButtons - 1)};
    DefaultToolBarEntry entry;
    EXPECT_THROW(FillDefaultToolBarButtons(tab, entry, 0x1), std::bad_alloc);
    const DefaultToolBarRecord fittingTab{L"Tab", 1, GUID{1}, 1, true, ToolBarKind::Tab, 0x1,
                                          std::span(many).first(kMaxToolBarButtons - 2)};
    EXPECT_EQ(ButtonIds(fittingTab, 0x1).size(), kMaxToolBarButtons);
}

}  // namespace
