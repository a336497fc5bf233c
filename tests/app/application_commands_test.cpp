// Application commands: "application.xml" read at start-up with the identity rule and the id
// limit, stored tool bars following reassigned ids, the file written back with the state, and
// the kernel's registration of commands with icons and tooltips.
#include <memory>
#include <set>
#include <string>

#include "app/automation/profile_file_extension.h"
#include "app/kvw32_app.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "platform/kernel/ui/command_control.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kKey = L"6F9619FF-8B86-D011-B42D-00C04FC964FF";

std::string Section(int type, const std::string& appId, int internalId) {
    return "<ApplicationCommand Type=\"" + std::to_string(type) + "\" AppId=\"" + appId + "\" InternalID=\"" +
           std::to_string(internalId) + "\" CommandID=\"99\" IsInternal=\"false\"/>";
}

std::string CommandsFile(const std::string& sections) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings>" + sections + "</Settings>";
}

class ApplicationCommandsTest : public SessionTest {
protected:
    void StartWith(const std::string& file) {
        s.files().write(s.files().programFile(L"application.xml"), file);
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        app = CKvw32App::Instance();
    }
    const ApplicationCommands& Commands() const { return app->GetApplicationCommands(); }

    Session s;
    CKvw32App* app = nullptr;
};

TEST_F(ApplicationCommandsTest, EqualSectionsShareOneCommandAndBadSectionsAreSkipped) {
    StartWith(CommandsFile(Section(0, "GEARS", 5) + Section(1, "not-an-id", 1) + Section(7, "GEARS", 6) +
                           Section(0, "GEARS", 5) + Section(1, platform::core::toUtf8(kKey), 2)));
    ASSERT_EQ(Commands().GetCount(), 2);
    const IApplicationCommand* gears = Commands().GetById(17000);
    ASSERT_NE(gears, nullptr);
    EXPECT_EQ(gears->GetIdString(), L"GEARS");
    // The second section of the same identity registered the first command's id again.
    EXPECT_EQ(platform::kernel::registrationCount(17000), 2);
    Korvo::UniqueIdentifier key;
    ASSERT_TRUE(Korvo::UniqueIdentifier::TryParse(kKey, key));
    EXPECT_EQ(Commands().Find(key, IApplicationCommand::kUniqueCommand), 17001u);
    EXPECT_EQ(Commands().FindById(kKey, 2), 17001u);
    EXPECT_EQ(Commands().FindById(L"GEARS", 5), 17000u);
    EXPECT_EQ(Commands().FindById(L"GEARS", 6), 0u);  // the same owner, another internal id
    EXPECT_EQ(Commands().Find(key, IApplicationCommand::kAddOnCommand), 0u);
    // Registered again with replacing asked for, the command keeps its id and takes the new data.
    IApplicationCommand* replaced =
        app->RegisterApplicationCommand(std::make_unique<CKVAppCommand>(L"GEARS", L"Gear wheels", 5, false), true);
    EXPECT_EQ(replaced, gears);
    EXPECT_EQ(gears->GetName(), L"Gear wheels");
    EXPECT_EQ(Commands().GetCount(), 2);
    EXPECT_EQ(Commands().FindById(L"", 42), 42u);
    EXPECT_EQ(Commands().GetById(17002), nullptr);
    EXPECT_EQ(Commands().GetById(16999), nullptr);

    // Saving the state writes the commands back in order with the ids they have now.
    s.kernel().callback([](KorvoServerAppProxy& kernel) { EXPECT_TRUE(kernel.SaveState()); });
    const std::string saved = s.files().read(s.files().programFile(L"application.xml")).value();
    const auto first = saved.find("AppId=\"GEARS\"");
    const auto second = saved.find(platform::core::toUtf8(kKey));
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_NE(saved.find("CommandID=\"17001\""), std::string::npos);
    EXPECT_EQ(saved.find("not-an-id"), std::string::npos);

    // The exit takes every command out of the kernel session again.
    EXPECT_EQ(s.quit(), 0);
    EXPECT_TRUE(apptest::Contains(calls(s), L"GlobalContainer::UnregisterCmd(17000)"));
    EXPECT_TRUE(apptest::Contains(calls(s), L"GlobalContainer::UnregisterCmd(17001)"));
}

TEST_F(ApplicationCommandsTest, StoredControlsFollowTheirCommandsPastASkippedSection) {
    StartWith(CommandsFile(""));
    CMainFrame* frame = app->GetActiveMainFrame();
    ASSERT_NE(frame, nullptr);
    CXTPToolBar* bar = frame->GetCommandBars()->GetAt(0);
    ASSERT_NE(bar, nullptr);
    // Controls stored when the commands had ids in file order, one inside a popup.
    CXTPControls* controls = bar->GetControls();
    CXTPControl* first = controls->Add(xtpControlButton, 17000);
    CXTPControl* second = controls->Add(xtpControlButton, 17001);
    CXTPControl* popup = controls->Add(xtpControlPopup, 20500);
    auto* popupBar = new CXTPPopupBar;
    popup->SetCommandBar(popupBar);
    popupBar->InternalRelease();
    CXTPControl* inner = popupBar->GetControls()->Add(xtpControlButton, 17004);

    CXTPPropExchangeXMLNode file(TRUE, L"Settings");
    ASSERT_TRUE(file.LoadFromString(platform::core::fromUtf8(CommandsFile(
                                        Section(1, "bad", 1) + Section(0, "A", 1) + Section(0, "B", 2) +
                                        Section(0, "C", 3) + Section(0, "D", 4))),
                                    L"commands"));
    app->LoadApplicationCommands(*file.GetEnumerator(L"ApplicationCommand"));
    EXPECT_EQ(Commands().GetCount(), 4);
    // Section 0 got no command: its control keeps the id it had.
    EXPECT_EQ(first->GetID(), 17000);
    EXPECT_EQ(second->GetID(), 17000);  // section 1, "A"
    EXPECT_EQ(inner->GetID(), 17003);   // section 4, "D"
    EXPECT_EQ(Commands().GetById(17003)->GetIdString(), L"D");
}

TEST_F(ApplicationCommandsTest, CommandsPastTheLastIdAreDropped) {
    std::string sections;
    for (int i = 0; i < 15002; ++i) sections += Section(0, "BULK", i);
    StartWith(CommandsFile(sections));
    EXPECT_EQ(Commands().GetCount(), 15001);
    EXPECT_EQ(Commands().GetById(32000)->GetInternalId(), 15000);
    EXPECT_EQ(platform::kernel::registrationCount(32001), 0);
}

TEST_F(ApplicationCommandsTest, TheKernelRegistersCommandsOnlyInToolsModeAndOnce) {
    StartWith(CommandsFile(""));
    auto command = [] { return std::make_unique<CKVAppCommand>(L"GEARS", L"", 7, false); };
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        EXPECT_EQ(kernel.RegisterAppCommand(command(), 0, nullptr, nullptr, nullptr), 0u);
    });
    s.kernel().setToolsMode(true);
    // An icon an earlier command of the id left behind goes when the new one brings none.
    XTPImageManager()->SetIcon(17000, 16);
    CommandTooltipInfo tooltip;
    tooltip.title = L"Gear wheel";
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        auto first = command();
        first->SetPromptString(L"Draws a gear\nGear");
        EXPECT_EQ(kernel.RegisterAppCommand(std::move(first), 0, nullptr, nullptr, &tooltip), 17000u);
        EXPECT_EQ(kernel.RegisterAppCommand(command(), 0, nullptr, nullptr, nullptr), 0u);
        EXPECT_EQ(kernel.GetApplicationCommandCount(), 1);
    });
    EXPECT_EQ(XTPImageManager()->GetIconSet(17000), nullptr);
    const auto strings = UIModuleProxy::Instance().GetStoredCommandStrings(17000);
    ASSERT_TRUE(strings.has_value());
    EXPECT_EQ(strings->caption, L"Gear wheel");
    EXPECT_EQ(strings->tooltipTitle, L"Gear wheel");
    EXPECT_EQ(strings->tooltip, L"Draws a gear");
    EXPECT_EQ(strings->prompt, L"Draws a gear") << "an empty long text keeps the prompt";

    // A picture said to be larger than 4 GB is not looked at.
    const BYTE svg[] = "<svg/>";
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { kernel.SetCommandIcon(17000, svg, 0x100000006ull); });
    EXPECT_EQ(XTPImageManager()->GetIconSet(17000), nullptr);
}

// A new document from the backstage's prototypes page: the backstage shows again first.
TEST_F(ApplicationCommandsTest, ANewDocumentFromAPrototypeRefreshesTheBackstageFirst) {
    StartWith(CommandsFile(""));
    CMainFrame* frame = app->GetActiveMainFrame();
    frame->SetRibbonMode(true);
    s.runUntilIdle();
    CXTPRibbonBackstageView* view = frame->GetRibbonBar()->GetBackstageView();
    ASSERT_NE(view, nullptr);
    const int before = view->GetRefreshCount();
    app->CreateNewDocumentFromPrototype(L"C:\\Prototypes\\Part.grb");
    EXPECT_EQ(view->GetRefreshCount(), before + 1);
    apptest::ExpectInOrder(s.journal().texts("call"),
                           {L"Korvo::DocumentManager::CreateAndSaveNewDocumentFromPrototype(\"C:\\Prototypes\\Part.grb\")"});
}

TEST_F(ApplicationCommandsTest, ASystemMenuItemIsInsertedOnceBeforeQuit) {
    StartWith(CommandsFile(""));
    CMainFrame* frame = app->GetActiveMainFrame();
    frame->SetRibbonMode(true);
    s.runUntilIdle();
    CXTPRibbonControlSystemButton* button = frame->GetRibbonBar()->GetSystemButton();
    ASSERT_NE(button, nullptr);
    CXTPControls* controls = button->GetCommandBar()->GetControls();
    controls->Add(xtpControlButton, 57616);  // the first recent file, before Quit
    controls->Add(xtpControlButton, 1019);
    const auto insert = [&](UINT id, UINT position, bool after) {
        s.kernel().callback([&](KorvoServerAppProxy& kernel) { kernel.InsertRibbonSystemMenuItem(id, L"Gears", position, after); });
    };
    for (int i = 0; i < 2; ++i) insert(20900, 4242, true);
    const auto find = [&](int id) {
        int count = 0;
        int at = -1;
        for (int i = 0; i < controls->GetCount(); ++i) {
            if (controls->GetAt(i)->GetID() == id) {
                ++count;
                at = i;
            }
        }
        return count == 1 ? at : -count - 1;
    };
    const int at = find(20900);
    ASSERT_GE(at, 0);
    EXPECT_EQ(controls->GetAt(at + 1)->GetID(), 57616);
    // After or before the control named as the position.
    insert(20901, 20900, true);
    insert(20902, 20900, false);
    EXPECT_EQ(find(20902) + 1, find(20900));
    EXPECT_EQ(find(20900) + 1, find(20901));
    const int count = controls->GetCount();
    insert(0, 4242, true);  // no command
    EXPECT_EQ(controls->GetCount(), count);
    // A frame in classic mode has no system menu to take it.
    frame->SetRibbonMode(false);
    s.runUntilIdle();
    insert(20903, 4242, true);
    EXPECT_EQ(find(20903), -1);
}

TEST_F(ApplicationCommandsTest, AClosedRecordDoesNotMakeTheMissingPane) {
    StartWith(CommandsFile(""));
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        KVPaneState state;
        state.closed = true;
        EXPECT_FALSE(kernel.SetPaneState1020(state));
        EXPECT_FALSE(kernel.GetPaneState1020(state));
    });
    EXPECT_EQ(app->GetActiveMainFrame()->GetDockingPaneManager()->FindPane(1020), nullptr);
}

TEST_F(ApplicationCommandsTest, AnAddOnErrorNamesTheApplication) {
    StartWith(CommandsFile(""));
    std::wstring shown;
    s.user().expectBox(L"Error occurred in application*", [&](const BoxRequest& box) {
        shown = box.text;
        return Button::Ok;
    });
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.ReportApplicationError(L"Gears", L"No teeth"); });
    EXPECT_EQ(shown, L"Error occurred in application \"Gears\":\nNo teeth");
    // Without a name the text stands alone; with neither nothing shows.
    s.user().expectBox(L"No teeth", Button::Ok);
    s.kernel().callback([](KorvoServerAppProxy& kernel) {
        kernel.ReportApplicationError(L"", L"No teeth");
        kernel.ReportApplicationError(nullptr, nullptr);
    });
}

TEST(ProfileFileExtension, EachEditionHasItsOwnSuffix) {
    std::set<std::wstring> seen;
    for (unsigned code : {1u, 2u, 4u, 8u, 16u, 32u, 128u, 256u, 512u}) {
        const CString suffix = ProfileFileExtensionFor(code);
        EXPECT_FALSE(suffix.IsEmpty()) << code;
        EXPECT_TRUE(seen.insert(suffix.GetString()).second) << code;
    }
    EXPECT_TRUE(ProfileFileExtensionFor(64).IsEmpty());
}

}  // namespace
