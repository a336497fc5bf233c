#include "platform/kernel/ui/frame_services.h"

#include "platform/core/process.h"
#include "platform/core/record.h"

CKVSpaceballDeviceManager& CKVSpaceballDeviceManager::Instance() {
    static CKVSpaceballDeviceManager& instance = platform::core::process().table<CKVSpaceballDeviceManager>();
    return instance;
}

void CKVSpaceballDeviceManager::Activate(bool active) {
    platform::core::recordCall(std::wstring(L"CKVSpaceballDeviceManager::Activate(") + platform::core::boolText(active) + L")");
    active_ = active;
}

UINT CKVSpaceballDeviceManager::GetMessageID() {
    // Registered anew each time: the name keeps its number for the life of the session.
    return ::RegisterWindowMessageW(L"KorvoSpaceballInput");
}

void KVResetDialogCache() { platform::core::recordCall(L"KVResetDialogCache()"); }

void KVNotifyMainFrameDestroyed(HWND frame) {
    platform::core::recordCall(L"KVNotifyMainFrameDestroyed(" + platform::core::handleText(frame) + L")");
}
