// The UI library's ribbon layout files as the ribbon page writes and reads them: a tab alone or
// the whole ribbon, read back into a live ribbon; what the library refuses to read changes
// nothing; reading a whole ribbon keeps what lives outside its tabs.
#include <gtest/gtest.h>

#include "platform/core/text.h"
#include "platform/korvoui/layout.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace Korvo::UI::XML;
using ribbontest::RibbonFrameTest;

class RibbonLayoutExchange : public RibbonFrameTest {
protected:
    // Writes a gallery's "library" through the application's writer and reads it back through
    // its attribute callback, as the program's callbacks do for its own controls.
    ApplicationParameters Parameters() {
        ApplicationParameters parameters;
        parameters.writeAttributes = [](const CXTPControl& control, Element& element) {
            if (control.GetID() == 690) element.setAttribute(L"library", L"Standard parts");
        };
        parameters.controlName = [](const CXTPControl& control) -> std::wstring {
            return control.GetID() == 690 ? L"configurations" : L"";
        };
        parameters.readAttribute = [this](CXTPControl& control, const std::wstring& name, const std::wstring& value) {
            read.push_back(std::to_wstring(control.GetID()) + L" " + name + L"=" + value);
        };
        return parameters;
    }
    std::shared_ptr<Element> Reparse(const Element& element) { return Element::parse(element.toXml(), L"layout.xml"); }

    std::vector<std::wstring> read;
};

TEST_F(RibbonLayoutExchange, ATabFileHoldsThatTabAndJoinsTheRibbonWhereItIsPut) {
    Element root(TagNames::RibbonTab);
    SaveRibbonTab(*home, root, Parameters(), 0);
    const auto file = Reparse(root);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->name(), L"RibbonTab");
    EXPECT_EQ(file->attribute(L"caption", L""), L"&Home");
    ASSERT_EQ(file->children().size(), 2u);

    RibbonTab model;
    ASSERT_TRUE(model.load(*file, Korvo::VersionNumber::Null));
    EXPECT_EQ(model.guid, kDefaultRibbonContext);
    model.guid = GUID{};
    const int tabs = ribbon->GetTabCount();
    model.applyTo(*ribbon, Parameters(), 1);
    ASSERT_EQ(ribbon->GetTabCount(), tabs + 1);
    auto* copy = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->GetTab(1));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetCaption(), CString(L"&Home"));
    EXPECT_EQ(copy->GetGuid(), GUID{}) << "the model's identity, not the file's, goes to the ribbon";
    EXPECT_EQ(ribbon->GetTab(0), home);
    EXPECT_EQ(ribbon->GetTab(2), sheet) << "the other tabs keep their order";
    ASSERT_EQ(copy->GetGroupCount(), 2);
    EXPECT_EQ(copy->GetGroup(1)->GetControls()->GetAt(0)->GetCaption(), CString(L"New configuration"));
    EXPECT_EQ(dynamic_cast<Korvo::UI::RibbonGroup*>(copy->GetGroup(1))->GetGuid(), ribbontest::kOtherGuid);
    EXPECT_EQ(read, (std::vector<std::wstring>{L"690 name=configurations", L"690 library=Standard parts"}));
}

TEST_F(RibbonLayoutExchange, WhatTheLibraryCannotReadIsRefusedAndChangesNothing) {
    const char* refused[] = {
        "<RibbonTab caption=\"A\" guid=\"not a guid\"/>",
        "<RibbonTab caption=\"A\"><RibbonGroup caption=\"G\"><Gauge id=\"1\"/></RibbonGroup></RibbonTab>",
        "<RibbonTab caption=\"A\"><RibbonGroup caption=\"G\"><Button id=\"twelve\"/></RibbonGroup></RibbonTab>",
        "<RibbonTab caption=\"A\"><Button id=\"1\"/></RibbonTab>",
        "<RibbonTab caption=\"A\" id=\"99999999999999\"/>",
        "<RibbonBar><RibbonTab caption=\"A\"/></RibbonBar>",
    };
    for (const char* text : refused) {
        const auto root = Element::parse(platform::core::fromUtf8(text), L"tab.xml");
        ASSERT_NE(root, nullptr) << text;
        RibbonTab model;
        EXPECT_FALSE(model.load(*root, Korvo::VersionNumber::Null)) << text;
        EXPECT_TRUE(model.children().empty()) << text;
        EXPECT_EQ(model.guid, GUID{}) << text;
        RibbonBar bar;
        const auto wrapped = Element::parse(L"<RibbonBar>" + platform::core::fromUtf8(text) + L"</RibbonBar>", L"bar.xml");
        EXPECT_FALSE(bar.load(*wrapped, Korvo::VersionNumber::Null)) << text;
        EXPECT_TRUE(bar.children().empty()) << text;
    }
    RibbonBar bar;
    EXPECT_FALSE(bar.load(Element(L"ribbonbar"), Korvo::VersionNumber::Null)) << "the root's name is compared exactly";
}

TEST_F(RibbonLayoutExchange, AWholeRibbonReplacesTheTabsAndKeepsWhatLivesOutsideThem) {
    CXTPControl* free = ribbon->GetControls()->Add(xtpControlButton, 65536);
    free->SetFlags(free->GetFlags() | 1);
    CXTPRibbonControlSystemButton* system = ribbon->GetSystemButton();
    Element root(TagNames::RibbonBar);
    SaveRibbonBar(*ribbon, root, Parameters(), 0);
    const auto file = Reparse(root);
    ASSERT_NE(file, nullptr);
    RibbonBar model;
    ASSERT_TRUE(model.load(*file, Korvo::VersionNumber::Null));
    // The file's tabs are the ribbon's, saved before the ribbon changed.
    home->SetCaption(L"Changed");
    ribbon->AddTab(L"Extra");
    model.apply(*ribbon, Parameters());
    ASSERT_EQ(ribbon->GetTabCount(), 5);
    EXPECT_EQ(ribbon->GetTab(0)->GetCaption(), CString(L"&Home"));
    EXPECT_EQ(dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->GetTab(1))->GetGuid(), ribbontest::kSheetGuid);
    EXPECT_FALSE(ribbon->GetTab(1)->IsVisible());
    EXPECT_EQ(dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->GetTab(4))->GetTagString(), CString(L"weld, pipe"));
    EXPECT_EQ(ribbon->GetControls()->FindControl(65536), free) << "a control beside the tabs stays";
    EXPECT_EQ(ribbon->GetSystemButton(), system);
}

}  // namespace
