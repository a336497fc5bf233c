// A file button shows the icon of its file once the kernel found it, and looks only once.
#include "commandbars/file_button.h"
#include "platform/korvoui/images.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;

Korvo::UI::FileButton* AddFileButton(CXTPRibbonGroup* group, const wchar_t* path) {
    auto* button = new Korvo::UI::FileButton;
    button->SetParameter(path);
    group->Add(button, 1026);
    return button;
}

TEST_F(RibbonFrameTest, AFileButtonTakesTheIconOfAFileFoundAndLooksOnlyOnce) {
    Korvo::UI::ImageManager::GetInstance();
    const std::wstring folder = s.files().programFolder() + L"\\Parts";
    const std::wstring file = folder + L"\\bolt.kvd";
    s.files().write(file, "part");
    auto* found = AddFileButton(home->GetGroup(0), file.c_str());
    const std::wstring missingPath = folder + L"\\nut.kvd";
    auto* missing = AddFileButton(home->GetGroup(0), missingPath.c_str());
    auto* empty = AddFileButton(home->GetGroup(0), L"");
    frame->PostMessage(WM_IDLEUPDATECMDUI);
    s.runUntilIdle();

    const int icon = found->GetIconId();
    EXPECT_EQ(static_cast<UINT>(icon), Korvo::UI::ImageManager::GetInstance().GetPathIconId(file.c_str(), true));
    EXPECT_NE(icon, 1026);
    // A file gone before the lookup leaves the command's own icon, and so does no file at all.
    EXPECT_EQ(missing->GetIconId(), 1026);
    EXPECT_TRUE(missing->WasIconLookedUp());
    EXPECT_EQ(empty->GetIconId(), 1026);
    // The file coming back later is not looked for again.
    s.files().write(missingPath, "part");
    frame->PostMessage(WM_IDLEUPDATECMDUI);
    s.runUntilIdle();
    EXPECT_EQ(missing->GetIconId(), 1026);
}

}  // namespace
