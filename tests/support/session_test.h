// Fixture for tests that run the program on the stand-in platform: every strict failure of the
// session (an unexpected message box, an expectation left unconsumed, ...) fails the test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/harness.h"

namespace platform::harness {

class SessionTest : public ::testing::Test {
protected:
    // The hook stays installed after the fixture: a session kept as a member of a derived fixture
    // ends after this fixture's destructor body, and each test runs in a process of its own.
    SessionTest();
};

// Texts of the journal's "call" entries, in order.
std::vector<std::wstring> calls(Session& session);
// Texts of the journal's "log" entries ("<level> <message>"), in order.
std::vector<std::wstring> logs(Session& session);
// Index of the first entry that contains `needle`, or -1; for order assertions.
long long indexOf(const std::vector<std::wstring>& entries, std::wstring_view needle);

}  // namespace platform::harness

