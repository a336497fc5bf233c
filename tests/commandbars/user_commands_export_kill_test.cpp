// Exporting the user commands, killed at random points or refused by the file system: the command
// file is the old one or the new one, whole, and nothing else is left beside it once the next run
// has swept the temporaries of killed runs; a user's own file of the temporary's usual name is
// never touched.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cwchar>
#include <random>

#include "commandbars/user_commands.h"
#include "commandbars/usercommands/user_command_kinds.h"
#include "platform/core/stale_temporaries.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using store_test::StoreTest;

constexpr int kKills = 100;
constexpr int kCommandsPerFile = 300;  // a file big enough that a kill often lands inside a write
constexpr const wchar_t* kTarget = L"C:\\Work\\Tools.kvcmd";
const std::string kUsersOwnFile = "a file of the user's own";

// Every command of one export carries its generation in its prompt.
void fill(CKVUserCommands& commands, int generation) {
    commands.RemoveAll();
    for (int i = 0; i < kCommandsPerFile; ++i) {
        std::unique_ptr<CKVUserCommand> command = CKVUserCommand::Create(4);
        command->Prompt.Format(L"Generation %d command %d", generation, i);
        static_cast<CKVOpenFolderUserCommand&>(*command).Folder = L"C:\\Users\\user\\Documents";
        ASSERT_NE(commands.AssignCommandId(command), 0u);
    }
}

// The child: exports generation after generation over the same file, reporting each. Runs until
// killed.
[[noreturn]] void exportUntilKilled(int progress, int generation) {
    ::alarm(20);  // should the parent fail to kill it
    CKVUserCommands commands;
    for (;; ++generation) {
        fill(commands, generation);
        if (!commands.ExportToFile(kTarget)) ::_exit(4);
        if (::write(progress, &generation, sizeof generation) != sizeof generation) ::_exit(5);
    }
}

// The generation the command file holds whole; -1 with `problem` said when it is not one export.
int generationInFile(std::string& problem) {
    CKVUserCommands commands;
    if (!commands.ImportFromFile(kTarget)) {
        problem = "is no command file";
        return -1;
    }
    int generation = -1, count = 0;
    commands.ForEach([&](UINT, const CKVUserCommand& command) {
        int own = -1, index = -1;
        if (swscanf(command.Prompt.GetString(), L"Generation %d command %d", &own, &index) != 2) own = -2;
        if (count++ == 0) generation = own;
        if (own != generation) problem = "holds commands of two exports";
    });
    if (count != kCommandsPerFile) problem = "holds " + std::to_string(count) + " commands";
    return problem.empty() ? generation : -1;
}

class UserCommandsExport : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        writeHost("C/Work/Tools.kvcmd.tmp", kUsersOwnFile);
        nextRun();
        CKVUserCommands first;
        fill(first, 0);
        ASSERT_TRUE(first.ExportToFile(kTarget));
    }

    // What the folder holds besides the temporaries of killed runs.
    std::vector<std::string> leftBeside() const {
        std::vector<std::string> names = hostEntries("C/Work");
        std::erase_if(names, [](const std::string& name) { return name.starts_with(platform::core::kAtomicTempPrefix); });
        return names;
    }
};

TEST_F(UserCommandsExport, AKilledExportLeavesTheOldOrTheNewFileAndNothingElseAfterTheNextStart) {
    std::mt19937 random(60);
    std::uniform_int_distribution<int> delayMicros(0, 30'000);
    int before = 0;
    for (int round = 0; round < kKills; ++round) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        nextRun();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            exportUntilKilled(fds[1], before + 1);
        }
        ::close(fds[1]);
        // One export whole, then the kill lands anywhere in the ones that follow.
        int generation = 0;
        ASSERT_EQ(::read(fds[0], &generation, sizeof generation), static_cast<ssize_t>(sizeof generation));
        ::usleep(static_cast<useconds_t>(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself: " << status;
        int reported = generation;
        while (::read(fds[0], &generation, sizeof generation) == sizeof generation) reported = generation;
        ::close(fds[0]);

        nextRun();
        std::string problem;
        const int now = generationInFile(problem);
        ASSERT_TRUE(problem.empty()) << "after kill " << round << " the file " << problem;
        // What was reported written is there; at most the export in flight is more.
        EXPECT_GE(now, reported) << "after kill " << round;
        EXPECT_LE(now, reported + 1) << "after kill " << round;
        before = now;
        ASSERT_EQ(leftBeside(), (std::vector<std::string>{"Tools.kvcmd", "Tools.kvcmd.tmp"})) << "after kill " << round;
        EXPECT_EQ(readHost("C/Work/Tools.kvcmd.tmp"), kUsersOwnFile) << "after kill " << round;
    }
    platform::core::removeStaleTemporariesBelow(root_);
    EXPECT_EQ(hostEntries("C/Work"), (std::vector<std::string>{"Tools.kvcmd", "Tools.kvcmd.tmp"}));
}

TEST_F(UserCommandsExport, AnExportTheFileSystemRefusesLeavesTheOldFileAndNothingElse) {
    CKVUserCommands commands;
    fill(commands, 1);
    // A read-only file, and a folder where the file should be.
    ASSERT_TRUE(::SetFileAttributesW(kTarget, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(commands.ExportToFile(kTarget));
    ASSERT_TRUE(::SetFileAttributesW(kTarget, FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(::CreateDirectoryW(L"C:\\Work\\Folder.kvcmd", nullptr));
    EXPECT_FALSE(commands.ExportToFile(L"C:\\Work\\Folder.kvcmd"));
    EXPECT_FALSE(commands.ExportToFile(L"C:\\Nowhere\\Tools.kvcmd"));

    std::string problem;
    EXPECT_EQ(generationInFile(problem), 0) << problem;
    EXPECT_EQ(hostEntries("C/Work"), (std::vector<std::string>{"Folder.kvcmd", "Tools.kvcmd", "Tools.kvcmd.tmp"}));
    EXPECT_EQ(readHost("C/Work/Tools.kvcmd.tmp"), kUsersOwnFile);
}

}  // namespace
