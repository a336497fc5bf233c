// Settings profiles as the user meets them: the profiles page through the Profiles command, the
// gallery's apply commands and the reset, and the pure rules they share.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/commands/settings_profile_commands.h"
#include "app/profiles/profile_names.h"
#include "app/profiles/reset_user_settings.h"
#include "platform/core/registry_store.h"
#include "tests/app/document_test_support.h"
#include "tests/support/second_run.h"

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
    EXPECT_EQ(s.registry().getString(apptest::kUser, Profiles() + L"\\PROFILE 1\\X\\~Summary", L"Name"), L"X");
    EXPECT_TRUE(HasProfile(L"Profile 2"));
    EXPECT_TRUE(HasProfile(L"Profile 3"));
    // The new profile copies the ticked current settings: the main frame's item with its summary.
    EXPECT_EQ(s.registry().getString(apptest::kUser, Profiles() + L"\\Profile 2\\MainFrame\\~Summary", L"Name").has_value(),
              true);
    // Import offers this edition's profile files beside the common ones.
    s.user().expectFileCancel();
    Page({Click(1662), Ok()});
    const std::vector<std::wstring> files = s.journal().texts("file");
    EXPECT_TRUE(std::any_of(files.begin(), files.end(), [](const std::wstring& line) {
        return line.find(L"*.kvenv;*.kvcprofile") != std::wstring::npos;
    })) << apptest::Utf8(files.empty() ? L"" : files.front());
}

TEST_F(SettingsProfilesTest, RenameRefusesAnotherProfilesNameInOtherCaseAndUnsafeNames) {
    s.registry().setString(apptest::kUser, Profiles() + L"\\Office\\X\\~Summary", L"Name", L"X");
    s.registry().setString(apptest::kUser, Profiles() + L"\\Home\\X\\~Summary", L"Name", L"X");
    s.user().expectBox(L"A profile of this name exists already.", Button::Ok);
    // Its own name in other letter case is no new name; a No to deleting keeps the profile.
    s.user().expectBox(L"*Office*", Button::No);
    Page({Select(L"Home"), Click(1661), Label(L"HOME"), Select(L"Home"), Label(L"OFFICE"), Select(L"Home"),
          Label(L"..\\x"), Select(L"Home"), Label(L"Garden"), Select(L"Office"), Click(1660), Ok()});
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
    CXTPCommandBar bar;
    CXTPControls* controls = bar.GetControls();
    ASSERT_NE(controls, nullptr);
    CXTPControl* profiles = controls->Add(xtpControlButton, 1061);
    const auto update = [&] {
        std::vector<bool> enabled;
        for (unsigned id = 1190; id <= 1199; ++id) {
            CCmdUI ui;
            ui.m_nID = id;
            ui.m_pOther = &bar;
            AppCommands::UpdateProfileGallery(&ui);
            enabled.push_back(ui.m_stateEnabled);
        }
        return enabled;
    };
    update();
    EXPECT_FALSE(profiles->GetBeginGroup()) << "no profiles: no group";

    for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"})
        s.registry().setString(apptest::kUser, Profiles() + L"\\" + name + L"\\X\\~Summary", L"Name", L"X");
    const std::vector<bool> enabled = update();
    for (unsigned i = 0; i < 10; ++i) EXPECT_EQ(enabled[i], i < 3) << 1190 + i;
    ASSERT_NE(controls->FindControl(1190), nullptr);
    EXPECT_EQ(controls->FindControl(1190)->GetCaption(), CString(L"&1 Alpha"));
    EXPECT_EQ(controls->FindControl(1192)->GetCaption(), CString(L"&3 Gamma"));
    EXPECT_EQ(controls->FindControl(1193), nullptr);
    EXPECT_TRUE(profiles->GetBeginGroup());
    // A profile past the last one applies nothing.
    EXPECT_EQ(AppCommands::ApplyProfile(3), 0);

    // The tenth entry's number is 10, with its mnemonic on the 0.
    for (const wchar_t* name : {L"P4", L"P5", L"P6", L"P7", L"P8", L"P9", L"P10"})
        s.registry().setString(apptest::kUser, Profiles() + L"\\" + name + L"\\X\\~Summary", L"Name", L"X");
    update();
    const std::vector<CString> names = KorvoProfileManager::Instance().GetProfiles();
    ASSERT_EQ(names.size(), 10u);
    ASSERT_NE(controls->FindControl(1199), nullptr);
    EXPECT_EQ(controls->FindControl(1199)->GetCaption(), L"1&0 " + names[9]);

    // Profiles that went away leave their entries hidden.
    for (const CString& name : names) ::SHDeleteKeyW(HKEY_CURRENT_USER, (Profiles() + L"\\" + name.GetString()).c_str());
    update();
    EXPECT_FALSE(controls->FindControl(1190)->IsVisible());
    EXPECT_FALSE(controls->FindControl(1199)->IsVisible());
    EXPECT_FALSE(profiles->GetBeginGroup());
}

// Applying from the gallery loads every item of the profile but the libraries, and names the items
// that came back with a warning, and those this version does not know, in one box.
TEST_F(SettingsProfilesTest, TheGalleryAppliesAProfileAndNamesWhatItCouldNotLoad) {
    struct Item : KorvoProfileItem {
        Item(LPCWSTR name, int result) : KorvoProfileItem(name), result(result) {}
        int LoadState() override { ++loads; return result; }
        int result;
        int loads = 0;
    };
    Item libraries(L"Libraries", 0), fine(L"Fine", 0), stale(L"Stale", 1), broken(L"Broken", 2);
    for (const wchar_t* item : {L"Libraries", L"Fine", L"Stale", L"Broken", L"Alien", L"Plain"})
        s.registry().setString(apptest::kUser, Profiles() + L"\\Office\\" + item + L"\\~Summary", L"Name", item);
    s.registry().setString(apptest::kUser, Profiles() + L"\\Office\\Alien\\~Summary", L"Version", L"19");
    s.registry().setString(apptest::kUser, Profiles() + L"\\Quiet\\Fine\\~Summary", L"Name", L"Fine");
    int applied = 0;
    struct Listener : TypedApplicationEventListener<1043> {
        int& count;
        explicit Listener(int& c) : count(c) {}
        void OnApplicationEvent(UINT, const ApplicationEventArgs&) override { ++count; }
    } listener(applied);
    const std::vector<CString> names = KorvoProfileManager::Instance().GetProfiles();
    const auto index = [&](const wchar_t* name) {
        return static_cast<unsigned>(std::find(names.begin(), names.end(), CString(name)) - names.begin());
    };

    s.user().expectBox(L"Some items of the profile were not loaded:\nAlien - not known to this version\n"
                       L"Broken - cannot be loaded\nStale", Button::Ok);
    EXPECT_EQ(AppCommands::ApplyProfile(index(L"Office")), 0) << "applied with warnings";
    EXPECT_EQ(libraries.loads, 0);
    EXPECT_EQ(fine.loads, 1);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(AppCommands::ApplyProfile(index(L"Quiet")), 1);
    EXPECT_EQ(fine.loads, 2);
    EXPECT_EQ(applied, 2);
}

TEST_F(SettingsProfilesTest, ResetWipesTheProductKeyAndTheFilesThatAreNotUserDataThenRestarts) {
    const std::wstring folder = L"C:\\Users\\user\\AppData\\Local\\Velmora\\Korvo CAD 18.0\\";
    for (const wchar_t* name : {L"a.LOG", L"b.Xml", L"c.txt", L"d", L"sub\\.log"}) s.files().write(folder + name, "x");
    s.registry().setString(apptest::kUser, L"SOFTWARE\\Classes\\Applications\\KorvoCad.exe", L"x", L"y");
    s.registry().setString(apptest::kUser, Profiles() + L"\\Default\\X", L"v", L"1");
    // A link in the folder leads to the user's own files, which the reset never reaches.
    const std::wstring outside = L"C:\\Users\\user\\Documents\\Kept\\";
    s.files().write(outside + L"notes.txt", "x");
    std::filesystem::create_directory_symlink(s.files().hostPath(outside), s.files().hostPath(folder) + "/Linked");
    // Each refusal on the way leaves everything as it is: the question, a document's save, an add-on.
    const std::wstring question = L"All your settings of * will be deleted*";
    s.user().expectBox(question, Button::No);
    Command(1060);
    CDocument* document = Open(s, L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb");
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(TRUE);
    s.user().expectBox(question, Button::Yes);
    s.user().expectBox(L"Save changes to*", Button::Cancel);
    Command(1060);
    document->SetModifiedFlag(FALSE);
    s.kernel().setApplicationsRefuseExit(true);
    s.user().expectBox(question, Button::Yes);
    Command(1060);
    EXPECT_TRUE(s.registry().hasKey(apptest::kUser, apptest::kProductKey + L"\\Profiles"));
    EXPECT_TRUE(s.files().exists(folder + L"c.txt"));
    EXPECT_EQ(indexOf(logs(s), L"Restarted as PID"), -1);
    s.kernel().setApplicationsRefuseExit(false);

    s.user().expectBox(question, Button::Yes);
    Command(1060);
    EXPECT_TRUE(s.files().exists(outside + L"notes.txt"));
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
    for (const wchar_t* kept : {L"a.XML", L"a.ACCDB", L"a.ACT", L"a.DIC", L"a.DMP", L"a.INI", L"a.LOG", L"a.KVD",
                                L"a.MDB", L"a.mdb"})
        EXPECT_TRUE(IsKeptByReset(kept)) << apptest::Utf8(kept);
    EXPECT_TRUE(IsKeptByReset(L"b.Xml"));
    EXPECT_FALSE(IsKeptByReset(L"c.txt"));
    EXPECT_FALSE(IsKeptByReset(L"d"));
    EXPECT_FALSE(IsKeptByReset(L".log"));
    EXPECT_FALSE(IsKeptByReset(L"e.logx"));
    for (const wchar_t* bad : {L"", L".", L"..", L"a\\b", L"a/b"}) EXPECT_FALSE(KorvoProfiles::IsSafeKeyName(bad)) << bad;
    EXPECT_TRUE(KorvoProfiles::IsSafeKeyName(L"Velmora"));
}

// ---- The page's work on a stored profile, the run killed at each step of it ----------------------
// A step is each write of the registry's hive file and each of the shell's folder operations, and
// the end of the work before the program next goes idle. Whatever step the kill lands on, the next
// start must find the profile under one name with its folder, or gone with it, or holding one set
// of items in the registry and the folder alike, and nothing the work kept aside.

constexpr wchar_t kItemMarker[] = L"Marker";

std::wstring ProfileKey(const std::wstring& name) { return apptest::section(L"Profiles") + L"\\" + name; }
std::wstring ProfileFolder(const std::wstring& name) {
    return KorvoProfileManager::GetProfileSectionAppDataPath(name.c_str(), nullptr).GetString();
}

// Drives the page in `s`: the actions before `work` run unarmed, `work` armed (every step counted
// by `step`), and `step` once more when it has returned: the work is done, not yet written at idle.
// False when an action was refused (in a child process, whose own test failures nobody sees).
bool OnThePage(Session& s, std::vector<Action> before, Action work, const std::function<void()>& arm,
               const std::function<void()>& step) {
    bool acted = true;
    s.user().expectDialog(kPage, [&, before, work](HWND dialog) {
        for (const Action& action : before) acted = acted && !s.user().act(dialog, action);
        arm();
        acted = acted && !s.user().act(dialog, work);
        step();
        acted = !s.user().act(dialog, Ok()) && acted;
    });
    s.user().command(s.inspect().activeMainFrame(), 1061);
    s.runUntilIdle();
    return acted;
}

enum class WorkEnded { Killed, Finished, Failed };

int RunForked(const std::function<int()>& child) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(child());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGKILL ? -SIGKILL : -2;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

Config ContinuingAt(const std::string& folder) {
    Config config;
    config.platform.hostRoot = folder;
    config.keepExistingProgramFolder = true;
    return config;
}

class ProfilePageKilled : public ::testing::Test {
protected:
    // One run makes profile "Office" (a copy of the current settings, main frame included) and
    // marks its main-frame item in the registry and in the folder alike.
    void SetUp() override {
        ASSERT_TRUE(runFirstInChild(template_, [](Session& s) {
            s.start();
            s.runUntilIdle();
            s.user().expectDialog(kPage, {Click(1659), Label(L"Office"), Ok()});
            s.user().command(s.inspect().activeMainFrame(), 1061);
            s.runUntilIdle();
            const std::wstring item = ProfileFolder(L"Office") + L"\\MainFrame\\";
            if (!s.files().exists(item + L"state.xml")) return false;
            s.files().write(item + kItemMarker, "kept");
            s.registry().setString(apptest::kUser, ProfileKey(L"Office") + L"\\MainFrame", kItemMarker, L"kept");
            s.quit();
            return s.takeFailures().empty();
        }));
    }

    // Runs the page's work over a copy of the set-up folder, killed at step `killAt`; Finished
    // when the work has fewer steps.
    WorkEnded KillAt(int killAt, std::vector<Action> before, Action work, std::vector<std::pair<std::wstring, Button>> boxes) {
        std::error_code ignored;
        std::filesystem::remove_all(trial_.path(), ignored);
        std::filesystem::copy(template_.path(), trial_.path(), std::filesystem::copy_options::recursive);
        const int code = RunForked([&] {
            ::alarm(60);  // should the run never end
            Session s(ContinuingAt(trial_.path()));
            s.start();
            s.runUntilIdle();
            int steps = 0;
            bool armed = false;
            const auto step = [&] {
                if (armed && ++steps == killAt) ::kill(::getpid(), SIGKILL);
            };
            platform::core::registryStore().beforeEachWriteForTesting(step);
            s.journal().subscribe([&](const platform::core::JournalEntry& entry) {
                if (entry.kind == "call" && entry.text.starts_with(L"SHFileOperationW(")) step();
            });
            for (const auto& [pattern, answer] : boxes) s.user().expectBox(pattern, answer);
            const bool acted = OnThePage(s, before, work, [&] { armed = true; }, step);
            armed = false;
            s.quit();
            return acted && s.takeFailures().empty() ? 0 : 1;
        });
        return code == -SIGKILL ? WorkEnded::Killed : code == 0 ? WorkEnded::Finished : WorkEnded::Failed;
    }

    // What the next start over the trial folder finds wrong, by `check`; empty when all is well.
    std::string NextStart(const std::function<std::string(Session&)>& check) {
        int fds[2];
        if (::pipe(fds) != 0) return "no pipe";
        const int code = RunForked([&] {
            ::close(fds[0]);
            Session s(ContinuingAt(trial_.path()));
            s.start();
            s.runUntilIdle();
            std::string problem = s.startResult() == 1 ? check(s) : "the start failed";
            const std::wstring leftovers[] = {apptest::section(L"~ProfilePageWork"), apptest::section(L"~ProfilePageBackup")};
            for (const std::wstring& key : leftovers)
                if (s.registry().hasKey(apptest::kUser, key)) problem += " key " + platform::core::toUtf8(key) + " is left;";
            if (s.files().exists(ProfileFolder(L"~ProfilePageBackup"))) problem += " the kept-aside folder is left;";
            s.quit();
            for (const auto& failure : s.takeFailures()) problem += " failure: " + platform::core::toUtf8(failure) + ";";
            return ::write(fds[1], problem.data(), problem.size()) == static_cast<ssize_t>(problem.size()) ? 0 : 1;
        });
        ::close(fds[1]);
        std::string problem;
        char buffer[256];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) problem.append(buffer, static_cast<std::size_t>(n));
        ::close(fds[0]);
        return code == 0 ? problem : "the next start ended with " + std::to_string(code) + ": " + problem;
    }

    // Kills the work at each of its steps in turn, then lets it finish; `check` is told whether
    // the work had finished.
    void EveryStep(std::vector<Action> before, Action work, std::vector<std::pair<std::wstring, Button>> boxes,
                   const std::function<std::string(Session&, bool finished)>& check) {
        for (int killAt = 1; killAt < 40; ++killAt) {
            const WorkEnded ended = KillAt(killAt, before, work, boxes);
            ASSERT_NE(ended, WorkEnded::Failed) << "step " << killAt;
            const bool finished = ended == WorkEnded::Finished;
            EXPECT_EQ(NextStart([&](Session& s) { return check(s, finished); }), "")
                << (finished ? "after the whole work" : "killed at step " + std::to_string(killAt));
            if (finished) {
                EXPECT_GT(killAt, 2) << "the work has steps to kill it at";
                return;
            }
        }
        ADD_FAILURE() << "the work never finished";
    }

    // Whether profile `name` is listed, and a problem when its folder and registry disagree.
    static bool Whole(Session& s, const std::wstring& name, std::string& problem) {
        const bool listed = s.registry().hasKey(apptest::kUser, ProfileKey(name));
        const std::wstring item = ProfileFolder(name) + L"\\MainFrame\\";
        const std::string label = platform::core::toUtf8(name);
        if (!listed && s.files().exists(ProfileFolder(name))) problem += " " + label + " has a folder but no registry key;";
        if (listed && !s.files().exists(item + L"state.xml")) problem += " " + label + " has no state.xml;";
        const bool markedKey = s.registry().hasValue(apptest::kUser, ProfileKey(name) + L"\\MainFrame", kItemMarker);
        if (listed && markedKey != s.files().exists(item + kItemMarker)) problem += " " + label + "'s registry and folder hold different items;";
        return listed;
    }

    SharedHostFolder template_{"korvo-profile-kill-template"};
    SharedHostFolder trial_{"korvo-profile-kill-trial"};
};

TEST_F(ProfilePageKilled, ARenameLeavesTheProfileWholeUnderOneName) {
    EveryStep({Select(L"Office"), Click(1661)}, Label(L"Home"), {}, [](Session& s, bool finished) {
        std::string problem;
        const bool office = Whole(s, L"Office", problem), home = Whole(s, L"Home", problem);
        if (office == home) problem += office ? " both names are listed;" : " the profile is gone;";
        if (finished && !home) problem += " the finished rename is lost;";
        return problem;
    });
}

TEST_F(ProfilePageKilled, ADeleteLeavesTheProfileWholeOrGoneWithItsFolder) {
    EveryStep({Select(L"Office")}, Click(1660), {{L"*Office*", Button::Yes}}, [](Session& s, bool finished) {
        std::string problem;
        if (Whole(s, L"Office", problem) && finished) problem += " the finished delete is lost;";
        return problem;
    });
}

TEST_F(ProfilePageKilled, SavingIntoAProfileLeavesItItsOldItemsOrTheNewOnes) {
    EveryStep({Select(L"Office")}, Click(1665), {{L"*Office*", Button::Ok}}, [](Session& s, bool finished) {
        std::string problem;
        if (!Whole(s, L"Office", problem)) problem += " the profile is gone;";
        if (finished && s.files().exists(ProfileFolder(L"Office") + L"\\MainFrame\\" + kItemMarker))
            problem += " the finished save is lost;";
        return problem;
    });
}

}  // namespace
