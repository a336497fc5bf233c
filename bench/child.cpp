#include "bench/child.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

extern char** environ;

namespace bench {

namespace {

constexpr const char* kChildFlag = "--child";

std::map<std::string, ChildMain>& children() {
    static std::map<std::string, ChildMain> table;
    return table;
}

}  // namespace

bool registerChild(const std::string& name, ChildMain main) {
    children()[name] = std::move(main);
    return true;
}

bool runChild(const std::string& name, const std::vector<std::string>& arguments, std::vector<double>& numbers,
              std::string& error) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        error = "pipe failed";
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<std::string> words{"/proc/self/exe", kChildFlag, name};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, words[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        error = std::string("cannot start a child: ") + std::strerror(spawned);
        return false;
    }
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    // The code says where a child that printed nothing gave up (its `return N`).
    if (WIFSIGNALED(status)) {
        error = "the child " + name + " was ended by signal " + std::to_string(WTERMSIG(status)) + " (see its messages above)";
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "the child " + name + " failed with exit code " + std::to_string(WEXITSTATUS(status)) +
                " (see its messages above)";
        return false;
    }
    numbers.clear();
    std::istringstream in(output);
    for (double number; in >> number;) numbers.push_back(number);
    return true;
}

int dispatchChild(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[1], kChildFlag) != 0) return -1;
    const auto found = children().find(argv[2]);
    if (found == children().end()) return 2;
    return found->second(std::vector<std::string>(argv + 3, argv + argc));
}

}  // namespace bench
