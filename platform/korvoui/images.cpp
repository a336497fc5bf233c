#include "platform/korvoui/images.h"

#include <algorithm>
#include <string>

#include "platform/core/record.h"

namespace Korvo::UI {

ImageManager& ImageManager::GetInstance() {
    static ImageManager instance;
    return instance;
}

void ImageManager::ReserveResources(std::span<const int> iconSizes, int count) {
    std::wstring sizes;
    for (int size : iconSizes) sizes += (sizes.empty() ? L"" : L", ") + std::to_wstring(size);
    platform::core::recordCall(L"Korvo::UI::ImageManager::ReserveResources({" + sizes + L"}, " + std::to_wstring(count) +
                               L")");
    for (int size : iconSizes) reserved_[size] = std::max(reserved_[size], count);
}

void ImageManager::RemoveIcon(LPCWSTR path) {
    platform::core::recordCall(L"Korvo::UI::ImageManager::RemoveIcon(" + platform::core::quoted(path) + L")");
}

int ImageManager::GetReservedResources(int iconSize) const {
    const auto it = reserved_.find(iconSize);
    return it == reserved_.end() ? 0 : it->second;
}

}  // namespace Korvo::UI
