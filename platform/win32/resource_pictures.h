// The pictures the resource module keeps its icons and bitmaps in (PNG files of the program
// folder). Windows here has no codec of its own: the graphics library, which is built on
// Windows, registers its decoder when the platform starts (platform/kvgc/picture_codec.h).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace platform::win32 {

struct ResourcePicture {
    int width = 0;
    int height = 0;
    // Row-major, top row first; 0xAARRGGBB, or 0x00RRGGBB when laid over a background.
    std::vector<std::uint32_t> pixels;
};

// The picture PNG bytes hold, laid over `background` (0x00RRGGBB) when one is given; nothing
// when the bytes are no such picture.
using ResourcePictureDecoder =
    std::function<std::optional<ResourcePicture>(std::string_view bytes, std::optional<std::uint32_t> background)>;

void registerResourcePictureDecoder(ResourcePictureDecoder decoder);

// The registered decoder's answer. With none registered: nothing, and a strict failure naming
// `caller` (the Windows call that loads the resource).
std::optional<ResourcePicture> decodeResourcePicture(std::string_view bytes, std::optional<std::uint32_t> background,
                                                     std::wstring_view caller);

}  // namespace platform::win32
