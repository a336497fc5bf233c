#include "platform/kernel/profiles/settings.h"

#include "platform/compression.h"

NativeSettings& GetSettings() {
    static NativeSettings settings;
    return settings;
}

KVOptions& GetKVOptions() {
    static KVOptions options;
    return options;
}

NativeOptions& GetOptions() {
    static NativeOptions options;
    return options;
}

int COUNTRY = 0;

CString NativeSettings::Files::GetPrototypeName(int kind) {
    static constexpr const wchar_t* kNames[] = {L"Drawing.grb", L"Drawing.grb", L"Fragment.grb", L"Part.grb",
                                                L"Assembly.grb", L"Specification.grb"};
    const wchar_t* name = kind >= 0 && kind < 6 ? kNames[kind] : kNames[0];
    return KVGetProgramPath() + L"\\Prototypes\\" + name;
}
