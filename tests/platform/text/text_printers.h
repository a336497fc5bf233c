// Readable test output for the framework's string.
#pragma once

#include <ostream>

#include "platform/core/text.h"
#include "platform/mfc/cstring.h"

inline void PrintTo(const CString& text, std::ostream* out) {
    *out << '"' << platform::core::toUtf8(text.view()) << '"';
}
