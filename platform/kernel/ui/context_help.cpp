#include "platform/kernel/ui/context_help.h"

#include <mutex>
#include <utility>

namespace {

struct ContextHelp {
    std::mutex mutex;
    std::function<DWORD()> provider;
};

ContextHelp& contextHelp() {
    static ContextHelp instance;
    return instance;
}

}  // namespace

namespace UIModule {

void SetContextHelpProvider(std::function<DWORD()> provider) {
    std::lock_guard lock(contextHelp().mutex);
    contextHelp().provider = std::move(provider);
}

std::optional<DWORD> GetContextHelpId() {
    std::function<DWORD()> provider;
    {
        std::lock_guard lock(contextHelp().mutex);
        provider = contextHelp().provider;
    }
    if (!provider) return std::nullopt;
    return provider();
}

}  // namespace UIModule
