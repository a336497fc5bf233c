// The icons of the profile popup's buttons: a square in the profile's colour inside an opaque
// black ring, built once per size.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "platform/win32.h"

// An n by n image, 32 bits per pixel (0xAARRGGBB), rows from the top.
struct ProfileIconImage {
    int size = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

// Null for a size below 1.
std::optional<ProfileIconImage> MakeProfileIcon(int size, COLORREF colour);

// A profile's icons by size. A colour index with all bits set means the profile has no colour and
// gets no image; so does an index outside the colour table.
class ProfileIconCache {
public:
    static constexpr std::uint32_t kNoColour = 0xFFFFFFFFu;

    ProfileIconCache(std::uint32_t colourIndex, std::vector<COLORREF> colourTable)
        : colourIndex_(colourIndex), colourTable_(std::move(colourTable)) {}

    // The icon of `size`, built on first request; null without a colour.
    const ProfileIconImage* Get(int size);
    int GetBuildCount() const { return builds_; }

private:
    std::uint32_t colourIndex_;
    std::vector<COLORREF> colourTable_;
    std::map<int, ProfileIconImage> icons_;
    int builds_ = 0;
};
