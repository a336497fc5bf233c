#include "mainframe/popups/profile_icon.h"

std::optional<ProfileIconImage> MakeProfileIcon(int size, COLORREF colour) {
    if (size < 1) return std::nullopt;
    constexpr std::uint32_t kOpaque = 0xFF000000u;
    const std::uint32_t inner = kOpaque | (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
                                (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
    ProfileIconImage image;
    image.size = size;
    image.pixels.resize(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool ring = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            image.pixels[static_cast<std::size_t>(y * size + x)] = ring ? kOpaque : inner;
        }
    }
    return image;
}

const ProfileIconImage* ProfileIconCache::Get(int size) {
    if (colourIndex_ == kNoColour || colourIndex_ >= colourTable_.size()) return nullptr;
    if (auto it = icons_.find(size); it != icons_.end()) return &it->second;
    std::optional<ProfileIconImage> image = MakeProfileIcon(size, colourTable_[colourIndex_]);
    if (!image) return nullptr;
    ++builds_;
    return &icons_.emplace(size, std::move(*image)).first->second;
}
