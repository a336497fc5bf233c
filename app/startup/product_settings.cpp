#include "app/startup/product_settings.h"

namespace app {

RegistryLocation ReadRegistryLocation(const kvio::IniFile& ini) {
    return {ini.GetString(kSettingsSection, L"Company", L"Velmora"),
            ini.GetString(kSettingsSection, L"RegistryName", L"Korvo CAD 18.0")};
}

CString ReadIniPath(const kvio::IniFile& ini, const wchar_t* section, const wchar_t* key,
                    const wchar_t* defaultValue) {
    CString value = ini.GetString(section, key, defaultValue);
    if (value.IsEmpty() || !kvio::IsRelativePath(value.view())) return value;
    return KVAppendProgramPath(value);
}

ProductSettings ReadProductSettings(const kvio::IniFile& ini, UINT fixedWidth, UINT fixedHeight) {
    const wchar_t* const s = kSettingsSection;
    ProductSettings p;
    p.fixedWidth = static_cast<UINT>(ini.GetInt(L"FIXED_SIZE", L"CX", static_cast<int>(fixedWidth)));
    p.fixedHeight = static_cast<UINT>(ini.GetInt(L"FIXED_SIZE", L"CY", static_cast<int>(fixedHeight)));
    p.tutor = ini.GetString(s, L"Tutor");
    p.tutorHtm = ini.GetString(s, L"TutorHTM", L"index.htm");
    p.tutorDownloadUri = ini.GetString(s, L"TutorDownloadUri");
    p.videoPlayer = ini.GetString(s, L"VideoPlayer", L"Rovani\\Rovani.exe");
    p.language = ini.GetString(s, L"Language", L"Rus");
    p.applicationsFile = ReadIniPath(ini, s, L"ApplicationsFile");
    p.defaultStateFile = ReadIniPath(ini, s, L"DefaultStateFile");
    p.backgroundImage = ReadIniPath(ini, s, L"BackgroundImage");
    p.defaultDynamicToolBarFile = ReadIniPath(ini, s, L"DefaultDynamicToolBarFile");
    p.defaultContextMenuFile = ReadIniPath(ini, s, L"DefaultContextMenuFile");
    p.defaultTemplateFolder = ReadIniPath(ini, s, L"DefaultTemplateFolder");
    // Only the exact spelling "Ger" makes the German installation the partner edition by default.
    p.isMardel = ini.GetInt(s, L"IsMardel", p.language == L"Ger" ? 1 : 0) != 0;
    p.isQuenta = ini.GetInt(s, L"IsQuenta", 0) != 0;
    p.isOstrel = ini.GetInt(s, L"IsOstrel", 0) != 0;
    p.appTitle = ini.GetString(s, L"AppTitle");
    p.alphaAllowed = ini.GetInt(s, L"NoAlpha", 0) == 0;
    p.macros = ini.GetInt(s, L"Macros", 1) != 0;
    p.metric = ini.GetInt(s, L"Metric", 1) != 0;
    return p;
}

KorvoOemProduct ProductKindOf(const ProductSettings& settings) {
    if (settings.isMardel) return KorvoOemProduct::Mardel;
    if (settings.isQuenta) return KorvoOemProduct::Quenta;
    if (settings.isOstrel) return KorvoOemProduct::Ostrel;
    return KorvoOemProduct::None;
}

}  // namespace app
