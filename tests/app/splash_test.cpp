// The splash window: shown while the program starts, unless the ini switches it off or the program
// is started hidden or minimised.
#include <ostream>
#include <string>

#include "app/startup/splash_wnd.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

// Whether the splash is up while the kernel's modules load: an optional module of the wrong
// version shows a box there without closing the splash.
bool SplashOpenWhileModulesLoad(Session& s) {
    s.files().setModuleVersion(L"KV3DSE.dll", L"18.0.20.0");
    bool open = false;
    s.user().expectBox(L"*KV3DSE.dll*", [&](const BoxRequest&) {
        open = CSplashWnd::IsOpen();
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 1);
    EXPECT_FALSE(CSplashWnd::IsOpen()) << "closed once start-up is over";
    return open;
}

struct ShowCase {
    int showCommand;
    bool splash;
};

void PrintTo(const ShowCase& c, std::ostream* out) { *out << "show command " << c.showCommand; }

std::string ShowCaseName(const ::testing::TestParamInfo<ShowCase>& info) {
    return "Show" + std::to_string(info.param.showCommand);
}

class SplashByShowCommand : public SessionTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(SplashByShowCommand, ShowsOnlyWhenTheProgramStartsVisible) {
    Config config;
    config.platform.showCommand = GetParam().showCommand;
    Session s(config);
    EXPECT_EQ(SplashOpenWhileModulesLoad(s), GetParam().splash);
}

INSTANTIATE_TEST_SUITE_P(HiddenOrMinimised, SplashByShowCommand,
                         ::testing::Values(ShowCase{SW_HIDE, false}, ShowCase{SW_SHOWMINIMIZED, false},
                                           ShowCase{SW_MINIMIZE, false}, ShowCase{SW_SHOWMINNOACTIVE, false}),
                         ShowCaseName);
INSTANTIATE_TEST_SUITE_P(Visible, SplashByShowCommand,
                         ::testing::Values(ShowCase{SW_SHOWNORMAL, true}, ShowCase{SW_SHOWMAXIMIZED, true},
                                           ShowCase{SW_SHOWNA, true}),
                         ShowCaseName);

class Splash : public SessionTest {};

TEST_F(Splash, TheIniCanSwitchItOff) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nSplash=0\n");
    EXPECT_FALSE(SplashOpenWhileModulesLoad(s));
}

}  // namespace
