// The kernel's panel setters on every control kind, in the panel and in the ribbon's twin: a
// control takes only the kinds of value it keeps (a whole number also as a plain measure), and
// any other request is answered false, logged with the control and the kind, and changes nothing
// in either bar.
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "commandbars/kv_ribbon_bar.h"
#include "platform/kernel.h"
#include "syspanel/parameter_controls.h"
#include "syspanel/sys_panel_outline.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

using platform::harness::indexOf;
using platform::harness::logs;

constexpr unsigned kIds[] = {904, 905, 906, 907, 908, 909, 910, 911, 912, 913, 914, 915, 916, 917, 918};

struct Setter {
    const wchar_t* kind;  // as the log names the kind of value
    std::function<bool(KorvoServerAppProxy&, CKvw32Doc*, unsigned)> call;
    // The ids that take it.
    std::vector<unsigned> takers;
};

bool takes(const Setter& setter, unsigned id) {
    return std::find(setter.takers.begin(), setter.takers.end(), id) != setter.takers.end();
}

class KernelSetters : public syspaneltest::FrameTest {
protected:
    void SetUp() override {
        s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
        FrameTest::SetUp();
        document = openDocument(window, L"C:\\Work\\a.grb");
        ASSERT_NE(document, nullptr);
        stlControlsIDs controls;
        for (unsigned id : kIds) controls.push_back({static_cast<int>(id), 0, 0});
        ASSERT_TRUE(frame->SetSyspanelControls(controls));
        frame->DisableSyspanelControls();
    }

    // Everything a user sees of the panel's controls and of their ribbon twins.
    std::wstring shown() { return SysPanelOutline(window) + s.inspect().dumpRibbon(window); }

    bool call(const Setter& setter, unsigned id) {
        bool answer = false;
        s.kernel().callback([&](KorvoServerAppProxy& kernel) { answer = setter.call(kernel, document, id); });
        s.runUntilIdle();
        return answer;
    }

    CKvw32Doc* document = nullptr;
};

TEST_F(KernelSetters, EachControlTakesOnlyItsOwnKindsOfValueInThePanelAndInTheRibbon) {
    // The icons (906, 908, 910) keep no value: a value cannot be misread there, and they are
    // enabled as any control the kernel sets; the font request is for the font combo alone.
    const Setter setters[] = {
        {L"whole number", [](KorvoServerAppProxy& k, CKvw32Doc* d, unsigned id) { return k.set_syspanel_int(d, id, 3); },
         {904, 906, 907, 908, 909, 910, 911, 912, 915}},
        {L"measure", [](KorvoServerAppProxy& k, CKvw32Doc* d, unsigned id) { return k.set_syspanel_intvar(d, id, 5, -1); },
         {906, 907, 908, 909, 910, 915}},
        {L"measure", [](KorvoServerAppProxy& k, CKvw32Doc* d, unsigned id) { return k.set_syspanel_doublevar(d, id, 2.5, -1); },
         {906, 907, 908, 909, 910, 915}},
        {L"text", [](KorvoServerAppProxy& k, CKvw32Doc* d, unsigned id) { return k.set_syspanel_cstr(d, id, L"abc"); },
         {905, 906, 908, 910, 914, 918}},
        {L"font name", [](KorvoServerAppProxy& k, CKvw32Doc* d, unsigned id) { return k.set_syspanel_font(d, id, L"abc", 0); },
         {914}},
    };
    for (const Setter& setter : setters) {
        for (unsigned id : kIds) {
            SCOPED_TRACE(std::wstring(setter.kind) + L" to " + std::to_wstring(id));
            const std::wstring before = shown();
            const bool answer = call(setter, id);
            EXPECT_EQ(answer, takes(setter, id));
            if (answer) continue;
            EXPECT_EQ(shown(), before);
            const bool hasValue = dynamic_cast<IDataExchange*>(frame->GetSysPanelToolbar()->FindRegisteredControl(static_cast<int>(id)));
            if (hasValue) {
                EXPECT_GE(indexOf(logs(s), L"Control " + std::to_wstring(id) + L" ("), 0);
            }
        }
    }
    // What was taken reached both bars: the level edit shows the last measure, the material and
    // the colour their own values.
    EXPECT_EQ(dynamic_cast<CXTPControlEdit*>(inRibbon(907))->GetEditText(), CString(L"2.5"));
    EXPECT_EQ(dynamic_cast<CXTPControlEdit*>(onBar(907))->GetEditText(), CString(L"2.5"));
    EXPECT_EQ(static_cast<const MaterialRecord*>(dynamic_cast<IDataExchange*>(inRibbon(905))->GetValue())->name, CString(L"abc"));
    EXPECT_EQ(*static_cast<const std::int32_t*>(dynamic_cast<IDataExchange*>(inRibbon(904))->GetValue()), 3);
    EXPECT_GE(indexOf(logs(s), L"6 Control 907 (CSyspanelEdit) takes no text"), 0);
    EXPECT_GE(indexOf(logs(s), L"6 Control 904 (CColorPopupControl) takes no measure"), 0);
}

TEST_F(KernelSetters, AMeasureThatIsNoFiniteNumberIsRefused) {
    ASSERT_TRUE(frame->set_syspanel_doublevar(document->Cont2D(), 907, 4.0, -1));
    const std::wstring before = shown();
    for (double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(frame->set_syspanel_doublevar(document->Cont2D(), 907, value, -1));
        EXPECT_EQ(shown(), before);
    }
    EXPECT_GE(indexOf(logs(s), L"Control 907 (CSyspanelEdit) refused a measure that is no finite number"), 0);
    double value = 0.0;
    ASSERT_TRUE(frame->UnpackSyspanelDoubleVar(907, value));
    EXPECT_EQ(value, 4.0);
}

TEST_F(KernelSetters, TheRibbonsTypedSettersGiveTheEditsTheirOwnRecord) {
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    KVDocument* container = document->Cont2D();
    ASSERT_TRUE(ribbon->SetControlValue(container, 907, 2.5, -1));
    const auto* level = static_cast<const SysPanelValue*>(dynamic_cast<IDataExchange*>(inRibbon(907))->GetValue());
    EXPECT_EQ(level->value, 2.5);
    EXPECT_EQ(level->variable, -1);
    EXPECT_EQ(dynamic_cast<CXTPControlEdit*>(inRibbon(907))->GetEditText(), CString(L"2.5"));
    EXPECT_TRUE(inRibbon(907)->GetEnabled());

    // A variable of the document: its index is read whole, and the edit shows its name.
    const int variable = s.kernel().addVariable(document, L"Width", 12.0);
    ASSERT_TRUE(ribbon->SetControlValue(container, 909, 12, variable));
    EXPECT_EQ(dynamic_cast<CXTPControlEdit*>(inRibbon(909))->GetEditText(), CString(L"Width"));

    // A word for an edit is a plain measure; a measure for the colour popup is refused.
    ASSERT_TRUE(ribbon->SetControlValue(container, 915, 7u));
    EXPECT_EQ(dynamic_cast<CXTPControlEdit*>(inRibbon(915))->GetEditText(), CString(L"7"));
    inRibbon(904)->SetEnabled(FALSE);
    EXPECT_FALSE(ribbon->SetControlValue(container, 904, 2.5, -1));
    EXPECT_FALSE(inRibbon(904)->GetEnabled());
    EXPECT_EQ(*static_cast<const std::int32_t*>(dynamic_cast<IDataExchange*>(inRibbon(904))->GetValue()), 0);
}

}  // namespace
