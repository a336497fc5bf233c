// The kernel's settings-profile manager, as far as the shell's UI state needs it: where a profile
// and its items keep their files and registry values, and the loading and saving of the profile
// state, during which the kernel asks the shell (its callback object) to load or save the state
// of its main windows.
#pragma once

#include <functional>
#include <vector>

#include "platform/mfc.h"

class KorvoProfileItem;

class KorvoProfileManager {
public:
    static KorvoProfileManager& Instance();

    // The profile used when none is named: its section holds the live settings.
    static CString GetDefaultProfileName() { return L"Default"; }
    // The registry section (under the application's key) holding one sub-key per profile.
    static CString GetProfilesSectionName() { return L"Profiles"; }
    // The suffix (without the dot) of exported profile files: the shell's answer.
    static CString GetProfileFileExtension();
    // Calls `visit` with every live profile item until it answers false.
    static void ForEachItem(const std::function<bool(KorvoProfileItem&)>& visit);
    // The registry section (under the application's key) of a profile; null names the default.
    static CString GetProfileSectionName(LPCWSTR profile);
    // The folder of a profile (`item` null) or of one of its items:
    // <LOCALAPPDATA>\<registry key>\<product>\Profiles\<profile>[\<item>]. Empty while the
    // application has no registry key (it then keeps no profiles).
    static CString GetProfileSectionAppDataPath(LPCWSTR profile, LPCWSTR item);

    // Profile files are UTF-8 text: a header of "NAME=VALUE" lines whose first is "name=NAME"
    // ("version=N" gives the program's major version that wrote it), then the profile's registry
    // section as "key\tPATH" and "value\tTYPE\tNAME\tHEX" lines (names as written, data in hex).
    // The name a profile file carries; empty when the file cannot be read or names none.
    static CString GetProfileName(LPCWSTR file);
    // Whether the user has a stored profile of that name (its registry section or its folder).
    static bool ProfileExists(LPCWSTR name);
    // Failure codes of Import.
    static constexpr int kFileNotFound = static_cast<int>(0x80030002u);
    static constexpr int kInvalidProfile = static_cast<int>(0x800300FBu);
    static constexpr int kUnsupportedVersion = static_cast<int>(0x80030104u);
    static constexpr int kProfileExists = static_cast<int>(0x800700B7u);
    static constexpr int kCannotWrite = static_cast<int>(0x80030103u);
    // Stores the profile of the file under `name` (else the name the file carries), replacing a
    // stored one of that name only with `replace`; 0, or a negative failure code. A replaced
    // profile stays as it was when the import fails.
    static int Import(LPCWSTR file, bool replace, LPCWSTR name = nullptr);
    // Makes the stored profile `name` the current settings (its items replace those of the
    // default profile); false when there is none or a copy fails, which leaves the current
    // settings as they were.
    static bool Copy(LPCWSTR name);

    // Every live profile item loads its state from the current settings (after a profile was
    // made current).
    static void ApplyProfileItems();

    // Loads the default profile's state: the shell loads its UI state, then every live profile
    // item loads its own. Afterwards the state counts as loaded, whatever the shell answered.
    bool LoadState();
    // Saves the profile state: the shell saves its UI state, then every live item saves its own;
    // the shell's answer is returned.
    bool SaveState();
    // The names of the user's settings profiles (the sub-keys of the profiles section but the
    // default profile), in the registry's order.
    std::vector<CString> GetProfiles() const;
    bool IsStateLoaded() const { return loaded_; }
    // The state is no longer taken as loaded (after the last save of a session).
    void SetStateLoaded(bool loaded) { loaded_ = loaded; }

private:
    KorvoProfileManager() = default;
    bool loaded_ = false;
};

// Writes the open key's values and sub-keys into `file` as a profile file named `name` (see
// KorvoProfileManager::GetProfileName); false when the key cannot be read or the file written.
bool SaveRegistryKey(HKEY key, LPCWSTR name, LPCWSTR file);
