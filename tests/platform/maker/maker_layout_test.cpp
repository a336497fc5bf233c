#include <gtest/gtest.h>

#include "platform/core/journal.h"
#include "platform/korvoui.h"
#include "platform/win32/files/file.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

class MakerLayout : public MfcTest {
protected:
    void write(const wchar_t* path, const char* text) {
        ASSERT_EQ(platform::files::createDirectories(L"C:\\Layouts"), 0u);
        ASSERT_EQ(platform::files::writeAllAtomic(path, text), 0u);
    }
};

TEST_F(MakerLayout, TheDefaultStateKeepsItsBarsAndAppliesThemWithTheApplicationsCallbacks) {
    write(L"C:\\Layouts\\default.xml",
          "<state><MainWindow workbook=\"true\">"
          "<MenuBar id=\"59392\" title=\"Menu\"><Popup id=\"1\" caption=\"File\"/>"
          "<Button id=\"57601\" caption=\"Open\" beginGroup=\"true\" url=\"http://x\"/><Gauge id=\"5\"/></MenuBar>"
          "<ToolBar id=\"700\" title=\"Standard\"/><RibbonBar/></MainWindow></state>");
    Korvo::UI::MainFrameState state;
    ASSERT_TRUE(state.loadDefault(L"C:\\Layouts\\default.xml", Korvo::VersionNumber(18, 0, 0, 0)));
    ASSERT_NE(state.menuBar, nullptr);
    ASSERT_EQ(state.toolBars.size(), 1u);
    EXPECT_EQ(state.toolBars[0]->id(), 700);
    EXPECT_NE(state.ribbonBar, nullptr);

    auto* site = new CFrameWnd;
    ASSERT_TRUE(site->Create(nullptr, L"Site"));
    CXTPCommandBars bars;
    bars.SetSite(site);
    CXTPMenuBar* menu = bars.SetMenu(L"Menu", 0);
    ASSERT_NE(menu, nullptr);
    menu->GetControls()->Add(xtpControlButton, 99);
    std::vector<std::wstring> offered;
    Korvo::UI::XML::ApplicationParameters parameters;
    parameters.replaceControls = true;
    parameters.storeOriginal = true;
    parameters.readAttribute = [&](CXTPControl& control, const std::wstring& name, const std::wstring& value) {
        offered.push_back(std::to_wstring(control.GetID()) + L" " + name + L"=" + value);
    };
    platform::core::takeFailures();
    state.menuBar->apply(*menu, parameters);
    CXTPControls* controls = menu->GetControls();
    ASSERT_EQ(controls->GetCount(), 2);  // the unknown element is skipped
    EXPECT_EQ(controls->GetAt(0)->GetType(), xtpControlPopup);
    EXPECT_EQ(controls->GetAt(1)->GetCaption(), CString(L"Open"));
    EXPECT_TRUE(controls->GetAt(1)->GetBeginGroup());
    EXPECT_EQ(offered, std::vector<std::wstring>{L"57601 url=http://x"});
    EXPECT_EQ(controls->GetOriginalIds(), (std::vector<int>{1, 57601}));

    // Saving writes the library's attributes back.
    Korvo::UI::XML::ToolBar saved(L"MenuBar");
    saved.save(*menu, parameters);
    EXPECT_EQ(saved.children().size(), 2u);
    EXPECT_EQ(saved.children()[1]->attribute(L"caption", L""), L"Open");
    site->DestroyWindow();
}

TEST_F(MakerLayout, AMissingOrMalformedDefaultLeavesAnEmptyStateAndSaysWhere) {
    Korvo::UI::MainFrameState state;
    EXPECT_FALSE(state.loadDefault(L"C:\\Layouts\\none.xml", Korvo::VersionNumber(18, 0, 0, 0)));
    write(L"C:\\Layouts\\bad.xml", "<state>\n<MainWindow>\n</state>");
    EXPECT_FALSE(state.loadDefault(L"C:\\Layouts\\bad.xml", Korvo::VersionNumber(18, 0, 0, 0)));
    EXPECT_EQ(state.menuBar, nullptr);
    bool named = false;
    for (const auto& entry : platform::core::journal().entries())
        named = named || (entry.kind == "warning" && entry.text.find(L"bad.xml(3)") != std::wstring::npos);
    EXPECT_TRUE(named);
}

}  // namespace
