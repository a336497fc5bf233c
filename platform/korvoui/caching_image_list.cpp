#include "platform/korvoui/caching_image_list.h"

#include "platform/core/text.h"

namespace Korvo::UI {

bool CachingImageList::Create(int cx, int cy, UINT, int initial, int) {
    Clear();
    if (cx < 1 || cy < 1) return false;
    width_ = cx;
    height_ = cy;
    images_.reserve(static_cast<std::size_t>(initial > 0 ? initial : 0));
    created_ = true;
    return true;
}

void CachingImageList::Clear() {
    created_ = false;
    images_.clear();
    byPath_.clear();
    pathLookups_ = 0;
}

int CachingImageList::Add(const CString& name) {
    if (!created_) return -1;
    images_.push_back(name);
    return static_cast<int>(images_.size()) - 1;
}

int CachingImageList::AddForPath(const CString& path) {
    if (!created_ || path.IsEmpty()) return -1;
    std::wstring key = platform::core::toUpperInvariant(std::wstring(path.view()));
    while (key.size() > 3 && key.back() == L'\\') key.pop_back();
    if (const auto found = byPath_.find(key); found != byPath_.end()) return found->second;
    ++pathLookups_;
    // The shell has a picture for whatever exists; nothing for a path that names nothing.
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return -1;
    images_.push_back(path);
    const int index = static_cast<int>(images_.size()) - 1;
    byPath_.emplace(std::move(key), index);
    return index;
}

CString CachingImageList::GetImageName(int index) const {
    if (index < 0 || index >= static_cast<int>(images_.size())) return CString();
    return images_[static_cast<std::size_t>(index)];
}

}  // namespace Korvo::UI
