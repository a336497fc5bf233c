#include "platform/toolkit/paintmanager.h"

#include "platform/core/record.h"

namespace {

// The constructor is for theme subclasses and this file only.
struct SharedPaintManager : CXTPPaintManager {};

}  // namespace

void CXTPPaintManager::ReleaseInstance() { platform::core::recordCall(L"CXTPPaintManager::ReleaseInstance()"); }

CXTPPaintManager* CXTPPaintManager::GetInstanceAddRef() {
    platform::core::recordCall(L"CXTPPaintManager::GetInstanceAddRef()");
    // Never destroyed: windows that paint with it may go after every function-local static.
    static auto* instance = new SharedPaintManager();
    return instance;
}
