// The frame's popup controls as its control factory makes them: the move-to-window popup and the
// profile popup, rebuilt each time they open from the frames and the active 3D document.
#include <gtest/gtest.h>

#include "mainframe/main_frame.h"
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
    const ProfileIconImage* image = front->GetImage(16);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->at(5, 5), 0xFFFF0000u);
    EXPECT_EQ(image->at(0, 5), 0xFF000000u);
    front->GetImage(24);
    front->GetImage(16);
    EXPECT_EQ(front->GetImageBuildCount(), 2);
    EXPECT_EQ(bare->GetImage(16), nullptr);
    EXPECT_EQ(odd->GetImage(16), nullptr);  // an index past the colour table
    front->OnExecute();
    EXPECT_NE(indexOf(calls(s), L"KV3DProfiles::ApplyProfile(\"part.grb\", \"Front\")"), -1)
        << document->GetTitle().GetString();
    control->InternalRelease();
}

}  // namespace
