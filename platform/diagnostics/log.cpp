#include <cstdint>
#include <mutex>
#include <string>

#include "platform/core/api_text.h"
#include "platform/core/clock.h"
#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/diagnostics.h"
#include "platform/faults.h"
#include "platform/win32/files/file.h"
#include "platform/win32/process/thread.h"

namespace {

struct LogState {
    std::recursive_mutex mutex;
    bool folderChecked = false;
    bool writeFailureReported = false;
};

LogState& logState() { return platform::core::process().table<LogState>(); }

// `value` in decimal, with leading zeros to at least `width` digits (a minus sign before them, as
// "%0*lld" puts it).
void appendPadded(std::string& out, std::int64_t value, int width) {
    char digits[24];
    int count = 0;
    const bool negative = value < 0;
    auto rest = negative ? -static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (negative) {
        out += '-';
        --width;  // the sign counts towards the width
    }
    for (int pad = count; pad < width; ++pad) out += '0';
    while (count > 0) out += digits[--count];
}

// "YYYY-MM-DD HH:MM:SS.mmm" (UTC) of the platform's wall clock.
std::string timestamp(std::int64_t millis) {
    const std::int64_t ms = ((millis % 1000) + 1000) % 1000;
    std::int64_t seconds = (millis - ms) / 1000;
    std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const std::int64_t secondOfDay = seconds - days * 86400;
    // Civil date from days since 1970-01-01 (proleptic Gregorian).
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    // Written digit by digit: a start-up writes a few dozen lines and a formatted print of each
    // stamp cost more than the rest of the line. Years beyond four digits keep all their digits.
    std::string out;
    out.reserve(24);
    appendPadded(out, year, 4);
    out += '-';
    appendPadded(out, month, 2);
    out += '-';
    appendPadded(out, day, 2);
    out += ' ';
    appendPadded(out, secondOfDay / 3600, 2);
    out += ':';
    appendPadded(out, secondOfDay / 60 % 60, 2);
    out += ':';
    appendPadded(out, secondOfDay % 60, 2);
    out += '.';
    appendPadded(out, ms, 3);
    return out;
}

// Requires the log lock.
void appendToFile(LogState& state, int level, std::wstring_view message) {
    const std::wstring& file = platform::core::config().logFile;
    if (file.empty()) return;
    if (!state.folderChecked) {
        state.folderChecked = true;
        const std::wstring folder(platform::core::winpath::folderPart(file));
        if (!folder.empty()) platform::files::createDirectories(folder);
    }
    std::string line = timestamp(platform::core::clock().wallMillis());
    line += ' ';
    line += std::to_string(GetCurrentThreadId());
    line += ' ';
    line += std::to_string(level);
    line += ' ';
    line += platform::core::toUtf8(message);
    line += '\n';
    const DWORD error = platform::files::appendText(file, line);
    if (error != 0 && !state.writeFailureReported) {
        // Once per process: a log that cannot be written must not flood the journal.
        state.writeFailureReported = true;
        platform::core::journal().add("warning", L"cannot write the log file " + file + L": error " +
                                                     std::to_wstring(error));
    }
}

}  // namespace

void KVLog_Write(int level, const wchar_t* text) {
    const std::wstring_view message = platform::core::viewOf(text);
    auto& state = logState();
    std::lock_guard lock(state.mutex);
    platform::core::journal().add("log", std::to_wstring(level) + L" " + std::wstring(message));
    appendToFile(state, level, message);
}

void KVLog_WriteV(int level, const wchar_t* format, const platform::FormatArgs& args) {
    const std::wstring text = platform::formatV(platform::core::viewOf(format), args);
    KVLog_Write(level, text.c_str());
}

CString KVLog_GetFileName() { return CString(platform::core::config().logFile); }

bool KVLog_FileExists() {
    const std::wstring& file = platform::core::config().logFile;
    return !file.empty() && platform::files::exists(file);
}

namespace {
// How often this thread holds the log lock: an unlock without a lock is harmless.
thread_local int t_logLockDepth = 0;
}  // namespace

void KVLog_Lock(bool* locked) {
    auto& state = logState();
    if (locked) {
        // A caller that asks whether it got the lock does not wait for another thread's.
        *locked = !platform::faultInjected(L"KVLog_Lock 1") && state.mutex.try_lock();
        if (!*locked) return;
    } else {
        state.mutex.lock();
    }
    ++t_logLockDepth;
}

void KVLog_Unlock() {
    if (t_logLockDepth == 0) return;
    --t_logLockDepth;
    logState().mutex.unlock();
}

void KVLog_Cleanup() {
    auto& state = logState();
    std::lock_guard lock(state.mutex);
    platform::core::recordCall(L"KVLog_Cleanup()");
}

void KVLog_Cleanup(int days) { platform::core::recordCall(L"KVLog_Cleanup(" + std::to_wstring(days) + L")"); }
