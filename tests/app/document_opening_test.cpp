// Every way of opening a document ends in one opener: native documents open in a child frame and
// head the recent-file list; files that do not open are reported in one of six messages, and an
// entry of the recent-file list that failed may be removed; foreign files are imported.
#include "tests/app/document_test_support.h"

#include "app/kvw32_app.h"
#include "app/documents/recent_file_list.h"
#include "platform/kernel/services/pdm_control.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

const std::wstring kRecent = apptest::section(L"Recent File List");
using apptest::kFileOpen;
constexpr unsigned kFirstRecentFile = 0xE110;
constexpr const wchar_t* kUnknownFormat = L"The file is of a format that cannot be opened.";

class DocumentOpening : public apptest::DocumentSessionTest {};

TEST_F(DocumentOpening, ASampleDocumentOpensInAChildFrameAndHeadsTheRecentList) {
    Session s;
    Start(s);
    const std::wstring path = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
    Open(s, path);
    EXPECT_EQ(s.kernel().openedDocuments(), std::vector<std::wstring>{path});
    const std::wstring documents = s.inspect().dumpDocuments();
    EXPECT_NE(documents.find(L"\"Bracket.grb\" \"" + path + L"\" unmodified writable editing-blocked holds 0 frame 0x"),
              std::wstring::npos)
        << apptest::Utf8(documents);
    EXPECT_EQ(s.registry().getString(apptest::kUser, kRecent, L"File1"), path);
    // It is the document the panes show now.
    EXPECT_EQ(CKvw32App::Instance()->GetCurrentDocument(), Korvo::DocumentManager::Instance().FindDocument(path.c_str()));
    // Opening it again brings the open document forward instead of a second one.
    Open(s, path);
    EXPECT_EQ(s.kernel().openedDocuments().size(), 1u);
}

TEST_F(DocumentOpening, TheDocumentWhoseWindowIsActivatedBecomesCurrent) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\b.grb");
    Start(s);
    CDocument* a = Open(s, L"C:\\Work\\a.grb");
    CDocument* b = Open(s, L"C:\\Work\\b.grb");
    ASSERT_TRUE(a && b);
    CKvw32App* app = CKvw32App::Instance();
    EXPECT_EQ(app->GetCurrentDocument(), b);
    s.user().clickTab(frame_, 1);
    s.runUntilIdle();
    EXPECT_EQ(app->GetCurrentDocument(), a);
    s.user().clickTab(frame_, 2);
    s.runUntilIdle();
    EXPECT_EQ(app->GetCurrentDocument(), b);
}

TEST_F(DocumentOpening, EveryFailureOutsideTheRecentListHasItsMessage) {
    Session s;
    s.files().write(L"C:\\Work\\denied.grb", "x");
    s.faults().denyFileRead(L"C:\\Work\\denied.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\damaged.grb");
    s.faults().failStorageRead(L"C:\\Work\\damaged.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\headless.dat", 1, {}, false);
    s.files().write(L"C:\\Work\\drawing.dwg", "AC1032");
    Start(s);
    const struct {
        const wchar_t* path;
        const wchar_t* message;
    } cases[] = {
        {L"C:\\Work\\missing.grb", L"Файл не найден"},  // the file is missing
        {L"C:\\Nowhere\\x.grb", L"Файл не найден"},     // its folder is missing
        {L"C:\\Work\\denied.grb", L"Доступ запрещён"},
        {L"C:\\Work\\damaged.grb", L"Ошибка ввода-вывода"},
        {L"C:\\Work\\headless.dat", kUnknownFormat},  // a compound file without a document header
        {L"C:\\Work\\drawing.dwg", kUnknownFormat},   // no compound file at all
    };
    for (const auto& c : cases) {
        s.user().expectBox(c.message, [&](const BoxRequest& box) {
            EXPECT_EQ(box.type, MB_ICONEXCLAMATION) << apptest::Utf8(c.path);
            return Button::Ok;
        });
        Open(s, c.path);
    }
    EXPECT_TRUE(s.kernel().openedDocuments().empty());
    // The unknown formats went to the 3D kernel's import, then to the add-on applications.
    EXPECT_TRUE(Contains(calls(s), L"CKVCom_Is3D::ImportFile(\"C:\\Work\\drawing.dwg\", 1)"));
    EXPECT_TRUE(Contains(calls(s), L"ApplicationManager::OpenDocument(\"C:\\Work\\drawing.dwg\")"));
}

TEST_F(DocumentOpening, FailedRecentEntriesOfferRemoval) {
    Session s;
    s.registry().setString(apptest::kUser, kRecent, L"File1", L"C:\\Work\\gone.grb");
    s.registry().setString(apptest::kUser, kRecent, L"File2", L"C:\\Work\\also gone.grb");
    s.registry().setString(apptest::kUser, kRecent, L"File3", L"C:\\Work\\odd.dwg");
    s.files().write(L"C:\\Work\\odd.dwg", "AC1032");
    s.kernel().writeDocumentFile(L"C:\\Work\\fine.grb");
    Start(s);
    CKVRecentFileList* list = CKvw32App::Instance()->GetRecentFileList();
    ASSERT_NE(list, nullptr);

    // In a recent-file command, "No" keeps the entry from the command's own removal ...
    s.user().expectBox(L"Файл не найден. Удалить его из списка последних файлов?", [](const BoxRequest& box) {
        EXPECT_EQ(box.type, MB_ICONEXCLAMATION | MB_YESNO);
        return Button::No;
    });
    s.user().command(frame_, kFirstRecentFile);
    s.runUntilIdle();
    EXPECT_EQ((*list)[0], L"C:\\Work\\gone.grb");
    // ... and the list is not left frozen: a later open still heads it.
    Open(s, L"C:\\Work\\fine.grb");
    EXPECT_EQ((*list)[0], L"C:\\Work\\fine.grb");
    EXPECT_EQ(s.registry().getString(apptest::kUser, kRecent, L"File1"), L"C:\\Work\\fine.grb");

    // "Yes" removes it, from a recent-file command or from File Open.
    s.user().expectBox(L"Файл не найден. Удалить его из списка последних файлов?", Button::Yes);
    s.user().command(frame_, kFirstRecentFile + 1);
    s.runUntilIdle();
    EXPECT_FALSE(list->Contains(L"C:\\Work\\gone.grb"));
    s.user().expectBox(L"Файл не найден. Удалить его из списка последних файлов?", Button::Yes);
    Open(s, L"C:\\work\\ALSO GONE.grb");
    EXPECT_FALSE(list->Contains(L"C:\\Work\\also gone.grb"));
    // Outside a recent-file command "No" changes nothing.
    s.user().expectBox(L"Формат не поддерживается. Удалить файл из списка последних файлов?", Button::No);
    Open(s, L"C:\\Work\\odd.dwg");
    EXPECT_TRUE(list->Contains(L"C:\\Work\\odd.dwg"));
    const auto entries = s.registry().dump();
    EXPECT_EQ(entries.find(L"gone.grb"), std::wstring::npos) << apptest::Utf8(entries);
}

TEST_F(DocumentOpening, ImagesGoToThePictureReaderAndFragmentIndexesOpenNothingAndSayNothing) {
    Session s;
    s.files().write(L"C:\\Work\\picture.PNG", "png");
    s.files().write(L"C:\\Work\\index.gri", "gri");
    Start(s);
    // No picture in the bytes: the picture reader says so as the document readers do.
    s.user().expectBox(kUnknownFormat, Button::Ok);
    Open(s, L"C:\\Work\\picture.PNG");
    Open(s, L"C:\\Work\\index.gri");
    EXPECT_FALSE(Contains(calls(s), L"ReadDocumentFileInfo"));
    // Only the listed extensions are images.
    s.user().expectBox(L"Файл не найден", Button::Ok);
    Open(s, L"C:\\Work\\picture.jpe");
    EXPECT_TRUE(Contains(calls(s), L"ReadDocumentFileInfo(\"C:\\Work\\picture.jpe\")"));
}

TEST_F(DocumentOpening, AWorkSessionFileNobodyClaimsIsImportedIntoANewDocumentAndKept) {
    Session s;
    s.files().write(L"C:\\Work\\session.grb", "a work session of another program");
    s.kernel().setDocumentImportSucceeds(true);
    Start(s);
    Open(s, L"C:\\Work\\session.grb");
    const auto lines = calls(s);
    apptest::ExpectInOrder(lines, {L"Korvo::DocumentManager::CreateNewDocument(\"C:\\Program Files\\Velmora\\Korvo CAD "
                                   L"18.0\\Prototypes\\Drawing.grb\")",
                                   L"\"C:\\Work\\session.grb\", 1)"});
    EXPECT_TRUE(Contains(lines, L"CKvw32Doc::Import("));
    ASSERT_EQ(s.kernel().documentTitles().size(), 1u);
    EXPECT_TRUE(s.files().exists(L"C:\\Work\\session.grb"));
}

TEST_F(DocumentOpening, ForeignFormatsGoToTheThreeDImportThenToTheAddOns) {
    Session s;
    s.files().write(L"C:\\Work\\model.step", "ISO-10303-21;");
    s.files().write(L"C:\\Work\\model.iges", "IGES");
    s.files().write(L"C:\\Work\\table.xls", "XLS");
    Start(s);

    s.kernel().set3DImport(Kernel::Import3D::DocumentWithoutView);
    Open(s, L"C:\\Work\\model.step");
    auto* withoutView = dynamic_cast<CKvw32Doc*>(Korvo::DocumentManager::Instance().GetDocuments().back());
    ASSERT_NE(withoutView, nullptr);
    EXPECT_TRUE(withoutView->IsFlagSet(0x200000000000ULL));  // the kernel fits it to its view later
    EXPECT_TRUE(withoutView->IsEditingBlocked());

    s.kernel().set3DImport(Kernel::Import3D::Nothing);
    s.kernel().setAddOnOpensFiles(true);
    Open(s, L"C:\\Work\\table.xls");
    EXPECT_EQ(s.kernel().documentTitles().back(), L"table.xls");
    EXPECT_EQ(s.kernel().documentTitles().size(), 2u);
}

TEST_F(DocumentOpening, FilesOfTheWorkMixOpenWithTheirPdmContext) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Pdm\\managed.grb");
    s.kernel().writeDocumentFile(L"C:\\Pdm\\held.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\plain.grb");
    s.files().write(L"C:\\Work\\session.grb", "a work session of another program");
    s.kernel().setPdmConnected(true);
    s.kernel().pdmManageFile(L"C:\\Pdm\\managed.grb", false, true);
    s.kernel().pdmManageFile(L"C:\\Pdm\\held.grb", true);
    s.kernel().pdmHoldBack(L"C:\\Pdm\\held.grb");
    GetSettings().files.pdmLocalFiles = 1;
    Start(s);

    ASSERT_NE(Open(s, L"C:\\Pdm\\managed.grb"), nullptr);
    apptest::ExpectInOrder(calls(s), {L"UIModuleProxy::NotifyRecentPath(\"C:\\Pdm\\managed.grb\")",
                                      L"Korvo::UI::ImageManager::RemoveIcon(\"C:\\Pdm\\managed.grb\")",
                                      L"KVPDMWorkMix::ResetCacheFor(\"C:\\Pdm\\managed.grb\")",
                                      L"KVPDMWorkMix::FindFile(\"C:\\Pdm\\managed.grb\")",
                                      L"KVPDMItem::Update(\"C:\\Pdm\\managed.grb\", true, true)",
                                      L"ReadDocumentFileInfo(\"C:\\Pdm\\managed.grb\")",
                                      L"KVPDMWorkMix::CanOpenFileFromWorkmix(\"C:\\Pdm\\managed.grb\", \"C:\\Pdm\\managed.grb\")",
                                      L"Korvo::DocumentManager::Open(\"C:\\Pdm\\managed.grb\", visible 1, frame 1, recent 1, pdm true)"});
    // A file the work mix does not manage opens without a context.
    ASSERT_NE(Open(s, L"C:\\Work\\plain.grb"), nullptr);
    EXPECT_TRUE(Contains(calls(s), L"KVPDMWorkMix::CanOpenFileFromWorkmix(\"C:\\Work\\plain.grb\", no context)"));
    EXPECT_TRUE(Contains(calls(s), L"Korvo::DocumentManager::Open(\"C:\\Work\\plain.grb\", visible 1, frame 1, recent 1, pdm false)"));
    // What the PDM system holds back does not open, and it says why itself.
    EXPECT_EQ(Open(s, L"C:\\Pdm\\held.grb"), nullptr);
    EXPECT_FALSE(Contains(calls(s), L"Korvo::DocumentManager::Open(\"C:\\Pdm\\held.grb\""));
    EXPECT_TRUE(s.journal().texts("box").empty());
    // A work-session file the PDM system does not claim is imported into a new document; the
    // file stays.
    Open(s, L"C:\\Work\\session.grb");
    EXPECT_TRUE(Contains(calls(s), L"Korvo::DocumentManager::CreateNewDocument("));
    EXPECT_TRUE(s.files().exists(L"C:\\Work\\session.grb"));
}

// A work-session file the PDM system hands over opens the session's documents, or the documents
// its nomenclature names together (each with the file's context), or a document made from it.
TEST_F(DocumentOpening, WorkSessionFilesOfThePdmSystemOpenWhatTheyStandFor) {
    Session s;
    const std::wstring temporary = L"C:\\Users\\user\\AppData\\Local\\Temp\\";
    for (const wchar_t* name : {L"a.grb", L"b.grb", L"c.grb"}) s.kernel().writeDocumentFile(std::wstring(L"C:\\Pdm\\") + name);
    for (const wchar_t* name : {L"session.grs", L"named.grb", L"lone.grb"}) s.files().write(temporary + name, "PDM data");
    s.files().write(L"C:\\Work\\foreign.grb", "a work session of another program");
    s.kernel().setPdmConnected(true);
    auto& pdm = platform::kernel::pdmControl();
    pdm.workSessions[temporary + L"session.grs"] = {L"Gearbox", {L"C:\\Pdm\\a.grb", L"C:\\Pdm\\b.grb"}};
    pdm.nomenclature[temporary + L"named.grb"] = {L"C:\\Pdm\\c.grb"};
    pdm.nomenclature[temporary + L"lone.grb"] = {};
    Start(s);

    Open(s, temporary + L"session.grs");
    apptest::ExpectInOrder(calls(s), {L"KVPDMWorkMix::GetOpeningContext(\"" + temporary + L"session.grs\")",
                                      L"KVPDMWorkSessionContext::LoadRemainingData(",
                                      L"KVPDMWorkSessionContext::ResetWorkObjectItem(",
                                      L"Korvo::CancellableTask begins",
                                      L"Korvo::DocumentManager::Open(\"C:\\Pdm\\a.grb\"",
                                      L"Korvo::DocumentManager::Open(\"C:\\Pdm\\b.grb\"",
                                      L"Korvo::CancellableTask ends",
                                      L"Korvo::DocumentManager::ActivateFirstFrame(\"b.grb\")"});
    EXPECT_EQ(s.kernel().openedDocuments(), (std::vector<std::wstring>{L"C:\\Pdm\\a.grb", L"C:\\Pdm\\b.grb"}));
    EXPECT_FALSE(s.files().exists(temporary + L"session.grs")) << "the PDM system's temporary file goes";
    EXPECT_FALSE(Contains(calls(s), L"Korvo::DocumentManager::CreateNewDocument("));

    Open(s, temporary + L"named.grb");
    EXPECT_TRUE(Contains(calls(s), L"Korvo::DocumentManager::OpenInBatch(\"C:\\Pdm\\c.grb\", \"" + temporary + L"named.grb\", "));
    EXPECT_EQ(s.kernel().openedDocuments().size(), 3u);

    Open(s, temporary + L"lone.grb");
    EXPECT_TRUE(Contains(calls(s), L"Korvo::DocumentManager::CreateFromNomenclature(\"" + temporary + L"lone.grb\", read-only 0"));
    auto* made = dynamic_cast<CKvw32Doc*>(CKvw32App::Instance()->GetCurrentDocument());
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsReadOnly()) << "this edition makes it read-only";
    EXPECT_TRUE(made->IsFlagSet(0x8000000000ULL));

    // A file the PDM system does not know is imported into a new document; it stays.
    Open(s, L"C:\\Work\\foreign.grb");
    EXPECT_TRUE(Contains(calls(s), L"Korvo::DocumentManager::CreateNewDocument("));
    EXPECT_TRUE(s.files().exists(L"C:\\Work\\foreign.grb"));
    EXPECT_TRUE(s.journal().texts("box").empty());
}

TEST_F(DocumentOpening, APdmErrorIsShownAndTheFileOpensAsIfUnmanaged) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Pdm\\managed.grb");
    s.kernel().setPdmConnected(true);
    s.kernel().pdmManageFile(L"C:\\Pdm\\managed.grb", false);
    Start(s);
    s.kernel().pdmFailCall(L"FindFile");
    s.user().expectBox(L"The PDM system did not answer: FindFile", [](const BoxRequest& box) {
        EXPECT_EQ(box.type, MB_ICONSTOP);
        return Button::Ok;
    });
    ASSERT_NE(Open(s, L"C:\\Pdm\\managed.grb"), nullptr);
    EXPECT_TRUE(Contains(calls(s), L"Korvo::DocumentManager::Open(\"C:\\Pdm\\managed.grb\", visible 1, frame 1, recent 1, pdm false)"));
}

TEST_F(DocumentOpening, AFailureTheKernelReportsItselfShowsNoSecondMessage) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.faults().failDocumentOpen(L"C:\\Work\\a.grb", false);
    s.kernel().setKernelReportsLoadFailures(true);
    Start(s);
    Open(s, L"C:\\Work\\a.grb");
    EXPECT_TRUE(s.journal().texts("box").empty());
}

TEST_F(DocumentOpening, CancellingTheFileChooserOpensNothing) {
    Session s;
    Start(s);
    s.user().expectFileCancel();
    s.user().command(frame_, kFileOpen);
    s.runUntilIdle();
    EXPECT_TRUE(s.kernel().openedDocuments().empty());
    EXPECT_TRUE(Contains(s.journal().texts("file"), L"cancel"));
}

TEST_F(DocumentOpening, FileCloseAsksToSaveAModifiedDocumentThenClosesItWithItsWindows) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\b.grb");
    Start(s);
    CDocument* a = Open(s, L"C:\\Work\\a.grb");
    ASSERT_NE(a, nullptr);
    s.kernel().setModified(a, true);
    constexpr unsigned kFileClose = 57602;
    // Cancelled: the document and its tab stay.
    s.user().expectBox(L"Save changes to C:\\Work\\a.grb?", Button::Cancel);
    s.user().command(frame_, kFileClose);
    s.runUntilIdle();
    EXPECT_EQ(s.kernel().documentTitles(), std::vector<std::wstring>{L"a.grb"});
    EXPECT_NE(s.inspect().dumpTabs(frame_).find(L"\"a.grb\""), std::wstring::npos);
    // Not saved: it goes with its window and its tab.
    s.user().expectBox(L"Save changes to C:\\Work\\a.grb?", Button::No);
    s.user().command(frame_, kFileClose);
    s.runUntilIdle();
    EXPECT_TRUE(s.kernel().documentTitles().empty());
    EXPECT_EQ(s.inspect().dumpTabs(frame_).find(L"a.grb"), std::wstring::npos);
    // An unmodified document closes without a word; only the active one closes.
    Open(s, L"C:\\Work\\a.grb");
    Open(s, L"C:\\Work\\b.grb");
    s.user().command(frame_, kFileClose);
    s.runUntilIdle();
    EXPECT_EQ(s.kernel().documentTitles(), std::vector<std::wstring>{L"a.grb"});
}

}  // namespace
