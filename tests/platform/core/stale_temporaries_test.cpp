// The start-up sweep of killed runs' temporaries stays inside the host folder: a link there is an
// entry like any other, and what it names (anywhere on the host) is never looked at.
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/hostfs.h"
#include "platform/core/stale_temporaries.h"

namespace {

namespace fs = std::filesystem;

// The paths stat() was asked about while `watching` (stat follows links; lstat does not).
std::atomic<bool> watching{false};
std::mutex statedMutex;
std::vector<std::string> stated;

}  // namespace

// Every stat() of this executable, the standard library's included, passes here first.
extern "C" int stat(const char* __restrict path, struct stat* __restrict buffer) noexcept {
    using Stat = int (*)(const char*, struct stat*);
    static const auto next = reinterpret_cast<Stat>(::dlsym(RTLD_NEXT, "stat"));
    if (watching.load()) {
        std::lock_guard lock(statedMutex);
        stated.emplace_back(path);
    }
    return next(path, buffer);
}

namespace {

// An id no process has: one that ended.
pid_t deadProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

void touch(const fs::path& file) { std::ofstream(file) << "left behind"; }

class StaleTemporariesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(base_);
        fs::create_directories(host_ / "Documents");
        fs::create_directories(outside_ / "Projects");
    }
    void TearDown() override {
        watching = false;
        fs::remove_all(base_);
    }

    std::string temporaryName() const {
        return std::string(platform::core::kAtomicTempPrefix) + std::to_string(dead_) + "-0.tmp";
    }

    fs::path base_ = fs::temp_directory_path() / ("korvo-stale-" + std::to_string(::getpid()));
    fs::path host_ = base_ / "host";
    fs::path outside_ = base_ / "outside";
    pid_t dead_ = deadProcessId();
};

TEST_F(StaleTemporariesTest, TheSweepRemovesLeftoversInsideAndNeverLooksThroughALink) {
    touch(host_ / "Documents" / temporaryName());
    touch(outside_ / "Projects" / temporaryName());
    touch(outside_ / "notes.txt");
    fs::create_directory_symlink(outside_ / "Projects", host_ / "Documents" / "projects link");
    fs::create_symlink(outside_ / "notes.txt", host_ / "notes link");
    fs::create_symlink(base_ / "nowhere", host_ / "dangling link");

    {
        std::lock_guard lock(statedMutex);
        stated.clear();
    }
    watching = true;
    platform::core::removeStaleTemporariesBelow(host_);
    watching = false;

    EXPECT_FALSE(fs::exists(host_ / "Documents" / temporaryName())) << "a killed run's temporary inside goes";
    EXPECT_TRUE(fs::exists(outside_ / "Projects" / temporaryName())) << "what a link leads to is not the sweep's";
    EXPECT_TRUE(fs::is_symlink(host_ / "Documents" / "projects link"));
    EXPECT_TRUE(fs::is_symlink(host_ / "notes link"));
    std::lock_guard lock(statedMutex);
    for (const std::string& path : stated)
        EXPECT_EQ(path.find("link"), std::string::npos) << "stat() followed the link " << path;
}

}  // namespace
