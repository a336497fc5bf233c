// The program with a drawing open and the panel showing the chooser controls a test clicks, as
// the kernel shows them for a command.
#pragma once

#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/kernel.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace syspaneltest {

class ChooserTest : public FrameTest {
protected:
    explicit ChooserTest(std::initializer_list<UINT> shown) : shown_(shown) {}

    void SetUp() override {
        s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
        FrameTest::SetUp();
        document = openDocument(window, L"C:\\Work\\a.grb");
        ASSERT_NE(document, nullptr);
        s.kernel().callback([this](KorvoServerAppProxy& kernel) {
            stlControlsIDs controls;
            for (UINT id : shown_) controls.push_back({static_cast<int>(id), 0, 0});
            kernel.SetSyspanelControls(controls);
            for (UINT id : shown_) kernel.EnableSyspanelControl(id, true);
        });
        s.runUntilIdle();
    }
    // A click meets the ribbon's twin first.
    void click(unsigned id) {
        EXPECT_EQ(s.user().clickControl(window, static_cast<int>(id)), std::nullopt);
        s.runUntilIdle();
    }

    CKvw32Doc* document = nullptr;

private:
    std::vector<UINT> shown_;
};

}  // namespace syspaneltest
