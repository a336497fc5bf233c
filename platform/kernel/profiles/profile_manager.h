// The kernel's settings-profile manager, as far as the shell's UI state needs it: where a profile
// and its items keep their files and registry values, and the loading and saving of the profile
// state, during which the kernel asks the shell (its callback object) to load or save the state
// of its main windows.
#pragma once

#include <vector>

#include "platform/mfc.h"

class KorvoProfileManager {
public:
    static KorvoProfileManager& Instance();

    // The profile used when none is named.
    static CString GetDefaultProfileName() { return L"Default"; }
    // The registry section (under the application's key) of a profile; null names the default.
    static CString GetProfileSectionName(LPCWSTR profile);
    // The folder of a profile (`item` null) or of one of its items:
    // <LOCALAPPDATA>\<registry key>\<product>\Profiles\<profile>[\<item>]. Empty while the
    // application has no registry key (it then keeps no profiles).
    static CString GetProfileSectionAppDataPath(LPCWSTR profile, LPCWSTR item);

    // Profile files are UTF-8 text whose first line is "name=NAME". The name a profile file
    // carries; empty when the file cannot be read or names none.
    static CString GetProfileName(LPCWSTR file);
    // Whether the user has a stored profile of that name (its folder exists).
    static bool ProfileExists(LPCWSTR name);
    // Failure codes of Import.
    static constexpr int kFileNotFound = static_cast<int>(0x80070002u);
    static constexpr int kInvalidProfile = static_cast<int>(0x8007000Du);
    static constexpr int kProfileExists = static_cast<int>(0x800700B7u);
    // Stores the profile of the file under its name (replacing a stored one of that name only
    // with `replace`); 0, or a negative failure code.
    static int Import(LPCWSTR file, bool replace);
    // Makes the stored profile `name` the current settings; false when there is none.
    static bool Copy(LPCWSTR name);

    // Every live profile item loads its state from the current settings (after a profile was
    // made current).
    static void ApplyProfileItems();

    // Loads the default profile's state: the shell loads its UI state. Afterwards the state
    // counts as loaded, whatever the shell answered (there was a profile to load from).
    bool LoadState();
    // Saves the profile state: the shell saves its UI state; its answer is returned.
    bool SaveState();
    // The names of the user's settings profiles, in their order.
    std::vector<CString> GetProfiles() const;
    bool IsStateLoaded() const { return loaded_; }
    // The state is no longer taken as loaded (after the last save of a session).
    void SetStateLoaded(bool loaded) { loaded_ = loaded; }

private:
    KorvoProfileManager() = default;
    bool loaded_ = false;
};
