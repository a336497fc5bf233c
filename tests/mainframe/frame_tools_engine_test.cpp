// The frame tools engine: status-line prompts by command range, the pane of each pane command,
// the registry keys of the "MainFrame" profile item, and its profile save.
#include <gtest/gtest.h>

#include <vector>

#include "app/kvw32_app.h"
#include "commandbars/auto_menu_command_bars.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_profile_item.h"
#include "platform/kernel/ui/control.h"
#include "syspanel/manip_panel.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class FrameTools : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
    }
    CString Prompt(UINT id, bool* handled = nullptr) {
        CString text = L"unchanged";
        const bool answered = engine.GetCommandPrompt(id, text);
        if (handled) *handled = answered;
        return text;
    }

    Session s;
    CMainFrameProfileItem engine;
};

TEST_F(FrameTools, PromptsComeFromTheKernelTheAutoMenuOrTheActiveCommandByRange) {
    auto& kernel = platform::kernel::control();
    kernel.commandStrings[1000] = L"  Line: draw a line  ";
    kernel.commandStrings3D[3400] = L"Extrude";
    kernel.commandStrings[3401] = L"Out of range";
    kernel.commandStrings[999] = L"Out of range";
    kernel.commandStrings[2000] = L"   ";
    kernel.commandStrings3D[2000] = L"\t3D only ";

    bool handled = false;
    EXPECT_EQ(Prompt(1000, &handled), CString(L"Line: draw a line"));
    EXPECT_TRUE(handled);
    EXPECT_EQ(Prompt(3400, &handled), CString(L"Extrude"));
    EXPECT_EQ(Prompt(2000, &handled), CString(L"3D only"));  // a blank kernel string falls through
    // Neither has a string: not handled, and the text is left alone.
    EXPECT_EQ(Prompt(1500, &handled), CString(L"unchanged"));
    EXPECT_FALSE(handled);
    Prompt(999, &handled);
    EXPECT_FALSE(handled);
    Prompt(3401, &handled);
    EXPECT_FALSE(handled);
    Prompt(40000, &handled);
    EXPECT_FALSE(handled);

    // Auto-menu hints are answered even without a controller.
    EXPECT_EQ(Prompt(6500, &handled), CString());
    EXPECT_TRUE(handled);
    kernel.autoMenuController = true;
    kernel.autoMenuHints[6001] = L"Pick a point";
    EXPECT_EQ(Prompt(6001), CString(L"Pick a point"));
    Prompt(6000, &handled);
    EXPECT_FALSE(handled);

    // The idle prompt: the running command's, else ">".
    EXPECT_EQ(Prompt(57345, &handled), CString(L">"));
    EXPECT_TRUE(handled);
    kernel.activeCommandId = 1000;
    kernel.activeCommandPrompt = L"Specify the first point";
    EXPECT_EQ(Prompt(57345), CString(L"Specify the first point"));
}

TEST_F(FrameTools, EveryPaneCommandHasItsPaneAndTheGapsHaveNone) {
    const std::vector<std::pair<UINT, UINT>> expected = {
        {782, 1003}, {783, 1004}, {784, 1005}, {785, 1006}, {786, 1017}, {787, 1012}, {788, 1013},
        {789, 1014}, {790, 1008}, {791, 1015}, {792, 1009}, {793, 1020}, {794, 1021}, {795, 1022},
        {796, 1023}, {797, 1025}, {798, 1027}, {799, 1028}, {811, 1007}, {812, 1010}, {813, 1011},
        {814, 1019}, {815, 1029}, {816, 1030}, {817, 1031}, {818, 1032}, {819, 1033}, {820, 1034},
        {821, 1035}, {822, 1036}, {823, 1038}, {824, 1039}, {825, 1040}, {826, 1041},
    };
    for (const auto& [command, pane] : expected) {
        EXPECT_EQ(CFrameToolsEngine::PaneIdOfCommand(command), pane) << command;
    }
    for (UINT command : {0u, 781u, 800u, 805u, 810u, 827u, 1003u}) {
        EXPECT_EQ(CFrameToolsEngine::PaneIdOfCommand(command), 0u) << command;
    }
    // Without a frame there is no pane to find.
    EXPECT_EQ(engine.FindPaneByCommand(782), nullptr);
}

TEST_F(FrameTools, RegistryKeysFollowTheProfileKinds) {
    auto keysFor = [this](DWORD kind) {
        engine.SetProfileKind(kind);
        std::vector<CString> keys;
        engine.GetRegistryKeys(keys);
        return keys;
    };
    const std::vector<CString> common = {L"MainFrame\\Hidden Errors", L"MainFrame\\PagesTabCtrl",
                                         L"MainFrame\\ExpandedDialog"};
    auto with = [&common](std::initializer_list<const wchar_t*> extra) {
        std::vector<CString> keys = common;
        for (const wchar_t* key : extra) keys.push_back(key);
        keys.push_back(L"MainFrame");
        return keys;
    };
    EXPECT_EQ(keysFor(kProfileKindCommon), with({L"MainFrame\\2D", L"MainFrame\\3D"}));
    EXPECT_EQ(keysFor(kProfileKind2D), with({L"MainFrame\\2D"}));
    EXPECT_EQ(keysFor(kProfileKind3D), with({L"MainFrame\\3D"}));
    EXPECT_EQ(keysFor(kProfileKindAssembly), with({L"MainFrame\\3D"}));
    EXPECT_EQ(keysFor(0), with({}));
    EXPECT_EQ(engine.GetProfileItemName(), CString(L"MainFrame"));
    EXPECT_EQ(engine.GetTitleStringId(), 41004u);
}

TEST_F(FrameTools, TheManipulatorPanelsAreMadeAndReplacedByTheEngine) {
    EXPECT_EQ(engine.GetManipPanel(1), nullptr);
    engine.CreateManipPanels();
    CManipPanel* first = engine.GetManipPanel(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetPanelId(), 1);
    EXPECT_EQ(engine.GetManipPanel(2)->GetPanelId(), 2);
    EXPECT_TRUE(first->IsEmpty());
    EXPECT_EQ(engine.GetManipPanel(0), nullptr);
    EXPECT_EQ(engine.GetManipPanel(3), nullptr);
    engine.CreateManipPanels();  // the earlier ones are freed (the sanitizer watches)
    EXPECT_NE(engine.GetManipPanel(1), nullptr);
    EXPECT_EQ(engine.GetStatusLine().GetSafeHwnd(), nullptr);  // its window comes with the frame
    EXPECT_NE(engine.GetAutoMenuCommandBars(), nullptr);
    EXPECT_EQ(engine.GetVarnelWindowBits(), 3u);
}

TEST_F(FrameTools, LaterToolsReportNothingDone) {
    EXPECT_EQ(engine.PreTranslateKeyMessage('L'), 0);
    EXPECT_TRUE(engine.ShowEmbeddedHelp(nullptr, 0));  // hiding a help that is not there
    EXPECT_EQ(engine.GetEmbeddedHelp(), nullptr);
    EXPECT_FALSE(engine.CreateLibraryFragmentToolBar(L"Bolts", L"C:\\Libraries\\Bolts"));
    EXPECT_EQ(CFrameToolsEngine::GetProductEdition(), 1);
    // Without a frame the profile load reports that nothing was loaded.
    EXPECT_EQ(engine.LoadState(), 1);
}

TEST_F(FrameTools, SavingTheProfileWritesTheUIStyleAsTheFrameSeesIt) {
    CMainFrame* frame = CKvw32App::Instance()->GetActiveMainFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(UIModuleProxy::Instance().ApplyTheme(L"office2016black"));
    EXPECT_EQ(engine.SaveState(), 0);  // no frame: nothing written
    EXPECT_FALSE(s.registry().hasValue(L"HKEY_CURRENT_USER", s.registry().productKey() + L"\\MainFrame", L"UIStyle"));

    engine.SetOwningFrame(frame);
    EXPECT_EQ(engine.GetAutoMenuCommandBars()->GetSite(), static_cast<CWnd*>(frame));
    EXPECT_EQ(engine.SaveState(), 0);
    EXPECT_EQ(s.registry().getString(L"HKEY_CURRENT_USER", s.registry().productKey() + L"\\MainFrame", L"UIStyle"),
              std::wstring(L"office2016black"));
    EXPECT_EQ(CKvw32App::Instance()->GetActiveMainFrame(), frame);
}

TEST_F(FrameTools, AFakedActiveFrameAnswersOnlyWhileTheFakeLasts) {
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    auto& module = UIModuleProxy::Instance();
    const std::vector<Korvo::UI::MainFrame*> frames = module.GetMainFrames();
    ASSERT_EQ(frames.size(), 2u);
    Korvo::UI::MainFrame* active = module.GetActiveMainFrame();
    Korvo::UI::MainFrame* other = active == frames[0] ? frames[1] : frames[0];
    const std::size_t journalled = s.journal().entries().size();
    {
        UIModule::FakeActiveMainFrameManager fake(other);
        EXPECT_EQ(module.GetActiveMainFrame(), other);
        {
            UIModule::FakeActiveMainFrameManager unknown(nullptr);
            EXPECT_EQ(module.GetActiveMainFrame(), other);
        }
    }
    EXPECT_EQ(module.GetActiveMainFrame(), active);
    EXPECT_EQ(s.journal().entries().size(), journalled);  // nobody was told
}

}  // namespace
