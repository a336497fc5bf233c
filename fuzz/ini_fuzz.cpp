// Ini files: any bytes decode and parse; every name listed can be looked up.
#include "fuzz/fuzz_support.h"
#include "platform/compression.h"
#include "platform/compression/text_decoding.h"

FUZZ_TARGET(ini) {
    const std::wstring text = platform::compression::decodeText(fuzz::bytesOf(data, size));
    kvio::IniFile ini;
    ini.LoadFromText(text, L"C:\\fuzz.ini");
    // A name holding a NUL cannot be asked for through the C strings the functions take.
    auto askable = [](const CString& name) { return name.view().find(L'\0') == std::wstring_view::npos; };
    for (const CString& section : ini.GetSectionNames()) {
        FUZZ_CHECK(!askable(section) || ini.HasSection(section));
        for (const CString& key : ini.GetKeyNames(section)) {
            FUZZ_CHECK(!askable(section) || !askable(key) || ini.HasKey(section, key));
            ini.GetString(section, key);
            ini.GetInt(section, key, 7);
        }
    }
    fuzz::forget();
    return 0;
}
