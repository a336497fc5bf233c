// Formatting in tests with the engine's strict failures checked on the spot.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/mfc.h"

namespace format_test {

// Formats and expects the engine to report nothing.
template <class... T>
std::wstring clean(const wchar_t* fmt, const T&... args) {
    std::wstring text = platform::format(fmt, args...);
    EXPECT_TRUE(platform::core::takeFailures().empty()) << "unexpected failure for format " << platform::core::toUtf8(fmt);
    return text;
}

// Formats and expects the one strict failure a mismatch makes.
template <class... T>
std::wstring refused(const wchar_t* fmt, const T&... args) {
    std::wstring text = platform::format(fmt, args...);
    EXPECT_EQ(platform::core::takeFailures().size(), 1u) << "format " << platform::core::toUtf8(fmt);
    return text;
}

}  // namespace format_test
