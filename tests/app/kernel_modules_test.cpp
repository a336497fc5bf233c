// The kernel's modules: a module with the wrong version or one that fails to load is reported and
// left out, start-up goes on, and only a mandatory module's failure closes the splash at once.
#include "app/startup/splash_wnd.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

class KernelModules : public SessionTest {};

TEST_F(KernelModules, OptionalModuleWithWrongVersionIsReportedAndSkipped) {
    Session s;
    s.files().setModuleVersion(L"KV3DSE.dll", L"18.0.20.0");
    bool splashOpenDuringBox = false;
    s.user().expectBox(L"*KV3DSE.dll*18.0.20.0*", [&](const BoxRequest& box) {
        splashOpenDuringBox = CSplashWnd::IsOpen();
        EXPECT_NE(box.type & MB_ICONERROR, 0u);
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 1);
    EXPECT_TRUE(splashOpenDuringBox);
    EXPECT_TRUE(Contains(logs(s),
                         L"7 Optional module \"KV3DSE.dll\" v18.0.20.0 is incompatible with Korvo CAD v18.0.21.0"));
    EXPECT_FALSE(Contains(logs(s), L"Loading optional module"));
    EXPECT_FALSE(CSplashWnd::IsOpen());
    // The UI module hears of every box the application shows.
    apptest::ExpectInOrder(calls(s), {L"UIModuleProxy::NotifyModalBoxBegin()", L"UIModuleProxy::NotifyModalBoxEnd()"});
}

TEST_F(KernelModules, MandatoryModuleThatFailsToLoadClosesTheSplashAndTheLoopGoesOn) {
    Session s;
    s.files().setModuleLoadFailure(L"KVTEXT.dll", 1114);
    s.files().setModuleVersion(L"KV3DSE.dll", L"18.0.20.0");
    bool splashOpenDuringFirstBox = false;
    bool splashOpenDuringSecondBox = true;
    s.user().expectBox(L"*KVTEXT.dll*", [&](const BoxRequest&) {
        splashOpenDuringFirstBox = CSplashWnd::IsOpen();
        return Button::Ok;
    });
    s.user().expectBox(L"*KV3DSE.dll*", [&](const BoxRequest&) {
        splashOpenDuringSecondBox = CSplashWnd::IsOpen();
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 1);
    EXPECT_TRUE(splashOpenDuringFirstBox);
    EXPECT_FALSE(splashOpenDuringSecondBox);
    apptest::ExpectInOrder(logs(s), {
                                        L"2 Loading mandatory module \"KVTEXT.dll\" v18.0.21.0...",
                                        L"8 Failed to load mandatory module \"KVTEXT.dll\": 0x0000045a",
                                        L"2 Loading mandatory module \"KorvoScene.dll\" v18.0.21.0...",
                                        L"7 Optional module \"KV3DSE.dll\"",
                                        L"2 Initialized in ",
                                    });
}

TEST_F(KernelModules, MandatoryModuleWithWrongVersionIsNotLoadedAndClosesTheSplash) {
    Session s;
    s.files().setModuleVersion(L"KorvoScene.dll", L"17.0.0.0");
    s.files().setModuleLoadFailure(L"KV3DSE.dll", 126);
    bool splashOpenDuringFirstBox = false;
    bool splashOpenDuringSecondBox = true;
    // The texts are the sample's translations of the module messages.
    s.user().expectBox(L"Неверная версия \"KorvoScene.dll\" (17.0.0.0)", [&](const BoxRequest& box) {
        splashOpenDuringFirstBox = CSplashWnd::IsOpen();
        EXPECT_NE(box.type & MB_ICONERROR, 0u);
        return Button::Ok;
    });
    s.user().expectBox(L"Не удалось загрузить модуль \"KV3DSE.dll\"", [&](const BoxRequest& box) {
        splashOpenDuringSecondBox = CSplashWnd::IsOpen();
        EXPECT_NE(box.type & MB_ICONERROR, 0u);
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 1);
    EXPECT_TRUE(splashOpenDuringFirstBox);
    EXPECT_FALSE(splashOpenDuringSecondBox);
    apptest::ExpectInOrder(
        logs(s), {
                     L"8 Mandatory module \"KorvoScene.dll\" v17.0.0.0 is incompatible with Korvo CAD v18.0.21.0",
                     L"2 Loading optional module \"KV3DSE.dll\" v18.0.21.0...",
                     L"7 Failed to load optional module \"KV3DSE.dll\": 0x0000007e",
                     L"2 Initialized in ",
                 });
    EXPECT_FALSE(Contains(logs(s), L"Loading mandatory module \"KorvoScene.dll\""));
    EXPECT_FALSE(Contains(calls(s), L"loadMfcAndInitialize(KorvoScene.dll)"));
}

TEST_F(KernelModules, OptionalModuleThatFailsToLoadLeavesTheSplashOpen) {
    Session s;
    s.files().setModuleLoadFailure(L"KV3DSE.dll", 126);
    bool splashOpenDuringBox = false;
    s.user().expectBox(L"*KV3DSE.dll*", [&](const BoxRequest&) {
        splashOpenDuringBox = CSplashWnd::IsOpen();
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 1);
    EXPECT_TRUE(splashOpenDuringBox);
    EXPECT_TRUE(Contains(logs(s), L"7 Failed to load optional module \"KV3DSE.dll\": 0x0000007e"));
}

}  // namespace
