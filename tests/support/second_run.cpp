#include "tests/support/second_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace platform::harness {

SharedHostFolder::SharedHostFolder(const std::string& name)
    : path_(::testing::TempDir() + name + "-" + std::to_string(getpid())) {}

SharedHostFolder::~SharedHostFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Config SharedHostFolder::continuing() const {
    Config config;
    config.platform.hostRoot = path_;
    config.keepExistingProgramFolder = true;
    return config;
}

bool runFirstInChild(const SharedHostFolder& host, const std::function<bool(Session&)>& firstRun) {
    const pid_t child = fork();
    if (child == -1) return false;
    if (child == 0) {
        // The child leaves with _exit and runs no destructors of the test: only the parent
        // removes the folder.
        int code = 1;
        {
            Config config;
            config.platform.hostRoot = host.path();
            Session first(config);
            if (firstRun(first)) code = 0;
        }
        _exit(code);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform::harness
