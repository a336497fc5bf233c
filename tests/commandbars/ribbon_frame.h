// A started program with one extra main frame that has the program's ribbon command bars and a
// small ribbon: tab "Home" (default context) with groups "File" and "Edit", tab "Sheet" (GUID A,
// contextual), tab "Model" (3D context), tab "Tagged" (tags "weld, pipe").
#pragma once

#include <gtest/gtest.h>

#include "commandbars/command_bars.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/tool_bars.h"
#include "tests/support/session_test.h"

namespace ribbontest {

inline constexpr GUID kSheetGuid{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
inline constexpr GUID kOtherGuid{0x44444444, 0x5555, 0x6666, {1, 2, 3, 4, 5, 6, 7, 8}};

// Ids: 681 a built-in kernel command (the kernel runs it), 4242 a command nobody handles.
inline constexpr int kKernelCommand = 681;
inline constexpr int kUnhandledCommand = 4242;

class TestFrame : public Korvo::UI::MdiMainFrame {
public:
    TestFrame() = default;

protected:
    void PostNcDestroy() override {}
};

class RibbonFrameTest : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame = std::make_unique<TestFrame>();
        ASSERT_TRUE(frame->LoadFrame(1, 0xCF8000));
        ASSERT_TRUE(frame->InitCommandBars(RUNTIME_CLASS(CKVRibbonCommandBars)));
        bars = dynamic_cast<CKVRibbonCommandBars*>(frame->GetCommandBars());
        ASSERT_NE(bars, nullptr);
        bars->SetRibbonMode(true);
        ribbon = bars->GetRibbonBar();
        ASSERT_NE(ribbon, nullptr);
        Fill();
        frame->ShowWindow(SW_SHOW);
        // As a frame's first show does: the next idle pass updates its bars.
        frame->PostMessage(WM_IDLEUPDATECMDUI);
        s.runUntilIdle();
    }
    void TearDown() override {
        if (frame && frame->GetSafeHwnd()) frame->DestroyWindow();
    }

    Korvo::UI::RibbonTab* AddTab(const wchar_t* caption, const GUID& guid) {
        auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->AddTab(caption));
        tab->SetGuid(guid);
        return tab;
    }

    void Fill() {
        home = AddTab(L"&Home", kDefaultRibbonContext);
        CXTPRibbonGroup* file = home->AddGroup(L"File");
        file->Add(xtpControlButton, kKernelCommand)->SetCaption(L"Create library");
        file->Add(xtpControlButton, kUnhandledCommand)->SetCaption(L"Nothing");
        CXTPRibbonGroup* edit = home->AddGroup(L"Edit");
        dynamic_cast<Korvo::UI::RibbonGroup*>(edit)->SetGuid(kOtherGuid);
        edit->Add(xtpControlButton, 690)->SetCaption(L"New configuration");
        sheet = AddTab(L"Sheet", kSheetGuid);
        sheet->SetContextColor(xtpRibbonTabContextColorBlue);
        sheet->SetVisible(FALSE);
        sheet->AddGroup(L"Sheet tools")->Add(xtpControlButton, 691)->SetCaption(L"Open configuration");
        model = AddTab(L"Model", k3DRibbonContext);
        model->SetContextColor(xtpRibbonTabContextColorGreen);
        model->SetVisible(FALSE);
        plain = AddTab(L"Plain", GUID{});
        plain->SetContextColor(xtpRibbonTabContextColorRed);
        plain->SetVisible(FALSE);
        tagged = AddTab(L"Tagged", GUID{});
        tagged->SetTags(L"weld, pipe");
    }

    platform::harness::Session s;
    std::unique_ptr<TestFrame> frame;
    CKVRibbonCommandBars* bars = nullptr;
    KVRibbonBar* ribbon = nullptr;
    Korvo::UI::RibbonTab* home = nullptr;
    Korvo::UI::RibbonTab* sheet = nullptr;
    Korvo::UI::RibbonTab* model = nullptr;
    Korvo::UI::RibbonTab* plain = nullptr;
    Korvo::UI::RibbonTab* tagged = nullptr;
};

}  // namespace ribbontest
