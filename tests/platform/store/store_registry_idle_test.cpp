// When the registry reaches its files: not at each change, but when the UI thread's loop runs
// out of messages (the framework's loop, a message box), on RegFlushKey and at the end of a run;
// and only when what it would write differs from the file.
#include <thread>

#include "platform/core/useragent.h"
#include "tests/platform/store/store_test_support.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using platform::core::Hive;
using platform::core::RegistryStore;
using platform::core::RegistryValue;
using platform::core::registryStore;

constexpr const char* kUserHive = "registry/HKEY_CURRENT_USER.reg";

class RegistryIdleTest : public store_test::StoreTest {
protected:
    bool fileHas(std::string_view text) const { return readHost(kUserHive).find(text) != std::string::npos; }
};

TEST_F(RegistryIdleTest, ChangesWaitForTheUiThreadToIdleOrAFlush) {
    idle();  // the first thread to call the platform is its UI thread
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Velmora", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD one = 1;
    ASSERT_EQ(RegSetValueExW(key, L"First", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
    EXPECT_FALSE(std::filesystem::exists(root_ / kUserHive)) << "written before the call returned";

    // Another thread going idle is not the UI thread's loop.
    std::thread([] {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }).join();
    EXPECT_FALSE(std::filesystem::exists(root_ / kUserHive));

    ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
    EXPECT_TRUE(fileHas("\"First\"=dword:00000001"));
    ASSERT_EQ(RegSetValueExW(key, L"Second", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
    EXPECT_FALSE(fileHas("\"Second\""));
    idle();
    EXPECT_TRUE(fileHas("\"Second\"=dword:00000001"));
    EXPECT_EQ(RegFlushKey(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234))), static_cast<LONG>(ERROR_INVALID_HANDLE));

    // A message box's loop idles too: the box's user already finds the change on disk.
    ASSERT_EQ(RegSetValueExW(key, L"Third", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
    bool seenWhileOpen = false;
    platform::core::userAgent().expectMessageBox(L"Saved?", [&](const platform::core::MessageBoxRequest&) {
        seenWhileOpen = fileHas("\"Third\"=dword:00000001");
        return IDOK;
    });
    EXPECT_EQ(MessageBoxW(nullptr, L"Saved?", L"Korvo CAD", MB_OK), IDOK);
    EXPECT_TRUE(seenWhileOpen);

    // Changes that cancel out (a probe key made and deleted) leave the file alone.
    std::ofstream(root_ / kUserHive, std::ios::binary | std::ios::app) << "; untouched\n";
    HKEY probe = nullptr;
    ASSERT_EQ(RegCreateKeyExW(key, L"Probe", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &probe, nullptr), ERROR_SUCCESS);
    RegCloseKey(probe);
    ASSERT_EQ(RegDeleteKeyW(key, L"Probe"), ERROR_SUCCESS);
    idle();
    EXPECT_TRUE(fileHas("; untouched\n"));

    // A change not yet written is lost when the run is killed, and kept when it ends normally.
    ASSERT_EQ(RegSetValueExW(key, L"Lost", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
    RegCloseKey(key);
    registryStore().reloadForTesting(RegistryStore::EndOfRun::Killed);
    EXPECT_FALSE(registryStore().value(Hive::CurrentUser, L"Software\\Velmora", L"Lost"));
    EXPECT_TRUE(registryStore().value(Hive::CurrentUser, L"Software\\Velmora", L"Third"));
    registryStore().setValue(Hive::CurrentUser, L"Software\\Velmora", L"Kept", RegistryValue::dword(2));
    nextRun();
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Software\\Velmora", L"Kept"), RegistryValue::dword(2));
}

// The framework's own loop: nothing is written while messages keep coming, the hive is written
// once the queue runs dry.
class RegistryFrameworkIdleTest : public mfctest::MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        platform::core::hostFs().reloadForTesting();
        registryStore().reloadForTesting();
    }
    void TearDown() override {
        registryStore().reloadForTesting(RegistryStore::EndOfRun::Killed);
        MfcTest::TearDown();
    }
    std::string userHive() const {
        std::ifstream in(root_ / kUserHive, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};

TEST_F(RegistryFrameworkIdleTest, TheLoopWritesWhenItRunsOutOfMessages) {
    constexpr UINT kWrite = WM_USER + 20;
    constexpr UINT kLook = WM_USER + 21;
    std::string seenByTheNextMessage = "not run";
    mfctest::app().preTranslate = [&](MSG* msg) {
        if (msg->message == kWrite) {
            registryStore().setValue(Hive::CurrentUser, L"Software\\Velmora", L"FromTheLoop", RegistryValue::dword(7));
            return TRUE;
        }
        if (msg->message == kLook) {
            seenByTheNextMessage = userHive();
            return TRUE;
        }
        return FALSE;
    };
    PostThreadMessageW(GetCurrentThreadId(), kWrite, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), kLook, 0, 0);
    runUntilIdle();
    EXPECT_EQ(seenByTheNextMessage.find("FromTheLoop"), std::string::npos) << seenByTheNextMessage;
    EXPECT_NE(userHive().find("\"FromTheLoop\"=dword:00000007"), std::string::npos) << userHive();
}

}  // namespace
