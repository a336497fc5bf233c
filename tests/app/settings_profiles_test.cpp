// Settings profiles as the user meets them: the profiles page through the Profiles command, the
// gallery's apply commands and the reset, and the pure rules they share.
#include <algorithm>

#include "app/commands/settings_profile_commands.h"
#include "app/profiles/profile_names.h"
#include "app/profiles/reset_user_settings.h"
#include "tests/app/document_test_support.h"

namespace {

using namespace platform::harness;
using Action = platform::core::DialogAction;

constexpr unsigned kPage = 21101;
constexpr int kTree = 2473;

Action Click(int id) { return Action{Action::Kind::Click, id, {}}; }
Action Select(const std::wstring& path) { return Action{Action::Kind::Select, kTree, path}; }
Action Check(bool on) { return Action{Action::Kind::Check, kTree, on ? L"on" : L"off"}; }
Action Label(const std::wstring& text) { return Action{Action::Kind::Text, kTree, text}; }
Action Ok() { return Action{Action::Kind::Ok, 0, {}}; }

class SettingsProfilesTest : public apptest::DocumentSessionTest {
protected:
    void SetUp() override { Start(s); }
    void Command(unsigned id) {
        s.user().command(frame_, id);
        s.runUntilIdle();
    }
    void Page(std::vector<Action> actions) {
        s.user().expectDialog(kPage, std::move(actions));
        Command(1061);
    }
    std::wstring Profiles() { return apptest::section(L"Profiles"); }
    bool HasProfile(const std::wstring& name) { return s.registry().hasKey(apptest::kUser, Profiles() + L"\\" + name); }

    Session s;
};

TEST_F(SettingsProfilesTest, NewTwiceNumbersTheProfilesWhateverTheCaseOfExistingOnes) {
    s.registry().setString(apptest::kUser, Profiles() + L"\\PROFILE 1\\X\\~Summary", L"Name", L"X");
    Page({Click(1659), Label(L"Profile 2"), Click(1659), Label(L"Profile 3"), Ok()});
    EXPECT_TRUE(HasProfile(L"Profile 2"));
    EXPECT_TRUE(HasProfile(L"Profile 3"));
    // The new profile copies the ticked current settings: the main frame's item with its summary.
    EXPECT_EQ(s.registry().getString(apptest::kUser, Profiles() + L"\\Profile 2\\MainFrame\\~Summary", L"Name").has_value(),
              true);
}

TEST_F(SettingsProfilesTest, RenameRefusesAnotherProfilesNameInOtherCaseAndUnsafeNames) {
    s.registry().setString(apptest::kUser, Profiles() + L"\\Office\\X\\~Summary", L"Name", L"X");
    s.registry().setString(apptest::kUser, Profiles() + L"\\Home\\X\\~Summary", L"Name", L"X");
    s.user().expectBox(L"A profile of this name exists already.", Button::Ok);
    Page({Select(L"Home"), Click(1661), Label(L"OFFICE"), Select(L"Home"), Label(L"..\\x"), Select(L"Home"),
          Label(L"Garden"), Ok()});
    EXPECT_TRUE(HasProfile(L"Office"));
    EXPECT_TRUE(HasProfile(L"Garden"));
    EXPECT_FALSE(HasProfile(L"Home"));
    EXPECT_EQ(s.registry().getString(apptest::kUser, Profiles() + L"\\Garden\\X\\~Summary", L"Name"), L"X");
}

TEST_F(SettingsProfilesTest, TicksFollowTheirItemsAndStayWithinOneProfile) {
    for (const wchar_t* item : {L"A", L"B", L"C"})
        s.registry().setString(apptest::kUser, Profiles() + L"\\Office\\" + item + L"\\~Summary", L"Name", item);
    s.user().expectDialog(kPage, [&](HWND dialog) {
        auto& user = s.user();
        EXPECT_EQ(user.act(dialog, Select(L"Office")), std::nullopt);
        EXPECT_EQ(user.act(dialog, Check(true)), std::nullopt);
        s.runUntilIdle();
        EXPECT_EQ(user.act(dialog, Select(L"Office|B")), std::nullopt);
        EXPECT_EQ(user.act(dialog, Check(false)), std::nullopt);
        s.runUntilIdle();
        HWND tree = ::GetDlgItem(::GetDlgItem(dialog, static_cast<int>(kPage)), kTree);
        ASSERT_NE(tree, nullptr);
        auto tick = [&](HTREEITEM item) {
            return static_cast<UINT>(::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK)) >> 12;
        };
        const auto root = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        const auto office = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)));
        EXPECT_EQ(tick(root), 1u) << "ticking a profile clears the current settings";
        EXPECT_EQ(tick(office), 3u) << "one of three items unticked leaves the profile mixed";
        // Delete is refused for a profile's only item, offered for one of several.
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(::GetParent(tree), 1660)));
        user.act(dialog, Ok());
    });
    Command(1061);
}

TEST_F(SettingsProfilesTest, AFailedApplyLeavesTheLiveSettingsAsTheyWere) {
    const std::wstring live = Profiles() + L"\\Default";
    s.registry().setString(apptest::kUser, live + L"\\A\\~Summary", L"Name", L"A");
    s.registry().setString(apptest::kUser, live + L"\\A", L"Value", L"live");
    s.registry().setString(apptest::kUser, live + L"\\B\\~Summary", L"Name", L"B");
    s.registry().setString(apptest::kUser, live + L"\\B", L"Value", L"live");
    for (const wchar_t* item : {L"A", L"B"}) {
        s.registry().setString(apptest::kUser, Profiles() + L"\\Office\\" + item + L"\\~Summary", L"Name", item);
        s.registry().setString(apptest::kUser, Profiles() + L"\\Office\\" + item, L"Value", L"office");
    }
    s.registry().denyWrite(apptest::kUser, live + L"\\B");
    s.user().expectBox(L"The profile could not be applied.", Button::Ok);
    Page({Select(L"Office"), Check(true), Click(1658), Ok()});
    EXPECT_EQ(s.registry().getString(apptest::kUser, live + L"\\A", L"Value"), L"live");
    EXPECT_EQ(s.registry().getString(apptest::kUser, live + L"\\B", L"Value"), L"live");
}

// The page loads the window state only with a ticked main-frame item; the gallery always does.
TEST_F(SettingsProfilesTest, ThePageLoadsTheWindowStateOnlyWithTheMainFramesItem) {
    s.registry().setString(apptest::kUser, Profiles() + L"\\Office\\X\\~Summary", L"Name", L"X");
    auto stateLoads = [&] {
        const auto entries = s.journal().texts("call");
        return std::count(entries.begin(), entries.end(), L"CWSDocManager::LoadState()");
    };
    const auto before = stateLoads();
    Page({Select(L"Office"), Check(true), Click(1658), Ok()});
    EXPECT_EQ(stateLoads(), before);

    Page({Click(1659), Label(L"Home"), Ok()});  // a copy of the current settings, main frame included
    const auto beforeHome = stateLoads();
    Page({Select(L"Home"), Check(true), Click(1658), Ok()});
    EXPECT_GT(stateLoads(), beforeHome);
    const std::vector<CString> profiles = KorvoProfileManager::Instance().GetProfiles();
    const auto office = std::find(profiles.begin(), profiles.end(), CString(L"Office"));
    ASSERT_NE(office, profiles.end());
    const auto beforeGallery = stateLoads();
    AppCommands::ApplyProfile(static_cast<unsigned>(office - profiles.begin()));
    EXPECT_GT(stateLoads(), beforeGallery) << "the gallery loads the window state whatever the profile holds";
}

TEST_F(SettingsProfilesTest, TheGalleryShowsOneEntryPerProfileAndGroupsTheProfilesCommand) {
    for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"})
        s.registry().setString(apptest::kUser, Profiles() + L"\\" + name + L"\\X\\~Summary", L"Name", L"X");
    CXTPCommandBar bar;
    CXTPControls* controls = bar.GetControls();
    ASSERT_NE(controls, nullptr);
    CXTPControl* profiles = controls->Add(xtpControlButton, 1061);
    for (unsigned id = 1190; id <= 1199; ++id) {
        CCmdUI ui;
        ui.m_nID = id;
        ui.m_pOther = &bar;
        AppCommands::UpdateProfileGallery(&ui);
        EXPECT_EQ(ui.m_stateEnabled, id < 1193) << id;
    }
    ASSERT_NE(controls->FindControl(1190), nullptr);
    EXPECT_EQ(controls->FindControl(1190)->GetCaption(), CString(L"&1 Alpha"));
    EXPECT_EQ(controls->FindControl(1192)->GetCaption(), CString(L"&3 Gamma"));
    EXPECT_EQ(controls->FindControl(1193), nullptr);
    EXPECT_TRUE(profiles->GetBeginGroup());
}

TEST_F(SettingsProfilesTest, ResetWipesTheProductKeyAndTheFilesThatAreNotUserDataThenRestarts) {
    const std::wstring folder = L"C:\\Users\\user\\AppData\\Local\\Velmora\\Korvo CAD 18.0\\";
    for (const wchar_t* name : {L"a.LOG", L"b.Xml", L"c.txt", L"d", L"sub\\.log"}) s.files().write(folder + name, "x");
    s.registry().setString(apptest::kUser, L"SOFTWARE\\Classes\\Applications\\KorvoCad.exe", L"x", L"y");
    s.registry().setString(apptest::kUser, Profiles() + L"\\Default\\X", L"v", L"1");
    s.user().expectBox(L"All your settings of * will be deleted*", Button::Yes);
    Command(1060);
    EXPECT_FALSE(s.registry().hasKey(apptest::kUser, apptest::kProductKey + L"\\Profiles"));
    EXPECT_FALSE(s.registry().hasKey(apptest::kUser, L"SOFTWARE\\Classes\\Applications\\KorvoCad.exe"));
    EXPECT_TRUE(s.files().exists(folder + L"a.LOG"));
    EXPECT_TRUE(s.files().exists(folder + L"b.Xml"));
    EXPECT_FALSE(s.files().exists(folder + L"c.txt"));
    EXPECT_FALSE(s.files().exists(folder + L"d"));
    EXPECT_FALSE(s.files().exists(folder + L"sub\\.log"));
    EXPECT_GE(indexOf(logs(s), L"Restarted as PID"), 0);
}

TEST(SettingsProfileRules, ResetKeepsUserDataByExtensionAndNamesMustBeOneKeyLevel) {
    using KorvoProfiles::IsKeptByReset;
    EXPECT_TRUE(IsKeptByReset(L"a.LOG"));
    EXPECT_TRUE(IsKeptByReset(L"b.Xml"));
    EXPECT_FALSE(IsKeptByReset(L"c.txt"));
    EXPECT_FALSE(IsKeptByReset(L"d"));
    EXPECT_FALSE(IsKeptByReset(L".log"));
    EXPECT_FALSE(IsKeptByReset(L"e.logx"));
    for (const wchar_t* bad : {L"", L".", L"..", L"a\\b", L"a/b"}) EXPECT_FALSE(KorvoProfiles::IsSafeKeyName(bad)) << bad;
    EXPECT_TRUE(KorvoProfiles::IsSafeKeyName(L"Velmora"));
}

}  // namespace
