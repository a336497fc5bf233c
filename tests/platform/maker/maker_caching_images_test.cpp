// The UI library's image list that caches one picture per path: a path's picture is made once
// (in any spelling), a path that names nothing has none, and nothing is given before the list is
// made or after it is cleared.
#include <gtest/gtest.h>

#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/win32/files/file.h"

namespace {

TEST(CachingImageList, OnePicturePerPathInAnySpellingAndNoneForWhatIsNotThere) {
    platform::harness::Session session;
    ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Users\\user\\a.grb", "x"), 0u);
    Korvo::UI::CachingImageList images;
    EXPECT_EQ(images.AddForPath(L"C:\\Users\\user\\a.grb"), -1) << "not made yet";
    ASSERT_TRUE(images.Create(32, 32, Korvo::UI::CachingImageList::ILC_COLOR32, 10, 10));
    EXPECT_FALSE(Korvo::UI::CachingImageList().Create(0, 32, 0, 10, 10));
    DocumentsMenu::LoadStandardLibIcons(images);
    const int standard = images.GetImageCount();
    EXPECT_GE(standard, 12);

    const int file = images.AddForPath(L"C:\\Users\\user\\a.grb");
    EXPECT_EQ(file, standard);
    EXPECT_EQ(images.AddForPath(L"c:\\users\\USER\\A.GRB"), file);
    const int folder = images.AddForPath(L"C:\\Users\\user\\");
    EXPECT_EQ(images.AddForPath(L"C:\\Users\\user"), folder) << "a folder with or without its backslash";
    EXPECT_EQ(images.AddForPath(L"C:\\Users\\user\\missing.grb"), -1);
    EXPECT_EQ(images.AddForPath(L""), -1);
    EXPECT_EQ(images.GetPathLookups(), 3);
    EXPECT_EQ(images.GetImageName(file), CString(L"C:\\Users\\user\\a.grb"));
    EXPECT_EQ(images.GetImageName(-1), CString());

    images.Clear();
    EXPECT_FALSE(images.IsCreated());
    EXPECT_EQ(images.AddForPath(L"C:\\Users\\user\\a.grb"), -1);
    EXPECT_EQ(images.GetImageCount(), 0);
}

}  // namespace
