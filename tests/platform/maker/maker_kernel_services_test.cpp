// The kernel's services the shell leans on at its edges: profiles and settings, the colour table,
// modules that are absent, command registration at the limits of the id space and from inside a
// running command, the UI module's registry under a faked activation, and events raised from
// inside a listener.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/command_control.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/ui/ui_control.h"
#include "platform/korvoui.h"
#include "platform/win32/files/file.h"

namespace {

TEST(MakerProfiles, SectionsAndFoldersNameTheProfileAndItem) {
    EXPECT_EQ(KorvoProfileManager::GetProfileSectionName(nullptr), L"Profiles\\Default");
    EXPECT_EQ(KorvoProfileManager::GetProfileSectionName(L""), L"Profiles\\Default");
    EXPECT_EQ(KorvoProfileManager::GetProfileSectionName(L"Sheet metal"), L"Profiles\\Sheet metal");
    // Without an application (and so without its registry key) no profile has a folder.
    EXPECT_EQ(KorvoProfileManager::GetProfileSectionAppDataPath(L"Default", L"Frames"), L"");

    // With no shell to ask, loading still counts as done but reports failure; saving fails.
    auto& manager = KorvoProfileManager::Instance();
    EXPECT_FALSE(manager.IsStateLoaded());
    EXPECT_FALSE(manager.LoadState());
    EXPECT_TRUE(manager.IsStateLoaded());
    EXPECT_FALSE(manager.SaveState());
    manager.SetStateLoaded(false);
    EXPECT_FALSE(manager.IsStateLoaded());
}

TEST(MakerProfiles, AnItemShowsItsTitleOrItsNameAndKeepsItsKinds) {
    KorvoProfileItem plain(L"MainFrame");
    EXPECT_EQ(plain.GetDisplayName(), L"MainFrame");
    EXPECT_EQ(plain.GetRegistrySection(), L"MainFrame");
    std::vector<CString> keys;
    plain.GetRegistryKeys(keys);
    EXPECT_EQ(keys, (std::vector<CString>{L"MainFrame"}));
    EXPECT_EQ(plain.GetProfileKind(), kProfileKindCommon);
    plain.SetProfileKind(kProfileKind2D | kProfileKindAssembly);
    EXPECT_EQ(plain.GetProfileKind(), kProfileKind2D | kProfileKindAssembly);
    EXPECT_EQ(plain.LoadState(), 0);

    platform::kernel::overrideString(31001, L"Main window");
    KorvoProfileItem titled(L"MainFrame", 31001);
    EXPECT_EQ(titled.GetDisplayName(), L"Main window");
}

TEST(MakerProfiles, ColourTableAndThreeDProfilesStayInsideWhatTheyHave) {
    const CColorTable* table = GetColorTable();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->GetCount(), 256u);
    EXPECT_EQ(table->GetColor(1), RGB(255, 0, 0));
    EXPECT_EQ(table->GetColor(15), RGB(128, 128, 128));
    // A true colour is the Windows colour shifted up a byte; a word with low bits past the table is none.
    EXPECT_EQ(table->GetColor(static_cast<UINT>(RGB(1, 2, 200)) << 8), RGB(1, 2, 200));
    EXPECT_FALSE(table->GetColor(0x1234u).has_value());
    EXPECT_FALSE(table->GetColor(KV3DProfiles::kNoColour).has_value());
    CString name;
    EXPECT_TRUE(table->GetColorName(1, name));
    EXPECT_EQ(name, L"Red");
    EXPECT_FALSE(table->GetColorName(0x100, name));

    // Without a document, or one without a 3D model, there are no profiles and old output goes.
    std::vector<CString> names{L"stale"};
    std::vector<UINT> colours{7};
    EXPECT_FALSE(KV3DProfiles::GetProfiles(nullptr, names, colours));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(colours.empty());
    CKvw32Doc drawing;
    platform::kernel::setProfiles(&drawing, {{L"Top", 1}});
    EXPECT_FALSE(KV3DProfiles::GetProfiles(&drawing, names, colours));
    EXPECT_TRUE(names.empty());
}

TEST(MakerSettings, PrototypeNamesFallBackToTheDrawingForUnknownKinds) {
    const CString drawing = NativeSettings::Files::GetPrototypeName(1);
    EXPECT_TRUE(std::wstring(drawing.GetString()).ends_with(L"\\Prototypes\\Drawing.grb")) << drawing.str();
    EXPECT_TRUE(std::wstring(NativeSettings::Files::GetPrototypeName(5).GetString()).ends_with(L"\\Specification.grb"));
    for (int kind : {-1, 6, 1000}) EXPECT_EQ(NativeSettings::Files::GetPrototypeName(kind), drawing) << kind;
}

TEST(MakerModules, AbsentPartsAnswerNullAndAreRecorded) {
    auto& control = platform::kernel::uiControl();
    control.paneWindowsOffered = false;
    control.macroManagerPresent = false;
    EXPECT_EQ(CKVCom_Is3D::CreatePaneWindow(CKVCom_Is3D::PaneWindow::GenerationQueue), nullptr);
    EXPECT_EQ(EditModuleProxy::CreateWeldTreeWindow(), nullptr);
    EXPECT_EQ(MacroManagerInstance(), nullptr);
    // Null windows and documents are named, not dereferenced.
    CKVCom_Is3D::RegisterPaneWindow(CKVCom_Is3D::PaneWindow::NC, nullptr);
    EditModuleProxy::SetPaneDocument(nullptr, nullptr);
    CKVCom_Is3D::OnCurrentDocumentChanged(nullptr, nullptr, 1);

    control.paneWindowsOffered = true;
    control.macroManagerPresent = true;
    std::unique_ptr<CWnd> pane(CKVCom_Is3D::CreatePaneWindow(CKVCom_Is3D::PaneWindow::ModelTree));
    EXPECT_NE(pane, nullptr);
    EXPECT_EQ(pane->GetSafeHwnd(), nullptr);  // the application creates the window
    ASSERT_NE(MacroManagerInstance(), nullptr);
    EXPECT_EQ(MacroManagerInstance(), MacroManagerInstance());

    // An import with no kernel template to open through gives nothing.
    platform::kernel::control().import3DResult = platform::kernel::Control::Import3DResult::DocumentWithView;
    EXPECT_EQ(CKVCom_Is3D::Instance().ImportFile(L"C:\\In\\part.step", 0), nullptr);
    EXPECT_GE(platform::core::journal().find("call", L"CKVCom_Is3D::RegisterPaneWindow(NC"), 0);
}

// A command whose handler runs a caller-given action.
int g_runs = 0;
std::function<void()> g_onRun;
int RunAction(std::int64_t) {
    ++g_runs;
    if (g_onRun) g_onRun();
    return 1;
}

TEST(MakerCommandIds, TheIdSpaceEndsAtBothLimits) {
    auto& commands = KVCommandContainer::Instance();
    EXPECT_FALSE(commands.RegisterCommand(0, L"zero", {}));
    EXPECT_FALSE(commands.RegisterCommand(65536, L"too high", {}));
    EXPECT_TRUE(commands.RegisterCommand(65535, L"highest", {}));
    EXPECT_TRUE(commands.RegisterCommand(1, L"lowest", {}));
    EXPECT_FALSE(commands.RegisterCommands(0, 5, {}));
    EXPECT_FALSE(commands.RegisterCommands(65530, 65536, {}));
    EXPECT_FALSE(commands.RegisterCommands(300, 200, {}));  // reversed
    // A block that touches a known id at either end is refused whole.
    EXPECT_TRUE(commands.RegisterCommands(100, 199, {}));
    EXPECT_FALSE(commands.RegisterCommands(199, 250, {}));
    EXPECT_FALSE(commands.RegisterCommands(50, 100, {}));
    EXPECT_FALSE(commands.RegisterCommands(10, 1000, {}));  // surrounds the block
    EXPECT_FALSE(commands.RegisterCommands(150, 150, {}));
    EXPECT_TRUE(commands.RegisterCommands(200, 200, {}));
    EXPECT_FALSE(commands.RegisterCommand(150, L"inside a block", {}));
    EXPECT_EQ(platform::kernel::refusedCommandRegistrations(), 10);

    // A block has no handler and no name; an unknown id has nothing at all.
    EXPECT_TRUE(commands.IsRegistered(150));
    EXPECT_FALSE(commands.HasHandler(150));
    EXPECT_FALSE(commands.ExecuteCommand(150, nullptr, nullptr, 0));
    EXPECT_EQ(commands.GetCommandName(150), L"");
    EXPECT_FALSE(commands.IsRegistered(201));
    EXPECT_EQ(commands.FindCommand(201), nullptr);
    EXPECT_FALSE(commands.UpdateCommandUI(201, nullptr, nullptr, nullptr));
    EXPECT_EQ(commands.GetCommandName(65535), L"highest");
    // A null command object is refused without touching the id.
    EXPECT_FALSE(commands.RegisterCommand(nullptr, 300));
    EXPECT_FALSE(commands.IsRegistered(300));

    // The known ids of a range in one look, ascending, as IsRegistered answers for each; a range
    // may run past either limit of the id space.
    std::vector<UINT> blockAndSingle;
    for (UINT id = 100; id <= 200; ++id) blockAndSingle.push_back(id);
    EXPECT_EQ(commands.RegisteredIds(98, 202), blockAndSingle);
    EXPECT_EQ(commands.RegisteredIds(0, 2), std::vector<UINT>{1});
    EXPECT_EQ(commands.RegisteredIds(65000, 0xFFFFFFFFu), std::vector<UINT>{65535});
    EXPECT_TRUE(commands.RegisteredIds(201, 299).empty());
    EXPECT_TRUE(commands.RegisteredIds(300, 200).empty());
}

TEST(MakerCommandIds, ARunningCommandMayRegisterAndRunOthers) {
    auto& commands = KVCommandContainer::Instance();
    ASSERT_TRUE(commands.RegisterCommand(new KVSystemCommand(500, L"outer", &RunAction, nullptr, {}), 500));
    g_onRun = [&] {
        g_onRun = nullptr;  // the inner run does nothing more
        EXPECT_TRUE(commands.RegisterCommand(new KVSystemCommand(501, L"inner", &RunAction, nullptr, {}), 501));
        EXPECT_TRUE(commands.ExecuteCommand(501, nullptr, nullptr, 0));
        // Its own id is taken: a second registration from inside is refused and deleted.
        EXPECT_FALSE(commands.RegisterCommand(new KVSystemCommand(500, L"again", &RunAction, nullptr, {}), 500));
    };
    EXPECT_TRUE(commands.ExecuteCommand(500, nullptr, nullptr, 0));
    EXPECT_EQ(g_runs, 2);
    EXPECT_EQ(commands.FindCommand(500)->GetName(), L"outer");

    // A command object without handlers runs as nothing and leaves the UI item alone.
    ASSERT_TRUE(commands.RegisterCommand(new KVDocumentCommand(502, L"empty", nullptr, nullptr, {}), 502));
    EXPECT_TRUE(commands.ExecuteCommand(502, nullptr, nullptr, 0));
    EXPECT_TRUE(commands.UpdateCommandUI(502, nullptr, nullptr, nullptr));
    EXPECT_EQ(new_window(nullptr), 0);
}

TEST(MakerCommandPrompts, UnknownIdsHaveEmptyStrings) {
    auto& control = platform::kernel::control();
    control.commandStrings[33] = L"Line\nEnter the first point";
    control.commandStrings3D[33] = L"Extrude";
    EXPECT_EQ(KVGetCmdStr(33), L"Line\nEnter the first point");
    EXPECT_EQ(KVGetCmdStr3D(33), L"Extrude");
    EXPECT_EQ(KVGetCmdStr(34), L"");
    EXPECT_EQ(KVGetCmdStr3D(0), L"");
    EXPECT_EQ(KVGetActiveCommandId(), 0);
    EXPECT_EQ(KVGetActiveCommandPrompt(), L"");
    control.activeCommandId = 33;
    control.activeCommandPrompt = L"Enter the first point";
    EXPECT_EQ(KVGetActiveCommandId(), 33);
    EXPECT_EQ(KVGetActiveCommandPrompt(), L"Enter the first point");
}

// A main frame without a window, enough for the registry.
class BareFrame : public Korvo::UI::MainFrame {
public:
    CFrameWnd* AsWindow() override { return nullptr; }
    const CFrameWnd* AsWindow() const override { return nullptr; }
    void OnChangeActiveMainFrame(MainFrame*) override { ++activations; }
    int activations = 0;
};

TEST(MakerUiModule, AFakedActiveFrameTellsNobodyAndGivesWayToTheFrameBefore) {
    auto& ui = UIModuleProxy::Instance();
    BareFrame a, b, stranger;
    ui.RegisterMainFrame(&a);
    ui.RegisterMainFrame(&b);
    ASSERT_EQ(ui.GetActiveMainFrame(), &a);
    {
        UIModule::FakeActiveMainFrameManager fake(&b);
        EXPECT_EQ(ui.GetActiveMainFrame(), &b);
        {
            UIModule::FakeActiveMainFrameManager unknown(&stranger);  // changes nothing
            EXPECT_EQ(ui.GetActiveMainFrame(), &b);
            UIModule::FakeActiveMainFrameManager none(nullptr);
            EXPECT_EQ(ui.GetActiveMainFrame(), &b);
        }
    }
    EXPECT_EQ(ui.GetActiveMainFrame(), &a);
    EXPECT_EQ(a.activations + b.activations, 0);

    // The frame that was active closes while another is faked: afterwards none is active, not a
    // dead frame.
    {
        UIModule::FakeActiveMainFrameManager fake(&b);
        ui.UnregisterMainFrame(&a);
    }
    EXPECT_EQ(ui.GetActiveMainFrame(), nullptr);
    // Activating the active frame again does not tell it twice.
    b.MakeActive();
    b.MakeActive();
    EXPECT_EQ(b.activations, 1);
    ui.UnregisterMainFrame(&b);
    ui.UnregisterMainFrame(&b);  // twice: harmless
    EXPECT_TRUE(ui.GetMainFrames().empty());
    ui.RegisterMainFrame(nullptr);
    EXPECT_TRUE(ui.GetMainFrames().empty());
}

TEST(MakerUiModule, RegistryLookupsAnswerNothingForUnknownFramesAndIds) {
    auto& ui = UIModuleProxy::Instance();
    EXPECT_EQ(ui.GetMainFrameOf(nullptr), nullptr);
    ui.SetCommandBarsIconSize(nullptr, SIZE{32, 32}, true);  // refused with a warning
    EXPECT_FALSE(ui.GetCommandBarsIconSize(nullptr).has_value());
    EXPECT_GE(platform::core::journal().find("warning", L"SetCommandBarsIconSize"), 0);

    EXPECT_FALSE(ui.IsPropertyFormChildOpen(7));
    platform::kernel::openPropertyFormChild(7);
    EXPECT_TRUE(ui.IsPropertyFormChildOpen(7));
    ui.ClosePropertyFormChild(8);  // not open: nothing else closes
    EXPECT_TRUE(ui.IsPropertyFormChildOpen(7));
    ui.ClosePropertyFormChild(7);
    EXPECT_FALSE(ui.IsPropertyFormChildOpen(7));

    bool enabled = true, checked = true;
    EXPECT_FALSE(ui.CommandStateGet(4711, enabled, checked));
    EXPECT_TRUE(enabled && checked);  // left alone
    EXPECT_EQ(ui.FindTheme(nullptr), -1);
    EXPECT_FALSE(ui.ApplyTheme(nullptr));
    EXPECT_EQ(ui.GetUIStyle(), L"");

    for (const auto& [pixels, size] : std::vector<std::pair<int, int>>{{-5, 16}, {0, 16}, {16, 16}, {23, 16}, {24, 24},
                                                                          {31, 24}, {32, 32}, {4000, 32}})
        EXPECT_EQ(UIModuleProxy::GetBestUnscaledIconSize(pixels), size) << pixels;
}

TEST(MakerUiModule, RibbonParameterFilesAreCheckedAndTheParametersRestorable) {
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Ribbon"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Ribbon\\good.xml", "<Tabs><Tab id=\"1\"/></Tabs>"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Ribbon\\bad.xml", "<Tabs>\n<Tab id=\"1\">\n</Tabs>\n"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Ribbon\\empty.xml", ""), 0u);
    auto& ui = UIModuleProxy::Instance();
    EXPECT_TRUE(ui.LoadRibbonTabParameters(L"C:\\Ribbon\\good.xml"));
    EXPECT_FALSE(ui.LoadRibbonTabParameters(L"C:\\Ribbon\\bad.xml"));
    EXPECT_GE(platform::core::journal().find("warning", L"C:\\Ribbon\\bad.xml(3)"), 0);
    EXPECT_FALSE(ui.LoadRibbonTabParameters(L"C:\\Ribbon\\missing.xml"));
    EXPECT_FALSE(ui.LoadRibbonTabParameters(nullptr));
    // An empty file has no root element and is no parameter file.
    EXPECT_FALSE(ui.LoadRibbonTabParameters(L"C:\\Ribbon\\empty.xml"));

    Korvo::UI::XML::ApplicationParameters outer, inner;
    EXPECT_EQ(ui.SetRibbonApplicationParameters(&outer), nullptr);
    const auto* previous = ui.SetRibbonApplicationParameters(&inner);
    EXPECT_EQ(previous, &outer);
    EXPECT_EQ(ui.GetRibbonApplicationParameters(), &inner);
    ui.SetRibbonApplicationParameters(previous);
    EXPECT_EQ(ui.GetRibbonApplicationParameters(), &outer);
    ui.SetRibbonApplicationParameters(nullptr);
}

TEST(MakerUiModule, TrackingAPopupWithoutBarsOrOwnerIsAStrictFailure) {
    EXPECT_EQ(UIModuleProxy::Instance().TrackPopupMenu(nullptr, TPM_NONOTIFY, POINT{}, nullptr), 0u);
    CXTPPopupBar* orphan = CXTPPopupBar::CreatePopupBar(nullptr);
    CWnd notAWindow;
    EXPECT_EQ(UIModuleProxy::Instance().TrackPopupMenu(orphan, TPM_NONOTIFY, POINT{}, &notAWindow), 0u);
    orphan->InternalRelease();
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find(L"TrackPopupMenu"), std::wstring::npos);
}

// Raises another event from inside its handler, or unsubscribes itself.
class Chain : public TypedApplicationEventListener<900, 901> {
public:
    explicit Chain(std::vector<std::string>& log) : log_(log) {}
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs&) override {
        log_.push_back(std::to_string(eventId));
        if (eventId == 900 && raiseInner) ApplicationEventManager::Instance().Raise(901, ApplicationEventArgs{});
        if (leaveAfterFirst) UnsubscribeAll();
    }
    bool raiseInner = false;
    bool leaveAfterFirst = false;

private:
    std::vector<std::string>& log_;
};

TEST(MakerEventsReentry, ANestedRaiseReachesEveryoneBeforeTheOuterGoesOn) {
    std::vector<std::string> log;
    Chain first(log), second(log);
    first.raiseInner = true;
    ApplicationEventManager::Instance().Raise(900, ApplicationEventArgs{});
    EXPECT_EQ(log, (std::vector<std::string>{"900", "901", "901", "900"}));
}

TEST(MakerEventsReentry, AListenerThatLeavesDuringARaiseHearsNothingMore) {
    std::vector<std::string> log;
    Chain leaver(log), stayer(log);
    leaver.leaveAfterFirst = true;
    leaver.raiseInner = true;  // the inner raise comes before it leaves
    ApplicationEventManager::Instance().Raise(900, ApplicationEventArgs{});
    ApplicationEventManager::Instance().Raise(901, ApplicationEventArgs{});
    // leaver: 900 then the inner 901 (it leaves in both); stayer: the inner 901, its 900, the last 901.
    EXPECT_EQ(log, (std::vector<std::string>{"900", "901", "901", "900", "901"}));
    EXPECT_EQ(ApplicationEventManager::Instance().ListenerCount(900), 1u);
    // Subscribing twice to one id delivers once.
    ApplicationEventManager::Instance().Subscribe(901, &stayer);
    EXPECT_EQ(ApplicationEventManager::Instance().ListenerCount(901), 1u);
    ApplicationEventManager::Instance().Subscribe(901, nullptr);
    EXPECT_EQ(ApplicationEventManager::Instance().ListenerCount(901), 1u);
}

}  // namespace
