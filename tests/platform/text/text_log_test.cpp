#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/config.h"
#include "platform/compression.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/diagnostics.h"
#include "platform/win32/files/file.h"
#include "platform/win32/process/module.h"
#include "tests/platform/text/text_printers.h"

namespace {

std::string logFileText() {
    std::string bytes;
    platform::files::readAll(platform::core::config().logFile, bytes);
    return bytes;
}

TEST(TextLog, EntriesGoToTheJournalAndToTheLogFile) {
    EXPECT_FALSE(KVLog_FileExists());
    KVLog_Write(2, L"Initialized in 0.000 ms");
    KVLog_WriteF(8, L"Kernel module \"%s\" v%u.%u.%u.%u is incompatible", L"KorvoKernel.dll", 18u, 0u, 20u, 0u);
    KVLog_WriteF(2, L"Initialized in %lld.%03lld ms", 1LL, 250LL);

    EXPECT_EQ(platform::core::journal().texts("log"),
              (std::vector<std::wstring>{L"2 Initialized in 0.000 ms",
                                         L"8 Kernel module \"KorvoKernel.dll\" v18.0.20.0 is incompatible",
                                         L"2 Initialized in 1.250 ms"}));
    EXPECT_TRUE(KVLog_FileExists());
    EXPECT_EQ(KVLog_GetFileName(), platform::core::config().logFile.c_str());
    const std::regex lines(
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\d+ 2 Initialized in 0\\.000 ms\n"
        "[^\n]+ 8 Kernel module \"KorvoKernel\\.dll\" v18\\.0\\.20\\.0 is incompatible\n"
        "[^\n]+ 2 Initialized in 1\\.250 ms\n");
    EXPECT_TRUE(std::regex_match(logFileText(), lines)) << logFileText();
}

TEST(TextLog, ConcurrentWritersNeverInterleaveAndTheLockIsRecursive) {
    bool locked = false;
    KVLog_Lock(&locked);
    EXPECT_TRUE(locked);
    KVLog_Lock();
    KVLog_Write(3, L"inside the lock");
    KVLog_Unlock();
    KVLog_Unlock();

    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([t] {
            for (int i = 0; i < 25; ++i) KVLog_WriteF(1, L"writer %d entry %02d with some text to make it longer", t, i);
        });
    }
    for (auto& w : writers) w.join();

    const std::string text = logFileText();
    std::size_t count = 0;
    const std::regex line("[^\n]+ \\d+ 1 writer \\d entry \\d\\d with some text to make it longer");
    for (std::size_t start = text.find('\n') + 1, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_TRUE(std::regex_match(text.substr(start, end - start), line)) << text.substr(start, end - start);
        ++count;
    }
    EXPECT_EQ(count, 100u);
    EXPECT_EQ(platform::core::journal().texts("log").size(), 101u);
}

TEST(TextLog, ATriedLockNeverWaitsAndAnUnlockWithoutTheLockReleasesNothing) {
    KVLog_Unlock();  // this thread holds nothing: nothing happens
    bool locked = false;
    KVLog_Lock(&locked);
    ASSERT_TRUE(locked);
    std::thread other([] {
        KVLog_Unlock();  // must not release the lock the first thread holds
        bool got = true;
        KVLog_Lock(&got);
        EXPECT_FALSE(got);
    });
    other.join();
    KVLog_Unlock();
    std::thread after([] {
        bool got = false;
        KVLog_Lock(&got);
        EXPECT_TRUE(got);
        KVLog_Unlock();
    });
    after.join();
}

TEST(TextVersion, VersionNumbersPackFourPartsAndComeFromModuleFiles) {
    constexpr Korvo::VersionNumber expected(18, 0, 21, 0);
    static_assert(expected.value() == 0x0012000000150000ull);
    EXPECT_EQ(expected.toString(), L"18.0.21.0");
    EXPECT_LT(Korvo::VersionNumber(18, 0, 20, 9), expected);
    EXPECT_TRUE(Korvo::VersionNumber::Null.isNull());

    const CString module = KVAppendProgramPath(L"KV2DAnnotate.dll");
    ASSERT_EQ(platform::files::createDirectories(KVGetProgramPath().view()), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(module.view(), "version=18.0.21.7\nexports=none\n"), 0u);
    const auto version = Korvo::VersionNumber::fromFile(module);
    EXPECT_EQ(version.major(), 18u);
    EXPECT_EQ(version.build(), 21u);
    EXPECT_EQ(version.revision(), 7u);
    EXPECT_EQ(Korvo::VersionNumber::fromFile(L"C:\\missing.dll"), Korvo::VersionNumber::Null);
}

TEST(TextModule, LoadingIsJournalledAndFailuresKeepTheSystemError) {
    ASSERT_EQ(platform::files::createDirectories(KVGetProgramPath().view()), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(KVAppendProgramPath(L"KVTEXT.dll").view(), "version=18.0.21.0\n"), 0u);

    EXPECT_EQ(Korvo::Module::loadMfcAndInitialize(L"Missing.dll", 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    const HMODULE text = Korvo::Module::loadMfcAndInitialize(L"KVTEXT.dll", 0);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"KVTEXT.dll"), text);
    Korvo::Module::shutdownAll();
    EXPECT_EQ(Korvo::Module::shutdownAndUnloadMfc(text), FALSE);

    EXPECT_EQ(platform::core::journal().texts("call"),
              (std::vector<std::wstring>{L"Korvo::Module::loadMfcAndInitialize(Missing.dll)",
                                         L"Korvo::Module::loadMfcAndInitialize(KVTEXT.dll)",
                                         L"Korvo::Module::shutdownAll()",
                                         L"Korvo::Module::shutdownAndUnloadMfc(KVTEXT.dll)"}));
}

TEST(TextDumpContext, ContextsNestOnTheirThread) {
    EXPECT_EQ(GenerateDumpFileContextBase::Current(), nullptr);
    GenerateDumpFileContextBase outer;
    {
        GenerateDumpFileContextBase inner;
        EXPECT_EQ(GenerateDumpFileContextBase::Current(), &inner);
        std::thread([] { EXPECT_EQ(GenerateDumpFileContextBase::Current(), nullptr); }).join();
    }
    EXPECT_EQ(GenerateDumpFileContextBase::Current(), &outer);
}

}  // namespace
