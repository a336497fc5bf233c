// The program's printf-style log call: a level, a format and its arguments.
#pragma once

#include "platform/diagnostics.h"

template <class... T>
void LogFormat(int level, const wchar_t* format, const T&... args) {
    KVLog_WriteV(level, format, platform::makeFormatArgs(args...));
}
