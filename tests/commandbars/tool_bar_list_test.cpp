// The tool-bars popup: its pane toggles in order with and without PDM, and which bars its list
// takes, rule by rule, each rule met and missed.
#include <map>

#include "app/kvw32_app.h"
#include "commandbars/app_custom_tool_bar.h"
#include "platform/core/text.h"
#include "tests/commandbars/ribbon_frame.h"
#include "tests/support/table_check.h"

namespace {

using namespace ribbontest;

// The popup's item ids in order, sub-menus flattened after their own item; theme items left out.
std::vector<int> ItemIds(CXTPControls* controls) {
    std::vector<int> ids;
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        if (control->GetID() >= 3401 && control->GetID() <= 3499) continue;
        ids.push_back(control->GetID());
        if (CXTPCommandBar* sub = control->GetCommandBar()) {
            const std::vector<int> inner = ItemIds(sub->GetControls());
            ids.insert(ids.end(), inner.begin(), inner.end());
        }
    }
    return ids;
}

TEST_F(RibbonFrameTest, ThePaneTogglesOfThePopupInOrderAndThePdmOnesOnlyWithPdm) {
    CXTPPopupBar* popup = bars->GetToolbarsPopup();
    EXPECT_EQ(ItemIds(popup->GetControls()), (std::vector<int>{811, 782, 785, 783, 816, 784, 786, 781, 799, 0}));
    popup->InternalRelease();

    s.kernel().setPdmConnected(true);
    popup = bars->GetToolbarsPopup();
    EXPECT_EQ(ItemIds(popup->GetControls()),
              (std::vector<int>{811, 782, 785, 783, 816, 784, 786, 0, 787, 788, 789, 791, 798, 814, 781, 799, 0}));
    // With PDM the pane items are captioned as their panes are; the assembly item only once its
    // window has a caption, and the search item keeps its own.
    const auto caption = [&](int id) {
        return popup->GetControls()->FindControl(xtpControlError, id, FALSE, TRUE)->GetCaption();
    };
    EXPECT_EQ(caption(787), CString(L"&Archives"));
    EXPECT_EQ(caption(788), CString(L"&Desktop"));
    EXPECT_EQ(caption(789), CString(L"&Desktop"));
    EXPECT_EQ(caption(798), L"&" + Korvo::I18n::Translate(L"panes.varnel.mail"));
    EXPECT_EQ(caption(791), CString(L"PDM search"));
    EXPECT_EQ(caption(814), CString(L"PDM assembly"));
    popup->InternalRelease();

    CWnd* assembly = CKvw32App::Instance()->GetVarnelAssemblyWindow(false, true);
    ASSERT_NE(assembly, nullptr);
    assembly->SetWindowText(L"Assembly of the work mix");
    popup = bars->GetToolbarsPopup();
    EXPECT_EQ(caption(814), CString(L"Assembly of the work mix"));
    popup->InternalRelease();

    s.kernel().setPdmConnected(false);
    popup = bars->GetToolbarsPopup();
    EXPECT_EQ(popup->GetControls()->FindControl(xtpControlError, 814, FALSE, TRUE), nullptr);
    popup->InternalRelease();
}

TEST_F(RibbonFrameTest, TheToolBarsListTakesABarOnlyWhenEveryRuleAllowsIt) {
    const auto add = [&](const wchar_t* title, UINT id) {
        auto* bar = dynamic_cast<CKVToolBar*>(bars->Add(title, xtpBarTop, RUNTIME_CLASS(CKVToolBar)));
        bar->SetBarID(id);
        return bar;
    };
    // The two reserved ids against their neighbours.
    add(L"id 1000", 1000);
    add(L"id 1001", 1001);
    add(L"id 1002", 1002);
    add(L"id 1003", 1003);
    add(L"not in lists", 210)->SetShowInList(FALSE);
    add(L"fixed", 211)->EnableCustomization(FALSE);
    add(L"", 212);
    const CString pdmTitle = KVLoadString(13588);
    CKVToolBar* pdmBar = add(pdmTitle, 213);
    pdmBar->SetVisible(FALSE);
    auto* addOn = dynamic_cast<CKVAppCustomToolBar*>(bars->Add(L"add-on", xtpBarTop, RUNTIME_CLASS(CKVAppCustomToolBar)));
    addOn->SetBarID(214);

    const auto listed = [&] {
        CXTPPopupBar* popup = bars->GetToolbarsPopup();
        std::map<std::wstring, bool> titles;
        for (const auto& entry : bars->GetToolBarList()) titles[std::wstring(entry.title)] = true;
        popup->InternalRelease();
        return titles;
    };
    const auto check = [&](const char* when, bool pdmListed, bool addOnListed) {
        std::map<std::wstring, bool> titles = listed();
        tablecheck::ExpectRows<std::wstring, bool>(
            when,
            {{L"id 1000", true}, {L"id 1001", false}, {L"id 1002", false}, {L"id 1003", true},
             {L"not in lists", false}, {L"fixed", false}, {std::wstring(pdmTitle), pdmListed},
             {L"add-on", addOnListed}},
            [&](const std::wstring& title) { return titles[title]; });
        EXPECT_EQ(titles.count(L""), 0u) << when;
    };
    check("hidden PDM bar without PDM, add-on inactive", false, false);
    pdmBar->SetVisible(TRUE);
    addOn->SetActive(true);
    check("shown PDM bar without PDM, add-on active", true, true);
    pdmBar->SetVisible(FALSE);
    s.kernel().setPdmConnected(true);
    check("hidden PDM bar with PDM", true, true);
}

}  // namespace
