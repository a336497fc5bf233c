// The program's controls for layout elements and the attributes it reads from them.
#include <gtest/gtest.h>

#include <memory>

#include "commandbars/file_button.h"
#include "commandbars/gallery/library_gallery.h"
#include "commandbars/ribbon_tabs_popup.h"
#include "mainframe/frame_controls.h"
#include "syspanel/parameter_controls.h"
#include "tests/support/session_test.h"

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
    Control plain(CreateToolBarControl(1072, L"Button"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetID(), 1072);
    EXPECT_EQ(plain->GetType(), xtpControlButton);
    // A pop-up element keeps the UI library's pop-up, which holds its items.
    EXPECT_EQ(Control(CreateToolBarControl(1072, L"Popup")), nullptr);
}

TEST(FrameControls, EachRangeAtItsEndsAndTheFirstIdBeyond) {
    // Application commands get no control; the ids around them get the toolkit's button.
    for (UINT id : {17000u, 32000u}) EXPECT_EQ(Control(CreateToolBarControl(id, L"Button")), nullptr) << id;
    for (UINT id : {16999u, 32001u}) {
        Control control(CreateToolBarControl(id, L"Button"));
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(control->GetType(), xtpControlButton) << id;
    }
    // The panel's parameter controls, first and last, and none on either side.
    for (UINT id : {904u, 918u}) EXPECT_NE(Control(CreateFrameControl(id, L"Edit")), nullptr) << id;
    for (UINT id : {903u, 919u}) EXPECT_EQ(Control(CreateFrameControl(id, L"Edit")), nullptr) << id;
}

TEST(FrameControls, AttributesSetFileLibraryWidthUrlAndTheHelpAnchor) {
    Control file(CreateToolBarControl(1026, L"Button"));
    ApplyToolBarControlAttribute(file.get(), L"fileName", L"C:\\Parts\\bolt.grb");
    EXPECT_EQ(file->GetParameter(), CString(L"C:\\Parts\\bolt.grb"));

    Control gallery(CreateToolBarControl(1314, L"Gallery"));
    auto* library = dynamic_cast<Korvo::UI::LibraryGallery*>(gallery.get());
    ApplyToolBarControlAttribute(gallery.get(), L"library", L"C:\\Lib");
    ApplyToolBarControlAttribute(gallery.get(), L"width", L"240");
    EXPECT_EQ(library->GetParameter(), CString(L"C:\\Lib"));
    EXPECT_EQ(library->GetItemsPerRow(), 240);
    for (const wchar_t* bad : {L"wide", L"", L"12px", L"99999999999", L"-"}) {
        ApplyToolBarControlAttribute(gallery.get(), L"width", bad);
        EXPECT_EQ(library->GetItemsPerRow(), -1) << bad;
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

namespace {

// A control about to be shown: blocked hints empty it; the program's own ids get their captions,
// sizes and prompts; every description and tooltip loses its mnemonic marks.
// The kernel's strings come from the program folder of a session.
class FrameControlText : public platform::harness::SessionTest {};

TEST_F(FrameControlText, FollowsTheIdAndBlockedHints) {
    platform::harness::Session s;
    s.start();
    auto make = [](XTPControlType type, int id) {
        Control control(new CXTPControlButton);
        control->SetType(type);
        control->SetID(id);
        control->SetDescription(L"&Open a file");
        control->SetTooltip(L"Open (&O)");
        return control;
    };
    auto blocked = make(xtpControlButton, 1001);
    UpdateControlText(*blocked, true);
    EXPECT_EQ(blocked->GetDescription(), CString());
    EXPECT_EQ(blocked->GetTooltip(), CString());
    EXPECT_NE(blocked->GetFlags() & xtpFlagManualUpdate, 0u);

    auto plain = make(xtpControlButton, 1001);
    UpdateControlText(*plain, false);
    EXPECT_EQ(plain->GetDescription(), CString(L"Open a file"));
    EXPECT_EQ(plain->GetTooltip(), CString(L"Open"));
    EXPECT_EQ(plain->GetFlags() & xtpFlagManualUpdate, 0u);

    auto fullScreen = make(xtpControlButton, 1254);
    fullScreen->SetCaption(L"Full screen (&U)");
    UpdateControlText(*fullScreen, false);
    EXPECT_EQ(fullScreen->GetStyle(), xtpButtonIconAndCaption);
    EXPECT_EQ(fullScreen->GetCaption(), CString(L"Full screen"));
    EXPECT_EQ(fullScreen->GetTooltip(), CString(L"Full screen"));

    auto sized = make(xtpControlButton, 1636);
    UpdateControlText(*sized, false);
    EXPECT_EQ(sized->GetHeight(), XTPDpiHelper()->ScaleY(20));
    EXPECT_EQ(sized->GetIconSize().cx, 16);
    EXPECT_EQ(sized->GetStyle(), xtpButtonIconAndCaption);

    // The tool-bar toggles are 700 to 749, both ends included: each takes its bar's title.
    for (int id : {700, 701, 749}) {
        auto toggle = make(xtpControlButton, id);
        UpdateControlText(*toggle, false, L"Drawing");
        EXPECT_EQ(toggle->GetDescription(), CString(L"Shows or hides the tool bar \"Drawing\"")) << id;
    }
    for (int id : {699, 750}) {
        auto outside = make(xtpControlButton, id);
        UpdateControlText(*outside, false, L"Drawing");
        EXPECT_EQ(outside->GetDescription(), CString(L"Open a file")) << id << " is no tool-bar toggle";
    }
    auto unnamed = make(xtpControlButton, 702);
    UpdateControlText(*unnamed, false);
    EXPECT_EQ(unnamed->GetDescription(), CString(L"Open a file"));

    auto find = make(xtpControlComboBox, 1251);
    UpdateControlText(*find, false);
    EXPECT_NE(find->GetFlags() & xtpFlagManualUpdate, 0u);
}

// The frame's controls that other parts of the program own: the ray-tracing popups and the theme
// popup of the type its element names, filled with one item per UI theme.
TEST_F(FrameControlText, FramePopupsByIdAndTag) {
    platform::harness::Session s;
    s.start();
    const Control camera(CreateFramePopupControl(2041, L"Popup", nullptr));
    EXPECT_NE(dynamic_cast<OptixCameraPopup*>(camera.get()), nullptr);
    const Control tabs(CreateFramePopupControl(0, L"Popup", nullptr));
    EXPECT_NE(dynamic_cast<RibbonTabsPopup*>(tabs.get()), nullptr);
    EXPECT_EQ(CreateFramePopupControl(0, L"Button", nullptr), nullptr);
    const Control quality(CreateFramePopupControl(2042, L"Popup", nullptr));
    EXPECT_NE(dynamic_cast<OptixQualityPopup*>(quality.get()), nullptr);
    EXPECT_EQ(CreateFramePopupControl(2043, L"Popup", nullptr), nullptr);

    const Control split(CreateFramePopupControl(2851, L"SplitButtonPopup", nullptr));
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->GetType(), xtpControlSplitButtonPopup);
    EXPECT_NE(split->GetFlags() & xtpFlagManualUpdate, 0u);
    ASSERT_NE(split->GetCommandBar(), nullptr);
    CXTPControls* themes = split->GetCommandBar()->GetControls();
    ASSERT_GT(themes->GetCount(), 0);
    EXPECT_EQ(themes->GetAt(0)->GetID(), 3401);
    const Control plain(CreateFramePopupControl(2851, L"Button", nullptr));
    EXPECT_EQ(plain->GetType(), xtpControlPopup);
}

}  // namespace
