// A run killed between writing a temporary file and putting it in place leaves the temporary
// beside its target; the next run over the same host folder removes those of dead runs wherever
// they lie, and nothing of a live run or outside the host.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/harness.h"

namespace {

namespace fs = std::filesystem;
using platform::harness::Config;
using platform::harness::Session;

pid_t DeadProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "half";
}

TEST(HarnessLeftovers, TheNextRunRemovesTheTemporariesOfDeadRunsWhereverTheyLie) {
    const fs::path base = fs::temp_directory_path() / ("korvo-leftovers-test-" + std::to_string(::getpid()));
    const fs::path root = base / "host";
    const fs::path outside = base / "outside";
    fs::remove_all(base);
    const std::string dead = ".~korvo-" + std::to_string(DeadProcess());
    const std::string alive = ".~korvo-" + std::to_string(::getppid());
    const fs::path profile = root / "C/Users/user/AppData/Local/Velmora/Korvo CAD 18.0/Profiles/Default/MainFrame";
    const fs::path documents = root / "C/Users/user/Documents";
    Touch(profile / (dead + "-0.tmp"));
    Touch(documents / (dead + "-3.tmp"));
    Touch(documents / "Pictures" / (dead + "-7.tmp"));
    Touch(documents / (alive + "-1.tmp"));
    Touch(documents / "Bracket.grb");
    Touch(outside / (dead + "-9.tmp"));
    fs::create_directory_symlink(outside, documents / "Linked");
    {
        Config config;
        config.platform.hostRoot = root.string();
        Session session(config);
    }
    EXPECT_FALSE(fs::exists(profile / (dead + "-0.tmp")));
    EXPECT_FALSE(fs::exists(documents / (dead + "-3.tmp")));
    EXPECT_FALSE(fs::exists(documents / "Pictures" / (dead + "-7.tmp")));
    EXPECT_TRUE(fs::exists(documents / (alive + "-1.tmp")));
    EXPECT_TRUE(fs::exists(documents / "Bracket.grb"));
    EXPECT_TRUE(fs::exists(outside / (dead + "-9.tmp")));
    fs::remove_all(base);
}

}  // namespace
