// The panel's values across main frames and bars, driven as the kernel and the user drive them:
// every frame showing a document hears its events, a frame showing another document does not,
// and a value entered in the ribbon's twin reaches the panel bar, where the running command's
// getters read it.
#include <gtest/gtest.h>

#include "mainframe/main_frame.h"
#include "platform/kernel.h"
#include "syspanel/data_exchange.h"
#include "syspanel/sys_panel_toolbar.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using kveval::NumberParameter;
using platform::harness::calls;
using platform::harness::indexOf;

constexpr unsigned kWindowOpen = 1059;
constexpr unsigned kLevel = 907;
constexpr unsigned kPriority = 909;

class PanelFrames : public syspaneltest::FrameTest {
protected:
    void SetUp() override {
        s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
        s.kernel().writeDocumentFile(L"C:\\Work\\b.grb");
        FrameTest::SetUp();
        first = window;
        a = openDocument(first, L"C:\\Work\\a.grb");
        ASSERT_NE(a, nullptr);
        // A second frame on the same document, as the kernel's new-window command opens it.
        second = s.kernel().newMainFrame();
        ASSERT_NE(second, nullptr);
        s.user().command(first, kWindowOpen);
        s.runUntilIdle();
        // A third frame with a document of its own.
        third = s.kernel().newMainFrame();
        ASSERT_NE(third, nullptr);
        b = openDocument(third, L"C:\\Work\\b.grb");
        ASSERT_NE(b, nullptr);
        s.kernel().callback([](KorvoServerAppProxy& kernel) {
            kernel.SetSyspanelControls({{static_cast<int>(kLevel), 0, 0}, {static_cast<int>(kPriority), 0, 0}});
        });
    }

    // What the panel bar's edit shows.
    static std::wstring barText(HWND window, unsigned id) {
        auto* edit = dynamic_cast<CXTPControlEdit*>(frameOf(window)->GetSysPanelToolbar()->FindRegisteredControl(static_cast<int>(id)));
        return edit ? std::wstring(edit->GetEditText().view()) : L"(none)";
    }
    static double barValue(HWND window, unsigned id) {
        return static_cast<const SysPanelValue*>(frameOf(window)->GetSysPanelToolbar()->GetControlValue(id))->value;
    }

    HWND first = nullptr, second = nullptr, third = nullptr;
    CKvw32Doc* a = nullptr;
    CKvw32Doc* b = nullptr;
};

TEST_F(PanelFrames, EveryFrameShowingTheDocumentShowsItsDefaultsAndCommonValue) {
    ASSERT_EQ(a->GetViews().size(), 2u);
    s.kernel().setDefaultParameter(a, "Level", NumberParameter{4.0, -1, 0});
    s.kernel().setDefaultParameter(b, "Level", NumberParameter{8.0, -1, 0});
    s.kernel().raiseParameterEvent(a, 778);
    EXPECT_EQ(barText(first, kLevel), L"4");
    EXPECT_EQ(barText(second, kLevel), L"4");
    EXPECT_EQ(barText(third, kLevel), L"0");  // it shows another document

    // One object without a level is left out; 1.0 and 1.0 + 5e-9 are one value.
    const int x = s.kernel().addObject(a), y = s.kernel().addObject(a), z = s.kernel().addObject(a);
    s.kernel().setObjectParameter(a, x, "Level", NumberParameter{1.0, -1, 0});
    s.kernel().setObjectParameter(a, y, "Level", NumberParameter{1.0 + 5e-9, -1, 0});
    s.kernel().setObjectParameter(a, z, "Priority", NumberParameter{3.0, -1, 0});
    s.kernel().select(a, {x, y, z});
    s.kernel().raiseParameterEvent(a, 783);
    EXPECT_EQ(barText(first, kLevel), L"1");
    EXPECT_EQ(barText(second, kLevel), L"1");
    EXPECT_EQ(barText(first, kPriority), L"3");

    // 1.0 and 1.0 + 2e-8 are not: the edits keep what they show.
    s.kernel().setObjectParameter(a, x, "Level", NumberParameter{6.0, -1, 0});
    s.kernel().setObjectParameter(a, y, "Level", NumberParameter{6.0 + 2e-8, -1, 0});
    s.kernel().raiseParameterEvent(a, 515);
    EXPECT_EQ(barText(first, kLevel), L"1");
    EXPECT_EQ(barText(second, kLevel), L"1");

    // The other document's event reaches its own frame only.
    s.kernel().raiseParameterEvent(b, 778);
    EXPECT_EQ(barText(third, kLevel), L"8");
    EXPECT_EQ(barText(first, kLevel), L"1");
}

TEST_F(PanelFrames, AValueTypedForTheSelectionShowsInTheOtherFrameToo) {
    const int x = s.kernel().addObject(a), y = s.kernel().addObject(a);
    s.kernel().select(a, {x, y});
    s.kernel().raiseParameterEvent(a, 783);
    frameOf(first)->EnableSyspanelControl(static_cast<int>(kLevel), true);
    ASSERT_EQ(s.user().typeText(first, static_cast<int>(kLevel), L"5"), std::nullopt);
    s.runUntilIdle();
    EXPECT_EQ(s.kernel().objectParameter(a, y, "Level")->Get<NumberParameter>()->value, 5.0);
    // The kernel tells every window of the drawing that its objects changed: no event from the test.
    EXPECT_EQ(barText(second, kLevel), L"5");
    EXPECT_EQ(barText(third, kLevel), L"0");
}

TEST_F(PanelFrames, AValueTypedInACommandReachesItAndItsGettersReadIt) {
    frameOf(third)->EnableSyspanelControl(static_cast<int>(kLevel), true);
    s.kernel().setCommandRunning(b, true);
    ASSERT_EQ(s.user().typeText(third, static_cast<int>(kLevel), L"12.5"), std::nullopt);
    s.runUntilIdle();
    const auto journal = calls(s);
    const auto run = indexOf(journal, L"KVCommand::Run(907, \"PanelValueReader\")");
    // Typed into the ribbon's twin: every getter reads it at once, without a click on the twin.
    const auto read = indexOf(journal, L"PanelValueReader reads 907: GetSyspanelControlData 12.5, UnpackSyspanelDoubleVar 12.5, "
                                       L"UnpackSyspanelIntVar 12, GetSyspanelControlIntValue 12");
    ASSERT_GE(run, 0);
    EXPECT_GT(read, run);
    EXPECT_EQ(barText(third, kLevel), L"12.5");
    // Nothing was written: the command decides what to do with the value.
    EXPECT_EQ(s.kernel().defaultParameter(b, "Level")[0].Get<NumberParameter>()->value, 0.0);

    // Once the command has ended the value goes to the defaults, and the reader hears nothing.
    s.kernel().setCommandRunning(b, false);
    const auto before = calls(s).size();
    ASSERT_EQ(s.user().typeText(third, static_cast<int>(kLevel), L"2"), std::nullopt);
    s.runUntilIdle();
    EXPECT_EQ(s.kernel().defaultParameter(b, "Level")[0].Get<NumberParameter>()->value, 2.0);
    const auto after = calls(s);
    EXPECT_EQ(indexOf(std::vector<std::wstring>(after.begin() + static_cast<long>(before), after.end()), L"PanelValueReader"),
              -1);
}

// A kernel's value is for one document: the answer is whether a frame kept it, true when one frame
// showing the document did, false when none shows it; the request enables the controls all the same.
TEST_F(PanelFrames, TheKernelsSettersAnswerWhetherAFrameKeptTheValue) {
    const auto set = [&](CKvw32Doc* document, unsigned id, double value) {
        bool answer = false;
        s.kernel().callback([&](KorvoServerAppProxy& kernel) { answer = kernel.set_syspanel_doublevar(document, id, value, -1); });
        s.runUntilIdle();
        return answer;
    };
    EXPECT_TRUE(set(a, kLevel, 4.0));
    EXPECT_EQ(barText(first, kLevel), L"4");
    EXPECT_EQ(barText(second, kLevel), L"4");
    EXPECT_EQ(barText(third, kLevel), L"0");
    EXPECT_TRUE(set(b, kLevel, 8.0));
    EXPECT_EQ(barText(third, kLevel), L"8");
    EXPECT_EQ(barText(first, kLevel), L"4");

    // No frame is without a document: a value for none is kept nowhere.
    frameOf(first)->EnableSyspanelControl(static_cast<int>(kPriority), false);
    EXPECT_FALSE(set(nullptr, kPriority, 6.0));
    EXPECT_EQ(barText(first, kPriority), L"0");
    EXPECT_TRUE(frameOf(first)->GetSysPanelToolbar()->GetControls()->FindControl(static_cast<int>(kPriority))->GetEnabled());

    // A colour is kept whatever the document; a layer only by the frame that shows it.
    bool colour = false, layer = false, nowhere = true;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        kernel.SetSyspanelControls({{904, 0, 0}, {911, 0, 0}});
        colour = kernel.set_syspanel_int(nullptr, 904, 5);
        layer = kernel.set_syspanel_int(b, 911, 1);
        nowhere = kernel.set_syspanel_int(nullptr, 911, 1);
    });
    EXPECT_TRUE(colour);
    EXPECT_TRUE(layer);
    EXPECT_FALSE(nowhere);
    int value = 0;
    ASSERT_TRUE(frameOf(third)->GetSyspanelControlIntValue(911, value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(frameOf(first)->GetSyspanelControlIntValue(911, value));
    EXPECT_EQ(value, 0);
}

TEST_F(PanelFrames, ExecutingTheRibbonTwinHandsItsValueToTheBar) {
    ASSERT_TRUE(frameOf(third)->IsRibbonMode());
    frameOf(third)->EnableSyspanelControl(static_cast<int>(kLevel), true);
    s.kernel().setCommandRunning(b, true);
    ASSERT_EQ(s.user().typeText(third, static_cast<int>(kLevel), L"12.5"), std::nullopt);  // the ribbon's twin
    s.runUntilIdle();
    ASSERT_EQ(s.user().clickControl(third, static_cast<int>(kLevel)), std::nullopt);
    s.runUntilIdle();
    EXPECT_EQ(barText(third, kLevel), L"12.5");
    EXPECT_EQ(barValue(third, kLevel), 12.5);
    double value = 0.0;
    int whole = 0;
    ASSERT_TRUE(frameOf(third)->UnpackSyspanelDoubleVar(static_cast<int>(kLevel), value));
    EXPECT_EQ(value, 12.5);
    ASSERT_TRUE(frameOf(third)->GetSyspanelControlIntValue(static_cast<int>(kLevel), whole));
    EXPECT_EQ(whole, 12);
    // The execution sent the command; the command's getters read the bar's copy.
    EXPECT_GE(indexOf(calls(s), L"PanelValueReader reads 907: GetSyspanelControlData 12.5, UnpackSyspanelDoubleVar 12.5, "
                                L"UnpackSyspanelIntVar 12, GetSyspanelControlIntValue 12"),
              0);
    // The other frames' bars are their own.
    EXPECT_EQ(barText(first, kLevel), L"0");
    // A bar takes over a twin's value only when both frames show the same document.
    CSysPanelToolbar* firstBar = frameOf(first)->GetSysPanelToolbar();
    firstBar->CopyControlValue(frameOf(third)->GetSysPanelToolbar()->FindRegisteredControl(static_cast<int>(kLevel)));
    EXPECT_EQ(barText(first, kLevel), L"0");
    EXPECT_EQ(barValue(first, kLevel), 0.0);
    frameOf(second)->GetSysPanelToolbar()->set_syspanel_doublevar(a->Cont2D(), kLevel, 3.0, -1);
    firstBar->CopyControlValue(frameOf(second)->GetSysPanelToolbar()->FindRegisteredControl(static_cast<int>(kLevel)));
    EXPECT_EQ(barText(first, kLevel), L"3");
    // The layer alike; the coordinate system keeps its index through a reset while a document shows.
    constexpr unsigned kLayer = 911, kSystem = 912;
    const auto word = [](CSysPanelToolbar* bar, unsigned id) { return *static_cast<const std::int32_t*>(bar->GetControlValue(id)); };
    CSysPanelToolbar* thirdBar = frameOf(third)->GetSysPanelToolbar();
    CSysPanelToolbar* secondBar = frameOf(second)->GetSysPanelToolbar();
    for (CSysPanelToolbar* bar : {firstBar, secondBar, thirdBar})
        ASSERT_TRUE(bar->SetSyspanelControls({{static_cast<int>(kLayer), 0, 0}, {static_cast<int>(kSystem), 0, 0}}));
    thirdBar->set_syspanel_int(b->Cont2D(), kLayer, 4);
    secondBar->set_syspanel_int(a->Cont2D(), kLayer, 7);
    const std::int32_t kept = word(firstBar, kLayer);
    ASSERT_NE(kept, 4);
    firstBar->CopyControlValue(thirdBar->FindRegisteredControl(static_cast<int>(kLayer)));
    EXPECT_EQ(word(firstBar, kLayer), kept);
    firstBar->CopyControlValue(secondBar->FindRegisteredControl(static_cast<int>(kLayer)));
    EXPECT_EQ(word(firstBar, kLayer), 7);
    firstBar->set_syspanel_int(a->Cont2D(), kSystem, 2);
    dynamic_cast<IDataExchange*>(firstBar->FindRegisteredControl(static_cast<int>(kSystem)))->Reset();
    EXPECT_EQ(word(firstBar, kSystem), 2);
}

}  // namespace
