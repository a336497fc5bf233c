// Kernel services a main frame calls around its activation and destruction: the 3D mouse, the
// dialog cache and the add-on applications' notice of a frame going away. Each records the call.
#pragma once

#include "platform/mfc.h"

class CKVSpaceballDeviceManager {
public:
    static CKVSpaceballDeviceManager& Instance();
    // The application became active (or inactive): the device follows it.
    void Activate(bool active);
    bool IsActive() const { return active_; }

    CKVSpaceballDeviceManager() = default;  // the process table makes the one instance

private:
    bool active_ = false;
};

// Forgets the dialogs the kernel keeps for reuse (their owner frame is going).
void KVResetDialogCache();
// Tells the add-on applications that a main frame is being destroyed.
void KVNotifyMainFrameDestroyed(HWND frame);
