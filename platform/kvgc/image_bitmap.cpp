#include <optional>
#include <string>
#include <vector>

#include "platform/core/record.h"
#include "platform/kvgc.h"
#include "platform/kvgc/picture_codec.h"
#include "platform/kvgc/plain_bitmap.h"
#include "platform/mfc/dialogs/filedialog.h"
#include "platform/win32/files/file.h"
#include "platform/win32/files/storage.h"
#include "platform/win32/window/window.h"

namespace {

std::wstring extensionOf(std::wstring_view path) {
    const std::size_t dot = path.find_last_of(L'.');
    const std::size_t separator = path.find_last_of(L"\\/");
    if (dot == std::wstring_view::npos || (separator != std::wstring_view::npos && dot < separator)) return {};
    return std::wstring(path.substr(dot));
}

HRESULT readFailureCode(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND: return STG_E_FILENOTFOUND;
        case ERROR_PATH_NOT_FOUND: return STG_E_PATHNOTFOUND;
        case ERROR_ACCESS_DENIED: return STG_E_ACCESSDENIED;
        default: return STG_E_READFAULT;
    }
}

}  // namespace

namespace Korvo {

HBITMAP CreateImageBitmap(LPCWSTR path, COLORREF background, HRESULT* failureCode) {
    HRESULT ignored = S_OK;
    HRESULT& failure = failureCode ? *failureCode : ignored;
    failure = S_OK;
    if (!path) {
        failure = STG_E_FILENOTFOUND;
        return nullptr;
    }
    std::string bytes;
    if (const DWORD error = platform::files::readAll(path, bytes); error != ERROR_SUCCESS) {
        failure = readFailureCode(error);
        return nullptr;
    }
    if (platform::storage::readFails(path)) {
        failure = STG_E_READFAULT;
        return nullptr;
    }
    // A plain bitmap file is checked now and decoded when its pixels are first used: a picture
    // only ever shown whole (the splash banner, three megabytes of pixels at its widest) is
    // never decoded at all. Its pixels do not depend on the background: it has no opacity.
    if (const std::optional<SIZE> size = platform::kvgc::plainBitmapSize(bytes)) {
        return platform::win32::createDeferredBitmap(size->cx, size->cy, [bytes = std::move(bytes)] {
            std::optional<platform::kvgc::Picture> picture = platform::kvgc::readPlainBitmap(bytes, true);
            return picture ? std::move(picture->pixels) : std::vector<std::uint32_t>{};
        });
    }
    const std::uint32_t back = std::uint32_t{GetRValue(background)} << 16 | std::uint32_t{GetGValue(background)} << 8 |
                               GetBValue(background);
    // Decoded straight into the bitmap's form, laid over the background on the way.
    std::optional<platform::kvgc::Picture> picture = platform::kvgc::decodePicture(bytes, extensionOf(path), back);
    if (!picture) {
        failure = STG_E_INVALIDHEADER;
        return nullptr;
    }
    return platform::win32::createBitmap(picture->width, picture->height, std::move(picture->pixels));
}

}  // namespace Korvo

int CWinBMP::Create(HBITMAP bitmap, HPALETTE, double, double) {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    if (!bitmap || !platform::win32::bitmapPixels(bitmap, width, height, pixels)) return 1;
    this->width = width;
    this->height = height;
    this->pixels = std::move(pixels);
    return 0;
}

int CWinBMP::Save(LPCWSTR fileName) {
    if (!IsValid() || pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return 1;
    std::wstring path = fileName ? fileName : L"";
    if (!fileName) {
        CFileDialog chooser(FALSE, L"png", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                            L"PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg;*.jpeg|GIF (*.gif)|*.gif|"
                            L"TIFF (*.tif)|*.tif;*.tiff|PCX (*.pcx)|*.pcx|TGA (*.tga)|*.tga||");
        if (chooser.DoModal() != IDOK) return 2;
        path = chooser.GetPathName().GetString();
    }
    platform::kvgc::Picture picture{width, height, pixels};
    for (std::uint32_t& pixel : picture.pixels) pixel |= 0xFF000000u;
    const std::optional<std::string> bytes = platform::kvgc::encodePicture(picture, extensionOf(path));
    int result = 0;
    if (!bytes)
        result = 3;
    else if (platform::files::writeAllAtomic(path, *bytes) != 0)
        result = 4;
    platform::core::recordCall(L"CWinBMP::Save(" + platform::core::quoted(path) + L") = " + std::to_wstring(result));
    return result;
}
