// The 3D-mouse page as a user works it in the customise sheet, and the values it hands through:
// the sliders give back every step they store, a preset section with a value no mapping can hold
// changes nothing, a key's extended flag reaches the mapping, and the device is unlocked once.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "auxiliary/spaceball/spaceball_button_dialogs.h"
#include "platform/win32/controls/propsheet_messages.h"
#include "mainframe/main_frame.h"
#include "platform/core/text.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

constexpr UINT kSheetFirstPage = 35001;
constexpr UINT kFirstPage = 783;  // the tool-bar options page, which the sheet opens on

TEST(SpaceballSliders, EveryStepComesBackAsItselfAndAFinerValueShowsTheStepBelow) {
    for (int position = 0; position <= 100; ++position)
        EXPECT_EQ(SpaceballSliderPosition(SpaceballSensitivity(position)), position) << position;
    EXPECT_EQ(SpaceballSliderPosition(0.375), 37);
    EXPECT_DOUBLE_EQ(SpaceballSensitivity(37), 0.37);
}

class SpaceballPage : public SessionTest {
protected:
    void Start(Session& s) {
        CKVSpaceballDeviceManager::Instance().Plug({4, 6, true});
        s.start();
        s.runUntilIdle();
    }
    void OpenSheet(Session& s) {
        s.user().command(CKvw32App::Instance()->GetActiveMainFrame()->GetSafeHwnd(), kSheetFirstPage);
        s.runUntilIdle();
    }
    static HWND PageOf(HWND sheet) {
        for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgItem(child, CKVSpaceballConfigDlgImpl::kButtonList)) return child;
        return nullptr;
    }
};

TEST_F(SpaceballPage, ASectionWithAValueNoMappingHoldsChangesNothingAndASavedMappingReadsBack) {
    Session s;
    CKVSpaceballMapping mapping;
    CKVSpaceballDeviceManager::Instance().GetDefaultMapping(0, mapping);
    const CKVSpaceballMapping before = mapping;
    for (const wchar_t* text : {L"[M]\nAxis1=2\nSensitivity1=1.5\n", L"[M]\nAxis1=6\n", L"[M]\nInvert1=2\n",
                                L"[M]\nButton3=key 65\n", L"[M]\nButton3=macro 5\n", L"[M]\nSensitivity2=0.5x\n"}) {
        kvio::IniFile ini;
        ini.LoadFromText(text, L"bad.k3c");
        EXPECT_FALSE(mapping.Load(ini, L"M", 2)) << platform::core::toUtf8(text);
        EXPECT_TRUE(mapping == before) << platform::core::toUtf8(text);
    }
    kvio::IniFile none;
    EXPECT_FALSE(mapping.Load(none, L"M", 3));

    mapping.axes[4] = {1, 0.29, 1};
    mapping.overall = 0.57;
    mapping.buttons[7] = CKVSpaceballMapping::ButtonEvent::ForKey(0x0D, true);
    kvio::IniFileWriter written;
    mapping.Save(written, L"3D");
    kvio::IniFile reread;
    reread.LoadFromText(written.Text(), L"saved.k3c");
    CKVSpaceballMapping read;
    ASSERT_TRUE(read.Load(reread, L"3D", 2));
    EXPECT_TRUE(read == mapping);
    // The first format knows no overall sensitivity.
    CKVSpaceballMapping first;
    ASSERT_TRUE(first.Load(reread, L"3D", 1));
    EXPECT_EQ(first.overall, 0.0);
}

TEST_F(SpaceballPage, AKeyPressedOnTheKeypadKeepsItsExtendedFlag) {
    Session s;
    Start(s);
    s.user().expectMenuChoose(11);
    s.user().expectDialog(CKVSpaceballConfigDlgImpl::KeyDialog::kTemplate, [](HWND dialog) {
        PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, static_cast<LPARAM>(1 | (1 << 24)));
        PostMessageW(dialog, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC1000001u));
    });
    s.user().expectDialog(kFirstPage, [](HWND sheet) {
        SendMessageW(sheet, PSM_SETCURSELID, 0, CKVSpaceballConfigDlg::kTemplate);
        const HWND page = PageOf(sheet);
        const HWND list = GetDlgItem(page, CKVSpaceballConfigDlgImpl::kButtonList);
        LVITEMW select;
        select.state = select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
        SendMessageW(page, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(20, 20));
        SendMessageW(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    });
    OpenSheet(s);
    const CKVSpaceballMapping::ButtonEvent event = CKVSpaceballDeviceManager::Instance().PresetOf(0).GetButtonEvent(2);
    EXPECT_EQ(event.kind, CKVSpaceballMapping::ButtonEvent::Key);
    EXPECT_EQ(event.key, VK_RETURN);
    EXPECT_EQ(event.extended, 1);
    EXPECT_EQ(std::wstring(GetKeyName(event.key, true).view()), L"Num Enter");
}

TEST_F(SpaceballPage, ClosingThePageUnlocksTheDeviceOnceAndReleasesIt) {
    Session s;
    Start(s);
    HWND page = nullptr;
    HWND lockedWhileOpen = nullptr;
    s.user().expectDialog(kFirstPage, [&](HWND sheet) {
        SendMessageW(sheet, PSM_SETCURSELID, 0, CKVSpaceballConfigDlg::kTemplate);
        page = PageOf(sheet);
        lockedWhileOpen = CKVSpaceballDeviceManager::Instance().GetLockedWindow();
        SendMessageW(page, WM_CLOSE, 0, 0);
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    });
    OpenSheet(s);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(lockedWhileOpen, page);
    EXPECT_EQ(CKVSpaceballDeviceManager::Instance().GetLockedWindow(), nullptr);
    long long unlocks = 0;
    for (const std::wstring& call : calls(s)) unlocks += call.starts_with(L"CKVSpaceballDeviceManager::Unlock(") ? 1 : 0;
    EXPECT_EQ(unlocks, 1);
}

}  // namespace
