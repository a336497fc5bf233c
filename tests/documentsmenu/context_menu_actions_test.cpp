// What the context menus' items do: closing configurations that may fail to save, the PDM
// system's updates (a configuration it does not know is left alone; an error stops the work
// there), and copied text on the one clipboard.
#include "tests/documentsmenu/structure_test_support.h"

#include "documentsmenu/context_menu_items.h"
#include "platform/textcore/clipboard.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

using ContextMenuActionsTest = StructureTest;

TEST_F(ContextMenuActionsTest, CloseAsksOnlyForTheConfigurationThatFailsToSaveAndNoKeepsIt) {
    IConfiguration* draft = CreateConfiguration(L"Draft", false);  // no file: it cannot be saved
    ASSERT_TRUE(GlobalCfgGroup()->AddConfiguration(draft));
    IConfiguration* other = model.addConfiguration(kLibraries + L"Other.tws", L"Other");
    const std::wstring question(
        Korvo::I18n::FormatTranslation(L"docs_menu.saving_config_error_close_anyway", draft->GetDisplayName()).GetString());
    session.user().expectBox(question, platform::harness::Button::No);
    ConfigurationMenuItems::Close(std::vector<IConfiguration*>{standard, draft, other}).Execute();
    ASSERT_EQ(GlobalCfgGroup()->GetCount(), 1);
    EXPECT_EQ(GlobalCfgGroup()->GetConfigurationAt(0), draft);
    EXPECT_TRUE(session.user().pendingExpectations().empty());
    session.user().expectBox(question, platform::harness::Button::Yes);
    ConfigurationMenuItems::Close(draft).Execute();
    EXPECT_EQ(GlobalCfgGroup()->GetCount(), 0);
}

TEST_F(ContextMenuActionsTest, PdmUpdatesTouchOnlyWhatThePdmSystemKnowsAndAnErrorStopsThere) {
    ILibrary* flanges = model.addLibrary(standard, L"Flanges", L"Flanges");
    ILibrary* studs = model.addLibrary(standard, L"Studs", L"Studs");
    for (ILibrary* library : {flanges, studs}) CreateDirectoryW(GetLibraryAbsolutePath(library).GetString(), nullptr);
    session.kernel().setPdmConnected(true);
    session.kernel().pdmManageFolder(std::wstring(GetLibraryAbsolutePath(flanges).GetString()));
    session.kernel().pdmManageFolder(std::wstring(GetLibraryAbsolutePath(studs).GetString()));

    // The configuration's file is not the PDM system's: neither it nor its libraries change.
    ConfigurationMenuItems::Update(standard).Execute();
    EXPECT_EQ(callCount(L"KVPDMItem::Update"), 0);
    EXPECT_EQ(callCount(L"FindFolder"), 0);

    LibraryMenuItems::Update(std::vector<ILibrary*>{flanges, studs}).Execute();
    EXPECT_EQ(callCount(L"KVPDMItem::Update"), 2);

    session.kernel().pdmFailCall(L"FindFolder");
    session.user().expectBox(L"The PDM system did not answer: FindFolder", platform::harness::Button::Ok);
    LibraryMenuItems::Update(std::vector<ILibrary*>{flanges, studs}).Execute();
    EXPECT_EQ(callCount(L"KVPDMItem::Update"), 2);
    EXPECT_TRUE(session.user().pendingExpectations().empty());
}

TEST_F(ContextMenuActionsTest, CopiedTextIsOnTheClipboardEveryEditReads) {
    Korvo::ClipboardManager clipboard;
    ASSERT_TRUE(clipboard.SetText(L"C:\\a.grb"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(block)), L"C:\\a.grb");
    GlobalUnlock(block);
    CloseClipboard();
    EXPECT_EQ(Korvo::ClipboardManager::GetText(), CString(L"C:\\a.grb"));
    ASSERT_TRUE(clipboard.Clear());
    EXPECT_TRUE(Korvo::ClipboardManager::GetText().IsEmpty());
}

}  // namespace
}  // namespace documentsmenutest
