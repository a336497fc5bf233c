// The host folder the platform makes for itself when nobody chose one goes when the process
// ends; a folder that was given is never touched. Each case runs the platform in a forked child
// that ends normally, as a test process does.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/core/config.h"
#include "platform/core/hostfs.h"
#include "platform/core/registry_store.h"

namespace {

namespace fs = std::filesystem;
using platform::core::Hive;
using platform::core::RegistryValue;

// Runs the platform in a child over `hostRoot` (empty: none chosen), sets a registry value there
// (saved when the child ends) and ends the child; returns the host folder the child used.
std::string hostFolderOfAChild(const std::string& hostRoot) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        platform::core::config().hostRoot = hostRoot;
        platform::core::hostFs().reloadForTesting();
        platform::core::registryStore().reloadForTesting();
        platform::core::registryStore().setValue(Hive::CurrentUser, L"Software\\Velmora", L"Written", RegistryValue::dword(1));
        const std::string used = platform::core::hostFs().root().string();
        if (::write(fds[1], used.data(), used.size()) < 0) std::_Exit(2);
        ::close(fds[1]);
        std::exit(0);  // a normal end: the registry saves what it has not yet, static objects are destroyed
    }
    ::close(fds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return report;
}

TEST(TemporaryHostRoot, MadeByTheProcessGoesWithItAndAGivenOneStays) {
    ::unsetenv("KORVO_KEEP_HOST");
    const std::string made = hostFolderOfAChild("");
    ASSERT_FALSE(made.empty());
    EXPECT_NE(made.find("korvo-host-"), std::string::npos) << made;
    EXPECT_FALSE(fs::exists(made)) << made;

    std::string given = (fs::temp_directory_path() / "korvo-given-host-XXXXXX").string();
    ASSERT_NE(::mkdtemp(given.data()), nullptr);
    EXPECT_EQ(hostFolderOfAChild(given), given);
    EXPECT_TRUE(fs::exists(fs::path(given) / "registry" / "HKEY_CURRENT_USER.reg"));
    fs::remove_all(given);
}

TEST(TemporaryHostRoot, KeptOnRequest) {
    ::setenv("KORVO_KEEP_HOST", "1", 1);
    const std::string made = hostFolderOfAChild("");
    ::unsetenv("KORVO_KEEP_HOST");
    ASSERT_FALSE(made.empty());
    EXPECT_TRUE(fs::exists(fs::path(made) / "registry" / "HKEY_CURRENT_USER.reg")) << made;
    fs::remove_all(made);
}

}  // namespace
