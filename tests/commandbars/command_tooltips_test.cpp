// Rich tooltip records: description files, shortcut lines, the excluded ids, the process-wide map,
// and the tip turning into its long description after two seconds.
#include "commandbars/command_tooltips.h"
#include "commandbars/tooltip_context.h"
#include "platform/core/text.h"
#include "platform/kernel/ui/control.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;
using platform::core::toUtf8;

TEST(CommandDescription, TextDashesAndLongText) {
    auto d = ParseCommandDescription(L"Short text\r\n---\r\n  First line\nSecond line\n");
    EXPECT_EQ(d.text, CString(L"Short text"));
    EXPECT_EQ(d.longText, CString(L"First line\nSecond line"));
    d = ParseCommandDescription(L"  Only a text  ");
    EXPECT_EQ(d.text, CString(L"Only a text"));
    EXPECT_TRUE(d.longText.IsEmpty());
    d = ParseCommandDescription(L"Text ---");  // nothing after the mark: no long text
    EXPECT_EQ(d.text, CString(L"Text"));
    EXPECT_TRUE(d.longText.IsEmpty());
    d = ParseCommandDescription(L"---rest of the line");
    EXPECT_TRUE(d.text.IsEmpty());
    EXPECT_EQ(d.longText, CString(L"rest of the line"));
    EXPECT_EQ(ParseCommandDescription(L"--").text, CString(L"--"));  // too short for a mark
}

TEST(CommandTooltipIds, ExcludedRangesAtTheirBounds) {
    for (UINT id : {599u, 1116u, 2701u, 2790u, 37000u, 39199u, 65536u}) EXPECT_TRUE(IsExcludedFromCommandTooltips(id)) << id;
    for (UINT id : {600u, 2700u, 2791u, 36999u, 39200u, 65535u}) EXPECT_FALSE(IsExcludedFromCommandTooltips(id)) << id;
}

TEST(CommandTooltipMap, ASecondRegistrationKeepsTheFirstRecord) {
    CommandTooltipInfo first;
    first.name = L"MyCommand";
    first.title = L"Mine";
    EXPECT_TRUE(SetCommandTooltipInfo(17001, first));
    EXPECT_TRUE(SetCommandTooltipInfo(17001, first));
    CommandTooltipInfo other = first;
    other.text = L"different";
    EXPECT_FALSE(SetCommandTooltipInfo(17001, other));
    const CommandTooltipInfo* stored = LoadCommandDescription(17001, nullptr, 0);
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->text.IsEmpty());
}

TEST_F(RibbonFrameTest, ShortcutsAreListedOnceInPriorityOrder) {
    CXTPShortcutManager* shortcuts = bars->GetShortcutManager();
    shortcuts->AddShortcut(ACCEL{FVIRTKEY | FCONTROL | FSHIFT, 'L', 681});
    shortcuts->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'L', 681});
    shortcuts->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'L', 681});
    const std::vector<CString> strings{L"", L"", L"", L"", L"", L"", L"LL"};
    const CString line = BuildCommandShortcut(681, L"CL", bars, &strings);
    const std::string text = toUtf8(std::wstring(line));
    EXPECT_EQ(text.find("CL; LL; "), 0u) << text;
    EXPECT_LT(text.find("Ctrl+L"), text.find("Shift"));
    EXPECT_EQ(text.find("Ctrl+L"), text.rfind("Ctrl+L")) << text;

    // A prompt's "CALL:" start is its keyboard call; a colon in first place is the prompt's own.
    platform::kernel::overrideString(4602, L"KC: Does a thing\nThing");
    platform::kernel::overrideString(4603, L":colon first\nColon");
    const CommandTooltipInfo* called = LoadCommandDescription(4602, bars, 0);
    ASSERT_NE(called, nullptr);
    EXPECT_EQ(called->text, CString(L"Does a thing"));
    EXPECT_EQ(called->shortcut, CString(L"KC"));
    const CommandTooltipInfo* colon = LoadCommandDescription(4603, bars, 0);
    ASSERT_NE(colon, nullptr);
    EXPECT_EQ(colon->title, CString(L"Colon"));
    EXPECT_EQ(colon->text, CString(L":colon first"));
    EXPECT_TRUE(colon->shortcut.IsEmpty());
    // Shortcuts given later reach every stored record.
    shortcuts->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'N', 4602});
    shortcuts->AddShortcut(ACCEL{FVIRTKEY | FCONTROL, 'M', 4603});
    UpdateCommandTooltips(bars);
    EXPECT_EQ(called->shortcut, CString(L"KC; Ctrl+N"));
    EXPECT_EQ(colon->shortcut, CString(L"Ctrl+M"));
}

TEST_F(RibbonFrameTest, DescriptionFileGivesTheTextAndAfterTwoSecondsTheLongText) {
    s.files().write(s.files().programFile(L"CommandInfo\\CreateLibrary.txt"), "Makes a library\n---\nLong one\nLong two\n");
    EXPECT_EQ(s.user().hover(frame->GetSafeHwnd(), kKernelCommand), std::nullopt);
    std::string tip = toUtf8(s.inspect().tooltip(frame->GetSafeHwnd()));
    // No command strings: no title, the description's text.
    EXPECT_EQ(tip.find("bold"), std::string::npos) << tip;
    EXPECT_NE(tip.find("text \"Makes a library\""), std::string::npos) << tip;
    EXPECT_EQ(tip.find("Long one"), std::string::npos) << tip;
    s.advance(2000);
    tip = toUtf8(s.inspect().tooltip(frame->GetSafeHwnd()));
    EXPECT_NE(tip.find("text \"Long one\nLong two\""), std::string::npos) << tip;

    // A description with nothing before its mark keeps the command's own short text.
    KVCommandContainer::Instance().RegisterCommand(4604, L"LongOnly", KVCommandFlags{});
    platform::kernel::overrideString(4604, L"Keeps its prompt\nLong only");
    s.files().write(s.files().programFile(L"CommandInfo\\LongOnly.txt"), "---\nOnly the long text\n");
    const CommandTooltipInfo* longOnly = LoadCommandDescription(4604, bars, 0);
    ASSERT_NE(longOnly, nullptr);
    EXPECT_EQ(longOnly->text, CString(L"Keeps its prompt"));
    EXPECT_EQ(longOnly->longText, CString(L"Only the long text"));
}

TEST_F(RibbonFrameTest, NamesThatLeaveTheFolderReadNoDescription) {
    CommandTooltipInfo info;
    s.files().write(s.files().programFile(L"secret.txt"), "outside");
    KVCommandContainer::Instance().RegisterCommand(4600, L"..\\secret", KVCommandFlags{});
    const CommandTooltipInfo* record = LoadCommandDescription(4600, bars, 0);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->text.IsEmpty());
    EXPECT_EQ(record->name, CString(L"..\\secret"));
    // An add-on application's command without a name gets no record; any other id is named by
    // its number.
    EXPECT_EQ(LoadCommandDescription(15500, bars, 0), nullptr);
    const CommandTooltipInfo* unnamed = LoadCommandDescription(4601, bars, 0);
    ASSERT_NE(unnamed, nullptr);
    EXPECT_EQ(unnamed->name, CString(L"4601"));
}

}  // namespace
