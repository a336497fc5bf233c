// A process making registry changes, killed at random points: every hive file it leaves parses
// and holds each change set whole (the old or the new state), what it flushed is there, and the
// next run starts clean.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "platform/core/registry_store_detail.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using platform::core::Hive;
using platform::core::RegistryStore;
using store_test::StoreTest;

constexpr int kKills = 60;
constexpr int kValuesPerSet = 50;  // enough that a kill often lands in the middle of a save

struct HiveUnderTest {
    Hive hive;
    HKEY root;
    const wchar_t* key;
    const char* file;
};

const HiveUnderTest kHives[] = {
    {Hive::CurrentUser, HKEY_CURRENT_USER, L"Software\\Kill", "registry/HKEY_CURRENT_USER.reg"},
    {Hive::LocalMachine, HKEY_LOCAL_MACHINE, L"SOFTWARE\\Kill", "registry/HKEY_LOCAL_MACHINE.reg"},
};

// The child: says it is ready, then makes change set after change set (every value of the key set
// to the next generation), each hive flushed, then the generation reported. Runs until killed.
[[noreturn]] void makeChangesUntilKilled(int progress, DWORD generation) {
    ::alarm(20);  // should the parent fail to kill it
    HKEY keys[2] = {};
    for (std::size_t h = 0; h < 2; ++h) {
        if (RegCreateKeyExW(kHives[h].root, kHives[h].key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &keys[h], nullptr) != ERROR_SUCCESS) {
            ::_exit(3);
        }
    }
    const DWORD ready = 0;
    if (::write(progress, &ready, sizeof ready) != sizeof ready) ::_exit(5);
    for (;; ++generation) {
        for (HKEY key : keys) {
            for (int i = 0; i < kValuesPerSet; ++i) {
                RegSetValueExW(key, (L"Value" + std::to_wstring(i)).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&generation),
                               sizeof generation);
            }
            if (RegFlushKey(key) != ERROR_SUCCESS) ::_exit(4);
        }
        if (::write(progress, &generation, sizeof generation) != sizeof generation) ::_exit(5);
    }
}

// The generation a hive file holds: every value of the change set must agree. -1 when the file
// does not exist yet.
long long generationInFile(const std::string& text, const HiveUnderTest& hive, std::string& problem) {
    RegistryStore::Key root;
    if (auto error = platform::core::registry_format::parse(text, root)) {
        problem = "does not parse: line " + std::to_string(error->line) + ": " + platform::core::toUtf8(error->message);
        return -2;
    }
    RegistryStore::Key* key = &root;
    for (const auto& name : {std::wstring_view(hive.key).substr(0, 8), std::wstring_view(L"Kill")}) {
        key = key->findChild(name);
        if (key == nullptr) return -1;
    }
    if (key->values().size() != static_cast<std::size_t>(kValuesPerSet)) {
        problem = "holds " + std::to_string(key->values().size()) + " values of a change set";
        return -2;
    }
    const auto first = key->values().front().second.asDword();
    for (const auto& [name, value] : key->values()) {
        if (value.asDword() != first) {
            problem = "holds parts of two change sets";
            return -2;
        }
    }
    return first ? static_cast<long long>(*first) : -2;
}

TEST_F(StoreTest, RegistryFilesSurviveKillsWholeAndTheNextRunStartsClean) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicros(0, 20'000);
    long long before[2] = {-1, -1};
    int killedWithProgress = 0;
    for (int round = 0; round < kKills; ++round) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        nextRun();  // the child starts as a fresh run over the folder
        const DWORD start = static_cast<DWORD>(std::max(before[0], before[1]) + 1);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            makeChangesUntilKilled(fds[1], start);
        }
        ::close(fds[1]);
        // Most kills land among the changes; some while the child is still starting.
        DWORD ready = 0;
        if (round % 6 != 0) {
            ASSERT_EQ(::read(fds[0], &ready, sizeof ready), static_cast<ssize_t>(sizeof ready));
        }
        ::usleep(static_cast<useconds_t>(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself: " << status;

        long long flushed = std::max(before[0], before[1]);
        bool reported = false;
        DWORD generation = 0;
        bool first = round % 6 == 0;  // the ready word was not read yet
        while (::read(fds[0], &generation, sizeof generation) == sizeof generation) {
            if (std::exchange(first, false)) continue;
            flushed = generation;
            reported = true;
        }
        ::close(fds[0]);
        if (reported) ++killedWithProgress;

        for (std::size_t h = 0; h < 2; ++h) {
            std::string problem;
            const long long now = generationInFile(readHost(kHives[h].file), kHives[h], problem);
            ASSERT_TRUE(problem.empty()) << kHives[h].file << " after kill " << round << " " << problem;
            // What was flushed and reported is there; at most the change set in flight is more.
            EXPECT_GE(now, std::max(before[h], reported ? flushed : before[h])) << kHives[h].file << " after kill " << round;
            EXPECT_LE(now, flushed + 1) << kHives[h].file << " after kill " << round;
            before[h] = now;
        }

        // The next run removes the spare file the killed one left, and finds what is on disk.
        nextRun();
        EXPECT_EQ(platform::core::registryStore().keyExists(Hive::CurrentUser, L"Software\\Kill"), before[0] >= 0);
        if (!std::filesystem::exists(root_ / "registry")) continue;
        for (const auto& entry : hostEntries("registry")) EXPECT_TRUE(entry.ends_with(".reg")) << entry << " left after kill " << round;
    }
    EXPECT_GT(killedWithProgress, kKills / 4) << "too few kills landed after the first change set";
}

}  // namespace
