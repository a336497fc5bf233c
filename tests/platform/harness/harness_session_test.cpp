#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/harness.h"
#include "platform/win32/files/store_control.h"

namespace platform::harness {
namespace {

namespace fs = std::filesystem;

const fs::path kProgramFolder = fs::path("C") / "Program Files" / "Velmora" / "Korvo CAD 18.0";

std::string readHostFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(HarnessSession, SecondSessionInOneProcessIsRefused) {
    Session first;
    EXPECT_THROW(Session second, std::logic_error);
}

TEST(HarnessSession, FreshHostIsSeededFromTheSampleAndRemovedAtTheEnd) {
    fs::path root;
    {
        Session session;
        root = session.hostRoot();
        ASSERT_FALSE(root.empty());
        EXPECT_TRUE(fs::is_regular_file(root / kProgramFolder / "Korvo.ini"));
        EXPECT_TRUE(fs::is_regular_file(root / kProgramFolder / "i18n" / "Rus.tsv"));
        const auto kernel = session.files().read(session.files().programFile(L"korvokernel.DLL"));
        ASSERT_TRUE(kernel.has_value());
        EXPECT_NE(kernel->find("version=18.0.21.0"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(root));
}

TEST(HarnessSession, GivenHostKeepsAnExistingProgramFolderAndItsFiles) {
    const fs::path root = fs::temp_directory_path() / ("korvo-harness-test-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / kProgramFolder);
    { std::ofstream(root / kProgramFolder / "Korvo.ini") << "[SETTINGS]\nCompany=Elsewhere\n"; }
    {
        Config config;
        config.platform.hostRoot = root.string();
        config.keepExistingProgramFolder = true;
        Session session(config);
        EXPECT_EQ(session.hostRoot(), root.string());
    }
    EXPECT_EQ(readHostFile(root / kProgramFolder / "Korvo.ini"), "[SETTINGS]\nCompany=Elsewhere\n");
    EXPECT_FALSE(fs::exists(root / kProgramFolder / "KorvoKernel.dll"));  // not re-seeded
    fs::remove_all(root);
}

TEST(HarnessSession, UnexpectedBoxAndUnusedExpectationReachTheFailureHook) {
    std::vector<std::wstring> reported;
    Session::setFailureHook([&](const std::wstring& failure) { reported.push_back(failure); });
    {
        Session session;
        session.user().expectBox(L"Never shown*", Button::Ok);
        session.user().expectBox(L"save changes*", Button::No);
        EXPECT_EQ(MessageBoxW(nullptr, L"Save changes to a.grb?", L"Korvo CAD", MB_YESNO), IDNO);
        MessageBoxW(nullptr, L"Surprise", L"Korvo CAD", MB_OK);
    }
    Session::setFailureHook(nullptr);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_NE(reported[0].find(L"Surprise"), std::wstring::npos);
    EXPECT_NE(reported[1].find(L"Never shown*"), std::wstring::npos);
}

TEST(HarnessSession, ModuleManifestEditsAreWhatTheLoaderReads) {
    Session session;
    Files& files = session.files();
    files.setModuleVersion(L"KV3DSE.dll", L"18.0.20.0");
    EXPECT_EQ(platform::modules::fileVersion(files.programFile(L"KV3DSE.dll")),
              platform::modules::makeVersion(18, 0, 20, 0));

    files.setModuleLoadFailure(L"KVTEXT.dll", 1114);
    EXPECT_EQ(platform::modules::fileVersion(files.programFile(L"KVTEXT.dll")),
              platform::modules::makeVersion(18, 0, 21, 0));
    const std::wstring path = files.programFile(L"KVTEXT.dll");
    EXPECT_EQ(LoadLibraryW(path.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), 1114u);

    const std::wstring kernel = files.programFile(L"KorvoKernel.dll");
    EXPECT_NE(LoadLibraryW(kernel.c_str()), nullptr);
}

}  // namespace
}  // namespace platform::harness
