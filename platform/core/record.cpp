#include "platform/core/record.h"

#include <cstdint>
#include <cwchar>
#include <deque>
#include <mutex>

namespace platform::core {

std::wstring quoted(std::wstring_view text) { return L"\"" + std::wstring(text) + L"\""; }

std::wstring quoted(const wchar_t* text) { return text ? quoted(std::wstring_view(text)) : L"null"; }

std::wstring handleText(const void* handle) {
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(handle)));
    return text;
}

std::wstring rectText(int left, int top, int right, int bottom) {
    return L"(" + std::to_wstring(left) + L"," + std::to_wstring(top) + L")-(" + std::to_wstring(right) + L"," +
           std::to_wstring(bottom) + L")";
}

namespace {

constexpr std::size_t kIdleCallsKept = 256;

struct IdleCalls {
    std::mutex mutex;
    std::deque<std::wstring> calls;
};

IdleCalls& idleCalls() {
    static IdleCalls calls;
    return calls;
}

}  // namespace

void recordIdleCall(std::wstring text) {
    IdleCalls& trace = idleCalls();
    std::lock_guard lock(trace.mutex);
    trace.calls.push_back(std::move(text));
    if (trace.calls.size() > kIdleCallsKept) trace.calls.pop_front();
}

std::vector<std::wstring> takeIdleCalls() {
    IdleCalls& trace = idleCalls();
    std::lock_guard lock(trace.mutex);
    std::vector<std::wstring> taken(trace.calls.begin(), trace.calls.end());
    trace.calls.clear();
    return taken;
}

}  // namespace platform::core
