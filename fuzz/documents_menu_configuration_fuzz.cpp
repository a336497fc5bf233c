// Documents-menu configuration files: any bytes are read or refused with the file and a line.
#include "fuzz/fuzz_support.h"
#include "platform/kernel/documentsmenu/model.h"

FUZZ_TARGET(documents_menu_configuration) {
    const std::string bytes(fuzz::bytesOf(data, size));
    std::wstring error;
    const auto stored = platform::kernel::documentsmenu::parseConfigurationText(bytes, L"C:\\fuzz.tws", error);
    FUZZ_CHECK(stored.has_value() == error.empty());
    FUZZ_CHECK(stored || error.rfind(L"C:\\fuzz.tws(", 0) == 0);
    fuzz::forget();
    return 0;
}
