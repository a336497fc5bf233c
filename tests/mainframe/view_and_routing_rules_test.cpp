// The rules the frame's view-dependent groups, key routing and executed links follow.
#include <gtest/gtest.h>

#include "mainframe/main_frame_routing.h"
#include "mainframe/view_types.h"

namespace {

TEST(ViewTypeMask, EachBitFollowsItsOwnFact) {
    ViewTypeFacts none;
    EXPECT_EQ(ComputeViewTypeMask(none), kViewTypeNoPanel | kViewTypeNoView);

    ViewTypeFacts view;
    view.panelShown = view.hasView = view.documentView = true;
    EXPECT_EQ(ComputeViewTypeMask(view), 0u);
    view.kind = 1;
    EXPECT_EQ(ComputeViewTypeMask(view), kViewTypeKind1);
    view.kind = 2;
    EXPECT_EQ(ComputeViewTypeMask(view), kViewTypeNoView);
    view.alternate = true;  // a kind-2 view in its alternate state counts as kind 1
    EXPECT_EQ(ComputeViewTypeMask(view), kViewTypeKind1);
    view = ViewTypeFacts{true, true, true};
    view.property3 = true;
    EXPECT_EQ(ComputeViewTypeMask(view), kViewTypeProperty3);
    view.property3 = false;
    view.property4 = true;
    EXPECT_EQ(ComputeViewTypeMask(view), kViewTypeProperty4);
    view.property4 = false;
    view.documentFlags = kFlaggedDocument | 1;
    EXPECT_EQ(ComputeViewTypeMask(view), kViewTypeFlaggedDocument);

    // A view that is no document view of the kernel has none of the view's bits.
    ViewTypeFacts other;
    other.panelShown = other.hasView = true;
    other.kind = 1;
    other.property3 = other.property4 = true;
    EXPECT_EQ(ComputeViewTypeMask(other), 0u);
}

TEST(ViewTypeMask, AGroupShowsOnlyWithEveryBitItNeeds) {
    EXPECT_FALSE(RibbonGroupShownFor(0, 0x7E).has_value());
    EXPECT_FALSE(RibbonGroupShownFor(1, 0).has_value()) << "bit 1 counts for nothing";
    const DWORD needs = kViewTypeNoPanel | kViewTypeNoView;
    ViewTypeFacts facts;  // panel hidden, no view
    EXPECT_EQ(RibbonGroupShownFor(needs, ComputeViewTypeMask(facts)), true);
    facts.panelShown = true;
    EXPECT_EQ(RibbonGroupShownFor(needs, ComputeViewTypeMask(facts)), false);
    facts = ViewTypeFacts{false, true, true, 2};
    EXPECT_EQ(RibbonGroupShownFor(needs | 1, ComputeViewTypeMask(facts)), true) << "a kind-2 view";
    facts.alternate = true;
    EXPECT_EQ(RibbonGroupShownFor(needs, ComputeViewTypeMask(facts)), false);
}

TEST(KeyRouting, TypingKeysWithAndWithoutCtrl) {
    EXPECT_TRUE(IsTypingKey('A', false));
    EXPECT_TRUE(IsTypingKey('7', false));
    EXPECT_TRUE(IsTypingKey(VK_F1, false));
    EXPECT_TRUE(IsTypingKey(VK_F24, true));
    EXPECT_FALSE(IsTypingKey('A', true)) << "Ctrl+A is a shortcut";
    EXPECT_FALSE(IsTypingKey('0', true));
    EXPECT_FALSE(IsTypingKey(VK_ESCAPE, false));
    EXPECT_FALSE(IsTypingKey(VK_RETURN, false));
}

TEST(ControlLinks, OnlyWebAndMailLinksOpen) {
    for (const wchar_t* link : {L"http://example.org/a", L"HTTPS://example.org", L"mailto:someone@example.org"}) {
        EXPECT_TRUE(IsUrlParameter(link)) << CString(link).GetString();
        EXPECT_TRUE(IsOpenableUrl(link)) << CString(link).GetString();
    }
    // Links a shared layout could carry to run something: handled, never opened.
    for (const wchar_t* link : {L"file:///C:/Windows/System32/calc.exe", L"ms-settings:display", L"javascript:alert(1)"}) {
        EXPECT_TRUE(IsUrlParameter(link)) << CString(link).GetString();
        EXPECT_FALSE(IsOpenableUrl(link)) << CString(link).GetString();
    }
    // Paths and plain words are no links.
    for (const wchar_t* text : {L"C:\\Parts\\Bolt.grb", L"Bolt.grb", L"http", L"1:2"}) {
        EXPECT_FALSE(IsUrlParameter(text)) << CString(text).GetString();
        EXPECT_FALSE(IsOpenableUrl(text)) << CString(text).GetString();
    }
}

}  // namespace
