// Clipart panes: the icon data add-ons hand over, and an add-on's pane that a saved layout keeps
// while the add-on does not run.
#include <gtest/gtest.h>

#include <string>

#include "mainframe/clipart/application_clipart.h"
#include "platform/korvoui/vector_icons.h"
#include "tests/mainframe/clipart_test_support.h"

namespace {

using namespace platform::harness;

TEST(VectorIcons, OnlyAnXmlDocumentWhoseRootIsSvgIsAPicture) {
    EXPECT_TRUE(Korvo::UI::IsSvgImage("<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\"/>"));
    EXPECT_TRUE(Korvo::UI::IsSvgImage("<svg:svg xmlns:svg=\"http://www.w3.org/2000/svg\"></svg:svg>"));
    EXPECT_FALSE(Korvo::UI::IsSvgImage("garbage <svg but never closed"));
    EXPECT_FALSE(Korvo::UI::IsSvgImage("<html><svg/></html>"));
    EXPECT_FALSE(Korvo::UI::IsSvgImage(""));
}

TEST(VectorIcons, AnIconFilesDirectoryGivesItsSizesAndAShortOneNone) {
    std::string ico("\0\0\1\0\2\0", 6);
    std::string entry(16, '\0');
    entry[0] = 32;
    ico += entry;
    entry[0] = 0;  // 256
    ico += entry;
    EXPECT_EQ(Korvo::UI::FindRasterIconSizes(ico), (std::vector<int>{32, 256}));
    EXPECT_TRUE(Korvo::UI::FindRasterIconSizes(ico.substr(0, 20)).empty());  // the directory runs past the data
    EXPECT_TRUE(Korvo::UI::FindRasterIconSizes("<svg/>").empty());
}

class ClipartIconsTest : public ClipartPanesTest {
protected:
    void SetUp() override {
        ClipartPanesTest::SetUp();
        s.kernel().runApplication(L"Drafter", true);
        s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.ShowApplicationClipart(L"Drafter", 7, L"Sketches"); });
        pane = frame->GetPaneManager().FindPane(11000);
        ASSERT_NE(pane, nullptr);
    }
    // The icon sizes pane 11000's image manager holds, with `v` after a vector one.
    std::wstring Icons() const {
        const CXTPImageManagerIconSet* set = frame->GetPaneManager().GetImageManager()->GetIconSet(11000);
        if (!set) return L"none";
        std::wstring text;
        for (const auto& [width, icon] : set->GetIcons()) text += std::to_wstring(width) + (icon->IsVectorIcon() ? L"v " : L" ");
        return text;
    }
    void SetSvg(const std::string& bytes) {
        s.kernel().callback([&bytes](KorvoServerAppProxy& kernel) {
            kernel.SetClipartSvgIcon(L"Drafter", 7, reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
        });
    }

    CXTPDockingPane* pane = nullptr;
};

TEST_F(ClipartIconsTest, AnSvgPictureIsAVectorIconAndOtherDataGivesItsRasterIconsOrNothingNew) {
    SetSvg("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 16 16\"/>");
    EXPECT_EQ(Icons(), L"16v ");
    // Mentioning the tag does not make a picture; with no raster icons either, the icon stays.
    SetSvg("this is no <svg picture");
    EXPECT_EQ(Icons(), L"16v ");
    std::string ico("\0\0\1\0\2\0", 6);
    for (const char edge : {16, 32}) {
        std::string entry(16, '\0');
        entry[0] = edge;
        ico += entry;
    }
    SetSvg(ico);
    EXPECT_EQ(Icons(), L"16 32 ");
}

TEST_F(ClipartIconsTest, AnAddOnPaneOfASavedLayoutWaitsForItsAddOnAndComesBackWhenItAsks) {
    const std::wstring xml = SaveLayoutAndEndViews();
    // The next start: the add-on does not run yet when the layout loads.
    s.kernel().runApplication(L"Drafter", false);
    LoadLayout(xml);
    CKVDockingPaneManager& manager = frame->GetPaneManager();
    EXPECT_EQ(manager.FindPane(11000), nullptr);
    auto* waiting = dynamic_cast<ApplicationClipart*>(CClipartView::FindByKey(L"Drafter", 7));
    ASSERT_NE(waiting, nullptr);
    EXPECT_EQ(waiting->GetSafeHwnd(), nullptr);

    // Asked for while still stopped: refused, and the view keeps waiting.
    s.kernel().callback([](KorvoServerAppProxy& kernel) { EXPECT_EQ(kernel.ShowApplicationClipart(L"Drafter", 7, L"New"), nullptr); });
    EXPECT_EQ(CClipartView::FindByKey(L"Drafter", 7), waiting);

    s.kernel().runApplication(L"Drafter", true);
    s.kernel().callback([](KorvoServerAppProxy& kernel) { EXPECT_NE(kernel.ShowApplicationClipart(L"Drafter", 7, L"New"), nullptr); });
    CXTPDockingPane* back = manager.FindPane(11000);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetChild(), waiting->GetSafeHwnd());
    EXPECT_EQ(waiting->GetTitle(), CString(L"Sketches"));  // the title the layout kept
    EXPECT_NE(waiting->GetContentWindow(), nullptr);
}

}  // namespace
