// The states the kernel and its modules keep in the registry with the main frame's profile item:
// each reads and writes the key it is given (a path below the application's registry key).
#pragma once

#include <string>

#include "platform/mfc.h"

// One module's state as the stand-in keeps it: a text in the value "State" of its key.
struct KVModuleState {
    std::wstring text;
    // False, the text unchanged, when the key or its value is missing.
    bool Load(LPCWSTR path);
    // False when the key cannot be made or written.
    bool Save(LPCWSTR path) const;
    bool LoadFrom(HKEY key);
    bool SaveTo(HKEY key) const;
};

// The page tabs of the kernel's tab views: their defaults, and the views that follow them.
class CKVTabCtrl {
public:
    static bool ReadDefaults(LPCWSTR path) { return Defaults().Load(path); }
    static bool WriteDefaults(LPCWSTR path) { return Defaults().Save(path); }
    static KVModuleState& Defaults();
};
void KVUpdateAllTabViews();

// The 2D annotation module's own settings. The module is told of changes to the kernel's
// settings a user makes from the frame and keeps them with its state: the docking panes' lock
// (value "LockPanes"). A key without that value leaves the setting as it is.
class AnnotateModuleState {
public:
    static bool Load(LPCWSTR path);
    static bool Save(LPCWSTR path);
    static KVModuleState& State();
};

// The 3D part's own settings.
class KV3DState {
public:
    static bool Load(LPCWSTR path) { return State().Load(path); }
    static bool Save(LPCWSTR path) { return State().Save(path); }
    static KVModuleState& State();
};
