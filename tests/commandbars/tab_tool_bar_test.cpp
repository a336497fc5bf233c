// The tabbed main bar's command sets: saved and loaded with their records, loaded twice without
// doubling, a stored identifier that does not parse; and tool bars made from a tab.
#include "services/command_bars.h"
#include "commandbars/tab_tool_bar.h"
#include "mainframe/main_frame.h"
#include "platform/core/journal.h"
#include "platform/kernel.h"
#include "tests/support/main_frame_at.h"
#include "tests/support/session_test.h"

namespace {

constexpr GUID kFirst{0x01020304, 0x0506, 0x0708, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr GUID kSecond{0x11121314, 0x1516, 0x1718, {1, 2, 3, 4, 5, 6, 7, 8}};

class TabToolBarTest : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame = platform::harness::mainFrameAt(s);
        ASSERT_NE(frame, nullptr);
    }
    // A bar of the frame with two original modes.
    CKVTabToolBar* NewBar(const wchar_t* title) {
        auto* bar = dynamic_cast<CKVTabToolBar*>(frame->GetCommandBars()->Add(title, xtpBarTop, RUNTIME_CLASS(CKVTabToolBar)));
        const UINT first[] = {1075, 1001, 1029, 0, 1115, 1117, 2882, 0, 1175};
        const UINT second[] = {1001, 1022, 2899};
        bar->AddOriginalTab(L"Draw", first, 9, 0, true, kFirst);
        bar->AddOriginalTab(L"Look", second, 3, 0, false, kSecond);
        bar->GetControls()->CreateOriginalControls();
        return bar;
    }
    static CString Saved(CKVTabToolBar* bar) {
        CXTPPropExchangeXMLNode px(FALSE, L"Bar");
        bar->DoPropExchange(&px);
        return px.SaveToString();
    }
    static void Load(CKVTabToolBar* bar, const CString& xml) {
        CXTPPropExchangeXMLNode px(TRUE, L"Bar");
        ASSERT_TRUE(px.LoadFromString(xml.view(), L"test"));
        bar->DoPropExchange(&px);
    }
    platform::harness::Session s;
    CMainFrame* frame = nullptr;
};

TEST_F(TabToolBarTest, CommandSetsSurviveTheLayoutOnceEach) {
    CKVTabToolBar* bar = NewBar(L"Modes");
    bar->SetAccel(0, 9, '1');
    const CXTPTabToolBar::TabItem* user = bar->AddTab(L"Mine", nullptr, 0, FALSE);
    ASSERT_NE(user, nullptr);
    bar->ShowPrompts(true);
    const CString xml = Saved(bar);

    // A bar that holds the original modes shows each stored one once, and so does a second load.
    CKVTabToolBar* restored = NewBar(L"Restored");
    for (int pass = 0; pass < 2; ++pass) {
        Load(restored, xml);
        ASSERT_EQ(restored->GetItemCount(), 3) << pass;
        EXPECT_EQ(restored->GetCommandSets().size(), 3u) << pass;
        for (int tab = 0; tab < 3; ++tab) {
            EXPECT_EQ(restored->GetItem(tab)->caption, bar->GetItem(tab)->caption);
            EXPECT_EQ(restored->GetTabIdentifier(tab), bar->GetTabIdentifier(tab));
            EXPECT_EQ(restored->IsCustomizeVisible(tab), bar->IsCustomizeVisible(tab));
            EXPECT_EQ(restored->IsUserItem(tab), bar->IsUserItem(tab));
            EXPECT_EQ(restored->GetAccelModifiers(tab), bar->GetAccelModifiers(tab));
            EXPECT_EQ(restored->GetAccelKey(tab), bar->GetAccelKey(tab));
        }
    }
    EXPECT_TRUE(restored->IsUserItem(2));
    EXPECT_FALSE(restored->IsCustomizeVisible(1));
    EXPECT_EQ(restored->GetAccelKey(0), '1');
    EXPECT_TRUE(restored->IsPromptsShown());
    EXPECT_FALSE(restored->IsTabsShown());
    // The controls come back with their modes: the current one shows, the others wait.
    const CXTPControl* zoom = restored->GetControls()->FindControl(2899);
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->GetCategory(), CString(L"Look"));
    EXPECT_FALSE(zoom->IsVisible());

    // A stored identifier that does not parse leaves the null one.
    CString broken = xml;
    const CString text = Korvo::UniqueIdentifier(kFirst).ToString();
    broken.Replace(text, L"not an identifier");
    Load(restored, broken);
    EXPECT_EQ(restored->GetTabIdentifier(0), GUID{});
    EXPECT_EQ(restored->GetTabIdentifier(1), kSecond);
}

TEST_F(TabToolBarTest, ATabMakesOneToolBarOfItsControls) {
    CKVTabToolBar* bar = NewBar(L"Modes");
    CXTPCommandBars* bars = frame->GetCommandBars();
    // Without the starting commands: everything up to the last undo or redo stays behind, and
    // the mode switch is never copied; the control that begins a group begins one on the bar.
    s.user().expectBox(L"*starting commands*", platform::harness::Button::No);
    ASSERT_TRUE(bar->CreateToolBarFromTab(bar->GetItem(0)));
    CXTPToolBar* made = bars->GetToolBar(CKVTabToolBar::kFirstTabBarId);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetTitle(), CString(L"Draw"));
    EXPECT_EQ(made->GetFlags(), 63u);
    ASSERT_EQ(made->GetControls()->GetCount(), 2);
    EXPECT_EQ(made->GetControls()->GetAt(0)->GetID(), 2882);
    EXPECT_FALSE(made->GetControls()->GetAt(0)->GetBeginGroup());
    EXPECT_EQ(made->GetControls()->GetAt(1)->GetID(), 1175);
    EXPECT_TRUE(made->GetControls()->GetAt(1)->GetBeginGroup());

    // A second time the title exists: the toolkit's message, nothing made.
    s.user().expectBox(L"*starting commands*", platform::harness::Button::Yes);
    s.user().expectBox(L"A tool bar named \"Draw\" exists already.", platform::harness::Button::Ok);
    EXPECT_FALSE(bar->CreateToolBarFromTab(bar->GetItem(0)));

    // With them, and without any group start: no separators; the next free id.
    s.user().expectBox(L"*starting commands*", platform::harness::Button::Yes);
    ASSERT_TRUE(bar->CreateToolBarFromTab(bar->GetItem(1)));
    CXTPToolBar* view = bars->GetToolBar(CKVTabToolBar::kFirstTabBarId + 1);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->GetControls()->GetCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(view->GetControls()->GetAt(i)->GetBeginGroup());

    // Every id of the range taken: the toolkit's other message.
    for (UINT id = CKVTabToolBar::kFirstTabBarId + 2; id <= CKVTabToolBar::kLastTabBarId; ++id)
        bars->Add(L"Filler", xtpBarTop)->SetBarID(id);
    bar->RenameCategory(L"Draw", L"Drawn");
    bar->GetItem(0)->caption = L"Drawn";
    s.user().expectBox(L"*starting commands*", platform::harness::Button::Yes);
    s.user().expectBox(L"No more tool bars can be made.", platform::harness::Button::Ok);
    EXPECT_FALSE(bar->CreateToolBarFromTab(bar->GetItem(0)));
    s.runUntilIdle();
}

// Storing writes the 36-character form and answers true; loading answers whether the text
// parsed and keeps the value it had otherwise.
TEST(PxUniqueIdentifierTest, StoresTheTextFormAndLoadsOnlyWhatParses) {
    CXTPPropExchangeXMLNode saved(FALSE, L"Values");
    Korvo::UniqueIdentifier id(kFirst);
    EXPECT_TRUE(PX_UniqueIdentifier(&saved, L"ID", id));
    const CString xml = saved.SaveToString();
    EXPECT_NE(xml.Find(L"ID=\"01020304-0506-0708-0102-030405060708\""), -1) << xml.GetString();

    CXTPPropExchangeXMLNode loaded(TRUE, L"Values");
    ASSERT_TRUE(loaded.LoadFromString(L"<Values ID=\"{11121314-1516-1718-0102-030405060708}\" Bad=\"0102\"/>", L"test"));
    Korvo::UniqueIdentifier value(kFirst);
    EXPECT_TRUE(PX_UniqueIdentifier(&loaded, L"ID", value));
    EXPECT_EQ(value.Get(), kSecond);
    EXPECT_FALSE(PX_UniqueIdentifier(&loaded, L"Bad", value));
    EXPECT_FALSE(PX_UniqueIdentifier(&loaded, L"Missing", value));
    EXPECT_EQ(value.Get(), kSecond);
}

// Text form 2 is what the exchange writes and what TryParse reads back; a form the text library
// does not know is a failure, never a text that merely looks right.
TEST(PxUniqueIdentifierTest, TextFormTwoReadsBackAndAnUnknownFormIsAFailure) {
    const Korvo::UniqueIdentifier id(kFirst);
    const CString text = Korvo::UniqueIdentifier::asCString(id, 2);
    EXPECT_EQ(text, CString(L"01020304-0506-0708-0102-030405060708"));
    Korvo::UniqueIdentifier back;
    ASSERT_TRUE(Korvo::UniqueIdentifier::TryParse(text, back));
    EXPECT_EQ(back, id);
    EXPECT_TRUE(platform::core::takeFailures().empty());
    EXPECT_EQ(Korvo::UniqueIdentifier::asCString(id, 1), CString());
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures.front().find(L"UniqueIdentifier::asCString"), std::wstring::npos);
}

}  // namespace
