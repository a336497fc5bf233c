// Helpers of the main-frame tests: a started program and views of its first frame.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

namespace mainframetest {

inline CMainFrame* frameOf(HWND window) { return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(window)); }

inline RECT screenRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// The class names of the frame's child windows, in z-order.
inline std::vector<std::wstring> childClasses(HWND frame) {
    std::vector<std::wstring> classes;
    for (HWND child = ::GetWindow(frame, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        ::GetClassNameW(child, name, 64);
        classes.emplace_back(name);
    }
    return classes;
}

// A started program, idle, and its first frame.
class RunningFrameTest : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        window = s.inspect().mainFrames().at(0);
        frame = frameOf(window);
        ASSERT_NE(frame, nullptr);
    }
    platform::harness::Session s;
    HWND window = nullptr;
    CMainFrame* frame = nullptr;
};

}  // namespace mainframetest
