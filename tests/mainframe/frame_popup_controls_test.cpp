// The frame's popup controls as its control factory makes them: the move-to-window popup and the
// profile popup, rebuilt each time they open from the frames and the active 3D document.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/popups/move_to_main_window_popup.h"
#include "mainframe/popups/profile_popup.h"
#include "tests/mainframe/main_frame_test_support.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;
using mainframetest::frameOf;

constexpr std::wstring_view kDocument = L"C:\\Work\\part.grb";

class FramePopupControls : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame = frameOf(s.inspect().mainFrames().at(0));
        ASSERT_NE(frame, nullptr);
    }
    // Opens the document in the frame and gives its model the profiles.
    CKvw32Doc* OpenWithProfiles(std::optional<int> sceneMode, std::vector<std::pair<std::wstring, unsigned>> profiles) {
        s.kernel().writeDocumentFile(kDocument);
        s.user().dde(L"[open(\"" + std::wstring(kDocument) + L"\")]");
        s.runUntilIdle();
        CKvw32Doc* document = Korvo::DocumentManager::Instance().GetDocuments().at(0);
        if (!document->GetFrame()) {
            CDocTemplate* docTemplate = document->GetDocTemplate();
            CFrameWnd* child = docTemplate->CreateNewFrame(document, nullptr);
            docTemplate->InitialUpdateFrame(child, document);
            s.runUntilIdle();
        }
        s.kernel().set3DContainerMode(document, sceneMode);
        s.kernel().setProfiles(document, std::move(profiles));
        return document;
    }
    // Opens the popup control (as the toolkit does when the user opens it) and returns its items.
    CXTPControls* Open(CXTPControl* control) {
        control->OnSetPopup(TRUE);
        control->OnSetPopup(FALSE);
        return control->GetCommandBar()->GetControls();
    }

    Session s;
    CMainFrame* frame = nullptr;
};

TEST_F(FramePopupControls, TheMoveToWindowPopupIsRebuiltOnEveryOpening) {
    CXTPControl* control = frame->CreateCustomControl(kMoveToMainWindowCommand, 0, nullptr);
    ASSERT_NE(dynamic_cast<MoveToMainWindowPopup*>(control), nullptr);
    EXPECT_EQ(Open(control)->GetCount(), 1);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    CXTPControls* items = Open(control);
    ASSERT_EQ(items->GetCount(), 3);
    // Without a bar of its own the popup takes the active frame, now the new one, as current.
    EXPECT_FALSE(items->GetAt(1)->GetChecked());
    EXPECT_TRUE(items->GetAt(2)->GetChecked());
    // While the bars are being customised nothing is rebuilt.
    frame->GetCommandBars()->SetCustomizeMode(TRUE);
    CXTPControl* placed = frame->GetMenuBar()->GetControls()->Add(control, kMoveToMainWindowCommand);
    ASSERT_NE(placed, nullptr);
    placed->GetCommandBar()->GetControls()->RemoveAll();
    EXPECT_EQ(Open(placed)->GetCount(), 0);
}

TEST_F(FramePopupControls, WithoutA3DDocumentTheProfilePopupShowsOnlyItsEmptyLabel) {
    CXTPControl* control = frame->CreateCustomControl(ProfilePopup::kCommand, 0, nullptr);
    ASSERT_NE(dynamic_cast<ProfilePopup*>(control), nullptr);
    CXTPControls* items = Open(control);
    ASSERT_EQ(items->GetCount(), 1);
    EXPECT_EQ(items->GetAt(0)->GetType(), xtpControlLabel);
    EXPECT_EQ(std::wstring(items->GetAt(0)->GetCaption()), L"(пусто)");
    // A document whose model is not a 3D scene lists nothing either, and a second opening does
    // not add the label twice.
    OpenWithProfiles(2, {{L"Front", 1}});
    EXPECT_EQ(Open(control)->GetCount(), 1);
    control->InternalRelease();
}

TEST_F(FramePopupControls, ProfilesOfThe3DDocumentAreColouredButtonsThatApplyThemselves) {
    CKvw32Doc* document = OpenWithProfiles(1, {{L"Front", 1}, {L"Bare", 0xFFFFFFFFu}, {L"Odd", 999}});
    CXTPControl* control = frame->CreateCustomControl(ProfilePopup::kCommand, 0, nullptr);
    CXTPControls* items = Open(control);
    ASSERT_EQ(items->GetCount(), 3);
    auto* front = dynamic_cast<ProfileButton*>(items->GetAt(0));
    auto* bare = dynamic_cast<ProfileButton*>(items->GetAt(1));
    auto* odd = dynamic_cast<ProfileButton*>(items->GetAt(2));
    ASSERT_TRUE(front && bare && odd);
    EXPECT_EQ(std::wstring(front->GetCaption()), L"Front");
    EXPECT_EQ(front->GetStyle(), xtpButtonCaption);
    EXPECT_EQ(front->GetIconId(), ProfileButton::kOwnImageIconId);
    EXPECT_NE(bare->GetIconId(), ProfileButton::kOwnImageIconId);
    // Colour 1 of the table is red: its image is red inside a black ring, built once per size.
    const ProfileIconImage* image = front->GetPicture(16);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->at(5, 5), 0xFFFF0000u);
    EXPECT_EQ(image->at(0, 5), 0xFF000000u);
    front->GetPicture(24);
    front->GetPicture(16);
    EXPECT_EQ(front->GetImageBuildCount(), 2);
    EXPECT_EQ(bare->GetPicture(16), nullptr);
    EXPECT_EQ(odd->GetPicture(16), nullptr);  // an index past the colour table
    // The toolkit asks the button itself for the image its icon id stands for: the menu shows
    // the red square in its black ring, and no image for the profile without a colour.
    CXTPControl* placed = frame->GetMenuBar()->GetControls()->Add(control, ProfilePopup::kCommand);
    control->InternalAddRef();
    s.user().expectMenuDismiss();
    dynamic_cast<CXTPControlPopup*>(placed)->OpenPopup();
    const std::vector<std::wstring> menu = s.journal().texts("menu");
    EXPECT_NE(indexOf(menu, L"\"Front\" image 16x16 edge #000000 centre #FF0000"), -1);
    const long long bareLine = indexOf(menu, L"\"Bare\"");
    ASSERT_NE(bareLine, -1);
    EXPECT_EQ(menu[static_cast<std::size_t>(bareLine)].find(L"image"), std::wstring::npos);
    front = dynamic_cast<ProfileButton*>(placed->GetCommandBar()->GetControls()->GetAt(0));
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(front->GetImage(16), front->GetImage(16));  // kept, not made again
    front->OnExecute();
    EXPECT_NE(indexOf(calls(s), L"KV3DProfiles::ApplyProfile(\"part.grb\", \"Front\")"), -1)
        << document->GetTitle().GetString();
    control->InternalRelease();
}

// The cached views and images of the active view become icons as a menu is about to show their
// items, and the menu shows them.
TEST_F(FramePopupControls, CachedViewsAndViewImagesBecomeIconsOfTheItemsShowingThem) {
    OpenWithProfiles(std::nullopt, {});
    CKVView* view = KVGetActiveView();
    ASSERT_NE(view, nullptr);
    const auto square = [](int side, std::uint32_t colour) {
        return KVViewPicture{side, side, std::vector<std::uint32_t>(static_cast<std::size_t>(side * side), colour)};
    };
    // Three cached views of which the view offers two; an image of the wrong size is no entry.
    view->SetCachedViews({square(16, 0xFF102030), square(16, 0xFF405060), square(16, 0xFF708090)}, 2);
    view->SetImageList({square(16, 0xFFAA0000), square(24, 0xFF00AA00), square(16, 0xFF0000AA)});
    CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    bar->GetControls()->Add(xtpControlButton, 7900)->SetCaption(L"Views");
    bar->GetControls()->Add(xtpControlButton, 9000)->SetCaption(L"Images");
    s.user().expectMenuDismiss();
    frame->GetCommandBars()->TrackPopupMenu(bar, 0, 0, 0);
    bar->InternalRelease();
    const CXTPImageManager* images = frame->GetCommandBars()->GetImageManager();
    EXPECT_NE(images->Lookup(7901, 16), nullptr);
    EXPECT_EQ(images->GetIconSet(7902), nullptr);
    EXPECT_EQ(images->GetIconSet(9001), nullptr);
    ASSERT_NE(images->Lookup(9002, 16), nullptr);
    EXPECT_EQ(images->Lookup(9002, 16)->GetPixels().front(), 0xFF0000AAu);
    const std::vector<std::wstring> menu = s.journal().texts("menu");
    EXPECT_NE(indexOf(menu, L"7900 \"Views\" disabled image 16x16 edge #102030 centre #102030"), -1);
    EXPECT_NE(indexOf(menu, L"9000 \"Images\" disabled image 16x16 edge #AA0000"), -1);
}

TEST_F(FramePopupControls, TheFrameMakesTheMenuBarAndDockingPanesPopupsOverItsOwnParts) {
    CXTPControl* find = frame->CreateCustomControl(799, 0, nullptr);
    EXPECT_NE(dynamic_cast<FindCommandButton*>(find), nullptr);
    find->InternalRelease();

    auto* menu = dynamic_cast<Korvo::UI::PseudoMenuBar*>(frame->CreateCustomControl(900, 0, nullptr));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuBar(), frame->GetMenuBar());
    EXPECT_EQ(menu->GetCaption(), frame->GetMenuBar()->GetTitle());
    EXPECT_EQ(menu->GetIconId(), CKvw32App::Instance()->GetProductImageIndex());
    // Each opening offers the menu bar's menus as they are then.
    CXTPControl* placed = frame->GetMenuBar()->GetControls()->Add(menu, 900);
    CXTPControls* menus = Open(placed);
    ASSERT_EQ(menus->GetCount(), frame->GetMenuBar()->GetControls()->GetCount() - 1);
    EXPECT_EQ(menus->GetAt(0)->GetCommandBar(), frame->GetMenuBar()->GetControls()->GetAt(0)->GetCommandBar());
    frame->GetMenuBar()->GetControls()->Remove(placed);

    auto* panes = dynamic_cast<Korvo::UI::DockingPanesPopup*>(frame->CreateCustomControl(2852, 0, nullptr));
    ASSERT_NE(panes, nullptr);
    placed = frame->GetMenuBar()->GetControls()->Add(panes, 2852);
    CXTPControls* items = Open(placed);
    const auto& list = frame->GetPaneManager().GetPaneList();
    ASSERT_EQ(items->GetCount(), static_cast<int>(list.size()));
    CXTPControl* properties = items->FindControl(1007);
    ASSERT_NE(properties, nullptr);
    EXPECT_TRUE(properties->GetChecked());
    // Choosing an open pane closes it; choosing it again shows it.
    properties->OnExecute();
    EXPECT_TRUE(frame->GetPaneManager().FindPane(1007)->IsClosed());
    Open(placed)->FindControl(1007)->OnExecute();
    EXPECT_FALSE(frame->GetPaneManager().FindPane(1007)->IsClosed());
}

// A ribbon group's controls are made with the ribbon as their bar, and the ribbon reads the
// attributes it knows before the frame reads its own.
TEST_F(FramePopupControls, RibbonControlsAreMadeOnTheRibbonWhichReadsAttributesFirst) {
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    ASSERT_NE(ribbon, nullptr);
    Korvo::UI::XML::RibbonBar layout;
    auto tab = layout.addChild(L"RibbonTab");
    tab->setAttribute(L"caption", L"Tools");
    auto group = tab->addChild(L"RibbonGroup");
    group->setAttribute(L"caption", L"Find");
    auto find = group->addChild(L"Button");
    find->setAttribute(L"id", L"799");
    find->setAttribute(L"keyTip", L"F");
    find->setAttribute(L"anchor", L"help");
    auto panes = group->addChild(L"Popup");
    panes->setAttribute(L"id", L"2852");
    layout.apply(*ribbon, *frame->GetRibbonApplicationParameters());
    CXTPControls* controls = ribbon->GetTab(0)->GetGroup(0)->GetControls();
    ASSERT_EQ(controls->GetCount(), 2);
    CXTPControl* button = controls->GetAt(0);
    EXPECT_NE(dynamic_cast<FindCommandButton*>(button), nullptr);
    EXPECT_EQ(button->GetKeyboardTip(), CString(L"F"));
    EXPECT_NE(button->GetFlags() & 0x1000u, 0u);
    auto* popup = dynamic_cast<Korvo::UI::DockingPanesPopup*>(controls->GetAt(1));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetDockingPaneManager(), &frame->GetPaneManager());
    // A tool bar does not read the key tip: it is the ribbon's.
    CXTPControl* plain = frame->GetMenuBar()->GetControls()->Add(xtpControlButton, 1);
    Korvo::UI::XML::ReadBarControlAttribute(*frame->GetMenuBar(), *plain, L"keyTip", L"X");
    EXPECT_EQ(plain->GetKeyboardTip(), CString());
}

}  // namespace
