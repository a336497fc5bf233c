// Kernel services a main frame calls around its activation and destruction: the 3D mouse, the
// dialog cache and the add-on applications' notice of a frame going away. Each records the call.
#pragma once

#include <utility>
#include <vector>

#include "platform/kernel/ui/spaceball.h"
#include "platform/mfc.h"

// The kernel's 3D-mouse device manager: the device follows the active application and the
// window that locks it, and keeps a mapping of its axes and buttons per view mode. The stand-in
// machine has no device until one is plugged in; the presets are kept in a file of the user's
// local application data, so they survive a restart.
class CKVSpaceballDeviceManager {
public:
    static CKVSpaceballDeviceManager& Instance();
    // The application became active (or inactive): the device follows it.
    void Activate(bool active);
    bool IsActive() const { return active_; }
    // The registered message the device's input arrives as.
    static UINT GetMessageID();
    // The device's input message for `window`, handed to `callback` (or dropped without one).
    static void ParseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void (*callback)(int event));

    bool Detect(HWND window);
    // While locked the device's input goes to `window` alone.
    void Lock(HWND window, int viewMode);
    void Unlock(HWND window);
    HWND GetLockedWindow() const { return locked_; }
    // The device's buttons: id and display name.
    std::vector<std::pair<int, CString>> GetDeviceSupportButtons(HWND window) const;
    bool GetDeviceInfo(HWND window, CKVSpaceballDeviceInfo& info) const;
    void GetPresetForMode(int mode, CKVSpaceballMapping& mapping);
    void GetDefaultMapping(int mode, CKVSpaceballMapping& mapping) const;
    // Keeps the presets as they now are (in the user's file) and puts them in force.
    void UpdatePresets();
    // The views' device buttons follow the presets.
    void UpdateButtons(HWND view);

    // What the stand-in machine has: a device with so many buttons and axes (none of either: no
    // device), and whether it answers the query for its details.
    struct Device {
        int buttons = 0;
        int axes = 0;
        bool answersInfo = true;
    };
    void Plug(const Device& device) { device_ = device; }
    const Device& GetDevice() const { return device_; }
    // The presets as the device manager holds them now.
    const CKVSpaceballMapping& PresetOf(int mode);
    void SetPreset(int mode, const CKVSpaceballMapping& mapping);

    CKVSpaceballDeviceManager() = default;  // the process table makes the one instance

private:
    void loadPresets();

    bool active_ = false;
    Device device_;
    HWND locked_ = nullptr;
    bool presetsLoaded_ = false;
    CKVSpaceballMapping presets_[kSpaceballModeCount];
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
