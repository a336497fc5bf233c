// Galleries and combo boxes as the user meets them: a gallery's shared items, its grid, its items
// offered in a menu, and a combo box's list and edit field.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/record.h"
#include "platform/core/useragent.h"
#include "platform/toolkit.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

std::unique_ptr<CXTPControlGalleryItem> item(const wchar_t* caption, bool label = false) {
    auto made = std::make_unique<CXTPControlGalleryItem>();
    made->SetCaption(caption);
    made->SetLabel(label);
    return made;
}

TEST(ToolkitGallery, ItemsAreSharedByReferenceAndTheGridFollowsTheWidth) {
    auto* items = new CXTPControlGalleryItems;
    items->AddItem(item(L"B"));
    items->AddItem(item(L"A"), 0);
    items->AddItem(item(L"C"), 7);
    EXPECT_EQ(items->GetItem(0)->GetCaption(), CString(L"A"));
    EXPECT_EQ(items->GetItem(2)->GetIndex(), 2);
    EXPECT_EQ(items->GetItem(3), nullptr);
    items->SetItemSize(SIZE{30, 40});

    CXTPControlGallery gallery;
    gallery.SetItems(items);
    items->InternalRelease();
    EXPECT_EQ(items->GetRefCount(), 1);
    CXTPControl* copy = gallery.Clone();
    EXPECT_EQ(dynamic_cast<CXTPControlGallery*>(copy)->GetItems(), items);
    EXPECT_EQ(items->GetRefCount(), 2);
    copy->InternalRelease();
    EXPECT_EQ(items->GetRefCount(), 1);

    // The frame is 2 + 18 wide: 100 pixels hold two items of 30, 110 three.
    gallery.SetControlSize(SIZE{100, 50});
    EXPECT_EQ(gallery.GetColumnCount(), 2);
    gallery.SetWidth(110);
    EXPECT_EQ(gallery.GetColumnCount(), 3);
    gallery.SetSelectedItem(2);
    items->Remove(2);
    gallery.OnItemsChanged();
    EXPECT_EQ(gallery.GetSelectedItem(), -1) << "the picked item went";
    gallery.SetSelectedItem(5);
    EXPECT_EQ(gallery.GetSelectedItem(), -1) << "no such item";
    CXTPControlGallery empty;
    EXPECT_EQ(empty.GetColumnCount(), 0) << "no items object";
}

// A site that records the controls executed and what a picked gallery item was.
class GallerySite : public CFrameWnd {
public:
    std::vector<std::wstring> executed;
    afx_msg LRESULT OnControlNotify(WPARAM, LPARAM lParam) {
        const auto* notify = reinterpret_cast<const NMXTPCONTROL*>(lParam);
        std::wstring what = std::to_wstring(notify->pControl->GetID());
        if (auto* gallery = dynamic_cast<CXTPControlGallery*>(notify->pControl))
            what += L" " + std::wstring(gallery->GetItem(gallery->GetSelectedItem())->GetCaption());
        executed.push_back(what);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(GallerySite, CFrameWnd)
    ON_MESSAGE(XTPWM_CONTROLNOTIFY, &GallerySite::OnControlNotify)
END_MESSAGE_MAP()

// The find box's way: the list filled as the edit takes the focus, a pick or Enter runs it.
class RecordingCombo : public CXTPControlComboBox {
public:
    std::vector<std::wstring> heard;
    void OnSetFocus() override {
        CXTPControlComboBox::OnSetFocus();
        heard.push_back(L"focus");
        ResetContent();
        AddString(L"Nut");
        AddString(L"Bolt");
    }
    void OnEditChanged() override { heard.push_back(L"typed " + std::wstring(GetEditText())); }
    void OnSelChanged() override { heard.push_back(L"picked " + std::wstring(GetEditText())); }
    void OnExecute() override { heard.push_back(L"run " + std::wstring(GetEditText())); }
};

class ToolkitGalleryBars : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        site_ = new GallerySite;
        ASSERT_TRUE(site_->Create(nullptr, L"Site"));
        bars_.reset(CXTPCommandBars::CreateCommandBars(nullptr, site_));
        ASSERT_NE(bars_, nullptr);
        bar_ = bars_->Add(L"Standard", xtpBarTop);
    }
    void TearDown() override {
        bars_.reset();
        site_->DestroyWindow();
        MfcTest::TearDown();
    }
    static platform::core::MenuAnswer choose(const wchar_t* caption) {
        return {platform::core::MenuAnswer::Kind::ChooseCaption, 0, caption};
    }

    GallerySite* site_ = nullptr;
    std::unique_ptr<CXTPCommandBars> bars_;
    CXTPToolBar* bar_ = nullptr;
};

TEST_F(ToolkitGalleryBars, AGalleryInAMenuOffersItsItemsAndAPickedOneRunsTheGallery) {
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars_.get());
    auto* gallery = new CXTPControlGallery;
    auto* items = new CXTPControlGalleryItems;
    items->AddItem(item(L"Bolts", true));
    items->AddItem(item(L"M6"));
    items->AddItem(item(L"M8"));
    gallery->SetItems(items);
    items->InternalRelease();
    popup->GetControls()->Add(gallery, 1072);
    gallery->SetFlags(xtpFlagManualUpdate);  // the site has no command 1072 to ask
    platform::core::userAgent().expectPopupMenu(choose(L"M8"));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, 0, 0, 0), TRUE);
    EXPECT_EQ(site_->executed, (std::vector<std::wstring>{L"1072 M8"}));
    // A header is no choice.
    platform::core::userAgent().expectPopupMenu(choose(L"Bolts"));
    EXPECT_EQ(bars_->TrackPopupMenu(popup, 0, 0, 0), 0);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    EXPECT_EQ(gallery->GetRefCount(), 1) << "the menu gives back what it held";
    popup->InternalRelease();
}

TEST_F(ToolkitGalleryBars, AComboBoxListsItsEntriesAfterTheFocusAndTypedTextRunsOnEnter) {
    auto* combo = new RecordingCombo;
    bar_->GetControls()->Add(combo, 1251);
    combo->AddString(L"Washer");
    platform::core::userAgent().expectPopupMenu(choose(L"Washer"));
    combo->DropDownList();
    EXPECT_EQ(combo->heard, (std::vector<std::wstring>{L"picked Washer"})) << "a list without an edit takes no focus";
    combo->heard.clear();
    combo->SetEditable(TRUE);
    platform::core::userAgent().expectPopupMenu(choose(L"Bolt"));
    combo->DropDownList();
    EXPECT_EQ(combo->heard, (std::vector<std::wstring>{L"focus", L"picked Bolt"}));
    EXPECT_EQ(combo->GetCurSel(), 1);
    combo->heard.clear();
    combo->TypeAndEnter(L"Ax");
    EXPECT_EQ(combo->heard, (std::vector<std::wstring>{L"typed A", L"typed Ax", L"run Ax"})) << "focused already";
    combo->SetEnabled(FALSE);
    combo->heard.clear();
    combo->TypeAndEnter(L"B");
    combo->DropDownList();
    EXPECT_TRUE(combo->heard.empty()) << "a disabled combo takes nothing";
}

}  // namespace
