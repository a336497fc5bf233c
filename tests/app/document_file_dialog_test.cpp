// The document file dialog the kernel asks for: a save dialog names the active document by the
// naming rules through its own button (the user may change the name first), an open dialog and
// a dialog without a document have no such button, and cancelling the rules keeps the entry.
#include "app/kvw32_app.h"
#include "tests/app/document_test_support.h"

namespace {

using namespace platform::harness;
using platform::core::DialogAction;

const std::wstring kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";

class DocumentFileDialogTest : public apptest::DocumentSessionTest {
protected:
    // The kernel's save dialog over the active document; the path chosen, or empty when cancelled.
    CString Save(Session& s, bool open = false) {
        CString chosen;
        s.kernel().callback([&](KorvoServerAppProxy& kernel) {
            CKVFileDialogOptions options;
            options.open = open;
            options.fileName = L"C:\\Work\\Bracket.grb";
            options.initialFolder = L"C:\\Work";
            std::unique_ptr<IKorvoFileDialog> dialog = kernel.CreateDocumentFileDialog(options, nullptr);
            ASSERT_NE(dialog, nullptr);
            if (dialog->ShowDialog() == IDOK) chosen = dialog->GetChosenPath();
        });
        return chosen;
    }
};

TEST_F(DocumentFileDialogTest, TheNamingButtonNamesTheDocumentAsTheUserAgrees) {
    Session s;
    Start(s);
    ASSERT_NE(Open(s, kBracket), nullptr);

    s.user().expectFileClickAccept(10000);
    s.user().expectDialog(L"AutoNamer", std::vector<DialogAction>{{DialogAction::Kind::Ok, 0, {}}});
    EXPECT_EQ(Save(s), L"C:\\Work\\Bracket-001");
    const auto files = s.journal().texts("file");
    // The document has a path: the entry stays what the kernel gave until the button is used.
    EXPECT_GE(indexOf(files, L"name \"C:\\Work\\Bracket.grb\" thread"), 0);
    EXPECT_GE(indexOf(files, L"button 10000 \"Naming rules...\""), 0);

    // The user changes the proposal; the next proposal counts the name taken.
    s.user().expectFileClickAccept(10000);
    s.user().expectDialog(L"AutoNamer", std::vector<DialogAction>{{DialogAction::Kind::Text, 100, L"Bracket-mount"},
                                                                  {DialogAction::Kind::Ok, 0, {}}});
    EXPECT_EQ(Save(s), L"C:\\Work\\Bracket-mount");

    // Cancelling the rules keeps the entry.
    s.user().expectFileClickAccept(10000);
    s.user().expectDialog(L"AutoNamer", std::vector<DialogAction>{{DialogAction::Kind::Cancel, 0, {}}});
    EXPECT_EQ(Save(s), L"C:\\Work\\Bracket.grb");
    EXPECT_GE(indexOf(calls(s), L"KorvoManagedUIProxy::AutoNamer::~AutoNamer()"), 0);
}

TEST_F(DocumentFileDialogTest, OpeningAndNoDocumentOfferNoNaming) {
    Session s;
    Start(s);
    s.user().expectFileChoose(L"C:\\Work\\x.grb");
    EXPECT_EQ(Save(s), L"C:\\Work\\x.grb");
    ASSERT_NE(Open(s, kBracket), nullptr);
    s.user().expectFileChoose(L"C:\\Work\\y.grb");
    EXPECT_EQ(Save(s, true), L"C:\\Work\\y.grb");
    EXPECT_EQ(indexOf(s.journal().texts("file"), L"button 10000"), -1);
    EXPECT_EQ(indexOf(calls(s), L"AutoNamer::Create"), -1);
}

}  // namespace
