// The program's controls for layout elements and the attributes it reads from them.
#include <gtest/gtest.h>

#include <memory>

#include "mainframe/frame_controls.h"

namespace {

struct Released {
    void operator()(CXTPControl* control) const { control->InternalRelease(); }
};
using Control = std::unique_ptr<CXTPControl, Released>;

TEST(FrameControls, FileControlsDependOnTheirTagAndApplicationCommandsGetNone) {
    EXPECT_EQ(Control(CreateToolBarControl(17000, L"Button")), nullptr);
    EXPECT_EQ(Control(CreateToolBarControl(32000, L"Button")), nullptr);
    Control file(CreateFrameControl(1026, L"Button"));
    EXPECT_NE(dynamic_cast<Korvo::UI::FileButton*>(file.get()), nullptr);
    Control gallery(CreateFrameControl(1314, L"Gallery"));
    EXPECT_NE(dynamic_cast<Korvo::UI::LibraryGallery*>(gallery.get()), nullptr);
    EXPECT_EQ(Control(CreateFrameControl(1072, L"Popup")), nullptr);
    EXPECT_EQ(Control(CreateFrameControl(0, L"Popup")), nullptr);
    Control plain(CreateToolBarControl(1072, L"Popup"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetID(), 1072);
    EXPECT_EQ(plain->GetType(), xtpControlButton);
}

TEST(FrameControls, AttributesSetFileLibraryWidthUrlAndTheHelpAnchor) {
    Control file(CreateToolBarControl(1026, L"Button"));
    ApplyToolBarControlAttribute(file.get(), L"fileName", L"C:\\Parts\\bolt.grb");
    EXPECT_EQ(file->GetParameter(), CString(L"C:\\Parts\\bolt.grb"));

    Control gallery(CreateToolBarControl(1314, L"Gallery"));
    auto* library = dynamic_cast<Korvo::UI::LibraryGallery*>(gallery.get());
    ApplyToolBarControlAttribute(gallery.get(), L"library", L"C:\\Lib");
    ApplyToolBarControlAttribute(gallery.get(), L"width", L"240");
    EXPECT_EQ(library->GetLibraryPath(), CString(L"C:\\Lib"));
    EXPECT_EQ(library->GetWidth(), 240);
    for (const wchar_t* bad : {L"wide", L"", L"12px", L"99999999999", L"-"}) {
        ApplyToolBarControlAttribute(gallery.get(), L"width", bad);
        EXPECT_EQ(library->GetWidth(), -1) << bad;
    }
    EXPECT_EQ(ParseControlWidth(L"-2147483648"), -2147483648);
    EXPECT_EQ(ParseControlWidth(L"2147483648"), -1);

    Control button(CreateToolBarControl(2000, L"Button"));
    ApplyToolBarControlAttribute(button.get(), L"url", L"not a link");
    EXPECT_TRUE(button->GetParameter().IsEmpty());
    ApplyToolBarControlAttribute(button.get(), L"url", L"https://example.org/help");
    EXPECT_EQ(button->GetParameter(), CString(L"https://example.org/help"));

    // The anchor value is matched exactly: "Help" is not "help".
    ApplyToolBarControlAttribute(button.get(), L"anchor", L"help");
    EXPECT_TRUE(button->GetFlags() & 0x1000);
    ApplyToolBarControlAttribute(button.get(), L"anchor", L"Help");
    EXPECT_FALSE(button->GetFlags() & 0x1000);
    ApplyToolBarControlAttribute(button.get(), L"anchor", L"help");
    ApplyToolBarControlAttribute(button.get(), L"", L"help");
    EXPECT_FALSE(button->GetFlags() & 0x1000);
}

}  // namespace
