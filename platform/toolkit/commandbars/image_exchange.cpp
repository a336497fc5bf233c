// The image manager's icons in a property exchange, as command files keep them.
#include <string>

#include "platform/core/hex_digits.h"
#include "platform/toolkit/commandbars/images.h"
#include "platform/toolkit/propexchange.h"

namespace {

// Wider icons than this are no command icons; their pixel text would only waste memory.
constexpr int kLargestWidth = 256;

std::wstring PixelText(const std::vector<std::uint32_t>& pixels) {
    std::wstring text;
    text.reserve(pixels.size() * 8);
    for (const std::uint32_t pixel : pixels) platform::core::appendUpperHex(text, pixel, 8);
    return text;
}

bool ReadPixels(const CString& text, std::size_t count, std::vector<std::uint32_t>& pixels) {
    if (static_cast<std::size_t>(text.GetLength()) != count * 8) return false;
    pixels.assign(count, 0);
    for (std::size_t i = 0; i < count * 8; ++i) {
        const wchar_t c = text[static_cast<int>(i)];
        std::uint32_t digit = 0;
        if (c >= L'0' && c <= L'9') digit = static_cast<std::uint32_t>(c - L'0');
        else if (c >= L'A' && c <= L'F') digit = static_cast<std::uint32_t>(c - L'A' + 10);
        else if (c >= L'a' && c <= L'f') digit = static_cast<std::uint32_t>(c - L'a' + 10);
        else return false;
        pixels[i / 8] = (pixels[i / 8] << 4) | digit;
    }
    return true;
}

CXTPImageManagerIcon* ReadImage(UINT id, CXTPPropExchange* image) {
    int width = 0, height = 0, resource = 0;
    bool vector = false;
    CString pixelText;
    PX_Int(image, L"Width", width, 0);
    PX_Int(image, L"Height", height, 0);
    PX_Bool(image, L"Vector", vector, false);
    PX_Int(image, L"Resource", resource, 0);
    PX_String(image, L"Pixels", pixelText, L"");
    if (width <= 0 || width > kLargestWidth) {
        image->ReportBadValue(L"Width", std::to_wstring(width), L"an icon width from 1 to 256");
        return nullptr;
    }
    if (vector || pixelText.IsEmpty())
        return new CXTPImageManagerIcon(id, width, vector, resource > 0 ? static_cast<UINT>(resource) : id);
    if (height <= 0 || height > kLargestWidth) {
        image->ReportBadValue(L"Height", std::to_wstring(height), L"an icon height from 1 to 256");
        return nullptr;
    }
    std::vector<std::uint32_t> pixels;
    if (!ReadPixels(pixelText, static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pixels)) {
        image->ReportBadValue(L"Pixels", L"(" + std::to_wstring(pixelText.GetLength()) + L" characters)",
                              L"8 hex digits per pixel of the icon");
        return nullptr;
    }
    return new CXTPImageManagerIcon(id, width, height, std::move(pixels));
}

}  // namespace

void CXTPImageManager::DoPropExchange(UINT id, CXTPPropExchange* px) {
    if (!px) return;
    std::unique_ptr<CXTPPropExchangeEnumerator> images = px->GetEnumerator(L"Image");
    if (!images) return;
    if (px->IsLoading()) {
        POSITION position = images->GetPosition();
        while (position) {
            CXTPPropExchange* image = images->GetNext(position);
            if (CXTPImageManagerIcon* icon = image ? ReadImage(id, image) : nullptr) SetIcon(id, icon);
        }
        return;
    }
    const CXTPImageManagerIconSet* set = GetIconSet(id);
    if (!set) return;
    POSITION position = images->GetPosition(static_cast<DWORD>(set->GetIcons().size()));
    for (const auto& [width, icon] : set->GetIcons()) {
        CXTPPropExchange* image = images->GetNext(position);
        if (!image) return;
        int w = icon->GetWidth(), h = icon->GetHeight(), resource = static_cast<int>(icon->GetResourceID());
        bool vector = icon->IsVectorIcon();
        CString pixels = PixelText(icon->GetPixels()).c_str();
        PX_Int(image, L"Width", w, 0);
        PX_Int(image, L"Height", h, 0);
        PX_Bool(image, L"Vector", vector, false);
        PX_Int(image, L"Resource", resource, 0);
        if (!pixels.IsEmpty()) PX_String(image, L"Pixels", pixels, L"");
    }
}
