// Files made to hurt: nesting deep enough to exhaust the stack of a recursive reader, rectangles
// at the integer limits, and layouts naming thousands of panes nobody makes.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/kernel/documentsmenu/model.h"
#include "platform/korvoui/layout.h"
#include "platform/toolkit.h"

namespace {

// `depth` elements named `name` nested in one another, each opening on a line of its own, inside
// `<root>` (line 1, depth 1): the element at depth D opens on line D.
// The deepest element holds text, which is no element nested deeper.
std::string Nested(const std::string& root, const std::string& name, int depth) {
    std::string text = "<" + root + ">";
    for (int i = 0; i < depth; ++i) text += "\n<" + name + ">";
    text += "deepest";
    for (int i = 0; i < depth; ++i) text += "</" + name + ">";
    return text + "</" + root + ">";
}

TEST(HostileFilesTest, NestingBeyondTheDocumentedDepthIsRefusedWithFileAndLineByEveryXmlReader) {
    // The deepest accepted nesting is 256 elements: a root and 255 below it.
    CXTPPropExchangeXMLNode shallow(TRUE, L"state");
    EXPECT_TRUE(shallow.LoadFromString(platform::core::fromUtf8(Nested("state", "a", 255)), L"ok.xml"));

    CXTPPropExchangeXMLNode deep(TRUE, L"state");
    EXPECT_FALSE(deep.LoadFromString(platform::core::fromUtf8(Nested("state", "a", 20000)), L"state.xml"));
    EXPECT_TRUE(platform::core::journal().contains("warning", L"state.xml(257): elements nested deeper than 256 levels"));

    // A default layout: every start read it, and walked and freed its tree recursively.
    EXPECT_EQ(Korvo::UI::XML::Element::loadText(Nested("MainWindow", "Popup", 20000), L"C:\\Layout.xml"), nullptr);
    EXPECT_TRUE(platform::core::journal().contains("warning", L"C:\\Layout.xml(257): elements nested deeper than 256 levels"));
    EXPECT_NE(Korvo::UI::XML::Element::loadText(Nested("MainWindow", "Popup", 255), L"C:\\Layout.xml"), nullptr);
}

TEST(HostileFilesTest, AConfigurationOfThirtyThousandNestedGroupsIsRefusedWithFileAndLine) {
    std::wstring error;
    const auto deep = platform::kernel::documentsmenu::parseConfigurationText(
        Nested("configuration", "group", 30000), L"C:\\Deep.tws", error);
    EXPECT_FALSE(deep.has_value());
    EXPECT_EQ(error, L"C:\\Deep.tws(257): elements nested deeper than 256 levels");

    const auto fine = platform::kernel::documentsmenu::parseConfigurationText(
        Nested("configuration", "group", 255), L"C:\\Fine.tws", error);
    ASSERT_TRUE(fine.has_value()) << platform::core::toUtf8(error);
    int levels = 0;
    for (const auto* group = &*fine; !group->groups.empty(); group = &group->groups.front()) ++levels;
    EXPECT_EQ(levels, 255);
}

class KnownPanesManager : public CXTPDockingPaneManager {
public:
    bool IsLayoutPaneKnown(UINT id) const override { return id < 2000; }
};

std::unique_ptr<CXTPDockingPaneLayout> LoadLayout(CXTPDockingPaneManager& manager, const std::string& panes) {
    CXTPPropExchangeXMLNode px(TRUE, L"DockingPane");
    EXPECT_TRUE(px.LoadFromString(platform::core::fromUtf8("<DockingPane>" + panes + "</DockingPane>"), L"layout.xml"));
    auto layout = manager.CreateLayout();
    EXPECT_TRUE(layout->DoPropExchange(&px));
    return layout;
}

TEST(HostileFilesTest, RectanglesAtTheIntegerLimitsAreHeldToWindowCoordinates) {
    KnownPanesManager manager;
    const auto layout = LoadLayout(manager,
        "<Pane ID=\"1006\" Left=\"-2147483648\" Top=\"-2147483648\" Right=\"2147483647\" Bottom=\"2147483647\""
        " FloatLeft=\"2147483647\" FloatTop=\"5\" FloatRight=\"-2147483648\" FloatBottom=\"4\"/>");
    ASSERT_EQ(layout->GetEntries().size(), 1u);
    const RECT rect = layout->GetEntries()[0].rect;
    EXPECT_EQ(rect.left, -32768);
    EXPECT_EQ(rect.top, -32768);
    EXPECT_EQ(rect.right, 32767);
    EXPECT_EQ(rect.bottom, 32767);
    // An inverted rectangle is an empty one at its left and top.
    const RECT floating = layout->GetEntries()[0].floatRect;
    EXPECT_EQ(floating.left, 32767);
    EXPECT_EQ(floating.right, 32767);
    EXPECT_EQ(floating.top, 5);
    EXPECT_EQ(floating.bottom, 5);
}

TEST(HostileFilesTest, PanesTheManagerNeverMakesAreDroppedAsTheLayoutIsRead) {
    std::string panes;
    for (int id = 2000; id < 22000; ++id) panes += "<Pane ID=\"" + std::to_string(id) + "\" State=\"0\"/>";
    panes += "<Pane ID=\"1006\" State=\"0\"/><Pane ID=\"1006\" State=\"1\"/>";
    KnownPanesManager manager;
    const auto layout = LoadLayout(manager, panes);
    ASSERT_EQ(layout->GetEntries().size(), 1u);
    EXPECT_EQ(layout->GetEntries()[0].id, 1006u);
    EXPECT_EQ(layout->GetEntries()[0].state, xtpPaneDocked);
}

}  // namespace
