// The About box: who the product is registered to, the version block, the links and the texts
// that name the product; and the auto-save dialog that names the document being saved.
#include <optional>
#include <string>

#include "app/about/about_texts.h"
#include "app/recovery/auto_save_dialog.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::kMachine;
using apptest::kMachineProductKey;
using DialogAction = platform::core::DialogAction;

constexpr unsigned kAbout = 57664;

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

struct AboutContents {
    std::wstring caption, owner, version, link, texts;
    bool placeholderShown = true;
    DWORD selectionStart = 0, selectionEnd = 0;
    std::optional<std::wstring> linkClick;
};

AboutContents OpenAbout(Session& s) {
    AboutContents seen;
    s.user().expectDialog(183, [&](HWND dialog) {
        seen.caption = TextOf(dialog);
        seen.owner = TextOf(GetDlgItem(dialog, 1034));
        seen.version = TextOf(GetDlgItem(dialog, 1647));
        SendMessageW(GetDlgItem(dialog, 1647), EM_GETSEL, reinterpret_cast<WPARAM>(&seen.selectionStart),
                     reinterpret_cast<LPARAM>(&seen.selectionEnd));
        seen.link = TextOf(GetDlgItem(dialog, 5555));
        seen.placeholderShown = IsWindowVisible(GetDlgItem(dialog, 1258)) != FALSE;
        for (const int id : {1324, 3324, 3325, 3326}) seen.texts += TextOf(GetDlgItem(dialog, id)) + L"|";
        seen.linkClick = s.user().act(dialog, {DialogAction::Kind::Click, 5555});
        s.user().act(dialog, {DialogAction::Kind::Ok});
    });
    s.user().command(s.inspect().mainFrames().front(), kAbout);
    s.runUntilIdle();
    return seen;
}

class AboutBox : public SessionTest {};

TEST_F(AboutBox, ShowsTheOwnerTheVersionBlockAndTheProductsTexts) {
    Session s;
    s.registry().setString(kMachine, kMachineProductKey, L"SetupRegisteredOwner", L"Anna Petrova");
    s.registry().setString(kMachine, kMachineProductKey, L"SetupRegisteredOrganization", L"Machine Works");
    s.start();
    s.runUntilIdle();
    const AboutContents about = OpenAbout(s);
    EXPECT_EQ(about.caption, L"About Korvo CAD");
    EXPECT_EQ(about.owner, L"Anna Petrova\nMachine Works");
    const std::wstring::size_type number = about.version.find(L"18.0.21.0 x64 built 06/02/25\r\n");
    ASSERT_NE(number, std::wstring::npos) << apptest::Utf8(about.version);
    EXPECT_EQ(about.selectionStart, number);
    EXPECT_EQ(about.selectionEnd, number + 9) << "the version number is selected";
    EXPECT_EQ(about.texts,
              L"Korvo CAD 18 for Windows 7, 8, 10, 11|Copyright (c) 2025 Velmora.|Korvo CAD runs on Windows 7, 8, 10, "
              L"11.|Licensed for Korvo CAD 18.|");
    EXPECT_EQ(about.link, L"<a href=\"http://korvo.velmora.example\">Visit the product web site</a>");
    EXPECT_FALSE(about.placeholderShown);
    EXPECT_FALSE(about.linkClick.has_value()) << apptest::Utf8(about.linkClick.value_or(L""));
    EXPECT_TRUE(apptest::Contains(calls(s), L"http://korvo.velmora.example")) << "the link opens its address";
}

TEST_F(AboutBox, WithoutARegistrationTheOwnerIsEmptyAndThePdmSystemIsListed) {
    Session s;
    s.start();
    s.runUntilIdle();
    s.kernel().setPdmConnected(true);
    const AboutContents about = OpenAbout(s);
    EXPECT_EQ(about.owner, L"");
    EXPECT_NE(about.version.find(L"\r\nVarnel PDM 11.0\r\nInstance: "), std::wstring::npos) << apptest::Utf8(about.version);
}

class AboutTexts : public SessionTest {};

TEST_F(AboutTexts, AnOverlongRegistrationValueIsCutAndEnded) {
    Session s;
    const std::wstring longOwner(300, L'W');
    s.registry().setString(kMachine, kMachineProductKey, L"SetupRegisteredOwner", longOwner);
    s.registry().setString(kMachine, kMachineProductKey, L"SetupRegisteredOrganization", L"");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineProductKey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    // 255 bytes of this platform's characters, the terminator left out.
    EXPECT_EQ(ReadRegistrationValue(key, L"SetupRegisteredOwner"), CString(std::wstring(255 / sizeof(wchar_t), L'W').c_str()));
    EXPECT_EQ(ReadRegistrationValue(key, L"SetupRegisteredOrganization"), CString());
    EXPECT_EQ(ReadRegistrationValue(key, L"Missing"), CString());
    RegCloseKey(key);
    EXPECT_EQ(AboutOwnerText(L"Anna", L""), CString(L"Anna"));
}

TEST_F(AboutTexts, TheVersionBlockEndsEveryLineWithBoth) {
    const AboutVersionBlock block = MakeAboutVersionBlock(L"Viewer edition", L"built", L"06/02/25", L"A\nB\r\nC");
    EXPECT_EQ(block.text, CString(L"Viewer edition\r\n18.0.21.0 x64 built 06/02/25\r\nA\r\nB\r\nC"));
    EXPECT_EQ(block.versionStart, 16);
    const AboutVersionBlock bare = MakeAboutVersionBlock(L"", L"built", L"06/02/25", L"");
    EXPECT_EQ(bare.versionStart, 0);
    EXPECT_EQ(ReplaceAboutPlaceholders(L"<program> <version>", L"Korvo CAD", false), CString(L"Korvo CAD <version>"));
}

class AutoSaveDialog : public SessionTest {};

TEST_F(AutoSaveDialog, NamesTheDocumentCentredOnItsOwner) {
    Session s;
    s.start();
    s.runUntilIdle();
    CWnd* frame = CWnd::FromHandle(s.inspect().mainFrames().front());
    CAutoSaveDialog dialog;
    dialog.SetTitle(L"Bracket.grb");
    ASSERT_TRUE(dialog.Create(CAutoSaveDialog::kTemplate, frame));
    EXPECT_EQ(TextOf(GetDlgItem(dialog.GetSafeHwnd(), 1119)), L"Bracket.grb");
    RECT owner{}, shown{};
    GetWindowRect(frame->GetSafeHwnd(), &owner);
    GetWindowRect(dialog.GetSafeHwnd(), &shown);
    EXPECT_NEAR((shown.left + shown.right) / 2, (owner.left + owner.right) / 2, 1);
    EXPECT_NEAR((shown.top + shown.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
    dialog.SetTitle(L"Cover plate.grb");
    EXPECT_EQ(TextOf(GetDlgItem(dialog.GetSafeHwnd(), 1119)), L"Cover plate.grb") << "a later document replaces the name";
    EXPECT_EQ(dialog.GetTitle(), CString(L"Cover plate.grb"));
}

}  // namespace
