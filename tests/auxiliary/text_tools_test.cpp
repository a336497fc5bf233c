// The pure rules behind the tips strip, the log window and the text browsers: tip lines, log
// text, the kernel's hot-key codes and the metafile's mapping.
#include <gtest/gtest.h>

#include <limits>

#include "auxiliary/info_tip.h"
#include "auxiliary/log_window.h"
#include "auxiliary/text_browser_array.h"
#include "auxiliary/text_browsers/metafile_callback.h"
#include "platform/core/text.h"

namespace {

TEST(TipLines, OnlyTheFirstHashCountsAndBadTimesMeanNoHiding) {
    struct Case {
        const wchar_t* line;
        const wchar_t* text;
        UINT seconds;
    };
    const Case cases[] = {
        {L"A#5", L"A", 5},          {L"B", L"B", 0},           {L"A#word#5", L"A", 0}, {L"C# -3", L"C", 0},
        {L"D#  +7x", L"D", 7},      {L"#12", L"", 12},         {L"", L"", 0},           {L"E#", L"E", 0},
        {L"F#99999999999", L"F", std::numeric_limits<UINT>::max()},
    };
    for (const Case& c : cases) {
        const TipLine tip = ParseTipLine(c.line);
        EXPECT_EQ(tip.text, c.text) << platform::core::toUtf8(c.line);
        EXPECT_EQ(tip.seconds, c.seconds) << platform::core::toUtf8(c.line);
    }
    EXPECT_EQ(TipMilliseconds(5), 5000u);
    EXPECT_EQ(TipMilliseconds(5000000), std::numeric_limits<UINT>::max());  // past 32 bits: the longest timer
}

TEST(LogText, LineFeedsAloneAndWithCarriageReturnsShowAlike) {
    EXPECT_EQ(Korvo::UI::LogBytesToText("one\ntwo\nthree"), Korvo::UI::LogBytesToText("one\r\ntwo\r\nthree"));
    EXPECT_EQ(Korvo::UI::LogBytesToText("one\ntwo\r\n"), CString(L"one\r\ntwo\r\n"));
    EXPECT_EQ(Korvo::UI::LogBytesToText("\n\n"), CString(L"\r\n\r\n"));
    EXPECT_EQ(Korvo::UI::LogBytesToText("\xd0\x9b\xd0\xbe\xd0\xb3\n\xff"), CString(L"Лог\r\n\xFFFD"));
    EXPECT_EQ(Korvo::UI::LogBytesToText(""), CString());
}

TEST(BrowserKeys, TheKernelTableMapsEveryRangeAndOtherCodesUseTheLiveControlKey) {
    struct Case {
        UINT code;
        bool controlDown;
        UINT key;
        bool control;
    };
    const Case cases[] = {
        {1001, true, 112, false}, {1010, false, 121, false}, {1011, false, 45, false}, {1014, false, 35, false},
        {1021, false, 27, false}, {1022, false, 112, true},  {1031, false, 121, true},  {1032, true, 112, false},
        {1041, false, 121, false}, {1051, false, 122, false}, {1055, false, 122, false}, {1052, false, 123, false},
        {1056, false, 123, false}, {1053, false, 122, true},  {1054, false, 123, true},  {3000, false, 'A', false},
        {3025, false, 'Z', false}, {3026, false, '0', false}, {3035, false, '9', false}, {4000, false, 'A', true},
        {4035, false, '9', true},  {1045, true, 1045, true},  {1045, false, 1045, false}, {3036, false, 3036, false},
    };
    for (const Case& c : cases) {
        const BrowserKey key = KernelKeyToBrowserKey(c.code, c.controlDown);
        EXPECT_EQ(key.virtualKey, c.key) << c.code;
        EXPECT_EQ(key.control, c.control) << c.code;
    }
}

TEST(MetafileMapping, FrameAndExtentsFollowTheDrawnBoxOnTheReferenceScreen) {
    const SIZE pixels{1920, 1080};
    const SIZE millimetres{508, 286};
    auto mapping = MapRichTextBox(KVBox{0, 0, 50, -10}, pixels, millimetres);
    ASSERT_TRUE(mapping);
    EXPECT_EQ(mapping->frame.right, 5000);
    EXPECT_EQ(mapping->frame.bottom, 1000);
    EXPECT_EQ(mapping->windowExtent.cx, 5000);
    EXPECT_EQ(mapping->viewportExtent.cx, 188);  // 5000 * 1920 / (508 * 100)
    EXPECT_EQ(mapping->viewportExtent.cy, 37);

    // A box too wide for 16-bit coordinates is scaled down by a whole factor.
    mapping = MapRichTextBox(KVBox{0, 0, 20000, -10}, pixels, millimetres);
    ASSERT_TRUE(mapping);
    EXPECT_EQ(mapping->windowExtent.cx, 2000000 / 3);
    EXPECT_EQ(mapping->viewportExtent.cx, 666666LL * 1920 / ((508 / 3) * 100));

    // A box of no extent: window (0,0), viewport (1,1).
    mapping = MapRichTextBox(KVBox{0, 0, 0, 0}, pixels, millimetres);
    ASSERT_TRUE(mapping);
    EXPECT_EQ(mapping->windowExtent.cx, 0);
    EXPECT_EQ(mapping->viewportExtent.cx, 1);
}

TEST(MetafileMapping, AnEnormousBoxNeitherOverflowsNorDividesByZero) {
    // The world box allows 1e8 mm: its hundredths overflow 32 bits unless kept to GDI's range.
    auto mapping = MapRichTextBox(KVBox{-1e8, 1e8, 1e8, -1e8}, SIZE{1920, 1080}, SIZE{508, 286});
    ASSERT_TRUE(mapping);
    EXPECT_EQ(mapping->frame.right, (1 << 27) - 1);
    EXPECT_GT(mapping->viewportExtent.cx, 0);
    // A reference device whose size divides to nothing gives no mapping (an empty picture).
    EXPECT_FALSE(MapRichTextBox(KVBox{0, 0, 10, -10}, SIZE{1920, 1080}, SIZE{0, 286}));
    EXPECT_FALSE(MapRichTextBox(KVBox{0, 0, 30000, -10}, SIZE{1920, 1080}, SIZE{2, 2}));
}

}  // namespace
