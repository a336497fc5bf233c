// A fixture for tests that open documents the way the user does: a started program, its active
// main frame, and File Open answered with a path.
#pragma once

#include "platform/kernel.h"
#include "tests/app/app_test_support.h"

namespace apptest {

inline constexpr unsigned kFileOpen = 0xE101;

class DocumentSessionTest : public platform::harness::SessionTest {
protected:
    void Start(platform::harness::Session& s) {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame_ = s.inspect().activeMainFrame();
        ASSERT_NE(frame_, nullptr);
    }
    // File Open in the active frame, choosing `path`; the open document of that path, or null.
    CDocument* Open(platform::harness::Session& s, const std::wstring& path) {
        s.user().expectFileChoose(path);
        s.user().command(frame_, kFileOpen);
        s.runUntilIdle();
        return Korvo::DocumentManager::Instance().FindDocument(path.c_str());
    }
    HWND frame_ = nullptr;
};

}  // namespace apptest
