// The UI theme: which themes can be chosen, what a dark theme switches, and when the choice is
// remembered for the next run; the tool-bar icon size and ribbon mode start-up takes from the
// user's settings.
#include "app/kvw32_app.h"
#include "auxiliary/theme_names.h"
#include "mainframe/main_frame.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

// Counts the theme events and keeps the last theme's name.
class ThemeEvents : public TypedApplicationEventListener<kEventThemeChanged> {
public:
    void OnApplicationEvent(UINT, const ApplicationEventArgs& args) override {
        ++count;
        last = static_cast<const ThemeEventArgs&>(args).GetTheme().name;
    }
    int count = 0;
    CString last;
};

class Themes : public SessionTest {};

TEST_F(Themes, OnlyTheFirst49ThemesCanBeChosen) {
    Session s;
    std::vector<std::wstring> names{L"office2016white"};
    for (int i = 1; i < 50; ++i) names.push_back(L"theme" + std::to_wstring(i));
    s.kernel().setThemes(names);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    CKvw32App* app = CKvw32App::Instance();
    ThemeEvents events;

    const std::size_t before = s.journal().entries().size();
    EXPECT_FALSE(app->SetTheme(L"theme49"));
    EXPECT_EQ(s.journal().entries().size(), before);  // the UI module was not even asked
    EXPECT_EQ(app->GetThemeName(), L"office2016white");
    EXPECT_EQ(UIModuleProxy::Instance().GetUIStyle(), L"office2016white");
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, apptest::section(L"Settings"), L"UIStyle"));
    EXPECT_EQ(events.count, 0);

    EXPECT_TRUE(app->SetTheme(L"theme48"));
    EXPECT_EQ(app->GetThemeCommandId(), 3449u);
    EXPECT_EQ(events.last, L"theme48");

    CXTPControls controls;
    app->FillThemeControls(&controls);
    ASSERT_EQ(controls.GetCount(), 49);
    EXPECT_EQ(controls.GetAt(0)->GetID(), 3401);
    EXPECT_EQ(controls.GetAt(48)->GetID(), 3449);
    EXPECT_EQ(controls.GetAt(48)->GetCaption(), L"theme48");

    CMenu menu;
    menu.CreatePopupMenu();
    app->FillThemeMenu(&menu);
    ASSERT_EQ(menu.GetMenuItemCount(), 49u);
    EXPECT_EQ(menu.GetMenuItemID(48), 3449u);
}

TEST_F(Themes, UnknownOrFailingThemesChangeNothing) {
    Session s;
    s.faults().failTheme(L"msvs2015dark");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    CKvw32App* app = CKvw32App::Instance();
    EXPECT_FALSE(app->SetTheme(L"no such theme"));
    EXPECT_FALSE(app->SetTheme(L"msvs2015dark"));
    EXPECT_EQ(app->GetThemeName(), L"office2016white");
    EXPECT_EQ(app->GetThemeCommandId(), 3406u);
    EXPECT_FALSE(KorvoManagedUIProxy::WpfAccessor::IsDarkThemeEnabled());
}

TEST_F(Themes, DarkThemesDarkenTheFormsAndLightOnesBrightenThemAgain) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    CKvw32App* app = CKvw32App::Instance();

    struct Case {
        const wchar_t* theme;
        bool dark;
    };
    for (const Case& c : {Case{L"office2013dark", true}, Case{L"office2016white", false}, Case{L"office2010black", true},
                          Case{L"msvs2015light", false}, Case{L"msvs2015dark", true}, Case{L"office2016black", true},
                          // The UI module takes the name in any case; the theme number does not.
                          Case{L"Office2010Black", false}}) {
        ASSERT_TRUE(app->SetTheme(c.theme)) << apptest::Utf8(c.theme);
        EXPECT_EQ(KorvoManagedUIProxy::WpfAccessor::IsDarkThemeEnabled(), c.dark) << apptest::Utf8(c.theme);
        EXPECT_EQ(kvpf::CmdDockFormView::GetDefaultBgColor(), c.dark ? RGB(141, 141, 141) : RGB(255, 255, 255));
        EXPECT_EQ(Korvo::UI::ExpandedFormView::IsThemeEnabled(), c.dark);
    }
}

TEST_F(Themes, TheChoiceIsRememberedOnlyOnceStartUpIsComplete) {
    Session s;
    s.kernel().setMacroManagerPresent(true);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    // Start-up applied the default theme without storing it.
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, apptest::section(L"Settings"), L"UIStyle"));
    EXPECT_TRUE(apptest::Contains(calls(s), L"MacroManager::SetTheme(\"office2016white\")"));

    ASSERT_TRUE(CKvw32App::Instance()->SetTheme(L"msvs2015light"));
    EXPECT_EQ(s.registry().getString(apptest::kUser, apptest::section(L"Settings"), L"UIStyle"), L"msvs2015light");
}

TEST_F(Themes, TheStoredThemeIsAppliedAtStartUp) {
    Session s;
    s.registry().setString(apptest::kUser, apptest::section(L"Settings"), L"UIStyle", L"office2013dark");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(CKvw32App::Instance()->GetThemeName(), L"office2013dark");
    EXPECT_EQ(CKvw32App::Instance()->GetThemeCommandId(), 3403u);
    EXPECT_TRUE(KorvoManagedUIProxy::WpfAccessor::IsDarkThemeEnabled());
}

class StoredBarSettings : public SessionTest {
protected:
    // Starts with these "Settings" values; returns the one main frame.
    CMainFrame* StartWith(unsigned iconSize, unsigned ribbonMode) {
        s.registry().setDword(apptest::kUser, apptest::section(L"Settings"), L"ToolBarIconSize", iconSize);
        s.registry().setDword(apptest::kUser, apptest::section(L"Settings"), L"RibbonMode", ribbonMode);
        s.start();
        EXPECT_EQ(s.startResult(), 1);
        const std::vector<CMainFrame*> frames = CKvw32App::Instance()->GetMainFrames();
        EXPECT_EQ(frames.size(), 1u);
        return frames.empty() ? nullptr : frames.front();
    }
    Session s;
};

TEST_F(StoredBarSettings, AreAppliedBeforeTheFirstShowing) {
    CMainFrame* frame = StartWith(32, 0);
    ASSERT_NE(frame, nullptr);
    const std::wstring handle = apptest::HandleText(frame->GetSafeHwnd());
    apptest::ExpectInOrder(apptest::Lines(s),
                           {L"call UIModuleProxy::SetCommandBarsIconSize(" + handle + L", {32, 32}, true)",
                            L"window shown " + handle});
    const auto icons = UIModuleProxy::Instance().GetCommandBarsIconSize(frame);
    ASSERT_TRUE(icons.has_value());
    EXPECT_EQ(icons->size, (SIZE{32, 32}));
    EXPECT_FALSE(frame->IsRibbonMode());
    EXPECT_FALSE(CKvw32App::Instance()->IsRibbonMode());
}

TEST_F(StoredBarSettings, AnyNonZeroRibbonModeMeansTheRibbon) {
    CMainFrame* frame = StartWith(16, 2);
    ASSERT_NE(frame, nullptr);
    const auto icons = UIModuleProxy::Instance().GetCommandBarsIconSize(frame);
    ASSERT_TRUE(icons.has_value());
    EXPECT_EQ(icons->size, (SIZE{16, 16}));
    EXPECT_FALSE(icons->largeIcons);
    EXPECT_TRUE(frame->IsRibbonMode());
}

TEST(ThemeNames, AreMatchedWholeAndCaseSensitively) {
    EXPECT_EQ(ParseThemeName(L"office2016black"), 3);  // the same number as office2013dark
    EXPECT_EQ(ParseThemeName(L"office2016white"), 2);
    EXPECT_EQ(ParseThemeName(L"OFFICE2010BLACK"), 0);
    EXPECT_EQ(ParseThemeName(L"office2010black "), 0);
    EXPECT_EQ(ParseThemeName(L""), 0);
    EXPECT_EQ(ParseThemeName(nullptr), 0);
}

}  // namespace
