// The keys of the product ini file's "SETTINGS" section that start-up reads, with their defaults.
#pragma once

#include "platform/compression.h"
#include "platform/kernel.h"

namespace app {

inline constexpr const wchar_t* kSettingsSection = L"SETTINGS";

// Where the per-user settings live: Software\<company>\<registryName>.
struct RegistryLocation {
    CString company;
    CString registryName;
};
RegistryLocation ReadRegistryLocation(const kvio::IniFile& ini);

// The product's own settings, read in one go once the registry location and the tips are known.
struct ProductSettings {
    UINT fixedWidth = 0;
    UINT fixedHeight = 0;
    CString tutor;
    CString tutorHtm;
    CString tutorDownloadUri;
    CString videoPlayer;
    CString language;
    // Absolute paths (relative values are taken inside the program folder); empty when not set.
    CString applicationsFile;
    CString defaultStateFile;
    CString backgroundImage;
    CString defaultDynamicToolBarFile;
    CString defaultContextMenuFile;
    CString defaultTemplateFolder;
    bool isMardel = false;
    bool isQuenta = false;
    bool isOstrel = false;
    CString appTitle;
    bool alphaAllowed = true;
    bool macros = true;
    bool metric = true;
};
// `fixedWidth`/`fixedHeight`: the fixed size in force, kept when "FIXED_SIZE" does not say.
ProductSettings ReadProductSettings(const kvio::IniFile& ini, UINT fixedWidth, UINT fixedHeight);

// The partner edition wins over the other product kinds, then Quenta, then Ostrel.
KorvoOemProduct ProductKindOf(const ProductSettings& settings);

// A string key whose non-empty relative value is made absolute against the program folder;
// absolute and empty values are returned as read.
CString ReadIniPath(const kvio::IniFile& ini, const wchar_t* section, const wchar_t* key,
                    const wchar_t* defaultValue = L"");

}  // namespace app
