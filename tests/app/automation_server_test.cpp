// The automation object "KVW32.SERVER" as a client program uses it: documents opened, read,
// enumerated, found and closed; pictures; remembered folders; link updates; versions; the
// argument checks of the dispatch map; and a quit that ends the program once.
#include "app/automation/kv_server_paths.h"
#include "platform/kvgc/picture_codec.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using Answer = Automation::Answer;

const std::wstring kSamples = L"C:\\Users\\user\\Documents\\Samples";
const std::wstring kBracket = kSamples + L"\\Bracket.grb";
const std::wstring kCover = kSamples + L"\\Cover plate.grb";

DispatchValue Text(const std::wstring& text) { return DispatchValue::String(text.c_str()); }
DispatchValue Number(LONG value) { return DispatchValue::Long(value); }

class AutomationServer : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        server = s.automation().create(L"KVW32.SERVER");
    }
    Answer Call(std::wstring_view name, std::vector<DispatchValue> arguments = {}) {
        return s.automation().call(server, name, std::move(arguments));
    }
    Answer Call(Automation::ObjectId object, std::wstring_view name) { return s.automation().call(object, name, {}); }
    static std::wstring TextOf(const Answer& answer) {
        EXPECT_EQ(answer.hr, S_OK);
        return answer.value.text ? answer.value.text->str() : L"<null>";
    }
    static LONG NumberOf(const Answer& answer) {
        EXPECT_EQ(answer.hr, S_OK);
        return answer.value.number;
    }
    Automation::ObjectId Open(const std::wstring& path) {
        const Answer opened = Call(L"OpenFile", {Text(path)});
        EXPECT_TRUE(opened.object.has_value()) << apptest::Utf8(path);
        return opened.object.value_or(0);
    }

    Session s;
    Automation::ObjectId server = 0;
};

TEST_F(AutomationServer, AClientOpensADocumentReadsItsPropertiesAndQuitsOnce) {
    EXPECT_EQ(s.automation().lockCount(), 1);
    const Automation::ObjectId document = Open(kBracket);
    EXPECT_EQ(TextOf(Call(document, L"FullName")), kBracket);
    EXPECT_EQ(TextOf(Call(document, L"Name")), L"Bracket.grb");
    EXPECT_EQ(NumberOf(Call(document, L"ReadOnly")), 0);
    EXPECT_EQ(NumberOf(Call(document, L"Modified")), 0);
    EXPECT_EQ(s.kernel().openedDocuments(), std::vector<std::wstring>{kBracket});

    // Quit answers first; the loop then ends the program, running the shutdown once.
    EXPECT_EQ(NumberOf(Call(L"Quit")), 0);
    EXPECT_FALSE(s.running());
    EXPECT_EQ(NumberOf(Call(L"Quit")), 0);  // a second request changes nothing
    const auto lines = apptest::Lines(s);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::wstring& line) { return line.rfind(L"program exit", 0) == 0; }), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::wstring& line) { return line.find(L"box ") == 0; }), 0);
    EXPECT_EQ(s.quit(), 0);
    EXPECT_TRUE(s.automation().release(server));
    EXPECT_EQ(s.automation().lockCount(), 0);
}

TEST_F(AutomationServer, AHeldObjectKeepsTheClosedProgramAliveHiddenAndItsReleaseEndsIt) {
    const Automation::ObjectId document = Open(kBracket);
    const HWND frame = s.inspect().activeMainFrame();
    ASSERT_NE(frame, nullptr);
    // The user closes the program while the client holds its objects: it goes on, hidden.
    s.user().close(frame);
    s.runUntilIdle();
    EXPECT_TRUE(s.running());
    EXPECT_FALSE(::IsWindowVisible(frame));
    EXPECT_TRUE(s.automation().release(document));
    s.runUntilIdle();
    EXPECT_TRUE(s.running()) << "the client still holds the server object";
    // The last release ends the program, without asking anything.
    EXPECT_TRUE(s.automation().release(server));
    s.runUntilIdle();
    EXPECT_FALSE(s.running());
    EXPECT_EQ(s.quit(), 0);
    EXPECT_EQ(s.automation().lockCount(), 0);
}

TEST_F(AutomationServer, EnumerationsVisitEveryDocumentOnceInOpeningOrder) {
    short position = 5;
    EXPECT_EQ(TextOf(Call(L"GetFirstFile", {DispatchValue::ShortRef(&position)})), L"");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(TextOf(Call(L"GetFirstFileEx")), L"");

    Open(kBracket);
    Open(kCover);
    std::vector<std::wstring> visited{TextOf(Call(L"GetFirstFile", {DispatchValue::ShortRef(&position)}))};
    EXPECT_EQ(position, 0);
    for (int guard = 0; guard < 5 && position != -1; ++guard) {
        visited.push_back(TextOf(Call(L"GetNextFile", {DispatchValue::ShortRef(&position)})));
    }
    EXPECT_EQ(visited, (std::vector<std::wstring>{kBracket, kCover, L""}));
    EXPECT_EQ(position, -1);
    // Every index is greater than a negative position: the enumeration starts over.
    for (short before : {short{-1}, short{-7}}) {
        position = before;
        EXPECT_EQ(TextOf(Call(L"GetNextFile", {DispatchValue::ShortRef(&position)})), kBracket) << before;
        EXPECT_EQ(position, 0);
    }

    EXPECT_EQ(TextOf(Call(L"GetFirstFileEx")), kBracket);
    EXPECT_EQ(TextOf(Call(L"GetNextFileEx")), kCover);
    EXPECT_EQ(TextOf(Call(L"GetNextFileEx")), L"");
    EXPECT_EQ(TextOf(Call(L"GetNextFileEx")), L"");
    // The position stays at the end of the list as it was; documents opened since come after it.
    for (const wchar_t* path : {L"C:\\Work\\third.grb", L"C:\\Work\\fourth.grb"}) {
        s.kernel().writeDocumentFile(path);
        Open(path);
    }
    EXPECT_EQ(TextOf(Call(L"GetNextFileEx")), L"C:\\Work\\fourth.grb");
}

TEST_F(AutomationServer, FindFileIgnoresLetterCaseCloseFileDoesNot) {
    const Automation::ObjectId document = Open(kBracket);
    std::wstring otherCase = kBracket;
    for (wchar_t& c : otherCase) c = static_cast<wchar_t>(std::towupper(c));
    const Answer found = Call(L"FindFile", {Text(otherCase)});
    ASSERT_TRUE(found.object.has_value());
    EXPECT_EQ(TextOf(Call(*found.object, L"FullName")), kBracket);
    EXPECT_FALSE(Call(L"FindFile", {Text(kCover)}).object.has_value());

    EXPECT_EQ(NumberOf(Call(L"CloseFile", {Text(otherCase)})), 0);
    EXPECT_EQ(NumberOf(Call(L"CloseFile", {Text(kBracket)})), 1);
    EXPECT_TRUE(s.kernel().openedDocuments().empty());
    // The client's reference to the closed document is disconnected, not dangling.
    EXPECT_EQ(Call(document, L"FullName").hr, RPC_E_DISCONNECTED);
}

TEST_F(AutomationServer, OpenFileExOpensReadOnlyAndPlaceNamesResolve) {
    const Answer opened = Call(L"OpenFileEx", {Text(kBracket), Number(1), Number(0)});
    ASSERT_TRUE(opened.object.has_value());
    EXPECT_EQ(NumberOf(Call(*opened.object, L"ReadOnly")), 1);
    // "<@name>" stays inside the program's profiles folder.
    EXPECT_FALSE(Call(L"OpenFile", {Text(L"<@..\\..>Users\\user\\Documents\\Samples\\Cover plate.grb")}).object);
    EXPECT_FALSE(Call(L"OpenFile", {Text(L"<Nowhere>")}).object);
    EXPECT_EQ(s.kernel().openedDocuments().size(), 1u);
}

TEST_F(AutomationServer, SetCurrentFolderStoresTheFolderForEachDialogBit) {
    EXPECT_EQ(NumberOf(Call(L"SetCurrentFolder", {Text(L"C:\\Work"), Number(0x40001)})), 1);
    EXPECT_EQ(s.kernel().rememberedFolder(L"DialogOpen"), L"C:\\Work");
    EXPECT_EQ(s.kernel().rememberedFolder(L"DialogBOMTextReport"), L"");
    EXPECT_EQ(NumberOf(Call(L"SetCurrentFolder", {Text(L"C:\\Lib"), Number(0x30000)})), 1);
    EXPECT_EQ(s.kernel().rememberedFolder(L"DialogOpenLibraries"), L"C:\\Lib");
    EXPECT_EQ(s.kernel().rememberedFolder(L"DialogSaveLibraries"), L"C:\\Lib");
    EXPECT_EQ(NumberOf(Call(L"SetCurrentFolder", {Text(L"C:\\Else"), Number(0x40000)})), 0);
}

TEST_F(AutomationServer, AutomaticLinkUpdateReportsTheStateItFound) {
    EXPECT_EQ(NumberOf(Call(L"SetAutomaticLinkUpdate", {Number(0)})), 1);
    EXPECT_EQ(s.kernel().linkUpdateSuppression(), std::make_pair(1, 1));
    EXPECT_EQ(NumberOf(Call(L"SetAutomaticLinkUpdate", {Number(1)})), 0);
    EXPECT_EQ(s.kernel().linkUpdateSuppression(), std::make_pair(0, 0));
    EXPECT_EQ(NumberOf(Call(L"SetAutomaticLinkUpdate", {Number(1)})), 1);
    // Only 0 turns the update off.
    EXPECT_EQ(NumberOf(Call(L"SetAutomaticLinkUpdate", {Number(-1)})), 1);
    EXPECT_EQ(s.kernel().linkUpdateSuppression(), std::make_pair(0, 0));
}

TEST_F(AutomationServer, PicturesComeFromTheDocumentsStreamsAndIconSizesAreChecked) {
    const std::wstring pictured = L"C:\\Work\\pictured.grb";
    s.kernel().writeDocumentFileWithPictures(pictured, {320, 200}, {32, 32});
    EXPECT_EQ(NumberOf(Call(L"GetPreview", {Text(pictured)})), 1);
    EXPECT_EQ(NumberOf(Call(L"GetIcon", {Text(pictured)})), 1);
    EXPECT_EQ(NumberOf(Call(L"GetPreview", {Text(kBracket)})), 0);  // no preview stream
    EXPECT_EQ(NumberOf(Call(L"ReleasePreview")), 0);
    EXPECT_EQ(NumberOf(Call(L"ReleaseIcon")), 0);

    const std::wstring bitmap = L"C:\\Work\\icon.bmp";
    for (auto [width, height] : {std::pair{0, 32}, {32, -1}, {1025, 32}, {32, 4096}}) {
        EXPECT_EQ(NumberOf(Call(L"ExtractFileIcon", {Text(pictured), Text(bitmap), Number(width), Number(height), Number(0)})), 0)
            << width << "x" << height;
    }
    EXPECT_FALSE(s.files().exists(bitmap));
    EXPECT_EQ(NumberOf(Call(L"ExtractFileIcon", {Text(pictured), Text(bitmap), Number(48), Number(1024), Number(0)})), 1);
    const auto bytes = s.files().read(bitmap);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->substr(0, 2), "BM");
    // The document's icon drawn at that size: its blue upper half and orange lower half.
    const auto saved = platform::kvgc::decodePicture(*bytes, L".bmp");
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(std::pair(saved->width, saved->height), std::pair(48, 1024));
    EXPECT_EQ(saved->pixels.front() & 0xFFFFFF, 0x2050C0u);
    EXPECT_EQ(saved->pixels.back() & 0xFFFFFF, 0xE08020u);
    // Any name gets a bitmap file.
    const std::wstring unnamed = L"C:\\Work\\icon";
    EXPECT_EQ(NumberOf(Call(L"ExtractFileIcon", {Text(pictured), Text(unnamed), Number(16), Number(16), Number(0)})), 1);
    EXPECT_EQ(s.files().read(unnamed).value_or("").substr(0, 2), "BM");
    EXPECT_EQ(NumberOf(Call(L"ExtractFileIcon", {Text(kBracket), Text(bitmap), Number(32), Number(32), Number(0)})), 0);
}

TEST_F(AutomationServer, VersionsAndFixedAnswers) {
    EXPECT_EQ(NumberOf(Call(L"GetVersion")), 1800);
    EXPECT_EQ(NumberOf(Call(L"GetVersionInfo")), 1);
    for (auto [kind, type] : {std::pair{1, 4}, {2, 3}, {0, 0}}) {
        s.kernel().set3DModuleKind(kind);
        EXPECT_EQ(NumberOf(Call(L"GetVersionType")), type) << kind;
    }
    EXPECT_EQ(NumberOf(Call(L"CreateLibraryFile", {Text(L"a"), Text(L"b")})), 0);
    EXPECT_EQ(NumberOf(Call(L"DrawIcon", {Number(0), Number(0), Number(0), Number(0), Number(0), Number(0)})), 0);
    EXPECT_FALSE(Call(L"Import", {Number(1), Text(kBracket), Number(0)}).object);
    EXPECT_EQ(NumberOf(Call(L"GetLibraryCount")), 0);
    EXPECT_FALSE(Call(L"GetLibraryName", {Number(0)}).value.text.has_value());
    EXPECT_EQ(NumberOf(Call(L"CloseLibraryConfiguration")), 0);
}

TEST_F(AutomationServer, TheActiveConfigurationsLibrariesByIndexAndName) {
    s.files().write(L"C:\\Lib\\Std\\keep.txt", "x");
    DocumentsMenu::IConfiguration* configuration =
        s.kernel().documentsMenu().addConfiguration(L"C:\\Lib\\Main.tws", L"Main");
    ASSERT_NE(configuration, nullptr);
    s.kernel().documentsMenu().addLibrary(configuration, L"Std", L"C:\\Lib\\Std");
    configuration->SetActive(true);
    EXPECT_EQ(NumberOf(Call(L"GetLibraryCount")), 1);
    EXPECT_EQ(TextOf(Call(L"GetLibraryName", {Number(0)})), L"Std");
    EXPECT_EQ(TextOf(Call(L"GetLibraryPath", {Number(0)})), L"C:\\Lib\\Std\\");
    EXPECT_FALSE(Call(L"GetLibraryPath", {Number(1)}).value.text.has_value());
    EXPECT_EQ(NumberOf(Call(L"SetLibraryPath", {Text(L"Std"), Text(L"C:\\Missing")})), 0);
    EXPECT_EQ(NumberOf(Call(L"SetLibraryPath", {Text(L"Other"), Text(L"C:\\Lib")})), 0);

    // "<Std>" names the library's folder; the client's text follows it as written.
    s.kernel().writeDocumentFile(L"C:\\Lib\\Std\\part.grb");
    const Answer opened = Call(L"OpenFile", {Text(L"<Std>part.grb")});
    ASSERT_TRUE(opened.object.has_value());
    EXPECT_EQ(TextOf(Call(*opened.object, L"FullName")), L"C:\\Lib\\Std\\part.grb");
}

TEST_F(AutomationServer, OpenLibraryConfigurationActivatesOrAsksAndNeverMakesAnEmptyFile) {
    DocumentsMenu::IConfiguration* configuration =
        s.kernel().documentsMenu().addConfiguration(L"C:\\Lib\\Main.tws", L"Main");
    ASSERT_NE(configuration, nullptr);
    EXPECT_FALSE(configuration->IsActive());
    EXPECT_EQ(NumberOf(Call(L"OpenLibraryConfiguration", {Text(L"C:\\Lib\\Main.tws")})), 1);
    EXPECT_TRUE(configuration->IsActive());
    EXPECT_EQ(NumberOf(Call(L"SaveLibraryConfiguration")), 1);

    // A path that names no file asks the user; cancelling, or naming a file that is not there,
    // opens nothing and writes nothing.
    s.user().expectFileCancel();
    EXPECT_EQ(NumberOf(Call(L"OpenLibraryConfiguration", {Text(L"C:\\Lib\\Other.tws")})), 0);
    s.user().expectFileChoose(L"C:\\Lib\\New.tws");
    EXPECT_EQ(NumberOf(Call(L"OpenLibraryConfiguration", {Text(L"C:\\Lib\\Other.tws")})), 0);
    EXPECT_FALSE(s.files().exists(L"C:\\Lib\\New.tws"));

    EXPECT_EQ(NumberOf(Call(L"CloseLibraryConfiguration")), 1);
    EXPECT_EQ(NumberOf(Call(L"GetLibraryCount")), 0);
}

TEST_F(AutomationServer, TheDispatchMapChecksNamesCountsAndTypes) {
    EXPECT_EQ(Call(L"NoSuchMethod").hr, DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Call(L"getversion").hr, S_OK);  // names ignore case, as IDispatch's do
    EXPECT_EQ(Call(L"OpenFile").hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(L"OpenFile", {Number(3)}).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(L"ShowApplication", {Text(L"1")}).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(L"ShowApplication", {Number(70000)}).hr, DISP_E_OVERFLOW);
    short position = 0;
    EXPECT_EQ(Call(L"GetFirstFile", {Number(0)}).hr, DISP_E_TYPEMISMATCH);  // needs a reference
    EXPECT_EQ(Call(L"GetFirstFile", {DispatchValue::ShortRef(&position)}).hr, S_OK);
    EXPECT_EQ(SysStringsOutstanding(), 0u);
}

TEST_F(AutomationServer, ShowApplicationAnswersThePreviousShowCommand) {
    EXPECT_EQ(NumberOf(Call(L"ShowApplication", {Number(SW_SHOWMAXIMIZED)})), SW_SHOWNORMAL);
    EXPECT_EQ(NumberOf(Call(L"ShowApplication", {Number(SW_SHOWNORMAL)})), SW_SHOWMAXIMIZED);
    EXPECT_EQ(NumberOf(Call(L"ProcessCommand", {Number(1104)})), 1);
}

// ---- Place names in client paths --------------------------------------------------------------------

CString Folder(const CString& name) { return name == L"Std" ? CString(L"D:\\Lib") : CString(); }

TEST(AutomationPaths, PlaceNamesResolveAsWritten) {
    const CString program = L"C:\\Program";
    struct Row {
        const wchar_t* path;
        const wchar_t* resolved;
    };
    for (const Row& row : {Row{L"C:\\a.grb", L"C:\\a.grb"},
                           Row{L"<Std>\\parts\\a.grb", L"D:\\Lib\\parts\\a.grb"},
                           Row{L"<Std>a.grb", L"D:\\Liba.grb"},
                           Row{L"X:<Std>\\a.grb", L"X:D:\\Lib\\a.grb"},
                           Row{L"<Unknown>\\a.grb", L"\\a.grb"},
                           Row{L"<Std>", L""},
                           Row{L"a>b<c", L"a>b<c"},
                           Row{L"<@cfg>a.ini", L"C:\\Program\\profiles\\cfg\\a.ini"},
                           Row{L"<@..>a.ini", L""},
                           Row{L"<@cfg\\..\\..>a.ini", L""},
                           Row{L"<@c/d>a.ini", L""}}) {
        EXPECT_EQ(ResolveAutomationPath(row.path, &Folder, program), CString(row.resolved)) << apptest::Utf8(row.path);
    }
}

}  // namespace
