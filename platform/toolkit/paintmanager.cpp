#include "platform/toolkit/paintmanager.h"

#include "platform/toolkit/dpi.h"

#include "platform/core/record.h"

namespace {

// The constructor is for theme subclasses and this file only.
struct SharedPaintManager : CXTPPaintManager {};

}  // namespace

void CXTPPaintManager::ReleaseInstance() { platform::core::recordCall(L"CXTPPaintManager::ReleaseInstance()"); }

CXTPPaintManager* CXTPPaintManager::GetInstanceAddRef() {
    platform::core::recordCall(L"CXTPPaintManager::GetInstanceAddRef()");
    return XTPPaintManager();
}

CXTPPaintManager* XTPPaintManager() {
    // Never destroyed: windows that paint with it may go after every function-local static.
    static auto* instance = new SharedPaintManager();
    return instance;
}

int CXTPPaintManager::GetRegularFontHeight() const {
    constexpr int kRegularFontHeight = 15;  // at 96 dpi
    return XTPDpiHelper()->ScaleY(kRegularFontHeight);
}
