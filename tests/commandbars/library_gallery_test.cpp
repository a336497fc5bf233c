// The library gallery on a ribbon: what it lists for a library or a group, its size by items per
// row, its shared items, its drop-down and its icons.
#include <thread>

#include "commandbars/gallery/library_gallery.h"
#include "platform/core/text.h"
#include "platform/korvoui/images.h"
#include "platform/textcore.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;
using Korvo::UI::LibraryGallery;

// Two large items: 2 x 15 (the regular font) + 32 (the icon) + 2 x 2 high, half again as wide; the
// frame around the items is 2 + 18 wide and 2 + 2 high (96 dpi).
constexpr int kItemWidth = 99, kItemHeight = 66, kFrameWidth = 20, kFrameHeight = 4;

class LibraryGalleryTest : public RibbonFrameTest {
protected:
    void SetUp() override {
        RibbonFrameTest::SetUp();
        if (HasFatalFailure()) return;
        auto& model = s.kernel().documentsMenu();
        DocumentsMenu::IConfiguration* main = model.addConfiguration(L"C:\\Lib\\Main.tws", L"Main");
        ASSERT_NE(main, nullptr);
        // "Parts" holds group "Fasteners" (libraries Bolts and Nuts) below it.
        DocumentsMenu::ILibrariesGroup* parts = model.addGroup(main, L"Parts");
        fasteners = model.addGroup(parts, L"Fasteners");
        bolts = model.addLibrary(fasteners, L"Bolts", L"C:\\Lib\\Bolts");
        model.addLibrary(fasteners, L"Nuts", L"C:\\Lib\\Nuts");
        s.files().write(L"C:\\Lib\\Bolts\\M6.grb", "x");
        s.files().write(L"C:\\Lib\\Bolts\\M8.grb", "x");
        s.files().write(L"C:\\Lib\\Nuts\\Hex.grb", "x");
    }

    LibraryGallery* AddGallery(const CString& target, int id = 1072) {
        auto* gallery = new LibraryGallery;
        gallery->SetLibraryName(target);
        home->GetGroup(0)->Add(gallery, id);
        return gallery;
    }

    static std::vector<std::wstring> Captions(LibraryGallery& gallery) {
        std::vector<std::wstring> captions;
        for (int i = 0; i < gallery.GetItemCount(); ++i)
            captions.push_back((gallery.GetItem(i)->IsLabel() ? L"# " : L"") + std::wstring(gallery.GetItem(i)->GetCaption()));
        return captions;
    }

    DocumentsMenu::ILibrariesGroup* fasteners = nullptr;
    DocumentsMenu::ILibrary* bolts = nullptr;
};

TEST_F(LibraryGalleryTest, ALibraryIsOneColumnAutomaticallyAndAFixedWidthIsThatManyColumns) {
    LibraryGallery* gallery = AddGallery(L"Bolts");
    EXPECT_EQ(gallery->GetSize(nullptr).cx, kFrameWidth + kItemWidth);
    EXPECT_EQ(Captions(*gallery), (std::vector<std::wstring>{L"M6", L"M8"}));
    EXPECT_EQ(gallery->GetItem(0)->GetToolTip(), CString(L"M6"));
    EXPECT_EQ(gallery->GetResizable(), xtpGalleryResizeHorizontal | xtpGalleryResizeVertical);
    EXPECT_TRUE(gallery->GetFlags() & xtpFlagControlStretched);
    EXPECT_EQ(gallery->GetColumnCount(), 1);
    // One row within the group's height (92 less the caption).
    EXPECT_EQ(gallery->GetSize(nullptr).cy, kItemHeight + kFrameHeight);

    gallery->SetItemsPerRow(3, true);
    EXPECT_EQ(gallery->GetSize(nullptr).cx, kFrameWidth + 3 * kItemWidth);
    EXPECT_EQ(gallery->GetResizable(), xtpGalleryResizeVertical);
    EXPECT_FALSE(gallery->GetFlags() & xtpFlagControlStretched);
    EXPECT_EQ(gallery->GetColumnCount(), 3);
    for (int automatic : {0, -5}) {
        gallery->SetItemsPerRow(automatic, false);
        EXPECT_EQ(gallery->GetItemsPerRow(), -1) << automatic;
    }
}

TEST_F(LibraryGalleryTest, AGroupFoundByIdBelowSubGroupsShowsAHeaderPerLibraryAndAnUnknownTargetStaysEmpty) {
    LibraryGallery* group = AddGallery(Korvo::UniqueIdentifier(fasteners->GetId()).ToString());
    group->GetSize(nullptr);
    EXPECT_EQ(Captions(*group), (std::vector<std::wstring>{L"# Bolts", L"M6", L"M8", L"# Nuts", L"Hex"}));
    LibraryGallery* byId = AddGallery(L"");
    byId->SetLibraryId(bolts);
    byId->GetSize(nullptr);
    EXPECT_EQ(Captions(*byId), (std::vector<std::wstring>{L"M6", L"M8"}));

    // Nothing found: an empty items object, kept (the model is not searched at every pass), until
    // the gallery is given a new target and fills again without items.
    LibraryGallery* unknown = AddGallery(L"Washers");
    unknown->OnIdleUpdate();
    ASSERT_NE(unknown->GetItems(), nullptr);
    EXPECT_EQ(unknown->GetItemCount(), 0);
    EXPECT_EQ(unknown->GetColumnCount(), 1);
    s.kernel().documentsMenu().addLibrary(fasteners, L"Washers", L"C:\\Lib\\Nuts");
    unknown->OnIdleUpdate();
    EXPECT_EQ(unknown->GetItemCount(), 0);
    unknown->SetItems(nullptr);
    unknown->OnIdleUpdate();
    EXPECT_EQ(Captions(*unknown), (std::vector<std::wstring>{L"Hex"}));
    auto* dropDown = dynamic_cast<LibraryGallery*>(unknown->GetCommandBar()->GetControls()->GetAt(0));
    EXPECT_EQ(dropDown->GetItems(), unknown->GetItems()) << "the drop-down shows the new items";
    // Outside a bar a gallery does not fill.
    LibraryGallery loose;
    loose.SetLibraryName(L"Bolts");
    loose.OnIdleUpdate();
    EXPECT_EQ(loose.GetItems(), nullptr);
    EXPECT_EQ(loose.GetColumnCount(), 0);
}

TEST_F(LibraryGalleryTest, GalleriesSharingItemsAllHearOfAChangeAndAGoneOneIsNotTold) {
    LibraryGallery* gallery = AddGallery(L"Bolts");
    gallery->GetSize(nullptr);
    CXTPControl* clone = gallery->Clone();
    auto* copy = dynamic_cast<LibraryGallery*>(clone);
    ASSERT_NE(copy, nullptr);
    Korvo::UI::LibraryGalleryItems* items = gallery->GetLibraryItems();
    ASSERT_EQ(copy->GetItems(), items);
    // The drop-down's gallery is the third.
    EXPECT_EQ(items->GetGalleries().size(), 3u);
    gallery->SetSelectedItem(1);
    copy->SetSelectedItem(1);
    items->Remove(1);
    items->OnItemsChanged();
    EXPECT_EQ(gallery->GetSelectedItem(), -1);
    EXPECT_EQ(copy->GetSelectedItem(), -1);
    clone->InternalRelease();
    EXPECT_EQ(items->GetGalleries().size(), 2u);
    items->OnItemsChanged();  // a gallery that went is not told
}

TEST_F(LibraryGalleryTest, TheDropDownListsTheItemsSizedOnceAndAPickedItemGivesItsPath) {
    LibraryGallery* gallery = AddGallery(L"Bolts");
    gallery->OnIdleUpdate();
    ASSERT_NE(gallery->GetCommandBar(), nullptr);
    auto* inner = dynamic_cast<LibraryGallery*>(gallery->GetCommandBar()->GetControls()->GetAt(0));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->GetID(), 1072);
    EXPECT_EQ(inner->GetParameter(), CString(L"Bolts"));
    EXPECT_TRUE(gallery->GetSelectedPath().IsNull());

    s.user().expectMenuChoose(L"M8");
    EXPECT_EQ(s.user().clickControl(frame->GetSafeHwnd(), 1072), std::nullopt);
    EXPECT_TRUE(gallery->IsDropDownSized());
    // One column of two rows.
    EXPECT_EQ(inner->GetWidth(), kFrameWidth + kItemWidth);
    EXPECT_EQ(inner->GetHeight(), kFrameHeight + 2 * kItemHeight);
    EXPECT_EQ(inner->GetSelectedPath().GetPath(), CString(L"C:\\Lib\\Bolts\\M8.grb"));

    // Sized the first time only: a wider gallery leaves the open drop-down as it was.
    gallery->SetItemsPerRow(2, false);
    s.user().expectMenuDismiss();
    EXPECT_EQ(s.user().clickControl(frame->GetSafeHwnd(), 1072), std::nullopt);
    EXPECT_EQ(inner->GetWidth(), kFrameWidth + kItemWidth);
}

TEST_F(LibraryGalleryTest, IconsAreLookedUpOnceUntilTheIconsChangeOnTheUiThread) {
    s.files().write(L"C:\\Lib\\Bolts\\library.ico", "icon");
    LibraryGallery* gallery = AddGallery(L"Bolts");
    gallery->GetSize(nullptr);
    auto& images = Korvo::UI::ImageManager::GetInstance();
    EXPECT_EQ(gallery->GetIconId(), static_cast<int>(images.GetPathIconId(L"C:\\Lib\\Bolts\\library.ico", true)));
    CXTPControlGalleryItem* item = gallery->GetItem(0);
    const int first = item->GetImageIndex();
    EXPECT_EQ(first, static_cast<int>(images.GetPathIconId(L"C:\\Lib\\Bolts\\M6.grb", true)));
    const auto lookups = [&] {
        int count = 0;
        for (const auto& entry : s.journal().entries())
            if (entry.line().find(L"GetPathIconId(\"C:\\Lib\\Bolts\\M6.grb\"") != std::wstring::npos) ++count;
        return count;
    };
    const int before = lookups();
    item->GetImageIndex();
    EXPECT_EQ(lookups(), before);

    // "icon.ico" comes before "library.ico"; another thread's event changes nothing.
    s.files().write(L"C:\\Lib\\Bolts\\icon.ico", "icon");
    std::thread worker([] { ApplicationEventManager::Instance().Raise(1036, ApplicationEventArgs()); });
    worker.join();
    item->GetImageIndex();
    EXPECT_EQ(lookups(), before);
    ApplicationEventManager::Instance().Raise(1036, ApplicationEventArgs());
    EXPECT_EQ(gallery->GetIconId(), static_cast<int>(images.GetPathIconId(L"C:\\Lib\\Bolts\\icon.ico", true)));
    EXPECT_EQ(item->GetImageIndex(), first);
    EXPECT_EQ(lookups(), before + 1);
}

}  // namespace
