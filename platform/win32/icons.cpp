#include "platform/win32/icons.h"
#include "platform/win32/icon_files.h"

#include <optional>
#include <string>

#include "platform/core/config.h"
#include "platform/win32/files/file.h"
#include "platform/win32/handle_table.h"
#include "platform/win32/last_error.h"
#include "platform/win32/png_check.h"

namespace {

constexpr DWORD kErrorResourceNameNotFound = 1814;
constexpr DWORD kErrorInvalidData = 13;

struct Icon {
    int width = 0;
    int height = 0;
    UINT resource = 0;
};

using IconTable = platform::win32::HandleTable<HICON, Icon>;

IconTable& table() {
    static IconTable icons(0x70001);
    return icons;
}

}  // namespace

HICON LoadIconW(HINSTANCE, UINT_PTR id) {
    const std::wstring path = platform::core::config().programFolder + L"\\icons\\" + std::to_wstring(id) + L".png";
    std::string bytes;
    if (platform::files::readAll(path, bytes) != ERROR_SUCCESS)
        return platform::win32::failWith(kErrorResourceNameNotFound, HICON{});
    // An icon keeps only its size, so its picture is checked, not decoded.
    const auto size = platform::win32::checkedPngSize(bytes);
    if (!size) return platform::win32::failWith(kErrorInvalidData, HICON{});
    return table().add(Icon{static_cast<int>(size->cx), static_cast<int>(size->cy), static_cast<UINT>(id)});
}

HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT) {
    const std::optional<UINT> resource = table().with(static_cast<HICON>(image), [](const Icon* icon) {
        return icon ? std::optional<UINT>(icon->resource) : std::nullopt;
    });
    if (type != IMAGE_ICON || !resource || cx <= 0 || cy <= 0) return platform::win32::failWith(ERROR_INVALID_HANDLE, HANDLE{});
    return table().add(Icon{cx, cy, *resource});
}

BOOL DestroyIcon(HICON icon) {
    return table().remove(icon) ? TRUE : platform::win32::failWith(ERROR_INVALID_HANDLE, FALSE);
}

namespace platform::win32 {

HICON createIcon(int width, int height, UINT resource) {
    if (width <= 0 || height <= 0) return platform::win32::failWith(kErrorInvalidData, HICON{});
    return table().add(Icon{width, height, resource});
}

bool iconSize(HICON icon, int& width, int& height) {
    return table().with(icon, [&](const Icon* found) {
        if (!found) return false;
        width = found->width;
        height = found->height;
        return true;
    });
}

UINT iconResource(HICON icon) {
    return table().with(icon, [](const Icon* found) { return found ? found->resource : 0u; });
}

std::optional<std::vector<int>> iconFileWidths(const std::string& bytes) {
    auto word = [&bytes](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8));
    };
    if (bytes.size() < 6 || word(0) != 0 || word(2) != 1) return std::nullopt;
    const std::size_t count = word(4);
    if (count == 0 || bytes.size() < 6 + 16 * count) return std::nullopt;
    std::vector<int> widths;
    for (std::size_t i = 0; i < count; ++i) {
        const int width = static_cast<unsigned char>(bytes[6 + 16 * i]);
        widths.push_back(width == 0 ? 256 : width);
    }
    return widths;
}

}  // namespace platform::win32

HANDLE LoadImageW(HINSTANCE instance, UINT_PTR id, UINT type, int cx, int cy, UINT) {
    if (type != IMAGE_ICON) return platform::win32::failWith(ERROR_INVALID_PARAMETER, HANDLE{});
    const HICON loaded = LoadIconW(instance, id);
    if (!loaded) return nullptr;
    HANDLE sized = CopyImage(loaded, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE);
    DestroyIcon(loaded);
    return sized;
}
