#include <string>

#include "platform/kernel/icon_files.h"
#include "platform/kernel/record.h"
#include "platform/win32/files/file.h"
#include "platform/win32/icon_files.h"
#include "platform/win32/icons.h"

HICON LoadIconFromFile(LPCWSTR path, int size, int bitsPerPixel) {
    const std::wstring shown = path ? path : L"";
    platform::kernel::recordCall(L"LoadIconFromFile(" + platform::kernel::quoted(shown) + L", " + std::to_wstring(size) + L", " +
                                 std::to_wstring(bitsPerPixel) + L")");
    std::string bytes;
    if (!path || size <= 0 || bitsPerPixel < 1 || bitsPerPixel > 32) return nullptr;
    if (platform::files::readAll(path, bytes) != 0 || !platform::win32::iconFileWidths(bytes)) return nullptr;
    return platform::win32::createIcon(size, size);
}
