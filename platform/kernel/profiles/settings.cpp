#include "platform/kernel/profiles/settings.h"

#include "platform/compression.h"
#include "platform/core/config.h"
#include "platform/win32/files/file.h"

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

CString NativeOptions::GetFolder() const {
    const CString folder = CString(platform::core::config().localAppData.c_str()) + L"\\Velmora\\Korvo\\Options";
    platform::files::createDirectories(folder.GetString());
    return folder;
}

int COUNTRY = 0;

CString NativeSettings::Files::GetPrototypeName(int kind) {
    static constexpr const wchar_t* kNames[] = {L"Drawing.grb", L"Drawing.grb", L"Fragment.grb", L"Part.grb",
                                                L"Assembly.grb", L"Specification.grb"};
    const wchar_t* name = kind >= 0 && kind < 6 ? kNames[kind] : kNames[0];
    return KVGetProgramPath() + L"\\Prototypes\\" + name;
}
