// The frame's window list: tabs cannot be arranged, and only a kernel document's window can be
// saved from it.
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
constexpr const wchar_t* kPicture = L"C:\\Users\\user\\Documents\\Samples\\Gear.png";
constexpr UINT kWindowList = 61217, kWorkbookCommand = 805;

struct ButtonState {
    bool visible = false;
    bool enabled = false;
};

class WindowList : public mainframetest::RunningFrameTest {
protected:
    void Open(const wchar_t* path) {
        s.user().dde(std::wstring(L"[open(\"") + path + L"\")]");
        s.runUntilIdle();
    }
    ButtonState Button(HWND dialog, int id) {
        const HWND button = ::GetDlgItem(dialog, id);
        return {button && ::IsWindowVisible(button), button && ::IsWindowEnabled(button)};
    }
    // "#N" for the first row of the list whose text holds `part`.
    std::wstring Row(HWND dialog, const std::wstring& part) {
        const HWND list = ::GetDlgItem(dialog, CKVWindowList::kListId);
        const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring text(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            if (text.find(part) != std::wstring::npos) return L"#" + std::to_wstring(i);
        }
        ADD_FAILURE() << "no row holds the text";
        return L"#99";
    }
    // Runs the window list; `whileOpen` looks at it, then it is cancelled.
    void WithWindowList(std::function<void(HWND dialog)> whileOpen) {
        bool ran = false;
        s.user().expectDialog(std::wstring(L"dialogs.window_list"), [&](HWND dialog) {
            whileOpen(dialog);
            ran = true;
            s.user().act(dialog, DialogAction{DialogAction::Kind::Cancel, 0, {}});
        });
        s.user().command(window, kWindowList);
        s.runUntilIdle();
        EXPECT_TRUE(ran);
    }
    using DialogAction = platform::core::DialogAction;
};

TEST_F(WindowList, TabsHideTheArrangementButtonsAndFreeWindowsShowThem) {
    Open(kBracket);
    ASSERT_TRUE(frame->IsWorkbookMode());
    WithWindowList([&](HWND dialog) {
        for (const int id : CKVWindowList::kArrangeButtons) EXPECT_FALSE(Button(dialog, id).visible) << id;
        EXPECT_TRUE(Button(dialog, CKVWindowList::kCloseButton).visible);
    });
    s.user().command(window, kWorkbookCommand);
    s.runUntilIdle();
    ASSERT_FALSE(frame->IsWorkbookMode());
    WithWindowList([&](HWND dialog) {
        for (const int id : CKVWindowList::kArrangeButtons) EXPECT_TRUE(Button(dialog, id).visible) << id;
    });
}

// Save follows the selection: a drawing's window saves its changes, a picture's cannot.
TEST_F(WindowList, SaveIsOfferedOnlyForAKernelDocumentsWindowAndSavesIt) {
    Open(kBracket);
    CKvw32Doc* bracket = frame->GetActiveKorvoDocument();
    ASSERT_NE(bracket, nullptr);
    Open(kPicture);
    ASSERT_EQ(frame->GetActiveKorvoDocument(), nullptr) << "the picture's window is active";
    bracket->SetModifiedFlag(TRUE);
    WithWindowList([&](HWND dialog) {
        EXPECT_FALSE(Button(dialog, CKVWindowList::kSaveButton).enabled) << "the picture's window is selected";
        ASSERT_FALSE(s.user().act(dialog, DialogAction{DialogAction::Kind::Select, CKVWindowList::kListId, Row(dialog, L"Bracket")}));
        EXPECT_TRUE(Button(dialog, CKVWindowList::kSaveButton).enabled);
        ASSERT_FALSE(s.user().act(dialog, DialogAction{DialogAction::Kind::Click, CKVWindowList::kSaveButton, {}}));
        EXPECT_FALSE(bracket->IsModified()) << "saved";
        ASSERT_FALSE(s.user().act(dialog, DialogAction{DialogAction::Kind::Select, CKVWindowList::kListId, Row(dialog, L"Gear")}));
        EXPECT_FALSE(Button(dialog, CKVWindowList::kSaveButton).enabled);
    });
}

}  // namespace
