// The kernel's command containers: what they accept and refuse, who owns a command object, and
// how a main frame hands them the commands nobody else handled.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/core/journal.h"
#include "platform/kernel/ui/command_control.h"
#include "platform/korvoui.h"

namespace {

using platform::kernel::CommandRegistrationKind;

struct Seen {
    int runs = 0;
    std::int64_t argument = -1;
    CKvw32Doc* document = nullptr;
    int updates = 0;
};

Seen& seen() {
    static Seen state;
    return state;
}

int RecordArgument(std::int64_t argument) {
    ++seen().runs;
    seen().argument = argument;
    return 1;
}

int RecordDocument(CKvw32Doc* document) {
    ++seen().runs;
    seen().document = document;
    return 1;
}

void DisableAndCount(CKvw32Doc* document, CCmdUI* cmdUI) {
    ++seen().updates;
    seen().document = document;
    cmdUI->Enable(FALSE);
}

class CountedCommand : public KVSystemCommand {
public:
    explicit CountedCommand(int& destroyed)
        : KVSystemCommand(1, L"Counted", nullptr, nullptr, KVCommandFlags{}), destroyed_(destroyed) {}
    ~CountedCommand() override { ++destroyed_; }

private:
    int& destroyed_;
};

TEST(KernelCommandFlags, KeepEveryBitTheyAreGiven) {
    const KVCommandFlags flags(0x21u);
    EXPECT_EQ(flags.bits(), 0x21u);
    EXPECT_TRUE(flags.test(KVCommandFlag{0x20}));
    EXPECT_FALSE(flags.test(KVCommandFlags(0x18u)));
    EXPECT_EQ((flags | KVCommandFlag{0x8}).bits(), 0x29u);
    EXPECT_TRUE(KVCommandFlags{}.none());
}

TEST(KernelCommandContainers, AnIdIsRegisteredOnceWhicheverContainerAsksAndRefusedObjectsAreDeleted) {
    auto& container = KVCommandContainer::Instance();
    EXPECT_TRUE(GlobalContainer::RegisterCmd(100, L"Plain", 100, KVCommandFlags(0x10u)));
    EXPECT_TRUE(container.RegisterCommands(200, 209, KVCommandFlags(0x8u)));

    int destroyed = 0;
    EXPECT_FALSE(container.RegisterCommand(new CountedCommand(destroyed), 100)) << "taken by the global container";
    EXPECT_EQ(destroyed, 1) << "the container owns what it is given, even when it refuses it";
    EXPECT_FALSE(container.RegisterCommand(205, L"InBlock", KVCommandFlags{}));
    EXPECT_FALSE(container.RegisterCommands(209, 220, KVCommandFlags{})) << "overlaps the block's last id";
    EXPECT_FALSE(container.RegisterCommands(50, 40, KVCommandFlags{})) << "first after last";
    EXPECT_FALSE(GlobalContainer::RegisterCmd(0, L"Zero", 0, KVCommandFlags{}));
    EXPECT_FALSE(GlobalContainer::RegisterCmd(-1, L"Negative", -1, KVCommandFlags{}));
    EXPECT_FALSE(GlobalContainer::RegisterCmd(65536, L"TooLarge", 65536, KVCommandFlags{}));
    EXPECT_FALSE(container.RegisterCommand(static_cast<KVCommand*>(nullptr), 300));
    EXPECT_EQ(platform::kernel::refusedCommandRegistrations(), 7);
    EXPECT_GE(platform::core::journal().find("warning", L"command 100 is registered already"), 0);

    EXPECT_TRUE(container.RegisterCommand(new CountedCommand(destroyed), 65535));
    EXPECT_TRUE(container.IsRegistered(209));
    EXPECT_FALSE(container.IsRegistered(210));
    EXPECT_NE(container.FindCommand(65535), nullptr);
    EXPECT_EQ(container.FindCommand(100), nullptr) << "a name, not an object";
    // A block across the 256-id pages the ids are kept in, with an id of its neighbour page taken.
    EXPECT_TRUE(container.RegisterCommands(500, 515, KVCommandFlags{}));
    EXPECT_FALSE(container.RegisterCommands(480, 500, KVCommandFlags{})) << "its first id is taken";
    EXPECT_FALSE(container.IsRegistered(499));
    EXPECT_TRUE(container.IsRegistered(511));
    EXPECT_TRUE(container.IsRegistered(512));
    EXPECT_FALSE(container.IsRegistered(516));
    EXPECT_EQ(container.RegisteredIds(498, 502), (std::vector<UINT>{500, 501, 502}));
    EXPECT_EQ(container.RegisteredIds(510, 520).size(), 6u);

    const auto registrations = platform::kernel::commandRegistrations();
    ASSERT_EQ(registrations.size(), 4u);
    EXPECT_EQ(registrations[1].how, CommandRegistrationKind::Range);
    EXPECT_EQ(registrations[1].lastId, 209u);
    EXPECT_EQ(registrations[2].name, L"Counted");
    EXPECT_EQ(registrations[2].objectKind, platform::kernel::CommandObjectKind::System);
}

class RoutingFrame : public Korvo::UI::MdiMainFrame {
public:
    RoutingFrame() = default;
};

TEST(KernelCommandRouting, TheMainFrameRunsCommandObjectsWithTheActiveDocumentAndRecordsKernelCommands) {
    auto& container = KVCommandContainer::Instance();
    container.RegisterCommand(new KVSystemCommand(300, L"System", &RecordArgument, nullptr, KVCommandFlags{}), 300);
    container.RegisterCommand(
        new KVDocumentCommand(301, L"Document", &RecordDocument, &DisableAndCount, KVCommandFlags{}), 301);
    GlobalContainer::RegisterCmd(302, L"BuiltIn", 302, KVCommandFlags{});
    container.RegisterCommands(400, 409, KVCommandFlags{});

    auto* frame = new RoutingFrame;  // deletes itself with its window
    ASSERT_TRUE(frame->Create(nullptr, L"Main"));
    auto* document = new CKvw32Doc;
    document->m_bAutoDelete = FALSE;  // the test deletes it after the frame
    CCreateContext context;
    context.m_pCurrentDoc = document;
    auto* view = new CKVView;  // deletes itself with its window
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, frame, AFX_IDW_PANE_FIRST + 1,
                             &context));
    frame->SetActiveView(view);

    EXPECT_TRUE(frame->OnCmdMsg(300, CN_COMMAND, reinterpret_cast<void*>(std::intptr_t{42}), nullptr));
    EXPECT_EQ(seen().argument, 42) << "the argument travels in pExtra";
    EXPECT_TRUE(frame->OnCmdMsg(301, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(seen().document, document);
    EXPECT_EQ(seen().runs, 2);

    CCmdUI state;
    state.m_nID = 301;
    EXPECT_TRUE(state.DoUpdate(frame, TRUE));
    EXPECT_EQ(seen().updates, 1);
    EXPECT_FALSE(state.m_stateEnabled) << "the command's own update decides";

    EXPECT_TRUE(frame->OnCmdMsg(302, CN_COMMAND, nullptr, nullptr));
    EXPECT_GE(platform::core::journal().find("call", L"KVCommandContainer::ExecuteCommand(302, \"BuiltIn\")"), 0);
    EXPECT_FALSE(frame->OnCmdMsg(302, CN_UPDATE_COMMAND_UI, &state, nullptr)) << "kernel commands keep their state";
    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(frame->OnCmdMsg(302, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, frame);
    EXPECT_EQ(seen().runs, 2) << "asking for a handler runs nothing";

    EXPECT_FALSE(frame->OnCmdMsg(405, CN_COMMAND, nullptr, nullptr)) << "a reserved block has nothing to run";
    EXPECT_FALSE(frame->OnCmdMsg(405, CN_COMMAND, nullptr, &info));
    EXPECT_FALSE(frame->OnCmdMsg(303, CN_COMMAND, nullptr, nullptr));

    frame->DestroyWindow();
    delete document;
}

}  // namespace
