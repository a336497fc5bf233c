// The sample's text browsers as the kernel reaches them: the default browser, modules loaded on
// first use (a missing one reported once), the exception rules of their entries, the hot keys
// against the live Shift key, the metafile callback with the rich-text editor, and the modules'
// profile entries.
#include <algorithm>

#include "app/kvw32_app.h"
#include "auxiliary/text_browsers/metafile_callback.h"
#include "platform/kernel/services/fonts.h"
#include "tests/app/document_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

KorvoServerAppProxy& Kernel() { return *KorvoServerAppProxy::Instance(); }

long Count(const std::vector<std::wstring>& lines, std::wstring_view needle) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::wstring& line) { return line.find(needle) != std::wstring::npos; });
}

class SampleTextBrowsers : public apptest::DocumentSessionTest {
protected:
    const CTextBowserArray& Browsers() { return CKvw32App::Instance()->GetTextBrowsers(); }
    void HoldShift(Session& s, bool down) {
        ::PostMessageW(frame_, down ? WM_KEYDOWN : WM_KEYUP, VK_SHIFT, 0);
        s.runUntilIdle();
    }
};

TEST_F(SampleTextBrowsers, TheLastStandardBrowserIsTheDefaultAndOnlyListedOnesCount) {
    Session s;
    Start(s);
    ASSERT_EQ(Browsers().GetSize(), 4);  // the section without a hot key is left out
    EXPECT_EQ(Browsers().GetDefaultIndex(), 1);
    s.user().expectBox(L"Text browser error:*", Button::Ok);
    EXPECT_FALSE(Kernel().BrowseText(-1, nullptr, nullptr));  // the catalogue: it throws
    EXPECT_TRUE(Contains(calls(s), L"Browse(0x00000000) [textbrowser-throws]"));
}

TEST_F(SampleTextBrowsers, AModuleThatCannotLoadIsReportedOnceAndNeverTriedAgain) {
    Session s;
    Start(s);
    s.user().expectBox(L"The text browser module could not be loaded.", Button::Ok);
    EXPECT_FALSE(Kernel().BrowseText(2, nullptr, L""));
    EXPECT_FALSE(Kernel().BrowseText(-1, nullptr, L"kvarchive.dll"));  // no second box
    EXPECT_TRUE(Browsers().GetAt(2).loadFailed);
    const auto all = calls(s);
    // A bare module name is looked up in the program folder only.
    const std::wstring load = L"Korvo::Module::loadMfcAndInitialize(" + s.files().programFile(L"KVArchive.dll") + L")";
    EXPECT_EQ(Count(all, load), 1);
    apptest::ExpectInOrder(all, {load, L"GlobalContainer::RestoreSessionLanguage()"});
}

TEST_F(SampleTextBrowsers, EntryFailuresGiveFalseYetTheCallbackIsStillHandedOver) {
    Session s;
    Start(s);
    // A framework exception is shown with its message...
    s.user().expectBox(L"Text browser error: Unsupported operation was attempted.", Button::Ok);
    EXPECT_FALSE(Kernel().BrowseText(1, nullptr, L""));
    // ... any other is swallowed. The work-mix browser connects the PDM work mix first.
    EXPECT_FALSE(Kernel().BrowseText(3, nullptr, L""));
    apptest::ExpectInOrder(calls(s), {L"KVPDMWorkMix::Connect(false, \"\")", L"Browse(0x00000000) [textbrowser-fails]",
                                      L"RegistrerCreateEnhMetafileCallback(callback) [textbrowser-fails]"});
    EXPECT_TRUE(Contains(calls(s), L"RegistrerCreateEnhMetafileCallback(callback) [textbrowser-throws]"));
}

TEST_F(SampleTextBrowsers, HotKeysCompareShiftAsItIsDownNow) {
    Session s;
    Start(s);
    // The catalogue's hot key is Shift+F2 (kernel code 1002).
    EXPECT_EQ(Browsers().FindByKey(1002), -1);
    HoldShift(s, true);
    EXPECT_EQ(Browsers().FindByKey(1002), 1);
    EXPECT_EQ(Browsers().FindByKey(4003), -1);  // Ctrl+D needs Shift up
    HoldShift(s, false);
    EXPECT_EQ(Browsers().FindByKey(4003), 0);
    EXPECT_EQ(Browsers().FindByKey(1033), -1);  // F2 without Shift
}

TEST_F(SampleTextBrowsers, TheRegisteredCallbackDrawsEditedRichTextIntoAMetafile) {
    Session s;
    Start(s);
    EXPECT_TRUE(Kernel().BrowseText(0, frame_, L""));  // registers the callback
    s.user().expectRichText(L"Edited\nsecond line");
    EXPECT_TRUE(Kernel().BrowseText(0, frame_, L""));  // calls it
    const auto all = calls(s);
    const auto drawn = std::find_if(all.begin(), all.end(), [](const std::wstring& line) {
        return line.find(L"metafile callback: metafile (0,0)-(2750,1000) \"Korvo CAD\" map 7") != std::wstring::npos;
    });
    ASSERT_NE(drawn, all.end()) << apptest::Utf8(all.back());
    EXPECT_NE(drawn->find(L"text \"Edited\r\nsecond line\""), std::wstring::npos);
    EXPECT_NE(drawn->find(L"drawing 2"), std::wstring::npos);
    EXPECT_TRUE(Contains(all, L"Rich::editInModalWindow(\"Browse 0x"));
    EXPECT_TRUE(Contains(all, L"font \"Arial\" control true"));
}

TEST_F(SampleTextBrowsers, TheCallbackKeepsTheCallersBufferOnFailureAndRestoresTheEditorDefaults) {
    Session s;
    Start(s);
    EXPECT_EQ(CreateEnhMetafileCallback(nullptr, nullptr, nullptr), nullptr);
    const bool control = g_fDefaultCtrlValue;
    const CString font = g_csDefaultFontName;

    // Bytes that are no rich text do not paste: nothing is made and the caller's buffer stays.
    BYTE junk[] = {'x', 'y'};
    BYTE* buffer = junk;
    DWORD size = sizeof junk;
    EXPECT_EQ(CreateEnhMetafileCallback(&buffer, &size, nullptr), nullptr);
    EXPECT_EQ(buffer, junk);
    EXPECT_EQ(size, 2u);

    // Cancelled in the editor: no picture, defaults back as they were.
    std::wstring text = L"draft";
    BYTE* none = nullptr;
    DWORD noSize = 0;
    s.user().expectRichText(std::nullopt);
    EXPECT_EQ(CreateEnhMetafileCallback(&none, &noSize, &text), nullptr);
    EXPECT_EQ(text, L"draft");
    EXPECT_EQ(g_fDefaultCtrlValue, control);
    EXPECT_EQ(g_csDefaultFontName, font);

    // Confirmed: the edited selection comes back as a new buffer that pastes again.
    BYTE* edited = nullptr;
    DWORD editedSize = 0;
    s.user().expectRichText(L"final");
    HENHMETAFILE picture = CreateEnhMetafileCallback(&edited, &editedSize, &text);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(text, L"final");
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(edited), editedSize), "KVRICH1\nfinal\n");
    BYTE* again = edited;
    DWORD againSize = editedSize;
    HENHMETAFILE copy = CreateEnhMetafileCallback(&again, &againSize, nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(again, nullptr);  // taken over as rich text
    EXPECT_EQ(platform::win32::enhMetafile(copy)->frame.right, 1250);
    delete[] edited;
    DeleteEnhMetaFile(picture);
    DeleteEnhMetaFile(copy);

    // Rich text that draws nothing still gives a valid, empty picture.
    std::wstring empty;
    s.user().expectRichText(L"");
    HENHMETAFILE blank = CreateEnhMetafileCallback(&none, &noSize, &empty);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(platform::win32::enhMetafile(blank)->frame.right, 0);
    EXPECT_TRUE(platform::win32::enhMetafile(blank)->drawing.empty());
    DeleteEnhMetaFile(blank);
    delete[] none;
}

TEST_F(SampleTextBrowsers, ProfilesReachLoadedModulesOnlyAndTheModulesGoAtExit) {
    Session s;
    Start(s);
    EXPECT_TRUE(Kernel().BrowseText(0, nullptr, L""));
    int edit = 0;
    Kernel().SetTextBrowsersEdit(&edit);
    EXPECT_EQ(Count(calls(s), L"SetEdit("), 1);  // the dictionary alone is loaded
    // Writing the profiles loads nothing either.
    CKvw32App::Instance()->GetTextBrowsers().WriteProfile();
    EXPECT_EQ(Count(calls(s), L"WriteProfile() ["), 1);
    // Applying a profile loads every module silently: the missing one shows nothing.
    CKvw32App::Instance()->InitializeTextBrowserProfileItems();
    EXPECT_EQ(Count(calls(s), L"InitializeProfileItems() ["), 3);
    EXPECT_TRUE(Browsers().GetAt(2).loadFailed);
    s.quit();
    const auto all = calls(s);
    EXPECT_EQ(Count(all, L"WriteProfile() ["), 1 + 3);
    EXPECT_TRUE(Contains(all, L"Korvo::Module::shutdownAndUnloadMfc(" + s.files().programFile(L"KVDict.dll") + L")"));
    EXPECT_FALSE(Contains(all, L"shutdownAndUnloadMfc(" + s.files().programFile(L"KVArchive.dll") + L")"));
}

}  // namespace
