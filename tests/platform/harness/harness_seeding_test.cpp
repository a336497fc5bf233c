// Seeding a fresh host folder's program folder from the bundled sample is all or nothing: a run
// that dies half-way leaves no program folder that a later run would take as complete.
#include <sys/wait.h>
#include <unistd.h>

#include "platform/harness/embedded_sample.h"
#include "platform/harness/host_files.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using platform::harness::detail::seedProgramFolder;
using store_test::StoreTest;

constexpr const char* kProgramParent = "C/Program Files/Velmora";
constexpr const char* kProgramFolder = "C/Program Files/Velmora/Korvo CAD 18.0";

std::wstring programFolder() { return platform::core::config().programFolder; }

void expectWholeSample(const std::filesystem::path& folder) {
    for (const auto& [relative, bytes] : platform::harness::embeddedSampleFiles()) {
        std::ifstream in(folder / std::string(relative), std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), bytes) << relative;
    }
}

TEST_F(StoreTest, ARunKilledWhileSeedingLeavesNoProgramFolderAndTheNextRunSeedsAfresh) {
    ASSERT_GT(platform::harness::embeddedSampleFiles().size(), 3u);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Dies as a killed run would: no unwinding, no clean-up.
        seedProgramFolder(programFolder(), true, [](std::size_t written) {
            if (written == 3) ::_exit(9);
        });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
    EXPECT_FALSE(std::filesystem::exists(root_ / kProgramFolder));
    const auto leftover = hostEntries(kProgramParent);
    ASSERT_EQ(leftover.size(), 1u);  // the dead run's hidden temporary folder
    EXPECT_TRUE(leftover[0].starts_with(platform::core::kAtomicTempPrefix));

    nextRun();
    EXPECT_TRUE(seedProgramFolder(programFolder(), true));
    EXPECT_EQ(hostEntries(kProgramParent), std::vector<std::string>{"Korvo CAD 18.0"});
    expectWholeSample(root_ / kProgramFolder);
    // Once there, it is the user's: a later run leaves it as it is.
    writeHost(std::string(kProgramFolder) + "/Korvo.ini", "edited");
    EXPECT_FALSE(seedProgramFolder(programFolder(), true));
    EXPECT_EQ(readHost(std::string(kProgramFolder) + "/Korvo.ini"), "edited");
}

TEST_F(StoreTest, ASeedingThatFailsHalfWayLeavesNothingBehind) {
    EXPECT_THROW(seedProgramFolder(programFolder(), true,
                                   [](std::size_t written) {
                                       if (written == 2) throw std::runtime_error("disk full");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(hostEntries(kProgramParent), std::vector<std::string>{});
    EXPECT_TRUE(seedProgramFolder(programFolder(), true));
    expectWholeSample(root_ / kProgramFolder);
}

}  // namespace
