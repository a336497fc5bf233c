// Fixture for the tests of the registry, file and module stand-ins: a fresh host folder per
// test, and a way to act as "the next run" over the same folder.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/hostfs.h"
#include "platform/core/journal.h"
#include "platform/core/registry_store.h"
#include "platform/core/text.h"
#include "platform/win32.h"
#include "platform/win32/files/store_control.h"

namespace store_test {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvo-store-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        platform::core::config().hostRoot = root_.string();
        nextRun();
        platform::core::takeFailures();
    }

    void TearDown() override {
        const auto failures = platform::core::takeFailures();
        for (const auto& failure : failures) ADD_FAILURE() << "unexpected failure: " << platform::core::toUtf8(failure);
        nextRun();
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    // Drops every in-memory table, as a new process over the same host folder would start.
    static void nextRun() {
        platform::core::hostFs().reloadForTesting();
        platform::core::registryStore().reloadForTesting();
        platform::modules::reloadForTesting();
    }

    // The UI thread's loop running out of messages, when the registry writes its changed hives.
    static void idle() {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }

    // Writes a host file directly, as a test seeding a folder would (creating its folders).
    void writeHost(const std::filesystem::path& relative, const std::string& bytes) {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::string readHost(const std::filesystem::path& relative) const {
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    // Names of the entries of a host folder, sorted.
    std::vector<std::string> hostEntries(const std::filesystem::path& relative) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_ / relative)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path root_;
};

// The names FindFirstFileW/FindNextFileW list for a pattern, in their order (none on failure,
// with the thread's last error left as the search set it).
inline std::vector<std::wstring> findNames(const wchar_t* pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.emplace_back(data.cFileName);
    } while (FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(search));
    return names;
}

inline bool containsText(const std::vector<std::wstring>& texts, std::wstring_view needle) {
    for (const auto& text : texts) {
        if (text.find(needle) != std::wstring::npos) return true;
    }
    return false;
}

}  // namespace store_test
