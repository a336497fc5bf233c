// The support request's own rules, the kernel's sketch check list as a user works it, and the
// pipe the mail program reads: a writer never waits for a reader that is gone.
#include <gtest/gtest.h>

#include "auxiliary/applications/addon_properties_dialog.h"
#include "auxiliary/technical_support.h"
#include "platform/core/journal.h"
#include "platform/win32.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

TEST(SupportRequestForm, OnlyALineWithANameAndADottedDomainIsTheRecipient) {
    EXPECT_TRUE(TechnicalSupport::IsAddressLine(L" a@b.c "));
    EXPECT_TRUE(TechnicalSupport::IsAddressLine(L"help desk@mail.example.org"));
    EXPECT_FALSE(TechnicalSupport::IsAddressLine(L"@b.c"));     // nobody before the "@"
    EXPECT_FALSE(TechnicalSupport::IsAddressLine(L"a@.c"));     // the dot right after the "@"
    EXPECT_FALSE(TechnicalSupport::IsAddressLine(L"a@bc"));     // no dot
    EXPECT_FALSE(TechnicalSupport::IsAddressLine(L"a.b@c"));    // the dot only before the "@"
    EXPECT_FALSE(TechnicalSupport::IsAddressLine(L"Dear support,"));
}

TEST(SupportRequestForm, PlaceholdersAreReplacedWhereverTheyOccurAndCountriesNameTheirLanguage) {
    CString body = L"<UserName> and <UserName>, not <Username>";
    TechnicalSupport::ReplaceAll(body, L"<UserName>", L"<UserName>!");
    EXPECT_EQ(body, L"<UserName>! and <UserName>!, not <Username>");  // a value holding the placeholder is not replaced again
    EXPECT_EQ(TechnicalSupport::LanguageName(0), L"Russian");
    EXPECT_EQ(TechnicalSupport::LanguageName(8), L"Czech");
    EXPECT_EQ(TechnicalSupport::LanguageName(9), L"Unknown");
    EXPECT_EQ(TechnicalSupport::LanguageName(-1), L"Unknown");
}

TEST(SupportRequestForm, TheBodyIsUtf16LittleEndianWithoutAMarkEvenBeyondTheBasicPlane) {
    const std::string bytes = TechnicalSupport::EncodeBody(CString(L"A\u00e9\r\n\U0001F600"));
    EXPECT_EQ(bytes, std::string("A\0\xe9\0\r\0\n\0\x3d\xd8\x00\xde", 12));
}

TEST(AddonStartModes, AnAutomaticModeMustAgreeWithTheApplicationAboutStartingFirst) {
    // Without flag bit 0: on demand, automatic, manual; with it: on demand, before all, manual.
    for (const DWORD flags : {DWORD{0}, DWORD{1}}) {
        EXPECT_TRUE(CAddonProp::IsOffered(0, flags));
        EXPECT_EQ(CAddonProp::IsOffered(2, flags), flags == 0);
        EXPECT_EQ(CAddonProp::IsOffered(3, flags), flags == 1);
        EXPECT_TRUE(CAddonProp::IsOffered(0x200, flags));
    }
}

TEST(Pipes, AWriteFailsOnceNoReadEndIsOpenAndNeverWaitsForAReaderThatDoesNotRead) {
    SECURITY_ATTRIBUTES inherit;
    inherit.bInheritHandle = TRUE;
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, &inherit, 0));
    DWORD written = 0;
    // Nobody reads the open read end: the buffer takes what fits, then the write would wait
    // forever, which the stand-in refuses.
    const std::string block(kPipeBufferSize, 'x');
    EXPECT_TRUE(WriteFile(write, block.data(), kPipeBufferSize, &written, nullptr));
    EXPECT_EQ(written, kPipeBufferSize);
    EXPECT_FALSE(WriteFile(write, "y", 1, &written, nullptr));
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures.front().find(L"WriteFile"), std::wstring::npos);
    // Once the read end is closed a write fails at once.
    EXPECT_TRUE(CloseHandle(read));
    EXPECT_FALSE(WriteFile(write, "y", 1, &written, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_NO_DATA);
    EXPECT_TRUE(platform::core::takeFailures().empty());
    EXPECT_TRUE(CloseHandle(write));
}

class SketchCheckList : public SessionTest {
protected:
    // Runs the kernel's check list over four settings, the third without a text and with the
    // second's key, the fourth without a state; `act` works the open dialog.
    bool Run(Session& s, std::int32_t (&states)[3], const std::function<void(HWND)>& act) {
        std::vector<KVSketchSetItem> items = {{20695, 'D', L"Alt+D", &states[0]},
                                              {20696, 'P', L"Alt+P", &states[1]},
                                              {20697, 'P', nullptr, &states[2]},
                                              {20698, 'E', L"Alt+E", nullptr}};
        KVSketchSetGlobalRequest request;
        request.items = items;
        s.user().expectDialog(20694u, act);
        bool ok = false;
        s.kernel().callback([&](KorvoServerAppProxy& kernel) { ok = kernel.RunModalDialog(&request); });
        return ok;
    }
};

TEST_F(SketchCheckList, AltWithAKeyTogglesItsRowOkWritesTheChecksBackAndRowsWithoutStateAreLeftAlone) {
    Session s;
    s.start();
    s.runUntilIdle();
    std::int32_t states[3] = {1, 0, 0};
    const bool ok = Run(s, states, [](HWND dialog) {
        const HWND list = GetDlgItem(dialog, 1033);
        constexpr LPARAM alt = 1 << 29;
        PostMessageW(list, WM_SYSKEYDOWN, 'P', alt);  // toggles the second row, the first with the key
        PostMessageW(list, WM_SYSKEYDOWN, 'Q', alt);  // a key no row has
        PostMessageW(list, WM_SYSKEYDOWN, 'E', alt);  // a row without state
        PostMessageW(list, WM_SYSKEYDOWN, 'D', 0);    // no Alt: no toggle
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(states[0], 1);
    EXPECT_EQ(states[1], 1);
    EXPECT_EQ(states[2], 0);
}

TEST_F(SketchCheckList, ARequestOfAnUnknownKindEndsWithoutADialog) {
    Session s;
    s.start();
    s.runUntilIdle();
    KorvoDialog unknown;
    bool ok = true;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { ok = kernel.RunModalDialog(&unknown); });
    EXPECT_FALSE(ok);
}

}  // namespace
