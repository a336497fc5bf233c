#include "platform/win32/resource_bitmaps.h"

#include <string>

#include "platform/core/config.h"
#include "platform/win32/files/file.h"
#include "platform/win32/last_error.h"
#include "platform/win32/resource_pictures.h"

namespace {

constexpr DWORD kErrorResourceNameNotFound = 1814;
constexpr DWORD kErrorInvalidData = 13;

}  // namespace

HBITMAP LoadBitmapW(HINSTANCE, UINT_PTR id) {
    const std::wstring path = platform::core::config().programFolder + L"\\bitmaps\\" + std::to_wstring(id) + L".png";
    std::string bytes;
    if (platform::files::readAll(path, bytes) != ERROR_SUCCESS)
        return platform::win32::failWith(kErrorResourceNameNotFound, HBITMAP{});
    // A bitmap holds no opacity: the picture comes laid over the window colour.
    const auto picture = platform::win32::decodeResourcePicture(bytes, 0x00FFFFFFu, L"LoadBitmapW");
    if (!picture) return platform::win32::failWith(kErrorInvalidData, HBITMAP{});
    HBITMAP bitmap = platform::win32::createBitmap(picture->width, picture->height, picture->pixels);
    return bitmap ? bitmap : platform::win32::failWith(kErrorInvalidData, HBITMAP{});
}
