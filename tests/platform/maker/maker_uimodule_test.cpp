#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/kernel/ui/control.h"
#include "platform/korvoui.h"

namespace {

using Korvo::UI::XML::ParseValueSet;
using Korvo::UI::XML::ValueSetItem;

TEST(MakerValueSet, SplitsTrimsAndMarksExclusions) {
    EXPECT_EQ(ParseValueSet(L" Properties, !Layers ,  ! Library,,Model tree , !"),
              (std::vector<ValueSetItem>{{L"Properties", true}, {L"Layers", false}, {L"Library", false},
                                         {L"Model tree", true}}));
    EXPECT_TRUE(ParseValueSet(L"").empty());
    EXPECT_TRUE(ParseValueSet(nullptr).empty());
    EXPECT_TRUE(ParseValueSet(L" , ,").empty());
    // Only a leading mark excludes.
    EXPECT_EQ(ParseValueSet(L"A!B"), (std::vector<ValueSetItem>{{L"A!B", true}}));
}

// A main frame without a window, enough for the registry's bookkeeping.
class FakeFrame : public Korvo::UI::MainFrame {
public:
    explicit FakeFrame(std::vector<std::wstring>& log, std::wstring name) : log_(log), name_(std::move(name)) {}
    CFrameWnd* AsWindow() override { return nullptr; }
    const CFrameWnd* AsWindow() const override { return nullptr; }
    void SetTheme(const Korvo::UI::Theme& theme) override {
        log_.push_back(name_ + L" theme " + theme.name.str());
        if (onTheme) onTheme();
    }
    void OnChangeActiveMainFrame(MainFrame* previous) override {
        log_.push_back(name_ + L" active after " + (previous ? static_cast<FakeFrame*>(previous)->name_ : L"none"));
    }
    const std::wstring& name() const { return name_; }
    std::function<void()> onTheme;  // runs after the frame took a theme

private:
    std::vector<std::wstring>& log_;
    std::wstring name_;
};

TEST(MakerFrameRegistry, KeepsCreationOrderAndForgetsRemovedFrames) {
    std::vector<std::wstring> log;
    FakeFrame a(log, L"a"), b(log, L"b"), c(log, L"c");
    auto& ui = UIModuleProxy::Instance();
    ui.RegisterMainFrame(&a);
    ui.RegisterMainFrame(&b);
    ui.RegisterMainFrame(&c);
    ui.RegisterMainFrame(&a);  // once only
    EXPECT_EQ(ui.GetMainFrames(), (std::vector<Korvo::UI::MainFrame*>{&a, &b, &c}));
    EXPECT_EQ(ui.GetActiveMainFrame(), &a);  // the first frame until another is activated

    b.MakeActive();
    EXPECT_EQ(ui.GetActiveMainFrame(), &b);
    ui.UnregisterMainFrame(&b);
    EXPECT_EQ(ui.GetActiveMainFrame(), nullptr);
    EXPECT_EQ(ui.GetMainFrames(), (std::vector<Korvo::UI::MainFrame*>{&a, &c}));
    EXPECT_EQ(log, (std::vector<std::wstring>{L"b active after a"}));

    FakeFrame stranger(log, L"stranger");
    ui.SetActiveMainFrame(&stranger);  // never registered: refused
    EXPECT_EQ(ui.GetActiveMainFrame(), nullptr);
}

TEST(MakerFrameRegistry, ThemesReachEveryFrameThatIsStillThere) {
    std::vector<std::wstring> log;
    FakeFrame a(log, L"a"), b(log, L"b"), c(log, L"c"), d(log, L"d");
    auto& ui = UIModuleProxy::Instance();
    for (auto* frame : {&a, &b, &c, &d}) ui.RegisterMainFrame(frame);
    ui.UnregisterMainFrame(&b);  // closed before

    EXPECT_FALSE(ui.ApplyTheme(L"no such theme"));
    platform::kernel::control().failingThemes.insert(L"office2013dark");
    EXPECT_FALSE(ui.ApplyTheme(L"Office2013Dark"));
    EXPECT_EQ(ui.GetCurrentTheme(), nullptr);
    EXPECT_TRUE(log.empty());

    // Taking the theme closes another frame: it is not visited afterwards.
    a.onTheme = [&] { ui.UnregisterMainFrame(&c); };
    ASSERT_TRUE(ui.ApplyTheme(ui.GetDefaultThemeName()));
    ASSERT_NE(ui.GetCurrentTheme(), nullptr);
    EXPECT_EQ(ui.GetCurrentTheme()->index, ui.FindTheme(L"office2016white"));
    EXPECT_EQ(ui.GetUIStyle(), L"office2016white");
    EXPECT_EQ(log, (std::vector<std::wstring>{L"a theme office2016white", L"d theme office2016white"}));
    for (auto* frame : {&a, &d}) ui.UnregisterMainFrame(frame);
}

TEST(MakerFrameRegistry, ForEachMainFrameSkipsAFrameClosedByAnEarlierCall) {
    std::vector<std::wstring> log;
    FakeFrame a(log, L"a"), b(log, L"b"), c(log, L"c");
    auto& ui = UIModuleProxy::Instance();
    for (auto* frame : {&a, &b, &c}) ui.RegisterMainFrame(frame);
    int visits = 0;
    ui.ForEachMainFrame([&](CFrameWnd*) {
        if (++visits == 1) ui.UnregisterMainFrame(&b);
    });
    EXPECT_EQ(visits, 2);
}

TEST(MakerFrameRegistry, ModalBoxNotificationsAreCountedAndNested) {
    auto& ui = UIModuleProxy::Instance();
    ui.NotifyModalBoxBegin();
    ui.NotifyModalBoxBegin();
    EXPECT_EQ(ui.GetModalBoxDepth(), 2);
    ui.NotifyModalBoxEnd();
    ui.NotifyModalBoxEnd();
    ui.NotifyModalBoxEnd();  // unbalanced: warned, depth stays 0
    EXPECT_EQ(ui.GetModalBoxDepth(), 0);
    EXPECT_EQ(platform::kernel::modalBoxCount(), 2);
    EXPECT_GE(platform::core::journal().find("warning", L"NotifyModalBoxEnd"), 0);
}

}  // namespace
