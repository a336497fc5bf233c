// Help: the nested help context, the help file at a context or topic, the on-line address when
// the help file is not installed, and the tutorials folder.
#include "tests/app/app_test_support.h"

#include "app/kvw32_app.h"
#include "mainframe/help/embedded_html_view.h"
#include "mainframe/help/tutorial_document.h"
#include "platform/kernel/ui/context_help.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

const std::wstring kProgram = L"C:\\Program Files\\Velmora\\Korvo CAD 18.0";

class Help : public SessionTest {
protected:
    CKvw32App& Started(Session& s) {
        s.start();
        EXPECT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        return *CKvw32App::Instance();
    }
};

TEST_F(Help, ContextsNestAndOnlyTheOutermostLevelReplacesThem) {
    Session s;
    CKvw32App& app = Started(s);
    EXPECT_EQ(app.SetHelpContext(5, L"A.chm", +1), 1u);
    EXPECT_EQ(app.SetHelpContext(7, L"B.chm", +1), 5u);
    EXPECT_EQ(app.GetHelpId(), 5u);
    EXPECT_EQ(app.SetHelpContext(8, L"C.chm", -1), 5u);
    EXPECT_EQ(app.GetHelpFile(), L"A.chm");
    EXPECT_EQ(app.SetHelpContext(9, L"C.chm", -1), 5u);  // back at level 0: replaced
    EXPECT_EQ(app.GetHelpId(), 9u);
    EXPECT_EQ(app.GetHelpFile(), L"C.chm");
    // At level 0 a context without a file empties the file.
    app.SetHelpContext(12, nullptr, 0);
    EXPECT_EQ(app.GetHelpId(), 12u);
    EXPECT_EQ(app.GetHelpFile(), L"");
    // A pop past level 0 leaves the level negative: the next push replaces nothing.
    app.SetHelpContext(10, nullptr, -1);
    app.SetHelpContext(11, L"D.chm", +1);
    EXPECT_EQ(app.GetHelpId(), 12u);
}

TEST_F(Help, TheHelpFileOpensAtTheTopicAfterTheHelpWindowHeardOfIt) {
    Session s;
    s.files().write(kProgram + L"\\Korvo.chm", "ITSF");
    CKvw32App& app = Started(s);
    std::optional<int> topicHeard;
    struct Listener : TypedApplicationEventListener<kEventHelpWindowOpening> {
        std::optional<int>& topic;
        explicit Listener(std::optional<int>& t) : topic(t) {}
        void OnApplicationEvent(UINT, const ApplicationEventArgs& args) override {
            topic = dynamic_cast<const HelpWindowOpening&>(args).GetTopicId();
        }
    } listener(topicHeard);
    app.SetHelpContext(1, (kProgram + L"\\Korvo.chm").c_str(), 0);
    app.ShowHelpTopic(1700500);
    EXPECT_EQ(topicHeard, 17005);
    EXPECT_TRUE(Contains(s.journal().texts("help"), L"HtmlHelpW(\"" + kProgram + L"\\Korvo.chm\", 15, 1700500)"));
    app.WinHelpInternal(0, HELP_CONTENTS);
    EXPECT_TRUE(Contains(s.journal().texts("help"), L"HtmlHelpW(\"" + kProgram + L"\\Korvo.chm\", 1, 0)"));
    // Context 0 is a context still; a number that is no multiple of 100 names no topic.
    app.WinHelpInternal(0, HELP_CONTEXT);
    EXPECT_TRUE(Contains(s.journal().texts("help"), L"HtmlHelpW(\"" + kProgram + L"\\Korvo.chm\", 15, 0)"));
    app.WinHelpInternal(4710, HELP_CONTEXT);
    EXPECT_EQ(topicHeard, -1);
}

// Help at 100 times an application command's id is that command's own help; the F1 help asks the
// UI module's context-help provider first.
TEST_F(Help, ApplicationCommandsAndTheContextHelpProviderNameTheirOwnHelp) {
    Session s;
    s.files().write(kProgram + L"\\Module.chm", "ITSF");
    s.files().write(kProgram + L"\\Korvo.chm", "ITSF");
    CKvw32App& app = Started(s);
    for (int i = 0; i < 6; ++i) {
        auto command = std::make_unique<CKVAppCommand>(L"Module", L"Command", 100 + i, false);
        if (i == 5) command->SetHelp(L"Module.chm", 77);
        if (i == 0) command->SetHelp(L"Module.chm", 66);
        ASSERT_NE(app.RegisterApplicationCommand(std::move(command), false), nullptr);
    }
    std::optional<int> topicHeard;
    CString fileHeard;
    struct Listener : TypedApplicationEventListener<kEventHelpWindowOpening> {
        std::optional<int>& topic;
        CString& file;
        Listener(std::optional<int>& t, CString& f) : topic(t), file(f) {}
        void OnApplicationEvent(UINT, const ApplicationEventArgs& args) override {
            topic = dynamic_cast<const HelpWindowOpening&>(args).GetTopicId();
            file = dynamic_cast<const HelpWindowOpening&>(args).GetHelpFile();
        }
    } listener(topicHeard, fileHeard);
    app.SetHelpContext(1, (kProgram + L"\\Korvo.chm").c_str(), 0);
    app.WinHelpInternal(1700500, HELP_CONTEXT);
    EXPECT_EQ(topicHeard, 77);
    EXPECT_EQ(fileHeard, L"Module.chm");
    EXPECT_TRUE(Contains(s.journal().texts("help"), L"HtmlHelpW(\"" + kProgram + L"\\Module.chm\", 15, 1700500)"));
    app.WinHelpInternal(1700000, HELP_CONTEXT);  // the first command has its own help too
    EXPECT_EQ(topicHeard, 66);
    // Past the registered commands the number is a topic of the current file.
    app.WinHelpInternal(1700600, HELP_CONTEXT);
    EXPECT_EQ(topicHeard, 17006);

    // A help file named without its folder is taken in the program folder, and kept so.
    app.SetHelpContext(42, L"Korvo.chm", 0);
    DWORD provided = 0;
    UIModule::SetContextHelpProvider([&provided] { return provided; });
    app.OnHelp();  // the provider names no help: the current id
    EXPECT_EQ(app.GetHelpFile(), kProgram + L"\\Korvo.chm");
    EXPECT_TRUE(Contains(s.journal().texts("help"), L"HtmlHelpW(\"" + kProgram + L"\\Korvo.chm\", 15, 42)"));
    provided = 4711;
    app.OnHelp();
    UIModule::SetContextHelpProvider(nullptr);
    EXPECT_TRUE(Contains(s.journal().texts("help"), L"HtmlHelpW(\"" + kProgram + L"\\Korvo.chm\", 15, 4711)"));
}

TEST_F(Help, WithoutTheHelpFileTheOnlineAddressShowsForRealContexts) {
    Session s;
    CKvw32App& app = Started(s);
    app.SetHelpContext(1, L"KORVO.CHM", 0);
    app.WinHelpInternal(1, HELP_CONTEXT);
    app.WinHelpInternal(0, HELP_CONTEXT);
    EXPECT_TRUE(s.journal().texts("process").empty());
    app.WinHelpInternal(2, HELP_CONTEXT);  // the first real context
    EXPECT_TRUE(Contains(s.journal().texts("process"), L"shell-opened null, \"https://help.velmora.example/korvo/18/rus/2\", \"\""));
    // The address is a web link: the help-link protocol gives it to the shell's browser.
    app.WinHelpInternal(4711, HELP_CONTEXT);
    EXPECT_TRUE(Contains(s.journal().texts("process"), L"shell-opened null, \"https://help.velmora.example/korvo/18/rus/4711\", \"\""));
    // Another missing help file shows nothing.
    app.SetHelpContext(1, L"FEA.chm", 0);
    app.WinHelpInternal(4712, HELP_CONTEXT);
    EXPECT_FALSE(Contains(s.journal().texts("process"), L"4712"));
    EXPECT_TRUE(s.journal().texts("help").empty());
}

TEST_F(Help, TheTutorialPageJoinsTheFolderWithOneBackslash) {
    Session s;
    s.registry().setString(apptest::kMachine, L"SOFTWARE\\WOW6432Node\\Velmora\\Korvo Tutorials 18\\Rus",
                           L"SetupDirectory", L"C:\\Tutorials");
    s.files().write(L"C:\\Tutorials\\index.htm", "<title>Tutorials</title>");
    CKvw32App& app = Started(s);
    app.OnTutorial();
    // A second time the page shows in the same tutorial document.
    app.OnTutorial();
    ASSERT_NE(FindTutorialTemplate(), nullptr);
    const auto& documents = FindTutorialTemplate()->GetDocuments();
    ASSERT_EQ(documents.size(), 1u);
    ASSERT_EQ(documents[0]->GetViews().size(), 1u);
    auto* view = dynamic_cast<CEmbeddedHtmlView*>(documents[0]->GetViews()[0]);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetLocationURL(), L"C:\\Tutorials\\index.htm");
    EXPECT_EQ(view->GetHistory().size(), 2u);
}

}  // namespace
