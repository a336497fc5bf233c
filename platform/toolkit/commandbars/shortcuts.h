// The shortcut manager of command bars: the accelerator entries and the names of keys used when
// shortcuts are shown ("Ctrl+Shift+A").
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/mfc.h"

class CXTPPropExchange;

// Modifier bits of an accelerator entry, as accelerator tables keep them.
inline constexpr BYTE FVIRTKEY = 0x01;
inline constexpr BYTE FSHIFT = 0x04;
inline constexpr BYTE FCONTROL = 0x08;
inline constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt = 0;
    WORD key = 0;
    WORD cmd = 0;
};

namespace platform::toolkit {

// The accelerator tables of the application's resources, installed by the resource stand-in:
// the entries of table `id`, nothing when there is no such table.
using AcceleratorLoader = std::function<std::optional<std::vector<ACCEL>>(UINT id)>;
void setAcceleratorLoader(AcceleratorLoader loader);

}  // namespace platform::toolkit

class CXTPShortcutManager : public CCmdTarget {
public:
    // The text and the ordering weight of one accelerator.
    class CKeyHelper {
    public:
        CKeyHelper(const ACCEL* accel, const CXTPShortcutManager* manager) : accel_(accel), manager_(manager) {}
        CString Format() const { return accel_ && manager_ ? manager_->Format(*accel_) : CString(); }
        // Lower comes first: plain keys, then Ctrl, Shift, Alt and their combinations.
        int Priority() const;

    private:
        const ACCEL* accel_;
        const CXTPShortcutManager* manager_;
    };

    // The key-assignment field of the toolkit's dialogs: an edit control (tied with DDX_Control)
    // that holds one accelerator, shown as the manager formats it. The user presses the keys in
    // it; the simulated user types their names as the manager shows them ("Ctrl+Shift+M", "F5"),
    // which is read back when the accelerator is asked for. A text that names no key holds none.
    class CKeyAssign : public CWnd {
    public:
        explicit CKeyAssign(const CXTPShortcutManager* manager = nullptr) : manager_(manager) {}
        void SetShortcutManager(const CXTPShortcutManager* manager) { manager_ = manager; }
        // Shows the accelerator (key 0: none, an empty field).
        void SetAccel(const ACCEL& accel);
        // What the field holds now; key 0 when it names no key.
        ACCEL GetAccel() const;

    private:
        const CXTPShortcutManager* manager_;
    };

    // The accelerator a text names ("Ctrl+Alt+F5"), read with this manager's key names; nullopt
    // when a part names no key or modifier, or no key is named.
    std::optional<ACCEL> Parse(const CString& text) const;

    // Takes the accelerator table of resource `id` (none without such a table); AddShortcut and
    // a loaded layout change it afterwards.
    void SetAccelerators(UINT id);
    UINT GetAcceleratorsId() const { return acceleratorsId_; }
    void AddShortcut(ACCEL entry) { entries_.push_back(entry); }
    const std::vector<ACCEL>& GetAccelerators() const { return entries_; }
    void SetAccelerators(std::vector<ACCEL> entries) { entries_ = std::move(entries); }
    // The shortcut of a command as text, or empty when it has none.
    CString FindShortcutText(UINT cmd) const;
    // The text of one entry: modifiers then the key, joined by "+".
    CString Format(const ACCEL& entry) const;

    // The name shown for a virtual key (Ctrl, Alt, Shift, Page Down, ...).
    void SetKeyNameText(UINT virtualKey, LPCWSTR name) { keyNames_[virtualKey] = name; }
    CString GetKeyNameText(UINT virtualKey) const;

    // Loads or stores the accelerator entries (one "Accel" child section each); loading
    // replaces the entries.
    void DoPropExchange(CXTPPropExchange* px);

    // While disabled, key messages are not turned into commands.
    void DisableShortcuts(BOOL disable) { disabled_ = disable; }
    BOOL IsShortcutsDisabled() const { return disabled_; }

private:
    UINT acceleratorsId_ = 0;
    std::vector<ACCEL> entries_;
    std::map<UINT, CString> keyNames_;
    BOOL disabled_ = FALSE;
};
