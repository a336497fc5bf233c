#include "platform/toolkit/paintmanager.h"

#include <memory>
#include <mutex>

#include "platform/core/record.h"

namespace {

struct SharedInstance {
    std::mutex mutex;
    std::unique_ptr<CXTPPaintManager> instance;
    int references = 0;
};

SharedInstance& shared() {
    static SharedInstance state;
    return state;
}

}  // namespace

// The shared instance (the constructor is for theme subclasses and this file only).
namespace {
struct ConstructiblePaintManager : CXTPPaintManager {};
}  // namespace

CXTPPaintManager* CXTPPaintManager::GetInstanceAddRef() {
    auto& state = shared();
    std::lock_guard lock(state.mutex);
    if (!state.instance) state.instance = std::make_unique<ConstructiblePaintManager>();
    ++state.references;
    platform::core::recordCall(L"CXTPPaintManager::GetInstanceAddRef() -> " + std::to_wstring(state.references));
    return state.instance.get();
}

void CXTPPaintManager::ReleaseInstance() {
    auto& state = shared();
    std::lock_guard lock(state.mutex);
    if (state.references == 0) {
        platform::core::recordWarning(L"CXTPPaintManager::ReleaseInstance() without a reference");
        return;
    }
    --state.references;
    platform::core::recordCall(L"CXTPPaintManager::ReleaseInstance() -> " + std::to_wstring(state.references));
    if (state.references == 0) state.instance.reset();
}

int CXTPPaintManager::GetInstanceRefCount() {
    auto& state = shared();
    std::lock_guard lock(state.mutex);
    return state.references;
}
