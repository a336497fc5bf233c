// The application object's services: the command line, shell commands, DDE commands, message
// boxes and the entry point.
#include "platform/core/command_line.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/mfc/framework_state.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using namespace mfctest;
using Strings = std::vector<std::wstring>;

// Swallows what the program's own parser handles itself and records what the framework saw.
struct RecordingCommandLine : CCommandLineInfo {
    std::vector<std::string> seen;
    void ParseParam(const wchar_t* param, BOOL flag, BOOL last) override {
        seen.push_back(std::string(flag ? "flag " : "param ") + utf8(param) + (last ? " (last)" : ""));
        const std::wstring_view text = param;
        if (flag && (text.substr(0, 1) == L"L" || text.substr(0, 4) == L"ini:")) return;
        CCommandLineInfo::ParseParam(param, flag, last);
    }
};

// The program's command line as the shell would pass these arguments.
RecordingCommandLine parse(const std::wstring& arguments) {
    RecordingCommandLine info;
    platform::mfc::detail::parseCommandLine(L"\"C:\\Program Files\\Korvo.exe\" " + arguments, info);
    return info;
}

TEST(MfcCommandLineSplit, WindowsQuotingRules) {
    using platform::core::splitCommandLine;
    EXPECT_EQ(splitCommandLine(L"\"C:\\Program Files\\K\\Korvo.exe\" a  b\tc"),
              (Strings{L"C:\\Program Files\\K\\Korvo.exe", L"a", L"b", L"c"}));
    EXPECT_EQ(splitCommandLine(L"k.exe \"C:\\My Files\\a b.grb\" /Embedding"),
              (Strings{L"k.exe", L"C:\\My Files\\a b.grb", L"/Embedding"}));
    EXPECT_EQ(splitCommandLine(L"k.exe a\\\\\\\"b \"c\\\\\" d\\e"), (Strings{L"k.exe", L"a\\\"b", L"c\\", L"d\\e"}))
        << "backslashes count only before a quote";
    EXPECT_EQ(splitCommandLine(L"k.exe \"say \"\"hi\"\"\" x\"y z\""), (Strings{L"k.exe", L"say \"hi\"", L"xy z"}));
    EXPECT_EQ(splitCommandLine(L"k.exe \"\""), (Strings{L"k.exe", L""})) << "an empty quoted argument counts";
    EXPECT_EQ(splitCommandLine(L"C:\\dir\\k.exe"), Strings{L"C:\\dir\\k.exe"});

    // What the platform quotes splits back into the same arguments.
    const Strings arguments{L"plain", L"", L"a b", L"tab\there", L"say \"hi\"", L"C:\\dir\\", L"back\\\"slash", L"\\\\"};
    std::wstring line = L"k.exe";
    for (const auto& argument : arguments) line += L" " + platform::core::quoteArgument(argument);
    Strings expected{L"k.exe"};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    EXPECT_EQ(splitCommandLine(line), expected) << platform::core::toUtf8(line);
}

TEST(MfcCommandLine, ParseParamSeesFlagsWithoutTheirPrefixAndTheBaseSetsTheStandardFields) {
    // The process's own command line, quoted by the platform where an argument holds a blank.
    platform::core::config().arguments = {L"/Lxyz", L"-ini:C:\\p.ini", L"/Embedding", L"C:\\Program Files\\a b.grb"};
    RecordingCommandLine info;
    app().ParseCommandLine(info);
    EXPECT_EQ(info.seen, (std::vector<std::string>{"flag Lxyz", "flag ini:C:\\p.ini", "flag Embedding",
                                                   "param C:\\Program Files\\a b.grb (last)"}));
    EXPECT_TRUE(info.m_bRunEmbedded);
    EXPECT_FALSE(info.m_bShowSplash);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen) << "a file name given: open it";
    EXPECT_EQ(info.m_strFileName, L"C:\\Program Files\\a b.grb");
    EXPECT_FALSE(AfxOleGetUserCtrl()) << "an embedding start takes the user out of control";
    AfxOleSetUserCtrl(TRUE);
}

TEST(MfcCommandLine, StandardFlagsSelectTheirShellCommands) {
    EXPECT_EQ(parse(L"").m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_TRUE(parse(L"").m_bShowSplash);
    EXPECT_TRUE(parse(L"/Automation").m_bRunAutomated);
    EXPECT_FALSE(parse(L"/automation").m_bShowSplash) << "OLE switches ignore case";
    EXPECT_EQ(parse(L"/dde").m_nShellCommand, CCommandLineInfo::FileDDE);
    EXPECT_EQ(parse(L"/DDE").m_nShellCommand, CCommandLineInfo::FileNew) << "shell switches are exact";
    EXPECT_EQ(parse(L"/p x.grb").m_nShellCommand, CCommandLineInfo::FilePrint);
    const auto printTo = parse(L"-pt x.grb \"My Printer\" Driver Port");
    EXPECT_EQ(printTo.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(printTo.m_strPrinterName, L"My Printer");
    EXPECT_EQ(printTo.m_strPortName, L"Port");
    EXPECT_EQ(parse(L"/Regserver").m_nShellCommand, CCommandLineInfo::AppRegister);
    EXPECT_EQ(parse(L"/unregister").m_nShellCommand, CCommandLineInfo::AppUnregister);
    const auto swallowedLast = parse(L"a.grb /Lxyz");
    EXPECT_EQ(swallowedLast.m_strFileName, L"a.grb");
    EXPECT_EQ(swallowedLast.m_nShellCommand, CCommandLineInfo::FileNew)
        << "the base never saw the last parameter, so it never turned the file into an open";
    AfxOleSetUserCtrl(TRUE);
}

TEST_F(MfcTest, ShellCommandsOpenOrFailAsTheFrameworkDoes) {
    Strings opened;
    CDocument document;
    app().openDocument = [&](LPCWSTR path) -> CDocument* {
        opened.push_back(path);
        return std::wstring_view(path) == L"C:\\good.grb" ? &document : nullptr;
    };
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::FileOpen;
    info.m_strFileName = L"C:\\good.grb";
    EXPECT_TRUE(app().ProcessShellCommand(info));
    info.m_strFileName = L"C:\\missing.grb";
    EXPECT_FALSE(app().ProcessShellCommand(info)) << "a failed open ends the start";
    EXPECT_EQ(opened, (Strings{L"C:\\good.grb", L"C:\\missing.grb"}));

    info.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(app().ProcessShellCommand(info));
    info.m_nShellCommand = CCommandLineInfo::FileNew;
    EXPECT_FALSE(app().ProcessShellCommand(info)) << "FileNew without a main window fails";

    app().m_nCmdShow = SW_SHOWMAXIMIZED;
    info.m_nShellCommand = CCommandLineInfo::FileDDE;
    EXPECT_TRUE(app().ProcessShellCommand(info));
    EXPECT_EQ(app().m_nCmdShow, SW_HIDE) << "hidden until the DDE command comes";
}

class MfcDdeTest : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        frame_ = new CFrameWnd;
        ASSERT_TRUE(frame_->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW));
        app().m_pMainWnd = frame_;
        app().openDocument = [this](LPCWSTR path) -> CDocument* {
            opened_.push_back(path);
            shownWhenOpened_.push_back(frame_->IsWindowVisible() != FALSE);
            // A path with "missing" in it does not open.
            return std::wstring_view(path).find(L"missing") == std::wstring_view::npos ? &document_ : nullptr;
        };
    }
    BOOL dde(const wchar_t* text) {
        std::wstring buffer = text;
        return app().OnDDECommand(buffer.data());
    }

    CFrameWnd* frame_ = nullptr;
    CDocument document_;
    Strings opened_;
    std::vector<bool> shownWhenOpened_;
};

TEST_F(MfcDdeTest, SeveralOpenCommandsRunInOrderAndRestoreTheShowCommandOfADdeStart) {
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::FileDDE;
    app().m_nCmdShow = SW_SHOWMAXIMIZED;
    app().ProcessShellCommand(info);

    EXPECT_TRUE(dde(L"[open(\"C:\\a.grb\")][open(\"C:\\b.grb\")]"));
    EXPECT_EQ(opened_, (Strings{L"C:\\a.grb", L"C:\\b.grb"}));
    EXPECT_EQ(shownWhenOpened_, (std::vector<bool>{true, true})) << "the window shows before the document opens";
    EXPECT_TRUE(frame_->IsZoomed()) << "the show command of the start applies";
    EXPECT_EQ(app().m_nCmdShow, -1) << "later commands show the window as it is";
    EXPECT_TRUE(AfxOleGetUserCtrl());
    // A command whose document does not open makes the whole text fail, the others still run.
    EXPECT_FALSE(dde(L"[open(\"C:\\missing.grb\")][open(\"C:\\c.grb\")]"));
    EXPECT_EQ(opened_.back(), L"C:\\c.grb");
}

TEST_F(MfcDdeTest, UnknownOrMalformedTextRunsNothing) {
    EXPECT_FALSE(dde(L"[close(\"C:\\a.grb\")]"));
    EXPECT_FALSE(dde(L"[open(\"C:\\a.grb\")][bogus]")) << "one bad part refuses the whole text";
    EXPECT_FALSE(dde(L"[open(\"C:\\a.grb\")"));
    EXPECT_FALSE(dde(L"[open(C:\\a.grb)]"));
    EXPECT_FALSE(dde(L""));
    EXPECT_FALSE(dde(L"[printto(\"C:\\a.grb\",\"P\")]")) << "print-to names printer, driver and port";
    EXPECT_TRUE(opened_.empty());
    EXPECT_FALSE(frame_->IsWindowVisible());

    app().m_nCmdShow = -1;
    EXPECT_TRUE(dde(L" [open(\"C:\\x y.grb\")]\r\n"));
    EXPECT_EQ(opened_, Strings{L"C:\\x y.grb"});
    EXPECT_FALSE(frame_->IsWindowVisible()) << "show command -1 leaves the window as it is";
}

class CDdeClient : public CWnd {
public:
    std::vector<LPARAM> acks;
    afx_msg LRESULT OnAck(WPARAM, LPARAM lParam) {
        acks.push_back(lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDdeClient, CWnd)
    ON_MESSAGE(WM_DDE_ACK, &CDdeClient::OnAck)
END_MESSAGE_MAP()

TEST_F(MfcDdeTest, ExecuteMessageIsAcknowledgedAndRunsOnlyWhileTheFrameIsEnabled) {
    CDdeClient client;
    ASSERT_TRUE(client.CreateEx(0, AfxRegisterWndClass(0), L"client", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
    const std::wstring first = L"[open(\"C:\\first.grb\")]";
    const std::wstring second = L"[open(\"C:\\second.grb\")]";
    const std::wstring missing = L"[open(\"C:\\missing.grb\")]";
    frame_->PostMessage(WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client.m_hWnd), reinterpret_cast<LPARAM>(first.c_str()));
    runUntilIdle();
    frame_->PostMessage(WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client.m_hWnd), reinterpret_cast<LPARAM>(missing.c_str()));
    runUntilIdle();
    frame_->EnableWindow(FALSE);
    frame_->PostMessage(WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client.m_hWnd), reinterpret_cast<LPARAM>(second.c_str()));
    runUntilIdle();
    EXPECT_EQ(opened_, (Strings{L"C:\\first.grb", L"C:\\missing.grb"})) << "a disabled frame drops the command";
    ASSERT_EQ(client.acks.size(), 3u) << "every command is acknowledged";
    // Positively only when it was carried out.
    EXPECT_TRUE(LOWORD(client.acks[0]) & 0x8000);
    EXPECT_FALSE(LOWORD(client.acks[1]) & 0x8000) << "the document did not open";
    EXPECT_FALSE(LOWORD(client.acks[2]) & 0x8000) << "the frame was disabled";
    client.DestroyWindow();
}

TEST_F(MfcTest, MessageBoxesAreOwnedByTheMainWindowUnderTheApplicationName) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    app().m_pMainWnd = frame;
    auto& agent = platform::core::userAgent();
    agent.expectMessageBox(L"Question?", IDNO);
    agent.expectMessageBox(L"Note", IDOK);

    EXPECT_EQ(AfxMessageBox(L"Question?", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox(L"Note"), IDOK);
    const auto requests = agent.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].caption, L"Framework Test");
    EXPECT_EQ(requests[0].owner, frame->m_hWnd);
    EXPECT_EQ(requests[0].type & MB_ICONMASK, MB_ICONQUESTION) << "yes/no boxes get the question icon";
    EXPECT_EQ(requests[1].type & MB_ICONMASK, MB_ICONEXCLAMATION) << "OK boxes get the exclamation icon";
    EXPECT_TRUE(agent.unconsumed().empty());
}

TEST_F(MfcTest, EntryPointRunsExitInstanceWhenInitInstanceFailsAndDestroysTheMainWindow) {
    bool created = false;
    app().initInstance = [&] {
        auto* frame = new CFrameWnd;
        created = frame->Create(nullptr, L"Half started", WS_OVERLAPPEDWINDOW) != FALSE;
        app().m_pMainWnd = frame;
        return FALSE;
    };
    EXPECT_EQ(AfxWinMain(0, nullptr), 0);
    EXPECT_TRUE(created);
    EXPECT_EQ(app().exitInstanceCalls, 1);
    EXPECT_EQ(app().m_pMainWnd, nullptr) << "the main window was destroyed";
}

TEST_F(MfcTest, EntryPointWithoutAMainWindowQuitsAtOnce) {
    EXPECT_EQ(AfxWinMain(0, nullptr), 0);
    EXPECT_EQ(app().exitInstanceCalls, 1);
    EXPECT_STREQ(AfxGetAppName(), L"Framework Test");
    EXPECT_STREQ(app().m_pszExeName, L"Korvo");
    EXPECT_STREQ(app().m_pszProfileName, L"Korvo.INI");
}

TEST_F(MfcTest, WaitCursorDepthFollowsBeginAndEnd) {
    {
        CWaitCursor outer;
        app().BeginWaitCursor();
        EXPECT_EQ(platform::mfc::waitCursorDepth(), 2);
        app().EndWaitCursor();
    }
    EXPECT_EQ(platform::mfc::waitCursorDepth(), 0);
    app().EndWaitCursor();
    EXPECT_EQ(platform::mfc::waitCursorDepth(), 0) << "an unbalanced end does not go negative";
}

}  // namespace
