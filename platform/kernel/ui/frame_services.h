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
    // The registered message the device's input arrives as.
    static UINT GetMessageID();

    CKVSpaceballDeviceManager() = default;  // the process table makes the one instance

private:
    bool active_ = false;
};

// A window of the kernel that takes the mouse wheel while the cursor is over it, wherever the
// focus is. True when it handled the message.
class IMouseWheelHandler {
public:
    virtual bool OnMouseWheel(const MSG& message) = 0;

protected:
    ~IMouseWheelHandler() = default;
};

// Forgets the dialogs the kernel keeps for reuse (their owner frame is going).
void KVResetDialogCache();
// Tells the add-on applications that a main frame is being destroyed.
void KVNotifyMainFrameDestroyed(HWND frame);
