#include <gtest/gtest.h>

#include <vector>

#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

// A bar kind of the program's own, created by run-time class.
class TestToolBar : public CXTPToolBar {
    DECLARE_DYNCREATE(TestToolBar)
};
IMPLEMENT_DYNCREATE(TestToolBar, CXTPToolBar)

class TestCommandBars : public CXTPCommandBars {
    DECLARE_DYNCREATE(TestCommandBars)
public:
    BOOL IsRibbonMode() const override { return TRUE; }
};
IMPLEMENT_DYNCREATE(TestCommandBars, CXTPCommandBars)

// A site that answers create-control requests for some ids and records every request and
// executed control.
class SiteFrame : public CFrameWnd {
public:
    std::vector<UINT> requested;
    std::vector<UINT> executed;
    std::vector<UINT> commands;
    bool handleExecute = false;
    CXTPControl* kept = nullptr;  // a registry of controls outside any bar

    afx_msg LRESULT OnCreateControl(WPARAM, LPARAM lParam) {
        auto* request = reinterpret_cast<XTP_COMMANDBARS_CREATECONTROL*>(lParam);
        requested.push_back(request->nID);
        EXPECT_TRUE(request->bToolBar);
        if (request->nID == 905) {
            auto* combo = new CXTPControlComboBox;
            combo->InternalAddRef();  // the site keeps it too
            kept = combo;
            request->pControl = combo;
            return TRUE;
        }
        if (request->nID == 906) {
            request->controlType = xtpControlEdit;  // a default control of another type
            return FALSE;
        }
        return FALSE;
    }
    afx_msg LRESULT OnControlNotify(WPARAM code, LPARAM lParam) {
        auto* notify = reinterpret_cast<NMXTPCONTROL*>(lParam);
        EXPECT_EQ(code, CBN_XTP_EXECUTE);
        executed.push_back(static_cast<UINT>(notify->pControl->GetID()));
        return handleExecute;
    }
    afx_msg void OnCommandRange(UINT id) { commands.push_back(id); }
    afx_msg void OnUpdateChecked(CCmdUI* cmdUI) { cmdUI->SetCheck(1); }

    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SiteFrame, CFrameWnd)
    ON_MESSAGE(XTPWM_CREATECONTROL, &SiteFrame::OnCreateControl)
    ON_MESSAGE(XTPWM_CONTROLNOTIFY, &SiteFrame::OnControlNotify)
    ON_COMMAND_RANGE(900, 904, &SiteFrame::OnCommandRange)
    ON_UPDATE_COMMAND_UI(902, &SiteFrame::OnUpdateChecked)
END_MESSAGE_MAP()

class ToolkitCommandBars : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        site_ = new SiteFrame;
        ASSERT_TRUE(site_->Create(nullptr, L"Site"));
        bars_.reset(CXTPCommandBars::CreateCommandBars(RUNTIME_CLASS(TestCommandBars), site_));
        ASSERT_NE(bars_, nullptr);
    }
    void TearDown() override {
        bars_.reset();
        if (site_->kept) site_->kept->InternalRelease();
        site_->DestroyWindow();
        MfcTest::TearDown();
    }

    SiteFrame* site_ = nullptr;
    std::unique_ptr<CXTPCommandBars> bars_;
};

TEST_F(ToolkitCommandBars, BarsAreCreatedByRunTimeClassAsChildWindowsOfTheSite) {
    EXPECT_TRUE(bars_->IsRibbonMode());
    EXPECT_EQ(CXTPCommandBars::CreateCommandBars(RUNTIME_CLASS(CXTPToolBar), site_), nullptr);

    CXTPMenuBar* menu = bars_->SetMenu(L"Menu Bar", 0);
    CXTPToolBar* bar = bars_->Add(L"Standard", xtpBarTop, RUNTIME_CLASS(TestToolBar));
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsKindOf(RUNTIME_CLASS(TestToolBar)));
    bar->SetBarID(1002);
    EXPECT_EQ(bars_->GetCount(), 2);
    EXPECT_EQ(bars_->GetAt(0), menu);  // the menu bar comes first
    EXPECT_EQ(bars_->GetToolBar(1002), bar);
    EXPECT_EQ(bars_->FindToolBar(L"Standard"), bar);
    EXPECT_EQ(::GetParent(bar->GetSafeHwnd()), site_->GetSafeHwnd());
    EXPECT_EQ(::GetDlgCtrlID(bar->GetSafeHwnd()), 1002);
    CString title;
    bar->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Standard"));

    bar->SetVisible(FALSE);
    EXPECT_FALSE(::IsWindowVisible(bar->GetSafeHwnd()));

    // Neither a class that is no tool bar, nor a menu resource the stand-in lacks, nor a bar
    // without a site window is a quiet success.
    EXPECT_EQ(bars_->Add(L"Wrong", xtpBarTop, RUNTIME_CLASS(CXTPPopupBar)), nullptr);
    EXPECT_EQ(bars_->SetMenu(L"Resource", 128), nullptr);
    CXTPCommandBars siteless;
    EXPECT_EQ(siteless.Add(L"Lost", xtpBarTop), nullptr);
    EXPECT_EQ(platform::core::takeFailures().size(), 3u);

    const HWND window = bar->GetSafeHwnd();
    bars_->Remove(bar);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(bars_->GetCount(), 1);
}

TEST_F(ToolkitCommandBars, SetButtonsAsksTheSiteForEachIdAndGroupsAfterZero) {
    CXTPToolBar* bar = bars_->Add(L"Panel", xtpBarTop);
    ASSERT_NE(bar, nullptr);
    bar->GetControls()->Add(xtpControlButton, 1);  // replaced by the list
    const UINT ids[] = {900, 0, 905, 906, 901};
    ASSERT_TRUE(bar->SetButtons(ids, 5));
    EXPECT_EQ(site_->requested, (std::vector<UINT>{900, 905, 906, 901}));

    CXTPControls* controls = bar->GetControls();
    ASSERT_EQ(controls->GetCount(), 4);
    EXPECT_EQ(controls->GetAt(0)->GetType(), xtpControlButton);
    EXPECT_EQ(controls->GetAt(1), site_->kept);
    EXPECT_TRUE(controls->GetAt(1)->GetBeginGroup());
    EXPECT_FALSE(controls->GetAt(2)->GetBeginGroup());
    EXPECT_EQ(controls->GetAt(2)->GetType(), xtpControlEdit);
    EXPECT_TRUE(controls->GetAt(2)->IsKindOf(RUNTIME_CLASS(CXTPControlEdit)));
    EXPECT_EQ(site_->kept->GetRefCount(), 2);  // the site's and the bar's
    EXPECT_EQ(site_->kept->GetParent(), bar);

    // Rebuilding gives back the bar's references; the site's control survives.
    const UINT fewer[] = {901};
    ASSERT_TRUE(bar->SetButtons(fewer, 1));
    EXPECT_EQ(controls->GetCount(), 1);
    EXPECT_EQ(site_->kept->GetRefCount(), 1);
    EXPECT_EQ(site_->kept->GetControls(), nullptr);
}

TEST_F(ToolkitCommandBars, ExecutedControlsNotifyTheSiteThenPostTheCommand) {
    CXTPToolBar* bar = bars_->Add(L"Standard", xtpBarTop);
    ASSERT_NE(bar, nullptr);
    CXTPControl* button = bar->GetControls()->Add(xtpControlButton, 903);
    button->OnExecute();
    EXPECT_EQ(site_->executed, (std::vector<UINT>{903}));
    EXPECT_TRUE(site_->commands.empty());  // posted, not sent
    runUntilIdle();
    EXPECT_EQ(site_->commands, (std::vector<UINT>{903}));

    site_->handleExecute = true;
    button->OnExecute();
    runUntilIdle();
    EXPECT_EQ(site_->commands.size(), 1u);  // the site handled it

    button->SetEnabled(FALSE);
    button->OnExecute();
    EXPECT_EQ(site_->executed.size(), 2u);
}

TEST_F(ToolkitCommandBars, TheUpdatePassFollowsTheRouteExceptForManualControls) {
    CXTPToolBar* bar = bars_->Add(L"Standard", xtpBarTop);
    ASSERT_NE(bar, nullptr);
    CXTPControls* controls = bar->GetControls();
    CXTPControl* handled = controls->Add(xtpControlButton, 901);
    CXTPControl* checked = controls->Add(xtpControlButton, 902);
    CXTPControl* orphan = controls->Add(xtpControlButton, 999);
    CXTPControl* manual = controls->Add(xtpControlButton, 998);
    manual->SetFlags(xtpFlagManualUpdate);
    CXTPControl* hidden = controls->Add(xtpControlButton, 997);
    hidden->SetVisible(FALSE);

    bars_->UpdateCommandBars();
    EXPECT_TRUE(handled->GetEnabled());
    EXPECT_TRUE(checked->GetChecked());
    EXPECT_FALSE(orphan->GetEnabled());  // nobody handles 999
    EXPECT_TRUE(manual->GetEnabled());
    EXPECT_TRUE(hidden->GetEnabled());
}

TEST_F(ToolkitCommandBars, ControlsAreFoundByIdTypeAndVisibilityAndCloneTheirState) {
    CXTPToolBar* bar = bars_->Add(L"Standard", xtpBarTop);
    ASSERT_NE(bar, nullptr);
    CXTPControls* controls = bar->GetControls();
    CXTPControl* popup = controls->Add(xtpControlPopup, 10);
    CXTPPopupBar* popupBar = CXTPPopupBar::CreatePopupBar(bars_.get());
    popup->SetCommandBar(popupBar);
    popupBar->InternalRelease();  // the popup control holds the bar now
    auto* combo = static_cast<CXTPControlComboBox*>(popupBar->GetControls()->Add(xtpControlComboBox, 914));
    combo->AddString(L"Arial");
    combo->AddString(L"Courier");
    EXPECT_FALSE(combo->SetCurSel(2));
    EXPECT_TRUE(combo->SetCurSel(1));
    combo->SetCaption(L"Font");
    combo->SetVisible(FALSE);

    EXPECT_EQ(controls->FindControl(914), nullptr);
    EXPECT_EQ(controls->FindControl(xtpControlError, 914, FALSE, TRUE), combo);
    EXPECT_EQ(controls->FindControl(xtpControlError, 914, TRUE, TRUE), nullptr);
    EXPECT_EQ(controls->FindControl(xtpControlButton, 914, FALSE, TRUE), nullptr);
    EXPECT_EQ(bars_->FindControl(xtpControlComboBox, 914, FALSE, TRUE), combo);

    CXTPControl* copy = controls->AddClone(combo);
    ASSERT_NE(copy, nullptr);
    auto* comboCopy = dynamic_cast<CXTPControlComboBox*>(copy);
    ASSERT_NE(comboCopy, nullptr);
    EXPECT_EQ(comboCopy->GetLBText(comboCopy->GetCurSel()), CString(L"Courier"));
    EXPECT_EQ(comboCopy->GetCaption(), CString(L"Font"));
    EXPECT_FALSE(comboCopy->IsVisible());
    EXPECT_EQ(controls->IndexOf(copy), 1);

    controls->CreateOriginalControls();
    EXPECT_EQ(controls->GetOriginalIds(), (std::vector<int>{10, 914}));
}

TEST_F(ToolkitCommandBars, OptionsShortcutsTooltipsImagesAndHiddenCommandsBelongToTheCommandBars) {
    CXTPCommandBarsOptions* options = bars_->GetCommandBarsOptions();
    options->ShowKeyboardCues(xtpKeyboardCuesShowWindowsDefault);
    options->szLargeIcons = {24, 24};
    options->bLargeIcons = TRUE;
    CXTPCommandBarsOptions copy;
    copy.CopyFrom(*options);
    EXPECT_EQ(copy.keyboardCuesShow, xtpKeyboardCuesShowWindowsDefault);
    EXPECT_EQ(copy.szLargeIcons.cx, 24);
    EXPECT_TRUE(copy.bLargeIcons);

    bars_->GetToolTipContext()->SetStyle(xtpToolTipMarkup);
    bars_->GetToolTipContext()->ShowTitleAndDescription();
    EXPECT_EQ(bars_->GetToolTipContext()->GetStyle(), xtpToolTipMarkup);
    EXPECT_TRUE(bars_->GetToolTipContext()->IsShowTitleAndDescription());

    CXTPShortcutManager* shortcuts = bars_->GetShortcutManager();
    shortcuts->SetAccelerators(1);
    shortcuts->SetKeyNameText(17, L"Strg");
    shortcuts->SetKeyNameText(46, L"Entf");
    shortcuts->AddShortcut({FVIRTKEY | FCONTROL | FSHIFT, 46, 57634});
    EXPECT_EQ(shortcuts->FindShortcutText(57634), CString(L"Strg+Shift+Entf"));
    EXPECT_EQ(shortcuts->FindShortcutText(1), CString());

    const UINT hidden[] = {8059, 1045, 8059};
    bars_->HideCommands(hidden, 3);
    EXPECT_EQ(bars_->GetHiddenCommands().size(), 2u);
    EXPECT_TRUE(bars_->IsControlHidden(1045));

    // An image manager shared with another owner lives until both let it go.
    CXTPImageManager* images = bars_->GetImageManager();
    images->SetIcon(700, 16);
    images->SetIcon(700, 32, true);
    EXPECT_TRUE(images->Lookup(700, 32)->IsVectorIcon());
    EXPECT_EQ(images->Lookup(700, 24), nullptr);
    images->InternalAddRef();
    bars_.reset();
    EXPECT_EQ(images->GetIconSetCount(), 1);
    images->InternalRelease();
}

// The image to show at a width nobody drew: a vector icon draws at any width; without one the
// raster icon nearest in width stands in, the wider of two as near.
TEST(ToolkitImages, AWidthWithoutItsOwnIconTakesTheVectorOrTheNearestRasterIcon) {
    CXTPImageManager images;
    images.SetIcon(800, 16);
    images.SetIcon(800, 32);
    EXPECT_EQ(images.GetImage(800, 16)->GetWidth(), 16);
    EXPECT_EQ(images.GetImage(800, 20)->GetWidth(), 16);
    EXPECT_EQ(images.GetImage(800, 24)->GetWidth(), 32) << "as near as 16: the wider";
    EXPECT_EQ(images.GetImage(800, 48)->GetWidth(), 32);
    EXPECT_EQ(images.GetImage(800, 8)->GetWidth(), 16);
    images.SetIcon(800, 64, true);
    EXPECT_TRUE(images.GetImage(800, 20)->IsVectorIcon());
    EXPECT_EQ(images.GetImage(801, 16), nullptr);
}

}  // namespace
