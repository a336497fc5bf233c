// 3D-mouse preset sections: any bytes parse; a section the mapping refuses leaves it as it was,
// and one it takes reads back the same after the mapping writes it.
#include "fuzz/fuzz_support.h"
#include "platform/compression.h"
#include "platform/compression/text_decoding.h"
#include "platform/kernel/ui/spaceball.h"

FUZZ_TARGET(spaceball_preset) {
    const std::wstring text = platform::compression::decodeText(fuzz::bytesOf(data, size));
    kvio::IniFile ini;
    ini.LoadFromText(text, L"C:\\fuzz.k3c");
    const int version = ini.GetInt(L"SpaceballConfig", L"version", 0);
    for (const wchar_t* section : {L"3D", L"Workplane", L"2D"}) {
        CKVSpaceballMapping mapping;
        mapping.axes[2].sensitivity = 0.5;
        const CKVSpaceballMapping before = mapping;
        if (!mapping.Load(ini, section, version)) {
            FUZZ_CHECK(mapping == before);
            continue;
        }
        kvio::IniFileWriter written;
        mapping.Save(written, section);
        kvio::IniFile reread;
        reread.LoadFromText(written.Text(), L"C:\\saved.k3c");
        CKVSpaceballMapping again;
        FUZZ_CHECK(again.Load(reread, section, 2));
        FUZZ_CHECK(again == mapping);
    }
    fuzz::forget();
    return 0;
}
