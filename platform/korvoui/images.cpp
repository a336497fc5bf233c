#include "platform/korvoui/images.h"

#include "platform/core/record.h"

namespace Korvo::UI {

ImageManager& ImageManager::GetInstance() {
    static ImageManager instance;
    return instance;
}

void ImageManager::ReserveResources(int count) {
    platform::core::recordCall(L"Korvo::UI::ImageManager::ReserveResources(" + std::to_wstring(count) + L")");
    if (count > reserved_) reserved_ = count;
}

}  // namespace Korvo::UI
