#include "platform/korvoui/images.h"
#include "platform/korvoui/vector_icons.h"

#include <algorithm>
#include <string>

#include "platform/compression.h"
#include "platform/core/record.h"
#include "platform/win32/files/file.h"

namespace Korvo::UI {

ImageManager& ImageManager::GetInstance() {
    // Kept for the rest of the process, as the toolkit keeps its own.
    static ImageManager* const instance = [] {
        auto* made = new ImageManager;
        XTPSetImageManager(made);
        return made;
    }();
    return *instance;
}

UINT ImageManager::AddCustomIconFromFile(LPCWSTR path) {
    const CString key(path ? path : L"");
    if (const auto it = customIds_.find(key); it != customIds_.end()) return it->second;
    std::string bytes;
    const DWORD error = platform::files::readAll(std::wstring_view(key.GetString()), bytes);
    if (error != 0) {
        platform::core::recordWarning(std::wstring(key.GetString()) + L": cannot be read (error " +
                                      std::to_wstring(error) + L")");
        return 0;
    }
    if (!IsSvgImage(bytes)) {
        platform::core::recordWarning(std::wstring(key.GetString()) + L": no SVG image");
        return 0;
    }
    const UINT id = nextCustomId_++;
    SetIcon(id, 0, true);
    customIds_.emplace(key, id);
    return id;
}

CString ImageManager::GetCustomIconPath(UINT id) const {
    for (const auto& [path, custom] : customIds_)
        if (custom == id) return path;
    return CString();
}

void ImageManager::ReserveResources(std::span<const int> iconSizes, int count) {
    std::wstring sizes;
    for (int size : iconSizes) sizes += (sizes.empty() ? L"" : L", ") + std::to_wstring(size);
    platform::core::recordCall(L"Korvo::UI::ImageManager::ReserveResources({" + sizes + L"}, " + std::to_wstring(count) +
                               L")");
    for (int size : iconSizes) reserved_[size] = std::max(reserved_[size], count);
}

UINT ImageManager::GetPathIconId(LPCWSTR path, bool large) {
    const CString key(path ? path : L"");
    platform::core::recordCall(L"Korvo::UI::ImageManager::GetPathIconId(" + platform::core::quoted(key.GetString()) +
                               (large ? L", large)" : L", small)"));
    // Keyed by the text itself: the toolkit's string converts to a pointer, which a pair would
    // compare instead of the characters.
    const std::pair<std::wstring, bool> entry{key.GetString(), large};
    if (const auto it = pathIconIds_.find(entry); it != pathIconIds_.end()) return it->second;
    if (key.IsEmpty() || !platform::files::exists(std::wstring_view(key.GetString()))) return 0;
    const UINT id = nextCustomId_++;
    SetIcon(id, large ? 32 : 16);
    pathIconIds_.emplace(entry, id);
    return id;
}

UINT ImageManager::GetPathIconId(LPCWSTR folder, bool large, std::span<const wchar_t* const> candidates) {
    std::wstring base(folder ? folder : L"");
    if (base.empty()) return 0;
    if (base.back() != L'\\' && base.back() != L'/') base += L'\\';
    for (const wchar_t* candidate : candidates) {
        const std::wstring file = base + candidate;
        if (platform::files::exists(std::wstring_view(file)) && !platform::files::isDirectory(std::wstring_view(file)))
            return GetPathIconId(file.c_str(), large);
    }
    return GetPathIconId(folder, large);
}

void ImageManager::RemoveIcon(LPCWSTR path) {
    platform::core::recordCall(L"Korvo::UI::ImageManager::RemoveIcon(" + platform::core::quoted(path) + L")");
}

int ImageManager::GetReservedResources(int iconSize) const {
    const auto it = reserved_.find(iconSize);
    return it == reserved_.end() ? 0 : it->second;
}

}  // namespace Korvo::UI

namespace Korvo::Images {

CString ResourceManager::GetImagePath(LPCWSTR name) {
    const std::wstring file = std::wstring(L"Images\\") + (name ? name : L"");
    return CString(kvio::JoinPath(KVGetProgramPath().view(), file).c_str());
}

}  // namespace Korvo::Images
