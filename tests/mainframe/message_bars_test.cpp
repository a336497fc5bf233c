// Message bars: their markup, exactly; a bar under a frame's command bars with its buttons, the
// callback and closing.
#include "mainframe/message_bars.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;
using mainframetest::frameOf;

TEST(MessageBarMarkup, ImageTitleAndTextGetTwoColumnsAndAPaddedTextBlock) {
    EXPECT_EQ(MessageBarMarkup(7, true, L"Saved", L"All done"),
              CString(L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width=\"Auto\"/><ColumnDefinition Width=\"*\"/>"
                      L"</Grid.ColumnDefinitions><Image Grid.Column=\"0\" Source=\"7\" MaxWidth=\"32\" "
                      L"VerticalAlignment=\"Center\"/><TextBlock Grid.Column=\"1\" Padding=\"5, 0, 0, 0\" "
                      L"VerticalAlignment=\"Center\" TextWrapping=\"Wrap\"><Bold>Saved</Bold> All done</TextBlock></Grid>"));
}

TEST(MessageBarMarkup, ATitleAloneHasNoSpaceAndTextAloneStartsInColumnZero) {
    EXPECT_EQ(MessageBarMarkup(0, false, L"Title", L""),
              CString(L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width=\"*\"/></Grid.ColumnDefinitions>"
                      L"<TextBlock Grid.Column=\"0\"  VerticalAlignment=\"Center\" TextWrapping=\"Wrap\">"
                      L"<Bold>Title</Bold></TextBlock></Grid>"));
    EXPECT_EQ(MessageBarMarkup(0, false, L"", L"Text"),
              CString(L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width=\"*\"/></Grid.ColumnDefinitions>"
                      L"<TextBlock Grid.Column=\"0\"  VerticalAlignment=\"Center\" TextWrapping=\"Wrap\">"
                      L"Text</TextBlock></Grid>"));
}

TEST(MessageBarMarkup, MarkupCharactersAreEscapedOnceAndLineFeedsBreakTheLine) {
    EXPECT_EQ(EscapeMessageBarText(L"a&b<c>d'e\"f{g}h\ni&lt;"),
              CString(L"a&amp;b&lt;c&gt;d&apos;e&quot;f&#x7b;g&#x7d;h<LineBreak/>i&amp;lt;"));
}

class MessageBars : public SessionTest {};

TEST_F(MessageBars, ABarShowsItsTextAndButtonsAndItsButtonsCallBack) {
    Session s;
    s.start();
    s.runUntilIdle();
    const HWND window = s.inspect().mainFrames().at(0);
    CMainFrame* frame = frameOf(window);
    MessageBarList bars;
    std::vector<UINT> pressed;
    EXPECT_EQ(bars.Show(frame->GetCommandBars(), 5, 0, L"", L"", {}), 0u);
    const std::uint64_t id = bars.Show(frame->GetCommandBars(), 5, 0, L"Update", L"A <new> version",
                                       {{1, L"Install", L""}, {2, L"Later", L""}},
                                       [&](Korvo::UI::MessageBar&, UINT button) {
                                           pressed.push_back(button);
                                           return button == 2;
                                       });
    ASSERT_EQ(id, 5u);
    Korvo::UI::MessageBar* bar = bars.Last();
    ASSERT_TRUE(bars.IsValid(bar));
    EXPECT_EQ(::GetParent(bar->GetSafeHwnd()), window);
    EXPECT_EQ(::GetDlgCtrlID(bar->GetSafeHwnd()), 59398);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(bar->GetSafeHwnd(), GWL_STYLE)) & 0x50002800u, 0x50002800u);

    const std::wstring dump = s.inspect().dumpWindows();
    EXPECT_NE(dump.find(L"\"Korvo.MessageBar\" \"Update A <new> version\""), std::wstring::npos) << platform::core::toUtf8(dump);
    EXPECT_NE(dump.find(L"\"Korvo.MessageBarButton\" \"Install\""), std::wstring::npos);
    EXPECT_NE(dump.find(L"\"Korvo.MessageBarButton\" \"Later\""), std::wstring::npos);

    s.user().pressButton(::GetDlgItem(bar->GetSafeHwnd(), 1));
    EXPECT_FALSE(bar->IsClosed());
    s.user().pressButton(::GetDlgItem(bar->GetSafeHwnd(), 2));
    EXPECT_TRUE(bar->IsClosed());
    EXPECT_EQ(pressed, (std::vector<UINT>{1, 2}));

    EXPECT_TRUE(bars.Close(5));
    EXPECT_FALSE(bars.IsValid(bar));
    EXPECT_FALSE(bars.Close(5));
}

}  // namespace

namespace {

using namespace platform::harness;

class KernelMessageBars : public SessionTest {};

TEST_F(KernelMessageBars, TheKernelRaisesABarInTheActiveFrameAndClosesItById) {
    Session s;
    s.start();
    s.runUntilIdle();
    KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance();
    ASSERT_NE(kernel, nullptr);
    EXPECT_EQ(kernel->ShowMessageBar(9, L"", L""), nullptr);
    Korvo::UI::MessageBar* bar = kernel->ShowMessageBar(9, L"Licence", L"Expires {soon}");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(kernel->IsValidMessageBar(bar));
    EXPECT_EQ(kernel->GetMessageBarId(bar), 9u);
    const std::wstring dump = s.inspect().dumpWindows();
    EXPECT_NE(dump.find(L"\"Korvo.MessageBar\" \"Licence Expires {soon}\""), std::wstring::npos)
        << platform::core::toUtf8(dump);
    EXPECT_NE(dump.find(L"\"Korvo.MessageBarButton\" \"Close\""), std::wstring::npos);

    // The bar's own close button takes it away from its frame.
    s.user().pressButton(::GetDlgItem(bar->GetSafeHwnd(), static_cast<int>(Korvo::UI::MessageBar::kCloseButton)));
    s.runUntilIdle();
    EXPECT_FALSE(kernel->IsValidMessageBar(bar));

    Korvo::UI::MessageBar* second = kernel->ShowMessageBar(10, L"", L"Second");
    ASSERT_NE(second, nullptr);
    kernel->CloseMessageBar(10);
    EXPECT_FALSE(kernel->IsValidMessageBar(second));
    EXPECT_EQ(s.inspect().dumpWindows().find(L"Korvo.MessageBar\""), std::wstring::npos);

    // Id 0 is the caller's to choose: the bar made under it is answered, and closes by it.
    Korvo::UI::MessageBar* zero = kernel->ShowMessageBar(0, L"Zero id", L"shown?");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(kernel->GetMessageBarId(zero), 0u);
    EXPECT_EQ(kernel->ShowMessageBar(0, L"", L""), nullptr);
    kernel->CloseMessageBar(0);
    EXPECT_FALSE(kernel->IsValidMessageBar(zero));
    EXPECT_EQ(s.inspect().dumpWindows().find(L"Korvo.MessageBar\""), std::wstring::npos);
}

}  // namespace
