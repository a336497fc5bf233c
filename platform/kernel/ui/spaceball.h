// The kernel's 3D-mouse mappings, one per view mode, as the device manager
// (platform/kernel/ui/frame_services.h) keeps them and the options page edits copies of them.
#pragma once

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "platform/compression.h"
#include "platform/compression/ini_writer.h"
#include "platform/mfc.h"

class CKVView;

// The view modes a mapping belongs to: the 3D view, the work plane, the 2D view, and a fourth
// the device manager keeps for itself.
enum SpaceballViewModes { kSpaceball3D = 0, kSpaceballWorkplane = 1, kSpaceball2D = 2, kSpaceballModeCount = 4 };

struct CKVSpaceballDeviceInfo {
    int buttons = 0;
    int axes = 0;
};

class CKVSpaceballMapping {
public:
    // A button's action: a command (id 0: none) or a key (code 0: none).
    struct ButtonEvent {
        enum Kind : UINT { Command = 0, Key = 1 };
        UINT kind = Command;
        UINT command = 0;
        BYTE key = 0;
        BYTE extended = 0;
        static ButtonEvent ForCommand(UINT id) { return ButtonEvent{Command, id, 0, 0}; }
        static ButtonEvent ForKey(BYTE code, bool extendedKey) { return ButtonEvent{Key, 0, code, static_cast<BYTE>(extendedKey ? 1 : 0)}; }
        bool IsNone() const { return kind == Key ? key == 0 : command == 0; }
        friend bool operator==(const ButtonEvent&, const ButtonEvent&) = default;
    };
    struct Axis {
        UINT axis = 0;
        double sensitivity = 0;
        BYTE invert = 0;
        friend bool operator==(const Axis&, const Axis&) = default;
    };

    std::map<int, ButtonEvent> buttons;
    BYTE carried = 0;
    Axis axes[6];
    double overall = 0;

    // Reads the mapping from `section` of a preset written in format `version` (1 or 2); false,
    // the mapping unchanged, when a value there is not one the mapping can hold.
    bool Load(const kvio::IniFile& ini, const wchar_t* section, int version);
    void Save(kvio::IniFileWriter& ini, const wchar_t* section) const;
    // Makes this the device manager's preset for `mode` (no name: the one in use).
    void SavePreset(int mode, const wchar_t* name) const;
    ButtonEvent GetButtonEvent(int button) const;
    friend bool operator==(const CKVSpaceballMapping& a, const CKVSpaceballMapping& b) {
        return a.buttons == b.buttons && a.carried == b.carried && std::equal(std::begin(a.axes), std::end(a.axes), std::begin(b.axes)) &&
               a.overall == b.overall;
    }
};

// The 3D-mouse mode of a view: 2 for a 2D view, 0 for a 3D one and without a view.
int KVGetSpaceballViewMode(const CKVView* view);
// The name of a key as the kernel shows it ("A", "F5", "Enter"; the extended flag names the
// keypad's twin of a key).
CString GetKeyName(BYTE virtualKey, bool extended);
