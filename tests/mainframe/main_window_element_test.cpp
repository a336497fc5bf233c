// The texts of the "MainWindow" element's attributes, and reading an element into a state: what a
// hand-edited or older state file gives.
#include <gtest/gtest.h>

#include "commandbars/file_button.h"
#include "commandbars/gallery/library_gallery.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame_state.h"
#include "mainframe/main_window_attributes.h"

namespace {

using Korvo::UI::XML::Element;

std::shared_ptr<Element> Parse(const std::wstring& xml) { return Element::parse(xml, L"test.xml"); }

TEST(MainWindowAttributes, ViewTypesAreWrittenAsTokensAndReadBack) {
    EXPECT_EQ(ViewTypesText(0x1000 | 0x4000 | 0x20000), L"camera,2d,!workplane,fea");
    EXPECT_EQ(ViewTypesText(0), L"!cad");
    EXPECT_EQ(ViewTypesText(0xF000), L"cad");
    EXPECT_EQ(ViewTypesText(0x7F000), L"");
    EXPECT_EQ(ViewTypesText(0x2000), L"!camera,!2d,!workplane");
    EXPECT_EQ(ViewTypesText(0x6000 | 0x8000 | 0x10000 | 0x40000), L"3d,!2d,workplane,cam,optix");
    // Bits outside the view types (the manual-update flag) do not count.
    EXPECT_EQ(ViewTypesText(0x7F000 | 8), L"");
    for (DWORD bits : {0x0u, 0x1000u, 0x2000u, 0x4000u, 0x6000u, 0x9000u, 0xF000u, 0x35000u, 0x4E000u}) {
        SCOPED_TRACE(bits);
        EXPECT_EQ(ParseViewTypes(ViewTypesText(bits)), bits);
    }
}

TEST(MainWindowAttributes, PdmWindowsAreAValueSet) {
    EXPECT_EQ(ParsePdmWindows(L"!mail"), 0xFFu & ~32u);
    EXPECT_EQ(ParsePdmWindows(L"files,assembly"), 3u);
    EXPECT_EQ(ParsePdmWindows(L""), 0u);
    EXPECT_EQ(ParsePdmWindows(L"bogus"), 0u);
    EXPECT_EQ(ParsePdmWindows(L"all,!search"), 0xEFu);
    EXPECT_EQ(PdmWindowsText(0), L"");
    EXPECT_EQ(PdmWindowsText(0x81), L"files,libraryElements");
    EXPECT_EQ(PdmWindowsText(0xFF), L"files,assembly,desktop,nomenclature,search,mail,configurationSettings,libraryElements");
    EXPECT_EQ(ParsePdmWindows(PdmWindowsText(0xB5)), 0xB5u);
    EXPECT_EQ(AnalysisModeText(1), L"fea");
    EXPECT_EQ(AnalysisModeText(2), L"dynamics");
    EXPECT_EQ(AnalysisModeText(3), L"");
}

TEST(MainWindowAttributes, ControlsWriteTheirFileLibraryUrlAndViewAttributes) {
    auto write = [](CXTPControl& control) {
        Element element(L"Button");
        WriteLayoutControlAttributes(control, element);
        return element.attributes();
    };
    using Attributes = std::vector<std::pair<std::wstring, std::wstring>>;
    Korvo::UI::LibraryGallery gallery;
    gallery.SetID(1072);
    gallery.SetLibraryName(L"C:\\Lib");
    gallery.SetItemsPerRow(0, false);
    gallery.SetFlags(0x7F000);
    EXPECT_EQ(write(gallery), (Attributes{{L"library", L"C:\\Lib"}}));
    gallery.SetItemsPerRow(3, false);
    EXPECT_EQ(write(gallery), (Attributes{{L"library", L"C:\\Lib"}, {L"width", L"3"}}));

    Korvo::UI::FileButton file;
    file.SetID(1026);
    file.SetParameter(L"C:\\a.grb");
    file.SetFlags(0x1000);
    EXPECT_EQ(write(file), (Attributes{{L"fileName", L"C:\\a.grb"}, {L"viewTypes", L"!3d,2d,!workplane"}}));

    // Any other button keeps its parameter as a URL; one without a parameter writes none.
    CXTPControl button(xtpControlButton);
    button.SetID(1001);
    button.SetParameter(L"https://example.org/help");
    button.SetFlags(0x7F000);
    EXPECT_EQ(write(button), (Attributes{{L"url", L"https://example.org/help"}}));
    button.SetParameter(L"");
    EXPECT_TRUE(write(button).empty());
}

TEST(MainWindowState, ValuesThatDoNotParseKeepTheDefaults) {
    const auto element = Parse(
        L"<MainWindow workbook=\"maybe\" fullscreen=\"1\" maximizeMdi=\"\" analysisMode=\"FEA\" "
        L"varnelWindows=\"search\" windowRect=\"1,2,x,4\" windowState=\"huge\" showClassicAutoMenu=\"false\"/>");
    ASSERT_TRUE(element);
    const auto state = LoadMainFrameState(*element, Korvo::VersionNumber(18, 0, 0, 0), nullptr);
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->workbook);
    EXPECT_TRUE(state->fullscreen);
    EXPECT_TRUE(state->maximizeMdi);
    EXPECT_FALSE(state->showClassicAutoMenu);
    EXPECT_EQ(state->analysisMode, 1u);
    EXPECT_EQ(state->pdmWindows, 16u);
    EXPECT_EQ(state->windowRect.right, 0);
    EXPECT_EQ(state->showCommand, static_cast<UINT>(SW_SHOWNORMAL));

    const auto dynamics = Parse(L"<MainWindow analysisMode=\"dynamics\" windowRect=\"10,20,300,400\" windowState=\"maximized\"/>");
    const auto read = LoadMainFrameState(*dynamics, Korvo::VersionNumber(18, 0, 0, 0), nullptr);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->analysisMode, 2u);
    EXPECT_EQ(read->windowRect.left, 10);
    EXPECT_EQ(read->windowRect.bottom, 400);
    EXPECT_EQ(read->showCommand, static_cast<UINT>(SW_SHOWMAXIMIZED));

    // Not a main window, or another product's: nothing.
    EXPECT_FALSE(LoadMainFrameState(*Parse(L"<ToolBar/>"), Korvo::VersionNumber(18, 0, 0, 0), nullptr));
    EXPECT_FALSE(LoadMainFrameState(*Parse(L"<MainWindow product=\"Other\"/>"), Korvo::VersionNumber(18, 0, 0, 0), nullptr));
}

TEST(MainWindowState, OldGroupIdsAreRemappedOnlyBelowVersion16) {
    const std::wstring groups =
        L"<RibbonTab guid=\"{00000000-0000-0000-0000-000000000001}\"><RibbonGroup id=\"10003\"/>"
        L"<RibbonGroup id=\"10006\"/><RibbonGroup id=\"10007\"/><RibbonGroup id=\"5\"/></RibbonTab>";
    auto idsOf = [](const MainFrameState& state) {
        std::vector<std::wstring> ids;
        for (const auto& group : state.ribbonBar->children().front()->children())
            ids.push_back(group->attribute(L"id", L"") + L"/" + group->attribute(L"secondId", L""));
        return ids;
    };
    const auto old = LoadMainFrameState(*Parse(L"<MainWindow><RibbonBar>" + groups + L"</RibbonBar></MainWindow>"),
                                        Korvo::VersionNumber(15, 0, 0, 0), nullptr);
    ASSERT_TRUE(old && old->ribbonBar);
    EXPECT_EQ(idsOf(*old), (std::vector<std::wstring>{L"-1/2", L"-1/18", L"10007/", L"5/"}));
    // The ribbon's own version rules over the file's.
    const auto current = LoadMainFrameState(
        *Parse(L"<MainWindow><RibbonBar version=\"16.0\">" + groups + L"</RibbonBar></MainWindow>"),
        Korvo::VersionNumber(15, 0, 0, 0), nullptr);
    ASSERT_TRUE(current && current->ribbonBar);
    EXPECT_EQ(idsOf(*current), (std::vector<std::wstring>{L"10003/", L"10006/", L"10007/", L"5/"}));
}

TEST(MainWindowState, MergingSharesWhatIsMissingAndCopiesWhatIsShared) {
    const auto defaults = LoadMainFrameState(
        *Parse(L"<MainWindow><MenuBar id=\"59392\" title=\"Menu\"/><ToolBar id=\"7\"/>"
               L"<RibbonBar><RibbonTab guid=\"{00000000-0000-0000-0000-000000000001}\"/>"
               L"<RibbonTab guid=\"{00000000-0000-0000-0000-000000000002}\"/></RibbonBar></MainWindow>"),
        Korvo::VersionNumber(18, 0, 0, 0), nullptr);
    ASSERT_TRUE(defaults);
    // A state without a menu bar shares the other's; a ribbon of its own gains the new tabs.
    const auto loaded = LoadMainFrameState(
        *Parse(L"<MainWindow><ToolBar id=\"9\"/><RibbonBar><RibbonTab guid=\"{00000000-0000-0000-0000-000000000002}\" "
               L"caption=\"Mine\"/></RibbonBar><codejock><normalLayout/></codejock>"
               L"<framelessToolBar id=\"1063\"/></MainWindow>"),
        Korvo::VersionNumber(18, 0, 0, 0), defaults.get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->menuBar, defaults->menuBar);
    ASSERT_EQ(loaded->ribbonBar->children().size(), 2u);
    EXPECT_EQ(loaded->ribbonBar->children().front()->attribute(L"caption", L""), L"Mine");
    EXPECT_EQ(defaults->ribbonBar->children().size(), 2u);
    EXPECT_EQ(loaded->toolBars, defaults->toolBars);
    // The toolkit's layout and the frameless bar are kept for the frame.
    ASSERT_TRUE(loaded->commandBarsLayout);
    EXPECT_TRUE(loaded->commandBarsLayout->child(L"normalLayout"));
    ASSERT_TRUE(loaded->framelessToolBar);
    EXPECT_EQ(loaded->framelessToolBar->id(), 1063);

    // A shared menu bar is copied before it takes the other's definition: its other owner keeps it.
    MainFrameState sharing;
    sharing.menuBar = defaults->menuBar;
    auto other = std::make_shared<MainFrameState>();
    other->menuBar = std::make_shared<Korvo::UI::XML::ToolBar>(L"MenuBar");
    other->menuBar->setAttribute(L"extra", L"1");
    sharing.merge(*other);
    EXPECT_NE(sharing.menuBar, defaults->menuBar);
    EXPECT_TRUE(sharing.menuBar->attribute(L"extra"));
    EXPECT_FALSE(defaults->menuBar->attribute(L"extra"));
    // Merging a state with itself changes nothing.
    const auto before = loaded->toolBars;
    loaded->merge(*loaded);
    EXPECT_EQ(loaded->toolBars, before);
}

}  // namespace
