// The ray-tracing popups on a bar of their own: a choice sends the popup's command once and the
// chosen button none; copies keep bars of their own; out-of-range choices change nothing; the
// camera bar is rebuilt only when it opens after the list changed, and never while customising.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "syspanel/raytracing_popups.h"
#include "tests/support/session_test.h"

namespace {

class CommandSite : public CFrameWnd {
public:
    std::map<int, int> commands;  // id -> how often it arrived
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        ++commands[LOWORD(wParam)];
        return TRUE;
    }
};

class RaytracingPopups : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        site = new CommandSite;
        ASSERT_TRUE(site->Create(nullptr, L"Render site"));
        bars.reset(CXTPCommandBars::CreateCommandBars(nullptr, site));
        bar = bars->Add(L"Render", xtpBarTop);
        camera = static_cast<OptixCameraPopup*>(bar->GetControls()->Add(new OptixCameraPopup(bars.get()), 2041));
        quality = static_cast<OptixQualityPopup*>(bar->GetControls()->Add(new OptixQualityPopup(bars.get()), 2042));
    }
    void TearDown() override {
        bars.reset();
        if (site) site->DestroyWindow();
    }
    // Opens the popup as a click does (the menu is dismissed) and returns what its bar offered:
    // "caption" or "caption checked" per button.
    std::vector<std::wstring> menuOf(CXTPControl* popup) {
        s.user().expectMenuDismiss();
        popup->OnExecute();
        s.runUntilIdle();
        std::vector<std::wstring> shown;
        CXTPControls* buttons = popup->GetCommandBar()->GetControls();
        for (int i = 0; i < buttons->GetCount(); ++i)
            shown.push_back(L"\"" + std::wstring(buttons->GetAt(i)->GetCaption().GetString()) + L"\"" +
                            (buttons->GetAt(i)->GetChecked() ? L" checked" : L""));
        return shown;
    }
    static std::uint64_t cameraOf(OptixCameraPopup& popup) { return *static_cast<const std::uint64_t*>(popup.GetValue()); }
    static std::int32_t qualityOf(OptixQualityPopup& popup) { return *static_cast<const std::int32_t*>(popup.GetValue()); }

    platform::harness::Session s;
    CommandSite* site = nullptr;
    std::unique_ptr<CXTPCommandBars> bars;
    CXTPToolBar* bar = nullptr;
    OptixCameraPopup* camera = nullptr;
    OptixQualityPopup* quality = nullptr;
};

bool hasLine(const std::vector<std::wstring>& lines, const std::wstring& part) {
    for (const auto& line : lines)
        if (line.find(part) != std::wstring::npos) return true;
    return false;
}

TEST_F(RaytracingPopups, AChoiceSendsThePopupsCommandOnceAndTheButtonNone) {
    camera->SetCameraList({{5, L"Front"}, {9, L"Top"}}, 9);
    EXPECT_EQ(camera->GetCaption(), CString(L"Top"));
    EXPECT_EQ(cameraOf(*camera), 9u);
    EXPECT_TRUE(site->commands.empty());  // the kernel's list selects without notifying

    s.user().expectMenuChoose(std::wstring(L"Front"));
    camera->OnExecute();
    s.runUntilIdle();
    EXPECT_EQ(cameraOf(*camera), 5u);
    EXPECT_EQ(camera->GetCaption(), CString(L"Front"));
    EXPECT_EQ(site->commands, (std::map<int, int>{{2041, 1}}));

    s.user().expectMenuChoose(std::wstring(L"Final"));
    quality->OnExecute();
    s.runUntilIdle();
    EXPECT_EQ(qualityOf(*quality), 3);
    EXPECT_EQ(site->commands, (std::map<int, int>{{2041, 1}, {2042, 1}}));

    // The value protocol selects without sending anything.
    const std::int32_t one = 1;
    quality->SetValue(nullptr, &one);
    EXPECT_EQ(qualityOf(*quality), 1);
    s.runUntilIdle();
    EXPECT_EQ(site->commands.size(), 2u);
}

TEST_F(RaytracingPopups, TheCameraBarFollowsTheListWhenItOpensButNotWhileCustomising) {
    camera->SetCameraList({{5, L"Front"}, {9, L"Top"}}, 9);
    const auto first = menuOf(camera);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_TRUE(hasLine(first, L"\"<No camera>\""));
    EXPECT_TRUE(hasLine(first, L"\"Top\" checked"));

    // Selecting while the bar is current moves the check at once.
    camera->SelectCamera(5, false);
    EXPECT_TRUE(camera->GetCommandBar()->GetControls()->GetAt(1)->GetChecked());
    EXPECT_FALSE(camera->GetCommandBar()->GetControls()->GetAt(2)->GetChecked());

    camera->SetCameraList({{9, L"Top"}}, 0);
    bars->SetCustomizeMode(TRUE);
    camera->OnSetPopup(TRUE);
    EXPECT_EQ(camera->GetCommandBar()->GetControls()->GetCount(), 3);  // still the old buttons
    bars->SetCustomizeMode(FALSE);
    const auto second = menuOf(camera);
    EXPECT_EQ(second.size(), 2u);
    EXPECT_TRUE(hasLine(second, L"\"<No camera>\" checked"));
    EXPECT_FALSE(hasLine(second, L"\"Front\""));
}

TEST_F(RaytracingPopups, ChoicesOutsideTheListsChangeNothing) {
    camera->SetCameraList({{5, L"Front"}}, 5);
    camera->SelectCamera(42, false);
    EXPECT_EQ(cameraOf(*camera), 5u);
    EXPECT_EQ(camera->GetCaption(), CString(L"Front"));

    EXPECT_EQ(qualityOf(*quality), 0);  // no quality until initialised
    quality->Initialize();
    EXPECT_EQ(qualityOf(*quality), 2);
    for (const std::int32_t outside : {4, -1, 1000}) quality->SetValue(nullptr, &outside);
    EXPECT_EQ(qualityOf(*quality), 2);
    const CString shown = quality->GetCaption();

    // Without its bar a quality popup has nothing to choose from.
    quality->SetCommandBar(nullptr);
    quality->SelectQuality(0, true);
    EXPECT_EQ(qualityOf(*quality), 2);
    EXPECT_EQ(quality->GetCaption(), shown);
    s.runUntilIdle();
    EXPECT_TRUE(site->commands.empty());
}

TEST_F(RaytracingPopups, CopiesHaveBarsOfTheirOwnAndTheSameChoice) {
    camera->SetCameraList({{5, L"Front"}, {9, L"Top"}}, 9);
    quality->SelectQuality(3, false);

    auto* cameraCopy = static_cast<OptixCameraPopup*>(camera->Clone(TRUE));
    auto* qualityCopy = static_cast<OptixQualityPopup*>(quality->Clone(TRUE));
    EXPECT_NE(cameraCopy->GetCommandBar(), camera->GetCommandBar());
    EXPECT_NE(qualityCopy->GetCommandBar(), quality->GetCommandBar());
    EXPECT_EQ(cameraOf(*cameraCopy), 9u);
    EXPECT_EQ(cameraCopy->GetCameraList().size(), 3u);
    EXPECT_EQ(qualityOf(*qualityCopy), 3);
    EXPECT_TRUE(qualityCopy->GetCommandBar()->GetControls()->GetAt(3)->GetChecked());

    // The value protocol copies only between popups of one kind.
    const std::uint64_t front = 5;
    camera->SetValue(nullptr, &front);
    cameraCopy->CopyFrom(camera);
    EXPECT_EQ(cameraOf(*cameraCopy), 5u);
    qualityCopy->CopyFrom(camera);
    EXPECT_EQ(qualityOf(*qualityCopy), 3);
    // A copied choice tells no command, on either side (the camera's value above told one).
    s.runUntilIdle();
    site->commands.clear();
    quality->SelectQuality(1, false);
    qualityCopy->CopyFrom(quality);
    quality->CopyFrom(qualityCopy);
    EXPECT_EQ(qualityOf(*qualityCopy), 1);
    s.runUntilIdle();
    EXPECT_TRUE(site->commands.empty());
    cameraCopy->InternalRelease();
    qualityCopy->InternalRelease();
}

}  // namespace
