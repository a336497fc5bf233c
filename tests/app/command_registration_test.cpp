// What start-up leaves in the kernel's command containers and the context-menu container, the
// symbol lookup, the default tool bars, and commands that reach the kernel from a main frame.
#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/commands/command_handler_bindings.h"
#include "app/commands/command_registration.h"
#include "app/commands/command_table_data.h"
#include "mainframe/toolsengine/default_toolbars.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/command_control.h"
#include "platform/kernel/ui/control.h"
#include "platform/korvoui/context_menu_control.h"
#include "platform/korvoui/menus.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using platform::kernel::CommandContainer;
using platform::kernel::CommandObjectKind;
using platform::kernel::CommandRegistration;
using platform::kernel::CommandRegistrationKind;
using IdSet = std::set<UINT>;

// Single-id registrations by id (ranges left out).
std::map<UINT, CommandRegistration> SingleRegistrations() {
    std::map<UINT, CommandRegistration> byId;
    for (const CommandRegistration& registration : platform::kernel::commandRegistrations()) {
        if (registration.how == CommandRegistrationKind::Range) continue;
        EXPECT_TRUE(byId.emplace(registration.firstId, registration).second) << registration.firstId;
    }
    return byId;
}

IdSet IdsWhere(const std::map<UINT, CommandRegistration>& byId, CommandRegistrationKind how,
               CommandContainer container) {
    IdSet ids;
    for (const auto& [id, registration] : byId) {
        if (registration.how == how && registration.container == container) ids.insert(id);
    }
    return ids;
}

class CommandRegistrationTest : public SessionTest {
protected:
    void Start() {
        session.start();
        ASSERT_EQ(session.startResult(), 1);
    }
    Session session;
};

TEST_F(CommandRegistrationTest, StartUpRegistersEveryRowAsItsTableSaysAndNothingTwice) {
    Start();
    EXPECT_EQ(platform::kernel::refusedCommandRegistrations(), 0) << "an id of one table is taken by another";
    const auto byId = SingleRegistrations();

    for (const CommandTables::AppCommandEntry& row : CommandTables::ApplicationCommands()) {
        SCOPED_TRACE(row.id);
        const auto it = byId.find(row.id);
        ASSERT_NE(it, byId.end());
        const CommandRegistration& registered = it->second;
        EXPECT_EQ(registered.name, row.name);
        EXPECT_EQ(registered.flags, row.flags);
        EXPECT_EQ(registered.commandNumber, row.commandNumber);
        EXPECT_EQ(registered.hasUpdateHandler, row.updateHandler != CommandTables::AppUpdateHandler::NoUpdate);
        switch (row.kind) {
            case CommandTables::HandlerKind::Plain:
                EXPECT_EQ(registered.how, CommandRegistrationKind::NameOnly);
                EXPECT_EQ(registered.container, CommandContainer::Global);
                break;
            case CommandTables::HandlerKind::Document:
                EXPECT_EQ(registered.objectKind, CommandObjectKind::Document);
                EXPECT_EQ(registered.container, CommandContainer::Command);
                break;
            case CommandTables::HandlerKind::System:
                EXPECT_EQ(registered.objectKind, CommandObjectKind::System);
                EXPECT_EQ(registered.container, CommandContainer::Command);
                break;
        }
    }
    for (const CommandTables::BuiltInCommandEntry& row : CommandTables::BuiltInCommands()) {
        SCOPED_TRACE(row.id);
        const auto it = byId.find(row.id);
        ASSERT_NE(it, byId.end());
        EXPECT_EQ(it->second.how, CommandRegistrationKind::NameOnly);
        EXPECT_EQ(it->second.name, row.name);
        EXPECT_EQ(it->second.flags, row.flags);
        EXPECT_EQ(it->second.commandNumber, row.id);
    }
    EXPECT_EQ(byId.size(), 85u + 316u + 1u) << "both tables and StereoMode, nothing else";
}

// The kernel session takes the application's table before it is post-initialised; the built-in
// table follows in the inner phase. Registration order alone would not show a table moved past it.
TEST_F(CommandRegistrationTest, ApplicationTableGoesInBeforeTheSessionsPostInitialisationBuiltInsAfter) {
    Start();
    IdSet applicationIds;
    for (const CommandTables::AppCommandEntry& row : CommandTables::ApplicationCommands()) {
        applicationIds.insert(row.id);
    }
    for (const CommandTables::CommandRange& range : CommandTables::ApplicationCommandRanges()) {
        applicationIds.insert(range.first);
    }
    using platform::kernel::SessionStage;
    std::map<SessionStage, IdSet> applicationByStage, othersByStage;
    for (const CommandRegistration& registration : platform::kernel::commandRegistrations()) {
        auto& byStage = applicationIds.count(registration.firstId) ? applicationByStage : othersByStage;
        byStage[registration.stage].insert(registration.firstId);
    }
    ASSERT_EQ(applicationByStage.size(), 1u) << "every application registration in one stage";
    EXPECT_EQ(applicationByStage.begin()->first, SessionStage::PreInitialised);
    EXPECT_EQ(applicationByStage.begin()->second, applicationIds);
    ASSERT_EQ(othersByStage.size(), 1u);
    EXPECT_EQ(othersByStage.begin()->first, SessionStage::PostInitialised);
}

TEST_F(CommandRegistrationTest, OnlyTheModelRepresentationAndReferenceCommandsGoToTheCommandContainerByName) {
    Start();
    const auto byId = SingleRegistrations();
    EXPECT_EQ(IdsWhere(byId, CommandRegistrationKind::NameOnly, CommandContainer::Command),
              (IdSet{8390, 8392, 8393, 8394, 65250, 65251, 65252, 65253, 65254}));
    EXPECT_FALSE(KVCommandContainer::Instance().IsRegistered(8391)) << "no table has 8391";
    EXPECT_EQ(byId.at(1470).container, CommandContainer::Global);
    EXPECT_EQ(byId.at(8390).name, L"SecondaryModelRepresentationUpdate");
}

TEST_F(CommandRegistrationTest, RangesFollowTheApplicationRowsAndStereoModeComesLast) {
    Start();
    const auto all = platform::kernel::commandRegistrations();
    ASSERT_FALSE(all.empty());

    std::vector<std::size_t> rangeIndexes;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].how == CommandRegistrationKind::Range) rangeIndexes.push_back(i);
    }
    ASSERT_EQ(rangeIndexes.size(), 3u);
    EXPECT_EQ(rangeIndexes.front(), 85u) << "the blocks come right after the application rows";
    const auto range = [&](std::size_t n) { return all[rangeIndexes[n]]; };
    EXPECT_EQ(std::tuple(range(0).firstId, range(0).lastId, range(0).flags), std::tuple(700u, 749u, 0x8u));
    EXPECT_EQ(std::tuple(range(1).firstId, range(1).lastId, range(1).flags), std::tuple(3401u, 3449u, 0x18u));
    EXPECT_EQ(std::tuple(range(2).firstId, range(2).lastId, range(2).flags), std::tuple(65000u, 65049u, 0x18u));

    const CommandRegistration& last = all.back();
    EXPECT_EQ(last.firstId, 2104u);
    EXPECT_EQ(last.name, L"StereoMode");
    EXPECT_EQ(last.flags, 0u);
    EXPECT_EQ(last.container, CommandContainer::Global);

    // The context-menu container's own commands follow the last symbol, before StereoMode.
    EXPECT_EQ(platform::korvoui::contextMenuCommandSetRegistrations(), 1);
    apptest::ExpectInOrder(calls(session), {L"GlobalContainer::PostInitSession()",
                                            L"Korvo::UI::GlobalContextMenuContainer::RegisterCommands()",
                                            L"GlobalContainer::FinishInitSession()"});
}

TEST_F(CommandRegistrationTest, EveryBuiltInCommandIsKnownToContextMenusBySymbol) {
    Start();
    const auto registered = platform::korvoui::contextMenuCommands();
    ASSERT_EQ(registered.size(), 316u);
    for (const auto& command : registered) {
        const wchar_t* symbol = GetCommandSymbolById(static_cast<int>(command.id));
        ASSERT_NE(symbol, nullptr) << command.id;
        EXPECT_EQ(command.symbol, symbol) << command.id;
    }
}

TEST(ContextMenuCommands, AnIdOrASymbolKnownAlreadyInAnyCaseIsRefused) {
    using Korvo::UI::GlobalContextMenuContainer;
    EXPECT_TRUE(GlobalContextMenuContainer::RegisterCommand(4100, L"CM_TEST_ONE"));
    EXPECT_TRUE(GlobalContextMenuContainer::RegisterCommand(65535, L"CM_TEST_LAST"));
    EXPECT_TRUE(GlobalContextMenuContainer::RegisterCommand(1, L"CM_ТЕСТ_ПЕРВЫЙ"));
    EXPECT_FALSE(GlobalContextMenuContainer::RegisterCommand(4100, L"CM_TEST_OTHER")) << "the id is taken";
    EXPECT_FALSE(GlobalContextMenuContainer::RegisterCommand(4101, L"cm_Test_One")) << "the symbol is taken but for case";
    EXPECT_FALSE(GlobalContextMenuContainer::RegisterCommand(4102, L"cm_тест_первый")) << "case beyond ASCII too";
    for (int id : {0, -1, 65536}) EXPECT_FALSE(GlobalContextMenuContainer::RegisterCommand(id, L"CM_TEST_RANGE")) << id;
    EXPECT_FALSE(GlobalContextMenuContainer::RegisterCommand(4103, L""));
    // Refused ones leave nothing behind: their id and symbol are still free.
    EXPECT_TRUE(GlobalContextMenuContainer::RegisterCommand(4101, L"CM_TEST_RANGE"));

    const auto registered = platform::korvoui::contextMenuCommands();
    ASSERT_EQ(registered.size(), 4u);
    EXPECT_EQ(std::tuple(registered[0].id, registered[0].symbol), std::tuple(4100u, std::wstring(L"CM_TEST_ONE")));
    EXPECT_EQ(std::tuple(registered[2].id, registered[2].symbol), std::tuple(1u, std::wstring(L"CM_ТЕСТ_ПЕРВЫЙ")));
    EXPECT_EQ(std::tuple(registered[3].id, registered[3].symbol), std::tuple(4101u, std::wstring(L"CM_TEST_RANGE")));
    const auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 7u);
    EXPECT_NE(warnings[1].find(L"\"cm_Test_One\" is registered already"), std::wstring::npos) << platform::core::toUtf8(warnings[1]);
    EXPECT_NE(warnings[3].find(L"command 0 \"CM_TEST_RANGE\" is not a valid command"), std::wstring::npos)
        << platform::core::toUtf8(warnings[3]);
}

TEST(CommandSymbols, AreAnsweredOnlyForBuiltInIdsOnceRegistered) {
    EXPECT_EQ(GetCommandSymbolById(1470), nullptr) << "nothing before registration";
    RegisterBuiltInCommands();
    EXPECT_STREQ(GetCommandSymbolById(1470), L"CM_3D_DRAW_MOVE_TO_MODEL");
    EXPECT_STREQ(GetCommandSymbolById(57612), L"ID_FILE_SEND_MAIL");
    EXPECT_STREQ(GetCommandSymbolById(781), L"CMT_TW_HELP");
    EXPECT_STREQ(GetCommandSymbolById(65254), L"CM_3D_EDIT_IN_PLACE_GEOMETRIC_REFERENCE_SOURCE_UNDEFINED");
    for (int id : {0, -1, 65536, INT_MIN, INT_MAX, 8391, 2104 /* StereoMode has no symbol */, 1201 /* application */}) {
        EXPECT_EQ(GetCommandSymbolById(id), nullptr) << id;
    }
}

TEST(ApplicationCommandRegistration, LeavesOutRowsOutsideTheEditionButKeepsTheBlocks) {
    RegisterApplicationCommands(0x100);  // shares a bit with 0x3BF, none with 0x23F
    IdSet missing;
    for (const CommandTables::AppCommandEntry& row : CommandTables::ApplicationCommands()) {
        if (!KVCommandContainer::Instance().IsRegistered(row.id)) missing.insert(row.id);
    }
    EXPECT_EQ(missing, (IdSet{1763, 9131}));
    for (UINT id : {700u, 749u, 3401u, 3449u, 65000u, 65049u}) {
        EXPECT_TRUE(KVCommandContainer::Instance().IsRegistered(id)) << id;
    }
    EXPECT_FALSE(KVCommandContainer::Instance().IsRegistered(750));
}

TEST(ApplicationCommandBindings, EveryHandlerNameHasAFunctionOfItsKind) {
    using namespace CommandTables;
    for (const AppCommandEntry& row : ApplicationCommands()) {
        SCOPED_TRACE(row.id);
        const bool wantsUpdate = row.updateHandler != AppUpdateHandler::NoUpdate;
        if (row.kind == HandlerKind::Document) {
            EXPECT_NE(DocumentHandler(row.handler), nullptr);
            EXPECT_EQ(DocumentUpdateHandler(row.updateHandler) != nullptr, wantsUpdate);
        } else if (row.kind == HandlerKind::System) {
            EXPECT_NE(SystemHandler(row.handler), nullptr);
            EXPECT_EQ(SystemUpdateHandler(row.updateHandler) != nullptr, wantsUpdate);
        }
    }
    EXPECT_EQ(SystemHandler(AppHandler::ReturnTrueStub)(0), 1);
    EXPECT_NE(SystemHandler(AppHandler::ApplyProfile1), SystemHandler(AppHandler::ApplyProfile2));
}

// ---- Default tool bars ----

TEST_F(CommandRegistrationTest, DefaultToolBarsLoadTheirCaptionsOnceAndKeepTheNameWhenOneIsMissing) {
    // The first main frame builds its tool bars from the table during start-up.
    platform::kernel::overrideString(9000, L"Drawing");
    platform::kernel::overrideString(9001, std::wstring(100, L'S'));
    Start();
    const auto bars = GetDefaultToolBars();
    ASSERT_EQ(bars.size(), 10u);
    EXPECT_EQ(bars[0].caption, L"Startup") << "the sample has no string 9043";
    EXPECT_EQ(bars[1].caption, L"Drawing");
    EXPECT_EQ(bars[2].caption, CString(std::wstring(80, L'S'))) << "captions hold at most 80 characters";
    EXPECT_EQ(bars[7].caption, L"Explode animation");

    EXPECT_EQ(std::vector<UINT>(bars[1].commandIds.begin(), bars[1].commandIds.begin() + 3),
              (std::vector<UINT>{1075, 0, 1001}));
    EXPECT_EQ(bars[8].record->internalName, L"FullScreen");
    EXPECT_EQ(bars[8].commandIds.front(), 1254u);

    platform::kernel::overrideString(9000, L"Changed");
    platform::kernel::overrideString(9043, L"Start");
    const auto again = GetDefaultToolBars();
    EXPECT_EQ(again.data(), bars.data());
    EXPECT_EQ(again[1].caption, L"Drawing") << "captions are not loaded again";
    EXPECT_EQ(again[0].caption, L"Startup");
}

// ---- Routing ----

TEST_F(CommandRegistrationTest, CommandsNobodyElseHandlesReachTheKernel) {
    Start();
    const HWND frame = session.inspect().mainFrames().at(0);
    for (unsigned id : {1470u, 1338u, 8390u, 1201u, 700u, 8391u}) session.user().command(frame, id);
    session.runUntilIdle();

    const auto recorded = calls(session);
    apptest::ExpectInOrder(recorded,
                           {L"KVCommandContainer::ExecuteCommand(1470, \"MovetoModel\")",
                            L"KVCommandContainer::ExecuteCommand(1338, ",
                            L"KVCommandContainer::ExecuteCommand(8390, \"SecondaryModelRepresentationUpdate\")",
                            L"KVCommand::Run(1201, \"DocumentSaveAll\")"});
    EXPECT_FALSE(apptest::Contains(recorded, L"ExecuteCommand(700,")) << "a block of ids has nothing to run";
    EXPECT_FALSE(apptest::Contains(recorded, L"ExecuteCommand(8391,"));
}

TEST_F(CommandRegistrationTest, TheUpdatePassKeepsKernelCommandsEnabledAndDisablesUnknownIds) {
    Start();
    CWnd* frame = CWnd::FromHandle(session.inspect().mainFrames().at(0));
    const auto enabledAfterUpdate = [&](UINT id) {
        CCmdUI state;
        state.m_nID = id;
        state.DoUpdate(frame, TRUE);
        return state.m_stateEnabled != FALSE;
    };
    EXPECT_TRUE(enabledAfterUpdate(1470)) << "a built-in kernel command";
    EXPECT_TRUE(enabledAfterUpdate(1201)) << "a command object";
    EXPECT_TRUE(enabledAfterUpdate(2104));
    EXPECT_FALSE(enabledAfterUpdate(8391)) << "unknown to everyone";
    // A tool-bar toggle past the bar list does nothing and keeps the state it has.
    EXPECT_TRUE(enabledAfterUpdate(720)) << "a tool-bar toggle without a bar";
}

// The dump's columns start where the header's titles do; a line cut at those places gives the
// fields with their padding removed.
std::vector<std::vector<std::wstring>> DumpFields(const std::wstring& dump) {
    std::vector<std::wstring> lines;
    for (std::size_t start = 0; start < dump.size();) {
        const std::size_t end = dump.find(L'\n', start);
        lines.push_back(dump.substr(start, end - start));
        start = end + 1;
    }
    if (lines.empty()) return {};
    std::vector<std::size_t> starts{0};
    for (const wchar_t* title : {L"name", L"flags", L"registered as", L"symbol"}) starts.push_back(lines[0].find(title));
    std::vector<std::vector<std::wstring>> rows;
    for (const std::wstring& line : lines) {
        std::vector<std::wstring> fields;
        for (std::size_t column = 0; column < starts.size(); ++column) {
            const std::size_t from = starts[column];
            const std::size_t to = column + 1 < starts.size() ? starts[column + 1] : std::wstring::npos;
            std::wstring field = from < line.size() ? line.substr(from, to == std::wstring::npos ? to : to - from) : L"";
            EXPECT_TRUE(column == 0 || from == 0 || line.size() <= from || line[from - 1] == L' ')
                << "a field runs into the next column: " << apptest::Utf8(line);
            field.erase(field.find_last_not_of(L' ') + 1);
            fields.push_back(field);
        }
        rows.push_back(fields);
    }
    return rows;
}

TEST_F(CommandRegistrationTest, TheCommandDumpListsEveryRegistrationSortedByIdInAlignedColumns) {
    Start();
    const auto rows = DumpFields(session.inspect().dumpCommands());
    ASSERT_EQ(rows.size(), 1u + 85u + 316u + 1u + 3u) << "a header and one line per registration";
    using Fields = std::vector<std::wstring>;
    EXPECT_EQ(rows.front(), (Fields{L"id", L"name", L"flags", L"registered as", L"symbol"}));
    EXPECT_EQ(rows[1], (Fields{L"680", L"ShowMaterialPropertiesWindow", L"0x1", L"name only (global container)",
                               L"CM_TB_SHOW_PROPERTYMATERIAL"}));
    EXPECT_EQ(rows.back(), (Fields{L"65254", L"ReferToNoGeometry", L"0x8", L"name only (command container)",
                                   L"CM_3D_EDIT_IN_PLACE_GEOMETRIC_REFERENCE_SOURCE_UNDEFINED"}));
    const auto has = [&](const Fields& fields) { return std::ranges::find(rows, fields) != rows.end(); };
    EXPECT_TRUE(has({L"700-749", L"", L"0x8", L"range", L""}));
    EXPECT_TRUE(has({L"1201", L"DocumentSaveAll", L"0x0", L"command object (system)", L""}));
    EXPECT_TRUE(has({L"1059", L"WindowOpen", L"0x8", L"command object (document)", L""}));
    EXPECT_TRUE(has({L"1338", L"", L"0x1", L"name only (global container)", L"CM_3D_DUMMY"}));
    EXPECT_TRUE(has({L"57665", L"", L"0x10", L"command object (system)", L""}));
    EXPECT_TRUE(has({L"2104", L"StereoMode", L"0x0", L"name only (global container)", L""}));
    UINT previous = 0;
    for (auto row = rows.begin() + 1; row != rows.end(); ++row) {
        const UINT id = static_cast<UINT>(std::stoul(row->front()));
        EXPECT_LT(previous, id) << apptest::Utf8(row->front());
        previous = id;
    }
}

}  // namespace
