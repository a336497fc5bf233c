#include "platform/kernel/graphics.h"

#include <cstdint>
#include <string>

#include "platform/win32/file.h"

namespace {

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::int32_t littleEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<std::int32_t>(value);
}

}  // namespace

bool platform::kernel::pictureSize(const std::string& bytes, int& width, int& height) {
    static const std::string pngSignature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() >= 24 && bytes.compare(0, 8, pngSignature) == 0 && bytes.compare(12, 4, "IHDR") == 0) {
        const std::uint32_t w = bigEndian32(bytes, 16), h = bigEndian32(bytes, 20);
        if (w == 0 || h == 0 || w > 0x7FFF || h > 0x7FFF) return false;
        width = static_cast<int>(w);
        height = static_cast<int>(h);
        return true;
    }
    if (bytes.size() >= 26 && bytes.compare(0, 2, "BM") == 0) {
        const std::int32_t w = littleEndian32(bytes, 18), h = littleEndian32(bytes, 22);
        const std::int32_t absHeight = h < 0 ? -h : h;
        if (w <= 0 || absHeight <= 0 || w > 0x7FFF || absHeight > 0x7FFF) return false;
        width = w;
        height = absHeight;
        return true;
    }
    return false;
}

namespace KVGC {

HBITMAP LoadBitmapFromFile(LPCWSTR path, COLORREF) {
    std::string bytes;
    if (!path || platform::files::readAll(path, bytes) != 0) return nullptr;
    int width = 0, height = 0;
    if (!platform::kernel::pictureSize(bytes, width, height)) return nullptr;
    return platform::win32::createBitmap(width, height);
}

}  // namespace KVGC
