#include "platform/kernel/graphics.h"

#include <algorithm>
#include <string>

#include "platform/core/record.h"

namespace {

// The default printer's page in device pixels: A4 at 600 dots an inch, less the margins.
constexpr int kPageWidth = 4800;
constexpr int kPageHeight = 6600;

}  // namespace

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
