// Control collections as the shell leans on them: who holds which reference, what a subclass of
// the collection hears, and how lists behave at their edges (ids not found, indexes out of range,
// empty lists, a control moved or removed while someone else still holds it).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/useragent.h"
#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

// A collection that records what it hears, as the system panel's collection does.
class RecordingControls : public CXTPControls {
public:
    std::vector<std::string> heard;

protected:
    void OnControlAdded(CXTPControl* control) override { heard.push_back("+" + std::to_string(control->GetID())); }
    void OnControlRemoved(CXTPControl* control) override {
        heard.push_back("-" + std::to_string(control->GetID()));
        // The control is out of the list but still alive while its removal is announced.
        EXPECT_EQ(IndexOf(control), -1);
        EXPECT_EQ(control->GetControls(), nullptr);
        EXPECT_GE(control->GetRefCount(), 1);
    }
};

// A control that tells when it is destroyed.
class CountedControl : public CXTPControlButton {
public:
    explicit CountedControl(int* destroyed) : destroyed_(destroyed) {}
    ~CountedControl() override { ++*destroyed_; }

private:
    int* destroyed_;
};

TEST(ToolkitControls, AddAndRemoveAreAnnouncedInOrderAndRemoveAllEmptiesFromTheBack) {
    auto* controls = new RecordingControls;
    controls->Add(xtpControlButton, 1);
    controls->Add(xtpControlButton, 3);
    controls->Add(xtpControlButton, 2, nullptr, 1);   // before the second
    controls->Add(xtpControlButton, 4, nullptr, 99);  // past the end: at the end
    ASSERT_EQ(controls->GetCount(), 4);
    EXPECT_EQ(controls->GetAt(1)->GetID(), 2);
    EXPECT_EQ(controls->GetAt(3)->GetID(), 4);
    controls->Remove(1);
    controls->RemoveAll();
    EXPECT_EQ(controls->heard, (std::vector<std::string>{"+1", "+3", "+2", "+4", "-2", "-4", "-3", "-1"}));
    EXPECT_EQ(controls->GetCount(), 0);
    controls->RemoveAll();  // an empty list stays quiet
    EXPECT_EQ(controls->heard.size(), 8u);
    controls->InternalRelease();
}

TEST(ToolkitControls, IndexesOutsideTheListAndUnknownControlsChangeNothing) {
    CXTPControls controls;
    EXPECT_EQ(controls.GetAt(0), nullptr);
    EXPECT_EQ(controls.FindControl(5), nullptr);
    controls.Remove(0);  // empty
    controls.Add(xtpControlButton, 5);
    EXPECT_EQ(controls.GetAt(-1), nullptr);
    EXPECT_EQ(controls.GetAt(1), nullptr);
    controls.Remove(-1);
    controls.Remove(1);
    controls.Remove(static_cast<CXTPControl*>(nullptr));

    // A control of another list is not removed from this one, nor is its reference given back.
    CXTPControls other;
    CXTPControl* stranger = other.Add(xtpControlButton, 6);
    controls.Remove(stranger);
    EXPECT_EQ(stranger->GetRefCount(), 1);
    EXPECT_EQ(stranger->GetControls(), &other);
    EXPECT_EQ(controls.GetCount(), 1);
    EXPECT_EQ(controls.IndexOf(stranger), -1);
    EXPECT_EQ(controls.FindControl(xtpControlEdit, 5, FALSE, FALSE), nullptr) << "the type must match too";
    EXPECT_EQ(controls.Add(static_cast<CXTPControl*>(nullptr), 7), nullptr);
    EXPECT_EQ(controls.AddClone(nullptr), nullptr);
}

TEST(ToolkitControls, AControlRemovedWhileAnotherHolderKeepsItLivesOnOutsideAnyList) {
    int destroyed = 0;
    CXTPControls controls;
    CXTPControl* kept = controls.Add(new CountedControl(&destroyed), 10);
    kept->InternalAddRef();  // a registry of controls holds it too
    controls.Add(new CountedControl(&destroyed), 11);
    controls.RemoveAll();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(kept->GetControls(), nullptr);
    EXPECT_EQ(kept->GetParent(), nullptr);
    EXPECT_EQ(kept->GetRefCount(), 1);

    // Back into a list: the holder hands its reference over.
    controls.Add(kept, 12);
    EXPECT_EQ(kept->GetID(), 12);
    EXPECT_EQ(kept->GetControls(), &controls);
    controls.Remove(kept);
    EXPECT_EQ(destroyed, 2);
}

TEST(ToolkitControls, AControlAddedToAnotherListLeavesTheFirstWhichHearsOfIt) {
    auto* first = new RecordingControls;
    auto* second = new RecordingControls;
    CXTPControl* moved = first->Add(xtpControlButton, 20);
    moved->InternalAddRef();  // the reference that goes with it to the second list
    second->Add(moved, 21);
    EXPECT_EQ(first->GetCount(), 0);
    EXPECT_EQ(second->IndexOf(moved), 0);
    EXPECT_EQ(moved->GetRefCount(), 1);
    EXPECT_EQ(first->heard, (std::vector<std::string>{"+20", "-20"}));
    EXPECT_EQ(second->heard, (std::vector<std::string>{"+21"}));
    first->InternalRelease();
    second->InternalRelease();
}

TEST(ToolkitControls, AddingAControlToTheListItIsInMovesItInsteadOfListingItTwice) {
    int destroyed = 0;
    auto* controls = new RecordingControls;
    CXTPControl* control = controls->Add(new CountedControl(&destroyed), 30);
    controls->Add(xtpControlButton, 31);
    control->InternalAddRef();  // the caller gives a reference with it, as with any Add
    controls->Add(control, 30);
    EXPECT_EQ(controls->GetCount(), 2) << "one entry per control, or RemoveAll releases it twice";
    EXPECT_EQ(controls->IndexOf(control), 1);
    EXPECT_EQ(control->GetRefCount(), 1);
    controls->InternalRelease();
    EXPECT_EQ(destroyed, 1);
}

TEST(ToolkitControls, ClonesAreNewControlsOfTheSameClassHoldingTheirOwnReference) {
    CXTPControls controls;
    auto* edit = static_cast<CXTPControlEdit*>(controls.Add(xtpControlEdit, 40));
    edit->SetEditText(L"12.5");
    edit->SetWidth(120);
    edit->SetReadOnly(TRUE);
    edit->SetCaption(L"Height");
    edit->SetBeginGroup(TRUE);
    CXTPControl* copy = controls.AddClone(edit, 0);
    auto* editCopy = dynamic_cast<CXTPControlEdit*>(copy);
    ASSERT_NE(editCopy, nullptr);
    EXPECT_EQ(controls.IndexOf(copy), 0);
    EXPECT_EQ(editCopy->GetEditText(), CString(L"12.5"));
    EXPECT_EQ(editCopy->GetWidth(), 120);
    EXPECT_TRUE(editCopy->GetReadOnly());
    EXPECT_TRUE(editCopy->GetBeginGroup());
    EXPECT_EQ(editCopy->GetID(), 40);
    EXPECT_EQ(copy->GetRefCount(), 1);
    EXPECT_EQ(edit->GetRefCount(), 1);

    // A recursive copy of a popup shares its bar; both hold a reference on it.
    CXTPControl* popup = controls.Add(xtpControlPopup, 41);
    auto* bar = new CXTPPopupBar;
    popup->SetCommandBar(bar);
    EXPECT_EQ(bar->GetRefCount(), 2);
    CXTPControl* shallow = controls.AddClone(popup);
    CXTPControl* deep = controls.AddClone(popup, -1, TRUE);
    EXPECT_EQ(shallow->GetCommandBar(), nullptr);
    EXPECT_EQ(deep->GetCommandBar(), bar);
    EXPECT_EQ(bar->GetRefCount(), 3);
    controls.Remove(deep);
    controls.Remove(popup);
    EXPECT_EQ(bar->GetRefCount(), 1);
    popup = nullptr;
    bar->InternalRelease();

    // Copying a control onto itself or from nothing changes nothing.
    edit->Copy(edit);
    edit->Copy(nullptr);
    EXPECT_EQ(edit->GetEditText(), CString(L"12.5"));
}

TEST(ToolkitControls, ComboBoxesKeepTheirSelectionOnTheSameItemAndRefuseIndexesOutsideTheList) {
    CXTPControlComboBox combo;
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.GetLBText(0), CString());
    EXPECT_FALSE(combo.SetCurSel(0)) << "an empty list has nothing to select";
    EXPECT_EQ(combo.AddString(L"mm"), 0);
    EXPECT_EQ(combo.AddString(nullptr), 1);
    EXPECT_EQ(combo.GetLBText(1), CString());
    ASSERT_TRUE(combo.SetCurSel(0));
    EXPECT_EQ(combo.GetEditText(), CString(L"mm"));
    EXPECT_EQ(combo.InsertString(0, L"inch"), 0);
    EXPECT_EQ(combo.GetCurSel(), 1) << "the selection stays on the item it was on";
    EXPECT_EQ(combo.InsertString(7, L"pt"), 3) << "past the end: appended";
    EXPECT_EQ(combo.InsertString(-1, L"cm"), 4);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_FALSE(combo.SetCurSel(5));
    EXPECT_FALSE(combo.SetCurSel(-2));
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_TRUE(combo.SetCurSel(-1));
    EXPECT_EQ(combo.GetEditText(), CString());
    combo.SetCurSel(2);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetCurSel(), -1);
}

TEST(ToolkitControls, HiddenAndDisabledStatesAreIndependentReasons) {
    CXTPControlButton button;
    button.SetHideFlag(xtpHideCustomize, TRUE);
    button.SetVisible(TRUE);
    EXPECT_FALSE(button.IsVisible()) << "showing clears only the generic reason";
    button.SetHideFlag(xtpHideCustomize, FALSE);
    EXPECT_TRUE(button.IsVisible());
    button.SetVisible(FALSE);
    button.SetVisible(FALSE);
    EXPECT_EQ(button.GetHideFlags(), xtpHideGeneric);
    EXPECT_EQ(button.GetIconId(), 0);
    button.SetID(77);
    EXPECT_EQ(button.GetIconId(), 77) << "without an icon id the command id names the icon";
    button.SetIconId(5);
    EXPECT_EQ(button.GetIconId(), 5);
}

TEST(ToolkitControls, AControlWithoutTextsTakesThemFromItsIdsStringResource) {
    platform::setStringLoader([](UINT id) -> std::optional<std::wstring> {
        if (id == 1001) return L"Opens a document\nOpen";
        if (id == 1002) return L"Only a prompt";
        if (id == 1003) return L"Prompt\nTip\nthird part";
        if (id == 1005) return std::wstring(L"Cut\0short\nHidden", 17);
        if (id == 1006) return L"\nTip only";
        return std::nullopt;
    });
    auto* controls = new CXTPControls;
    const CXTPControl* open = controls->Add(xtpControlButton, 1001);
    EXPECT_EQ(std::wstring(open->GetCaption()), L"Open");
    EXPECT_EQ(std::wstring(open->GetTooltip()), L"Open");
    EXPECT_EQ(std::wstring(open->GetDescription()), L"Opens a document");
    EXPECT_TRUE(controls->Add(xtpControlButton, 1002)->GetCaption().IsEmpty()) << "no tooltip part, no texts";
    EXPECT_EQ(std::wstring(controls->Add(xtpControlButton, 1003)->GetCaption()), L"Tip");
    EXPECT_TRUE(controls->Add(xtpControlButton, 1004)->GetTooltip().IsEmpty());
    // The resource's text ends at its first null character.
    EXPECT_TRUE(controls->Add(xtpControlButton, 1005)->GetTooltip().IsEmpty());
    const CXTPControl* tipOnly = controls->Add(xtpControlButton, 1006);
    EXPECT_EQ(std::wstring(tipOnly->GetCaption()), L"Tip only");
    EXPECT_TRUE(tipOnly->GetDescription().IsEmpty());
    // Texts the control has already stay, whichever of them it has.
    auto* named = new CXTPControlButton;
    named->SetCaption(L"Mine");
    EXPECT_EQ(std::wstring(controls->Add(named, 1001)->GetCaption()), L"Mine");
    EXPECT_TRUE(named->GetTooltip().IsEmpty());
    auto* described = new CXTPControlButton;
    described->SetDescription(L"Described");
    EXPECT_TRUE(controls->Add(described, 1001)->GetCaption().IsEmpty());
    controls->InternalRelease();
    platform::setStringLoader(nullptr);
}

// A control that counts the changes of its caption it hears of.
class CaptionCountingControl : public CXTPControlButton {
public:
    int changes = 0;
    void OnCaptionChanged() override { ++changes; }
};

TEST(ToolkitControls, OnlyACaptionThatDiffersIsTakenAndAnnounced) {
    auto* control = new CaptionCountingControl;
    control->SetCaption(nullptr);
    control->SetCaption(L"");
    EXPECT_EQ(control->changes, 0) << "no caption and an empty one are the same";
    control->SetCaption(L"Open file");
    control->SetCaption(L"Open file");
    EXPECT_EQ(control->changes, 1);
    // A part of the caption it has becomes the whole caption.
    const CString own = control->GetCaption();
    control->SetCaption(own.GetString() + 5);
    EXPECT_EQ(std::wstring(control->GetCaption()), L"file");
    control->SetCaption(nullptr);
    EXPECT_TRUE(control->GetCaption().IsEmpty());
    EXPECT_EQ(control->changes, 3);
    control->InternalRelease();
}

// ---- Bars with a site ----------------------------------------------------------------------

// A site that answers the bars' requests as the main frame does.
class ControlsSite : public CFrameWnd {
public:
    std::vector<UINT> requests;
    std::vector<int> requestIndexes;
    std::vector<int> executed;
    std::vector<UINT> commands;
    std::vector<std::string> popups;  // "init", "uninit"
    CXTPControls* clearOnExecute = nullptr;
    bool removeOnTextUpdate = false;
    bool answerWithoutControl = false;
    CXTPPopupBar* nested = nullptr;  // tracked while another menu opens
    CXTPCommandBars* bars = nullptr;
    int nestedResult = -1;

    afx_msg LRESULT OnCreateControl(WPARAM, LPARAM lParam) {
        auto* request = reinterpret_cast<XTP_COMMANDBARS_CREATECONTROL*>(lParam);
        requests.push_back(request->nID);
        requestIndexes.push_back(request->nIndex);
        if (answerWithoutControl) return TRUE;
        if (request->nID == 500) {
            request->pControl = new CXTPControlLabel;
            return TRUE;
        }
        return FALSE;
    }
    afx_msg LRESULT OnControlNotify(WPARAM, LPARAM lParam) {
        auto* notify = reinterpret_cast<NMXTPCONTROL*>(lParam);
        executed.push_back(notify->pControl->GetID());
        // The command rebuilds the menu it came from, as some commands do.
        if (clearOnExecute) clearOnExecute->RemoveAll();
        return FALSE;
    }
    afx_msg LRESULT OnUpdateControlText(WPARAM, LPARAM lParam) {
        auto* control = reinterpret_cast<CXTPControl*>(lParam);
        if (removeOnTextUpdate && control->GetID() == 602) control->GetControls()->Remove(control);
        return 0;
    }
    afx_msg LRESULT OnInitPopup(WPARAM, LPARAM) {
        popups.push_back("init");
        if (nested) nestedResult = bars->TrackPopupMenu(nested, TPM_RETURNCMD, 0, 0);
        return 0;
    }
    afx_msg LRESULT OnUninitPopup(WPARAM, LPARAM) {
        popups.push_back("uninit");
        return 0;
    }
    afx_msg void OnCommandRange(UINT id) { commands.push_back(id); }
    afx_msg void OnUpdateDisabled(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }

    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ControlsSite, CFrameWnd)
    ON_MESSAGE(XTPWM_CREATECONTROL, &ControlsSite::OnCreateControl)
    ON_MESSAGE(XTPWM_CONTROLNOTIFY, &ControlsSite::OnControlNotify)
    ON_MESSAGE(XTPWM_UPDATECONTROLTEXT, &ControlsSite::OnUpdateControlText)
    ON_MESSAGE(XTPWM_INITCOMMANDSPOPUP, &ControlsSite::OnInitPopup)
    ON_MESSAGE(XTPWM_UNINITCOMMANDSPOPUP, &ControlsSite::OnUninitPopup)
    ON_COMMAND_RANGE(600, 610, &ControlsSite::OnCommandRange)
    ON_UPDATE_COMMAND_UI(603, &ControlsSite::OnUpdateDisabled)
END_MESSAGE_MAP()

class ToolkitBars : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        site_ = new ControlsSite;
        ASSERT_TRUE(site_->Create(nullptr, L"Site"));
        bars_.reset(CXTPCommandBars::CreateCommandBars(nullptr, site_));
        ASSERT_NE(bars_, nullptr);
        bar_ = bars_->Add(L"Standard", xtpBarTop);
        ASSERT_NE(bar_, nullptr);
    }
    void TearDown() override {
        bars_.reset();
        site_->DestroyWindow();
        MfcTest::TearDown();
    }

    // A popup bar of these command bars with buttons 600.. (count of them).
    CXTPPopupBar* makePopup(int count) {
        CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars_.get());
        for (int i = 0; i < count; ++i) {
            CXTPControl* item = popup->GetControls()->Add(xtpControlButton, 600 + i);
            item->SetCaption((L"Item " + std::to_wstring(i)).c_str());
        }
        return popup;
    }
    static platform::core::MenuAnswer choose(int id) {
        return {platform::core::MenuAnswer::Kind::ChooseId, id, {}};
    }
    static platform::core::MenuAnswer dismiss() { return {}; }

    ControlsSite* site_ = nullptr;
    std::unique_ptr<CXTPCommandBars> bars_;
    CXTPToolBar* bar_ = nullptr;
};

TEST_F(ToolkitBars, SetButtonsTellsTheSiteEachPositionAndHandlesEmptyAndNullLists) {
    const UINT ids[] = {0, 0, 601, 500, 0, 602, 0};
    ASSERT_TRUE(bar_->SetButtons(ids, 7));
    EXPECT_EQ(site_->requests, (std::vector<UINT>{601, 500, 602}));
    EXPECT_EQ(site_->requestIndexes, (std::vector<int>{0, 1, 2})) << "separators take no position";
    CXTPControls* controls = bar_->GetControls();
    ASSERT_EQ(controls->GetCount(), 3);
    EXPECT_TRUE(controls->GetAt(0)->GetBeginGroup()) << "leading separators group the first control";
    EXPECT_TRUE(controls->GetAt(1)->IsKindOf(RUNTIME_CLASS(CXTPControlLabel)));
    EXPECT_EQ(controls->GetAt(1)->GetID(), 500);
    EXPECT_EQ(controls->GetAt(1)->GetRefCount(), 1) << "the site's new control came with one reference";
    EXPECT_TRUE(controls->GetAt(2)->GetBeginGroup());

    // A site that says it answered but gave no control gets the default control, not a hole.
    site_->answerWithoutControl = true;
    const UINT one[] = {604};
    ASSERT_TRUE(bar_->SetButtons(one, 1));
    ASSERT_EQ(controls->GetCount(), 1);
    EXPECT_EQ(controls->GetAt(0)->GetType(), xtpControlButton);

    ASSERT_TRUE(bar_->SetButtons(nullptr, 0));
    EXPECT_EQ(controls->GetCount(), 0);
    ASSERT_TRUE(bar_->SetButtons(nullptr, 2)) << "a null list of two is two separators";
    EXPECT_EQ(controls->GetCount(), 0);
    EXPECT_TRUE(platform::core::takeFailures().empty());

    // A popup bar has no window of its own but its command bars' site answers for it; a bar of
    // no command bars has nobody to ask, which is a failure and not an empty success.
    CXTPPopupBar* orphan = CXTPPopupBar::CreatePopupBar(nullptr);
    EXPECT_FALSE(orphan->SetButtons(one, 1));
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    orphan->InternalRelease();
}

TEST_F(ToolkitBars, ATabBarShowsTheControlsOfItsCurrentTabAndThoseOfNoTab) {
    auto* tabs = static_cast<CXTPTabToolBar*>(bars_->Add(L"Tabs", xtpBarTop, RUNTIME_CLASS(CXTPTabToolBar)));
    ASSERT_NE(tabs, nullptr);
    const UINT drawing[] = {601, 0, 602};
    const UINT shaping[] = {603, 604};
    ASSERT_NE(tabs->InsertCategory(L"Drawing", drawing, 3), nullptr);
    ASSERT_NE(tabs->InsertCategory(L"Shaping", shaping, 2), nullptr);
    CXTPControls* controls = tabs->GetControls();
    CXTPControl* common = controls->Add(xtpControlButton, 605);  // of no tab, as the mode popup
    const auto shown = [controls] {
        std::vector<int> ids;
        for (int i = 0; i < controls->GetCount(); ++i)
            if (!(controls->GetAt(i)->GetHideFlags() & xtpHideTab)) ids.push_back(controls->GetAt(i)->GetID());
        return ids;
    };
    ASSERT_TRUE(tabs->SetCurSel(0));
    EXPECT_EQ(shown(), (std::vector<int>{601, 602, 605}));
    ASSERT_TRUE(tabs->SetCurSel(1));
    EXPECT_EQ(shown(), (std::vector<int>{603, 604, 605}));
    // A control moved to another tab follows that tab; a tab's name is matched exactly.
    controls->GetAt(0)->SetCategory(L"Shaping");
    controls->GetAt(1)->SetCategory(L"shaping");
    ASSERT_TRUE(tabs->SetCurSel(1));
    EXPECT_EQ(shown(), (std::vector<int>{601, 603, 604, 605}));
    // Without a current tab only the controls of no tab show.
    tabs->RemoveAllTabItems();
    EXPECT_EQ(shown(), (std::vector<int>{605}));
    EXPECT_EQ(common->GetHideFlags() & xtpHideTab, 0u);
}

TEST_F(ToolkitBars, TrackingAPopupAsksTheUserAndRunsTheChosenControlAfterTheMenuClosed) {
    CXTPPopupBar* popup = makePopup(3);
    popup->GetControls()->GetAt(1)->SetVisible(FALSE);  // not offered
    platform::core::userAgent().expectPopupMenu(choose(602));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, 0, 0, 0), TRUE);
    EXPECT_EQ(site_->popups, (std::vector<std::string>{"init", "uninit"}));
    EXPECT_EQ(site_->executed, (std::vector<int>{602}));
    EXPECT_EQ(bars_->GetTrackingPopup(), nullptr);
    mfctest::MfcTest::runUntilIdle();
    EXPECT_EQ(site_->commands, (std::vector<UINT>{602}));

    // With TPM_RETURNCMD the choice comes back and nothing runs; dismissing returns 0.
    platform::core::userAgent().expectPopupMenu(choose(600));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY, 0, 0), 600);
    platform::core::userAgent().expectPopupMenu(dismiss());
    EXPECT_EQ(bars_->TrackPopupMenu(popup, 0, 0, 0), 0);
    EXPECT_EQ(site_->executed.size(), 1u);
    EXPECT_EQ(site_->popups.size(), 4u) << "TPM_NONOTIFY keeps the site out of it";

    // The hidden item cannot be chosen: the user finds no such item.
    platform::core::userAgent().expectPopupMenu(choose(601));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0), 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    EXPECT_EQ(popup->GetRefCount(), 1) << "tracking gives back what it held";
    EXPECT_EQ(bars_->TrackPopupMenu(nullptr, 0, 0, 0), 0);
    popup->InternalRelease();
}

TEST_F(ToolkitBars, AnItemThatKeepsTheMenuOpenRunsWhileTheMenuIsTrackedAndTheMenuShowsAgain) {
    CXTPPopupBar* popup = makePopup(3);
    CXTPControl* keeps = popup->GetControls()->FindControl(601);
    keeps->SetFlags(keeps->GetFlags() | xtpFlagNoMovable);
    // Chosen twice (the menu stays), then an ordinary item closes the menu.
    platform::core::userAgent().expectPopupMenu(choose(601));
    platform::core::userAgent().expectPopupMenu(choose(601));
    platform::core::userAgent().expectPopupMenu(choose(602));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, 0, 0, 0), TRUE);
    EXPECT_EQ(site_->commands, (std::vector<UINT>{601, 601})) << "run at once, before the menu closed";
    EXPECT_EQ(site_->popups, (std::vector<std::string>{"init", "uninit"})) << "one menu, shown three times";
    mfctest::MfcTest::runUntilIdle();
    EXPECT_EQ(site_->commands, (std::vector<UINT>{601, 601, 602})) << "the closing item runs after the menu closed";

    // Dismissing the menu it stayed open for ends it; with TPM_RETURNCMD the item only answers.
    platform::core::userAgent().expectPopupMenu(choose(601));
    platform::core::userAgent().expectPopupMenu(dismiss());
    EXPECT_EQ(bars_->TrackPopupMenu(popup, 0, 0, 0), 0);
    platform::core::userAgent().expectPopupMenu(choose(601));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0), 601);
    EXPECT_EQ(site_->commands.size(), 4u);

    // On a tool bar the flag does nothing of the kind: the command is posted as always.
    CXTPControl* onBar = bar_->GetControls()->AddClone(keeps);
    onBar->OnExecute();
    EXPECT_EQ(site_->commands.size(), 4u);
    mfctest::MfcTest::runUntilIdle();
    EXPECT_EQ(site_->commands.size(), 5u);
    EXPECT_TRUE(platform::core::takeFailures().empty());
    EXPECT_EQ(popup->GetRefCount(), 1);
    popup->InternalRelease();
}

TEST_F(ToolkitBars, TheUpdatePassDecidesWhatTheMenuOffersAndDisabledItemsCannotBeChosen) {
    CXTPPopupBar* popup = makePopup(4);  // 603 has an update handler that disables it
    platform::core::userAgent().expectPopupMenu(choose(603));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, 0, 0, 0), 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    EXPECT_TRUE(site_->executed.empty());
    EXPECT_FALSE(popup->GetControls()->FindControl(603)->GetEnabled());
    popup->InternalRelease();
}

TEST_F(ToolkitBars, ACommandThatEmptiesItsOwnMenuDoesNotPullTheControlFromUnderTheTracking) {
    CXTPPopupBar* popup = makePopup(3);
    site_->clearOnExecute = popup->GetControls();
    platform::core::userAgent().expectPopupMenu(choose(601));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, 0, 0, 0), TRUE);
    EXPECT_EQ(site_->executed, (std::vector<int>{601}));
    EXPECT_EQ(popup->GetControls()->GetCount(), 0);
    mfctest::MfcTest::runUntilIdle();
    EXPECT_EQ(site_->commands, (std::vector<UINT>{601}));
    popup->InternalRelease();
}

TEST_F(ToolkitBars, ASiteThatDropsAControlWhileUpdatingItsTextDoesNotLeaveTheMenuHoldingIt) {
    CXTPPopupBar* popup = makePopup(5);
    site_->removeOnTextUpdate = true;
    platform::core::userAgent().expectPopupMenu(choose(604));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0), 604) << "the items after it are still offered";
    EXPECT_EQ(popup->GetControls()->FindControl(602), nullptr);
    EXPECT_EQ(popup->GetControls()->GetCount(), 4);
    CXTPControl* again = popup->GetControls()->Add(xtpControlButton, 602, nullptr, 2);
    again->SetCaption(L"Gone");
    platform::core::userAgent().expectPopupMenu(choose(602));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0), 0) << "a control the site took out is not offered";
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    popup->InternalRelease();
}

TEST_F(ToolkitBars, OneMenuAtATimeAndSubMenusFollowTheirItem) {
    CXTPPopupBar* outer = makePopup(1);
    CXTPControl* sub = outer->GetControls()->Add(xtpControlPopup, 0);
    sub->SetCaption(L"More");
    CXTPPopupBar* inner = makePopup(2);
    sub->SetCommandBar(inner);
    inner->InternalRelease();

    // Executing the popup control opens its bar as a menu; a choice there runs that control.
    platform::core::userAgent().expectPopupMenu(choose(601));
    EXPECT_EQ(bars_->TrackPopupMenu(outer, TPM_RETURNCMD, 0, 0), 601);

    // A popup control on a tool bar opens its bar as a menu and is popped while it is open.
    CXTPControl* opener = bar_->GetControls()->Add(sub->Clone(TRUE), 0);
    platform::core::userAgent().expectPopupMenu(dismiss());
    opener->OnExecute();
    EXPECT_FALSE(opener->GetPopuped()) << "the control is no longer popped once its menu closed";
    EXPECT_TRUE(platform::core::takeFailures().empty());

    // While one menu is tracked, another is refused (with a failure, not a quiet zero).
    site_->nested = inner;
    site_->bars = bars_.get();
    platform::core::userAgent().expectPopupMenu(dismiss());
    EXPECT_EQ(bars_->TrackPopupMenu(outer, 0, 0, 0), 0);
    EXPECT_EQ(site_->nestedResult, 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    site_->nested = nullptr;
    outer->InternalRelease();
}

TEST_F(ToolkitBars, EditControlsHaveAWindowExactlyWhileTheirBarShowsThem) {
    auto* edit = static_cast<CXTPControlEdit*>(bar_->GetControls()->Add(xtpControlEdit, 700));
    edit->SetEditText(L"first");
    bars_->UpdateCommandBars();
    ASSERT_NE(edit->GetEditCtrl(), nullptr);
    const HWND window = edit->GetEditCtrl()->GetSafeHwnd();
    EXPECT_EQ(::GetParent(window), bar_->GetSafeHwnd());
    EXPECT_EQ(edit->GetEditText(), CString(L"first"));
    EXPECT_FALSE(edit->GetModify()) << "the program's text is no change by the user";

    edit->GetEditCtrl()->ReplaceAllText(L"second");
    EXPECT_TRUE(edit->GetModify());
    edit->SetEditText(L"third");
    EXPECT_FALSE(edit->GetModify());

    // Hidden, the window goes and the text stays; shown again, the text comes back.
    edit->SetVisible(FALSE);
    bars_->UpdateCommandBars();
    EXPECT_EQ(edit->GetEditCtrl(), nullptr);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(edit->GetEditText(), CString(L"third"));
    edit->SetModify(TRUE);  // nothing to set without a window
    EXPECT_FALSE(edit->GetModify());
    edit->SetVisible(TRUE);
    bar_->SetVisible(FALSE);
    EXPECT_EQ(edit->GetEditCtrl(), nullptr) << "a hidden bar shows no control";
    bar_->SetVisible(TRUE);
    ASSERT_NE(edit->GetEditCtrl(), nullptr);
    EXPECT_EQ(edit->GetEditText(), CString(L"third"));

    // Removed while someone holds it: the window goes with the removal, the control keeps the
    // text and can no longer make a window.
    edit->InternalAddRef();
    const HWND second = edit->GetEditCtrl()->GetSafeHwnd();
    bar_->GetControls()->Remove(edit);
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_FALSE(edit->ShowEditWindow(TRUE));
    EXPECT_EQ(edit->GetEditText(), CString(L"third"));
    edit->InternalRelease();
}

TEST_F(ToolkitBars, AnEditWindowFollowsItsControlWhenTheBarsLayoutMovesIt) {
    CXTPControl* before = bar_->GetControls()->Add(xtpControlButton, 701);
    auto* edit = static_cast<CXTPControlEdit*>(bar_->GetControls()->Add(xtpControlEdit, 702));
    bars_->UpdateCommandBars();
    ASSERT_NE(edit->GetEditCtrl(), nullptr);
    const auto left = [&] {
        RECT rect{};
        ::GetWindowRect(edit->GetEditCtrl()->GetSafeHwnd(), &rect);
        return rect.left;
    };
    const LONG shown = left();

    // Each way, on the next update pass: the control before it hidden, then shown again.
    before->SetVisible(FALSE);
    bars_->UpdateCommandBars();
    const LONG moved = left();
    EXPECT_LT(moved, shown);
    before->SetVisible(TRUE);
    bars_->UpdateCommandBars();
    EXPECT_EQ(left(), shown);
    bars_->UpdateCommandBars();
    EXPECT_EQ(left(), shown) << "a pass that moved nothing leaves the window where it is";
}

TEST_F(ToolkitBars, UserChangesReachTheControlAndProgramChangesDoNot) {
    class Watched : public CXTPControlEdit {
    public:
        int changes = 0;
        void OnEditChanged() override { ++changes; }
    };
    auto* edit = static_cast<Watched*>(bar_->GetControls()->Add(new Watched, 701));
    ASSERT_TRUE(edit->ShowEditWindow(TRUE));
    EXPECT_EQ(edit->changes, 0) << "making the window is no change";
    edit->SetEditText(L"quiet");
    EXPECT_EQ(edit->changes, 0);
    edit->GetEditCtrl()->ReplaceAllText(L"loud");
    EXPECT_EQ(edit->changes, 1);
    EXPECT_EQ(edit->GetEditText(), CString(L"loud"));
    ASSERT_TRUE(edit->GetEditCtrl()->CanUndo());
    edit->GetEditCtrl()->Undo();
    EXPECT_EQ(edit->changes, 2);
    EXPECT_EQ(edit->GetEditText(), CString(L"quiet"));

    // Enter and Esc hand the focus back to the site; other keys are the edit's.
    edit->GetEditCtrl()->SetFocus();
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_FALSE(edit->OnEditKeyDown('A', false));
    EXPECT_TRUE(edit->OnEditKeyDown(VK_RETURN, false));
    EXPECT_FALSE(edit->IsFocused());
    EXPECT_TRUE(edit->OnEditKeyDown(VK_ESCAPE, false)) << "taken even without the focus";

    // Read-only and disabled states reach the window.
    edit->SetReadOnly(TRUE);
    EXPECT_TRUE(edit->GetEditCtrl()->IsReadOnly());
    edit->SetEnabled(FALSE);
    EXPECT_FALSE(edit->GetEditCtrl()->IsWindowEnabled());
}

}  // namespace
