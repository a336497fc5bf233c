// Services the kernel asks of the application through its callback object: text browsers,
// painting of all documents; and the pane-window slots the application keeps.
#include <optional>
#include <string>

#include "app/kvw32_app.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

void* g_browsedArgument = nullptr;
int g_browses = 0;

INT_PTR BrowseDictionary(void* argument) {
    g_browsedArgument = argument;
    ++g_browses;
    return 0;  // whatever the module answers, it ran
}

KorvoServerAppProxy& Kernel() { return *KorvoServerAppProxy::Instance(); }

class TextBrowsers : public SessionTest {
protected:
    void SetUp() override {
        s.files().writeIni(L"TextBrowsers.ini",
                           L"[Dictionary]\nDLL=KVDict.dll\nChar=68\nControl=1\nText=Dictionary\n"
                           L"[Catalogue]\nDLL=KVCat.dll\nChar=67\nShift=1\nAlt=1\nStandard=1\nText=Catalogue\n"
                           L"[Archive]\nDLL=KVArc.dll\nChar=65\nPDM=1\nText=Archive\n");
        s.files().write(s.files().programFile(L"KVDict.dll"), "version=18.0.21.0\nexports=dictionary\n");
        platform::modules::registerExportSet(
            "dictionary", {{"Browse", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&BrowseDictionary))}});
        s.start();
        ASSERT_EQ(s.startResult(), 1);
    }
    std::optional<std::wstring> DictionaryFile() {
        return s.registry().getString(apptest::kUser, apptest::section(L"TemplatExplorer"), L"LastOpenFileName");
    }

    Session s;
};

TEST_F(TextBrowsers, BrowsingNamesTheDictionaryFileFirst) {
    ASSERT_FALSE(DictionaryFile().has_value());
    // By module name, in any case; the argument goes to the module as it is.
    int argument = 0;
    EXPECT_TRUE(Kernel().BrowseText(-1, &argument, L"kvdict.DLL"));
    EXPECT_EQ(g_browsedArgument, &argument);
    EXPECT_EQ(DictionaryFile(), s.files().programFile(L"KVDict.xml"));

    // A file the user chose stays.
    s.registry().setString(apptest::kUser, apptest::section(L"TemplatExplorer"), L"LastOpenFileName", L"D:\\My.xml");
    EXPECT_TRUE(Kernel().BrowseText(0, nullptr, L""));
    EXPECT_EQ(DictionaryFile(), L"D:\\My.xml");
    EXPECT_FALSE(Kernel().BrowseText(3, nullptr, L""));  // past the last browser
    EXPECT_FALSE(Kernel().BrowseText(0, nullptr, L"KVNone.dll"));
    EXPECT_EQ(g_browses, 2);
}

TEST_F(TextBrowsers, HotKeysMatchTheKernelCodeWithTheShiftKeyAsItIsNow) {
    // Ctrl+D is kernel code 4003; the modifiers the kernel passes play no part.
    EXPECT_TRUE(Kernel().BrowseTextByKey(4003, 0, nullptr, L""));
    EXPECT_FALSE(Kernel().BrowseTextByKey(3003, 0x2, nullptr, L""));  // plain D
    EXPECT_FALSE(Kernel().BrowseTextByKey(4025, 0, nullptr, L""));
    EXPECT_EQ(g_browses, 1);
}

TEST_F(TextBrowsers, MenuTextsShowTheHotKeysAndLeaveOutPdmBrowsersWhileDisconnected) {
    CStringArray texts;
    Kernel().GetTextBrowserMenuTexts(texts, true);
    ASSERT_EQ(texts.GetSize(), 2);
    EXPECT_EQ(texts[0], L"Dictionary\tCtrl+D");
    EXPECT_EQ(texts[1], L"Catalogue\tShift+Alt+C");
    s.kernel().setPdmConnected(true);
    texts.RemoveAll();
    Kernel().GetTextBrowserMenuTexts(texts, true);
    ASSERT_EQ(texts.GetSize(), 3);
    EXPECT_EQ(texts[2], L"Archive\tA");
}

TEST_F(TextBrowsers, TheMenuIsCutToTenEntriesOnlyWhenAsked) {
    CStringArray texts;
    for (int i = 0; i < 9; ++i) texts.Add(L"earlier");
    Kernel().GetTextBrowserMenuTexts(texts, true);
    EXPECT_EQ(texts.GetSize(), 10);
    Kernel().GetTextBrowserMenuTexts(texts, false);
    EXPECT_EQ(texts.GetSize(), 12);
}

class DocumentPainting : public SessionTest {};

TEST_F(DocumentPainting, ReachesEveryDocumentAndRepaintsOnlyFlaggedOnes) {
    Session s;
    s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
    s.kernel().writeDocumentFile(L"C:\\Work\\b.grb");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    auto* a = dynamic_cast<CKvw32Doc*>(CKvw32App::Instance()->OpenDocumentFile(L"C:\\Work\\a.grb"));
    auto* b = dynamic_cast<CKvw32Doc*>(CKvw32App::Instance()->OpenDocumentFile(L"C:\\Work\\b.grb"));
    ASSERT_TRUE(a && b);

    Kernel().BlockPaintAllDocuments(true);
    EXPECT_TRUE(a->IsPaintBlocked() && b->IsPaintBlocked());
    Kernel().BlockPaintAllDocuments(false);
    EXPECT_FALSE(a->IsPaintBlocked() || b->IsPaintBlocked());

    s.kernel().setRepaintFlag(b, true);
    Kernel().RepaintAllDocuments();
    EXPECT_FALSE(Contains(calls(s), L"CKvw32Doc::MarkForRepaint(\"a.grb\")"));
    EXPECT_TRUE(Contains(calls(s), L"CKvw32Doc::MarkForRepaint(\"b.grb\")"));
}

// A window that notes its destruction.
class NotingWindow : public CWnd {
public:
    explicit NotingWindow(int& destroyed) : destroyed_(destroyed) {}
    ~NotingWindow() override { ++destroyed_; }

private:
    int& destroyed_;
};

TEST(PaneWindowSlots, FlagsSurviveResetsAndTheHeldWindowIsDestroyed) {
    int destroyed = 0;
    PaneWindowSlot slot;
    slot.SetEnabled(false);
    auto* first = new NotingWindow(destroyed);
    slot.Reset(first);
    EXPECT_EQ(slot.Get(), first);
    EXPECT_TRUE(slot.IsDisabled());
    slot.Reset(new NotingWindow(destroyed));
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(slot.IsDisabled());
    slot.Reset(nullptr);
    EXPECT_EQ(destroyed, 2);
    EXPECT_TRUE(slot.IsDisabled());
    slot.SetEnabled(true);
    EXPECT_FALSE(slot.IsDisabled());
}

TEST(PaneWindowSlots, CountedSlotsGiveTheirReferenceBack) {
    CLayersWnd* layers = CLayersWnd::Create(nullptr);
    layers->InternalAddRef();  // another holder
    {
        CountedPaneWindowSlot slot;
        slot.Reset(layers);
        EXPECT_EQ(layers->GetRefCount(), 2);
    }
    EXPECT_EQ(layers->GetRefCount(), 1);
    layers->InternalRelease();
}

}  // namespace

namespace {

TEST(IconSets, HaveVectorIconsWhenAnyOfTheirIconsIsOne) {
    CXTPImageManagerIconSet set(1001);
    EXPECT_FALSE(ImageManagerHasVectorIcons(&set));
    set.SetIcon(new CXTPImageManagerIcon(1001, 16, false));
    set.SetIcon(new CXTPImageManagerIcon(1001, 32, false));
    EXPECT_FALSE(ImageManagerHasVectorIcons(&set));
    set.SetIcon(new CXTPImageManagerIcon(1001, 24, true));
    EXPECT_TRUE(ImageManagerHasVectorIcons(&set));
    set.SetIcon(new CXTPImageManagerIcon(1001, 24, false));  // replaces the vector one
    EXPECT_FALSE(ImageManagerHasVectorIcons(&set));
    EXPECT_FALSE(ImageManagerHasVectorIcons(nullptr));
}

}  // namespace
