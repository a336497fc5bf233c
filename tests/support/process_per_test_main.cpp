// The test executables' entry point. A session owns process-wide platform state that cannot be
// reset, so a test needs a process of its own. ctest starts each test alone and it runs here;
// run directly with several tests selected (no filter, a filter naming several, --gtest_repeat,
// --gtest_shuffle), the executable starts itself once per test instead, with that test's name
// as the filter, and sums up.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/process.h"

extern char** environ;

namespace {

// Set in a child's environment: a child always runs what it was given itself.
constexpr const char* kChildMarker = "KORVO_TEST_CHILD";

// gtest's wildcards: '*' any run of characters, '?' one character.
bool MatchesGlob(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::optional<std::size_t> star;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starName = n;
        } else if (star) {
            p = *star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// `patterns` separated by ':'.
bool MatchesAny(std::string_view patterns, std::string_view name) {
    while (true) {
        const std::size_t colon = patterns.find(':');
        if (MatchesGlob(patterns.substr(0, colon), name)) return true;
        if (colon == std::string_view::npos) return false;
        patterns.remove_prefix(colon + 1);
    }
}

// gtest's filter: positive patterns, then optionally '-' and negative ones.
bool MatchesFilter(std::string_view filter, std::string_view name) {
    const std::size_t dash = filter.find('-');
    std::string_view positive = filter.substr(0, dash);
    const std::string_view negative = dash == std::string_view::npos ? std::string_view() : filter.substr(dash + 1);
    if (positive.empty()) positive = "*";
    return MatchesAny(positive, name) && !(dash != std::string_view::npos && MatchesAny(negative, name));
}

bool IsDisabled(std::string_view suite, std::string_view test) {
    constexpr std::string_view kDisabled = "DISABLED_*:*/DISABLED_*";
    return MatchesAny(kDisabled, suite) || MatchesAny(kDisabled, test);
}

std::optional<long> EnvironmentNumber(const char* name) {
    const char* text = std::getenv(name);
    if (!text || !*text) return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end) return std::nullopt;
    return value;
}

struct SelectedTest {
    std::string suite;
    std::string name;
    std::string full() const { return suite + "." + name; }
};

// The tests gtest would run in this process: filter, disabled tests, shards.
std::vector<SelectedTest> SelectedTests() {
    const std::string filter = GTEST_FLAG_GET(filter);
    const bool alsoDisabled = GTEST_FLAG_GET(also_run_disabled_tests);
    const std::optional<long> shards = EnvironmentNumber("GTEST_TOTAL_SHARDS");
    const std::optional<long> shardIndex = EnvironmentNumber("GTEST_SHARD_INDEX");
    const bool sharded = shards && shardIndex && *shards > 1;
    std::vector<SelectedTest> selected;
    long runnable = 0;
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    for (int i = 0; i < unit.total_test_suite_count(); ++i) {
        const ::testing::TestSuite& suite = *unit.GetTestSuite(i);
        for (int j = 0; j < suite.total_test_count(); ++j) {
            const ::testing::TestInfo& info = *suite.GetTestInfo(j);
            SelectedTest test{info.test_suite_name(), info.name()};
            if (!MatchesFilter(filter, test.full())) continue;
            if (!alsoDisabled && IsDisabled(test.suite, test.name)) continue;
            const bool inThisShard = !sharded || runnable % *shards == *shardIndex;
            ++runnable;
            if (inThisShard) selected.push_back(std::move(test));
        }
    }
    return selected;
}

// gtest's order for --gtest_shuffle: suites shuffled, then the tests inside each suite.
void Shuffle(std::vector<SelectedTest>& tests, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::string> suites;
    std::map<std::string, std::vector<SelectedTest>> bySuite;
    for (SelectedTest& test : tests) {
        if (!bySuite.count(test.suite)) suites.push_back(test.suite);
        bySuite[test.suite].push_back(std::move(test));
    }
    std::shuffle(suites.begin(), suites.end(), random);
    tests.clear();
    for (const std::string& suite : suites) {
        std::vector<SelectedTest>& members = bySuite[suite];
        std::shuffle(members.begin(), members.end(), random);
        for (SelectedTest& test : members) tests.push_back(std::move(test));
    }
}

unsigned FirstSeed() {
    constexpr unsigned kMaxSeed = 99999;
    const int flag = GTEST_FLAG_GET(random_seed);
    const auto raw = flag > 0 ? static_cast<unsigned>(flag)
                              : static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    return (raw - 1U) % (kMaxSeed - 1U) + 1U;
}

// The gtest settings a child takes over; selection, repetition and order stay with the parent.
std::vector<std::string> ForwardedFlags() {
    // A child writes into a pipe; colours follow this process's terminal instead.
    std::string color = GTEST_FLAG_GET(color);
    if (color == "auto") color = isatty(STDOUT_FILENO) ? "yes" : "no";
    std::vector<std::string> flags{
        "--gtest_also_run_disabled_tests",
        "--gtest_repeat=1",
        "--gtest_color=" + color,
        std::string("--gtest_catch_exceptions=") + (GTEST_FLAG_GET(catch_exceptions) ? "1" : "0"),
    };
    if (GTEST_FLAG_GET(break_on_failure)) flags.push_back("--gtest_break_on_failure");
    if (GTEST_FLAG_GET(throw_on_failure)) flags.push_back("--gtest_throw_on_failure");
    return flags;
}

// This process's environment for a child: marked, and without the shard settings, which the
// parent has applied already.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view variable(*entry);
        const std::string_view name = variable.substr(0, variable.find('='));
        if (name == kChildMarker || name == "GTEST_TOTAL_SHARDS" || name == "GTEST_SHARD_INDEX" ||
            name == "GTEST_SHARD_STATUS_FILE") {
            continue;
        }
        variables.emplace_back(variable);
    }
    variables.push_back(std::string(kChildMarker) + "=1");
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

struct ChildResult {
    bool passed = false;
    std::string output;  // standard output and error, interleaved as written
    std::string how;     // how a failed child ended
};

ChildResult RunChild(std::vector<std::string> arguments, std::vector<std::string> environment) {
    ChildResult result;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        result.how = std::string("cannot make a pipe: ") + std::strerror(errno);
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(environment);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        result.how = std::string("cannot start: ") + std::strerror(spawned);
        return result;
    }
    char buffer[4096];
    while (true) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got > 0) {
            result.output.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        result.passed = WEXITSTATUS(status) == 0;
        result.how = "exit code " + std::to_string(WEXITSTATUS(status));
    } else if (WIFSIGNALED(status)) {
        result.how = std::string("killed by signal ") + strsignal(WTERMSIG(status));
    }
    return result;
}

// Passing tests print one line; a failing one prints everything it wrote.
int RunEachInItsOwnProcess(std::vector<SelectedTest> tests, const std::vector<std::string>& ownArguments) {
    if (!GTEST_FLAG_GET(output).empty()) {
        std::fprintf(stderr,
                     "--gtest_output is not supported when tests run one per process; run one test at a "
                     "time or use ctest for reports.\n");
        return 2;
    }
    const int repeat = GTEST_FLAG_GET(repeat);
    const bool shuffle = GTEST_FLAG_GET(shuffle);
    unsigned seed = FirstSeed();
    const std::vector<std::string> flags = ForwardedFlags();
    const std::vector<std::string> environment = ChildEnvironment();
    int failedIterations = 0;
    for (int iteration = 0; repeat < 0 || iteration < repeat; ++iteration) {
        if (repeat != 1) std::printf("\nRepeating all tests (iteration %d) . . .\n\n", iteration + 1);
        if (shuffle) {
            std::printf("Note: Randomizing tests' orders with a seed of %u .\n", seed);
            Shuffle(tests, seed);
            seed = seed % 99998U + 1U;
        }
        std::printf("[==========] Running %zu tests, each in a process of its own.\n", tests.size());
        std::fflush(stdout);
        std::vector<std::string> failed;
        for (const SelectedTest& test : tests) {
            std::vector<std::string> arguments = ownArguments;
            arguments.insert(arguments.end(), flags.begin(), flags.end());
            arguments.push_back("--gtest_filter=" + test.full());
            std::printf("[ RUN      ] %s\n", test.full().c_str());
            std::fflush(stdout);
            const auto began = std::chrono::steady_clock::now();
            const ChildResult result = RunChild(std::move(arguments), environment);
            const auto took =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
            if (result.passed) {
                std::printf("[       OK ] %s (%lld ms)\n", test.full().c_str(), static_cast<long long>(took.count()));
            } else {
                std::fwrite(result.output.data(), 1, result.output.size(), stdout);
                std::printf("[  FAILED  ] %s (%s)\n", test.full().c_str(), result.how.c_str());
                failed.push_back(test.full());
            }
            std::fflush(stdout);
            if (!failed.empty() && GTEST_FLAG_GET(fail_fast)) break;
        }
        std::printf("[==========] %zu tests ran, each in a process of its own.\n", tests.size());
        std::printf("[  PASSED  ] %zu tests.\n", tests.size() - failed.size());
        if (!failed.empty()) {
            std::printf("[  FAILED  ] %zu tests, listed below:\n", failed.size());
            for (const std::string& name : failed) std::printf("[  FAILED  ] %s\n", name.c_str());
            ++failedIterations;
        }
        std::fflush(stdout);
        if (failedIterations > 0 && GTEST_FLAG_GET(fail_fast)) break;
    }
    return failedIterations == 0 ? 0 : 1;
}

// A program that ended its process (TerminateProcess) runs nothing more, its static destructors
// included, as on Windows: the test process then ends at once with gtest's result.
int RunAndEnd() {
    const int result = RUN_ALL_TESTS();
    if (platform::core::process().terminated()) {
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // What gtest left: the program name and arguments that are not gtest flags.
    const std::vector<std::string> ownArguments(argv, argv + argc);

    if (std::getenv(kChildMarker) || GTEST_FLAG_GET(list_tests)) return RunAndEnd();
    std::vector<SelectedTest> tests = SelectedTests();
    if (tests.size() <= 1 && GTEST_FLAG_GET(repeat) == 1) return RunAndEnd();
    return RunEachInItsOwnProcess(std::move(tests), ownArguments);
}
