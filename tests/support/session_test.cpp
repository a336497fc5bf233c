#include "tests/support/session_test.h"

#include "platform/core/text.h"

namespace platform::harness {

SessionTest::SessionTest() {
    Session::setFailureHook([](const std::wstring& failure) {
        ADD_FAILURE() << platform::core::toUtf8(failure);
    });
}

std::vector<std::wstring> calls(Session& session) { return session.journal().texts("call"); }

std::vector<std::wstring> logs(Session& session) { return session.journal().texts("log"); }

long long indexOf(const std::vector<std::wstring>& entries, std::wstring_view needle) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].find(needle) != std::wstring::npos) return static_cast<long long>(i);
    }
    return -1;
}

}  // namespace platform::harness
