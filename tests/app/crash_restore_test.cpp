// Documents left by a crash are opened again at start-up, crash copies (".err") under their own
// name; and the documents of the last run are reopened when the settings ask for it.
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

const std::wstring kErrorRestore = apptest::section(L"ErrorRestore");
const std::wstring kOpenDocuments = apptest::section(L"OpenDocuments");

void RecordCrashDocuments(Session& s, const std::vector<std::wstring>& paths, unsigned count) {
    s.registry().setDword(apptest::kUser, kErrorRestore, L"DocsCount", count);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        s.registry().setString(apptest::kUser, kErrorRestore, std::to_wstring(i), paths[i]);
    }
}

class CrashRestore : public SessionTest {};

TEST_F(CrashRestore, AtMostHundredDocumentsAfterTheCountIsReset) {
    Session s;
    std::vector<std::wstring> paths;
    for (int i = 0; i < 250; ++i) {
        paths.push_back(L"C:\\Work\\doc" + std::to_wstring(i) + L".grb");
        if (i > 0) s.kernel().writeDocumentFile(paths.back());
    }
    RecordCrashDocuments(s, paths, 250);
    std::optional<unsigned> countDuringFirstOpen;
    s.user().expectBox(L"Cannot restore the document \"C:\\Work\\doc0.grb\".", [&](const BoxRequest& box) {
        countDuringFirstOpen = s.registry().getDword(apptest::kUser, kErrorRestore, L"DocsCount");
        EXPECT_NE(box.type & MB_ICONERROR, 0u);
        return Button::Ok;
    });
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(countDuringFirstOpen, 0u);

    const std::vector<std::wstring> opened = s.kernel().openedDocuments();
    ASSERT_EQ(opened.size(), 99u);
    EXPECT_EQ(opened.front(), paths[1]);
    EXPECT_EQ(opened.back(), paths[99]);
    // The entries read are gone; those beyond the limit are left alone.
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, kErrorRestore, L"0"));
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, kErrorRestore, L"99"));
    EXPECT_TRUE(s.registry().hasValue(apptest::kUser, kErrorRestore, L"100"));
}

TEST_F(CrashRestore, CorruptCountStillRestoresTheFirstEntries) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    RecordCrashDocuments(s, {L"C:\\Work\\a.grb"}, 0xFFFFFFFFu);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.kernel().openedDocuments(), std::vector<std::wstring>{L"C:\\Work\\a.grb"});
    EXPECT_EQ(s.registry().getDword(apptest::kUser, kErrorRestore, L"DocsCount"), 0u);
}

TEST_F(CrashRestore, CrashCopyOpensUnderItsOwnNameAndIsDeleted) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\plan.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\plan.grb.ERR");
    s.kernel().writeDocumentFile(L"C:\\Work\\notes.err.grb");
    RecordCrashDocuments(s, {L"C:\\Work\\plan.grb.ERR", L"C:\\Work\\notes.err.grb"}, 2);
    s.start();
    ASSERT_EQ(s.startResult(), 1);

    EXPECT_FALSE(s.files().exists(L"C:\\Work\\plan.grb.ERR"));
    EXPECT_TRUE(s.files().exists(L"C:\\Work\\notes.err.grb"));
    const std::vector<std::wstring> titles = s.kernel().documentTitles();
    EXPECT_TRUE(Contains(titles, L"C:\\Work\\plan.grb (recovered)"));
    EXPECT_TRUE(Contains(calls(s), L"CKvw32Doc::LockDocumentFile(\"C:\\Work\\plan.grb\")"));
    EXPECT_TRUE(Contains(calls(s), L"CKVExtractedObjectsCollector::DropUnreferenced()"));
    EXPECT_FALSE(Contains(calls(s), L"CKvw32Doc::LockDocumentFile(\"C:\\Work\\notes"));
    // Saving goes to the document's own file, not to the crash copy.
    const std::wstring documents = s.inspect().dumpDocuments();
    EXPECT_NE(documents.find(L"\"C:\\Work\\plan.grb\""), std::wstring::npos) << apptest::Utf8(documents);
    EXPECT_EQ(documents.find(L"plan.grb.ERR\""), std::wstring::npos) << apptest::Utf8(documents);
}

TEST_F(CrashRestore, CrashCopyThatThrowsIsKeptAndTheDocumentOpensFromItsOwnFile) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\plan.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\plan.grb.err");
    s.faults().failDocumentOpen(L"C:\\Work\\plan.grb.err", true);
    RecordCrashDocuments(s, {L"C:\\Work\\plan.grb.err"}, 1);
    s.user().expectBox(L"Cannot restore the document \"C:\\Work\\plan.grb.err\".", [](const BoxRequest& box) {
        EXPECT_NE(box.type & MB_ICONWARNING, 0u);
        return Button::Ok;
    });
    s.start();
    ASSERT_EQ(s.startResult(), 1);

    EXPECT_TRUE(s.files().exists(L"C:\\Work\\plan.grb.err"));
    EXPECT_TRUE(Contains(logs(s), L"6 Kept the crash copy \"C:\\Work\\plan.grb.err\""));
    EXPECT_EQ(s.kernel().openedDocuments(), std::vector<std::wstring>{L"C:\\Work\\plan.grb"});
}

TEST_F(CrashRestore, CrashCopyThatThrowsTwiceIsTriedOnlyOnceMore) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\plan.grb.err");
    s.faults().failDocumentOpen(L"C:\\Work\\plan.grb.err", true);
    s.faults().failDocumentOpen(L"C:\\Work\\plan.grb", true);
    // A document that is no crash copy has no other file to try: one warning, no second attempt.
    s.kernel().writeDocumentFile(L"C:\\Work\\other.grb");
    s.faults().failDocumentOpen(L"C:\\Work\\other.grb", true);
    RecordCrashDocuments(s, {L"C:\\Work\\plan.grb.err", L"C:\\Work\\other.grb"}, 2);
    s.user().expectBox(L"*plan.grb.err*", Button::Ok);
    s.user().expectBox(L"Cannot restore the document \"C:\\Work\\plan.grb\".", Button::Ok);
    s.user().expectBox(L"*other.grb*", Button::Ok);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_TRUE(s.files().exists(L"C:\\Work\\plan.grb.err"));
    EXPECT_TRUE(s.kernel().openedDocuments().empty());
}

// The crash's documents come back first; the document the command line names opens after them,
// so it is the one the user finds active.
TEST_F(CrashRestore, DocumentsOfTheCrashOpenBeforeTheCommandLinesDocument) {
    Config config;
    config.platform.arguments = {L"C:\\Work\\given.grb"};
    Session s(config);
    s.kernel().writeDocumentFile(L"C:\\Work\\given.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\b.grb");
    RecordCrashDocuments(s, {L"C:\\Work\\a.grb", L"C:\\Work\\b.grb"}, 2);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.kernel().openedDocuments(),
              (std::vector<std::wstring>{L"C:\\Work\\a.grb", L"C:\\Work\\b.grb", L"C:\\Work\\given.grb"}));
    apptest::ExpectInOrder(calls(s), {L"CKVDocTemplate::OpenDocumentFile(\"C:\\Work\\b.grb\", true)",
                                      L"AnnotateModuleProxy::OpenDocument(\"C:\\Work\\given.grb\", 0, -1, 0)"});
}

class LastRunDocuments : public SessionTest {};

TEST_F(LastRunDocuments, AreReopenedWhenTheSettingsAsk) {
    Session s;
    s.kernel().setReopenDocuments(true);
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\b.grb");
    s.registry().setDword(apptest::kUser, kOpenDocuments, L"Count", 3);
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document0", L"C:\\Work\\b.grb");
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document1", L"");
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document2", L"C:\\Work\\a.grb");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.kernel().openedDocuments(), (std::vector<std::wstring>{L"C:\\Work\\b.grb", L"C:\\Work\\a.grb"}));
    EXPECT_EQ(s.registry().getDword(apptest::kUser, kOpenDocuments, L"Count"), 0u);
}

TEST_F(LastRunDocuments, CorruptCountIsCapped) {
    Session s;
    s.kernel().setReopenDocuments(true);
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\z.grb");
    s.registry().setDword(apptest::kUser, kOpenDocuments, L"Count", 0x7FFFFFFF);
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document0", L"C:\\Work\\a.grb");
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document100", L"C:\\Work\\z.grb");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.kernel().openedDocuments(), std::vector<std::wstring>{L"C:\\Work\\a.grb"});
    EXPECT_TRUE(Contains(logs(s), L"6 Only the first 100 of 2147483647 documents of the last run are reopened"));
    EXPECT_EQ(s.registry().getDword(apptest::kUser, kOpenDocuments, L"Count"), 0u);
}

TEST_F(LastRunDocuments, OneEntryPastTheLimitIsNotReopened) {
    Session s;
    s.kernel().setReopenDocuments(true);
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\z.grb");
    s.registry().setDword(apptest::kUser, kOpenDocuments, L"Count", 101);
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document99", L"C:\\Work\\a.grb");
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document100", L"C:\\Work\\z.grb");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.kernel().openedDocuments(), std::vector<std::wstring>{L"C:\\Work\\a.grb"});
    EXPECT_TRUE(Contains(logs(s), L"6 Only the first 100 of 101 documents of the last run are reopened"));
}

TEST_F(LastRunDocuments, FollowTheCommandLineDocumentWhichGoesToTheAnnotationModule) {
    Config config;
    config.platform.arguments = {L"C:\\Work\\given.grb"};
    Session s(config);
    s.kernel().setReopenDocuments(true);
    s.kernel().writeDocumentFile(L"C:\\Work\\given.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.registry().setDword(apptest::kUser, kOpenDocuments, L"Count", 1);
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document0", L"C:\\Work\\a.grb");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    apptest::ExpectInOrder(calls(s), {L"AnnotateModuleProxy::OpenDocument(\"C:\\Work\\given.grb\", 0, -1, 0)",
                                      L"CKVDocTemplate::OpenDocumentFile(\"C:\\Work\\a.grb\", true)"});
    EXPECT_EQ(s.kernel().openedDocuments(),
              (std::vector<std::wstring>{L"C:\\Work\\given.grb", L"C:\\Work\\a.grb"}));
}

TEST_F(LastRunDocuments, AreForgottenWhenTheSettingsDoNotAsk) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.registry().setDword(apptest::kUser, kOpenDocuments, L"Count", 1);
    s.registry().setString(apptest::kUser, kOpenDocuments, L"Document0", L"C:\\Work\\a.grb");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_TRUE(s.kernel().openedDocuments().empty());
    EXPECT_EQ(s.registry().getDword(apptest::kUser, kOpenDocuments, L"Count"), 0u);
}

}  // namespace
