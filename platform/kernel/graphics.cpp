#include "platform/kernel/graphics.h"

#include <algorithm>
#include <string>

#include "platform/core/record.h"

namespace {

// The default printer's page in device pixels: A4 at 600 dots an inch, less the margins.
constexpr int kPageWidth = 4800;
constexpr int kPageHeight = 6600;

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

HBITMAP LoadBitmapFromFile(LPCWSTR path, COLORREF transparent) { return Korvo::CreateImageBitmap(path, transparent); }

}  // namespace KVGC

int print_bitmap(std::shared_ptr<CWinBMP> bitmap) {
    if (!bitmap || !bitmap->IsValid() ||
        bitmap->pixels.size() != static_cast<std::size_t>(bitmap->width) * static_cast<std::size_t>(bitmap->height)) {
        platform::core::recordCall(L"print_bitmap(null) = 1");
        return 1;
    }
    const int width = bitmap->width, height = bitmap->height;
    const std::wstring size = std::to_wstring(width) + L"x" + std::to_wstring(height);
    platform::core::recordCall(L"print_bitmap(" + size + L") = 0");
    // The whole picture on one page, as large as the page allows without distortion.
    const double scale = std::min(static_cast<double>(kPageWidth) / width, static_cast<double>(kPageHeight) / height);
    const int printedWidth = std::max(1, static_cast<int>(width * scale));
    const int printedHeight = std::max(1, static_cast<int>(height * scale));
    HDC printer = platform::win32::startPrintJob(L"Picture " + size);
    HDC memory = ::CreateCompatibleDC(printer);
    HBITMAP picture = platform::win32::createBitmap(width, height, bitmap->pixels);
    HGDIOBJ previous = ::SelectObject(memory, picture);
    ::StretchBlt(printer, 0, 0, printedWidth, printedHeight, memory, 0, 0, width, height, SRCCOPY);
    ::SelectObject(memory, previous);
    ::DeleteObject(picture);
    ::DeleteDC(memory);
    platform::win32::endPrintJob(printer);
    return 0;
}
